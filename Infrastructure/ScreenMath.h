#pragma once

#include "Util/MathKit.h"

// Conversions between window pixels (origin top left, y down) and world units at z = 0,
// using the camera's window size, aperture and position.
namespace MathKit
{
Vector2 GetVisibleWorldSize();
Vector2 ScreenPointToWorld(int x, int y);
Vector2 WorldPointToScreen(const Vector2& world);
float PixelLengthToWorld(float pixels);
} // namespace MathKit
