#pragma once

// The engine's own handling of the run options that RunProgram reads; not installed.

#include "Program/RunProgram.h"
#include "Util/StringUtil.h"

// Fills `options` from the arguments. Returns false with a one-line `error` for an
// unknown option or a bad value.
bool ParseRunOptions(int argc, const char* const* argv, RunOptions& options, String& error);
// The --help text, one option a line.
String RunOptionsUsage(const String& programName);

// Reads the input script and makes sure the recording can be written, before any
// window opens. Returns false with a one-line `error` naming the file (and the line of
// a malformed script); also when the recording would write over the input script
// itself, or its path names something other than a regular file.
bool PrepareInput(const RunOptions& options, String& error);
// Drops the recording of a run that ends before its frame loop: a file of that name
// from an earlier run stays as it was.
void AbandonInput();
// Seeds the random source, sets the World's frame limit and time source, and starts
// playing the prepared input script and recording input.
void ApplyRunOptions(const RunOptions& options);
// Writes the requested screenshot and input recording, if any, and prints the frame
// stats when asked for. The recording replaces any file of its name only now, whole.
// Returns false if a file could not be written.
bool FinishRun(const RunOptions& options);
