#include "Input/InputScript.h"

#include "Input/ControllerManager.h"
#include "Input/InputCallbacks.h"
#include "Input/InputRouter.h"
#include "Util/SafeFiles.h"
#include "Util/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
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

// The console's key has no binding-file name, so that no binding can claim it; scripts
// still have to press it to replay a console session.
constexpr int BackquoteKey = '`';
const char* const BackquoteName = "GRAVE";
const char* const Blanks = " \t";

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

String FrameProblem(const String& word)
{
    return "the frame must be a whole number from 0 to " + std::to_string(MaxFrame) + ", not \"" + word + "\"";
}

int ScriptKeyCode(const String& name)
{
    if (ToUpper(name) == BackquoteName)
        return BackquoteKey;
    // Not the router itself, which would read its bindings before the program has found
    // its run folder and its player's folder.
    return InputRouter::GetKeyCode(name);
}

// Reads one non-blank key or pad line, comment removed; returns an empty text or what is
// wrong with it.
String ParseLine(const String& line, ScriptedInput& input)
{
    const StringList words = SplitText(line, " \t\r", true);
    if (words.size() != 4)
        return "expected \"FRAME key|pad NAME down|up\" or \"FRAME text TEXT\", found " + std::to_string(words.size()) +
               " words";
    if (!ParseFrame(words[0], input.frame))
        return FrameProblem(words[0]);

    const String kind = ToLower(words[1]);
    if (kind != "key" && kind != "pad")
        return "expected \"key\", \"pad\" or \"text\", not \"" + words[1] + "\"";
    input.code = ScriptKeyCode(words[2]);
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

// Where the text of a "FRAME text TEXT" line starts, or npos for another kind of line. The
// text is read from the line as it is, since a "#" in it is typed, not a comment.
std::size_t TextStart(const String& line, String& frameWord)
{
    const std::size_t frameStart = line.find_first_not_of(Blanks);
    if (frameStart == String::npos || line[frameStart] == '#')
        return String::npos;
    const std::size_t frameEnd = line.find_first_of(Blanks, frameStart);
    const std::size_t kindStart = line.find_first_not_of(Blanks, frameEnd);
    if (kindStart == String::npos)
        return String::npos;
    const std::size_t kindEnd = line.find_first_of(Blanks, kindStart);
    if (ToLower(line.substr(kindStart, kindEnd - kindStart)) != "text")
        return String::npos;
    frameWord = line.substr(frameStart, frameEnd - frameStart);
    // One blank separates the word from the text; further ones are typed spaces.
    return kindEnd == String::npos ? line.size() : kindEnd + 1;
}

String ParseText(const String& frameWord, const String& text, ScriptedInput& input)
{
    if (!ParseFrame(frameWord, input.frame))
        return FrameProblem(frameWord);
    if (text.empty())
        return "nothing to type after \"text\"";
    if (WellFormedUtf8(text) != text)
        return "the text is not well-formed UTF-8";
    for (std::size_t i = 0; i < text.size();)
    {
        const unsigned int codePoint = NextCodePoint(text, i);
        if (codePoint == static_cast<unsigned int>(BackquoteKey))
            return "a backquote can't be typed: its key opens and closes the console (\"key GRAVE down\")";
        if (!InputScript::CanType(codePoint))
        {
            char hex[16];
            std::snprintf(hex, sizeof hex, "U+%04X", codePoint);
            return String("the text holds the control character ") + hex;
        }
    }
    input.text = text;
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
        String line = lines[i];
        // The carriage return of a CRLF line end is no typed character.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        ScriptedInput input;
        String problem;
        String frameWord;
        const std::size_t textStart = TextStart(line, frameWord);
        if (textStart != String::npos)
        {
            problem = ParseText(frameWord, line.substr(textStart), input);
        }
        else
        {
            const String words = TrimText(line.substr(0, line.find('#')));
            if (words.empty())
                continue;
            problem = ParseLine(words, input);
        }
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

String InputScript::GetKeyName(int code)
{
    return code == BackquoteKey ? String(BackquoteName) : InputRouter::GetKeyName(code);
}

bool InputScript::CanType(unsigned int codePoint)
{
    const bool control = codePoint < 0x20 || (codePoint >= 0x7f && codePoint <= 0x9f);
    const bool surrogate = codePoint >= 0xd800 && codePoint <= 0xdfff;
    return !control && !surrogate && codePoint <= 0x10ffff && codePoint != static_cast<unsigned int>(BackquoteKey);
}

void InputScript::Add(const ScriptedInput& input)
{
    // Kept sorted by frame; equal frames keep the order they were added in.
    auto later = std::upper_bound(inputs.begin(), inputs.end(), input.frame,
                                  [](int frame, const ScriptedInput& other) { return frame < other.frame; });
    // Characters typed together make one line rather than one line each.
    if (input.IsText() && later != inputs.begin())
    {
        ScriptedInput& previous = *(later - 1);
        if (previous.frame == input.frame && previous.IsText())
        {
            previous.text += input.text;
            return;
        }
    }
    inputs.insert(later, input);
}

String InputScript::Format() const
{
    String text;
    for (const ScriptedInput& input : inputs)
    {
        if (input.IsText())
            text += std::to_string(input.frame) + " text " + input.text + "\n";
        else
            text += std::to_string(input.frame) + (IsPadCode(input.code) ? " pad " : " key ") + GetKeyName(input.code) +
                    (input.down ? " down\n" : " up\n");
    }
    return text;
}

void InputScript::Play(int frame)
{
    for (; next < inputs.size() && inputs[next].frame <= frame; ++next)
    {
        const ScriptedInput& input = inputs[next];
        if (input.IsText())
        {
            for (std::size_t i = 0; i < input.text.size();)
                InputCallbacks::OnCharacter(NextCodePoint(input.text, i));
            continue;
        }
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
        if (!input.IsText() && IsPadCode(input.code) && PadOf(input.code) < PadCount)
            used[PadOf(input.code)] = true;
    }
    for (int pad = 0; pad < PadCount; ++pad)
    {
        if (used[pad])
            ControllerManager::GetInstance().GetController(pad).SetScripted(true);
    }
}
