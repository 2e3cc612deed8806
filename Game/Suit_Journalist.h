#pragma once

#include "Actors/ElementRef.h"
#include "Game/Suit.h"

class Suit_Player;

// A journalist with a camera. A lie that reaches one makes it flash (a growing red
// circle that consumers hear like a lie), and flashes spread from journalist to
// journalist, once per lie. A bust within the player's largest lie circle, or reported
// by a flashing colleague that reaches it, it reports once ("JournalistLieBusted").
class Suit_Journalist : public Suit
{
public:
    // Watches the lies of the field's player.
    explicit Suit_Journalist(PlayField& playField);

    void Update(float dt) override;
    void Render() override;
    void PreDestroy() override;
    void ReceiveMessage(Message* message) override;

    bool CanLead(Suit* other) override;
    // Keeps the field's list of flashing journalists up to date.
    void SetFlashRadius(float radius);

    // Watched: a script may delete the player before the rest of the field.
    ElementRef<Suit_Player> player;
    float flashRadius = 0.0f;
    int lastLieSeen = -1;
    int lastBustReported = -1;
    float flashGrowth;
    float flashMax;

private:
    void StartFlash(int lie);
};
