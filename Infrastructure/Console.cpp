#include "Infrastructure/Console.h"

#include "Infrastructure/Camera.h"
#include "Infrastructure/World.h"
#include "Platform/Draw.h"
#include "Platform/FontRegistry.h"
#include "Platform/KeyCodes.h"
#include "Platform/RunFolder.h"
#include "Platform/Window.h"

#include <algorithm>
#include <string>
#include <utility>

namespace
{
std::function<void()> toggleHandler;
const char* const FontFile = "Resources/Fonts/Inconsolata.otf";
const char* const ConsoleFont = "ConsoleSmall";

constexpr int FirstTypedCharacter = 32;
// Up to the tilde, which Shift+backquote types (Python's bitwise not).
constexpr int LastTypedCharacter = 126;
constexpr int BackquoteCharacter = '`';
// Asking for completions of one or two characters gives lists too long to be useful.
constexpr size_t CompletionMinimumLength = 3;
constexpr float CaretBlinkSeconds = 0.15f;
constexpr size_t MaxCompletionRows = 7;

const Color BackdropColor(0.0f, 0.0f, 0.0f, 0.75f);
const Color OutputColor(1.0f, 1.0f, 1.0f, 1.0f);
const Color BarColor(0.0f, 1.0f, 0.0f, 0.375f);
const Color TextColor(0.0f, 1.0f, 0.0f, 1.0f);

// A rectangle given by its bottom edge, in window pixels (y down).
void RectFromBottom(int left, int bottom, int width, int height, const Color& color)
{
    Draw::BeginScreenSpace();
    Draw::ScreenRect(static_cast<float>(left), static_cast<float>(bottom - height), static_cast<float>(width),
                     static_cast<float>(height), color);
    Draw::EndScreenSpace();
}

void Text(const String& text, int x, int y, const Color& color)
{
    Draw::SetColor(color);
    DrawScreenText(text, ConsoleFont, x, y);
    // Text drawing turns depth testing back on, and the console must stay over the scene.
    Draw::SetDepthTest(false);
}
} // namespace

Console::Console()
{
    // A game without a font of its own writes with the engine's.
    const String fontFile = EngineFile(FontFile);
    AddFont(fontFile, 24, "Console");
    AddFont(fontFile, 16, "ConsoleSmall");
    AddFont(fontFile, 44, "ConsoleLarge");
}

Console::~Console()
{
    World& world = World::GetInstance();
    if (world.GetConsole() == this)
        world.RegisterConsole(nullptr);
}

void Console::WriteToOutput(String output)
{
    if (output.empty())
        return;
    // Only the new text is split and measured, so a write costs the same however much
    // was written before.
    size_t start = 0;
    for (bool first = true;; first = false)
    {
        const size_t lineFeed = output.find('\n', start);
        const bool lineEnds = lineFeed != String::npos;
        const String piece = output.substr(start, lineEnds ? lineFeed - start : String::npos);
        if (first && !outputEndsWithLineFeed && !outputLines.empty())
        {
            outputLines.back() += piece;
            SettleNewestLine();
        }
        else if (!piece.empty() || lineEnds)
        {
            // An empty piece after the last line feed starts no line yet.
            AddOutputLine(piece);
        }
        if (!lineEnds)
            break;
        start = lineFeed + 1;
    }
    outputEndsWithLineFeed = output.back() == '\n';
}

void Console::AddOutputLine(String line)
{
    outputLines.push_back(std::move(line));
    SettleNewestLine();
}

void Console::SettleNewestLine()
{
    while (outputLines.back().size() > MaxOutputLineLength)
    {
        String rest = outputLines.back().substr(MaxOutputLineLength);
        outputLines.back().resize(MaxOutputLineLength);
        lineHeight = std::max(lineHeight, MeasureText(outputLines.back(), ConsoleFont).Y);
        outputLines.push_back(std::move(rest));
    }
    lineHeight = std::max(lineHeight, MeasureText(outputLines.back(), ConsoleFont).Y);
    // The lines are moved, not copied: dropping the oldest costs the same at any age.
    if (outputLines.size() > MaxOutputLines)
        outputLines.erase(outputLines.begin(),
                          outputLines.begin() + static_cast<std::ptrdiff_t>(outputLines.size() - MaxOutputLines));
}

