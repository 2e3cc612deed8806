#include "Game/Suit_Player.h"

#include "Game/Explosions.h"
#include "Game/GameControls.h"
#include "Game/GameSounds.h"
#include "Game/HudText.h"
#include "Game/LieMeter.h"
#include "Game/PlayField.h"
#include "Game/SteeringBoid.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "Platform/ScreenMath.h"

#include <cmath>

namespace
{
constexpr float WalkSpeed = 1.4f;
constexpr float StickThreshold = 0.2f;
constexpr float LieGrowth = 3.0f;
constexpr float PlayerShare = 0.9f;
constexpr float LieBandPixels = 4.0f;
} // namespace

Suit_Player::Suit_Player(PlayField& playField) : Suit(SK_Player, playField)
{
    SetSprite("Resources/Images/player.png", 0, GL_CLAMP, GL_LINEAR);
    AttachBoid(new SteeringNullBoid());
    Switchboard::GetInstance().SubscribeTo(this, "LieMeterBusted");
}

Vector2 Suit_Player::ReadMovement(float dt) const
{
    Vector2 move;
    Vector2 stick = GameControls::LeftStick();
    if (stick.Length() > 0.0f)
        stick.Normalize();
    if (std::fabs(stick.X) > StickThreshold)
        move.X += dt * stick.X * WalkSpeed;
    if (std::fabs(stick.Y) > StickThreshold)
        move.Y += dt * stick.Y * WalkSpeed;

    if (GameControls::IsHeld(GA_MoveLeft))
        move.X -= WalkSpeed * dt;
    else if (GameControls::IsHeld(GA_MoveRight))
        move.X += WalkSpeed * dt;
    if (GameControls::IsHeld(GA_MoveDown))
        move.Y -= WalkSpeed * dt;
    else if (GameControls::IsHeld(GA_MoveUp))
        move.Y += WalkSpeed * dt;
    return move;
}

bool Suit_Player::IsLieHeld() const
{
    const LieMeter* meter = GetField().Meter();
    if (!meter || meter->bustTime > 0.00001f)
        return false;
    return GameControls::IsHeld(GA_Lie);
}

void Suit_Player::Update(float dt)
{
    if (IsDestroyed())
        return;
    Suit::Update(dt);

    const Vector2 move = ReadMovement(dt);
    MoveWithPush(position + move, this, PlayerShare);
    if (SteeringBoid* steering = GetBoid())
    {
        steering->position = position;
        steering->velocity = move;
    }

    if (IsLieHeld())
    {
        if (lieRadius <= 1e-6f)
        {
            ++lieCount;
            GameSounds::Play(GS_Lie);
        }
        lieRadius = std::min(lieRadius + LieGrowth * dt, GetField().GetMaxLieRadius());
    }
    else
    {
        lieRadius = 0.0f;
    }
}

void Suit_Player::Render()
{
    Actor::Render();
    if (lieRadius <= 0.0f)
        return;
    // A journalist's flash is a thin see-through line; the player's own lie is a wide,
    // solid band over a faint tint, so that it reads as "mine" at a glance.
    HudText::FillCircle(position, lieRadius, Color(1.0f, 0.3f, 0.2f, 0.08f));
    HudText::Ring(position, lieRadius, MathKit::PixelLengthToWorld(LieBandPixels), Color(0.85f, 0.0f, 0.05f, 0.9f));
}

void Suit_Player::ReceiveMessage(Message* message)
{
    if (message->GetMessageName() != "LieMeterBusted" || IsDestroyed())
        return;
    World::GetInstance().Add(new LieMeterBustExplosion(position), 0);
    GameSounds::Play(GS_LieMeterBust);
    ++bustCount;
    lieRadius = 0.0f;
}

void Suit_Player::PreDestroy()
{
    Switchboard::GetInstance().UnsubscribeFrom(this, "LieMeterBusted");
    Suit::PreDestroy();
}

bool Suit_Player::AddFollower(Suit* follower)
{
    const bool added = followers.Add(follower);
    if (added)
    {
        GetField().NoteFollowerCount(followers.Count());
        follower->FollowLeader(this);
        Switchboard::GetInstance().Broadcast(new Message("AddFollower", this));
    }
    return added;
}

bool Suit_Player::RemoveFollower(Suit* follower)
{
    const bool removed = followers.Remove(follower);
    if (removed)
    {
        follower->StopFollowing(this);
        Switchboard::GetInstance().Broadcast(new Message("RemoveFollower", this));
    }
    return removed;
}
