#pragma once

#include "Game/GameScreen.h"
#include "Game/SuitGameManager.h"
#include "Game/SuitScreenPlay.h"
#include "Infrastructure/Draw.h"
#include "Infrastructure/Screenshot.h"
#include "Infrastructure/World.h"
#include "TestUtilities/FrameDriver.h"
#include "TestUtilities/WindowTest.h"

#include <memory>
#include <set>

// A real window with the game's manager running and a keyboard the test holds keys on.
class GameTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        if (IsSkipped())
            return;
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

    SuitScreenPlay* Play() const { return SuitScreenPlay::GetPlayScreen(); }
    // Starts a game straight away, as the menu's "Play" does.
    SuitScreenPlay* StartGame()
    {
        manager->SwitchTo(SuitGameManager::SI_Play);
        return Play();
    }

    std::set<int> held;
    std::unique_ptr<FrameDriver> driver;
    SuitGameManager* manager = nullptr;
};
