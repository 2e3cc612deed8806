#include "PhysicsTestScene.h"

#include "TestUtilities/Approx.h"
#include "TestUtilities/FrameDriver.h"
#include "TestUtilities/LogCapture.h"

#include <box2d/box2d.h>
#include <gtest/gtest.h>

namespace
{
int BodyCount() { return Physics().GetLibraryWorld()->GetBodyCount(); }
} // namespace

TEST(PhysicsActorInit, BeforeSetupLogsAndLeavesNoBody)
{
    LogCapture log;
    PhysicsActor actor;
    actor.SetPosition(1.0f, 2.0f);
    actor.InitPhysics();
    EXPECT_TRUE(log.Contains("ERROR: World physics must be initialized before Actor's."));
    EXPECT_FALSE(actor.HasBody());

    actor.ApplyForce(Vector2(100.0f, 0.0f), Vector2(0.0f, 1.0f));
    actor.ApplyLocalForce(Vector2(100.0f, 0.0f), Vector2(0.0f, 0.0f));
    actor.ApplyTorque(50.0f);
    actor.ApplyImpulse(Vector2(0.0f, 100.0f), Vector2(0.0f, 0.0f));
    World::GetInstance().SetupPhysics();
    Physics().Advance(0.5f);
    EXPECT_VEC2_NEAR(Vector2(1.0f, 2.0f), actor.GetPosition(), 0.0f);
    EXPECT_EQ(actor.GetRotation(), 0.0f);
    EXPECT_EQ(BodyCount(), 0);
}

TEST(PhysicsActorInit, SecondInitIsRefused)
{
    World::GetInstance().SetupPhysics();
    auto actor = MakeBody("Once", Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f));
    LogCapture log;
    actor->InitPhysics();
    EXPECT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.Count("WARNING: InitPhysics() had no effect - this actor's physics are already initialized."), 1u);
    EXPECT_EQ(BodyCount(), 1);
    actor.reset();
    EXPECT_EQ(BodyCount(), 0);
}

TEST(PhysicsActorInit, BadShapesAreRefused)
{
    World::GetInstance().SetupPhysics();
    LogCapture log;
    PhysicsActor odd;
    odd.SetShapeType(static_cast<PhysicsActor::eShapeType>(7));
    odd.InitPhysics();
    EXPECT_TRUE(log.Contains("ERROR: Invalid shape type given."));

    PhysicsActor flat;
    flat.SetSize(0.0f, 1.0f);
    flat.InitPhysics();
    EXPECT_TRUE(log.Contains("ERROR: InitPhysics() needs a size greater than zero."));
    EXPECT_FALSE(odd.HasBody());
    EXPECT_FALSE(flat.HasBody());
    EXPECT_EQ(BodyCount(), 0);
}

// The shape hook sees the definition first, CustomInitPhysics sees the finished body.
class HookedActor : public PhysicsActor
{
public:
    void CustomInitPhysics() override { bodyExistedInCustomInit = HasBody(); }
    bool bodyExistedInCustomInit = false;

protected:
    void InitShape(PhysicsShapeDef& shapeDef) override
    {
        EXPECT_EQ(shapeDef.shapeType, SHAPETYPE_CIRCLE);
        EXPECT_NEAR(shapeDef.radius, 1.5f, 1e-6f);
        EXPECT_NEAR(shapeDef.friction, 0.3f, 1e-6f);
        shapeDef.density = 0.0f;
    }
};

TEST(PhysicsActorInit, ShapeHookChangesTheBody)
{
    World::GetInstance().SetupPhysics();
    HookedActor actor;
    actor.SetShapeType(PhysicsActor::SHAPETYPE_CIRCLE);
    actor.SetSize(3.0f);
    actor.InitPhysics();
    EXPECT_TRUE(actor.bodyExistedInCustomInit);
    // The hook made it static: gravity leaves it where it was.
    Physics().Advance(1.0f);
    EXPECT_VEC2_NEAR(Vector2(0.0f, 0.0f), actor.GetPosition(), 0.0f);
}

TEST(PhysicsActorMotion, BodyDrivesTheActor)
{
    World::GetInstance().SetupPhysics(Vector2(0.0f, -10.0f));
    auto falling = MakeBody("Falling", Vector2(3.0f, 5.0f), Vector2(1.0f, 1.0f));
    Physics().SetMaxStepsPerFrame(30);
    Physics().Advance(0.5f);
    EXPECT_NEAR(falling->GetPosition().X, 3.0f, 1e-5f);
    // Semi-implicit Euler over 30 steps: a little more than g t^2 / 2.
    EXPECT_NEAR(falling->GetPosition().Y, 5.0f - 0.5f * 10.0f * 0.25f, 0.1f);
}

