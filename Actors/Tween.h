#pragma once

#include "Util/MathKit.h"

// A timed change of a value from start to end, linear or eased in and out.
template <typename T> class Tween
{
public:
    // Inactive: none of its values is read before it is started.
    Tween() = default;
    // Starts active at `from`; eased changes start and end slowly.
    Tween(const T& from, const T& to, float seconds, bool eased)
        : start(from), end(to), current(from), duration(seconds), active(true), smooth(eased)
    {
    }

    // Advances by dt seconds and returns the new value; once the time is up the value
    // is exactly `end` and the tween is inactive.
    T Step(float dt)
    {
        if (!active)
            return current;
        timer += dt;
        // Without a duration there is nothing to interpolate over (t would be infinite).
        if (timer >= duration || duration <= 0.0f)
        {
            active = false;
            current = end;
            return current;
        }
        const float t = timer / duration;
        current = smooth ? MathKit::SmoothStep(start, end, t) : start + (end - start) * t;
        return current;
    }

    // False once the time is up (or for a default-made one).
    bool IsActive() const { return active; }

private:
    T start{};
    T end{};
    T current{};
    float duration = 0.0f;
    float timer = 0.0f;
    bool active = false;
    bool smooth = false;
};
