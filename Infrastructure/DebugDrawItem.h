#pragma once

#include "Util/Color.h"
#include "Util/Vector2.h"

// A timed shape the World draws over everything else for debugging. The World owns its
// items and deletes them through this base once their time has run out.
struct DebugDrawItem
{
    virtual ~DebugDrawItem() = default;
    // Draws in world coordinates with `color`.
    virtual void Draw() const = 0;

    // Seconds of simulated frame time left.
    float timeRemaining = 0.0f;
    // Created with a negative time: never ages, goes only with PurgeDebugDrawing.
    bool permanent = false;
    Color color;
};

// A segment between two world points.
struct DebugLine : DebugDrawItem
{
    void Draw() const override;

    Vector2 points[2];
};
