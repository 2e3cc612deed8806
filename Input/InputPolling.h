#pragma once

#include "Input/MouseListener.h"
#include "Util/StringUtil.h"
#include "Util/Vector2.h"

// Asking, frame by frame, what is held now: beside the bindings' messages, for code that
// steers by what is down (a paddle, a thruster) rather than by presses and releases.
// Keys and pad buttons answer for the game: false while the console is open, and for a
// key the console had until it is pressed anew.

// Whether the key or pad button is held, by name in any case: "SPACE", "a",
// "LEFT_ARROW", "P1BUTTON_A" (the names of the binding file). False for a name that is
// no key.
bool IsKeyDown(const String& keyName);
// Whether a key or pad button whose press message is `action` is held: "Jump" for a
// binding file line "SPACE = Jump". False for an action nothing is bound to.
bool IsActionDown(const String& action);
// Where the mouse pointer was at its last move, in world units on the play field as the
// camera shows it now.
Vector2 GetMousePosition();
// Whether the mouse button is held; the console never takes the mouse.
bool IsMouseButtonDown(MouseButtonInput button);
