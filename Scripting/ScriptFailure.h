#pragma once

#include "Util/StringUtil.h"

#include <functional>

// Script code that raised and that no script caught: an override the engine called
// (Actor.Update, ReceiveMessage, a mouse handler, a console's Execute), or a game's
// main.py. Also SystemExit raised there, which asks for the end of the game.
struct ScriptFailure
{
    // What failed: the engine's call ("Actor.Update") or the script ("main.py").
    String callback;
    // The exception's last line as Python prints it: "ZeroDivisionError: division by zero".
    String error;
    // Where in the game's code: the deepest call outside the engine's own module, or
    // the line a syntax error is on; empty and 0 when there is none.
    String file;
    int line = 0;
    // The last few calls of the traceback, outermost first: "main.py:30 in Update: boom()".
    StringList lastCalls;
    // The whole traceback as Python prints it.
    String traceback;
    // SystemExit: the status it asks the game to end with (sys.exit() is 0, a text is 1).
    bool exits = false;
    int exitStatus = 0;
};

namespace ScriptFailures
{
using Handler = std::function<void(const ScriptFailure&)>;
// Who hears of failures besides the log and the console: the runner of Python games
// stops the game and shows them. Without one, a failing override is reported and the
// game goes on, and SystemExit from an override does not end it. `recovered` hears that
// the game's script ran to its end again (reload() after a fix). Empty handlers remove
// the ones set.
void SetHandler(Handler handler, std::function<void()> recovered = {});
bool HasHandler();
// Passes the failure to the handler, if there is one.
void Hand(const ScriptFailure& failure);
// Tells the recovery handler, if there is one, that the game's script ran again.
void HandRecovery();
// Describes the interpreter's pending error and clears it; `callback` names what failed.
// Call only with an error pending, on the main thread.
ScriptFailure TakePendingError(const String& callback);
} // namespace ScriptFailures
