// The physics scene the engine is timed with beside its Python runner and LÖVE:
//   physics_bench N FRAMES WARMUP
// N circles (2,000 by default) of radius 0.125 fall from a grid into an open box of
// static walls, one 1/60 s step a frame, each drawn as a disc, at 1024 x 768 with no
// multisampling and no vertical sync. python/main.py and love/main.lua build the same
// scene from the same numbers; change them together.
// After WARMUP frames it times FRAMES frames from the start of one frame of the loop to
// the start of the next (one present to the next) and prints
//   RESULT engine=tarvo-cpp n=N frames=F median_ms=x mean_fps=y
//   PARTS update_ms=u draw_ms=d steps=s
//   STATE awake=a mean_y=m
// PARTS splits the median frame into the World's update half (element walk, physics step
// and sync) and its drawing half (the present included), and counts the physics steps of
// the timed frames (one a frame). STATE tells how the pile stands at the end, to compare
// with the other programs' simulations.
#include "Actors/Actor.h"
#include "Infrastructure/World.h"
#include "Physics/PhysicsActor.h"
#include "Physics/PhysicsWorld.h"
#include "Platform/Window.h"
#include "Program/EngineSubsystems.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace
{
// The scene, in world units (38.4 pixels each in the default view, y up).
constexpr int Columns = 50;
constexpr float Radius = 0.125f;
constexpr double Spacing = 0.32;
constexpr double GridBottom = -0.5;
constexpr float FloorTop = -9.0f;
constexpr float InnerHalfWidth = 9.0f;
constexpr float WallTop = -1.5f;
constexpr float WallThickness = 0.5f;
const Color Palette[4] = {Color(0.95f, 0.55f, 0.2f), Color(0.3f, 0.7f, 0.95f), Color(0.55f, 0.85f, 0.35f),
                          Color(0.9f, 0.35f, 0.5f)};

double Median(std::vector<double> times)
{
    if (times.empty())
        return 0.0;
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2.0;
}

void AddWall(float centerX, float centerY, float width, float height)
{
    auto* wall = new PhysicsActor();
    wall->SetSize(width, height);
    wall->SetPosition(centerX, centerY);
    wall->SetColor(0.6f, 0.6f, 0.65f);
    wall->SetDensity(0.0f);
    World::GetInstance().Add(wall);
    wall->InitPhysics();
}

// Row after row from the bottom, every other row shifted by half a space, each circle
// nudged by a fixed pattern so that the columns don't stack into towers. Worked out in
// doubles, as Python and Lua do, so that all three programs start from the same floats.
Vector2 GridPlace(int index)
{
    const int row = index / Columns;
    const int column = index % Columns;
    const double jitter = ((row * 37 + column * 11) % 17 - 8) * 0.004;
    const double shift = row % 2 ? Spacing / 2.0 : 0.0;
    const double x = (column - (Columns - 1) / 2.0) * Spacing + shift - Spacing / 4.0 + jitter;
    return Vector2(static_cast<float>(x), static_cast<float>(GridBottom + row * Spacing));
}

void BuildScene(int count)
{
    World& world = World::GetInstance();
    world.SetupPhysics(Vector2(0.0f, -10.0f));
    const float innerHeight = WallTop - FloorTop;
    AddWall(0.0f, FloorTop - WallThickness / 2.0f, 2.0f * (InnerHalfWidth + WallThickness), WallThickness);
    AddWall(-InnerHalfWidth - WallThickness / 2.0f, FloorTop + innerHeight / 2.0f, WallThickness, innerHeight);
    AddWall(InnerHalfWidth + WallThickness / 2.0f, FloorTop + innerHeight / 2.0f, WallThickness, innerHeight);
    for (int i = 0; i < count; ++i)
    {
        auto* ball = new PhysicsActor();
        ball->SetShapeType(PhysicsActor::SHAPETYPE_CIRCLE);
        ball->SetDrawShape(ADS_Circle);
        ball->SetSize(2.0f * Radius);
        ball->SetPosition(GridPlace(i));
        ball->SetColor(Palette[i % 4]);
        ball->SetDensity(1.0f);
        ball->SetFriction(0.3f);
        ball->SetRestitution(0.0f);
        world.Add(ball);
        ball->InitPhysics();
    }
}

// How the pile stands: bodies still awake, and the mean height of the circles.
void PrintState()
{
    int awake = 0;
    double heights = 0.0;
    int circles = 0;
    for (Renderable* element : World::GetInstance().GetElements())
    {
        auto* actor = dynamic_cast<PhysicsActor*>(element);
        if (!actor || actor->GetShapeType() != PhysicsActor::SHAPETYPE_CIRCLE)
            continue;
        ++circles;
        heights += actor->GetPosition().Y;
        const Vector2 velocity = actor->GetLinearVelocity();
        if (velocity.X != 0.0f || velocity.Y != 0.0f)
            ++awake;
    }
    std::printf("STATE awake=%d mean_y=%.3f\n", awake, circles ? heights / circles : 0.0);
}
} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(0, std::atoi(argv[1])) : 2000;
    const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : 300;
    const int warmup = argc > 3 ? std::max(0, std::atoi(argv[3])) : 60;
    // "8x3" steps with that many velocity and position passes; the engine's own unless given.
    int velocityIterations = PhysicsWorld::DefaultVelocityIterations;
    int positionIterations = PhysicsWorld::DefaultPositionIterations;
    if (argc > 4 && std::sscanf(argv[4], "%dx%d", &velocityIterations, &positionIterations) != 2)
        return 2;

    PlugInEngineSubsystems();
    World& world = World::GetInstance();
    // Every frame lasts exactly one physics step, the first one too, as with --fixed-dt
    // (set before Initialize, which reads the clock's start from it).
    auto ticks = std::make_shared<long>(0);
    world.SetTimeSource([ticks] { return static_cast<double>((*ticks)++) / 60.0; });
    // No sound, pads or scripts: LÖVE's program opens no audio either.
    if (!world.Initialize("physics_bench", false, false, World::NoServices))
        return 1;
    world.SetBackgroundColor(Color(0.1f, 0.1f, 0.15f));
    BuildScene(count);
    PhysicsWorld::Find()->SetIterations(velocityIterations, positionIterations);

    std::vector<double> starts;
    int steps = 0;
    world.SetFrameStartHook(
        [&]
        {
            starts.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count());
            const int run = world.GetFramesRun();
            if (run == warmup)
                world.SetFrameStatsOn(true);
            if (run > warmup)
                steps += PhysicsWorld::Find()->GetStepsLastFrame();
        });
    world.SetFrameLimit(warmup + frames);
    double end = 0.0;
    world.StartGame(
        [&]
        {
            end =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
            steps += PhysicsWorld::Find()->GetStepsLastFrame();
        });
    starts.push_back(end);

    std::vector<double> times;
    for (size_t i = static_cast<size_t>(warmup) + 1; i < starts.size(); ++i)
        times.push_back(starts[i] - starts[i - 1]);
    const double seconds = (starts.back() - starts[static_cast<size_t>(warmup)]) / 1000.0;
    const FrameStats& stats = world.GetFrameStats();
    std::printf("RESULT engine=tarvo-cpp n=%d frames=%zu median_ms=%.3f mean_fps=%.2f\n", count, times.size(),
                Median(times), seconds > 0.0 ? static_cast<double>(times.size()) / seconds : 0.0);
    std::printf("PARTS update_ms=%.3f draw_ms=%.3f steps=%d\n", stats.Updates().median, stats.Draws().median, steps);
    PrintState();
    std::fflush(stdout);
    world.Destroy();
    return 0;
}
