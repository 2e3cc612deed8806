#include "Game/StockTicker.h"

#include "Game/HudText.h"
#include "Game/PlayField.h"
#include "Game/Suit_Player.h"
#include "Messaging/Switchboard.h"
#include "Platform/Draw.h"
#include "Platform/FontRegistry.h"
#include "Platform/ScreenMath.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
const char* const HeardMessages[] = {"AddFollower",         "RemoveFollower", "PickupMoney", "LieMeterBusted",
                                     "JournalistLieBusted", "DollarReceived", "ConsumerDied"};

constexpr size_t MaxSamples = 10;
constexpr float SampleSeconds = 1.0f;
constexpr float MaxStep = 0.2f;

const Color TextColor(0.0f, 0.0f, 0.0f, 0.9f);
const Color LabelColor(0.6f, 0.6f, 1.0f, 0.5f);

String Format(const char* format, float value)
{
    char buffer[127];
    std::snprintf(buffer, sizeof(buffer), format, static_cast<double>(value));
    return buffer;
}

// Two decimals below `oneDecimalFrom`, one below ten times that, none above.
String FormatByMagnitude(float value, float oneDecimalFrom)
{
    if (value >= oneDecimalFrom * 10.0f)
        return Format("%.0f", value);
    if (value >= oneDecimalFrom)
        return Format("%.1f", value);
    return Format("%.2f", value);
}
} // namespace

StockTicker::StockTicker(const PlayField* playField) : field(playField)
{
    for (const char* heard : HeardMessages)
        Switchboard::GetInstance().SubscribeTo(this, heard);
}

void StockTicker::AddEvent(float rate, float duration) { events.push_back(PriceEvent{rate, duration}); }

void StockTicker::ReceiveMessage(Message* message)
{
    const String messageName = message->GetMessageName();
    // Compared by address only: the sender may be gone by the time this arrives.
    const bool fromPlayer = field && field->IsPlayer(message->GetSender());

    if (messageName == "ConsumerDied")
    {
        if (fromPlayer)
            AddEvent(-1.5f, 2.5f);
        else
            AddEvent(-0.5f, 2.0f);
    }
    else if (messageName == "JournalistLieBusted")
    {
        // A report in the press costs the liar as well; each reporting journalist counts.
        AddEvent(-1.0f, 3.0f);
    }
    else if (!fromPlayer)
    {
        return;
    }
    else if (messageName == "LieMeterBusted")
        AddEvent(-5.0f, 2.0f);
    else if (messageName == "PickupMoney")
        AddEvent(0.5f, 3.0f);
    else if (messageName == "AddFollower")
        AddEvent(0.125f, 2.0f);
    else if (messageName == "RemoveFollower")
        AddEvent(-0.25f, 1.0f);
    else if (messageName == "DollarReceived")
        AddEvent(0.75f, 1.0f);
}

