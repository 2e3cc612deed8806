#pragma once

#include "Util/StringUtil.h"

// The player's own settings folder, named after the program (RunProgram sets the name
// from the program's name): files there override the shipped ones, which stay untouched.
void SetPlayerFolderName(const String& name);

// $XDG_CONFIG_HOME/<name>/<fileName>, or ~/.config/<name>/<fileName> when that variable
// is unset or not an absolute path. Empty when no name is set or neither variable gives
// an absolute folder.
String PlayerConfigFile(const String& fileName);
