#include "Game/Suit_Consumer.h"

#include "Game/Explosions.h"
#include "Game/GameSounds.h"
#include "Game/HudText.h"
#include "Game/PlayField.h"
#include "Game/SteeringBehavior.h"
#include "Game/SteeringBoid.h"
#include "Game/Suit_Journalist.h"
#include "Game/Suit_Player.h"
#include "Game/TinyDollar.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "Util/BoundingBox.h"
#include "Util/MathKit.h"

namespace
{
const char* const SpriteFile = "Resources/Images/consumer_001.png";
constexpr float MaxMoney = 8.0f;
constexpr float RefillRate = 2.0f;
constexpr float PaySeconds = 1.0f;
constexpr float LieMoodSeconds = 2.0f;
constexpr float FleeSeconds = 7.0f;
constexpr float DrawnStrength = 2.0f;
constexpr float LeaderStrength = 0.7f;
constexpr float JoinDistance = 1.5f;
constexpr float FollowersPerExtraUnit = 16.0f;
constexpr float LowMoney = 2.64f;
} // namespace

Suit_Consumer::Suit_Consumer(PlayField& playField) : Suit(SK_Consumer, playField), player(playField.Player())
{
    LoadSpriteFrames(SpriteFile, GL_CLAMP, GL_LINEAR);
    SetSprite(SpriteFile, 0, GL_CLAMP, GL_LINEAR);
    AttachBoid(new SteeringBoid());

    SteeringBoid* playerBoid = player ? player->GetBoid() : nullptr;
    follow = new SteeringBehavior_Follow();
    follow->target = playerBoid;
    follow->enabled = false;
    SteeringBoid* steering = GetBoid();
    steering->AddBehavior(follow);
    flee = new SteeringBehavior_Flee();
    flee->strength = 5.0f;
    flee->target = playerBoid;
    flee->enabled = false;
    steering->AddBehavior(flee);
    // One draw a statement: the order of a call's arguments differs between compilers,
    // and a seed must give the same game everywhere. The interval is drawn first, as it
    // always was here.
    const float reaimInterval = 0.1f + MathKit::RandomFloatBelow(0.2f);
    const float wanderStrength = 1.0f + MathKit::RandomFloatBelow(0.25f);
    steering->AddBehavior(new SteeringBehavior_Wander(wanderStrength, reaimInterval));

    Switchboard::GetInstance().SubscribeTo(this, "LieMeterBusted");
    Switchboard::GetInstance().SubscribeTo(this, "JournalistLieBusted");
}

bool Suit_Consumer::CanLead(Suit* other) { return IsLeadingKind(other); }

bool Suit_Consumer::IsHearingLie() const
{
    const BoundingBox box(boxMin, boxMax);
    if (player && player->lieRadius > 0.0f && box.Intersects(player->GetPosition(), player->lieRadius))
        return true;
    for (Suit_Journalist* journalist : GetField().Flashing())
        if (journalist && journalist->flashRadius > 0.0f &&
            box.Intersects(journalist->GetPosition(), journalist->flashRadius))
            return true;
    return false;
}

void Suit_Consumer::Update(float dt)
{
    if (IsDestroyed())
        return;
    Suit::Update(dt);

    if (moodTime > 0.0f)
    {
        moodTime -= dt;
        if (moodTime < 0.0f)
        {
            moodTime = 0.0f;
            if (flee->enabled)
                flee->enabled = false;
            else if (Suit* current = GetLeader())
            {
                follow->strength = LeaderStrength;
                follow->target = current->GetBoid();
            }
            else
            {
                follow->enabled = false;
                follow->target = nullptr;
            }
        }
    }

    hearingLie = IsHearingLie();
    if (hearingLie && player)
    {
        moodTime = LieMoodSeconds;
        follow->enabled = true;
        follow->strength = DrawnStrength;
        follow->target = player->GetBoid();
    }

    if (SteeringBoid* steering = GetBoid())
    {
        steering->Update(dt);
        MoveWithPush(steering->position, this, 0.0f);
    }

    if (GetLeader())
        Pay(dt);
    else
        money = std::min(money + RefillRate * dt, MaxMoney);
}

void Suit_Consumer::Pay(float dt)
{
    dollarTime -= dt;
    if (dollarTime < 0.0f)
    {
        auto* coin = new TinyDollar(GetField(), GetLeader());
        coin->SetPosition(position);
        World::GetInstance().Add(coin, 0);
        dollarTime = PaySeconds;
    }
    money -= dt;
    if (money <= 0.0f)
        Die();
}

