#pragma once

#include "Util/StringUtil.h"

// The in-game command line over the top half of the window. It does the editing,
// history, completion list and drawing; a subclass decides what an entered line does
// and which completions a partial line has. Closed at start; the backquote key opens it.
class Console
{
public:
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

    void SetPrompt(const String& newPrompt) { prompt = newPrompt; }
    // Appends to the output; text without a line feed continues the last line.
    void WriteToOutput(String output);

    // Both return false while closed and true, having taken the input, while open.
    // Characters 32..126 are typed; key codes as in Input/KeyCodes.h.
    bool HandleCharacter(int c);
    bool HandleKeyDown(int keyCode);

    // The World's console owns the keyboard and the pads while open (see Input/InputRouter.h).
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return enabledState; }

    // Caret blink; the World calls it every frame.
    void Update(float dt);
    // Draws over everything while open; the World calls it last in each frame.
    void Render();

    const String& GetCurrentInput() const { return currentInput; }
    int GetCaretPosition() const { return cursorPos; }
    const StringList& GetOutputLines() const { return outputLines; }
    const StringList& GetCompletionCandidates() const { return autoCompleteList; }
    bool IsCaretVisible() const { return cursorDispOn; }
    // The rows of the completion list as drawn: at most six candidates, then "..." when
    // there are more.
    StringList GetShownCompletions() const;

private:
    void AcceptCurrentInput();
    void AdvanceInputHistory(int byVal);
    void Close();
    void RefreshCompletions();

    String currentInput;
    StringList inputHistory;
    int inputHistoryPos = 0;
    String prompt;
    StringList outputLines;
    String unsplitOutput;
    float lineHeight = 0.0f;
    StringList autoCompleteList;
    int cursorPos = 0;
    float cursorCountdown = 0.0f;
    bool cursorDispOn = true;
    bool enabledState = false;

    // Fixed at the first drawing so the layout stays put if the window is resized.
    bool layoutFixed = false;
    int border = 0;
    int barHeight = 0;
};
