#pragma once

#include "Infrastructure/GameManager.h"
#include "Util/StringUtil.h"

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
    // Logs the live-object counts once the menu has stood for a while after a return to
    // it, when wanted.
    void Update(float dt) override;
    // The active screen's overlay, over everything in the layers.
    void Render() override;
    // Escape in a page: a game in progress ends as games end (its result, its best price,
    // then the menu); the tutorial and the credits return to the menu.
    void OnLeaveKey() override;

    enum ScreenIndex
    {
        SI_Start = 0,
        SI_Play = 1,
        SI_Tutorial = 2,
        SI_Credits = 3
    };

    // Stops the active screen and starts screen n, even when it is the active one.
    void SwitchTo(int n);
    // Screen n (ScreenIndex), or null when there is none.
    GameScreen* GetScreen(int n) const;
    // The index of the screen that is up, -1 before the first.
    int GetCurrentScreen() const { return currentScreen; }
    // The screens are the manager's for the whole run: a reset keeps them, and the World
    // never deletes them.
    bool IsResetProof(Renderable* element) override;

private:
    SuitGameManager();

    std::vector<GameScreen*> screens;
    int currentScreen = -1;

    // Set on a return to the menu. The counts wait until what the left screen destroyed
    // is deleted and its last effects and sounds have run out; leaving the menu sooner
    // drops them.
    bool countsDue = false;
    float countsDelay = 0.0f;
    String countsFrom;
    bool countsWanted = false;
};
