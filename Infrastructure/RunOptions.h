#pragma once

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
    bool frameStats = false; // print frame-time percentiles at exit
    bool help = false;
};

// Fills `options` from the arguments. Returns false with a one-line `error` for an
// unknown option or a bad value.
bool ParseRunOptions(int argc, const char* const* argv, RunOptions& options, String& error);
String RunOptionsUsage(const String& programName);

// Seeds the random source and sets the World's frame limit and time source.
void ApplyRunOptions(const RunOptions& options);
// Writes the requested screenshot, if any, and prints the frame stats when asked for.
// Returns false if the screenshot could not be written.
bool FinishRun(const RunOptions& options);

// The whole life of a program on the engine: reads the options (status 2 and a message
// on bad ones), initialises the World with a window titled `windowTitle`, lets `setUp`
// build the scene, runs the frame loop, writes the screenshot and shuts down. Returns
// the process exit status.
int RunProgram(int argc, const char* const* argv, const String& programName, const String& windowTitle,
               const std::function<void()>& setUp);
