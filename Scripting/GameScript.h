#pragma once

#include "Util/StringUtil.h"

#include <optional>

// A game written in Python alone: the folder's main.py, run in the interpreter the script
// host started, after the engine and its console are up.
namespace GameScript
{
// How running main.py went, and so what the runner does next.
enum RunResult
{
    GSR_Ran,           // main.py ran to its end; the game plays
    GSR_Failed,        // it raised: traceback and one ERROR line logged, also shown in the console
    GSR_Exited,        // it called sys.exit: the game should end
    GSR_NoInterpreter, // the script host is not running, so nothing could run
};

// Runs `folder`/main.py as the module __main__, with `folder` (absolute) first on
// sys.path, and makes reload() a built-in for the console: it clears the World
// (ResetWorld), forgets every module loaded from the game folder and runs main.py again,
// so edited files take effect without closing the window. The game's main module is the
// built-in `game` as well, so the console reaches its names (`game.player`).
// With a `seed` (the run's --seed), Python's own random module is seeded with it before
// each run of main.py, so a seeded game in Python alone replays as the engine's does.
// A failure of main.py, and a sys.exit in it, also reach ScriptFailures' handler.
// The engine's own modules (the console's, random) are imported before the game's folder
// joins the module path, and one WARNING names each game module that has the name of a
// standard one.
RunResult Run(const String& folder, std::optional<unsigned int> seed = std::nullopt);
// reload(), as typed in the console: true when main.py ran to its end. Logs an ERROR line
// and returns false when no game script has run.
bool Reload();
} // namespace GameScript
