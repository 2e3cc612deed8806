#pragma once

#include "Util/StringUtil.h"

#include <cstddef>
#include <functional>

// The in-game command line over the top half of the window. It does the editing,
// history, completion list and drawing; a subclass decides what an entered line does
// and which completions a partial line has. Closed at start; the backquote key opens it.
//
// Nothing it does grows with the time the game has run or the length of what was typed:
// the output keeps the newest MaxOutputLines lines, the input line holds at most
// MaxInputLength characters, and completions are asked for once a frame, on Tab, or by
// the getters below, for all the characters typed since, not for every character.
class Console
{
public:
    static constexpr size_t MaxOutputLines = 1000;
    // Longer output lines continue on the next line.
    static constexpr size_t MaxOutputLineLength = 4096;
    // Characters typed past it are dropped, with one line in the output saying so.
    static constexpr size_t MaxInputLength = 4096;

    // Registers the fonts "Console" (24 pt), "ConsoleSmall" (16 pt) and "ConsoleLarge"
    // (44 pt) from Resources/Fonts/Inconsolata.otf.
    Console();
    // A console deleted while it is the World's leaves the World without one, rather
    // than with a pointer to freed memory.
    virtual ~Console();

    // Called with every entered line, also an empty one.
    virtual void Execute(String input) = 0;
    // Candidates for the current input; the first one is what Tab inserts.
    virtual StringList GetCompletions(String input) = 0;

    // The text drawn before what is typed.
    void SetPrompt(const String& newPrompt) { prompt = newPrompt; }
    // Appends to the output; text without a line feed continues the last line. The
    // oldest lines go once there are more than MaxOutputLines.
    void WriteToOutput(String output);

    // Both return false while closed and true, having taken the input, while open.
    // Characters 32..126 are typed; key codes as in Platform/KeyCodes.h.
    bool HandleCharacter(int c);
    bool HandleKeyDown(int keyCode);

    // The World's console owns the keyboard and the pads while open: opening it calls the
    // toggle handler at once, so the input code takes the held keys from the game before
    // anything polls them.
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return enabledState; }
    // Called whenever any console opens or closes; the input code sets it when it plugs in.
    static void SetToggleHandler(std::function<void()> handler);

    // Caret blink, and the completions for what was typed since the last frame; the
    // World calls it every frame.
    void Update(float dt);
    // Draws over everything while open; the World calls it last in each frame.
    void Render();

    // What is typed so far, the caret's character index in it, and the output lines,
    // oldest first (for tests and tools).
    const String& GetCurrentInput() const { return currentInput; }
    int GetCaretPosition() const { return cursorPos; }
    const StringList& GetOutputLines() const { return outputLines; }
    // Both bring the candidates up to date first.
    const StringList& GetCompletionCandidates();
    // The rows of the completion list as drawn: at most six candidates, then "..." when
    // there are more.
    StringList GetShownCompletions();
    bool IsCaretVisible() const { return cursorDispOn; }

private:
    void AcceptCurrentInput();
    void AdvanceInputHistory(int byVal);
    void Close();
    void InsertCharacter(char c);
    void AddOutputLine(String line);
    // Wraps, measures and counts the newest output line.
    void SettleNewestLine();
    // Asks the subclass for candidates if the input changed since it last did.
    void RefreshCompletions();

    String currentInput;
    StringList inputHistory;
    int inputHistoryPos = 0;
    String prompt;
    StringList outputLines;
    // Whether the output so far ends with a line feed; if not, the next text continues
    // the last line.
    bool outputEndsWithLineFeed = false;
    float lineHeight = 0.0f;
    StringList autoCompleteList;
    bool completionsStale = false;
    // The input is full; said once until it gets shorter.
    bool inputFullReported = false;
    int cursorPos = 0;
    float cursorCountdown = 0.0f;
    bool cursorDispOn = true;
    bool enabledState = false;

    // Fixed at the first drawing so the layout stays put if the window is resized.
    bool layoutFixed = false;
    int border = 0;
    int barHeight = 0;
};
