#include "Actors/ParticleActor.h"

#include <benchmark/benchmark.h>

// One frame's update of a system holding 100,000 live particles, with the emission that
// replaces the ones dying each frame. Target: under 5 ms per frame.
static void BM_ParticleUpdate100k(benchmark::State& state)
{
    constexpr int slots = 100000;
    constexpr float frame = 1.0f / 60.0f;
    ParticleActor system;
    system.SetMaxParticles(slots);
    system.SetParticleLifetime(2.0f);
    system.SetParticlesPerSecond(slots / 2.0f);
    system.SetSpread(3.14159f);
    // Two seconds of frames fill the pool; from then on it stays full.
    for (int i = 0; i < 150; ++i)
        system.Update(frame);

    for (auto _ : state)
        system.Update(frame);
    state.counters["alive"] = system.GetParticlesAlive();
}
BENCHMARK(BM_ParticleUpdate100k)->Unit(benchmark::kMillisecond);
