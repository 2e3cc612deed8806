#pragma once

#include "Util/Vector2.h"

// An axis-aligned rectangle in world units.
struct BoundingBox
{
    Vector2 Min;
    Vector2 Max;

    BoundingBox() = default;
    // The corners as given; nothing swaps them if min lies above or right of max.
    BoundingBox(const Vector2& min, const Vector2& max) : Min(min), Max(max) {}

    // True when the circle touches or overlaps the box; borders count as touching.
    bool Intersects(const Vector2& centre, float radius) const;
};
