#include "Game/Explosions.h"

namespace
{
constexpr float FullCircle = 6.28318530718f;
constexpr float BurstSeconds = 0.1f;
} // namespace

PickupMoneyExplosion::PickupMoneyExplosion(const Vector2& where)
{
    SetPosition(where);
    SetSystemLifetime(BurstSeconds);
    SetParticleLifetime(0.15f);
    SetColor(1.0f, 1.0f, 0.0f, 1.0f);
    SetEndColor(Color(1.0f, 1.0f, 0.0f, 0.0f));
    SetSize(0.2f, 0.2f);
    SetSprite("Resources/Images/particle.png", 0, GL_CLAMP, GL_LINEAR);
    SetMaxParticles(100);
    SetParticlesPerSecond(20.0f);
    SetSpread(FullCircle);
    SetEndScale(0.3f);
    SetSpeedRange(3.0f, 4.0f);
    SetGravity(Vector2::Zero);
}

LieMeterBustExplosion::LieMeterBustExplosion(const Vector2& where)
{
    SetPosition(where);
    SetSystemLifetime(BurstSeconds);
    SetParticleLifetime(1.25f);
    SetColor(1.0f, 0.2f, 0.2f, 1.0f);
    SetEndColor(Color(0.5f, 0.0f, 0.0f, 0.0f));
    SetSize(0.2f, 0.2f);
    SetSprite("Resources/Images/particle.png", 0, GL_CLAMP, GL_LINEAR);
    SetMaxParticles(500);
    SetParticlesPerSecond(100.0f);
    SetSpread(FullCircle);
    SetEndScale(0.3f);
    SetSpeedRange(5.0f, 5.5f);
    SetGravity(Vector2::Zero);
}

ConsumerDiedExplosion::ConsumerDiedExplosion(const Vector2& where)
{
    SetPosition(where);
    SetSystemLifetime(BurstSeconds);
    SetParticleLifetime(0.5f);
    SetSize(0.4f, 0.4f);
    SetSprite("Resources/Images/tinydollar.png", 0, GL_CLAMP, GL_LINEAR);
    SetMaxParticles(15);
    SetParticlesPerSecond(15.0f);
    SetSpread(FullCircle);
    SetEndScale(0.0f);
    SetSpeedRange(1.5f, 2.0f);
    SetGravity(Vector2::Zero);
}
