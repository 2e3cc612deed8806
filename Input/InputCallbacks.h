#pragma once

// Where the window's input events enter the engine. Keys arrive in the engine's key
// code space (letters upper-case); repeats have already been turned into presses or
// dropped.
//
// A key press goes to the first taker of: the backquote, which toggles the console
// (with Shift held while the console is open it types a tilde instead);
// the open console; the key's binding; and finally Escape, which stops the game where
// the program can quit and goes to the game manager's OnLeaveKey where it can't. A key
// release reaches the bindings only when the key's press did (see InputRouter for how
// the open console owns the keys).
namespace InputCallbacks
{
// `key` is in the engine's key-code space (Platform/KeyCodes.h).
void OnKey(int key, bool pressed);
// Characters go to whatever has the keyboard's text: the open console, nothing while it
// is closed (the game takes no text). Returns whether something took the character.
bool OnCharacter(unsigned int codepoint);
// Window pixels; goes to the mouse listeners.
void OnMouseMotion(int x, int y);
// `button` is the window layer's button number.
void OnMouseButton(int button, bool pressed);
} // namespace InputCallbacks
