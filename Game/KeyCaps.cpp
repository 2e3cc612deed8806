#include "Game/KeyCaps.h"

#include "Game/KeyLabels.h"
#include "Platform/Draw.h"
#include "Platform/FontRegistry.h"

#include <algorithm>
#include <cmath>

namespace
{
const char* const LabelFont = "Console";
// The label's baseline below the cap's top.
constexpr float LabelBaseline = 28.0f;
constexpr float Padding = 11.0f;
constexpr int RimPoints = 32;

const Color Shadow(0.59f, 0.61f, 0.67f, 1.0f);
const Color Rim(0.47f, 0.49f, 0.57f, 1.0f);
const Color Face(0.97f, 0.97f, 0.98f, 1.0f);
const Color Ink(0.13f, 0.13f, 0.18f, 1.0f);
const Color PadInk(1.0f, 1.0f, 1.0f, 1.0f);

// The usual colours of the four face buttons; the others are dark grey.
Color PadButtonColor(const String& label)
{
    if (label == "A")
        return Color(0.12f, 0.59f, 0.24f, 1.0f);
    if (label == "B")
        return Color(0.8f, 0.16f, 0.16f, 1.0f);
    if (label == "X")
        return Color(0.16f, 0.35f, 0.8f, 1.0f);
    if (label == "Y")
        return Color(0.85f, 0.65f, 0.05f, 1.0f);
    return Color(0.3f, 0.3f, 0.34f, 1.0f);
}

String LabelOf(int keyCode)
{
    return KeyLabels::IsPadButton(keyCode) ? KeyLabels::PadButtonOf(keyCode) : KeyLabels::Of(keyCode);
}

void Disc(float centreX, float centreY, float radius, const Color& color)
{
    Vector2 rim[RimPoints];
    for (int k = 0; k < RimPoints; ++k)
    {
        const float angle = static_cast<float>(k) * 6.28318530718f / static_cast<float>(RimPoints);
        rim[k] = Vector2(std::cos(angle) * radius, std::sin(angle) * radius);
    }
    Draw::BeginScreenSpace(centreX, centreY);
    Draw::Polygon(rim, RimPoints, color, true);
    Draw::EndScreenSpace();
}

void Label(const String& label, float left, float width, float top, const Color& color)
{
    const float textWidth = MeasureText(label, LabelFont).X;
    Draw::SetColor(color);
    DrawScreenText(label, LabelFont, static_cast<int>(std::lround(left + (width - textWidth) / 2.0f)),
                   static_cast<int>(std::lround(top + LabelBaseline)));
}

bool IsRound(int keyCode) { return KeyLabels::IsPadButton(keyCode) && LabelOf(keyCode).size() <= 2; }
} // namespace

namespace KeyCaps
{
float WidthOf(int keyCode)
{
    if (IsRound(keyCode))
        return Height;
    return std::max(Height, MeasureText(LabelOf(keyCode), LabelFont).X + 2.0f * Padding);
}

float Draw(int keyCode, float left, float top)
{
    const String label = LabelOf(keyCode);
    const float width = WidthOf(keyCode);
    if (IsRound(keyCode))
    {
        const float radius = Height / 2.0f - 1.0f;
        const Color color = PadButtonColor(label);
        Disc(left + Height / 2.0f, top + Height / 2.0f + 3.0f, radius,
             Color(color.R * 0.5f, color.G * 0.5f, color.B * 0.5f, 1.0f));
        Disc(left + Height / 2.0f, top + Height / 2.0f, radius, color);
        Label(label, left, width, top, PadInk);
        return width;
    }
    const bool pad = KeyLabels::IsPadButton(keyCode);
    Draw::BeginScreenSpace();
    Draw::ScreenRect(left, top + 3.0f, width, Height, Shadow);
    Draw::ScreenRect(left, top, width, Height, pad ? PadButtonColor(label) : Rim);
    if (!pad)
        Draw::ScreenRect(left + 1.5f, top + 1.5f, width - 3.0f, Height - 3.0f, Face);
    Draw::EndScreenSpace();
    Label(label, left, width, top, pad ? PadInk : Ink);
    return width;
}

float DrawRow(const std::vector<int>& keyCodes, float left, float top)
{
    float x = left;
    for (int key : keyCodes)
        x += Draw(key, x, top) + Gap;
    return keyCodes.empty() ? left : x - Gap;
}

float RowWidth(const std::vector<int>& keyCodes)
{
    float width = 0.0f;
    for (int key : keyCodes)
        width += WidthOf(key) + Gap;
    return keyCodes.empty() ? 0.0f : width - Gap;
}
} // namespace KeyCaps
