#pragma once

#include "Util/StringUtil.h"

#include <functional>

// Where the window hands the player's keys, characters and mouse: the engine's input code
// registers one (Window::SetInputHandler).
class WindowInputHandler
{
public:
    virtual ~WindowInputHandler() = default;
    // `key` is in the engine's key codes (Platform/KeyCodes.h); repeats have already been
    // turned into presses or dropped (SetKeyRepeat).
    virtual void OnKey(int key, bool pressed) = 0;
    // A typed character, as a Unicode code point.
    virtual void OnCharacter(unsigned int codepoint) = 0;
    // Window pixels, origin top left.
    virtual void OnMouseMotion(int x, int y) = 0;
    // `button` is the window layer's button number.
    virtual void OnMouseButton(int button, bool pressed) = 0;
};

// The game's one window and its OpenGL context. Only this file and the key-code table
// know the windowing library.
namespace Window
{
constexpr int DefaultWidth = 1024;
constexpr int DefaultHeight = 768;

// The size in pixels the next Open gives the window; DefaultWidth x DefaultHeight until
// set. Call it before World::Initialize (a game's own size, say); the caller checks the
// bounds. An open window keeps its size. In the browser the page's canvas keeps the size
// the page gives it.
void SetOpeningSize(int width, int height);
// The width in pixels the next Open gives the window.
int GetOpeningWidth();
// The height in pixels the next Open gives the window.
int GetOpeningHeight();

// Opens the window at (50, 50) with a current context; its events go to the handlers
// below. On failure `error` says why and false is returned.
bool Open(const String& title, bool antiAliasing, String& error);
// Keys, characters and the mouse; null drops them. Registered before Open, the handler
// also hears where the cursor starts.
void SetInputHandler(WindowInputHandler* handler);
// A new size of the window in pixels.
void SetResizeHandler(std::function<void(int width, int height)> handler);
// The close button.
void SetCloseHandler(std::function<void()> handler);
// On (the default after Open), a frame is shown at the display's next refresh; off, at
// once. Does nothing without a window.
void SetVerticalSync(bool on);
// Presents the frame, then runs the window callbacks that arrived meanwhile.
void SwapBuffersAndPoll();
// The first half: presents the frame, which may wait for the screen.
void SwapBuffers();
// The second half: runs the window callbacks that arrived since the last poll.
void PollEvents();
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
