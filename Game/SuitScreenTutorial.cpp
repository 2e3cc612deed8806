#include "Game/SuitScreenTutorial.h"

#include "Actors/Actor.h"
#include "Game/GameControls.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "Platform/Draw.h"
#include "Platform/FontRegistry.h"
#include "Platform/KeyCodes.h"
#include "Platform/ScreenMath.h"

namespace
{
const char* const FirstPage = "Resources/Images/Tutorial_001.png";
constexpr float PageDelay = 0.3f;
} // namespace

void SuitScreenTutorial::Start()
{
    inputDelay = 0.1f;
    page = 0;
    auto* pages = new Actor();
    pages->SetPosition(0.0f, 0.0f);
    pages->SetSize(MathKit::PixelLengthToWorld(1027.0f), MathKit::PixelLengthToWorld(768.0f));
    pageCount = pages->LoadSpriteFrames(FirstPage, GL_CLAMP, GL_LINEAR);
    if (pageCount > 0)
        pages->SetSprite(FirstPage, 0, GL_CLAMP, GL_LINEAR);
    else
        pages->SetAlpha(0.0f);
    World::GetInstance().Add(pages, 0);
    image = pages;
}

void SuitScreenTutorial::Stop()
{
    if (image)
        image->Destroy();
    image = {};
}

void SuitScreenTutorial::Update(float dt)
{
    if (inputDelay > 0.0f)
    {
        inputDelay -= dt;
        return;
    }
    if (!GameControls::IsHeld(GA_Lie) && !IsPadAPressed())
        return;
    ++page;
    inputDelay = PageDelay;
    if (page > pageCount)
    {
        Switchboard::GetInstance().Broadcast(new Message("Back"));
        return;
    }
    // Pages are numbered from 1 with two zeros in front: only nine fit the pattern.
    if (image)
        image->SetSprite("Resources/Images/Tutorial_00" + std::to_string(page) + ".png", 0, GL_CLAMP, GL_LINEAR);
}

void SuitScreenTutorial::Render()
{
    if (pageCount > 0)
        return;
    // Without its pictures the tutorial still tells the player what to do.
    static const char* const Lines[] = {
        "How to play",
        "",
        "Walk with the arrow keys or W A S D.",
        "Hold space to lie: consumers in the red circle follow you",
        "and pay you a dollar a second. Pick up the big dollars.",
        "Lying drains your lie meter; run it dry and you are busted.",
        "Three busts, or no consumers left, and the game is over.",
        "",
        "Press space to return to the menu.",
    };
    Draw::SetColor(Color(0.1f, 0.1f, 0.2f, 1.0f));
    int row = 220;
    for (const char* line : Lines)
    {
        DrawScreenText(line, "Console", 512 - static_cast<int>(MeasureText(line, "Console").X / 2.0f), row);
        row += 40;
    }
}
