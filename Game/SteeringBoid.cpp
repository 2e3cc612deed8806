#include "Game/SteeringBoid.h"

#include "Game/SteeringBehavior.h"

namespace
{
constexpr float BoundsNudge = 0.1f;

// Puts a coordinate back into [low, high]; returns the nudge back inwards.
float ClampWithNudge(float& coordinate, float low, float high)
{
    float nudge = 0.0f;
    if (coordinate < low)
    {
        coordinate = low;
        nudge = BoundsNudge;
    }
    if (coordinate > high)
    {
        coordinate = high;
        nudge -= BoundsNudge;
    }
    return nudge;
}
} // namespace

long SteeringBoid::liveCount = 0;

SteeringBoid::~SteeringBoid()
{
    --liveCount;
    for (SteeringBehavior* behavior : behaviors)
        delete behavior;
}

void SteeringBoid::Update(float dt)
{
    Vector2 sum;
    for (SteeringBehavior* behavior : behaviors)
    {
        // A disabled behaviour doesn't even age (a disabled wander keeps its heading).
        if (!behavior || !behavior->enabled)
            continue;
        behavior->Update(dt);
        sum += behavior->GetForce();
    }
    velocity += sum;

    const float speed = velocity.Length();
    if (maxSpeed < speed)
        velocity *= maxSpeed / speed;

    if (bounded)
    {
        const Vector2 correction(ClampWithNudge(position.X, boundsLeft, boundsRight),
                                 ClampWithNudge(position.Y, boundsBottom, boundsTop));
        velocity += correction;
    }

    position += velocity * dt;
    velocity *= 0.0f;
}

void SteeringBoid::AddBehavior(SteeringBehavior* behavior)
{
    if (!behavior)
        return;
    behavior->SetOwner(this);
    behaviors.push_back(behavior);
}

void SteeringBoid::SetBounds(float left, float top, float right, float bottom)
{
    boundsLeft = left;
    boundsTop = top;
    boundsRight = right;
    boundsBottom = bottom;
    bounded = true;
}
