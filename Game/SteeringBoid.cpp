#include "Game/SteeringBoid.h"

#include "Game/SteeringBehavior.h"

namespace
{
constexpr float BoundsNudge = 0.1f;
}

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
        Vector2 correction;
        if (position.X < boundsLeft)
        {
            position.X = boundsLeft;
            correction.X = BoundsNudge;
        }
        if (position.X > boundsRight)
        {
            position.X = boundsRight;
            correction.X -= BoundsNudge;
        }
        if (position.Y < boundsBottom)
        {
            position.Y = boundsBottom;
            correction.Y = BoundsNudge;
        }
        if (position.Y > boundsTop)
        {
            position.Y = boundsTop;
            correction.Y -= BoundsNudge;
        }
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
