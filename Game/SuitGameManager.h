#pragma once

#include "Infrastructure/GameManager.h"

class Actor;

// The game's manager. For now it lays out a still field: the suit with his lie
// circle among wandering consumers, until the screens and play rules arrive.
class SuitGameManager : public GameManager
{
public:
    SuitGameManager();

    void Update(float dt) override;

private:
    void Wander(Actor* consumer);
};
