#include "PhysicsTestScene.h"

#include "TestUtilities/Approx.h"
#include "TestUtilities/FrameDriver.h"
#include "TestUtilities/LogCapture.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

TEST(PhysicsWorldSetup, SecondSetupChangesNothing)
{
    World& world = World::GetInstance();
    EXPECT_FALSE(world.IsPhysicsSetUp());
    ASSERT_TRUE(world.SetupPhysics(Vector2(0.0f, -3.0f)));
    PhysicsWorld* first = PhysicsWorld::Find();
    EXPECT_TRUE(first->HasDebugDraw());
    EXPECT_EQ(first->GetDebugDrawFlags(), 0u);

    EXPECT_FALSE(world.SetupPhysics(Vector2(0.0f, 5.0f)));
    EXPECT_EQ(PhysicsWorld::Find(), first);
    EXPECT_VEC2_NEAR(Vector2(0.0f, -3.0f), first->GetGravity(), 1e-6f);
}

TEST(PhysicsWorldStepping, AccumulatorCarriesTheRemainder)
{
    World::GetInstance().SetupPhysics();
    FrameDriver frames;

    frames.Tick(0.04f);
    EXPECT_EQ(Physics().GetStepsLastFrame(), 2);
    EXPECT_NEAR(Physics().GetAccumulator(), 0.04f - 2.0f / 60.0f, 1e-5f);

    // 0.00667 carried + 0.005 is still short of a step.
    frames.Tick(0.005f);
    EXPECT_EQ(Physics().GetStepsLastFrame(), 0);
    EXPECT_NEAR(Physics().GetAccumulator(), 0.045f - 2.0f / 60.0f, 1e-5f);
}

TEST(PhysicsWorldStepping, ShortFrameRunsNoStep)
{
    World::GetInstance().SetupPhysics();
    Physics().Advance(0.01f);
    EXPECT_EQ(Physics().GetStepsLastFrame(), 0);
    EXPECT_NEAR(Physics().GetAccumulator(), 0.01f, 1e-7f);
}

TEST(PhysicsWorldStepping, LongFramesAreCappedAtOneSecond)
{
    World::GetInstance().SetupPhysics();
    Physics().SetMaxStepsPerFrame(PhysicsWorld::MaxStepsPerFrame);
    Physics().Advance(0.0166f);
    Physics().Advance(1.0f);
    EXPECT_LE(Physics().GetStepsLastFrame(), PhysicsWorld::MaxStepsPerFrame);
    EXPECT_GE(Physics().GetStepsLastFrame(), PhysicsWorld::MaxStepsPerFrame - 1);
    Physics().Advance(5.0f);
    EXPECT_EQ(Physics().GetStepsLastFrame(), PhysicsWorld::MaxStepsPerFrame);
    EXPECT_GE(Physics().GetAccumulator(), 0.0f);
    EXPECT_LT(Physics().GetAccumulator(), PhysicsWorld::StepSeconds);
}

TEST(PhysicsWorldStepping, SlowFramesDropTimeBeyondTheCatchUpCap)
{
    World::GetInstance().SetupPhysics();
    EXPECT_EQ(Physics().GetMaxStepsPerFrame(), PhysicsWorld::DefaultMaxStepsPerFrame);
    // A frame of a quarter second owes 15 steps; the default cap runs 5 and forgets the rest.
    Physics().Advance(0.25f);
    EXPECT_EQ(Physics().GetStepsLastFrame(), PhysicsWorld::DefaultMaxStepsPerFrame);
    EXPECT_LT(Physics().GetAccumulator(), PhysicsWorld::StepSeconds);
    Physics().Advance(PhysicsWorld::StepSeconds);
    EXPECT_EQ(Physics().GetStepsLastFrame(), 1) << "nothing owed is carried";

    Physics().SetMaxStepsPerFrame(2);
    Physics().Advance(0.25f);
    EXPECT_EQ(Physics().GetStepsLastFrame(), 2);
    Physics().SetMaxStepsPerFrame(0);
    EXPECT_EQ(Physics().GetMaxStepsPerFrame(), 1);
    Physics().SetMaxStepsPerFrame(1000);
    EXPECT_EQ(Physics().GetMaxStepsPerFrame(), PhysicsWorld::MaxStepsPerFrame);
}