void StockTicker::Update(float dt)
{
    if (hudMode)
    {
        SetPosition(MathKit::ScreenPointToWorld(75, 8));
        graphHeight = MathKit::PixelLengthToWorld(92.0f);
        graphWidth = MathKit::PixelLengthToWorld(155.0f);
    }
    else
    {
        SetPosition(-10.5f, 6.5f);
        graphHeight = 10.0f;
        graphWidth = 10.0f;
    }

    // An event still counts in the frame in which it runs out.
    float sum = 0.0f;
    for (size_t i = 0; i < events.size();)
    {
        sum += events[i].rate;
        events[i].remaining -= dt;
        if (events[i].remaining < 0.0f)
            events.erase(events.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }

    price += dt * (drift + sum);
    if (price < 0.0f)
        price = 0.0f;

    sampleTime -= dt;
    if (sampleTime <= 0.0f)
    {
        sampleTime = SampleSeconds;
        drift = MathKit::RandomFloatBelow(0.25f) - 0.125f;
        history.push_back(price);
        if (history.size() > MaxSamples)
            history.erase(history.begin());
    }
}

float StockTicker::GetCurrentSample() const { return history.empty() ? 0.0f : history.back(); }

float StockTicker::GetLastChange() const
{
    const float previous = history.size() < 2 ? 0.0f : history[history.size() - 2];
    return GetCurrentSample() - previous;
}

String StockTicker::GetPriceText() const { return FormatPrice(price); }

String StockTicker::FormatPrice(float value) { return FormatByMagnitude(value, 100.0f); }

String StockTicker::FormatChange(float change) { return FormatByMagnitude(change, 10.0f); }

void StockTicker::Render()
{
    // The menu's graph stands on its own, without the corner panel.
    if (hudMode)
    {
        const Vector2 corner = MathKit::ScreenPointToWorld(0, 0);
        HudText::FillWorldRect(
            Vector2(corner.X, corner.Y - MathKit::PixelLengthToWorld(static_cast<float>(HudText::HudBottom))),
            Vector2(corner.X + MathKit::PixelLengthToWorld(265.0f), corner.Y), HudText::BoxColor());
    }

    float low = 1e12f;
    float high = 0.0f;
    for (float sample : history)
    {
        low = std::min(low, sample);
        high = std::max(high, sample);
    }
    const float range = high - low;

    const float x = position.X;
    const float y = position.Y;
    const float bottom = y - graphHeight;
    const Color axisColor(0.5f, 0.5f, 0.5f, 0.9f);
    Draw::Line(Vector2(x, y), Vector2(x, bottom), axisColor);
    Draw::Line(Vector2(x, bottom), Vector2(x + graphWidth, bottom), axisColor);

    static const float GridFractions[] = {0.8f, 0.6f, 0.4f, 0.2f};
    for (float f : GridFractions)
        Draw::Line(Vector2(x, y - graphHeight * f), Vector2(x + graphWidth, y - graphHeight * f),
                   Color(0.6f, 0.6f, 1.0f, 0.5f));

    if (!history.empty())
    {
        // The HUD's graph grows from the left a step at a time; the menu's fills its width.
        const float fullStep = graphWidth / static_cast<float>(history.size());
        const float step = hudMode ? std::min(fullStep, MaxStep) : fullStep;
        // A flat history has no range; draw it along the bottom instead of dividing by 0.
        auto height = [&](size_t i) { return range > 0.0f ? graphHeight * (history[i] - low) / range : 0.0f; };
        for (size_t i = 0; i < history.size(); ++i)
        {
            const size_t next = i + 1 < history.size() ? i + 1 : i;
            Draw::Line(Vector2(x + static_cast<float>(i) * step, bottom + height(i)),
                       Vector2(x + static_cast<float>(i + 1) * step, bottom + height(next)),
                       Color(0.2f, 0.2f, 1.0f, 0.9f));
        }
    }

    if (!hudMode)
        return;

    Draw::SetColor(TextColor);
    DrawScreenText("QVRN:", "Console", 10, 30);
    DrawScreenText(GetPriceText(), "Console", 10, 67);

    const float change = GetLastChange();
    if (change > 0.001f)
        Draw::SetColor(Color(0.0f, 1.0f, 0.0f, 0.9f));
    else if (change < -0.001f)
        Draw::SetColor(Color(1.0f, 0.0f, 0.0f, 0.9f));
    else
        Draw::SetColor(TextColor);
    DrawScreenText(FormatChange(change), "ConsoleSmall", 10, 92);

    Draw::SetColor(LabelColor);
    for (float f : GridFractions)
    {
        const Vector2 at = MathKit::WorldPointToScreen(Vector2(x + graphWidth + 0.1f, y - graphHeight * f - 0.096f));
        DrawScreenText(Format("%.1f", low + range * (1.0f - f)), "ConsoleSmall",
                       static_cast<int>(std::floor(at.X + 0.5f)), static_cast<int>(std::floor(at.Y + 0.5f)));
    }
}