void Suit_Consumer::Die()
{
    Switchboard::GetInstance().Broadcast(new Message("ConsumerDied", GetLeader()));
    GameSounds::Play(GS_ConsumerDied);
    World::GetInstance().Add(new ConsumerDiedExplosion(position), 0);
    Destroy();
}

void Suit_Consumer::UpdateAllegiance()
{
    if (IsDestroyed())
        return;
    if (GetLeader() && !CanFollow(GetLeader()))
        GetLeader()->RemoveFollower(this);

    // A lie wins outright; otherwise the nearest leader within its reach, the earlier
    // on the field on a tie. Only suits close enough to possibly reach are looked at.
    Suit* chosen = nullptr;
    if (player && player.Get() != static_cast<Suit*>(this) && player->lieRadius > 0.0f && CanFollow(player.Get()) &&
        Vector2::Distance(player->GetPosition(), position) <= player->lieRadius)
        chosen = player.Get();

    if (!chosen)
    {
        static std::vector<Suit*> nearby;
        GetField().Grid().Query(position, GetField().GetLongestReach(), nearby);
        float best = 0.0f;
        for (Suit* candidate : nearby)
        {
            if (!candidate || candidate == this || !candidate->IsLiar() || !CanFollow(candidate))
                continue;
            const float distance = Vector2::Distance(candidate->GetPosition(), position);
            const float reach =
                JoinDistance + static_cast<float>(candidate->GetFollowerCount()) / FollowersPerExtraUnit;
            if (distance < reach && (!chosen || distance < best))
            {
                chosen = candidate;
                best = distance;
            }
        }
    }

    if (GetLeader() && chosen != GetLeader())
        GetLeader()->RemoveFollower(this);
    if (chosen)
        chosen->AddFollower(this);
}

bool Suit_Consumer::CanFollow(Suit* other)
{
    if (flee && flee->enabled)
        return false;
    if (!other)
        return false;
    if (other == player.Get() || other->GetKind() == SK_Player)
        return true;
    if (other->GetKind() == SK_AI)
    {
        const bool heldByLie =
            follow && follow->enabled && GetLeader() && GetLeader() == player.Get() && (hearingLie || moodTime > 0.0f);
        return !heldByLie;
    }
    return false;
}

void Suit_Consumer::FollowLeader(Suit* newLeader)
{
    if (follow && !follow->enabled && newLeader)
    {
        follow->enabled = true;
        follow->strength = LeaderStrength;
        follow->target = newLeader->GetBoid();
        PlaySpriteAnimation(0.25f, SAT_Loop, 0, std::min(1, spriteNumFrames - 1));
    }
    SetLeader(newLeader);
}

void Suit_Consumer::StopFollowing(Suit* oldLeader)
{
    (void)oldLeader;
    if (follow)
    {
        follow->enabled = false;
        follow->target = nullptr;
        PlaySpriteAnimation(0.0f, SAT_None, 0, 0);
        SetSprite(SpriteFile, 0, GL_CLAMP, GL_LINEAR);
    }
    SetLeader(nullptr);
}

void Suit_Consumer::ReceiveMessage(Message* message)
{
    if (!player || IsDestroyed())
        return;
    const String messageName = message->GetMessageName();
    if (messageName != "LieMeterBusted" && messageName != "JournalistLieBusted")
        return;

    Suit_Journalist* reporter = GetField().FindReporter(message);
    const Vector2 centre = reporter ? reporter->GetPosition() : player->GetPosition();
    const float radius = reporter ? reporter->flashRadius : GetField().GetMaxLieRadius();
    if (!BoundingBox(boxMin, boxMax).Intersects(centre, radius))
        return;

    if (player && GetLeader() == player.Get())
        player->RemoveFollower(this);
    follow->enabled = false;
    follow->target = nullptr;
    flee->enabled = true;
    moodTime = FleeSeconds;
}

void Suit_Consumer::PreDestroy()
{
    Switchboard::GetInstance().UnsubscribeFrom(this, "LieMeterBusted");
    Switchboard::GetInstance().UnsubscribeFrom(this, "JournalistLieBusted");
    Suit::PreDestroy();
}

void Suit_Consumer::Render()
{
    Actor::Render();
    if (!GetLeader() && money >= MaxMoney)
        return;
    const Color barColor = money >= LowMoney ? Color(0.0f, 1.0f, 0.0f, 0.8f) : Color(1.0f, 0.0f, 0.0f, 0.8f);
    const float left = position.X - boxWidth / 2.0f;
    const float bottom = position.Y + boxHeight / 2.0f + 0.05f;
    HudText::FillWorldRect(Vector2(left, bottom), Vector2(left + boxWidth * money / MaxMoney, bottom + 0.1f), barColor);
}
