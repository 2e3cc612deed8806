#pragma once

#include "Util/Vector2.h"

#include <vector>

// What the player does, read from the key bindings in effect: a key or pad button works
// an action while it is held if its press message is the action's message (the shipped
// Config/input_bindings.ini binds SPACE and P1BUTTON_A to "+LieStart", the arrows and
// W A S D to "+MoveLeft" and so on). An action that the bindings give no key at all keeps
// its usual keys, so that a binding file written before an action was bindable still plays.
enum GameAction
{
    GA_Lie,       // "LieStart": space, pad A
    GA_MoveLeft,  // "MoveLeft": left arrow, A
    GA_MoveRight, // "MoveRight": right arrow, D
    GA_MoveUp,    // "MoveUp": up arrow, W
    GA_MoveDown,  // "MoveDown": down arrow, S
    GA_Count
};

namespace GameControls
{
// The press message that names the action in the binding file.
const char* MessageOf(GameAction action);
// The key and pad-button codes that work the action now: the bound ones, else the usual ones.
std::vector<int> KeysOf(GameAction action);
// Whether one of them is held, as GameScreen::IsKeyDown sees it (nothing while the
// console is open).
bool IsHeld(GameAction action);
// Game pad 0's left stick, each axis -1..1 with y up; zero while the pad is absent or
// the console is open, and while it stays pushed from before the screen came up
// (GameScreen::IgnoreHeldInput). The stick is not bindable: it always walks.
Vector2 LeftStick();
// The same, also when pushed from before the screen came up.
Vector2 PadLeftStick();
} // namespace GameControls
