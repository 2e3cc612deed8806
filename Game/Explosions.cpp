#include "Game/Explosions.h"

namespace
{
constexpr float FullCircle = 6.28318530718f;
constexpr float BurstSeconds = 0.1f;

// What the three bursts differ in; the rest is the same for all of them.
struct Burst
{
    float particleLifetime;
    float particleSize;
    const char* sprite;
    int maxParticles;
    float particlesPerSecond;
    float endScale;
    float minSpeed;
    float maxSpeed;
};

void StartBurst(ParticleActor& burst, const Vector2& where, const Burst& settings)
{
    burst.SetPosition(where);
    burst.SetSystemLifetime(BurstSeconds);
    burst.SetParticleLifetime(settings.particleLifetime);
    burst.SetSize(settings.particleSize, settings.particleSize);
    burst.SetSprite(settings.sprite, 0, GL_CLAMP, GL_LINEAR);
    burst.SetMaxParticles(settings.maxParticles);
    burst.SetParticlesPerSecond(settings.particlesPerSecond);
    burst.SetSpread(FullCircle);
    burst.SetEndScale(settings.endScale);
    burst.SetSpeedRange(settings.minSpeed, settings.maxSpeed);
    burst.SetGravity(Vector2::Zero);
}
} // namespace

PickupMoneyExplosion::PickupMoneyExplosion(const Vector2& where)
{
    StartBurst(*this, where, Burst{0.15f, 0.2f, "Resources/Images/particle.png", 100, 20.0f, 0.3f, 3.0f, 4.0f});
    SetColor(1.0f, 1.0f, 0.0f, 1.0f);
    SetEndColor(Color(1.0f, 1.0f, 0.0f, 0.0f));
}

LieMeterBustExplosion::LieMeterBustExplosion(const Vector2& where)
{
    StartBurst(*this, where, Burst{1.25f, 0.2f, "Resources/Images/particle.png", 500, 100.0f, 0.3f, 5.0f, 5.5f});
    SetColor(1.0f, 0.2f, 0.2f, 1.0f);
    SetEndColor(Color(0.5f, 0.0f, 0.0f, 0.0f));
}

ConsumerDiedExplosion::ConsumerDiedExplosion(const Vector2& where)
{
    StartBurst(*this, where, Burst{0.5f, 0.4f, "Resources/Images/tinydollar.png", 15, 15.0f, 0.0f, 1.5f, 2.0f});
}
