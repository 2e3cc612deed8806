#pragma once

// The embedded Python interpreter. The engine only starts and stops it; everything
// else scripts do goes through the _tarvo module, and the engine reaches scripts only
// through the classes scripts may subclass (Actor, Console).
namespace ScriptHost
{
// Where the start-up script lives, relative to the working directory. A game without
// one gets the engine's own (EngineFile, Platform/RunFolder.h).
extern const char* const StartupScript;
// Script files the engine runs (the start-up script, a game's main.py) past this size
// are refused before they are read.
constexpr unsigned long MaxScriptFileBytes = 8ul << 20;

// Starts the interpreter with _tarvo built in and the game's script folder, then the
// engine's (which holds the shadow module tarvo.py), ahead of the user's PYTHONPATH,
// then runs the start-up script as the main program. Logs "Python initialized." once the script has run, also
// when it raised (its traceback goes to standard error) or called sys.exit (one ERROR
// line: the game goes on without the rest of the script). Logs "Error initializing
// Python: couldn't find startup file." and leaves the interpreter stopped when there is
// no script, and one line saying what is wrong when the script is a folder, a FIFO or
// device, larger than MaxScriptFileBytes or can't be read; logs an ERROR line and leaves it stopped when Python can't
// start. Returns whether the interpreter is running.
bool StartScriptHost();
// Stops the interpreter if StartScriptHost left it running; otherwise does nothing.
// Python threads that are not daemons are not waited for: one WARNING line gives
// their count, and they end with the interpreter.
void Finalize();
// Whether the interpreter is up: false when no start-up script was found or Python
// could not start, and for programs run without World::ScriptingService.
bool IsRunning();

// Whether the caller runs on the thread that started the interpreter, the one that runs
// the frames: the only thread that may call into the engine.
bool IsMainThread();
// While the frame runs no script code (drawing, waiting for the screen), other Python
// threads may take the interpreter: these two hand it over and take it back. Unpaired
// or repeated calls, calls from other threads and calls while the interpreter is
// stopped do nothing.
void LetOtherThreadsRun();
// Waits until the interpreter is the main thread's again.
void TakeInterpreterBack();
} // namespace ScriptHost

// The name the engine's documents give the script host's start: the same as
// ScriptHost::StartScriptHost.
bool StartScriptHost();