TEST(PhysicsWorldStepping, SolverPassesAreSettableWithinBounds)
{
    World::GetInstance().SetupPhysics();
    EXPECT_EQ(Physics().GetVelocityIterations(), PhysicsWorld::DefaultVelocityIterations);
    EXPECT_EQ(Physics().GetPositionIterations(), PhysicsWorld::DefaultPositionIterations);
    Physics().SetIterations(0, 1000);
    EXPECT_EQ(Physics().GetVelocityIterations(), 1);
    EXPECT_EQ(Physics().GetPositionIterations(), PhysicsWorld::MaxIterations);
    Physics().SetIterations(8, 3);
    Physics().Advance(PhysicsWorld::StepSeconds);
    EXPECT_EQ(Physics().GetStepsLastFrame(), 1);
}

TEST(PhysicsWorldStepping, BadFrameTimesDoNotStopTheSimulation)
{
    World::GetInstance().SetupPhysics();
    Physics().SetMaxStepsPerFrame(PhysicsWorld::MaxStepsPerFrame);
    Physics().Advance(std::nanf(""));
    EXPECT_EQ(Physics().GetStepsLastFrame(), 0);
    // Counts as the longest frame, a second.
    Physics().Advance(std::numeric_limits<float>::infinity());
    EXPECT_GE(Physics().GetStepsLastFrame(), PhysicsWorld::MaxStepsPerFrame - 1);
    Physics().Advance(-1.0f);
    EXPECT_EQ(Physics().GetStepsLastFrame(), 0);
    EXPECT_GE(Physics().GetAccumulator(), 0.0f);
    EXPECT_LT(Physics().GetAccumulator(), PhysicsWorld::StepSeconds);
    Physics().Advance(PhysicsWorld::StepSeconds);
    EXPECT_GE(Physics().GetStepsLastFrame(), 1);
}

// A box resting on the ground touches it at two points in every sub-step.
class CollisionMessages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        World::GetInstance().SetupPhysics();
        ground = MakeBody("Ground", Vector2(0.0f, -0.5f), Vector2(10.0f, 1.0f), 0.0f);
        box = MakeBody("Box", Vector2(0.0f, 0.49f), Vector2(1.0f, 1.0f));
    }

    FrameDriver frames;
    std::unique_ptr<PhysicsActor> ground;
    std::unique_ptr<PhysicsActor> box;
    CollisionRecorder recorder;
};

TEST_F(CollisionMessages, OneMessagePerReceiverPerFrame)
{
    recorder.Listen("CollisionWithBox");
    recorder.Listen("CollisionWithGround");

    frames.Tick(0.1f);
    EXPECT_EQ(Physics().GetStepsLastFrame(), PhysicsWorld::DefaultMaxStepsPerFrame) << "6 owed, 5 run";
    EXPECT_GE(Physics().GetContactPointCount(), 10);
    EXPECT_TRUE(recorder.received.empty()) << "broadcasts arrive a frame late";

    frames.Tick(0.02f);
    ASSERT_EQ(recorder.Count("CollisionWithBox"), 1u);
    ASSERT_EQ(recorder.Count("CollisionWithGround"), 1u);
    for (const CollisionRecorder::Received& r : recorder.received)
    {
        const MessageListener* other = r.name == "CollisionWithBox" ? static_cast<MessageListener*>(ground.get())
                                                                    : static_cast<MessageListener*>(box.get());
        EXPECT_EQ(r.sender, other);
        EXPECT_TRUE((r.point.actorA == box.get() && r.point.actorB == ground.get()) ||
                    (r.point.actorA == ground.get() && r.point.actorB == box.get()));
        EXPECT_NEAR(r.point.position.Y, 0.0f, 0.05f);
        EXPECT_NEAR(r.point.friction, 0.3f, 1e-6f);
    }

    // Persisting contacts are reported again in the next frame, once more.
    recorder.received.clear();
    frames.Tick(0.02f);
    EXPECT_EQ(recorder.Count("CollisionWithBox"), 1u);
    EXPECT_EQ(recorder.Count("CollisionWithGround"), 1u);
}

TEST_F(CollisionMessages, NoSubscriberNoMessage)
{
    frames.Tick(0.1f);
    EXPECT_GT(Physics().GetContactPointCount(), 0);
    // A message queued without subscribers would reach one that arrives before delivery.
    recorder.Listen("CollisionWithBox");
    recorder.Listen("CollisionWithGround");
    Switchboard::GetInstance().DeliverQueued();
    EXPECT_TRUE(recorder.received.empty());
}

