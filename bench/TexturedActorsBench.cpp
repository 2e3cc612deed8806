#include "Actors/Actor.h"
#include "Infrastructure/World.h"
#include "Platform/Draw.h"
#include "Platform/TextureCache.h"
#include "Platform/Window.h"
#include "Program/EngineSubsystems.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace
{
// Turns at its own speed, as a field of spinning pickups would.
class SpinningActor : public Actor
{
public:
    explicit SpinningActor(float degreesPerSecond) : spin(degreesPerSecond) {}
    void Update(float dt) override
    {
        Actor::Update(dt);
        SetRotation(GetRotation() + spin * dt);
    }

private:
    float spin;
};

// Opens the window once (no multisampling) and feeds the World a fixed 1/60 s per frame.
bool OpenWindow()
{
    static const bool opened = []
    {
        const char* display = std::getenv("DISPLAY");
        PlugInEngineSubsystems();
        if (!display || !*display || !World::GetInstance().Initialize("Tarvo bench", false))
            return false;
        static double now = 0.0;
        World::GetInstance().SetTimeSource([] { return now += 1.0 / 60.0; });
        return true;
    }();
    return opened;
}

// One whole frame of N textured actors of 32 pixels, each rotating: update, draw and
// present, as the game loop does it. Run from the run folder, where the art is.
void BM_TexturedRotatingActors(benchmark::State& state)
{
    if (!OpenWindow())
    {
        state.SkipWithError("needs a display (run under xvfb-run)");
        return;
    }
    const String image = "Resources/Images/testcard.png";
    if (AcquireTexture(image) < 0)
    {
        state.SkipWithError("Resources/Images/testcard.png not found: run from the run folder");
        return;
    }

    World& world = World::GetInstance();
    std::srand(1);
    const float side = 32.0f / 38.4f; // 32 pixels in the default view
    for (int i = 0; i < state.range(0); ++i)
    {
        auto* actor = new SpinningActor(static_cast<float>(std::rand() % 360 - 180));
        actor->SetSprite(image);
        actor->SetSize(side);
        actor->SetPosition(static_cast<float>(std::rand() % 2600) / 100.0f - 13.0f,
                           static_cast<float>(std::rand() % 1900) / 100.0f - 9.5f);
        actor->SetRotation(static_cast<float>(std::rand() % 360));
        world.Add(actor);
    }

    auto frame = [&world]
    {
        Draw::BeginFrame();
        world.RunFrame();
        Draw::EndFrame();
        Window::SwapBuffersAndPoll();
    };
    for (int i = 0; i < 3; ++i)
        frame();
    for (auto _ : state)
        frame();

    world.ResetWorld();
    frame();
}
BENCHMARK(BM_TexturedRotatingActors)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(60)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
} // namespace
