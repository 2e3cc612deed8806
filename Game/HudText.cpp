#include "Game/HudText.h"

#include "Infrastructure/Camera.h"
#include "Infrastructure/Draw.h"
#include "Infrastructure/FontRegistry.h"
#include "Infrastructure/ScreenMath.h"

#include <cmath>

namespace HudText
{
namespace
{
const Color BoxColor(1.0f, 1.0f, 1.0f, 0.8f);
constexpr float BoxPaddingWorld = 0.1f;
} // namespace

void DrawBoxed(const String& text, const String& font, int x, int y, const Color& textColor)
{
    const Vector2 extents = MeasureText(text, font);
    const float unit = MathKit::PixelLengthToWorld(1.0f);
    const float pad = unit > 0.0f ? BoxPaddingWorld / unit : 0.0f;
    Draw::BeginScreenSpace();
    Draw::ScreenRect(static_cast<float>(x) - pad, static_cast<float>(y) - extents.Y - pad, extents.X + 2.0f * pad,
                     extents.Y + 2.0f * pad, BoxColor);
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

void CircleOutline(const Vector2& centre, float radius, const Color& color)
{
    constexpr int Segments = 64;
    Vector2 rim[Segments];
    for (int k = 0; k < Segments; ++k)
    {
        const float angle = static_cast<float>(k) * 6.28318530718f / static_cast<float>(Segments);
        rim[k] = centre + Vector2(std::cos(angle), std::sin(angle)) * radius;
    }
    Draw::Polygon(rim, Segments, color, false);
}
} // namespace HudText
