#include "Game/SuitScreenPlay.h"

#include "Game/BestPrice.h"
#include "Game/GameSounds.h"
#include "Game/HudText.h"
#include "Infrastructure/Camera.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"

#include <cstdio>

namespace
{
constexpr float StartViewRadius = 3.0f;
constexpr float ZoomFactor = 1.25f;
constexpr float BackDelay = 5.0f;
constexpr float BannerSeconds = 3.0f;

void DrawBanner(const char* text, int row)
{
    HudText::DrawBoxed(text, "ConsoleLarge", HudText::CenteredX(text, "ConsoleLarge"), row,
                       Color(0.0f, 0.0f, 0.0f, 1.0f));
}
} // namespace

SuitScreenPlay::SuitScreenPlay() { Switchboard::GetInstance().SubscribeTo(this, "LieMeterBusted"); }

void SuitScreenPlay::Start()
{
    goalMessageTime = BannerSeconds;
    zoom = ZoomTween();

    // The field places its first characters inside the starting view.
    Camera& camera = Camera::GetInstance();
    savedViewRadius = camera.GetViewRadius();
    camera.SetZByViewRadius(StartViewRadius);
    field.Begin();
}

void SuitScreenPlay::Stop()
{
    field.Clear();
    Camera::GetInstance().SetZByViewRadius(savedViewRadius);
    World::GetInstance().particlesOnly = false;
}

void SuitScreenPlay::ReceiveMessage(Message* message)
{
    if (message->GetMessageName() == "LieMeterBusted")
        field.CountBust();
}

void SuitScreenPlay::Update(float dt)
{
    if (zoom.active)
    {
        zoom.elapsed += dt;
        if (zoom.elapsed >= zoom.duration)
        {
            zoom.active = false;
            zoom.current = zoom.end;
        }
        else
        {
            zoom.current = zoom.start + (zoom.end - zoom.start) * zoom.elapsed / zoom.duration;
        }
        Camera::GetInstance().SetZByViewRadius(zoom.current);
    }

    if (field.IsGameOver())
    {
        EndGame();
        return;
    }

    if (IsPadBackPressed())
    {
        // Leaving skips the result, not the best price.
        RecordHighScore();
        Switchboard::GetInstance().Broadcast(new Message("Back"));
    }
    if (goalMessageTime > 0.0f)
        goalMessageTime -= dt;
    if (field.TakePrice())
        LevelUp();
    field.Update();
}

void SuitScreenPlay::EndGame()
{
    if (!field.IsRunning())
        return;
    field.Finish();
    RecordHighScore();
    Switchboard::GetInstance().DeferredBroadcast(new Message("Back"), BackDelay);
    World::GetInstance().particlesOnly = true;
}

void SuitScreenPlay::RecordHighScore() { BestPrice::Record(field.HighScore()); }

void SuitScreenPlay::LevelUp()
{
    const float radius = Camera::GetInstance().GetViewRadius();
    zoom = ZoomTween();
    zoom.start = radius;
    zoom.end = ZoomFactor * radius;
    zoom.current = radius;
    zoom.duration = 1.0f;
    zoom.active = true;

    field.LevelUp();
    goalMessageTime += BannerSeconds;
    GameSounds::Play(GS_StockGoal);
}

void SuitScreenPlay::RenderOverlay()
{
    char text[127];
    if (field.Player())
    {
        std::snprintf(text, sizeof(text), "Goal:%.2f", static_cast<double>(field.Goal()));
        HudText::DrawBoxed(text, "Console", HudText::CenteredX(text, "Console"), 30, Color(0.0f, 0.0f, 0.0f, 0.9f));
    }
    if (!field.IsGameOver())
    {
        if (goalMessageTime > 0.0f)
        {
            std::snprintf(text, sizeof(text), "Reach Stock Price of %.2f", static_cast<double>(field.Goal()));
            DrawBanner(text, 300);
        }
        return;
    }
    DrawBanner("Game Over!", 300);
    const char* reason = "All Consumers are dead.";
    if (field.WasLeft())
        reason = "You left the market.";
    else if (field.LieBusts() >= field.MaxLieBusts())
        reason = "You lied too much.";
    DrawBanner(reason, 400);
    std::snprintf(text, sizeof(text), "High Score: %.2f", static_cast<double>(field.HighScore()));
    DrawBanner(text, 500);
}