TEST(PhysicsActorMotion, StaticBodyIgnoresGravityAndForces)
{
    World::GetInstance().SetupPhysics(Vector2(0.0f, -10.0f));
    auto rock = MakeBody("Rock", Vector2(1.0f, 1.0f), Vector2(2.0f, 1.0f), 0.0f);
    rock->ApplyForce(Vector2(500.0f, 500.0f), Vector2(1.0f, 0.0f));
    rock->ApplyLocalForce(Vector2(500.0f, 0.0f), Vector2(0.0f, 0.0f));
    rock->ApplyTorque(500.0f);
    rock->ApplyImpulse(Vector2(0.0f, 500.0f), Vector2(0.0f, 0.0f));
    Physics().Advance(1.0f);
    EXPECT_VEC2_NEAR(Vector2(1.0f, 1.0f), rock->GetPosition(), 0.0f);
    EXPECT_EQ(rock->GetRotation(), 0.0f);
}

TEST(PhysicsActorMotion, RotationIsShownWithinHalfATurn)
{
    World::GetInstance().SetupPhysics();
    auto turned = std::make_unique<PhysicsActor>();
    turned->SetRotation(190.0f);
    turned->SetDensity(0.0f);
    turned->InitPhysics();
    auto back = std::make_unique<PhysicsActor>();
    back->SetRotation(-550.0f);
    back->SetDensity(0.0f);
    back->InitPhysics();
    Physics().Advance(0.0f);
    EXPECT_NEAR(turned->GetRotation(), -170.0f, 1e-3f);
    EXPECT_NEAR(back->GetRotation(), 170.0f, 1e-3f);
}

TEST(PhysicsActorMotion, ForcesAndImpulsesAct)
{
    World::GetInstance().SetupPhysics(Vector2(0.0f, 0.0f));
    // Unit boxes of density 1 weigh 1.
    auto pushed = MakeBody("Pushed", Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f));
    auto kicked = MakeBody("Kicked", Vector2(0.0f, 10.0f), Vector2(1.0f, 1.0f));
    auto spun = MakeBody("Spun", Vector2(0.0f, 20.0f), Vector2(1.0f, 1.0f));
    auto local = std::make_unique<PhysicsActor>();
    local->SetPosition(0.0f, 30.0f);
    local->SetRotation(90.0f);
    local->InitPhysics();

    // A push above the centre both moves the box and turns it clockwise.
    pushed->ApplyForce(Vector2(60.0f, 0.0f), Vector2(0.0f, 0.5f));
    kicked->ApplyImpulse(Vector2(2.0f, 0.0f), Vector2(0.0f, 0.0f));
    spun->ApplyTorque(60.0f);
    local->ApplyLocalForce(Vector2(60.0f, 0.0f), Vector2(0.0f, 0.0f));
    Physics().Advance(PhysicsWorld::StepSeconds);

    EXPECT_NEAR(pushed->GetPosition().X, 60.0f / 3600.0f, 1e-4f);
    EXPECT_LT(pushed->GetRotation(), 0.0f);
    EXPECT_NEAR(kicked->GetPosition().X, 2.0f / 60.0f, 1e-4f);
    EXPECT_GT(spun->GetRotation(), 0.0f);
    EXPECT_NEAR(spun->GetPosition().X, 0.0f, 1e-6f);
    // Along the box's own x axis, which points up.
    EXPECT_NEAR(local->GetPosition().X, 0.0f, 1e-4f);
    EXPECT_NEAR(local->GetPosition().Y, 30.0f + 60.0f / 3600.0f, 1e-4f);
}

TEST(PhysicsActorMotion, FixedRotationAndGroupsAreHonoured)
{
    World::GetInstance().SetupPhysics(Vector2(0.0f, 0.0f));
    auto steady = std::make_unique<PhysicsActor>();
    steady->SetFixedRotation(true);
    steady->InitPhysics();
    steady->ApplyTorque(100.0f);

    // Overlapping shapes of one negative group never collide.
    auto ghostA = std::make_unique<PhysicsActor>();
    auto ghostB = std::make_unique<PhysicsActor>();
    for (PhysicsActor* ghost : {ghostA.get(), ghostB.get()})
    {
        ghost->SetPosition(10.0f, 0.0f);
        ghost->SetGroupIndex(-3);
        ghost->InitPhysics();
    }
    Physics().Advance(0.5f);
    EXPECT_EQ(steady->GetRotation(), 0.0f);
    EXPECT_EQ(Physics().GetContactPointCount(), 0);
    EXPECT_VEC2_NEAR(Vector2(10.0f, 0.0f), ghostA->GetPosition(), 1e-6f);
}

