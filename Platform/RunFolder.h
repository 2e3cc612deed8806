#pragma once

#include "Util/StringUtil.h"

// Where an installed program keeps its Resources/ and Config/: a folder relative to the
// one holding the executable (e.g. "../share/games/qvrn" for /usr/games/qvrn), or an
// absolute one. Empty (the default): the program only runs in a run folder.
void SetInstalledDataFolder(const String& folder);

// The folder a program runs its game from, whatever folder it was started in (the runner
// `tarvo` sets it from its argument). FindRunFolder moves there; relative paths the
// player gave still mean the start folder (StartFolderPath). Empty (the default): the
// working directory.
void SetGameFolder(const String& folder);

// Whether the program can read its images, sounds, font and scripts: true when the
// game folder (or else the working directory) holds Resources/, or when the installed
// data folder does, in which case it becomes the working directory. A game folder set
// with SetGameFolder needs no Resources/ of its own when the engine's data folder can
// stand in (EngineFile). Otherwise logs one ERROR line that says where it looked and
// what to do, and returns false: started elsewhere, every file would fail on its own.
bool FindRunFolder();

// `path` as the player meant it: a relative path is taken from the folder the program
// was started in, even after FindRunFolder moved to the data folder. Empty and absolute
// paths come back unchanged.
String StartFolderPath(const String& path);

// The folder holding the running executable, ending in "/"; empty if it can't be read.
String ExecutableFolder();

// The engine's own data: a folder shaped like a run folder that holds the console's font
// (Resources/Fonts/Inconsolata.otf), the console script (Resources/Scripts/start.py) and
// the shadow module beside it (Resources/Scripts/tarvo.py). Set by the runner from its own
// place; for a game built with find_package(Tarvo), recorded by the package at build
// time; otherwise <executable's folder>/../share/tarvo when the engine is installed
// beside the program. Empty when none of these holds the console script.
void SetEngineDataFolder(const String& folder);
// The folder so set or found; empty when none holds the console script.
String EngineDataFolder();

// A file of the run folder given relative to it (`Resources/Scripts/start.py`): the
// game's own when it has one, else the engine's copy when there is one, else `path`
// unchanged (so a failure names the game's file).
String EngineFile(const String& path);
