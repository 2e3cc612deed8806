#include "Actors/Actor.h"

// Sprite frames and their animation arrive with the texture cache.
void Actor::UpdateSpriteAnimation(float) {}
