#include "Actors/ParticleActor.h"

#include "Platform/Log.h"
#include "Util/MathKit.h"

#include <cmath>

void ParticleActor::SetMaxParticles(int maxParticles)
{
    // Clamped before the comparison, so that 0 gives a new system its one slot and
    // repeating a clamped request keeps the pool.
    if (maxParticles <= 0)
        maxParticles = 1;
    if (maxParticles > MaxSlots)
    {
        // A mistyped count would otherwise ask for gigabytes and take the program down.
        SystemLogInstance().Printf("WARNING: %d particles requested; using %d.", maxParticles, MaxSlots);
        maxParticles = MaxSlots;
    }
    if (maxParticles == maxParticlesAlive)
        return;
    particles = std::make_unique<Particle[]>(static_cast<size_t>(maxParticles));
    maxParticlesAlive = maxParticles;
    numParticlesAlive = 0;
}

void ParticleActor::Update(float dt)
{
    // The emitter itself can move, turn and fade like any actor.
    Actor::Update(dt);
    if (!particles)
        return;

    AgeParticles(dt);

    if (systemLifetime > 0.0f)
    {
        systemLifetime -= dt;
        // Landing exactly on 0 would read as "endless" again.
        if (systemLifetime == 0.0f)
            systemLifetime = -1.0f;
    }
    if (systemLifetime < 0.0f)
    {
        if (numParticlesAlive == 0 && !IsDestroyed())
            Destroy();
        return;
    }

    // The residue is a particle count, yet it is added to the time before the rate
    // multiplies it; effects are tuned with this rule, so it stays.
    const float count = particlesPerSecond * (dt + generationResidue);
    const float whole = std::trunc(count);
    generationResidue = count - whole;
    // Truncated as a float: a huge rate or a long frame asks for more particles than
    // an int holds, and no more than the slots can start anyway.
    if (whole >= 1.0f)
        Emit(whole < static_cast<float>(maxParticlesAlive) ? static_cast<int>(whole) : maxParticlesAlive);
}

void ParticleActor::AgeParticles(float dt)
{
    numParticlesAlive = 0;
    // Channel by channel here: this loop runs for every slot of every system each frame.
    const Color fade = endColor - color;
    const Vector2 gravityStep = gravity * dt;
    for (int i = 0; i < maxParticlesAlive; ++i)
    {
        Particle& particle = particles[i];
        // A particle of lifetime 0 is never aged: it keeps its slot where it was born.
        if (particle.age < 0.0f || particle.age >= particle.lifetime)
            continue;
        particle.age += dt;
        if (particle.age >= particle.lifetime)
        {
            particle.age = -1.0f;
            continue;
        }
        particle.pos += particle.vel * dt;
        particle.vel += gravityStep;
        const float t = particle.age / particle.lifetime;
        particle.color.R = color.R + fade.R * t;
        particle.color.G = color.G + fade.G * t;
        particle.color.B = color.B + fade.B * t;
        particle.color.A = color.A + fade.A * t;
        particle.scale = 1.0f + (endScale - 1.0f) * t;
        ++numParticlesAlive;
    }
}

void ParticleActor::Emit(int count)
{
    const float heading = rotation * MathKit::DegreesToRadiansFactor;
    int started = 0;
    // Particles that find no free slot are dropped.
    for (int i = 0; i < maxParticlesAlive && started < count; ++i)
    {
        Particle& particle = particles[i];
        if (particle.age >= 0.0f)
            continue;
        particle.age = 0.0f;
        particle.lifetime = particleLifetime;
        particle.pos = position;
        particle.scale = 1.0f;
        particle.color = color;
        const float angle = (heading - spreadRadians) + MathKit::RandomFloatBelow(2.0f * spreadRadians);
        const float speed = MathKit::RandomFloatBelow(maxSpeed - minSpeed) + minSpeed;
        particle.vel = Vector2(std::cos(angle) * speed, std::sin(angle) * speed);
        ++started;
    }
}

void ParticleActor::Render()
{
    if (!particles)
        return;
    batch.clear();
    for (int i = 0; i < maxParticlesAlive; ++i)
    {
        const Particle& particle = particles[i];
        if (particle.age >= 0.0f)
            batch.push_back({particle.pos, particle.scale, particle.color});
    }
    Draw::QuadBatch(batch, rotation, size, SpriteTextureAt(spriteCurrentFrame));
}
