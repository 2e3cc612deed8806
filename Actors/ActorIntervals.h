#pragma once

#include "Actors/Tween.h"
#include "Util/Color.h"
#include "Util/StringUtil.h"
#include "Util/Vector2.h"

// An actor's four intervals and the messages they broadcast when they run out. Most
// actors never start one, so an actor makes this only at its first MoveTo, RotateTo,
// ChangeColorTo or ChangeSizeTo.
struct ActorIntervals
{
    Tween<Vector2> position;
    String positionMessage;
    Tween<float> rotation;
    String rotationMessage;
    Tween<Color> color;
    String colorMessage;
    Tween<Vector2> size;
    String sizeMessage;
};
