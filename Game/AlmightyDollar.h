#pragma once

#include "Actors/Actor.h"

class PlayField;

// The spinning dollar pickup: six pictures, one every 0.175 s, from a random start.
// It shows the picture of its starting frame from creation on.
class AlmightyDollar : public Actor
{
public:
    // The field must outlive the dollar.
    explicit AlmightyDollar(PlayField& playField);

    void Update(float dt) override;
    void SetPosition(float x, float y) override;
    using Actor::SetPosition;
    // Leaves its field's list of dollars.
    void PreDestroy() override;

    float frameTime = 0.0f;
    int frame;
    // The pickup box, 0.75 wide like the drawn coin.
    Vector2 boxMin;
    Vector2 boxMax;

private:
    // Shows the picture of `frame`.
    void ShowFrame();

    PlayField& field;
};
