#include "Game/SuitGameManager.h"

#include "Game/BestPrice.h"
#include "Game/GameScreen.h"
#include "Game/LiveCounts.h"
#include "Game/StockTicker.h"
#include "Game/SuitScreenCredits.h"
#include "Game/SuitScreenPlay.h"
#include "Game/SuitScreenStart.h"
#include "Game/SuitScreenTutorial.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "Platform/Log.h"
#include "Sound/SoundDevice.h"

#include <algorithm>
#include <iterator>

namespace
{
const char* const ScreenMessages[] = {"Play", "Credits", "Tutorial", "Back"};
// By screen index.
const char* const ScreenNames[] = {"Start", "Play", "Tutorial", "Credits"};
// Seconds on the menu before the live counts are taken.
constexpr float LiveCountsDelay = 1.5f;
} // namespace

SuitGameManager& SuitGameManager::GetInstance()
{
    static SuitGameManager* instance = new SuitGameManager();
    return *instance;
}

SuitGameManager::SuitGameManager() : countsWanted(LiveCounts::Wanted())
{
    for (const char* name : ScreenMessages)
        Switchboard::GetInstance().SubscribeTo(this, name);

    World& world = World::GetInstance();
    world.SetBackgroundColor(Color(0.93f, 0.94f, 0.90f));
    // Characters stand above the money and effects, the meters above everything.
    world.NameLayer("Suits", 1);
    world.NameLayer("UI", 2);

    auto* start = new SuitScreenStart();
    auto* play = new SuitScreenPlay();
    // The menu's graph hears the player's news too, also while a game runs.
    start->ticker->SetField(&play->Field());
    screens.push_back(start);
    screens.push_back(play);
    screens.push_back(new SuitScreenTutorial());
    screens.push_back(new SuitScreenCredits());

    if (screens.empty())
    {
        currentScreen = -1;
    }
    else
    {
        screens[0]->Start();
        world.Add(screens[0], 0);
        currentScreen = 0;
    }

    // The game has nothing to do when a sound ends, but it is told.
    SoundDevice::GetInstance().SetFinishedHandler(this, &GameManager::OnSoundFinished);
}

SuitGameManager::~SuitGameManager()
{
    for (GameScreen* screen : screens)
    {
        World::GetInstance().Remove(screen);
        delete screen;
    }
}

GameScreen* SuitGameManager::GetScreen(int n) const
{
    return n >= 0 && n < static_cast<int>(screens.size()) ? screens[static_cast<size_t>(n)] : nullptr;
}

bool SuitGameManager::IsResetProof(Renderable* element)
{
    return std::find(screens.begin(), screens.end(), element) != screens.end();
}

void SuitGameManager::SwitchTo(int n)
{
    GameScreen* next = GetScreen(n);
    if (!next)
        return;
    World& world = World::GetInstance();
    if (n == SI_Start && currentScreen != SI_Start && currentScreen >= 0 &&
        static_cast<size_t>(currentScreen) < std::size(ScreenNames) && countsWanted)
    {
        countsDue = true;
        countsDelay = LiveCountsDelay;
        countsFrom = ScreenNames[currentScreen];
    }
    else if (n != SI_Start)
    {
        countsDue = false;
    }
    if (GameScreen* current = GetScreen(currentScreen))
    {
        current->Stop();
        world.Remove(current);
    }
    GameScreen::IgnoreHeldInput();
    next->Start();
    world.Add(next, 0);
    currentScreen = n;
}

void SuitGameManager::ReceiveMessage(Message* message)
{
    const String name = message->GetMessageName();
    if (name == "Play")
        SwitchTo(SI_Play);
    else if (name == "Tutorial")
        SwitchTo(SI_Tutorial);
    else if (name == "Credits")
        SwitchTo(SI_Credits);
    else if (name == "Back")
        SwitchTo(SI_Start);
}

void SuitGameManager::OnLeaveKey()
{
    if (currentScreen == SI_Play)
        static_cast<SuitScreenPlay*>(screens[SI_Play])->Field().Leave();
    else if (currentScreen == SI_Tutorial || currentScreen == SI_Credits)
        Switchboard::GetInstance().Broadcast(new Message("Back"));
}

void SuitGameManager::Update(float dt)
{
    // A best price that waits for another game's lock is kept as soon as it is free.
    BestPrice::RetryPendingSave();
    GameScreen::ForgetReleasedInput();
    if (!countsDue)
        return;
    countsDelay -= dt;
    if (countsDelay > 0.0f)
        return;
    countsDue = false;
    SystemLogInstance().Log("Live objects at the menu after " + countsFrom + ": " + LiveCounts::Take().Format());
}

void SuitGameManager::Render()
{
    if (GameScreen* current = GetScreen(currentScreen))
        current->RenderOverlay();
}
