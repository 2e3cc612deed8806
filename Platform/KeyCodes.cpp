#include "Platform/KeyCodes.h"

#include <GLFW/glfw3.h>

namespace
{
struct KeyPair
{
    int library;
    int engine;
};

// Special keys whose codes differ between the library and the engine. Ranges
// (F1..F25, KP_0..KP_9) are handled in code below.
constexpr KeyPair specialKeys[] = {
    {GLFW_KEY_ESCAPE, KeyCodes::KEY_ESCAPE},
    {GLFW_KEY_UP, KeyCodes::KEY_UP},
    {GLFW_KEY_DOWN, KeyCodes::KEY_DOWN},
    {GLFW_KEY_LEFT, KeyCodes::KEY_LEFT},
    {GLFW_KEY_RIGHT, KeyCodes::KEY_RIGHT},
    {GLFW_KEY_LEFT_SHIFT, KeyCodes::KEY_LSHIFT},
    {GLFW_KEY_RIGHT_SHIFT, KeyCodes::KEY_RSHIFT},
    {GLFW_KEY_LEFT_CONTROL, KeyCodes::KEY_LCTRL},
    {GLFW_KEY_RIGHT_CONTROL, KeyCodes::KEY_RCTRL},
    {GLFW_KEY_LEFT_ALT, KeyCodes::KEY_LALT},
    {GLFW_KEY_RIGHT_ALT, KeyCodes::KEY_RALT},
    {GLFW_KEY_TAB, KeyCodes::KEY_TAB},
    {GLFW_KEY_ENTER, KeyCodes::KEY_ENTER},
    {GLFW_KEY_BACKSPACE, KeyCodes::KEY_BACKSPACE},
    {GLFW_KEY_INSERT, KeyCodes::KEY_INSERT},
    {GLFW_KEY_DELETE, KeyCodes::KEY_DELETE},
    {GLFW_KEY_PAGE_UP, KeyCodes::KEY_PAGEUP},
    {GLFW_KEY_PAGE_DOWN, KeyCodes::KEY_PAGEDOWN},
    {GLFW_KEY_HOME, KeyCodes::KEY_HOME},
    {GLFW_KEY_END, KeyCodes::KEY_END},
    {GLFW_KEY_KP_DIVIDE, KeyCodes::KEY_KP_DIVIDE},
    {GLFW_KEY_KP_MULTIPLY, KeyCodes::KEY_KP_MULTIPLY},
    {GLFW_KEY_KP_SUBTRACT, KeyCodes::KEY_KP_SUBTRACT},
    {GLFW_KEY_KP_ADD, KeyCodes::KEY_KP_ADD},
    {GLFW_KEY_KP_DECIMAL, KeyCodes::KEY_KP_DECIMAL},
    {GLFW_KEY_KP_EQUAL, KeyCodes::KEY_KP_EQUAL},
    {GLFW_KEY_KP_ENTER, KeyCodes::KEY_KP_ENTER},
};
} // namespace

namespace KeyCodes
{
int FromLibraryKey(int libraryKey)
{
    // Printable keys share their codes in both spaces.
    if (libraryKey >= GLFW_KEY_SPACE && libraryKey <= GLFW_KEY_GRAVE_ACCENT)
        return libraryKey;
    if (libraryKey >= GLFW_KEY_F1 && libraryKey < GLFW_KEY_F1 + FunctionKeyCount)
        return KEY_F1 + (libraryKey - GLFW_KEY_F1);
    if (libraryKey >= GLFW_KEY_KP_0 && libraryKey < GLFW_KEY_KP_0 + KeypadDigitCount)
        return KEY_KP_0 + (libraryKey - GLFW_KEY_KP_0);
    for (const KeyPair& pair : specialKeys)
    {
        if (pair.library == libraryKey)
            return pair.engine;
    }
    return -1;
}

int ToLibraryKey(int engineKey)
{
    if (engineKey >= 'a' && engineKey <= 'z')
        return engineKey - 'a' + 'A';
    if (engineKey >= GLFW_KEY_SPACE && engineKey <= GLFW_KEY_GRAVE_ACCENT)
        return engineKey;
    if (engineKey >= KEY_F1 && engineKey < KEY_F1 + FunctionKeyCount)
        return GLFW_KEY_F1 + (engineKey - KEY_F1);
    if (engineKey >= KEY_KP_0 && engineKey < KEY_KP_0 + KeypadDigitCount)
        return GLFW_KEY_KP_0 + (engineKey - KEY_KP_0);
    for (const KeyPair& pair : specialKeys)
    {
        if (pair.engine == engineKey)
            return pair.library;
    }
    return -1;
}
} // namespace KeyCodes
