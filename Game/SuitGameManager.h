#pragma once

#include "Infrastructure/GameManager.h"

class Actor;

// The game's manager. Until the screens and play rules arrive it lays out the field:
// the player in his lie circle, rival suits, a journalist, spinning dollars and
// consumers who wander about.
class SuitGameManager : public GameManager
{
public:
    SuitGameManager();

    void Update(float dt) override;

private:
    void Wander(Actor* consumer);
};