bool Console::HandleCharacter(int c)
{
    if (!enabledState)
        return false;
    if (c == BackquoteCharacter)
    {
        Close();
        return true;
    }
    if (c >= FirstTypedCharacter && c <= LastTypedCharacter)
        InsertCharacter(static_cast<char>(c));
    return true;
}

void Console::InsertCharacter(char c)
{
    if (currentInput.size() >= MaxInputLength)
    {
        // A paste far longer than any line typed by hand would otherwise make every
        // later frame draw, and every completion convert, all of it.
        if (!inputFullReported)
            WriteToOutput(String(outputEndsWithLineFeed || outputLines.empty() ? "" : "\n") +
                          "The input line is full: it holds " + std::to_string(MaxInputLength) +
                          " characters; the rest was not typed.\n");
        inputFullReported = true;
        return;
    }
    inputFullReported = false;
    currentInput.insert(static_cast<size_t>(cursorPos), 1, c);
    ++cursorPos;
    if (currentInput.size() >= CompletionMinimumLength)
        completionsStale = true;
}

bool Console::HandleKeyDown(int keyCode)
{
    if (!enabledState)
        return false;

    const int inputLength = static_cast<int>(currentInput.size());
    switch (keyCode)
    {
    case KeyCodes::KEY_ESCAPE:
    case BackquoteCharacter:
        Close();
        break;
    case KeyCodes::KEY_UP:
        AdvanceInputHistory(-1);
        break;
    case KeyCodes::KEY_DOWN:
        AdvanceInputHistory(1);
        break;
    case KeyCodes::KEY_LEFT:
        if (cursorPos > 0)
            --cursorPos;
        break;
    case KeyCodes::KEY_RIGHT:
        if (cursorPos < inputLength)
            ++cursorPos;
        break;
    case KeyCodes::KEY_HOME:
        cursorPos = 0;
        break;
    case KeyCodes::KEY_END:
        cursorPos = inputLength;
        break;
    case KeyCodes::KEY_TAB:
        // The whole line becomes the candidate; the list stays for another look.
        RefreshCompletions();
        if (!autoCompleteList.empty())
        {
            currentInput = autoCompleteList.front();
            cursorPos = static_cast<int>(currentInput.size());
        }
        break;
    case KeyCodes::KEY_ENTER:
        AcceptCurrentInput();
        autoCompleteList.clear();
        completionsStale = false;
        break;
    case KeyCodes::KEY_BACKSPACE:
        // Deleting always asks again, however short the input has become.
        if (cursorPos > 0)
        {
            currentInput.erase(static_cast<size_t>(cursorPos - 1), 1);
            --cursorPos;
            completionsStale = true;
        }
        break;
    case KeyCodes::KEY_DELETE:
        if (cursorPos < inputLength)
        {
            currentInput.erase(static_cast<size_t>(cursorPos), 1);
            completionsStale = true;
        }
        break;
    default:
        break;
    }
    return true;
}

void Console::SetEnabled(bool enabled)
{
    enabledState = enabled;
    if (toggleHandler)
        toggleHandler();
}

void Console::SetToggleHandler(std::function<void()> handler) { toggleHandler = std::move(handler); }

void Console::Close()
{
    SetEnabled(false);
    Window::SetKeyRepeat(false);
}

void Console::RefreshCompletions()
{
    if (!completionsStale)
        return;
    // Cleared first: GetCompletions may reach back into the console.
    completionsStale = false;
    autoCompleteList = GetCompletions(currentInput);
}

const StringList& Console::GetCompletionCandidates()
{
    RefreshCompletions();
    return autoCompleteList;
}

