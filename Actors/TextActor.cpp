#include "Actors/TextActor.h"

#include "Messaging/Switchboard.h"
#include "Platform/Draw.h"
#include "Platform/FontRegistry.h"
#include "Platform/ScreenMath.h"

#include <algorithm>

namespace
{
const char* const CameraChangeMessage = "CameraChange";

// The share of a line's width that lies left of the actor's position. False for a value
// that is no alignment, which leaves the lines and the box where they were.
bool ShareLeftOfPosition(TextAlignment alignment, float& share)
{
    switch (alignment)
    {
    case Align_Left:
        share = 0.0f;
        return true;
    case Align_Center:
        share = 0.5f;
        return true;
    case Align_Right:
        share = 1.0f;
        return true;
    }
    return false;
}
} // namespace

TextActor::TextActor(const String& font, const String& displayString, TextAlignment align, int spacing)
    : fontNickname(font), alignment(align), lineSpacing(spacing)
{
    SetColor(0.0f, 0.0f, 0.0f, 1.0f);
    SetDisplayString(displayString);
    Switchboard::GetInstance().SubscribeTo(this, CameraChangeMessage);
}

void TextActor::Render()
{
    Draw::SetColor(color);
    for (const TextLine& line : lines)
        DrawScreenText(line.text, fontNickname, static_cast<int>(line.position.X), static_cast<int>(line.position.Y),
                       0.0f);
}

void TextActor::SetPosition(float x, float y)
{
    Actor::SetPosition(x, y);
    Layout();
}

void TextActor::SetPosition(const Vector2& pos)
{
    Actor::SetPosition(pos);
    Layout();
}

void TextActor::ReceiveMessage(Message* message)
{
    // Lines sit at fixed pixels, so a moved or resized view needs them placed again.
    if (message->GetMessageName() == CameraChangeMessage)
        Layout();
}

void TextActor::SetFont(const String& newFont)
{
    fontNickname = newFont;
    Layout();
}

void TextActor::SetDisplayString(const String& newString)
{
    rawString = newString;
    lines.clear();
    size_t start = 0;
    while (start < newString.size())
    {
        size_t end = newString.find('\n', start);
        if (end == String::npos)
            end = newString.size();
        lines.push_back({newString.substr(start, end - start), Vector2(), Vector2()});
        start = end + 1;
    }
    Layout();
}

void TextActor::SetAlignment(TextAlignment newAlignment)
{
    alignment = newAlignment;
    Layout();
}

void TextActor::SetLineSpacing(int spacing)
{
    lineSpacing = spacing;
    Layout();
}

void TextActor::Layout()
{
    float maxWidth = 0.0f;
    float maxHeight = 0.0f;
    for (TextLine& line : lines)
    {
        line.extents = MeasureText(line.text, fontNickname);
        maxWidth = std::max(maxWidth, line.extents.X);
        maxHeight = std::max(maxHeight, line.extents.Y);
    }

    float leftShare = 0.0f;
    const bool aligned = ShareLeftOfPosition(alignment, leftShare);
    const Vector2 screen = MathKit::WorldPointToScreen(position);
    float y = screen.Y;
    for (TextLine& line : lines)
    {
        if (aligned)
            line.position.X = screen.X - leftShare * line.extents.X;
        line.position.Y = y;
        y += static_cast<float>(lineSpacing) + maxHeight;
    }

    if (lines.empty())
    {
        // With no line the box would turn inside out (one line "below" the first goes
        // up); keep it to the actor's own point so hit-tests select nothing else.
        boundsLowerLeft = position;
        boundsUpperRight = position;
        return;
    }
    if (!aligned)
        return;

    const float width = MathKit::PixelLengthToWorld(maxWidth);
    const float lineStep = MathKit::PixelLengthToWorld(static_cast<float>(lineSpacing) + maxHeight);
    const float bottom = position.Y - lineStep * static_cast<float>(lines.size() - 1);
    const float top = position.Y + MathKit::PixelLengthToWorld(maxHeight);
    boundsLowerLeft = Vector2(position.X - leftShare * width, bottom);
    boundsUpperRight = Vector2(position.X + (1.0f - leftShare) * width, top);
}
