#include "Game/HudText.h"

#include "Infrastructure/Camera.h"
#include "Platform/Draw.h"
#include "Platform/FontRegistry.h"
#include "Platform/ScreenMath.h"

#include <algorithm>
#include <cmath>

namespace HudText
{
namespace
{
// Nearly opaque: whatever passes behind a box must not break up its text.
const Color PanelWhite(1.0f, 1.0f, 1.0f, 0.95f);
constexpr float BoxPaddingWorld = 0.1f;
constexpr int CircleSegments = 64;

Vector2 OnCircle(const Vector2& centre, float radius, int k)
{
    const float angle = static_cast<float>(k) * 6.28318530718f / static_cast<float>(CircleSegments);
    return centre + Vector2(std::cos(angle), std::sin(angle)) * radius;
}

void Circle(const Vector2& centre, float radius, const Color& color, bool filled)
{
    Vector2 rim[CircleSegments];
    for (int k = 0; k < CircleSegments; ++k)
        rim[k] = OnCircle(centre, radius, k);
    Draw::Polygon(rim, CircleSegments, color, filled);
}
} // namespace

Color BoxColor() { return PanelWhite; }

int FieldTop(int windowHeight) { return std::min(HudBottom, windowHeight / 2); }

void DrawBoxed(const String& text, const String& font, int x, int y, const Color& textColor)
{
    const Vector2 extents = MeasureText(text, font);
    const float unit = MathKit::PixelLengthToWorld(1.0f);
    const float pad = unit > 0.0f ? BoxPaddingWorld / unit : 0.0f;
    Draw::BeginScreenSpace();
    Draw::ScreenRect(static_cast<float>(x) - pad, static_cast<float>(y) - extents.Y - pad, extents.X + 2.0f * pad,
                     extents.Y + 2.0f * pad, PanelWhite);
    Draw::EndScreenSpace();
    Draw::SetColor(textColor);
    DrawScreenText(text, font, x, y);
}

int CenteredX(const String& text, const String& font)
{
    const int width = Camera::GetInstance().GetWindowWidth();
    return width / 2 - static_cast<int>(MeasureText(text, font).X / 2.0f);
}

void FillWorldRect(const Vector2& lowerLeft, const Vector2& upperRight, const Color& color)
{
    // Counter-clockwise, or face culling drops it.
    const Vector2 corners[4] = {lowerLeft, Vector2(upperRight.X, lowerLeft.Y), upperRight,
                                Vector2(lowerLeft.X, upperRight.Y)};
    Draw::Polygon(corners, 4, color, true);
}

void CircleOutline(const Vector2& centre, float radius, const Color& color) { Circle(centre, radius, color, false); }

void FillCircle(const Vector2& centre, float radius, const Color& color) { Circle(centre, radius, color, true); }

void Ring(const Vector2& centre, float radius, float width, const Color& color)
{
    const float inner = std::max(radius - width / 2.0f, 0.0f);
    const float outer = radius + width / 2.0f;
    // One convex quad per segment, counter-clockwise so that face culling keeps it.
    for (int k = 0; k < CircleSegments; ++k)
    {
        const Vector2 quad[4] = {OnCircle(centre, inner, k), OnCircle(centre, outer, k), OnCircle(centre, outer, k + 1),
                                 OnCircle(centre, inner, k + 1)};
        Draw::Polygon(quad, 4, color, true);
    }
}
} // namespace HudText
