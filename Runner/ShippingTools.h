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
};

// Checks the game archive at `path` (NAME.tarvo) and unpacks it, the first time, into the
// player's cache. Runs before any window or interpreter of the game: in a child process,
// so that the game's own interpreter starts fresh. Returns 0 with `opened` filled, or the
// exit status after one line on standard error: 2 for an archive that is no game or could
// do harm (nothing is written then), 1 when the cache can't be written.
int OpenGameArchive(const char* runnerPath, const String& path, OpenedGameArchive& opened);
