#pragma once

#include "Actors/Actor.h"

// Base of heads-up display pieces, which draw themselves in screen coordinates.
class HUDActor : public Actor
{
public:
    String GetClassName() override { return "HUDActor"; }
};
