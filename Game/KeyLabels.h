#pragma once

#include "Game/GameControls.h"
#include "Util/StringUtil.h"

#include <vector>

// The words and key caps the game shows for keys and pad buttons, taken from the bindings
// in effect, so that a player who moved lying to F is told "F" and not "Space".
namespace KeyLabels
{
// What a player reads for an engine key or pad-button code: "Space", "Enter", "Up",
// "F", ",", "Keypad 5", "pad A", "pad 2 Start". A code without a name reads "?".
String Of(int keyCode);
// The letter or word on a pad button's cap ("A", "Start"), without the "pad".
String PadButtonOf(int keyCode);
bool IsPadButton(int keyCode);

// The keyboard keys that work the action now, special keys (the arrows) first.
std::vector<int> KeyboardKeysOf(GameAction action);
// The pad buttons bound to the action, or pad A for lying when none is (the menus and
// the tutorial answer it whatever the bindings say).
std::vector<int> PadButtonsOf(GameAction action);
// Whether game pad 0 is there: only then are its buttons named.
bool IsPadConnected();

// "A", "A or B", "A, B or C".
String Alternatives(const std::vector<String>& labels);

// The menu's line of help, e.g. "Up/Down or W/S to choose, Enter or Space to go, Esc to
// quit". The stick and the pad's buttons are named when `withPad`; what Escape does
// follows `canQuit` (the desktop quits, a page leaves a game), and an Escape the
// bindings took is not mentioned.
String MenuHint(bool withPad, bool canQuit);
} // namespace KeyLabels