TEST_F(CollisionMessages, ContactPointsTellNewFromPersisting)
{
    Physics().Advance(PhysicsWorld::StepSeconds);
    ASSERT_GT(Physics().GetContactPointCount(), 0);
    EXPECT_TRUE(Physics().GetContactPoints()[0].isNew);
    Physics().Advance(PhysicsWorld::StepSeconds);
    ASSERT_GT(Physics().GetContactPointCount(), 0);
    EXPECT_FALSE(Physics().GetContactPoints()[0].isNew);
}

TEST_F(CollisionMessages, DestroyedActorIsNoLongerReported)
{
    recorder.Listen("CollisionWithGround");
    frames.Tick(0.05f);
    box.reset();
    EXPECT_EQ(Physics().GetLibraryWorld()->GetBodyCount(), 1);
    frames.Tick(0.05f);
    EXPECT_EQ(Physics().GetContactPointCount(), 0);
    recorder.received.clear();
    frames.Tick(0.05f);
    EXPECT_TRUE(recorder.received.empty());
}

TEST_F(CollisionMessages, ActorDestroyedBeforeDeliveryIsNotNamedInThePoint)
{
    recorder.Listen("CollisionWithGround");
    frames.Tick(0.05f);
    box.reset();
    Switchboard::GetInstance().DeliverQueued();
    ASSERT_EQ(recorder.received.size(), 1u);
    const ContactPoint& point = recorder.received[0].point;
    EXPECT_TRUE((point.actorA == ground.get() && point.actorB == nullptr) ||
                (point.actorA == nullptr && point.actorB == ground.get()));
}

TEST(CollisionNames, EmptyNameIsReportedAsCollisionWith)
{
    World::GetInstance().SetupPhysics(Vector2(0.0f, 0.0f));
    auto unnamed = MakeBody("", Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f));
    auto other = MakeBody("Other", Vector2(0.9f, 0.0f), Vector2(1.0f, 1.0f));
    ASSERT_EQ(unnamed->GetName(), "");
    CollisionRecorder recorder;
    recorder.Listen("CollisionWith");
    FrameDriver frames;
    frames.Tick(0.02f);
    frames.Tick(0.02f);
    ASSERT_EQ(recorder.received.size(), 1u);
    EXPECT_EQ(recorder.received[0].sender, other.get());
}

TEST(CollisionSensors, SensorContactsAreReported)
{
    World::GetInstance().SetupPhysics(Vector2(0.0f, 0.0f));
    auto zone = std::make_unique<PhysicsActor>();
    zone->SetName("Zone");
    zone->SetSize(4.0f, 4.0f);
    zone->SetDensity(0.0f);
    zone->SetIsSensor(true);
    zone->InitPhysics();
    // One ball straddles the edge, one lies wholly inside.
    auto edge = MakeBody("Edge", Vector2(2.0f, 0.0f), Vector2(1.0f, 1.0f), 1.0f, PhysicsActor::SHAPETYPE_CIRCLE);
    auto inside = MakeBody("Inside", Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), 1.0f, PhysicsActor::SHAPETYPE_CIRCLE);

    CollisionRecorder recorder;
    recorder.Listen("CollisionWithZone");
    recorder.Listen("CollisionWithInside");
    FrameDriver frames;
    frames.Tick(0.02f);
    frames.Tick(0.02f);
    EXPECT_EQ(recorder.Count("CollisionWithZone"), 2u);
    EXPECT_EQ(recorder.Count("CollisionWithInside"), 1u);
    // Sensors don't push: the balls stay put.
    EXPECT_VEC2_NEAR(Vector2(2.0f, 0.0f), edge->GetPosition(), 1e-4f);
}

TEST(CollisionLimits, PointsBeyondTheArrayAreDropped)
{
    World::GetInstance().SetupPhysics(Vector2(0.0f, -10.0f));
    auto ground = MakeBody("Ground", Vector2(0.0f, -0.5f), Vector2(4000.0f, 1.0f), 0.0f);
    std::vector<std::unique_ptr<PhysicsActor>> boxes;
    for (int i = 0; i < 1100; ++i)
        boxes.push_back(
            MakeBody("Crate", Vector2(-1800.0f + 3.0f * static_cast<float>(i), 0.49f), Vector2(1.0f, 1.0f)));
    CollisionRecorder recorder;
    recorder.Listen("CollisionWithGround");
    for (const auto& box : boxes)
        recorder.Listen("CollisionWith" + box->GetName());

    Physics().Advance(PhysicsWorld::StepSeconds);
    EXPECT_EQ(Physics().GetContactPointCount(), PhysicsWorld::MaxContactPoints);
    Switchboard::GetInstance().DeliverQueued();
    // Each crate touches at two points: only the crates whose points fitted are told,
    // and the ground hears once about each of them.
    const size_t fitted = PhysicsWorld::MaxContactPoints / 2;
    EXPECT_EQ(recorder.Count("CollisionWithGround"), fitted);
    EXPECT_EQ(recorder.received.size(), 2 * fitted);
}