TEST(PhysicsActorSetters, WarnAfterInitAndChangeNothing)
{
    World::GetInstance().SetupPhysics(Vector2(0.0f, 0.0f));
    auto actor = MakeBody("Frozen", Vector2(2.0f, 3.0f), Vector2(1.0f, 2.0f));
    LogCapture log;
    actor->SetDensity(5.0f);
    actor->SetFriction(0.9f);
    actor->SetRestitution(0.5f);
    actor->SetShapeType(PhysicsActor::SHAPETYPE_CIRCLE);
    actor->SetIsSensor(true);
    actor->SetGroupIndex(4);
    actor->SetFixedRotation(true);
    actor->SetSize(4.0f, 4.0f);
    actor->SetSize(Vector2(4.0f, 4.0f));
    actor->SetPosition(9.0f, 9.0f);
    actor->SetPosition(Vector2(9.0f, 9.0f));
    actor->SetRotation(45.0f);

    const char* const operations[] = {"SetDensity",  "SetFriction",   "SetRestitution",  "SetShapeType",
                                      "SetIsSensor", "SetGroupIndex", "SetFixedRotation"};
    for (const char* operation : operations)
        EXPECT_EQ(log.Count(String("WARNING: ") + operation +
                            "() had no effect - don't change this actor after physics have been initialized."),
                  1u)
            << operation;
    const String suffix = "() had no effect - don't change this actor after physics have been initialized.";
    EXPECT_EQ(log.Count("WARNING: SetSize" + suffix), 2u);
    EXPECT_EQ(log.Count("WARNING: SetPosition" + suffix), 2u);
    EXPECT_EQ(log.Count("WARNING: SetRotation" + suffix), 1u);
    EXPECT_EQ(log.lines.size(), 12u);

    EXPECT_EQ(actor->GetDensity(), 1.0f);
    EXPECT_EQ(actor->GetShapeType(), PhysicsActor::SHAPETYPE_BOX);
    EXPECT_FALSE(actor->IsSensor());
    EXPECT_VEC2_NEAR(Vector2(1.0f, 2.0f), actor->GetSize(), 0.0f);
    EXPECT_VEC2_NEAR(Vector2(2.0f, 3.0f), actor->GetPosition(), 0.0f);
    EXPECT_EQ(actor->GetRotation(), 0.0f);
    Physics().Advance(0.1f);
    EXPECT_VEC2_NEAR(Vector2(2.0f, 3.0f), actor->GetPosition(), 1e-6f);

    // The drawn size may change at any time, silently, and leaves the body alone.
    actor->SetDrawSize(3.0f, 0.5f);
    EXPECT_VEC2_NEAR(Vector2(3.0f, 0.5f), actor->GetSize(), 0.0f);
    EXPECT_EQ(log.lines.size(), 12u);
    auto probe = MakeBody("Probe", Vector2(3.2f, 3.0f), Vector2(1.0f, 1.0f));
    Physics().Advance(PhysicsWorld::StepSeconds);
    EXPECT_EQ(Physics().GetContactPointCount(), 0);
}

TEST(PhysicsActorVelocity, GivenBeforeTheBodyItStartsWithThemAndAfterItChangesAtOnce)
{
    World::GetInstance().SetupPhysics(Vector2(0.0f, 0.0f));
    PhysicsActor ball;
    ball.SetShapeType(PhysicsActor::SHAPETYPE_CIRCLE);
    ball.SetLinearVelocity(Vector2(6.0f, 0.0f));
    ball.SetAngularVelocity(90.0f);
    EXPECT_VEC2_NEAR(Vector2(6.0f, 0.0f), ball.GetLinearVelocity(), 0.0f);
    ball.InitPhysics();
    Physics().Advance(0.5f);
    EXPECT_NEAR(ball.GetPosition().X, 6.0f * 5.0f / 60.0f, 1e-4f) << "five steps of 1/60 s at 6 units/s";
    EXPECT_NEAR(ball.GetRotation(), 90.0f * 5.0f / 60.0f, 1e-3f);
    EXPECT_NEAR(ball.GetAngularVelocity(), 90.0f, 1e-3f);

    ball.SetLinearVelocity(Vector2(0.0f, -3.0f));
    EXPECT_VEC2_NEAR(Vector2(0.0f, -3.0f), ball.GetLinearVelocity(), 1e-6f);
    LogCapture log;
    ball.SetLinearVelocity(Vector2(std::nanf(""), 0.0f));
    EXPECT_TRUE(log.Contains("WARNING: SetLinearVelocity() had no effect - the velocity is not a finite number."));
    EXPECT_VEC2_NEAR(Vector2(0.0f, -3.0f), ball.GetLinearVelocity(), 1e-6f);
}

