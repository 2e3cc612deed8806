#pragma once

#include "Infrastructure/Subsystem.h"
#include "Scripting/ScriptFailure.h"

#include <optional>

// What the runner shows when the game's script fails where nothing catches it (an
// Update, a message or mouse handler, main.py itself): the game stops updating, and over
// its last frame a panel gives the error, the file and line, the last calls, and what to
// do. R runs reload() and the game goes on if it runs, as it does after reload() typed
// in the console; Esc quits; the console still opens over it. SystemExit ends the game
// instead, with its status.
class ErrorView : public Subsystem
{
public:
    // Plugs the view into the World and hears every script failure from now on.
    void PlugIn();

    // Stops the game's updates and shows the failure; one shown already stays (the first
    // failure is the cause, later ones are often its effects).
    void Show(const ScriptFailure& failure);
    bool IsShown() const { return shown.has_value(); }
    // The game runs again: the view goes.
    void Hide();
    // The status a SystemExit asked for, if one did.
    std::optional<int> GetExitStatus() const { return exitStatus; }

    void Update(float dt) override;
    void DrawOverWorld() override;

private:
    void Hear(const ScriptFailure& failure);
    // Whether the key went down since the last frame, for presses made while shown.
    bool Pressed(int keyCode, bool& wasDown);

    std::optional<ScriptFailure> shown;
    std::optional<int> exitStatus;
    bool reloadKeyWasDown = true;
    bool quitKeyWasDown = true;
};
