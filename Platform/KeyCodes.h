#pragma once

// The engine's key codes: printable keys by their character code (the window layer
// reports letters upper-case, 65..90), special keys in the classic code space below.
// The windowing library numbers keys differently; this table is the one place where
// the two meet.
namespace KeyCodes
{
// Codes of keys that type no character, in the engine's own numbering.
enum SpecialKey
{
    KEY_ESCAPE = 257,
    KEY_F1 = 258, // .. F25 = 282
    KEY_UP = 283,
    KEY_DOWN = 284,
    KEY_LEFT = 285,
    KEY_RIGHT = 286,
    KEY_LSHIFT = 287,
    KEY_RSHIFT = 288,
    KEY_LCTRL = 289,
    KEY_RCTRL = 290,
    KEY_LALT = 291,
    KEY_RALT = 292,
    KEY_TAB = 293,
    KEY_ENTER = 294,
    KEY_BACKSPACE = 295,
    KEY_INSERT = 296,
    KEY_DELETE = 297,
    KEY_PAGEUP = 298,
    KEY_PAGEDOWN = 299,
    KEY_HOME = 300,
    KEY_END = 301,
    KEY_KP_0 = 302, // .. KP_9 = 311
    KEY_KP_DIVIDE = 312,
    KEY_KP_MULTIPLY = 313,
    KEY_KP_SUBTRACT = 314,
    KEY_KP_ADD = 315,
    KEY_KP_DECIMAL = 316,
    KEY_KP_EQUAL = 317,
    KEY_KP_ENTER = 318,
    KEY_LAST = 318
};

constexpr int FunctionKeyCount = 25;
constexpr int KeypadDigitCount = 10;

// The engine code of a library key, or -1 for keys the engine doesn't know.
int FromLibraryKey(int libraryKey);
// The library key of an engine code (letters in either case), or -1 for codes with none
// (pad buttons, codes above 318).
int ToLibraryKey(int engineKey);
} // namespace KeyCodes
