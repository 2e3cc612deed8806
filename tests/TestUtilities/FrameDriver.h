#pragma once

#include "Infrastructure/World.h"

#include <memory>

// Drives the World's frames with chosen times instead of the clock.
class FrameDriver
{
public:
    FrameDriver() : now(std::make_shared<double>(0.0))
    {
        auto clock = now;
        World::GetInstance().SetTimeSource([clock] { return *clock; });
        World::GetInstance().MeasureFrameTime();
    }
    ~FrameDriver() { World::GetInstance().SetTimeSource(nullptr); }

    void SetTime(double seconds) { *now = seconds; }
    // One simulated update of dt seconds (no drawing).
    void Tick(float dt)
    {
        *now += dt;
        World::GetInstance().Tick(true);
    }
    // One whole frame (update and drawing) of dt seconds; needs a window.
    void Frame(float dt)
    {
        *now += dt;
        World::GetInstance().RunFrame();
    }

private:
    std::shared_ptr<double> now;
};
