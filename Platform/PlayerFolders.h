#pragma once

#include "Util/StringUtil.h"

// The player's own settings folder, named after the program (RunProgram sets the name
// from the program's name): files there override the shipped ones, which stay untouched.
void SetPlayerFolderName(const String& name);

// $XDG_CONFIG_HOME/<name>/<fileName>, or ~/.config/<name>/<fileName> when that variable
// is unset or not an absolute path. Empty when no name is set or neither variable gives
// an absolute folder.
String PlayerConfigFile(const String& fileName);

// Where a program keeps what it writes for the player (a best score): $XDG_DATA_HOME/<name>,
// or ~/.local/share/<name> when that variable is unset or not an absolute path. Empty when
// neither variable gives an absolute folder.
String PlayerDataFolder(const String& name);
