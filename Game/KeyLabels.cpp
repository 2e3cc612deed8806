#include "Game/KeyLabels.h"

#include "Input/ControllerManager.h"
#include "Input/InputRouter.h"
#include "Input/KeyNames.h"
#include "Platform/KeyCodes.h"

#include <algorithm>
#include <cctype>

namespace
{
struct SpecialLabel
{
    int code;
    const char* label;
};

const SpecialLabel SpecialLabels[] = {
    {' ', "Space"},
    {KeyCodes::KEY_ESCAPE, "Esc"},
    {KeyCodes::KEY_UP, "Up"},
    {KeyCodes::KEY_DOWN, "Down"},
    {KeyCodes::KEY_LEFT, "Left"},
    {KeyCodes::KEY_RIGHT, "Right"},
    {KeyCodes::KEY_LSHIFT, "Left Shift"},
    {KeyCodes::KEY_RSHIFT, "Right Shift"},
    {KeyCodes::KEY_LCTRL, "Left Ctrl"},
    {KeyCodes::KEY_RCTRL, "Right Ctrl"},
    {KeyCodes::KEY_LALT, "Left Alt"},
    {KeyCodes::KEY_RALT, "Right Alt"},
    {KeyCodes::KEY_TAB, "Tab"},
    {KeyCodes::KEY_ENTER, "Enter"},
    {KeyCodes::KEY_BACKSPACE, "Backspace"},
    {KeyCodes::KEY_INSERT, "Insert"},
    {KeyCodes::KEY_DELETE, "Delete"},
    {KeyCodes::KEY_PAGEUP, "Page Up"},
    {KeyCodes::KEY_PAGEDOWN, "Page Down"},
    {KeyCodes::KEY_HOME, "Home"},
    {KeyCodes::KEY_END, "End"},
    {KeyCodes::KEY_KP_DIVIDE, "Keypad /"},
    {KeyCodes::KEY_KP_MULTIPLY, "Keypad *"},
    {KeyCodes::KEY_KP_SUBTRACT, "Keypad -"},
    {KeyCodes::KEY_KP_ADD, "Keypad +"},
    {KeyCodes::KEY_KP_DECIMAL, "Keypad ."},
    {KeyCodes::KEY_KP_EQUAL, "Keypad ="},
    {KeyCodes::KEY_KP_ENTER, "Keypad Enter"},
};

// In the order of the bindable buttons (KeyNames::FirstPadButton on).
const char* const PadButtonLabels[KeyNames::PadButtonCount] = {
    "A", "B", "X", "Y", "Start", "Back", "left stick", "right stick", "LT", "RT", "LB", "RB",
};

constexpr int PadAButton = KeyNames::FirstPadButton;

bool IsSpecial(int code) { return code > 255; }

std::vector<int> Keyboard(const std::vector<int>& keys)
{
    std::vector<int> keyboard;
    for (int key : keys)
        if (!KeyLabels::IsPadButton(key))
            keyboard.push_back(key);
    // The arrows before the letters, as the game has always named them.
    std::stable_sort(keyboard.begin(), keyboard.end(),
                     [](int a, int b) { return IsSpecial(a) != IsSpecial(b) ? IsSpecial(a) : a < b; });
    return keyboard;
}

std::vector<int> Without(std::vector<int> keys, int left)
{
    keys.erase(std::remove(keys.begin(), keys.end(), left), keys.end());
    return keys;
}

// "Up/Down" and then each pair of other keys bound to walking up and down ("W/S").
std::vector<String> UpDownPairs()
{
    const std::vector<int> ups = Without(KeyLabels::KeyboardKeysOf(GA_MoveUp), KeyCodes::KEY_UP);
    const std::vector<int> downs = Without(KeyLabels::KeyboardKeysOf(GA_MoveDown), KeyCodes::KEY_DOWN);
    std::vector<String> pairs = {"Up/Down"};
    const size_t count = std::max(ups.size(), downs.size());
    for (size_t i = 0; i < count; ++i)
    {
        if (i < ups.size() && i < downs.size())
            pairs.push_back(KeyLabels::Of(ups[i]) + "/" + KeyLabels::Of(downs[i]));
        else
            pairs.push_back(KeyLabels::Of(i < ups.size() ? ups[i] : downs[i]));
    }
    return pairs;
}
} // namespace

namespace KeyLabels
{
bool IsPadButton(int keyCode) { return keyCode >= KeyNames::FirstPadButton; }

String PadButtonOf(int keyCode)
{
    const int base = keyCode >= KeyNames::SecondPadButton ? KeyNames::SecondPadButton : KeyNames::FirstPadButton;
    const int button = keyCode - base;
    return button >= 0 && button < KeyNames::PadButtonCount ? PadButtonLabels[button] : "?";
}

String Of(int keyCode)
{
    if (IsPadButton(keyCode))
        return (keyCode >= KeyNames::SecondPadButton ? "pad 2 " : "pad ") + PadButtonOf(keyCode);
    for (const SpecialLabel& special : SpecialLabels)
        if (special.code == keyCode)
            return special.label;
    if (keyCode >= KeyCodes::KEY_F1 && keyCode < KeyCodes::KEY_F1 + 25)
        return "F" + std::to_string(keyCode - KeyCodes::KEY_F1 + 1);
    if (keyCode >= KeyCodes::KEY_KP_0 && keyCode <= KeyCodes::KEY_KP_0 + 9)
        return "Keypad " + std::to_string(keyCode - KeyCodes::KEY_KP_0);
    if (keyCode > ' ' && keyCode < 127)
        return String(1, static_cast<char>(std::toupper(keyCode)));
    return "?";
}

std::vector<int> KeyboardKeysOf(GameAction action) { return Keyboard(GameControls::KeysOf(action)); }

std::vector<int> PadButtonsOf(GameAction action)
{
    std::vector<int> buttons;
    for (int key : GameControls::KeysOf(action))
        if (IsPadButton(key))
            buttons.push_back(key);
    if (action == GA_Lie && buttons.empty())
        buttons.push_back(PadAButton);
    return buttons;
}

bool IsPadConnected() { return ControllerManager::GetInstance().GetController(0).IsConnected(); }

String Alternatives(const std::vector<String>& labels)
{
    String text;
    for (size_t i = 0; i < labels.size(); ++i)
    {
        if (i > 0)
            text += i + 1 == labels.size() ? " or " : ", ";
        text += labels[i];
    }
    return text;
}

String MenuHint(bool withPad, bool canQuit)
{
    std::vector<String> choose = UpDownPairs();
    if (withPad)
        choose.push_back("the stick");

    // Enter and pad A always confirm; so do the keys bound to lying.
    std::vector<String> go = {"Enter"};
    for (int key : Without(KeyboardKeysOf(GA_Lie), KeyCodes::KEY_ENTER))
        go.push_back(Of(key));
    if (withPad)
    {
        go.push_back(Of(PadAButton));
        for (int button : Without(PadButtonsOf(GA_Lie), PadAButton))
            go.push_back(Of(button));
    }

    String hint = Alternatives(choose) + " to choose, " + Alternatives(go) + " to go";
    // A bound Escape sends its message instead of leaving.
    if (!InputRouter::GetInstance().GetBinding(KeyCodes::KEY_ESCAPE))
        hint += canQuit ? ", Esc to quit" : ", Esc to leave a game";
    return hint;
}
} // namespace KeyLabels
