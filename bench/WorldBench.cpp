#include "Actors/Actor.h"
#include "Infrastructure/World.h"

#include <benchmark/benchmark.h>

namespace
{
class Counter : public Renderable
{
public:
    void Update(float dt) override { total += dt; }
    void Render() override {}
    float total = 0.0f;
};
} // namespace

// Adding many unnamed actors: each is named Actor, Actor1, ... on the way in.
static void BM_AddUnnamedActors(benchmark::State& state)
{
    World& world = World::GetInstance();
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state)
    {
        for (int i = 0; i < count; ++i)
            world.Add(new Actor());
        state.PauseTiming();
        world.ResetWorld();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_AddUnnamedActors)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// One simulated frame's update walk over many listed elements.
static void BM_UpdateWalk(benchmark::State& state)
{
    World& world = World::GetInstance();
    const int count = static_cast<int>(state.range(0));
    for (int i = 0; i < count; ++i)
        world.Add(new Counter(), i % 8);
    double now = 0.0;
    world.SetTimeSource([&now] { return now; });
    for (auto _ : state)
    {
        now += 0.016;
        world.Tick(true);
    }
    world.SetTimeSource(nullptr);
    world.ResetWorld();
}
BENCHMARK(BM_UpdateWalk)->Arg(100000)->Unit(benchmark::kMicrosecond);
