#pragma once

#include "Actors/ParticleActor.h"

// One-shot particle bursts. Each plays for 0.1 s, lets its particles fade and removes
// itself; they keep playing while a finished game is frozen.

// Yellow sparks where a dollar was taken.
class PickupMoneyExplosion : public ParticleActor
{
public:
    explicit PickupMoneyExplosion(const Vector2& where);
};

// A red burst at a busted liar, and at each journalist who reports it.
class LieMeterBustExplosion : public ParticleActor
{
public:
    explicit LieMeterBustExplosion(const Vector2& where);
};

// A few coins scattering from a consumer who ran out of money.
class ConsumerDiedExplosion : public ParticleActor
{
public:
    explicit ConsumerDiedExplosion(const Vector2& where);
};
