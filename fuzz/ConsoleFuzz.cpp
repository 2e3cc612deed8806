// Arbitrary key presses and typed characters on an open console: the caret always stays
// inside the line, and entered lines reach Execute whole.
#include "Infrastructure/Console.h"
#include "Platform/KeyCodes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace
{
class FuzzConsole : public Console
{
public:
    void Execute(String input) override { lastExecuted = input; }
    // Candidates of any length, so Tab can make the line longer or shorter.
    StringList GetCompletions(String input) override
    {
        if (input.empty())
            return StringList();
        return StringList{input + input.substr(0, 1), input.substr(0, input.size() / 2)};
    }
    String lastExecuted;
};

const int specialKeys[] = {KeyCodes::KEY_UP,        KeyCodes::KEY_DOWN,   KeyCodes::KEY_LEFT,   KeyCodes::KEY_RIGHT,
                           KeyCodes::KEY_HOME,      KeyCodes::KEY_END,    KeyCodes::KEY_TAB,    KeyCodes::KEY_ENTER,
                           KeyCodes::KEY_BACKSPACE, KeyCodes::KEY_DELETE, KeyCodes::KEY_ESCAPE, '`'};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    // A fresh console per input, so that its history holds only what this input entered.
    FuzzConsole fresh;
    FuzzConsole* console = &fresh;
    console->SetEnabled(true);
    for (size_t i = 0; i + 1 < size; i += 2)
    {
        const int value = data[i + 1];
        switch (data[i] % 4)
        {
        case 0:
            console->HandleCharacter(value);
            break;
        case 1:
            console->HandleKeyDown(specialKeys[value % (sizeof(specialKeys) / sizeof(specialKeys[0]))]);
            break;
        case 2:
            console->HandleKeyDown(value * 3 - 100);
            break;
        default:
            console->SetEnabled(true);
            break;
        }
        const int caret = console->GetCaretPosition();
        if (caret < 0 || static_cast<size_t>(caret) > console->GetCurrentInput().size())
            std::abort();
    }
    return 0;
}
