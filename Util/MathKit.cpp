#include "Util/MathKit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>

namespace
{
bool seeded = false;

void EnsureSeeded()
{
    if (!seeded)
        MathKit::SeedRandom(static_cast<unsigned int>(std::time(nullptr)));
}

float Ease(float t)
{
    t = std::min(std::max(t, 0.0f), 1.0f);
    return t * t * (3.0f - 2.0f * t);
}
} // namespace

namespace MathKit
{
void SeedRandom(unsigned int seed)
{
    std::srand(seed);
    seeded = true;
}

int RandomIntBelow(int maxValue)
{
    EnsureSeeded();
    if (maxValue <= 0)
        return 0;
    return std::rand() % maxValue;
}

float RandomFloatBelow(float maxValue)
{
    EnsureSeeded();
    return (std::rand() % 10000) / 10000.0f * maxValue;
}

Vector2 SmoothStep(const Vector2& a, const Vector2& b, float t) { return Vector2::Lerp(a, b, Ease(t)); }

Color Lerp(const Color& a, const Color& b, float t) { return a + (b - a) * t; }

Color SmoothStep(const Color& a, const Color& b, float t) { return Lerp(a, b, Ease(t)); }

float SmoothStep(float a, float b, float t) { return a + (b - a) * Ease(t); }
} // namespace MathKit
