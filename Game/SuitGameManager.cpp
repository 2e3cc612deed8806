#include "Game/SuitGameManager.h"

#include "Actors/Actor.h"
#include "Infrastructure/World.h"
#include "Sound/SoundDevice.h"
#include "Util/MathKit.h"

#include <vector>

namespace
{
constexpr int ConsumerCount = 14;
constexpr int DollarCount = 4;
constexpr float FieldHalfWidth = 12.0f;
constexpr float FieldHalfHeight = 8.5f;
constexpr float ConsumerSpeed = 1.5f;

std::vector<Actor*> consumers;

Vector2 RandomFieldPoint()
{
    return Vector2(MathKit::RandomFloatBelow(2.0f * FieldHalfWidth) - FieldHalfWidth,
                   MathKit::RandomFloatBelow(2.0f * FieldHalfHeight) - FieldHalfHeight);
}

Actor* AddFigure(const String& image, float size, const Vector2& position, int layer)
{
    auto* figure = new Actor();
    figure->SetSprite(image);
    figure->SetSize(size);
    figure->SetPosition(position);
    World::GetInstance().Add(figure, layer);
    return figure;
}
} // namespace

SuitGameManager::SuitGameManager()
{
    // Finished sounds reach the manager's own hook.
    SoundDevice::GetInstance().SetFinishedHandler(this, &GameManager::OnSoundFinished);

    World& world = World::GetInstance();
    world.SetBackgroundColor(Color(0.93f, 0.94f, 0.90f));

    auto* lieCircle = new Actor();
    lieCircle->SetDrawShape(ADS_Circle);
    lieCircle->SetSize(6.0f);
    lieCircle->SetColor(0.85f, 0.1f, 0.1f, 0.25f);
    world.Add(lieCircle, -1);

    AddFigure("Resources/Images/player.png", 2.2f, Vector2(0.0f, 0.0f), 1)->SetName("Player");
    AddFigure("Resources/Images/suit_brown.png", 2.2f, Vector2(-8.0f, 5.0f), 1);
    AddFigure("Resources/Images/suit_green.png", 2.2f, Vector2(9.0f, -5.5f), 1);
    AddFigure("Resources/Images/Camera.png", 2.2f, Vector2(7.5f, 6.0f), 1);

    for (int i = 0; i < DollarCount; ++i)
    {
        Actor* dollar = AddFigure("Resources/Images/dollar_001.png", 0.9f, RandomFieldPoint(), 0);
        const int frames = dollar->LoadSpriteFrames("Resources/Images/dollar_001.png");
        dollar->PlaySpriteAnimation(0.1f, SAT_Loop, 0, frames - 1);
    }

    for (int i = 0; i < ConsumerCount; ++i)
    {
        Actor* consumer = AddFigure("Resources/Images/consumer_001.png", 1.8f, RandomFieldPoint(), 0);
        const int frames = consumer->LoadSpriteFrames("Resources/Images/consumer_001.png");
        consumer->PlaySpriteAnimation(0.25f, SAT_Loop, 0, frames - 1);
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
    consumer->MoveTo(target, distance / ConsumerSpeed, true);
}
