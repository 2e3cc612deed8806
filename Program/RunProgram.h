#pragma once

#include "Infrastructure/World.h"
#include "Util/StringUtil.h"

#include <functional>

// Command-line options shared by the game and the examples.
struct RunOptions
{
    int frames = 0;        // stop after this many frames; 0 runs until closed
    float fixedDt = -1.0f; // each frame's dt when >= 0, instead of the clock's
    bool seeded = false;   // seed the shared random source with `seed`
    unsigned int seed = 0;
    String screenshot; // write the last frame here as a PNG
    bool antiAliasing = true;
    bool saving = true;      // false: leave files kept between runs (best scores) alone
    String inputScript;      // play the key and pad edges of this input script
    String recordInput;      // write the player's key and pad edges here as an input script
    bool frameStats = false; // print frame-time percentiles at exit
    bool help = false;
};

// The whole life of a program on the engine: reads the options (status 2 and a message
// on bad ones), initialises the World with a window titled `windowTitle`, lets `setUp`
// build the scene, runs the frame loop, writes the screenshot and shuts down. SIGINT and
// SIGTERM end the loop the same way as closing the window (a second one kills at once).
// Started outside a folder holding Resources/, it moves to the installed data folder
// (SetInstalledDataFolder), or else logs one ERROR line and returns 1. The player's own
// settings folder is named `programName` (Platform/PlayerFolders.h).
// `services` is what World::Initialize starts besides the window, the keyboard, the
// mouse and the console (a combination of World::Services). A game that plays no sound
// and runs no script passes World::NoServices, or just what it uses
// (World::SoundService), and starts without the Python and audio start-up lines.
// Returns the process exit status.
int RunProgram(int argc, const char* const* argv, const String& programName, const String& windowTitle,
               const std::function<void()>& setUp, int services = World::AllServices);
// The same, for a set-up that reads the options.
int RunProgram(int argc, const char* const* argv, const String& programName, const String& windowTitle,
               const std::function<void(const RunOptions&)>& setUp, int services = World::AllServices);
