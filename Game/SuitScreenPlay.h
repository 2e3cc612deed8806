#pragma once

#include "Game/GameScreen.h"
#include "Game/PlayField.h"

// A value that runs linearly from start to end over `duration` seconds.
struct ZoomTween
{
    float start = 0.0f;
    float end = 0.0f;
    float current = 0.0f;
    float duration = 0.0f;
    float elapsed = 0.0f;
    bool active = false;
    bool smooth = false;
};

// The play screen. Its field holds the game (the characters, the dollars, the level, the
// busts and the rules that end it); the screen starts and clears it, counts the busts it
// hears of, widens the view whenever the price passes the goal, and draws the goal and
// the banners. When the field's game is over the world freezes except for particle
// effects, the result shows, and "Back" follows 5 s later.
class SuitScreenPlay : public GameScreen
{
public:
    SuitScreenPlay();

    void Start() override;
    void Stop() override;
    void Update(float dt) override;
    // The goal line and the banners, over the field and the meters.
    void RenderOverlay() override;
    void ReceiveMessage(Message* message) override;

    // The field raises its level, and the view widens by a quarter over a second.
    void LevelUp();

    // The screen's game, for the whole run; empty while another screen is up.
    PlayField& Field() { return field; }
    const PlayField& Field() const { return field; }

    // "Reach Stock Price of ..." shows for 3 s after the start and after each level-up.
    bool IsGoalBannerShown() const { return goalMessageTime > 0.0f; }
    // Takes the banner away at once (it covers the middle of the field).
    void HideGoalBanner() { goalMessageTime = 0.0f; }

private:
    void EndGame();
    // The one place a finished game's high score leaves the play field.
    void RecordHighScore();

    PlayField field;
    float goalMessageTime = 3.0f;
    float savedViewRadius = 0.0f;
    ZoomTween zoom;
};