// Actors made during play (a level's crates spawned from an update, a ball from a
// message handler) hear the collisions they subscribed to right after adding themselves.
TEST(CollisionNames, ActorsAddedDuringPlayHearTheirCollisions)
{
    World& world = World::GetInstance();
    world.SetupPhysics(Vector2(0.0f, -10.0f));
    auto ground = MakeBody("Ground", Vector2(0.0f, -0.5f), Vector2(20.0f, 1.0f), 0.0f);
    CollisionRecorder recorder;

    auto spawn = [&world, &recorder](float x)
    {
        auto* crate = new PhysicsActor();
        crate->SetPosition(x, 1.0f);
        world.Add(crate);
        crate->InitPhysics();
        recorder.Listen("CollisionWith" + crate->GetName());
        return crate;
    };
    struct Spawner : Actor
    {
        std::function<PhysicsActor*(float)> spawn;
        bool spawnsInUpdate = true;
        PhysicsActor* made = nullptr;
        void Update(float dt) override
        {
            Actor::Update(dt);
            if (spawnsInUpdate && !made)
                made = spawn(-3.0f);
        }
        void ReceiveMessage(Message*) override { made = spawn(3.0f); }
    };
    auto* fromUpdate = new Spawner();
    fromUpdate->spawn = spawn;
    world.Add(fromUpdate);
    auto* fromMessage = new Spawner();
    fromMessage->spawn = spawn;
    fromMessage->spawnsInUpdate = false;
    Switchboard::GetInstance().SubscribeTo(fromMessage, "NextLevel");
    Switchboard::GetInstance().Broadcast(new Message("NextLevel"));

    FrameDriver frames;
    for (int frame = 0; frame < 90; ++frame)
        frames.Tick(1.0f / 60.0f);
    const String updateName = fromUpdate->made->GetName();
    const String messageName = fromMessage->made->GetName();
    EXPECT_EQ(Actor::GetNamed(updateName), fromUpdate->made);
    EXPECT_EQ(Actor::GetNamed(messageName), fromMessage->made);
    EXPECT_GT(recorder.Count("CollisionWith" + updateName), 0u) << updateName;
    EXPECT_GT(recorder.Count("CollisionWith" + messageName), 0u) << messageName;
}

TEST(PhysicsWorldGravity, ChangedAfterSetUpItWakesRestingBodies)
{
    World::GetInstance().SetupPhysics(Vector2(0.0f, -10.0f));
    auto ground = MakeBody("Ground", Vector2(0.0f, -0.5f), Vector2(10.0f, 1.0f), 0.0f);
    auto box = MakeBody("Box", Vector2(0.0f, 0.5f), Vector2(1.0f, 1.0f));
    for (int step = 0; step < 200; ++step)
        Physics().Advance(PhysicsWorld::StepSeconds);
    const float rested = box->GetPosition().Y;

    Physics().SetGravity(Vector2(0.0f, 10.0f));
    EXPECT_VEC2_NEAR(Vector2(0.0f, 10.0f), Physics().GetGravity(), 0.0f);
    for (int step = 0; step < 30; ++step)
        Physics().Advance(PhysicsWorld::StepSeconds);
    EXPECT_GT(box->GetPosition().Y, rested + 1.0f) << "a sleeping box must notice that down has moved";

    LogCapture log;
    Physics().SetGravity(Vector2(0.0f, std::numeric_limits<float>::infinity()));
    EXPECT_VEC2_NEAR(Vector2(0.0f, 10.0f), Physics().GetGravity(), 0.0f);
    EXPECT_EQ(log.lines.size(), 1u);
}

