#include "Util/MathKit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>

namespace
{
bool seeded = false;

// The C library's rand differs from one platform to the next (the browser's is not the
// desktop's), and a seed must give the same game everywhere. This is the additive
// feedback generator of the GNU C library's rand, so games seeded on the desktop keep
// the numbers they always drew: each number is the sum of those drawn 3 and 31 before.
class AdditiveFeedback
{
public:
    void Seed(unsigned int seed)
    {
        // The word is signed, as the C library keeps it; a seed of 0 counts as 1.
        std::int32_t word = static_cast<std::int32_t>(seed == 0 ? 1u : seed);
        state[0] = static_cast<std::uint32_t>(word);
        for (int i = 1; i < Lag; ++i)
        {
            // 16807 * word mod (2^31 - 1) without overflow (Schrage's method).
            const std::int32_t high = word / 127773;
            const std::int32_t low = word % 127773;
            word = 16807 * low - 2836 * high;
            if (word < 0)
                word += 2147483647;
            state[i] = static_cast<std::uint32_t>(word);
        }
        front = ShortLag;
        rear = 0;
        // The first numbers still show the seed's pattern.
        for (int i = 0; i < 10 * Lag; ++i)
            Next();
    }

    // 0 .. 2^31 - 1.
    int Next()
    {
        state[front] += state[rear];
        const std::uint32_t value = state[front];
        front = (front + 1) % Lag;
        rear = (rear + 1) % Lag;
        return static_cast<int>(value >> 1);
    }

private:
    static constexpr int Lag = 31;
    static constexpr int ShortLag = 3;
    std::uint32_t state[Lag] = {};
    int front = ShortLag;
    int rear = 0;
};

AdditiveFeedback& Generator()
{
    static AdditiveFeedback generator;
    return generator;
}

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
    Generator().Seed(seed);
    seeded = true;
}

int RandomNumber()
{
    EnsureSeeded();
    return Generator().Next();
}

int RandomIntBelow(int maxValue)
{
    if (maxValue <= 0)
        return 0;
    return RandomNumber() % maxValue;
}

float RandomFloatBelow(float maxValue) { return (RandomNumber() % 10000) / 10000.0f * maxValue; }

Vector2 SmoothStep(const Vector2& a, const Vector2& b, float t) { return Vector2::Lerp(a, b, Ease(t)); }

Color Lerp(const Color& a, const Color& b, float t) { return a + (b - a) * t; }

Color SmoothStep(const Color& a, const Color& b, float t) { return Lerp(a, b, Ease(t)); }

float SmoothStep(float a, float b, float t) { return a + (b - a) * Ease(t); }
} // namespace MathKit
