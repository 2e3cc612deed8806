#include "Game/TinyDollar.h"

#include "Game/PlayField.h"
#include "Game/Suit_Player.h"
#include "Messaging/Switchboard.h"

namespace
{
constexpr float Speed = 3.0f;
constexpr float ArrivalDistance = 0.2f;
} // namespace

TinyDollar::TinyDollar(const PlayField& playField, Suit* receiver) : target(receiver), field(playField)
{
    SetSprite("Resources/Images/tinydollar.png", 0, GL_CLAMP, GL_LINEAR);
    SetSize(0.5f);
}

void TinyDollar::Update(float dt)
{
    if (IsDestroyed())
        return;
    // The target dies with the game, so a coin must not outlive it.
    if (!field.IsRunning())
    {
        Destroy();
        return;
    }
    Suit* receiver = target.Get();
    if (!receiver)
    {
        Destroy();
        return;
    }

    const Vector2 offset = receiver->GetPosition() - position;
    const float distance = offset.Length();
    const Vector2 direction = distance > 0.0f ? offset / distance : Vector2();
    SetPosition(position + direction * Speed * dt);

    if (distance < ArrivalDistance)
    {
        if (field.IsPlayer(receiver))
            Switchboard::GetInstance().Broadcast(new Message("DollarReceived", receiver));
        Destroy();
    }
}