// A ball dropped from 5 units lands at sqrt(2 g h) = 10 units/s, bounces and leaves.
TEST(CollisionEnds, ATouchTellsHowHardItBeganAndItsEndIsReported)
{
    World::GetInstance().SetupPhysics(Vector2(0.0f, -10.0f));
    auto ground = MakeBody("Ground", Vector2(0.0f, -0.5f), Vector2(10.0f, 1.0f), 0.0f);
    auto ball = std::make_unique<PhysicsActor>();
    ball->SetName("Ball");
    ball->SetShapeType(PhysicsActor::SHAPETYPE_CIRCLE);
    ball->SetRestitution(0.9f);
    ball->SetPosition(0.0f, 5.5f);
    ball->InitPhysics();
    CollisionRecorder recorder;
    recorder.Listen("CollisionWithBall");
    recorder.Listen("CollisionEndWithBall");

    FrameDriver frames;
    for (int frame = 0; frame < 90 && recorder.Count("CollisionEndWithBall") == 0; ++frame)
        frames.Tick(1.0f / 60.0f);
    ASSERT_GE(recorder.received.size(), 2u);
    const CollisionRecorder::Received& hit = recorder.received.front();
    EXPECT_EQ(hit.name, "CollisionWithBall");
    EXPECT_TRUE(hit.point.isNew);
    EXPECT_FALSE(hit.point.ended);
    EXPECT_NEAR(hit.point.approachSpeed, 10.0f, 0.5f) << "measured before the bounce";
    EXPECT_EQ(hit.sender, static_cast<MessageListener*>(ground.get()));

    const CollisionRecorder::Received& end = recorder.received.back();
    EXPECT_EQ(end.name, "CollisionEndWithBall");
    EXPECT_TRUE(end.point.ended);
    EXPECT_FALSE(end.point.isNew);
    EXPECT_EQ(end.sender, static_cast<MessageListener*>(ground.get()));
    EXPECT_NEAR(end.point.position.Y, 0.0f, 0.1f) << "where they last touched";
    EXPECT_EQ(recorder.Count("CollisionEndWithBall"), 1u);
}

TEST(PhysicsQueries, ARayMeetsTheNearestShapeAndABoxFindsWhatOverlapsIt)
{
    World::GetInstance().SetupPhysics(Vector2(0.0f, 0.0f));
    auto near = MakeBody("Near", Vector2(3.0f, 0.0f), Vector2(1.0f, 1.0f), 0.0f);
    auto far = MakeBody("Far", Vector2(6.0f, 0.0f), Vector2(1.0f, 1.0f), 0.0f);
    auto ball = MakeBody("Ball", Vector2(0.0f, 5.0f), Vector2(2.0f, 2.0f), 1.0f, PhysicsActor::SHAPETYPE_CIRCLE);

    PhysicsWorld::RayHit hit;
    ASSERT_TRUE(Physics().RayCast(Vector2(0.0f, 0.0f), Vector2(10.0f, 0.0f), hit));
    EXPECT_EQ(hit.actor, near.get());
    EXPECT_VEC2_NEAR(Vector2(2.5f, 0.0f), hit.point, 1e-4f);
    EXPECT_VEC2_NEAR(Vector2(-1.0f, 0.0f), hit.normal, 1e-4f);
    EXPECT_NEAR(hit.fraction, 0.25f, 1e-4f);
    ASSERT_TRUE(Physics().RayCast(Vector2(10.0f, 0.0f), Vector2(0.0f, 0.0f), hit));
    EXPECT_EQ(hit.actor, far.get());

    PhysicsWorld::RayHit untouched;
    EXPECT_FALSE(Physics().RayCast(Vector2(0.0f, -3.0f), Vector2(10.0f, -3.0f), untouched));
    EXPECT_FALSE(Physics().RayCast(Vector2(1.0f, 1.0f), Vector2(1.0f, 1.0f), untouched)) << "no length";
    EXPECT_FALSE(Physics().RayCast(Vector2(std::nanf(""), 0.0f), Vector2(10.0f, 0.0f), untouched));
    EXPECT_EQ(untouched.actor, nullptr);

    std::vector<PhysicsActor*> found = Physics().QueryBox(Vector2(2.0f, -1.0f), Vector2(7.0f, 1.0f));
    std::sort(found.begin(), found.end());
    std::vector<PhysicsActor*> expected{near.get(), far.get()};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
    // The corner of this box is inside the ball's bounding box but outside the ball.
    EXPECT_TRUE(Physics().QueryBox(Vector2(0.8f, 5.8f), Vector2(2.0f, 7.0f)).empty());
    EXPECT_EQ(Physics().QueryBox(Vector2(1.0f, 6.0f), Vector2(-1.0f, 4.0f)), std::vector<PhysicsActor*>{ball.get()})
        << "corners in either order";
}
