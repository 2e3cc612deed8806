#pragma once

#include "Util/Vector2.h"

class SteeringBoid;

// One contribution to a boid's velocity. The boid owns its behaviours and asks each
// enabled one for a force every update.
class SteeringBehavior
{
public:
    SteeringBehavior() = default;
    virtual ~SteeringBehavior() = default;
    SteeringBehavior(const SteeringBehavior&) = delete;
    SteeringBehavior& operator=(const SteeringBehavior&) = delete;

    virtual void SetOwner(SteeringBoid* newOwner) { owner = newOwner; }
    virtual void Update(float dt) { (void)dt; }
    virtual Vector2 GetForce() { return Vector2(); }
    // Debug drawing.
    virtual void Render() {}

    SteeringBoid* owner = nullptr;
    bool enabled = true;
};

// A heading that turns by a random jitter every `interval` seconds.
class SteeringBehavior_Wander : public SteeringBehavior
{
public:
    SteeringBehavior_Wander(float wanderStrength, float reaimInterval);

    void Update(float dt) override;
    Vector2 GetForce() override;
    void Render() override;

    float persistence = 1.0f;
    float jitter = 0.5f;
    float interval;
    float timer = 0.0f;
    Vector2 heading;
    float strength;
};

// Towards the centre of the neighbours within 4 units.
class SteeringBehavior_Group : public SteeringBehavior
{
public:
    Vector2 GetForce() override;
};

// Towards the mean velocity of the neighbours within 5 units.
class SteeringBehavior_MatchVelocity : public SteeringBehavior
{
public:
    Vector2 GetForce() override;
};

// Away from every neighbour closer than 1.2 units, by the full offset.
class SteeringBehavior_Avoid : public SteeringBehavior
{
public:
    Vector2 GetForce() override;
};

// A unit direction to the target times `strength`: the same speed at any distance.
class SteeringBehavior_Follow : public SteeringBehavior
{
public:
    Vector2 GetForce() override;

    SteeringBoid* target = nullptr;
    float strength = 1.0f;
};

// A unit direction away from the target times `strength`.
class SteeringBehavior_Flee : public SteeringBehavior
{
public:
    Vector2 GetForce() override;

    SteeringBoid* target = nullptr;
    float strength = 1.0f;
};
