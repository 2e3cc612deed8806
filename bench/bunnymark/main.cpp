// The sprite benchmark the small engines are compared with:
//   bunnymark N FRAMES MODE WARMUP
// MODE actor:     N ordinary actors, each moving and turning in its own Update
// MODE immediate: the same, with every quad drawn on its own as the engine once did
// MODE particles: one particle system of N live particles
// BM_SPRITE names the 32 x 32 image (the game's tiny coin when unset); BM_FILTER=nearest|linear
// picks the texture filter (the engine's own, linear, by default); BM_WRAP=clamp asks for the
// GL_CLAMP wrap mode instead of the engine's default clamp-to-edge, for comparison.
// BENCH_T0_US, when set, is the start time in microseconds that FIRST_FRAME_MS counts from.
// BM_SERVICES=none leaves the sound device, game-pad probing and the Python script host
// out, as a program that uses none of them would (the peers' programs load no sound, pad
// or script library); by default the World starts them all, as it does for a game.
#include "Actors/Actor.h"
#include "Actors/ParticleActor.h"
#include "Infrastructure/World.h"
#include "Platform/Draw.h"
#include "Platform/ScreenMath.h"
#include "Platform/Window.h"
#include "Program/EngineSubsystems.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace
{
constexpr float Width = static_cast<float>(Window::DefaultWidth);
constexpr float Height = static_cast<float>(Window::DefaultHeight);
constexpr float Side = 32.0f;
constexpr float Half = Side / 2.0f;

double WallMicroseconds()
{
    return std::chrono::duration<double, std::micro>(std::chrono::system_clock::now().time_since_epoch()).count();
}

// World units per pixel in the default view.
float PixelSize() { return MathKit::PixelLengthToWorld(1.0f); }

// Moves in pixels per frame, like the peers' sprites, and bounces off the window's edges.
class Bunny : public Actor
{
public:
    explicit Bunny(std::mt19937& random)
    {
        std::uniform_real_distribution<float> unit(0.0f, 1.0f);
        x = unit(random) * (Width - Side) + Half;
        y = unit(random) * (Height - Side) + Half;
        vx = (unit(random) - 0.5f) * 8.0f;
        vy = (unit(random) - 0.5f) * 8.0f;
        turn = unit(random) * 360.0f;
        spin = (unit(random) - 0.5f) * 12.0f;
        Place();
    }

    void Update(float dt) override
    {
        Actor::Update(dt);
        x += vx;
        y += vy;
        turn += spin;
        if (x < Half || x > Width - Half)
        {
            x = std::clamp(x, Half, Width - Half);
            vx = -vx;
        }
        if (y < Half || y > Height - Half)
        {
            y = std::clamp(y, Half, Height - Half);
            vy = -vy;
        }
        Place();
    }

private:
    void Place()
    {
        const float pixel = PixelSize();
        SetPosition((x - Width / 2.0f) * pixel, (Height / 2.0f - y) * pixel);
        SetRotation(turn);
    }

    float x, y, vx, vy, turn, spin;
};

void AddParticles(int count, const String& sprite, GLint wrap, GLint filter)
{
    auto* system = new ParticleActor();
    system->SetSprite(sprite, 0, wrap, filter);
    system->SetSize(Side * PixelSize());
    system->SetMaxParticles(count);
    // All slots fill in the first frame and no particle dies during a run; slow enough
    // that they stay in the window for minutes of frames.
    system->SetParticlesPerSecond(1.0e9f);
    system->SetParticleLifetime(1.0e6f);
    system->SetSpread(3.1415926f);
    system->SetSpeedRange(0.0f, 0.3f);
    system->SetGravity(Vector2(0.0f, 0.0f));
    system->SetEndColor(Color(1.0f, 1.0f, 1.0f, 0.5f));
    World::GetInstance().Add(system);
}

double Median(std::vector<double> times)
{
    if (times.empty())
        return 0.0;
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2.0;
}
} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(0, std::atoi(argv[1])) : 1000;
    const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : 100;
    const String mode = argc > 3 ? argv[3] : "actor";
    const int warmup = argc > 4 ? std::max(0, std::atoi(argv[4])) : 10;
    if (mode != "actor" && mode != "immediate" && mode != "particles")
    {
        std::fprintf(stderr, "bunnymark: unknown mode %s (actor, immediate or particles)\n", mode.c_str());
        return 2;
    }
    const char* spriteVariable = std::getenv("BM_SPRITE");
    const String sprite = spriteVariable && *spriteVariable ? spriteVariable : "Resources/Images/tinydollar.png";
    const char* filterVariable = std::getenv("BM_FILTER");
    const GLint filter = filterVariable && String(filterVariable) == "nearest" ? GL_NEAREST : GL_LINEAR;
    const char* wrapVariable = std::getenv("BM_WRAP");
    const GLint wrap = wrapVariable && String(wrapVariable) == "clamp" ? GL_CLAMP : GL_CLAMP_TO_EDGE;

    const char* servicesVariable = std::getenv("BM_SERVICES");
    const int services =
        servicesVariable && String(servicesVariable) == "none" ? World::NoServices : World::AllServices;

    PlugInEngineSubsystems();
    World& world = World::GetInstance();
    if (!world.Initialize("bunnymark", false, false, services))
        return 1;
    world.SetBackgroundColor(Color(25.0f / 255.0f, 25.0f / 255.0f, 38.0f / 255.0f));
    // Steady time steps keep the particles' paths the same from run to run.
    auto ticks = std::make_shared<long>(0);
    world.SetTimeSource([ticks] { return static_cast<double>((*ticks)++) / 60.0; });
    Draw::SetBatching(mode != "immediate");

    if (mode == "particles")
    {
        AddParticles(count, sprite, wrap, filter);
    }
    else
    {
        std::mt19937 random(42);
        const float side = Side * PixelSize();
        for (int i = 0; i < count; ++i)
        {
            auto* bunny = new Bunny(random);
            bunny->SetSprite(sprite, 0, wrap, filter);
            bunny->SetSize(side);
            world.Add(bunny);
        }
    }

    const char* startVariable = std::getenv("BENCH_T0_US");
    std::vector<double> times;
    auto last = std::chrono::steady_clock::now();
    auto timedStart = last;
    for (int frame = 1; frame <= warmup + frames; ++frame)
    {
        Draw::BeginFrame();
        world.RunFrame();
        Draw::EndFrame();
        Window::SwapBuffersAndPoll();
        const auto now = std::chrono::steady_clock::now();
        if (frame == 1 && startVariable)
            std::printf("FIRST_FRAME_MS %.1f\n", (WallMicroseconds() - std::atof(startVariable)) / 1000.0);
        if (frame == warmup + 1)
            timedStart = last;
        if (frame > warmup)
            times.push_back(std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    }
    const double seconds = std::chrono::duration<double>(last - timedStart).count();
    std::printf("RESULT engine=tarvo mode=%s n=%d frames=%zu median_ms=%.3f mean_fps=%.2f\n", mode.c_str(), count,
                times.size(), Median(times), seconds > 0.0 ? static_cast<double>(times.size()) / seconds : 0.0);
    std::fflush(stdout);
    world.Destroy();
    return 0;
}
