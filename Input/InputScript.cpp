#include "Input/InputScript.h"

#include "Input/ControllerManager.h"
#include "Input/InputCallbacks.h"
#include "Input/InputRouter.h"
#include "Util/SafeFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace
{
// Pad button codes as the binding file numbers them (see Input/InputRouter.h).
constexpr int FirstPadCode = 1000;
constexpr int PadCodeStride = 20;
constexpr int PadCount = 2;
constexpr long MaxFrame = 1000000000L;
// Hours of recorded play take a few megabytes; the limit keeps a wrong file (a device,
// a disk image) from taking all memory before its first line is refused.
constexpr std::size_t MaxScriptBytes = 32 * 1024 * 1024;

bool IsPadCode(int code) { return code >= FirstPadCode; }
int PadOf(int code) { return (code - FirstPadCode) / PadCodeStride; }
int ButtonOf(int code) { return (code - FirstPadCode) % PadCodeStride; }

bool ParseFrame(const String& text, int& frame)
{
    if (text.empty() || text[0] == '-' || text[0] == '+')
        return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value > MaxFrame)
        return false;
    frame = static_cast<int>(value);
    return true;
}

// Reads one non-blank line; returns an empty text or what is wrong with it.
String ParseLine(const String& line, ScriptedInput& input)
{
    const StringList words = SplitText(line, " \t\r", true);
    if (words.size() != 4)
        return "expected \"FRAME key|pad NAME down|up\", found " + std::to_string(words.size()) + " words";
    if (!ParseFrame(words[0], input.frame))
        return "the frame must be a whole number from 0 to " + std::to_string(MaxFrame) + ", not \"" + words[0] + "\"";

    const String kind = ToLower(words[1]);
    if (kind != "key" && kind != "pad")
        return "expected \"key\" or \"pad\", not \"" + words[1] + "\"";
    // Not the router itself, which would read its bindings before the program has found
    // its run folder and its player's folder.
    input.code = InputRouter::GetKeyCode(words[2]);
    if (input.code < 0)
        return "unknown " + kind + " name \"" + words[2] + "\"";
    if ((kind == "pad") != IsPadCode(input.code))
        return "\"" + words[2] + "\" is not a " + (kind == "pad" ? "pad button" : "key") + " name";

    const String edge = ToLower(words[3]);
    if (edge != "down" && edge != "up")
        return "expected \"down\" or \"up\", not \"" + words[3] + "\"";
    input.down = edge == "down";
    return String();
}

// The code the window layer would report for the key: letters arrive upper-case.
int WindowKeyCode(int code) { return (code >= 'a' && code <= 'z') ? code - 'a' + 'A' : code; }
} // namespace

bool InputScript::Load(const String& fileName, String& error)
{
    String text;
    String reason;
    switch (ReadRegularFile(fileName, MaxScriptBytes, text, reason))
    {
    case FRS_Read:
        break;
    case FRS_NotRegular:
        error = fileName + ": can't be read as an input script: " + reason;
        return false;
    case FRS_TooLarge:
        error = fileName + ": " + reason + ", the most an input script may hold";
        return false;
    default:
        error = fileName + ": can't be read";
        return false;
    }
    return Parse(SplitText(text, "\n", false), fileName, error);
}

bool InputScript::Parse(const StringList& lines, const String& fileName, String& error)
{
    std::vector<ScriptedInput> parsed;
    parsed.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
    {
        const String text = TrimText(lines[i].substr(0, lines[i].find('#')));
        if (text.empty())
            continue;
        ScriptedInput input;
        const String problem = ParseLine(text, input);
        if (!problem.empty())
        {
            error = fileName + ":" + std::to_string(i + 1) + ": " + problem;
            return false;
        }
        parsed.push_back(input);
    }
    // One sort, not one insertion per line: a script written in falling frame order
    // would otherwise move the whole list once per line. Stable, as Add keeps equal
    // frames in the order they were written.
    std::stable_sort(parsed.begin(), parsed.end(),
                     [](const ScriptedInput& a, const ScriptedInput& b) { return a.frame < b.frame; });
    inputs = std::move(parsed);
    next = 0;
    return true;
}

void InputScript::Add(const ScriptedInput& input)
{
    // Kept sorted by frame; equal frames keep the order they were added in.
    auto later = std::upper_bound(inputs.begin(), inputs.end(), input.frame,
                                  [](int frame, const ScriptedInput& other) { return frame < other.frame; });
    inputs.insert(later, input);
}

String InputScript::Format() const
{
    String text;
    for (const ScriptedInput& input : inputs)
    {
        text += std::to_string(input.frame) + (IsPadCode(input.code) ? " pad " : " key ") +
                InputRouter::GetKeyName(input.code) + (input.down ? " down\n" : " up\n");
    }
    return text;
}

void InputScript::Play(int frame)
{
    for (; next < inputs.size() && inputs[next].frame <= frame; ++next)
    {
        const ScriptedInput& input = inputs[next];
        if (IsPadCode(input.code))
        {
            // The pad's next poll turns this into binding messages, as for a real pad.
            ControllerManager::GetInstance()
                .GetController(PadOf(input.code))
                .SetScriptedButton(ButtonOf(input.code), input.down);
            continue;
        }
        // The held state first, so that whatever the key's message wakes sees it down.
        InputRouter::GetInstance().SetScriptedKey(input.code, input.down);
        InputCallbacks::OnKey(WindowKeyCode(input.code), input.down);
    }
}

void InputScript::PlugInScriptedPads() const
{
    bool used[PadCount] = {false, false};
    for (const ScriptedInput& input : inputs)
    {
        if (IsPadCode(input.code) && PadOf(input.code) < PadCount)
            used[PadOf(input.code)] = true;
    }
    for (int pad = 0; pad < PadCount; ++pad)
    {
        if (used[pad])
            ControllerManager::GetInstance().GetController(pad).SetScripted(true);
    }
}
