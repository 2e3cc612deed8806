#pragma once

#include "Actors/Actor.h"
#include "Actors/ElementRef.h"

class PlayField;
class Suit;

// The coin a consumer pays its leader: flies at 3 units per second to the target and
// vanishes within 0.2 units of it; one that reaches the player tells the ticker
// ("DollarReceived"). Once its field's game is no longer running it removes itself.
class TinyDollar : public Actor
{
public:
    // The field must outlive the coin.
    TinyDollar(const PlayField& playField, Suit* receiver);

    void Update(float dt) override;

    // Watched: the receiver may be gone before the coin arrives.
    ElementRef<Suit> target;

private:
    const PlayField& field;
};
