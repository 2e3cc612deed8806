#pragma once

#include "Game/GameScreen.h"

class TextActor;

// The credits scroll up over 20 s and return to the menu; confirm returns at once.
class SuitScreenCredits : public GameScreen
{
public:
    void Start() override;
    void Stop() override;
    void Update(float dt) override;
    void ReceiveMessage(Message* message) override;

    static const char* const CreditsText;

    // Watched: a script or a reset may delete it first.
    ElementRef<TextActor> text;
    float inputDelay = 0.0f;
};
