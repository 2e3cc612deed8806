#include "Game/LieMeter.h"

#include "Game/HudText.h"
#include "Game/PlayField.h"
#include "Game/Suit_Player.h"
#include "Messaging/Switchboard.h"
#include "Platform/Draw.h"
#include "Platform/ScreenMath.h"

#include <algorithm>
#include <cstdio>

namespace
{
constexpr float BaseDrain = 80.0f;
constexpr float EmptyExtraDrain = 200.0f;
constexpr float RefillRate = 15.0f;
constexpr float BustSeconds = 5.0f;
// The bar, in window pixels: its empty end, its top and its height.
constexpr float BarLeft = 865.0f;
constexpr float BarTop = 9.0f;
constexpr float BarHeight = 28.0f;
constexpr float FrameWidth = 2.0f;
const Color FrameColor(0.25f, 0.25f, 0.3f, 1.0f);
const Color BustMarkColor(0.9f, 0.05f, 0.05f, 1.0f);
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
            ++bustsAnnounced;
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

int LieMeter::BustsSoFar() const { return std::max(field.LieBusts(), bustsAnnounced); }

bool LieMeter::ShowsBust() const { return bustTime != 0.0f || BustsSoFar() >= field.MaxLieBusts(); }

String LieMeter::GetBustsLeftText() const
{
    char text[64];
    std::snprintf(text, sizeof(text), "Busts left: %d", std::max(field.MaxLieBusts() - BustsSoFar(), 0));
    return text;
}

String LieMeter::GetStatusText() const
{
    if (!ShowsBust())
        return "Lies:";
    char text[127];
    std::snprintf(text, sizeof(text), "Busted! %d of %d", BustsSoFar(), field.MaxLieBusts());
    return text;
}

void LieMeter::DrawGauge() const
{
    const float width = maxValue;
    Draw::BeginScreenSpace();
    Draw::ScreenRect(BarLeft - FrameWidth - 2.0f, BarTop - FrameWidth - 2.0f, width + 2.0f * FrameWidth + 4.0f,
                     BarHeight + 2.0f * FrameWidth + 4.0f, HudText::BoxColor());
    Draw::EndScreenSpace();

    const Vector2 lowerLeft =
        MathKit::ScreenPointToWorld(static_cast<int>(BarLeft), static_cast<int>(BarTop + BarHeight));
    HudText::FillWorldRect(
        lowerLeft, lowerLeft + Vector2(MathKit::PixelLengthToWorld(value), MathKit::PixelLengthToWorld(BarHeight)),
        Color(0.0f, 0.0f, 0.0f, 0.95f));

    Draw::BeginScreenSpace();
    const float left = BarLeft - FrameWidth;
    const float top = BarTop - FrameWidth;
    const float outerWidth = width + 2.0f * FrameWidth;
    const float outerHeight = BarHeight + 2.0f * FrameWidth;
    Draw::ScreenRect(left, top, outerWidth, FrameWidth, FrameColor);
    Draw::ScreenRect(left, top + outerHeight - FrameWidth, outerWidth, FrameWidth, FrameColor);
    Draw::ScreenRect(left, top, FrameWidth, outerHeight, FrameColor);
    Draw::ScreenRect(left + outerWidth - FrameWidth, top, FrameWidth, outerHeight, FrameColor);
    // Reaching into the panel above and below the frame, so that it reads as a line to stay off.
    Draw::ScreenRect(BarLeft - 1.0f, BarTop - 6.0f, 4.0f, BarHeight + 12.0f, BustMarkColor);
    Draw::EndScreenSpace();
}

void LieMeter::Render()
{
    // Under the meter at all times, so that a player knows how many busts remain
    // before the next one says so.
    const String bustsLeft = GetBustsLeftText();
    if (!bustsLeft.empty())
        HudText::DrawBoxed(bustsLeft, "ConsoleSmall", 800, 62, Color(0.0f, 0.0f, 0.0f, 0.9f));

    if (ShowsBust())
    {
        HudText::DrawBoxed(GetStatusText(), "Console", 800, 30, Color(1.0f, 0.0f, 0.0f, 0.9f));
        return;
    }
    HudText::DrawBoxed(GetStatusText(), "Console", 800, 30, Color(0.0f, 0.0f, 0.0f, 0.9f));
    DrawGauge();
}
