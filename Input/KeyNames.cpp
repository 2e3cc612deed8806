#include "Input/KeyNames.h"

#include "Platform/KeyCodes.h"

#include <string>

namespace
{
// Single names with their codes. Runs of consecutive codes (letters, digits, F keys,
// keypad digits, pad buttons) are filled in by Table().
struct KeyName
{
    const char* name;
    int code;
};

constexpr KeyName singleNames[] = {
    {"MINUS", '-'},
    {"PLUS", '+'},
    {"LEFTBRACE", '['},
    {"RIGHTBRACE", ']'},
    // The two slash names are swapped; kept so that binding files written for them still work.
    {"FORWARDSLASH", '\\'},
    {"BACKSLASH", '/'},
    {"SEMICOLON", ';'},
    {"APOSTROPHE", '\''},
    {"COMMA", ','},
    {"PERIOD", '.'},
    {"SPACE", ' '},
    {"ESCAPE", KeyCodes::KEY_ESCAPE},
    {"UP_ARROW", KeyCodes::KEY_UP},
    {"DOWN_ARROW", KeyCodes::KEY_DOWN},
    {"LEFT_ARROW", KeyCodes::KEY_LEFT},
    {"RIGHT_ARROW", KeyCodes::KEY_RIGHT},
    {"L_SHIFT", KeyCodes::KEY_LSHIFT},
    {"R_SHIFT", KeyCodes::KEY_RSHIFT},
    {"L_CONTROL", KeyCodes::KEY_LCTRL},
    {"R_CONTROL", KeyCodes::KEY_RCTRL},
    {"L_ALT", KeyCodes::KEY_LALT},
    {"R_ALT", KeyCodes::KEY_RALT},
    {"TAB", KeyCodes::KEY_TAB},
    {"ENTER", KeyCodes::KEY_ENTER},
    {"BACKSPACE", KeyCodes::KEY_BACKSPACE},
    {"INSERT", KeyCodes::KEY_INSERT},
    {"DELETE", KeyCodes::KEY_DELETE},
    {"PAGEUP", KeyCodes::KEY_PAGEUP},
    {"PAGEDOWN", KeyCodes::KEY_PAGEDOWN},
    {"HOME", KeyCodes::KEY_HOME},
    {"END", KeyCodes::KEY_END},
    {"KP_DIVIDE", KeyCodes::KEY_KP_DIVIDE},
    {"KP_MULTIPLY", KeyCodes::KEY_KP_MULTIPLY},
    {"KP_SUBTRACT", KeyCodes::KEY_KP_SUBTRACT},
    {"KP_ADD", KeyCodes::KEY_KP_ADD},
    {"KP_DECIMAL", KeyCodes::KEY_KP_DECIMAL},
    {"KP_EQUAL", KeyCodes::KEY_KP_EQUAL},
    {"KP_ENTER", KeyCodes::KEY_KP_ENTER},
};

const char* const digitNames[] = {"ZERO", "ONE", "TWO", "THREE", "FOUR", "FIVE", "SIX", "SEVEN", "EIGHT", "NINE"};

const char* const padButtonSuffixes[KeyNames::PadButtonCount] = {
    "BUTTON_A",          "BUTTON_B",          "BUTTON_X",          "BUTTON_Y",           "BUTTON_START",
    "BUTTON_BACK",       "BUTTON_LEFTTHUMB",  "BUTTON_RIGHTTHUMB", "BUTTON_LEFTTRIGGER", "BUTTON_RIGHTTRIGGER",
    "BUTTON_LEFTBUMPER", "BUTTON_RIGHTBUMPER"};
} // namespace

namespace KeyNames
{
const std::unordered_map<String, int>& Table()
{
    static const std::unordered_map<String, int> names = []
    {
        std::unordered_map<String, int> table;
        for (char letter = 'A'; letter <= 'Z'; ++letter)
            table[String(1, letter)] = letter - 'A' + 'a';
        for (int digit = 0; digit < 10; ++digit)
            table[digitNames[digit]] = '0' + digit;
        for (const KeyName& entry : singleNames)
            table[entry.name] = entry.code;
        for (int f = 0; f < KeyCodes::FunctionKeyCount; ++f)
            table["F" + std::to_string(f + 1)] = KeyCodes::KEY_F1 + f;
        for (int k = 0; k < KeyCodes::KeypadDigitCount; ++k)
            table["KP_" + std::to_string(k)] = KeyCodes::KEY_KP_0 + k;
        for (int b = 0; b < PadButtonCount; ++b)
        {
            table[String("P1") + padButtonSuffixes[b]] = FirstPadButton + b;
            table[String("P2") + padButtonSuffixes[b]] = SecondPadButton + b;
        }
        return table;
    }();
    return names;
}
} // namespace KeyNames
