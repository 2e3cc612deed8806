#pragma once

#include "Util/StringUtil.h"

// Where an installed program keeps its Resources/ and Config/: a folder relative to the
// one holding the executable (e.g. "../share/games/qvrn" for /usr/games/qvrn), or an
// absolute one. Empty (the default): the program only runs in a run folder.
void SetInstalledDataFolder(const String& folder);

// Whether the program can read its images, sounds, font and scripts: true when the
// working directory holds Resources/, or when the installed data folder does, in which
// case it becomes the working directory. Otherwise logs one ERROR line that says where
// it looked and returns false: started elsewhere, every file would fail on its own.
bool FindRunFolder();

// `path` as the player meant it: a relative path is taken from the folder the program
// was started in, even after FindRunFolder moved to the data folder. Empty and absolute
// paths come back unchanged.
String StartFolderPath(const String& path);
