#include "Platform/RunFolder.h"

#include "Platform/Log.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

// Defined by a game built with find_package(Tarvo): the installed engine's data folder,
// written into a source file of the game's own build (TarvoConfig.cmake). Weak, so that
// every other program links without it and sees null.
extern "C" const char* const tarvoRecordedEngineDataFolder __attribute__((weak));

namespace
{
const char* const ConsoleScript = "Resources/Scripts/start.py";

String installedDataFolder;
String gameFolder;
String startFolder;
// Set by the program (the runner) in place of the folder found on its own.
std::optional<String> engineDataFolder;

bool IsFolder(const String& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const String& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0;
}

bool HoldsResources(const String& folder) { return IsFolder(folder + "Resources"); }

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
    const String folder = ExecutableFolder();
    return folder.empty() ? String() : folder + installedDataFolder;
}

// Null when the program was not built with find_package(Tarvo).
const char* RecordedEngineDataFolder()
{
    return &tarvoRecordedEngineDataFolder != nullptr ? tarvoRecordedEngineDataFolder : nullptr;
}

bool HoldsConsoleScript(const String& folder) { return !folder.empty() && Exists(folder + "/" + ConsoleScript); }

// What a program started in the wrong folder should do instead. The engine's own
// programs run in the run folder its build prepares; a game of one's own, built against
// the installed engine, needs a Resources/ folder of its own, made by its build or by
// hand, and runs there.
String RunFolderAdvice()
{
    if (const char* recorded = RecordedEngineDataFolder())
        return "start the program in its run folder, the one holding its own Resources/ (images, sounds) "
               "and Config/ (input_bindings.ini): make it beside the program or copy it there in the "
               "game's build; the engine's font and console script come from " +
               String(recorded);
    return "start the program in its run folder (the engine's build makes build/release/run; a game of your "
           "own runs in a folder holding its own Resources/ and Config/)";
}
} // namespace

String ExecutableFolder()
{
    char executable[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", executable, sizeof(executable) - 1);
    if (length <= 0)
        return String();
    String folder(executable, static_cast<size_t>(length));
    folder.erase(folder.rfind('/') + 1);
    return folder;
}

void SetInstalledDataFolder(const String& folder) { installedDataFolder = folder; }

void SetGameFolder(const String& folder) { gameFolder = folder; }

bool FindRunFolder()
{
    startFolder = WorkingDirectory();
    if (!gameFolder.empty())
    {
        if (chdir(gameFolder.c_str()) != 0)
        {
            SystemLogInstance().Printf("ERROR: can't enter the game folder %s: %s", gameFolder.c_str(),
                                       std::strerror(errno));
            return false;
        }
        // A game that brings no files of its own still has the engine's font and console.
        if (HoldsResources("") || !EngineDataFolder().empty())
            return true;
        SystemLogInstance().Printf("ERROR: can't find the Resources/ folder in %s, nor the engine's own data "
                                   "folder (Resources/Scripts/start.py) beside the program.",
                                   WorkingDirectory().c_str());
        return false;
    }
    if (HoldsResources(""))
        return true;
    const String dataFolder = DataFolderPath();
    if (!dataFolder.empty() && HoldsResources(dataFolder + "/") && chdir(dataFolder.c_str()) == 0)
        return true;
    const String where = startFolder.empty() ? String("the working directory") : startFolder;
    const String installed = dataFolder.empty() ? String() : " or install it (it then reads " + dataFolder + ")";
    SystemLogInstance().Printf("ERROR: can't find the Resources/ folder in %s; %s%s.", where.c_str(),
                               RunFolderAdvice().c_str(), installed.c_str());
    return false;
}

String StartFolderPath(const String& path)
{
    if (path.empty() || path[0] == '/')
        return path;
    const String base = startFolder.empty() ? WorkingDirectory() : startFolder;
    return base.empty() ? path : base + "/" + path;
}

void SetEngineDataFolder(const String& folder) { engineDataFolder = folder; }

String EngineDataFolder()
{
    if (engineDataFolder)
        return HoldsConsoleScript(*engineDataFolder) ? *engineDataFolder : String();
    if (const char* recorded = RecordedEngineDataFolder(); recorded && HoldsConsoleScript(recorded))
        return recorded;
    const String executableFolder = ExecutableFolder();
    const String beside = executableFolder.empty() ? String() : executableFolder + "../share/tarvo";
    return HoldsConsoleScript(beside) ? beside : String();
}

String EngineFile(const String& path)
{
    if (Exists(path))
        return path;
    const String folder = EngineDataFolder();
    if (!folder.empty() && Exists(folder + "/" + path))
        return folder + "/" + path;
    return path;
}