TEST(PhysicsActorBodyType, KinematicBodiesMoveByVelocityAloneAndPushDynamicOnes)
{
    World::GetInstance().SetupPhysics(Vector2(0.0f, -10.0f));
    PhysicsActor paddle;
    paddle.SetSize(4.0f, 0.5f);
    EXPECT_EQ(paddle.GetBodyType(), PhysicsActor::BODYTYPE_DYNAMIC);
    paddle.SetDensity(0.0f);
    EXPECT_EQ(paddle.GetBodyType(), PhysicsActor::BODYTYPE_STATIC) << "density 0 still means static";
    paddle.SetBodyType(PhysicsActor::BODYTYPE_KINEMATIC);
    paddle.InitPhysics();
    paddle.SetLinearVelocity(Vector2(0.0f, 2.0f));
    auto box = MakeBody("Box", Vector2(0.0f, 0.76f), Vector2(1.0f, 1.0f));
    for (int step = 0; step < 60; ++step)
        Physics().Advance(PhysicsWorld::StepSeconds);
    EXPECT_EQ(paddle.GetBodyType(), PhysicsActor::BODYTYPE_KINEMATIC);
    EXPECT_NEAR(paddle.GetPosition().Y, 2.0f, 1e-3f) << "neither gravity nor the box's weight slow it";
    EXPECT_GT(box->GetPosition().Y, 2.5f) << "the box rode up on it";

    // Changed on a live body: made dynamic, it falls.
    paddle.SetBodyType(PhysicsActor::BODYTYPE_DYNAMIC);
    EXPECT_EQ(paddle.GetBodyType(), PhysicsActor::BODYTYPE_DYNAMIC);
    LogCapture log;
    paddle.SetBodyType(static_cast<PhysicsActor::eBodyType>(7));
    EXPECT_EQ(paddle.GetBodyType(), PhysicsActor::BODYTYPE_DYNAMIC);
    EXPECT_EQ(log.lines.size(), 1u);

    // A static body keeps still whatever velocity it is given.
    auto wall = MakeBody("Wall", Vector2(10.0f, 0.0f), Vector2(1.0f, 5.0f), 0.0f);
    wall->SetLinearVelocity(Vector2(5.0f, 0.0f));
    Physics().Advance(0.5f);
    EXPECT_VEC2_NEAR(Vector2(10.0f, 0.0f), wall->GetPosition(), 0.0f);
}

TEST(PhysicsActorBody, RemovedBodyLeavesTheActorWhereItWasAndCanBeMadeAgain)
{
    World::GetInstance().SetupPhysics(Vector2(0.0f, -10.0f));
    auto ground = MakeBody("Ground", Vector2(0.0f, -0.5f), Vector2(10.0f, 1.0f), 0.0f);
    auto brick = MakeBody("Brick", Vector2(0.0f, 3.0f), Vector2(1.0f, 1.0f));
    CollisionRecorder recorder;
    recorder.Listen("CollisionWithGround");
    FrameDriver frames;
    for (int frame = 0; frame < 60; ++frame)
        frames.Tick(1.0f / 60.0f);
    ASSERT_GT(recorder.Count("CollisionWithGround"), 0u);
    const Vector2 rested = brick->GetPosition();

    brick->RemoveBody();
    EXPECT_FALSE(brick->HasBody());
    EXPECT_EQ(Physics().GetLibraryWorld()->GetBodyCount(), 1);
    // The collision queued in the last frame still names it: it is there to be told of
    // (a brick that was hit, fading out).
    recorder.received.clear();
    Switchboard::GetInstance().DeliverQueued();
    ASSERT_EQ(recorder.received.size(), 1u);
    EXPECT_TRUE(recorder.received[0].point.actorA == brick.get() || recorder.received[0].point.actorB == brick.get());
    frames.Tick(0.5f);
    EXPECT_VEC2_NEAR(rested, brick->GetPosition(), 0.0f);

    // Setters work again, and a new body starts from there.
    LogCapture log;
    brick->SetPosition(2.0f, 4.0f);
    EXPECT_TRUE(log.lines.empty());
    brick->InitPhysics();
    ASSERT_TRUE(brick->HasBody());
    frames.Tick(0.05f);
    EXPECT_LT(brick->GetPosition().Y, 4.0f);
    brick->RemoveBody();
    brick->RemoveBody();
}
