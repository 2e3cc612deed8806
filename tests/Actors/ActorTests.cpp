#include "Actors/Actor.h"
#include "Actors/HUDActor.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "TestUtilities/Approx.h"
#include "TestUtilities/FrameDriver.h"

#include <gtest/gtest.h>

TEST(ActorTest, NewActorIsAWhiteUnitSquareAtTheOriginWithoutName)
{
    Actor actor;
    EXPECT_EQ(actor.GetSize(), Vector2(1.0f, 1.0f));
    EXPECT_EQ(actor.GetPosition(), Vector2(0.0f, 0.0f));
    EXPECT_EQ(actor.GetColor(), Color(1.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_EQ(actor.GetDrawShape(), ADS_Square);
    EXPECT_EQ(actor.GetName(), "");
    EXPECT_EQ(Actor::GetNamed("Actor"), nullptr);
}

TEST(ActorTest, SizeRules)
{
    Actor actor;
    actor.SetSize(2.0f);
    EXPECT_EQ(actor.GetSize(), Vector2(2.0f, 2.0f));
    actor.SetSize(2.0f, 0.0f);
    EXPECT_EQ(actor.GetSize(), Vector2(2.0f, 2.0f));
    actor.SetSize(-3.0f, 4.0f);
    EXPECT_EQ(actor.GetSize(), Vector2(0.0f, 4.0f));
    actor.SetSize(-3.0f);
    EXPECT_EQ(actor.GetSize(), Vector2(0.0f, 0.0f));
    actor.SetSize(Vector2(2.0f, 0.0f));
    EXPECT_EQ(actor.GetSize(), Vector2(2.0f, 0.0f));
    actor.SetSize(Vector2(-1.0f, 3.0f));
    EXPECT_EQ(actor.GetSize(), Vector2(0.0f, 3.0f));
}

TEST(ActorTest, ChannelColoursClampButAlphaAndColorObjectsAreStoredAsGiven)
{
    Actor actor;
    actor.SetColor(2.0f, -1.0f, 0.5f);
    EXPECT_EQ(actor.GetColor(), Color(1.0f, 0.0f, 0.5f, 1.0f));
    actor.SetAlpha(1.5f);
    EXPECT_FLOAT_EQ(actor.GetAlpha(), 1.5f);
}

TEST(ActorNamingTest, UnnamedActorsTakeTheFirstFreeNumberedName)
{
    World& world = World::GetInstance();
    auto* first = new Actor();
    auto* second = new Actor();
    auto* third = new Actor();
    world.Add(first);
    world.Add(second);
    world.Add(third);
    EXPECT_EQ(first->GetName(), "Actor");
    EXPECT_EQ(second->GetName(), "Actor1");
    EXPECT_EQ(third->GetName(), "Actor2");

    first->Destroy();
    FrameDriver frames;
    frames.Tick(0.016f);
    EXPECT_EQ(Actor::GetNamed("Actor"), nullptr);
    auto* fourth = new Actor();
    world.Add(fourth);
    EXPECT_EQ(fourth->GetName(), "Actor");
    auto* fifth = new Actor();
    world.Add(fifth);
    EXPECT_EQ(fifth->GetName(), "Actor3");
}

TEST(ActorNamingTest, ClassNamesAndCapitalisation)
{
    World& world = World::GetInstance();
    auto* hud = new HUDActor();
    world.Add(hud);
    EXPECT_EQ(hud->GetName(), "HUDActor");
    Actor enemy;
    EXPECT_EQ(enemy.SetName("enemy"), "Enemy");
    Actor digit;
    EXPECT_EQ(digit.SetName("9lives"), "9lives");
    EXPECT_EQ(Actor::GetNamed("enemy"), nullptr) << "lookups are case-sensitive";
    EXPECT_EQ(Actor::GetNamed("Enemy"), &enemy);
}

TEST(ActorNamingTest, ASubclassWithTheDocumentedSignatureNamesItsActors)
{
    struct Rocket : Actor
    {
        String GetClassName() override { return "Rocket"; }
    };
    auto* rocket = new Rocket();
    World::GetInstance().Add(rocket);
    EXPECT_EQ(rocket->GetName(), "Rocket");
    Actor* asActor = rocket;
    EXPECT_EQ(asActor->GetClassName(), "Rocket");
}

TEST(ActorNamingTest, ANamedActorAddedToTheWorldIsRegisteredAgainWithANumber)
{
    auto* foo = new Actor();
    foo->SetName("Foo");
    World::GetInstance().Add(foo);
    EXPECT_EQ(foo->GetName(), "Foo1");
    EXPECT_EQ(Actor::GetNamed("Foo"), foo);
    EXPECT_EQ(Actor::GetNamed("Foo1"), foo);

    foo->Destroy();
    FrameDriver frames;
    frames.Tick(0.016f);
    EXPECT_EQ(Actor::GetNamed("Foo"), nullptr) << "earlier names never hand out a deleted actor";
    EXPECT_EQ(Actor::GetNamed("Foo1"), nullptr);
}

TEST(ActorNamingTest, AnActorIsNamedOnceWhenFirstAddedWhereverTheAddComesFrom)
{
    // A spawner adds an actor from inside its update, where adds wait for the walk's end.
    struct Spawner : Actor
    {
        void Update(float dt) override
        {
            Actor::Update(dt);
            if (spawned)
                return;
            spawned = new Actor();
            World::GetInstance().Add(spawned, 2);
            nameAfterAdd = spawned->GetName();
        }
        Actor* spawned = nullptr;
        String nameAfterAdd;
    };
    World& world = World::GetInstance();
    auto* spawner = new Spawner();
    world.Add(spawner);
    FrameDriver frames;
    frames.Tick(0.016f);
    ASSERT_NE(spawner->spawned, nullptr);
    Actor* spawned = spawner->spawned;
    EXPECT_EQ(spawner->nameAfterAdd, "Actor1");
    EXPECT_EQ(spawned->GetName(), "Actor1") << "applying the deferred add must not name it again";
    EXPECT_EQ(spawned->GetLayer(), 2);

    // Moving layers, and taking it out and putting it back, keep the name too.
    spawned->SetLayer(5);
    frames.Tick(0.016f);
    EXPECT_EQ(spawned->GetLayer(), 5);
    world.Remove(spawned);
    world.Add(spawned);
    EXPECT_EQ(spawned->GetName(), "Actor1");
    EXPECT_EQ(Actor::GetNamed("Actor1"), spawned);
    EXPECT_EQ(Actor::GetNamed("Actor11"), nullptr);
    EXPECT_EQ(Actor::GetNamed("Actor2"), nullptr);
}

TEST(ActorNamingTest, NumberedNamesOfOtherBasesDoNotConfuseTheSearch)
{
    Actor a12, a1, a, b;
    a12.SetName("Actor12");
    a1.SetName("Actor1");
    EXPECT_EQ(a.SetName(""), "Actor");
    EXPECT_EQ(b.SetName(""), "Actor2") << "Actor1 was taken by hand";
    Actor c;
    EXPECT_EQ(c.SetName("Actor1"), "Actor11");
    {
        Actor temporary;
        EXPECT_EQ(temporary.SetName(""), "Actor3");
    }
    Actor d;
    EXPECT_EQ(d.SetName(""), "Actor3") << "a freed name is found again";
}

TEST(ActorTest, DestroyedActorLeavesItsSubscriptions)
{
    class Listening : public Actor
    {
    public:
        void ReceiveMessage(Message*) override { ++received; }
        int received = 0;
    };
    auto* actor = new Listening();
    Switchboard::GetInstance().SubscribeTo(actor, "Hello");
    delete actor;
    EXPECT_TRUE(Switchboard::GetInstance().GetSubscribersTo("Hello").empty());
}

TEST(ActorTest, SetLayerMovesAtTheNextFrame)
{
    World& world = World::GetInstance();
    world.NameLayer("front", 7);
    auto* actor = new Actor();
    world.Add(actor);
    actor->SetLayer("front");
    FrameDriver frames;
    frames.Tick(0.016f);
    EXPECT_EQ(actor->GetLayer(), 7);
}
