#pragma once

#include "Game/AlmightyDollar.h"
#include "Game/BestPrice.h"
#include "Game/GameScreen.h"
#include "Game/SteeringBehavior.h"
#include "Game/SteeringBoid.h"
#include "Game/SuitGameManager.h"
#include "Game/SuitScreenPlay.h"
#include "Game/Suit_AI.h"
#include "Game/Suit_Consumer.h"
#include "Game/Suit_Journalist.h"
#include "Game/Suit_Player.h"
#include "Infrastructure/World.h"
#include "Platform/Draw.h"
#include "Platform/Screenshot.h"
#include "TestUtilities/FrameDriver.h"
#include "TestUtilities/WindowTest.h"

#include <memory>
#include <set>
#include <vector>

// A real window with the game's manager running and a keyboard the test holds keys on.
class GameTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        if (IsSkipped())
            return;
        // Games played here must not touch the player's own best price.
        BestPrice::SetSaving(false);
        GameScreen::SetKeySource([this](int code) { return held.count(code) != 0; });
        driver = std::make_unique<FrameDriver>();
        manager = &SuitGameManager::GetInstance();
        World::GetInstance().SetGameManager(manager);
    }

    void TearDown() override
    {
        GameScreen::SetKeySource(nullptr);
        driver.reset();
        WindowTest::TearDown();
    }

    // Whole frames (update and drawing) of `dt` until `seconds` have passed.
    void Run(float seconds, float dt = 1.0f / 60.0f)
    {
        for (float t = 0.0f; t < seconds - 1e-4f; t += dt)
            Frame(dt);
    }
    void Frame(float dt = 1.0f / 60.0f)
    {
        Draw::BeginFrame();
        driver->Frame(dt);
        Draw::EndFrame();
    }
    // Runs frames until the condition holds; false if it didn't within `seconds`.
    template <typename Condition> bool RunUntil(Condition condition, float seconds, float dt = 1.0f / 60.0f)
    {
        for (float t = 0.0f; t < seconds; t += dt)
        {
            if (condition())
                return true;
            Frame(dt);
        }
        return condition();
    }

    void Hold(int key) { held.insert(key); }
    void Release(int key) { held.erase(key); }
    void ReleaseAll() { held.clear(); }

    SuitScreenPlay* Screen() const
    {
        return static_cast<SuitScreenPlay*>(manager->GetScreen(SuitGameManager::SI_Play));
    }
    PlayField* Field() const { return &Screen()->Field(); }
    // Starts a game straight away, as the menu's "Play" does.
    PlayField* StartGame()
    {
        manager->SwitchTo(SuitGameManager::SI_Play);
        return Field();
    }

    // A started game with nobody on the field but the player at the origin.
    PlayField* StartEmptyGame()
    {
        PlayField* field = StartGame();
        // Destroyed characters and dollars leave the field's lists: walk copies.
        const std::vector<Suit*> spawned = field->Suits();
        for (Suit* suit : spawned)
            if (suit != field->Player())
                suit->Destroy();
        const std::vector<AlmightyDollar*> dollars = field->Dollars();
        for (AlmightyDollar* dollar : dollars)
            dollar->Destroy();
        field->Player()->SetPosition(0.0f, 0.0f);
        return field;
    }

    // Places a character as spawning does, but where the test says.
    template <typename T> T* Place(const Vector2& where, PlayField* field = nullptr)
    {
        if (!field)
            field = Field();
        auto* suit = new T(*field);
        suit->SetPosition(where);
        field->AddSuit(suit);
        World::GetInstance().Add(suit, 0);
        return suit;
    }

    std::set<int> held;
    std::unique_ptr<FrameDriver> driver;
    SuitGameManager* manager = nullptr;
};
