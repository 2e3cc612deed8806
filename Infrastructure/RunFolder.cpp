#include "Infrastructure/RunFolder.h"

#include "Infrastructure/Log.h"

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
String installedDataFolder;
String startFolder;

bool HoldsResources(const String& folder)
{
    struct stat info = {};
    return stat((folder + "Resources").c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

String WorkingDirectory()
{
    char here[PATH_MAX] = {};
    return getcwd(here, sizeof(here)) ? String(here) : String();
}

// The installed data folder as an absolute path, or empty when there is none or the
// executable's own path can't be read.
String DataFolderPath()
{
    if (installedDataFolder.empty() || installedDataFolder[0] == '/')
        return installedDataFolder;
    char executable[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", executable, sizeof(executable) - 1);
    if (length <= 0)
        return String();
    String folder(executable, static_cast<size_t>(length));
    folder.erase(folder.rfind('/') + 1);
    return folder + installedDataFolder;
}
} // namespace

void SetInstalledDataFolder(const String& folder) { installedDataFolder = folder; }

bool FindRunFolder()
{
    startFolder = WorkingDirectory();
    if (HoldsResources(""))
        return true;
    const String dataFolder = DataFolderPath();
    if (!dataFolder.empty() && HoldsResources(dataFolder + "/") && chdir(dataFolder.c_str()) == 0)
        return true;
    const String where = startFolder.empty() ? String("the working directory") : startFolder;
    const String installed = dataFolder.empty() ? String() : " or install it (it then reads " + dataFolder + ")";
    SystemLogInstance().Printf("ERROR: can't find the Resources/ folder in %s; start the program in its run folder "
                               "(the build makes build/release/run)%s.",
                               where.c_str(), installed.c_str());
    return false;
}

String StartFolderPath(const String& path)
{
    if (path.empty() || path[0] == '/')
        return path;
    const String base = startFolder.empty() ? WorkingDirectory() : startFolder;
    return base.empty() ? path : base + "/" + path;
}
