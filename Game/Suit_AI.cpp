#include "Game/Suit_AI.h"

#include "Game/Suit_Player.h"

#include "Game/PlayField.h"
#include "Game/SteeringBehavior.h"
#include "Game/SteeringBoid.h"
#include "Messaging/Switchboard.h"
#include "Util/MathKit.h"

namespace
{
constexpr float ChaseSeconds = 5.0f;
constexpr float ChaseStrength = 3.5f;
constexpr float AIShare = 0.2f;
} // namespace

Suit_AI::Suit_AI(PlayField& playField) : Suit(SK_AI, playField), player(playField.Player())
{
    SetSprite("Resources/Images/suit.png", 0, GL_CLAMP, GL_LINEAR);
    AttachBoid(new SteeringBoid());

    follow = new SteeringBehavior_Follow();
    follow->enabled = false;
    SteeringBoid* steering = GetBoid();
    steering->AddBehavior(follow);
    steering->AddBehavior(new SteeringBehavior_Wander(0.9f + MathKit::RandomFloatBelow(0.2f), 0.1f));
    steering->AddBehavior(new SteeringBehavior_Group());
    steering->AddBehavior(new SteeringBehavior_MatchVelocity());
    steering->AddBehavior(new SteeringBehavior_Avoid());

    Switchboard::GetInstance().SubscribeTo(this, "PickupMoney");
}

bool Suit_AI::CanLead(Suit* other) { return IsLeadingKind(other); }

void Suit_AI::ReceiveMessage(Message* message)
{
    if (IsDestroyed() || !follow || message->GetMessageName() != "PickupMoney")
        return;
    // Only suits on this field take its dollars; look the sender up there rather than
    // trust a pointer that might have gone.
    Suit* taker = GetField().FindLiar(message->GetSender());
    if (!taker || taker == this)
        return;
    followTime = ChaseSeconds;
    follow->enabled = true;
    follow->strength = ChaseStrength;
    follow->target = taker->GetBoid();
}

void Suit_AI::Update(float dt)
{
    if (IsDestroyed())
        return;
    Suit::Update(dt);
    if (SteeringBoid* steering = GetBoid())
    {
        steering->Update(dt);
        MoveWithPush(steering->position, this, AIShare);
    }
    if (followTime > 0.0f)
    {
        followTime -= dt;
        if (followTime <= 0.0f)
        {
            followTime = 0.0f;
            if (follow)
            {
                follow->enabled = false;
                follow->target = nullptr;
            }
        }
    }
}

void Suit_AI::FollowLeader(Suit* newLeader)
{
    if (follow && !follow->enabled && newLeader)
    {
        follow->enabled = true;
        follow->strength = 1.0f;
        follow->target = newLeader->GetBoid();
    }
    SetLeader(newLeader);
}

void Suit_AI::StopFollowing(Suit* oldLeader)
{
    (void)oldLeader;
    if (follow)
    {
        follow->enabled = false;
        follow->target = nullptr;
    }
    SetLeader(nullptr);
}

bool Suit_AI::AddFollower(Suit* follower)
{
    const bool added = followers.Add(follower);
    if (added)
        GetField().NoteFollowerCount(followers.Count());
    if (added)
        follower->FollowLeader(this);
    return added;
}

bool Suit_AI::RemoveFollower(Suit* follower)
{
    const bool removed = followers.Remove(follower);
    if (removed)
        follower->StopFollowing(this);
    return removed;
}

void Suit_AI::PreDestroy()
{
    Switchboard::GetInstance().UnsubscribeFrom(this, "PickupMoney");
    Suit::PreDestroy();
}
