#include "Game/Suit.h"

#include "Game/GameSounds.h"
#include "Game/PlayField.h"
#include "Game/SteeringBoid.h"

#include <algorithm>

namespace
{
constexpr float PushDistance = 0.8f;
// A mover yields while it pushes, so its target drifts (by up to one push distance when
// it yields fully); candidates come from that much wider a circle.
constexpr float PushSearchRadius = 1.6f;
} // namespace

Suit::Suit(SuitKind suitKind, PlayField& playField) : kind(suitKind), field(playField) { GameSounds::Load(); }

void Suit::AttachBoid(SteeringBoid* newBoid)
{
    boid = newBoid;
    boid->position = position;
    const PlayArea area = field.GetPlayArea();
    boid->SetBounds(area.left, area.top, area.right, area.bottom);
    field.AdoptBoid(boid);
}

void Suit::Update(float dt)
{
    Actor::Update(dt);
    UpdateAllegiance();
}

void Suit::SetPosition(float x, float y)
{
    const PlayArea area = field.GetPlayArea();
    x = std::max(area.left, std::min(x, area.right));
    y = std::max(area.bottom, std::min(y, area.top));
    Actor::SetPosition(x, y);
    boxMin = Vector2(x - boxWidth / 2.0f, y - boxHeight / 2.0f);
    boxMax = Vector2(x + boxWidth / 2.0f, y + boxHeight / 2.0f);
    if (boid)
        boid->position = Vector2(x, y);
    field.NoteMoved(this);
}

void MoveWithPush(Vector2 target, Suit* mover, float share)
{
    static std::vector<Suit*> nearby;
    mover->GetField().Grid().Query(target, PushSearchRadius, nearby);
    for (Suit* other : nearby)
    {
        if (!other || other == mover)
            continue;
        const Vector2 offset = other->GetPosition() - target;
        if (offset.LengthSquared() >= PushDistance * PushDistance)
            continue;
        const float distance = offset.Length();
        const Vector2 push = distance > 0.0f ? offset / distance * (PushDistance - distance) : Vector2();
        other->SetPosition(other->GetPosition() + push * share);
        target -= push * (1.0f - share);
    }
    mover->SetPosition(target);
}

void Suit::PreDestroy()
{
    if (leader)
        leader->RemoveFollower(this);
    field.Forget(this);
}
