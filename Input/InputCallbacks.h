#pragma once

// Where the window's input events enter the engine. Keys arrive in the engine's key
// code space; repeats have already been turned into presses or dropped.
namespace InputCallbacks
{
void OnKey(int key, bool pressed);
void OnCharacter(unsigned int codepoint);
void OnMouseMotion(int x, int y);
void OnMouseButton(int button, bool pressed);
} // namespace InputCallbacks
