#include "Platform/PlayerFolders.h"

#include <cstdlib>

namespace
{
String folderName;

// A relative XDG path would depend on the working directory, which the program may
// change to its data folder: the base directory rules say to ignore it.
bool IsAbsolute(const char* path) { return path && path[0] == '/'; }
} // namespace

void SetPlayerFolderName(const String& name) { folderName = name; }

String PlayerConfigFile(const String& fileName)
{
    if (folderName.empty())
        return String();
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (IsAbsolute(configHome))
        return String(configHome) + "/" + folderName + "/" + fileName;
    const char* home = std::getenv("HOME");
    if (IsAbsolute(home))
        return String(home) + "/.config/" + folderName + "/" + fileName;
    return String();
}
