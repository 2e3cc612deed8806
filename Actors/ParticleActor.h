#pragma once

#include "Actors/Actor.h"
#include "Platform/Draw.h"

#include <memory>
#include <vector>

// One slot of a particle system.
struct Particle
{
    Vector2 pos;
    // World units per second.
    Vector2 vel;
    // Seconds since birth; -1 marks a free slot.
    float age = -1.0f;
    float lifetime = 0.0f;
    Color color;
    float scale = 1.0f;
};

// Emits and draws many small quads from its own position: a fixed pool of slots, an
// emission rate, a random direction within a cone around the actor's rotation, a random
// speed, constant gravity, and a colour and scale that change over each particle's life.
// The actor's sprite texture, if any, textures every particle; the emitter itself is
// never drawn. Until SetMaxParticles is called it emits nothing and never ends.
class ParticleActor : public Actor
{
public:
    // The most slots one system may have; larger requests are cut to it.
    static constexpr int MaxSlots = 1000000;

    ParticleActor() = default;

    void Update(float dt) override;
    void Render() override;
    String GetClassName() override { return "ParticleActor"; }

    // Particles per second; negative becomes 0. Not a steady rate: the fraction left over
    // from one update is a particle count but is added to the time, so the result depends
    // on the frame step. Measured for 150: exactly 150 a second at dt 0.02, but 4,200 to
    // 5,200 a second (about 4,700) at 0.016 and about 5,900 at 1/60 s. Tune effects at
    // the step the game runs at, and bound them with SetMaxParticles.
    void SetParticlesPerSecond(float pps) { particlesPerSecond = pps < 0.0f ? 0.0f : pps; }
    // Seconds the system emits before it expires and destroys itself once its last
    // particle has died; 0 (and anything negative) means endless.
    void SetSystemLifetime(float lifetime) { systemLifetime = lifetime < 0.0f ? 0.0f : lifetime; }
    // Seconds each new particle lives; negative becomes 0.
    void SetParticleLifetime(float lifetime) { particleLifetime = lifetime < 0.0f ? 0.0f : lifetime; }
    // Half-angle of the emission cone, radians.
    void SetSpread(float radians) { spreadRadians = radians; }
    // Size factor each particle reaches at the end of its life.
    void SetEndScale(float scale) { endScale = scale; }
    void SetEndColor(const Color& newColor) { endColor = newColor; }
    // World units per second.
    void SetSpeedRange(float newMinSpeed, float newMaxSpeed)
    {
        minSpeed = newMinSpeed;
        maxSpeed = newMaxSpeed;
    }
    // World units per second squared.
    void SetGravity(const Vector2& newGravity) { gravity = newGravity; }
    // The count is clamped to 1..MaxSlots (with a WARNING line when cut); a count that
    // differs from the current one empties the pool and allocates that many free slots.
    void SetMaxParticles(int maxParticles);

    // Slots in the pool; 0 until SetMaxParticles.
    int GetMaxParticles() const { return maxParticlesAlive; }
    // Particles alive after the last update's aging pass.
    int GetParticlesAlive() const { return numParticlesAlive; }
    const Particle* GetParticles() const { return particles.get(); }

private:
    void AgeParticles(float dt);
    void Emit(int count);

    std::unique_ptr<Particle[]> particles;
    int maxParticlesAlive = 0;
    int numParticlesAlive = 0;
    float particlesPerSecond = 20.0f;
    float generationResidue = 0.0f;
    float systemLifetime = 0.0f;
    float particleLifetime = 2.0f;
    float spreadRadians = 0.0f;
    Color endColor = Color(1.0f, 1.0f, 1.0f, 1.0f);
    float minSpeed = 2.0f;
    float maxSpeed = 4.0f;
    float endScale = 1.0f;
    Vector2 gravity = Vector2(0.0f, -4.0f);

    // Reused every frame, so drawing allocates nothing once the pool is full.
    std::vector<Draw::BatchQuad> batch;
};
