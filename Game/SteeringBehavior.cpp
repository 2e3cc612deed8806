#include "Game/SteeringBehavior.h"

#include "Game/SteeringBoid.h"
#include "Platform/Draw.h"
#include "Util/MathKit.h"

#include <cmath>

namespace
{
constexpr float TwoPi = 6.28318530718f;
constexpr float GroupRange = 4.0f;
constexpr float MatchRange = 5.0f;
constexpr float AvoidRange = 1.2f;
constexpr float PullFactor = 0.1f;

Vector2 Normalized(Vector2 v)
{
    v.Normalize();
    return v;
}
} // namespace

SteeringBehavior_Wander::SteeringBehavior_Wander(float wanderStrength, float reaimInterval)
    : interval(reaimInterval), strength(wanderStrength)
{
    // One draw a statement, y first (see Suit_Consumer.cpp).
    const float y = MathKit::RandomFloatBelow(1.0f);
    const float x = MathKit::RandomFloatBelow(1.0f);
    heading = Vector2(x, y);
    if (heading.X == 0.0f && heading.Y == 0.0f)
        heading = Vector2(0.0f, 1.0f);
    heading.Normalize();
}

void SteeringBehavior_Wander::Update(float dt)
{
    timer += dt;
    if (interval < timer)
    {
        timer = 0.0f;
        const float angle = MathKit::RandomFloatBelow(TwoPi);
        heading = Normalized(heading * persistence + Vector2(std::sin(angle), std::cos(angle)) * jitter);
    }
}

Vector2 SteeringBehavior_Wander::GetForce() { return heading * strength; }

void SteeringBehavior_Wander::Render()
{
    if (!owner)
        return;
    constexpr int Segments = 64;
    Vector2 rim[Segments + 2];
    rim[0] = owner->position;
    for (int k = 0; k <= Segments; ++k)
    {
        const float angle = static_cast<float>(k) * TwoPi / static_cast<float>(Segments);
        rim[k + 1] = owner->position + Vector2(std::cos(angle), std::sin(angle)) * jitter;
    }
    Draw::Polygon(rim + 1, Segments + 1, Color(1.0f, 0.0f, 0.0f, 0.5f), true);
    Draw::Line(owner->position, owner->position + heading, Color(0.0f, 0.0f, 0.0f, 1.0f));
}

Vector2 SteeringBehavior_Group::GetForce()
{
    if (!owner)
        return Vector2();
    Vector2 centre;
    int count = 0;
    for (SteeringBoid* other : owner->neighbors)
    {
        if (!other || other == owner)
            continue;
        if ((other->position - owner->position).Length() < GroupRange)
        {
            centre += other->position;
            ++count;
        }
    }
    if (count == 0)
        return Vector2();
    centre /= static_cast<float>(count);
    return (centre - owner->position) * PullFactor;
}

Vector2 SteeringBehavior_MatchVelocity::GetForce()
{
    if (!owner)
        return Vector2();
    Vector2 mean;
    int count = 0;
    for (SteeringBoid* other : owner->neighbors)
    {
        if (!other || other == owner)
            continue;
        if ((other->position - owner->position).Length() < MatchRange)
        {
            mean += other->velocity;
            ++count;
        }
    }
    if (count == 0)
        return Vector2();
    mean /= static_cast<float>(count);
    return (mean - owner->velocity) * PullFactor;
}

Vector2 SteeringBehavior_Avoid::GetForce()
{
    Vector2 force;
    if (!owner)
        return force;
    for (SteeringBoid* other : owner->neighbors)
    {
        if (!other || other == owner)
            continue;
        const Vector2 offset = other->position - owner->position;
        if (offset.Length() < AvoidRange)
            force -= offset;
    }
    return force;
}

Vector2 SteeringBehavior_Follow::GetForce()
{
    if (!target || !owner)
        return Vector2();
    return Normalized(target->position - owner->position) * strength;
}

Vector2 SteeringBehavior_Flee::GetForce()
{
    if (!target || !owner)
        return Vector2();
    return Normalized(owner->position - target->position) * strength;
}
