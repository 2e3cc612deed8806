#include "Platform/PlayerFolders.h"

#include <cstdlib>

namespace
{
String folderName;

// A relative XDG path would depend on the working directory, which the program may
// change to its data folder: the base directory rules say to ignore it.
bool IsAbsolute(const char* path) { return path && path[0] == '/'; }

// $<variable>/<name>, or $HOME/<fallback>/<name>; empty without an absolute base.
String BaseFolder(const char* variable, const char* fallback, const String& name)
{
    const char* base = std::getenv(variable);
    if (IsAbsolute(base))
        return String(base) + "/" + name;
    const char* home = std::getenv("HOME");
    if (IsAbsolute(home))
        return String(home) + "/" + fallback + "/" + name;
    return String();
}
} // namespace

void SetPlayerFolderName(const String& name) { folderName = name; }

String PlayerConfigFile(const String& fileName)
{
    if (folderName.empty())
        return String();
    const String folder = BaseFolder("XDG_CONFIG_HOME", ".config", folderName);
    return folder.empty() ? String() : folder + "/" + fileName;
}

String PlayerDataFolder(const String& name) { return BaseFolder("XDG_DATA_HOME", ".local/share", name); }
