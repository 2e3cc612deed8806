#pragma once

#include "Game/GameScreen.h"

class Actor;

// The paged tutorial: the pictures Resources/Images/Tutorial_001.png onwards, one per
// press of space (or pad A). The first press shows page 1 again; the press after the
// last page returns to the menu.
class SuitScreenTutorial : public GameScreen
{
public:
    void Start() override;
    void Stop() override;
    void Update(float dt) override;
    void Render() override;

    // Watched: a script or a reset may delete it first.
    ElementRef<Actor> image;
    float inputDelay = 0.0f;
    int page = 0;
    int pageCount = 0;
};
