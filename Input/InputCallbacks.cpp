#include "Input/InputCallbacks.h"

#include "Infrastructure/Console.h"
#include "Infrastructure/Window.h"
#include "Infrastructure/World.h"
#include "Input/InputRouter.h"
#include "Input/KeyBinding.h"
#include "Input/KeyCodes.h"
#include "Input/MouseListener.h"

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

bool IsShiftDown()
{
    const InputRouter& router = InputRouter::GetInstance();
    return router.IsKeyDown(KeyCodes::KEY_LSHIFT) || router.IsKeyDown(KeyCodes::KEY_RSHIFT);
}
} // namespace

namespace InputCallbacks
{
void OnKey(int key, bool pressed)
{
    Console* console = World::GetInstance().GetConsole();
    if (!pressed)
    {
        if (console && console->IsEnabled())
            return;
        if (KeyBinding* binding = InputRouter::GetInstance().GetBinding(LowerCaseKeyCode(key)))
            binding->OnKeyUp();
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
    if (InputRouter::GetInstance().OnKeyDown(key))
        return;
    if (key == KeyCodes::KEY_ESCAPE)
        World::GetInstance().StopGame();
}

void OnCharacter(unsigned int codepoint)
{
    if (codepoint == static_cast<unsigned int>(BackquoteKey))
        return;
    Console* console = World::GetInstance().GetConsole();
    // Code points beyond the int range can't be anything the console accepts.
    if (console && codepoint <= 0x10FFFF)
        console->HandleCharacter(static_cast<int>(codepoint));
}

void OnMouseMotion(int x, int y) { MouseInput::OnMotion(x, y); }

void OnMouseButton(int button, bool pressed) { MouseInput::OnButton(button, pressed); }
} // namespace InputCallbacks