void Console::AcceptCurrentInput()
{
    // A copy: Execute may write to the console or otherwise reach back into it.
    const String input = currentInput;
    Execute(input);
    if (!input.empty())
    {
        inputHistory.push_back(input);
        inputHistoryPos = static_cast<int>(inputHistory.size());
    }
    currentInput.clear();
    cursorPos = 0;
}

void Console::AdvanceInputHistory(int byVal)
{
    if (inputHistory.empty())
        return;
    const int historySize = static_cast<int>(inputHistory.size());
    if (byVal < 0 || inputHistoryPos + byVal < historySize)
    {
        inputHistoryPos = std::max(0, inputHistoryPos + byVal);
        currentInput = inputHistory[static_cast<size_t>(inputHistoryPos)];
        cursorPos = static_cast<int>(currentInput.size());
    }
    else
    {
        // Past the newest line: back to an empty line.
        currentInput.clear();
        inputHistoryPos = historySize;
        cursorPos = 0;
    }
}

StringList Console::GetShownCompletions()
{
    RefreshCompletions();
    const size_t rows = std::min(autoCompleteList.size(), MaxCompletionRows);
    StringList shown(autoCompleteList.begin(), autoCompleteList.begin() + static_cast<std::ptrdiff_t>(rows));
    // The last row says that there are more than fit.
    if (rows == MaxCompletionRows)
        shown.back() = "...";
    return shown;
}

void Console::Update(float dt)
{
    // Asked here, at the start of the frame, rather than while drawing it.
    if (enabledState)
        RefreshCompletions();
    cursorCountdown += dt;
    if (cursorCountdown > CaretBlinkSeconds)
    {
        cursorCountdown = 0.0f;
        cursorDispOn = !cursorDispOn;
    }
}

void Console::Render()
{
    if (!enabledState)
        return;

    const Camera& camera = Camera::GetInstance();
    const int width = camera.GetWindowWidth();
    const int height = camera.GetWindowHeight();
    if (!layoutFixed)
    {
        border = height / 192;
        barHeight = height / 32 + border;
        layoutFixed = true;
    }
    const int half = static_cast<int>(static_cast<float>(height) * 0.5f);
    const int halfBorder = border / 2;

    const int textX = halfBorder + border;
    const int textY = half + barHeight - halfBorder - border - halfBorder;
    const int completionTop = half + barHeight;
    const int completionLeft = textX + height / 24;
    const StringList shownCompletions = GetShownCompletions();
    const int completionRows = static_cast<int>(shownCompletions.size());

    Draw::SetDepthTest(false);

    RectFromBottom(0, half, width, half, BackdropColor);

    // Newest line at the bottom; older ones climb out of the window, where drawing them
    // would only cost time.
    int y = half - border;
    for (auto line = outputLines.rbegin(); line != outputLines.rend() && y > -static_cast<int>(lineHeight); ++line)
    {
        Text(*line, border, y, OutputColor);
        y -= static_cast<int>(lineHeight) + border;
    }

    RectFromBottom(0, half + barHeight, width, barHeight, BarColor);
    RectFromBottom(halfBorder, half + barHeight - halfBorder, width - border, barHeight - border, BackdropColor);
    const size_t caret = static_cast<size_t>(cursorPos);
    const String inputText =
        prompt + currentInput.substr(0, caret) + (cursorDispOn ? "|" : " ") + currentInput.substr(caret);
    Text(inputText, textX, textY, TextColor);

    if (completionRows > 0)
    {
        RectFromBottom(completionLeft - border, completionTop + completionRows * barHeight,
                       width - (completionLeft - border), completionRows * barHeight, BackdropColor);
        for (int row = 0; row < completionRows; ++row)
            Text(shownCompletions[static_cast<size_t>(row)], completionLeft,
                 completionTop + 2 * barHeight / 3 + row * barHeight, TextColor);
    }

    Draw::SetDepthTest(true);
}
