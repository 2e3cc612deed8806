#include "Game/SuitGameManager.h"
#include "Game/SuitScreenPlay.h"
#include "Game/Suit_Player.h"
#include "Infrastructure/Camera.h"
#include "Infrastructure/World.h"
#include "Program/EngineSubsystems.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

namespace
{
constexpr int Level = 6;

// The window may already be open from another benchmark in this program.
bool OpenGameWindow()
{
    static const bool opened = []
    {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display)
            return false;
        PlugInEngineSubsystems();
        World::GetInstance().Initialize("QVRN bench", false);
        return Camera::GetInstance().GetWindowWidth() > 0;
    }();
    return opened;
}

// A game at level 6 with the given number of characters on the field, in the
// mix the level-ups bring: about 12 consumers to 8 rival suits to 3 journalists.
PlayField* StartCrowdedGame(int characters)
{
    std::srand(7);
    SuitGameManager& manager = SuitGameManager::GetInstance();
    manager.SwitchTo(SuitGameManager::SI_Play);
    PlayField* play = &static_cast<SuitScreenPlay*>(manager.GetScreen(SuitGameManager::SI_Play))->Field();
    play->JumpToLevel(Level, 1e9f);
    // Level 6 shows a view of radius 3 x 1.25^5 (about 9.2): too small for 400 characters a
    // unit apart, so the crowd gets a view about twice as wide. Smaller crowds get smaller
    // views of the same density, so the figures compare counts, not crowding.
    Camera::GetInstance().SetZByViewRadius(16.0f * std::sqrt(static_cast<float>(characters) / 400.0f));

    const SpawnExclusion none;
    while (static_cast<int>(play->Suits().size()) < characters)
    {
        const int before = static_cast<int>(play->Suits().size());
        play->SpawnMany(12, 12, PlayField::ST_Consumer, none);
        play->SpawnMany(8, 8, PlayField::ST_AI, none);
        play->SpawnMany(3, 3, PlayField::ST_Journalist, none);
        if (static_cast<int>(play->Suits().size()) == before)
            break;
    }
    play->SpawnMany(40, 40, PlayField::ST_Dollar, none);
    return play;
}
} // namespace

// One simulated frame of the play field: every element's update (suits and their boids,
// followers paying, coins flying, dollars spinning, meters), pickups and allegiance.
// Drawing is excluded. The argument is the number of characters.
void BM_PlayFieldFrameLevel6(benchmark::State& state)
{
    if (!OpenGameWindow())
    {
        state.SkipWithError("needs a display (run under xvfb-run, from the run folder)");
        return;
    }
    World& world = World::GetInstance();
    static double now = 0.0;
    world.SetTimeSource([] { return now += 1.0 / 60.0; });

    PlayField* play = StartCrowdedGame(static_cast<int>(state.range(0)));
    // Warm up into a steady state: followers attached, coins in the air.
    for (int i = 0; i < 60; ++i)
        world.Tick(true);

    for (auto _ : state)
        world.Tick(true);

    state.counters["characters"] = static_cast<double>(play->Suits().size());
    state.counters["consumers"] = static_cast<double>(play->Consumers().size());
    state.counters["followers"] = play->Player() ? play->Player()->GetFollowerCount() : 0;
    SuitGameManager::GetInstance().SwitchTo(SuitGameManager::SI_Start);
    world.Tick(true);
}
// 400 is the figure that counts (under 2 ms); the smaller fields show how it scales.
BENCHMARK(BM_PlayFieldFrameLevel6)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond)->Iterations(300);
