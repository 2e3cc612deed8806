#pragma once

#include "Util/MathKit.h"

// What the conversions below need to know of the camera: the window size in pixels, the
// vertical aperture in degrees, and the eye's place over the field (z is its height).
struct ScreenView
{
    int windowWidth = 0;
    int windowHeight = 0;
    double aperture = 90.0;
    Vector2 eye;
    float z = 10.0f;
};

// Conversions between window pixels (origin top left, y down) and world units at z = 0,
// using the camera's window size, aperture and position.
namespace MathKit
{
// The camera hands over where its view is read from when it is made; until then the
// conversions see a default ScreenView, which is the view of a camera just made.
void SetScreenViewSource(ScreenView (*source)());
// Width and height of the world seen in the window, in world units.
Vector2 GetVisibleWorldSize();
// Where a window pixel (a mouse position) lies on the play field.
Vector2 ScreenPointToWorld(int x, int y);
// The window pixel a world point is drawn at; may lie outside the window.
Vector2 WorldPointToScreen(const Vector2& world);
// A length on the screen in world units, for sizing things in pixels.
float PixelLengthToWorld(float pixels);
} // namespace MathKit
