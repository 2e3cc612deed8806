#include "Actors/Actor.h"
#include "Infrastructure/GameManager.h"
#include "Infrastructure/World.h"
#include "TestUtilities/FrameDriver.h"
#include "TestUtilities/LogCapture.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
std::vector<String> events;
int deletions = 0;

// Logs its updates and draws; an optional action runs inside Update.
class Probe : public Renderable
{
public:
    explicit Probe(String name) : label(std::move(name)) {}
    ~Probe() override { ++deletions; }

    void Update(float) override
    {
        events.push_back("update " + label);
        if (onUpdate)
            onUpdate();
    }
    void Render() override { events.push_back("render " + label); }
    void PreDestroy() override { events.push_back("predestroy " + label); }

    String label;
    std::function<void()> onUpdate;
};

class WorldLayersTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        events.clear();
        deletions = 0;
    }
    World& world = World::GetInstance();
    FrameDriver frames;
};
} // namespace

TEST_F(WorldLayersTest, LayersUpdateInAscendingOrderAndElementsInOrderOfAdding)
{
    auto* a = new Probe("a");
    auto* b = new Probe("b");
    auto* c = new Probe("c");
    world.Add(a, 2);
    world.Add(b, -1);
    world.Add(c, 2);
    frames.Tick(0.1f);
    EXPECT_EQ(events, (std::vector<String>{"update b", "update a", "update c"}));
    EXPECT_EQ(a->GetLayer(), 2);
}

TEST_F(WorldLayersTest, ElementAddedDuringUpdateIsListedAfterTheWalk)
{
    auto* parent = new Probe("parent");
    auto* child = new Probe("child");
    parent->onUpdate = [&]
    {
        if (child)
            world.Add(child);
        child = nullptr;
    };
    world.Add(parent);
    frames.Tick(0.1f);
    EXPECT_EQ(events, std::vector<String>{"update parent"});
    EXPECT_EQ(world.GetElements().size(), 2u);
    frames.Tick(0.1f);
    EXPECT_EQ(events.back(), "update child");
}

TEST_F(WorldLayersTest, RemovedDuringUpdateIsStillUpdatedInThatWalkThenUnlisted)
{
    auto* first = new Probe("first");
    auto* second = new Probe("second");
    first->onUpdate = [&] { world.Remove(second); };
    world.Add(first);
    world.Add(second);
    frames.Tick(0.1f);
    EXPECT_EQ(events, (std::vector<String>{"update first", "update second"}));
    EXPECT_EQ(world.GetElements(), std::vector<Renderable*>{first});
    EXPECT_EQ(deletions, 0) << "Remove never deletes";
    delete second;
}

TEST_F(WorldLayersTest, AddThenRemoveInOneWalkLeavesTheElementUnlisted)
{
    auto* spawner = new Probe("spawner");
    Probe transient("transient");
    spawner->onUpdate = [&]
    {
        world.Add(&transient);
        world.Remove(&transient);
        spawner->onUpdate = nullptr;
    };
    world.Add(spawner);
    frames.Tick(0.1f);
    EXPECT_EQ(world.GetElements(), std::vector<Renderable*>{spawner});
}

TEST_F(WorldLayersTest, DestroyedElementsAreUpdatedOnceMoreThenDeletedInTheSameFrame)
{
    auto* killer = new Probe("killer");
    auto* victim = new Probe("victim");
    killer->onUpdate = [&]
    {
        victim->Destroy();
        victim->Destroy();
        killer->Destroy();
    };
    world.Add(killer);
    world.Add(victim);
    frames.Tick(0.1f);
    EXPECT_EQ(events,
              (std::vector<String>{"update killer", "predestroy victim", "predestroy killer", "update victim"}));
    EXPECT_EQ(deletions, 2);
    EXPECT_TRUE(world.GetElements().empty());
}

TEST_F(WorldLayersTest, LayerMovesWaitForTheNextSimulatedFrame)
{
    auto* mover = new Probe("mover");
    auto* stayer = new Probe("stayer");
    world.Add(mover, 0);
    world.Add(stayer, 1);
    world.UpdateLayer(mover, 5);
    EXPECT_EQ(mover->GetLayer(), 0);
    frames.Tick(0.1f);
    EXPECT_EQ(mover->GetLayer(), 5);
    EXPECT_EQ(world.GetElements(), (std::vector<Renderable*>{stayer, mover}));
}

TEST_F(WorldLayersTest, UpdateLayerOfAnUnlistedElementAddsIt)
{
    auto* loner = new Probe("loner");
    world.UpdateLayer(loner, 3);
    EXPECT_TRUE(world.GetElements().empty());
    frames.Tick(0.1f);
    EXPECT_EQ(world.GetElements(), std::vector<Renderable*>{loner});
    EXPECT_EQ(loner->GetLayer(), 3);
}

TEST_F(WorldLayersTest, DestroyedElementWithAPendingMoveIsDeletedSafely)
{
    auto* doomed = new Probe("doomed");
    doomed->onUpdate = [&]
    {
        world.UpdateLayer(doomed, 4);
        world.Remove(doomed);
        doomed->Destroy();
    };
    world.Add(doomed);
    frames.Tick(0.1f);
    EXPECT_EQ(deletions, 1);
    EXPECT_TRUE(world.GetElements().empty());
}

