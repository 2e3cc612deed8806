#include "Game/SuitScreenStart.h"

#include "Actors/TextActor.h"
#include "Game/BestPrice.h"
#include "Game/KeyLabels.h"
#include "Game/StockTicker.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "Platform/Draw.h"
#include "Platform/FontRegistry.h"
#include "Platform/FrameLoop.h"
#include "Platform/ScreenMath.h"
#include "Util/MathKit.h"

#include <cstdio>

namespace
{
constexpr float InputDelay = 0.3f;
constexpr float PulseSeconds = 0.75f;
// The highlight pulses between two strong blues: a pale end would read as a greyed-out
// item rather than the chosen one.
const Color Dark(0.1f, 0.2f, 0.8f, 1.0f);
const Color Light(0.2f, 0.45f, 1.0f, 1.0f);
const Color Plain(0.0f, 0.0f, 0.0f, 1.0f);
} // namespace

SuitScreenStart::SuitScreenStart() : ticker(new StockTicker())
{
    // A rise and a fall are on the graph from the first frame.
    ticker->hudMode = false;
    ticker->AddEvent(2.0f, 5.0f);
    ticker->Update(5.0f);
    ticker->AddEvent(-1.5f, 3.0f);
    ticker->Update(3.0f);
    Switchboard::GetInstance().SubscribeTo(this, "SelectColorDown");
    Switchboard::GetInstance().SubscribeTo(this, "SelectColorUp");
}

SuitScreenStart::~SuitScreenStart() { delete ticker; }

void SuitScreenStart::Start()
{
    inputDelay = InputDelay;
    selected = 0;
    AddDecorations();
    World& world = World::GetInstance();
    for (int i = 0; i < ItemCount; ++i)
    {
        auto* item = new TextActor("Console", labels[i], Align_Left, 5);
        item->SetPosition(MathKit::ScreenPointToWorld(800, 300 + 100 * i));
        item->SetColor(Plain);
        world.Add(item, 0);
        items[i] = item;
    }
    items[0]->SetColor(Dark);
    items[0]->ChangeColorTo(Light, PulseSeconds, true, "SelectColorDown");
}

void SuitScreenStart::AddDecorations()
{
    // The cast of the game in the middle of the menu: the player among his marks.
    struct Figure
    {
        const char* image;
        float x, y, size;
        bool walking;
    };
    static const Figure Cast[] = {
        {"Resources/Images/player.png", -0.5f, 0.0f, 8.0f, false},
        {"Resources/Images/consumer_001.png", -5.6f, -6.2f, 3.2f, true},
        {"Resources/Images/consumer_001.png", 3.8f, -6.6f, 3.2f, true},
        {"Resources/Images/suit_green.png", -6.0f, 3.4f, 3.0f, false},
        {"Resources/Images/Camera.png", 3.6f, 4.6f, 3.0f, false},
    };
    World& world = World::GetInstance();
    for (const Figure& figure : Cast)
    {
        auto* actor = new Actor();
        if (figure.walking)
        {
            const int frames = actor->LoadSpriteFrames(figure.image);
            actor->PlaySpriteAnimation(0.3f, SAT_Loop, 0, frames - 1);
        }
        else
        {
            actor->SetSprite(figure.image);
        }
        actor->SetSize(figure.size);
        actor->SetPosition(figure.x, figure.y);
        // Above the screen's own drawing: the graph is the backdrop.
        world.Add(actor, "Suits");
        objects.push_back(actor);
    }
    for (int i = 0; i < 3; ++i)
    {
        auto* dollar = new Actor();
        const int frames = dollar->LoadSpriteFrames("Resources/Images/dollar_001.png");
        dollar->PlaySpriteAnimation(0.12f, SAT_Loop, 0, frames - 1);
        dollar->SetSpriteFrame(i * 2);
        dollar->SetSize(1.4f);
        dollar->SetPosition(-3.5f + 3.4f * static_cast<float>(i), -3.6f + (i == 1 ? -1.0f : 0.0f));
        world.Add(dollar, "Suits");
        objects.push_back(dollar);
    }
}

