#include "Input/InputRouter.h"

#include "Infrastructure/Console.h"
#include "Infrastructure/World.h"
#include "Input/Controller.h"
#include "Input/ControllerManager.h"
#include "Input/KeyBinding.h"
#include "Input/KeyNames.h"
#include "Platform/KeyCodes.h"
#include "Platform/Log.h"
#include "Platform/PlayerFolders.h"
#include "Platform/Window.h"
#include "Util/SafeFiles.h"

#include <algorithm>
#include <utility>

namespace
{
const char* const BindingFileName = "input_bindings.ini";
const char* const BindingFile = "Config/input_bindings.ini";
const String ByteOrderMark = "\xEF\xBB\xBF";
// Far more than any keyboard's worth of bindings; a bigger file is a mistake, not keys.
constexpr std::size_t MaxBindingBytes = 1 << 20;
// A file that is no bindings file would bury the log: the first bad lines are named, the
// rest only counted.
constexpr size_t MaxBindingWarnings = 10;
// No key name is longer; a line of junk is shown only this far.
constexpr size_t MaxShownKeyName = 40;

String ShownKeyName(const String& keyName)
{
    return keyName.size() <= MaxShownKeyName ? keyName : keyName.substr(0, MaxShownKeyName) + "...";
}

// The lines of a binding file, as a text editor shows them (a final line feed gives a
// last empty line). Opening never waits on a FIFO, and nothing past the limit is read.
FileReadStatus ReadBindingLines(const String& fileName, StringList& lines, String& reason)
{
    String text;
    const FileReadStatus status = ReadRegularFile(fileName, MaxBindingBytes, text, reason);
    if (status != FRS_Read)
        return status;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != String::npos; end = text.find('\n', start))
    {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    lines.push_back(text.substr(start));
    return FRS_Read;
}

// The button tests in the order of the codes above; several buttons changing in one
// poll broadcast in this order.
using ButtonTest = bool (Controller::*)() const;
const ButtonTest padButtonTests[KeyNames::PadButtonCount] = {
    &Controller::IsAButtonDown,
    &Controller::IsBButtonDown,
    &Controller::IsXButtonDown,
    &Controller::IsYButtonDown,
    &Controller::IsStartButtonDown,
    &Controller::IsBackButtonDown,
    &Controller::IsLeftThumbstickButtonDown,
    &Controller::IsRightThumbstickButtonDown,
    &Controller::IsLeftTriggerPressed,
    &Controller::IsRightTriggerPressed,
    &Controller::IsLeftBumperDown,
    &Controller::IsRightBumperDown,
};
} // namespace

int LowerCaseKeyCode(int keyCode) { return (keyCode >= 'A' && keyCode <= 'Z') ? keyCode - 'A' + 'a' : keyCode; }

InputRouter& InputRouter::GetInstance()
{
    static InputRouter* instance = new InputRouter();
    return *instance;
}

InputRouter::InputRouter()
{
    for (int b = 0; b < KeyNames::PadButtonCount; ++b)
    {
        firstPadButtons[KeyNames::FirstPadButton + b] = false;
        secondPadButtons[KeyNames::SecondPadButton + b] = false;
    }
    ReadStartBindings();
}

void InputRouter::ReadStartBindings()
{
    // The player's copy replaces the shipped file, which may sit in a system folder
    // and is never written.
    const String own = PlayerConfigFile(BindingFileName);
    if (!own.empty())
    {
        StringList lines;
        String reason;
        const FileReadStatus status = ReadBindingLines(own, lines, reason);
        if (status == FRS_Read)
        {
            ReadBindings(lines, own);
            return;
        }
        if (status != FRS_Missing)
            SystemLogInstance().Printf("WARNING: can't read the key bindings %s (%s); using %s instead.", own.c_str(),
                                       reason.c_str(), BindingFile);
    }
    ReadBindingFile(BindingFile);
}

void InputRouter::ReadBindingFile(const String& fileName)
{
    StringList lines;
    String reason;
    const FileReadStatus status = ReadBindingLines(fileName, lines, reason);
    if (status == FRS_Read)
        ReadBindings(lines, fileName);
    else if (status != FRS_Missing)
        SystemLogInstance().Printf("WARNING: can't read the key bindings %s (%s); no keys are bound from it.",
                                   fileName.c_str(), reason.c_str());
}

void InputRouter::ReadBindings(const StringList& lines, const String& sourceName)
{
    size_t skipped = 0;
    for (size_t i = 0; i < lines.size(); ++i)
    {
        String line = lines[i];
        // Editors that write a byte-order mark would otherwise glue it to the first key name.
        if (i == 0 && line.compare(0, ByteOrderMark.size(), ByteOrderMark) == 0)
            line.erase(0, ByteOrderMark.size());
        // Only a semicolon in the very first column starts a comment.
        if (TrimText(line).empty() || line[0] == ';')
            continue;
        const StringList pieces = SplitText(line, "=:", false);
        const String keyName = pieces.empty() ? String() : TrimText(pieces[0]);
        String problem;
        if (pieces.size() < 2)
            problem = "no \"=\" or \":\" between key and message";
        else if (GetKeyCode(keyName) < 0)
            problem = "unknown key name \"" + ShownKeyName(keyName) + "\"";
        if (!problem.empty())
        {
            if (++skipped <= MaxBindingWarnings)
                SystemLogInstance().Printf("WARNING: %s:%zu: %s; line skipped.", sourceName.c_str(), i + 1,
                                           problem.c_str());
            continue;
        }
        BindKey(keyName, TrimText(pieces[1]));
    }
    if (skipped > MaxBindingWarnings)
        SystemLogInstance().Printf("WARNING: %s: %zu more lines skipped like those.", sourceName.c_str(),
                                   skipped - MaxBindingWarnings);
}