TEST_F(WorldLayersTest, NamedLayersAndUnknownNamesMeanLayerZero)
{
    world.NameLayer("hud", 10);
    world.NameLayer("hud", 12);
    EXPECT_EQ(world.GetLayerByName("hud"), 12);
    EXPECT_EQ(world.GetLayerByName("nowhere"), 0);
    auto* element = new Probe("e");
    world.Add(element, "hud");
    EXPECT_EQ(element->GetLayer(), 12);
}

TEST_F(WorldLayersTest, NullAddIsLoggedAndIgnored)
{
    LogCapture log;
    world.Add(nullptr);
    world.Remove(nullptr);
    EXPECT_TRUE(log.Contains("WARNING: Can't add a null element to the World."));
    EXPECT_TRUE(world.GetElements().empty());
}

namespace
{
class KeepOne : public GameManager
{
public:
    bool IsResetProof(Renderable* element) override { return element == keeper; }
    Renderable* keeper = nullptr;
};

class ResetCounter : public Actor
{
public:
    void WorldReset() override { ++resets; }
    int resets = 0;
};
} // namespace

TEST_F(WorldLayersTest, ResetWorldDeletesAllButResetProofElements)
{
    auto* manager = new KeepOne();
    auto* keeper = new ResetCounter();
    manager->keeper = keeper;
    world.SetGameManager(manager);
    auto* gone = new Probe("gone");
    world.Add(gone);
    world.Add(keeper);
    world.ResetWorld();
    EXPECT_EQ(events, std::vector<String>{"predestroy gone"});
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(world.GetElements(), std::vector<Renderable*>{keeper});
    EXPECT_EQ(keeper->resets, 1);
}

TEST_F(WorldLayersTest, ResetWithoutManagerUnloadsEverything)
{
    world.Add(new Probe("a"), 1);
    world.Add(new Probe("b"), -2);
    world.ResetWorld();
    EXPECT_EQ(deletions, 2);
    EXPECT_TRUE(world.GetElements().empty());
}

// A game that starts over from inside an Update (a restart key, a script's reload)
// resets the World, then builds its new scene in the same walk.
TEST_F(WorldLayersTest, AResetAskedForInAWalkSparesWhatIsAddedAfterIt)
{
    auto* restarter = new Probe("restarter");
    auto* earlier = new Probe("earlier");
    auto* fresh = new Probe("fresh");
    bool restarted = false;
    restarter->onUpdate = [&]
    {
        if (restarted)
            return;
        restarted = true;
        world.Add(earlier);
        world.ResetWorld();
        world.Add(fresh);
    };
    world.Add(restarter);
    frames.Tick(0.1f);
    EXPECT_EQ(world.GetElements(), std::vector<Renderable*>{fresh}) << "the old scene goes, the new one stays";
    EXPECT_EQ(deletions, 2);
    // The next reset, asked for outside a walk, takes it like anything else.
    world.ResetWorld();
    EXPECT_TRUE(world.GetElements().empty());

    // Asked for twice in one walk, the second request takes what the first spared.
    auto* twice = new Probe("twice");
    twice->onUpdate = [&]
    {
        world.ResetWorld();
        world.Add(new Probe("spared once"));
        world.ResetWorld();
    };
    world.Add(twice);
    frames.Tick(0.1f);
    EXPECT_TRUE(world.GetElements().empty());
}

TEST_F(WorldLayersTest, SecondAddOfAListedElementIsRefusedAndItIsDeletedOnce)
{
    LogCapture log;
    auto* twice = new Probe("twice");
    world.Add(twice, 1);
    world.Add(twice, 1);
    world.Add(twice, 3);
    EXPECT_EQ(log.Count("WARNING: Element already in the World (layer 1); UpdateLayer moves it."), 2u);
    EXPECT_EQ(world.GetElements(), std::vector<Renderable*>{twice});

    // Adds requested during a walk are checked too.
    twice->onUpdate = [&] { world.Add(twice, 5); };
    frames.Tick(0.1f);
    EXPECT_EQ(world.GetElements(), std::vector<Renderable*>{twice});
    EXPECT_EQ(twice->GetLayer(), 1);
    twice->onUpdate = [&] { twice->Destroy(); };
    frames.Tick(0.1f);
    EXPECT_EQ(deletions, 1);
    EXPECT_TRUE(world.GetElements().empty());
}

TEST_F(WorldLayersTest, RemovedAndAddedAgainInOneWalkStaysListedOnce)
{
    auto* juggler = new Probe("juggler");
    auto* ball = new Probe("ball");
    juggler->onUpdate = [&]
    {
        world.Remove(ball);
        world.Add(ball, 2);
        world.Add(ball, 2);
        juggler->onUpdate = nullptr;
    };
    world.Add(juggler);
    world.Add(ball);
    frames.Tick(0.1f);
    frames.Tick(0.1f);
    EXPECT_EQ(world.GetElements(), (std::vector<Renderable*>{juggler, ball}));
    EXPECT_EQ(ball->GetLayer(), 2);
}
