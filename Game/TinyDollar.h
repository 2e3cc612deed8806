#pragma once

#include "Actors/Actor.h"
#include "Actors/ElementRef.h"

class Suit;

// The coin a consumer pays its leader: flies at 3 units per second to the target and
// vanishes within 0.2 units of it; one that reaches the player tells the ticker
// ("DollarReceived"). Outside a running game it removes itself.
class TinyDollar : public Actor
{
public:
    explicit TinyDollar(Suit* receiver);

    void Update(float dt) override;

    // Watched: the receiver may be gone before the coin arrives.
    ElementRef<Suit> target;
};
