#include "Actors/Renderable.h"
#include "Infrastructure/GameManager.h"
#include "Infrastructure/Subsystem.h"
#include "Infrastructure/World.h"
#include "TestUtilities/LogCapture.h"
#include "TestUtilities/WindowTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
std::vector<String> steps;

class RecordingSubsystem : public Subsystem
{
public:
    RecordingSubsystem(const char* subsystemName, int subsystemService) : name(subsystemName), service(subsystemService)
    {
    }

    int GetService() const override { return service; }
    void Start() override { steps.push_back(name + " start"); }
    void StartAfterFirstFrame() override { steps.push_back(name + " after first frame"); }
    void Update(float) override { steps.push_back(name + " update"); }
    void Simulate(float) override { steps.push_back(name + " simulate"); }
    void DrawOverWorld() override { steps.push_back(name + " draw"); }
    void Shutdown() override { steps.push_back(name + " shutdown"); }

private:
    String name;
    int service;
};

class RecordingManager : public GameManager
{
public:
    void Update(float) override { steps.push_back("manager update"); }
    void Render() override { steps.push_back("manager render"); }
};

class RecordingElement : public Renderable
{
public:
    void Update(float) override { steps.push_back("element update"); }
    void Render() override { steps.push_back("element render"); }
};

bool Has(const String& step) { return std::find(steps.begin(), steps.end(), step) != steps.end(); }

// Two subsystems plugged in before Initialize, which asks for sound only: "always" has no
// service of its own, "pads" wants the pad service.
class PluggedWorldTest : public WindowTest
{
protected:
    void SetUp() override
    {
        World& world = World::GetInstance();
        world.PlugIn(&always);
        world.PlugIn(&pads);
        world.PlugIn(&always);
        services = World::SoundService;
        WindowTest::SetUp();
    }

    RecordingSubsystem always{"always", 0};
    RecordingSubsystem pads{"pads", World::PadService};
};
} // namespace

TEST_F(PluggedWorldTest, SubsystemsRunAtTheFramesStepsInTheOrderTheyWerePluggedInAndStopInReverse)
{
    EXPECT_TRUE(Has("always start"));
    EXPECT_FALSE(Has("pads start")) << "Initialize asked for sound only";
    World& world = World::GetInstance();
    const std::vector<Subsystem*>& plugged = world.GetSubsystems();
    EXPECT_EQ(std::count(plugged.begin(), plugged.end(), &always), 1) << "plugged in twice, called once";

    world.SetGameManager(new RecordingManager());
    world.Add(new RecordingElement());
    steps.clear();
    world.SetFrameLimit(2);
    world.StartGame();

    const std::vector<String> frame = {"always update",   "pads update",   "manager update", "element update",
                                       "always simulate", "pads simulate", "element render", "manager render",
                                       "always draw",     "pads draw"};
    std::vector<String> twoFrames = frame;
    twoFrames.insert(twoFrames.end(), "always after first frame");
    twoFrames.insert(twoFrames.end(), frame.begin(), frame.end());
    EXPECT_EQ(steps, twoFrames);

    // The last plugged in stops first: it may still use those before it as it goes.
    steps.clear();
    DestroyWorld();
    EXPECT_EQ(steps, (std::vector<String>{"pads shutdown", "always shutdown"}));
}

TEST_F(PluggedWorldTest, FramesWithoutSimulationSkipTheSimulateStep)
{
    World& world = World::GetInstance();
    steps.clear();
    world.Tick(false);
    EXPECT_EQ(steps, (std::vector<String>{"always update", "pads update"}));
}

TEST(WorldPhysicsTest, SetupPhysicsWithoutPhysicsPluggedInSaysSoAndMakesNothing)
{
    LogCapture log;
    World& world = World::GetInstance();
    world.SetPhysicsMaker(nullptr);
    EXPECT_FALSE(world.SetupPhysics());
    EXPECT_FALSE(world.IsPhysicsSetUp());
    EXPECT_TRUE(log.Contains("ERROR: Physics is not plugged into the World; SetupPhysics made nothing."));
}
