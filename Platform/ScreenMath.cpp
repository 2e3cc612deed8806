#include "Platform/ScreenMath.h"

#include <cmath>

namespace
{
ScreenView (*viewSource)() = nullptr;

ScreenView CurrentView() { return viewSource ? viewSource() : ScreenView(); }

// A minimised window reports 0 x 0; dividing by that would spread inf and nan into
// positions.
bool HasArea(const ScreenView& view) { return view.windowWidth > 0 && view.windowHeight > 0; }

Vector2 VisibleWorldSize(const ScreenView& view)
{
    const float w = static_cast<float>(view.windowWidth);
    const float h = static_cast<float>(view.windowHeight);
    const float e =
        std::tan(static_cast<float>(view.aperture) / 2.0f * MathKit::DegreesToRadiansFactor) * std::fabs(view.z);
    // Without an area the view counts as square, as the projection does.
    if (!HasArea(view))
        return Vector2(2.0f * e, 2.0f * e);
    if (h < w)
        return Vector2(2.0f * e * w / h, 2.0f * e);
    return Vector2(2.0f * e, 2.0f * e * h / w);
}
} // namespace

namespace MathKit
{
void SetScreenViewSource(ScreenView (*source)()) { viewSource = source; }

Vector2 GetVisibleWorldSize() { return VisibleWorldSize(CurrentView()); }

Vector2 ScreenPointToWorld(int x, int y)
{
    const ScreenView view = CurrentView();
    if (!HasArea(view))
        return view.eye;
    const Vector2 visible = VisibleWorldSize(view);
    const float w = static_cast<float>(view.windowWidth);
    const float h = static_cast<float>(view.windowHeight);
    return Vector2(view.eye.X + (x / w - 0.5f) * visible.X, view.eye.Y + (0.5f - y / h) * visible.Y);
}

Vector2 WorldPointToScreen(const Vector2& world)
{
    const ScreenView view = CurrentView();
    if (!HasArea(view))
        return Vector2(0.0f, 0.0f);
    const Vector2 visible = VisibleWorldSize(view);
    const float w = static_cast<float>(view.windowWidth);
    const float h = static_cast<float>(view.windowHeight);
    return Vector2(((world.X - view.eye.X) / visible.X + 0.5f) * w,
                   h - ((world.Y - view.eye.Y) / visible.Y + 0.5f) * h);
}

float PixelLengthToWorld(float pixels)
{
    const ScreenView view = CurrentView();
    if (!HasArea(view))
        return 0.0f;
    const float w = static_cast<float>(view.windowWidth);
    return pixels / (w / VisibleWorldSize(view).X);
}
} // namespace MathKit
