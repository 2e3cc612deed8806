#pragma once

#include "Util/StringUtil.h"

#include <vector>

// The shipping tools are Python programs in the engine's data folder (shipping/), run by
// the interpreter the runner embeds, so a player needs no python3 command beside it.

// `tarvo pack ARGUMENTS...` (see docs/shipping.md). Returns the exit status: 0 with the
// written file's path printed, 2 after one line for a folder it refuses, 1 when a file
// can't be written or the tools are missing.
int RunPackTool(const char* runnerPath, const std::vector<String>& arguments);

// A game archive unpacked where the runner can play it.
struct OpenedGameArchive
{
    String folder; // in the player's cache, keyed by the archive's contents
    String title;  // from the archive's manifest, else its name
    String window; // the manifest's window size, "WIDTH HEIGHT" (Runner/GameWindowSize.h)
};

// Checks the game archive at `path` (NAME.tarvo) and unpacks it, the first time, into the
// player's cache. Runs before any window or interpreter of the game: in a child process,
// so that the game's own interpreter starts fresh. Returns 0 with `opened` filled, or the
// exit status after one line on standard error: 2 for an archive that is no game or could
// do harm (nothing is written then), 1 when the cache can't be written.
int OpenGameArchive(const char* runnerPath, const String& path, OpenedGameArchive& opened);

// What a game folder's game.ini says of the window: its title (empty when it gives none)
// and size, "WIDTH HEIGHT" (empty for none).
struct GameFolderSettings
{
    String title;
    String window;
};

// Reads `folder`'s game.ini, in a child process as above. A game.ini that can't be read
// or holds a bad value gets one WARNING from the tools and leaves both empty: the game
// still plays. Returns 0, or 1 after one line when the tools can't run.
int ReadGameFolderSettings(const char* runnerPath, const String& folder, GameFolderSettings& settings);
