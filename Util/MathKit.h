#pragma once

#include "Util/Color.h"
#include "Util/Vector2.h"

// Random numbers and interpolation. The pixel/world conversions, which need the
// camera, are in Platform/ScreenMath.h.
// The random source is the engine's own, shared with the game, and draws the same
// numbers for a seed on every platform; it is seeded from the clock on first use unless
// SeedRandom came first.
namespace MathKit
{
constexpr float DegreesToRadiansFactor = 0.01745329f;

// Makes the shared random source repeatable (the --seed option); without it the
// source is seeded from the clock on first use.
void SeedRandom(unsigned int seed);
// 0 .. 2^31 - 1.
int RandomNumber();
// 0..maxValue-1; 0 without drawing a number when maxValue is not positive.
int RandomIntBelow(int maxValue);
// [0, maxValue) in steps of maxValue / 10000.
float RandomFloatBelow(float maxValue);

// t is clamped to 0..1 and eased with t*t*(3-2t).
Vector2 SmoothStep(const Vector2& a, const Vector2& b, float t);
// Per channel; t is not clamped.
Color Lerp(const Color& a, const Color& b, float t);
// Eased from a to b: slow at both ends (3t² - 2t³), t clamped to 0..1.
Color SmoothStep(const Color& a, const Color& b, float t);
float SmoothStep(float a, float b, float t);
} // namespace MathKit