void SuitScreenStart::Stop()
{
    for (ElementRef<TextActor>& item : items)
    {
        if (item)
            item->Destroy();
        item = {};
    }
    GameScreen::Stop();
}

void SuitScreenStart::Highlight(int index)
{
    if (items[selected])
        items[selected]->ChangeColorTo(Plain, 0.0f, true);
    inputDelay = InputDelay;
    selected = index;
    if (items[selected])
    {
        items[selected]->SetColor(Light);
        items[selected]->ChangeColorTo(Dark, PulseSeconds, true, "SelectColorUp");
    }
}

void SuitScreenStart::Update(float dt)
{
    tickerTimer -= dt;
    if (tickerTimer < 0.0f)
    {
        tickerTimer = 1.0f + MathKit::RandomFloatBelow(2.0f);
        ticker->AddEvent(MathKit::RandomFloatBelow(2.0f) - 1.0f, tickerTimer);
    }
    ticker->Update(dt);

    if (inputDelay > 0.0f)
    {
        inputDelay -= dt;
        return;
    }
    if (IsDownPressed())
        Highlight((selected + 1) % ItemCount);
    else if (IsUpPressed())
        Highlight((selected + ItemCount - 1) % ItemCount);
    if (IsConfirmPressed())
    {
        inputDelay = InputDelay;
        Switchboard::GetInstance().Broadcast(new Message(labels[selected]));
    }
}

void SuitScreenStart::ReceiveMessage(Message* message)
{
    const String name = message->GetMessageName();
    if (selected < 0 || selected >= ItemCount || !items[selected])
        return;
    if (name == "SelectColorDown")
        items[selected]->ChangeColorTo(Dark, PulseSeconds, true, "SelectColorUp");
    else if (name == "SelectColorUp")
        items[selected]->ChangeColorTo(Light, PulseSeconds, true, "SelectColorDown");
}

void SuitScreenStart::MouseDownEvent(Vec2i screenCoordinates, MouseButtonInput button)
{
    (void)button;
    // Heard for the whole run; the items exist only while the menu is up.
    const Vector2 point = MathKit::ScreenPointToWorld(screenCoordinates.X, screenCoordinates.Y);
    for (int i = 0; i < ItemCount; ++i)
    {
        if (!items[i])
            continue;
        const Vector2 low = items[i]->GetBoundsLowerLeft();
        const Vector2 high = items[i]->GetBoundsUpperRight();
        if (point.X >= low.X && point.X <= high.X && point.Y >= low.Y && point.Y <= high.Y)
            Switchboard::GetInstance().Broadcast(new Message(labels[i]));
    }
}

String SuitScreenStart::GetHint() const { return KeyLabels::MenuHint(KeyLabels::IsPadConnected(), ProgramCanQuit()); }

String SuitScreenStart::BestLine() const
{
    const float best = BestPrice::Load();
    if (best <= 0.0f)
        return "";
    char text[64];
    std::snprintf(text, sizeof(text), "Best: %.2f", static_cast<double>(best));
    return text;
}

void SuitScreenStart::Render()
{
    ticker->Render();
    Draw::SetColor(Color(1.0f, 0.0f, 0.0f));
    DrawScreenText("QVRN", "ConsoleLarge", 780, 200);

    Draw::SetColor(Color(0.15f, 0.15f, 0.3f, 1.0f));
    DrawScreenText("Lie for profit.", "ConsoleSmall", 782, 232);
    DrawScreenText("Don't get caught.", "ConsoleSmall", 782, 252);
    const String best = BestLine();
    if (!best.empty())
        DrawScreenText(best, "ConsoleSmall", 800, 620);

    Draw::SetColor(Color(0.3f, 0.3f, 0.3f, 1.0f));
    const String hint = GetHint();
    DrawScreenText(hint, "ConsoleSmall", 512 - static_cast<int>(MeasureText(hint, "ConsoleSmall").X / 2.0f), 740);
}
