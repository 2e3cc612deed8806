#include "Runner/ErrorView.h"

#include "Infrastructure/Camera.h"
#include "Infrastructure/World.h"
#include "Input/InputRouter.h"
#include "Platform/Draw.h"
#include "Platform/FontRegistry.h"
#include "Platform/KeyCodes.h"
#include "Platform/Log.h"
#include "Scripting/GameScript.h"

#include <algorithm>

namespace
{
// The console's fonts: they are there whenever a window is.
const char* const TitleFont = "Console";
const char* const TextFont = "ConsoleSmall";

const Color Backdrop(0.08f, 0.02f, 0.02f, 0.86f);
const Color TitleColor(1.0f, 0.45f, 0.4f);
const Color TextColor(0.95f, 0.95f, 0.95f);
const Color QuietColor(0.7f, 0.7f, 0.75f);
const Color HintColor(1.0f, 0.85f, 0.3f);

constexpr int Margin = 40;
constexpr size_t MaxErrorLines = 4;

// Cuts `text` into lines that fit `width` pixels in the font, each at most; breaks at
// spaces where it can.
StringList Wrap(const String& text, const String& font, float width, size_t maxLines)
{
    StringList lines;
    const float advance = std::max(MeasureText("M", font).X, 1.0f);
    const size_t perLine = std::max<size_t>(static_cast<size_t>(width / advance), 8);
    for (size_t at = 0; at < text.size() && lines.size() < maxLines;)
    {
        size_t length = std::min(perLine, text.size() - at);
        const size_t lineFeed = text.find('\n', at);
        if (lineFeed != String::npos && lineFeed < at + length)
            length = lineFeed - at;
        else if (at + length < text.size())
        {
            const size_t space = text.rfind(' ', at + length);
            if (space != String::npos && space > at + perLine / 2)
                length = space - at;
        }
        lines.push_back(text.substr(at, length));
        at += length;
        while (at < text.size() && (text[at] == ' ' || text[at] == '\n'))
            ++at;
    }
    return lines;
}

int Line(const String& text, const String& font, int x, int y, const Color& color)
{
    Draw::SetColor(color);
    const Vector2 extent = DrawScreenText(text, font, x, y);
    // Text drawing turns depth testing back on, and the panel must stay over the scene.
    Draw::SetDepthTest(false);
    return y + static_cast<int>(std::max(extent.Y, MeasureText("Mg", font).Y)) + 8;
}
} // namespace

void ErrorView::PlugIn()
{
    World::GetInstance().PlugIn(this);
    ScriptFailures::SetHandler([this](const ScriptFailure& failure) { Hear(failure); }, [this] { Hide(); });
}

void ErrorView::Hear(const ScriptFailure& failure)
{
    if (failure.exits)
    {
        exitStatus = failure.exitStatus;
        World::GetInstance().StopGame();
        return;
    }
    Show(failure);
}

void ErrorView::Show(const ScriptFailure& failure)
{
    if (shown)
        return;
    shown = failure;
    World::GetInstance().SetSimulationOn(false);
    // Keys already held when the view appears (the one that crashed the game) don't act.
    reloadKeyWasDown = true;
    quitKeyWasDown = true;
}

void ErrorView::Hide()
{
    if (!shown)
        return;
    shown.reset();
    World::GetInstance().SetSimulationOn(true);
}

bool ErrorView::Pressed(int keyCode, bool& wasDown)
{
    const bool down = InputRouter::GetInstance().IsKeyDown(keyCode);
    const bool pressed = down && !wasDown;
    wasDown = down;
    return pressed;
}

void ErrorView::Update(float)
{
    if (!shown)
        return;
    if (Pressed(KeyCodes::KEY_ESCAPE, quitKeyWasDown))
    {
        World::GetInstance().StopGame();
        return;
    }
    if (!Pressed('r', reloadKeyWasDown))
        return;
    SystemLogInstance().Log("Reloading the game (R on the error view).");
    // A new run that fails shows its own failure in place of the old one.
    const ScriptFailure previous = *shown;
    shown.reset();
    if (GameScript::Reload())
        World::GetInstance().SetSimulationOn(true);
    else if (!shown)
        Show(previous);
}

void ErrorView::DrawOverWorld()
{
    if (!shown)
        return;
    const Camera& camera = Camera::GetInstance();
    const int width = camera.GetWindowWidth();
    const int height = camera.GetWindowHeight();
    const float textWidth = static_cast<float>(width - 2 * Margin);

    Draw::SetDepthTest(false);
    Draw::BeginScreenSpace();
    Draw::ScreenRect(0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height), Backdrop);
    Draw::EndScreenSpace();

    const ScriptFailure& failure = *shown;
    int y = Margin + 24;
    const String title = failure.callback == "main.py" ? "The game stopped: main.py failed"
                                                       : "The game stopped: an error in " + failure.callback;
    y = Line(title, TitleFont, Margin, y, TitleColor) + 8;
    for (const String& line : Wrap(failure.error, TitleFont, textWidth, MaxErrorLines))
        y = Line(line, TitleFont, Margin, y, TextColor);
    if (!failure.file.empty())
        y = Line("in " + failure.file + ", line " + std::to_string(failure.line), TitleFont, Margin, y, TextColor);
    y += 16;
    if (!failure.lastCalls.empty())
    {
        y = Line("The last calls, the failing one last:", TextFont, Margin, y, QuietColor);
        for (const String& call : failure.lastCalls)
            for (const String& line : Wrap(call, TextFont, textWidth - 24.0f, 2))
                y = Line(line, TextFont, Margin + 24, y, TextColor);
    }
    y = std::max(y + 24, height - Margin - 40);
    y = Line("Fix the file, then press R to reload; Esc to quit.", TitleFont, Margin, y, HintColor);
    Line("The whole traceback is in the console (the ` key) and on standard error.", TextFont, Margin, y, QuietColor);
    Draw::SetDepthTest(true);
}
