#pragma once

#include "Actors/ElementRef.h"
#include "Actors/HUDActor.h"

class PlayField;
class Suit_Player;

// The player's lie reserve. Lying drains it, faster as it empties (80 per second when
// full, 280 when empty); running dry busts the player ("LieMeterBusted") and shows
// "Busted!" for 5 s, during which it neither drains nor refills. Otherwise it refills at
// 15 per second while the player isn't lying.
class LieMeter : public HUDActor
{
public:
    // Shows the busts of `playField`, which must outlive the meter.
    LieMeter(const PlayField& playField, Suit_Player* liar, float startValue = 135.0f, float maximum = 135.0f);

    void Update(float dt) override;
    void Render() override;
    // "Busts left: n" for the field's game, shown under the meter.
    String GetBustsLeftText() const;
    // "Busted! n of m" while a bust shows, else "Lies:".
    String GetStatusText() const;

    // Watched: a script may delete the player before the rest of the field.
    ElementRef<Suit_Player> player;
    float value;
    float maxValue;
    float bustTime = 0.0f;

private:
    // The field's busts, counting one this meter has just announced: the field hears of
    // it only when the message is delivered, a frame later.
    int BustsSoFar() const;
    // While "Busted!" shows: the 5 s of a bust, and for good once the last bust came.
    bool ShowsBust() const;
    // The frame around the bar, as long as a full meter, and the red mark at its empty
    // end where the bust comes.
    void DrawGauge() const;

    const PlayField& field;
    int bustsAnnounced = 0;
};
