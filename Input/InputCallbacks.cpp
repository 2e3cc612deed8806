#include "Input/InputCallbacks.h"

#include "Infrastructure/Console.h"
#include "Infrastructure/World.h"
#include "Input/InputRouter.h"
#include "Input/MouseListener.h"
#include "Platform/KeyCodes.h"
#include "Platform/Window.h"

namespace
{
// The console's key: it has no name in the binding table, so nothing else can claim it.
constexpr int BackquoteKey = '`';

void ToggleConsole(Console& console)
{
    console.SetEnabled(!console.IsEnabled());
    // Held editing keys (backspace, arrows) should repeat while typing, and nothing else should.
    Window::SetKeyRepeat(console.IsEnabled());
}

// Asked while the console owns the keyboard, so past the game's view of the keys.
bool IsShiftDown()
{
    const InputRouter& router = InputRouter::GetInstance();
    return router.IsKeyDownOnKeyboard(KeyCodes::KEY_LSHIFT) || router.IsKeyDownOnKeyboard(KeyCodes::KEY_RSHIFT);
}
} // namespace

namespace InputCallbacks
{
void OnKey(int key, bool pressed)
{
    InputRouter& router = InputRouter::GetInstance();
    // A console registered in the place of an open one is noticed here at the latest.
    router.FollowConsole();
    Console* console = World::GetInstance().GetConsole();
    if (!pressed)
    {
        // Sends nothing for a key the open console has, or had when it was pressed.
        router.OnKeyUp(key);
        return;
    }

    if (key == BackquoteKey)
    {
        // Shift+backquote types a tilde (Python's bitwise not) into the open console;
        // the character arrives through OnCharacter.
        if (console && console->IsEnabled() && IsShiftDown())
            return;
        if (console)
            ToggleConsole(*console);
        return;
    }
    if (console && console->HandleKeyDown(key))
        return;
    if (router.OnKeyDown(key))
        return;
    if (key == KeyCodes::KEY_ESCAPE)
        World::GetInstance().OnQuitKey();
}

bool OnCharacter(unsigned int codepoint)
{
    if (codepoint == static_cast<unsigned int>(BackquoteKey))
        return false;
    Console* console = World::GetInstance().GetConsole();
    // Code points beyond the int range can't be anything the console accepts.
    return console && codepoint <= 0x10FFFF && console->HandleCharacter(static_cast<int>(codepoint));
}

void OnMouseMotion(int x, int y) { MouseInput::OnMotion(x, y); }

void OnMouseButton(int button, bool pressed) { MouseInput::OnButton(button, pressed); }
} // namespace InputCallbacks
