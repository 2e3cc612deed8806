#pragma once

// SIGINT and SIGTERM as a polite stop: the first one asks the frame loop to end after the
// current frame, so the run finishes the way the window's close button finishes it. A
// second one ends the process at once, killed by that signal.
void InstallStopSignals();
// True once a stop signal has arrived since InstallStopSignals.
bool StopSignalReceived();
