#include "Game/TinyDollar.h"

#include "Game/SuitScreenPlay.h"
#include "Game/Suit_Player.h"
#include "Messaging/Switchboard.h"

namespace
{
constexpr float Speed = 3.0f;
constexpr float ArrivalDistance = 0.2f;
} // namespace

TinyDollar::TinyDollar(Suit* receiver) : target(receiver)
{
    SetSprite("Resources/Images/tinydollar.png", 0, GL_CLAMP, GL_LINEAR);
    SetSize(0.5f);
}

void TinyDollar::Update(float dt)
{
    if (IsDestroyed())
        return;
    // The target dies with the game, so a coin must not outlive it.
    SuitScreenPlay* play = SuitScreenPlay::GetPlayScreen();
    if (!play || !play->running)
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
        if (receiver == play->player)
            Switchboard::GetInstance().Broadcast(new Message("DollarReceived", receiver));
        Destroy();
    }
}
