#include "Game/SuitGameManager.h"

#include "Actors/Actor.h"
#include "Infrastructure/World.h"
#include "Util/MathKit.h"

#include <vector>

namespace
{
constexpr int ConsumerCount = 14;
constexpr float FieldHalfWidth = 12.0f;
constexpr float FieldHalfHeight = 8.5f;

std::vector<Actor*> consumers;

Vector2 RandomFieldPoint()
{
    return Vector2(MathKit::RandomFloatBelow(2.0f * FieldHalfWidth) - FieldHalfWidth,
                   MathKit::RandomFloatBelow(2.0f * FieldHalfHeight) - FieldHalfHeight);
}
} // namespace

SuitGameManager::SuitGameManager()
{
    World& world = World::GetInstance();
    world.SetBackgroundColor(Color(0.93f, 0.94f, 0.90f));

    auto* lieCircle = new Actor();
    lieCircle->SetDrawShape(ADS_Circle);
    lieCircle->SetSize(6.0f);
    lieCircle->SetColor(0.85f, 0.1f, 0.1f, 0.25f);
    world.Add(lieCircle, -1);

    auto* suit = new Actor();
    suit->SetSize(0.9f, 1.4f);
    suit->SetColor(0.12f, 0.14f, 0.22f);
    world.Add(suit);
    suit->SetName("Player");

    auto* tie = new Actor();
    tie->SetSize(0.16f, 0.7f);
    tie->SetPosition(0.0f, 0.2f);
    tie->SetColor(0.8f, 0.1f, 0.12f);
    world.Add(tie, 1);

    for (int i = 0; i < ConsumerCount; ++i)
    {
        auto* consumer = new Actor();
        consumer->SetDrawShape(ADS_Circle);
        consumer->SetSize(0.7f);
        consumer->SetColor(0.2f + MathKit::RandomFloatBelow(0.4f), 0.55f + MathKit::RandomFloatBelow(0.3f), 0.35f);
        consumer->SetPosition(RandomFieldPoint());
        world.Add(consumer);
        consumers.push_back(consumer);
    }
}

void SuitGameManager::Update(float)
{
    for (Actor* consumer : consumers)
    {
        // About once every second and a half, a consumer heads somewhere new.
        if (MathKit::RandomIntBelow(90) == 0)
            Wander(consumer);
    }
}

void SuitGameManager::Wander(Actor* consumer)
{
    const Vector2 target = RandomFieldPoint();
    const float distance = Vector2::Distance(consumer->GetPosition(), target);
    consumer->MoveTo(target, distance / 1.5f, true);
}
