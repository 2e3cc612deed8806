#include "Infrastructure/RunFolder.h"

#include "Infrastructure/Log.h"

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

bool FindRunFolder()
{
    struct stat info = {};
    if (stat("Resources", &info) == 0 && S_ISDIR(info.st_mode))
        return true;
    char here[PATH_MAX] = {};
    const String where = getcwd(here, sizeof(here)) ? String(here) : String("the working directory");
    SystemLogInstance().Printf("ERROR: can't find the Resources/ folder in %s; start the program in its run folder "
                               "(the build makes build/release/run).",
                               where.c_str());
    return false;
}
