#pragma once

#include "Util/MathKit.h"

// Conversions between window pixels (origin top left, y down) and world units at z = 0,
// using the camera's window size, aperture and position.
namespace MathKit
{
// Width and height of the world seen in the window, in world units.
Vector2 GetVisibleWorldSize();
// Where a window pixel (a mouse position) lies on the play field.
Vector2 ScreenPointToWorld(int x, int y);
// The window pixel a world point is drawn at; may lie outside the window.
Vector2 WorldPointToScreen(const Vector2& world);
// A length on the screen in world units, for sizing things in pixels.
float PixelLengthToWorld(float pixels);
} // namespace MathKit
