#pragma once

#include "Infrastructure/GameManager.h"

#include <vector>

class GameScreen;

// Owns the game's four screens (menu, play field, tutorial, credits) for the whole run
// and keeps exactly one of them in the World, switching on "Play", "Tutorial",
// "Credits" and "Back". Construction starts the menu.
class SuitGameManager : public GameManager
{
public:
    // Created on first use and never deleted.
    static SuitGameManager& GetInstance();
    ~SuitGameManager() override;

    void ReceiveMessage(Message* message) override;

    enum ScreenIndex
    {
        SI_Start = 0,
        SI_Play = 1,
        SI_Tutorial = 2,
        SI_Credits = 3
    };

    // Stops the active screen and starts screen n, even when it is the active one.
    void SwitchTo(int n);
    GameScreen* GetScreen(int n) const;

    std::vector<GameScreen*> screens;
    int currentScreen = -1;

private:
    SuitGameManager();
};
