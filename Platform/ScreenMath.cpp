#include "Platform/ScreenMath.h"

#include "Infrastructure/Camera.h"

#include <cmath>

namespace
{
// A minimised window reports 0 x 0; dividing by that would spread inf and nan into
// positions.
bool HasArea(const Camera& camera) { return camera.GetWindowWidth() > 0 && camera.GetWindowHeight() > 0; }
} // namespace

namespace MathKit
{
Vector2 GetVisibleWorldSize()
{
    Camera& camera = Camera::GetInstance();
    const float w = static_cast<float>(camera.GetWindowWidth());
    const float h = static_cast<float>(camera.GetWindowHeight());
    const float e =
        std::tan(static_cast<float>(camera.GetAperture()) / 2.0f * DegreesToRadiansFactor) * std::fabs(camera.GetZ());
    // Without an area the view counts as square, as the projection does.
    if (!HasArea(camera))
        return Vector2(2.0f * e, 2.0f * e);
    if (h < w)
        return Vector2(2.0f * e * w / h, 2.0f * e);
    return Vector2(2.0f * e, 2.0f * e * h / w);
}

Vector2 ScreenPointToWorld(int x, int y)
{
    Camera& camera = Camera::GetInstance();
    const Vector2 eye = camera.GetPosition();
    if (!HasArea(camera))
        return eye;
    const Vector2 visible = GetVisibleWorldSize();
    const float w = static_cast<float>(camera.GetWindowWidth());
    const float h = static_cast<float>(camera.GetWindowHeight());
    return Vector2(eye.X + (x / w - 0.5f) * visible.X, eye.Y + (0.5f - y / h) * visible.Y);
}

Vector2 WorldPointToScreen(const Vector2& world)
{
    Camera& camera = Camera::GetInstance();
    if (!HasArea(camera))
        return Vector2(0.0f, 0.0f);
    const Vector2 visible = GetVisibleWorldSize();
    const Vector2 eye = camera.GetPosition();
    const float w = static_cast<float>(camera.GetWindowWidth());
    const float h = static_cast<float>(camera.GetWindowHeight());
    return Vector2(((world.X - eye.X) / visible.X + 0.5f) * w, h - ((world.Y - eye.Y) / visible.Y + 0.5f) * h);
}

float PixelLengthToWorld(float pixels)
{
    if (!HasArea(Camera::GetInstance()))
        return 0.0f;
    const float w = static_cast<float>(Camera::GetInstance().GetWindowWidth());
    return pixels / (w / GetVisibleWorldSize().X);
}
} // namespace MathKit
