#pragma once

#include "Util/StringUtil.h"

// The game's one window and its OpenGL context. Only this class and the input code
// know the windowing library.
namespace Window
{
constexpr int DefaultWidth = 1024;
constexpr int DefaultHeight = 768;

// Opens the window at (50, 50) with a current context and installs the size, key,
// character, mouse and close callbacks. On failure `error` says why and false is returned.
bool Open(const String& title, bool antiAliasing, String& error);
// On (the default after Open), a frame is shown at the display's next refresh; off, at
// once. Does nothing without a window.
void SetVerticalSync(bool on);
// Presents the frame, then runs the window callbacks that arrived meanwhile.
void SwapBuffersAndPoll();
// Seconds since the library started; 0 when it isn't running.
double GetTime();
// Held keys repeat only while this is on; off after Open.
void SetKeyRepeat(bool on);
// Whether held keys repeat (on while the console is open).
bool IsKeyRepeatOn();
// `glfwKey` is a key code of the windowing library, not the engine's.
bool IsLibraryKeyDown(int glfwKey);
// Closes the window and shuts the library down. Never call it from inside a callback.
void Terminate();
} // namespace Window
