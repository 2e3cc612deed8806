#pragma once

#include "Util/Vector2.h"

#include <vector>

class SteeringBehavior;

// A point agent moved by the sum of its behaviours' forces. There is no momentum: the
// velocity is cleared after every move, so the summed forces are that frame's velocity
// (world units per second).
class SteeringBoid
{
public:
    SteeringBoid() { ++liveCount; }
    // Deletes every behaviour it owns.
    virtual ~SteeringBoid();

    // Boids alive in the process (a cheap leak check for soaks).
    static long GetLiveCount() { return liveCount; }
    SteeringBoid(const SteeringBoid&) = delete;
    SteeringBoid& operator=(const SteeringBoid&) = delete;

    // Sums the enabled behaviours, caps the speed, keeps the boid inside its bounds
    // (snapping onto the border with a 0.1 nudge inward) and moves.
    virtual void Update(float dt);

    // Takes ownership and attaches the behaviour to this boid.
    void AddBehavior(SteeringBehavior* behavior);
    void SetBounds(float left, float top, float right, float bottom);

    Vector2 position;
    Vector2 velocity;
    float maxForce = 1000.0f;
    float maxSpeed = 1000.0f;
    bool bounded = false;
    float boundsLeft = 0.0f;
    float boundsTop = 0.0f;
    float boundsRight = 0.0f;
    float boundsBottom = 0.0f;
    // Owned; evaluated in this order.
    std::vector<SteeringBehavior*> behaviors;
    // Not owned: the boids that grouping, velocity matching and avoiding look at.
    std::vector<SteeringBoid*> neighbors;

private:
    static long liveCount;
};

// The player's boid: never updated, only written, so that others can follow or flee it.
class SteeringNullBoid : public SteeringBoid
{
};