void InputRouter::ClearBindings()
{
    for (auto& entry : bindings)
        delete entry.second;
    bindings.clear();
}

int InputRouter::GetKeyCode(const String& keyName)
{
    auto found = KeyNames::Table().find(ToUpper(keyName));
    return found == KeyNames::Table().end() ? -1 : found->second;
}

String InputRouter::GetKeyName(int keyCode)
{
    for (const auto& entry : KeyNames::Table())
    {
        if (entry.second == keyCode)
            return entry.first;
    }
    return String();
}

void InputRouter::BindKey(const String& keyName, const String& binding)
{
    if (binding.empty())
        return;
    const int code = GetKeyCode(keyName);
    if (code < 0)
        return;

    KeyBinding*& keyBinding = bindings[code];
    if (!keyBinding)
        keyBinding = new KeyBinding();
    // Only the prefix character goes: "+ word" keeps its space.
    if (binding[0] == '-')
        keyBinding->SetKeyUpMessage(binding.substr(1));
    else if (binding[0] == '+')
        keyBinding->SetKeyDownMessage(binding.substr(1));
    else
        keyBinding->SetKeyDownMessage(binding);
}

bool InputRouter::OnKeyDown(int keyCode)
{
    const int code = LowerCaseKeyCode(keyCode);
    heldForGame.insert(code);
    KeyBinding* binding = GetBinding(code);
    if (!binding)
        return false;
    binding->OnKeyDown();
    return true;
}

void InputRouter::OnKeyUp(int keyCode)
{
    const int code = LowerCaseKeyCode(keyCode);
    // A press the console took, or one from before the window had the keyboard, was
    // never announced: its release would be a release of nothing.
    if (heldForGame.erase(code) == 0)
        return;
    if (KeyBinding* binding = GetBinding(code))
        binding->OnKeyUp();
}

KeyBinding* InputRouter::GetBinding(int keyCode) const
{
    auto found = bindings.find(keyCode);
    return found == bindings.end() ? nullptr : found->second;
}

void InputRouter::PollPadButtons(Controller& controller)
{
    FollowConsole();
    int base = 0;
    std::unordered_map<int, bool>* states = nullptr;
    switch (controller.GetControllerID())
    {
    case 0:
        base = KeyNames::FirstPadButton;
        states = &firstPadButtons;
        break;
    case 1:
        base = KeyNames::SecondPadButton;
        states = &secondPadButtons;
        break;
    default:
        SystemLogInstance().Log("Bad controller ID.");
        return;
    }

    // The states are kept up to date while the console owns the pad, so that a button
    // held through it makes no edge when it closes.
    const bool consoleOpen = IsConsoleOpen();
    for (int b = 0; b < KeyNames::PadButtonCount; ++b)
    {
        const int code = base + b;
        const bool held = (controller.*padButtonTests[b])();
        const bool wasHeld = std::exchange((*states)[code], held);
        if (consoleOpen)
            continue;
        KeyBinding* binding = GetBinding(code);
        if (held && !wasHeld)
        {
            heldForGame.insert(code);
            if (binding)
                binding->OnKeyDown();
        }
        else if (!held && heldForGame.erase(code) != 0 && binding)
        {
            binding->OnKeyUp();
        }
    }
}

bool InputRouter::IsKeyDown(int keyCode) const
{
    const int code = LowerCaseKeyCode(keyCode);
    if (IsConsoleOpen() || heldForGame.count(code) == 0)
        return false;
    if (code >= KeyNames::FirstPadButton)
    {
        // A lost pad is never polled again, so its buttons are asked directly.
        const int pad = code >= KeyNames::SecondPadButton ? 1 : 0;
        const int button = code - (pad == 0 ? KeyNames::FirstPadButton : KeyNames::SecondPadButton);
        const Controller& controller = ControllerManager::GetInstance().GetController(pad);
        return button < KeyNames::PadButtonCount && controller.IsConnected() && controller.IsBindableButtonDown(button);
    }
    return IsKeyDownOnKeyboard(code);
}

bool InputRouter::IsKeyDownOnKeyboard(int keyCode) const
{
    if (scriptedKeys.count(LowerCaseKeyCode(keyCode)) != 0)
        return true;
    // Pad buttons and other codes above the keyboard's have no library key.
    const int libraryKey = KeyCodes::ToLibraryKey(keyCode);
    return libraryKey >= 0 && Window::IsLibraryKeyDown(libraryKey);
}

std::vector<int> InputRouter::GetKeysBoundTo(const String& pressMessage) const
{
    std::vector<int> codes;
    for (const auto& entry : bindings)
    {
        if (entry.second->GetKeyDownMessage() == pressMessage)
            codes.push_back(entry.first);
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

bool InputRouter::IsConsoleOpen()
{
    const Console* console = World::GetInstance().GetConsole();
    return console && console->IsEnabled();
}

void InputRouter::FollowConsole()
{
    const bool open = IsConsoleOpen();
    if (open == consoleWasOpen)
        return;
    consoleWasOpen = open;
    if (!open)
        return;
    // Taken from the game as if let go: a lie or a walk in progress ends, and every press
    // message the bindings sent gets its release.
    const std::set<int> taken = std::exchange(heldForGame, {});
    for (int code : taken)
    {
        if (KeyBinding* binding = GetBinding(code))
            binding->OnKeyUp();
    }
}

void InputRouter::SetScriptedKey(int keyCode, bool down)
{
    if (down)
        scriptedKeys.insert(LowerCaseKeyCode(keyCode));
    else
        scriptedKeys.erase(LowerCaseKeyCode(keyCode));
}
