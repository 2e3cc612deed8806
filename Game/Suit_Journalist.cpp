#include "Game/Suit_Journalist.h"

#include "Game/Explosions.h"
#include "Game/GameSounds.h"
#include "Game/HudText.h"
#include "Game/PlayField.h"
#include "Game/SteeringBehavior.h"
#include "Game/SteeringBoid.h"
#include "Game/Suit_Player.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "Platform/Draw.h"
#include "Util/BoundingBox.h"
#include "Util/MathKit.h"

namespace
{
constexpr float ReportDelay = 0.0001f;
constexpr float FlashStart = 0.0001f;
} // namespace

Suit_Journalist::Suit_Journalist(PlayField& playField)
    : Suit(SK_Journalist, playField), player(playField.Player()), flashGrowth(6.0f + MathKit::RandomFloatBelow(2.0f)),
      flashMax(6.0f + MathKit::RandomFloatBelow(2.0f))
{
    SetSprite("Resources/Images/Camera.png", 0, GL_CLAMP, GL_LINEAR);
    // The flash picture sits in the second frame; it shows while the circle grows.
    SetSprite("Resources/Images/Camera_flash.png", 1, GL_CLAMP, GL_LINEAR);
    AttachBoid(new SteeringBoid());
    // Drawn one a statement, the interval first (see Suit_Consumer.cpp).
    const float reaimInterval = 0.2f + MathKit::RandomFloatBelow(0.2f);
    const float wanderStrength = 0.5f + MathKit::RandomFloatBelow(1.0f);
    GetBoid()->AddBehavior(new SteeringBehavior_Wander(wanderStrength, reaimInterval));
    Switchboard::GetInstance().SubscribeTo(this, "LieMeterBusted");
    Switchboard::GetInstance().SubscribeTo(this, "JournalistLieBusted");
}

bool Suit_Journalist::CanLead(Suit* other) { return IsLeadingKind(other); }

void Suit_Journalist::StartFlash(int lie)
{
    SetFlashRadius(FlashStart);
    GameSounds::Play(GS_Lie);
    lastLieSeen = lie;
}

void Suit_Journalist::Update(float dt)
{
    if (IsDestroyed())
        return;
    Suit::Update(dt);

    if (flashRadius <= 1e-7f)
    {
        const BoundingBox box(boxMin, boxMax);
        if (player && player->lieRadius > 0.0f && lastLieSeen < player->lieCount &&
            box.Intersects(player->GetPosition(), player->lieRadius))
            StartFlash(player->lieCount);

        // Only a flashing colleague can pass a flash on. A copy is walked: starting our
        // own flash puts us on the field's list of flashing journalists.
        static std::vector<Suit_Journalist*> colleagues;
        colleagues = GetField().Flashing();
        for (Suit_Journalist* other : colleagues)
            if (other && other->flashRadius > 1e-6f && lastLieSeen < other->lastLieSeen &&
                box.Intersects(other->GetPosition(), other->flashRadius))
                StartFlash(other->lastLieSeen);
    }

    if (flashRadius > 0.0f)
    {
        flashRadius += flashGrowth * dt;
        if (flashRadius > flashMax)
            SetFlashRadius(0.0f);
    }
    SetSpriteFrame(flashRadius > 0.0f && spriteNumFrames > 1 ? 1 : 0);

    if (SteeringBoid* steering = GetBoid())
    {
        steering->Update(dt);
        MoveWithPush(steering->position, this, 0.0f);
    }
}

void Suit_Journalist::Render()
{
    Actor::Render();
    if (flashRadius > 0.0f)
        HudText::CircleOutline(position, flashRadius, Color(1.0f, 0.0f, 0.0f, 0.5f));
    Draw::SetColor(Color(0.0f, 0.0f, 0.0f, 1.0f));
}

void Suit_Journalist::ReceiveMessage(Message* message)
{
    if (IsDestroyed())
        return;
    const String messageName = message->GetMessageName();
    if (messageName != "LieMeterBusted" && messageName != "JournalistLieBusted")
        return;

    Suit_Journalist* reporter = GetField().FindReporter(message);
    Vector2 centre;
    float radius = 0.0f;
    int bust = 0;
    if (reporter)
    {
        centre = reporter->GetPosition();
        radius = reporter->flashRadius;
        bust = reporter->lastBustReported;
    }
    else
    {
        if (!player)
            return;
        centre = player->GetPosition();
        radius = GetField().GetMaxLieRadius();
        // The lie meter numbers its busts: the player may hear of this one after us.
        auto* numbered = dynamic_cast<TypedMessage<int>*>(message);
        bust = numbered ? numbered->GetValue() : player->bustCount;
    }

    if (!BoundingBox(boxMin, boxMax).Intersects(centre, radius) || lastBustReported >= bust)
        return;
    lastBustReported = bust;
    World::GetInstance().Add(new LieMeterBustExplosion(position), 0);
    Switchboard::GetInstance().DeferredBroadcast(new Message("JournalistLieBusted", this), ReportDelay);
    SetFlashRadius(0.0f);
}

void Suit_Journalist::SetFlashRadius(float radius)
{
    const bool was = flashRadius > 0.0f;
    flashRadius = radius;
    const bool is = flashRadius > 0.0f;
    if (was != is)
        GetField().SetFlashing(this, is);
}

void Suit_Journalist::PreDestroy()
{
    SetFlashRadius(0.0f);
    Switchboard::GetInstance().UnsubscribeFrom(this, "LieMeterBusted");
    Switchboard::GetInstance().UnsubscribeFrom(this, "JournalistLieBusted");
    Suit::PreDestroy();
}
