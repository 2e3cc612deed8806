#include "Game/LieMeter.h"

#include "Game/HudText.h"
#include "Game/PlayField.h"
#include "Game/Suit_Player.h"
#include "Messaging/Switchboard.h"
#include "Platform/ScreenMath.h"

#include <algorithm>
#include <cstdio>

namespace
{
constexpr float BaseDrain = 80.0f;
constexpr float EmptyExtraDrain = 200.0f;
constexpr float RefillRate = 15.0f;
constexpr float BustSeconds = 5.0f;
} // namespace

LieMeter::LieMeter(const PlayField& playField, Suit_Player* liar, float startValue, float maximum)
    : player(liar), value(startValue), maxValue(maximum), field(playField)
{
}

void LieMeter::Update(float dt)
{
    const bool lying = player && player->lieRadius != 0.0f;
    if (lying)
    {
        value -= dt * (BaseDrain + EmptyExtraDrain * (1.0f - value / maxValue));
        if (value < 0.0f)
        {
            value = 0.0f;
            bustTime = BustSeconds;
            // Carries the player's bust number after this bust, so that whoever hears it
            // first (delivery order is by address) counts the same bust.
            Switchboard::GetInstance().Broadcast(
                new TypedMessage<int>("LieMeterBusted", player ? player->bustCount + 1 : 0, player.Get()));
        }
    }

    if (bustTime > 0.0f)
    {
        bustTime -= dt;
        if (bustTime < 0.0f)
            bustTime = 0.0f;
    }
    else if (!lying && value < maxValue)
    {
        value += RefillRate * dt;
        if (value > maxValue)
            value = maxValue;
    }
}

String LieMeter::GetBustsLeftText() const
{
    char text[64];
    std::snprintf(text, sizeof(text), "Busts left: %d", std::max(field.MaxLieBusts() - field.LieBusts(), 0));
    return text;
}

void LieMeter::Render()
{
    // Under the meter at all times, so that a player knows how many busts remain
    // before the next one says so.
    const String bustsLeft = GetBustsLeftText();
    if (!bustsLeft.empty())
        HudText::DrawBoxed(bustsLeft, "ConsoleSmall", 800, 62, Color(0.0f, 0.0f, 0.0f, 0.9f));

    if (bustTime != 0.0f || field.LieBusts() >= field.MaxLieBusts())
    {
        char text[127];
        std::snprintf(text, sizeof(text), "Busted! %d of %d", field.LieBusts(), field.MaxLieBusts());
        HudText::DrawBoxed(text, "Console", 800, 30, Color(1.0f, 0.0f, 0.0f, 0.9f));
        return;
    }

    HudText::DrawBoxed("Lies:", "Console", 800, 30, Color(0.0f, 0.0f, 0.0f, 0.9f));
    const Vector2 lowerLeft = MathKit::ScreenPointToWorld(865, 37);
    HudText::FillWorldRect(lowerLeft,
                           lowerLeft + Vector2(MathKit::PixelLengthToWorld(value), MathKit::PixelLengthToWorld(28.0f)),
                           Color(0.0f, 0.0f, 0.0f, 0.95f));
}
