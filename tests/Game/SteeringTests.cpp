#include "Game/SteeringBehavior.h"
#include "Game/SteeringBoid.h"
#include "TestUtilities/Approx.h"

#include <gtest/gtest.h>

namespace
{
SteeringBehavior_Follow* AddFollow(SteeringBoid& boid, SteeringBoid* target, float strength = 1.0f)
{
    auto* follow = new SteeringBehavior_Follow();
    follow->target = target;
    follow->strength = strength;
    boid.AddBehavior(follow);
    return follow;
}
} // namespace

TEST(SteeringTest, FollowMovesOneUnitPerSecondWhateverTheDistance)
{
    for (float distance : {0.5f, 3.0f, 100.0f})
    {
        SteeringBoid target;
        target.position = Vector2(distance, 0.0f);
        SteeringBoid boid;
        AddFollow(boid, &target);
        boid.Update(0.5f);
        EXPECT_VEC2_NEAR(Vector2(0.5f, 0.0f), boid.position, 1e-5f) << "distance " << distance;
        EXPECT_EQ(Vector2(), boid.velocity) << "no momentum";
    }
}

TEST(SteeringTest, FleeAndFollowOfATargetOnTheOwnerPushAlongX)
{
    SteeringBoid target;
    SteeringBoid boid;
    auto* flee = new SteeringBehavior_Flee();
    flee->target = &target;
    boid.AddBehavior(flee);
    EXPECT_EQ(Vector2(1.0f, 0.0f), flee->GetForce());
    EXPECT_EQ(Vector2(1.0f, 0.0f), AddFollow(boid, &target)->GetForce());
}

TEST(SteeringTest, OutsideItsBoundsABoidSnapsToTheBorderAndIsNudgedInward)
{
    SteeringBoid boid;
    boid.SetBounds(-1.0f, 2.0f, 1.0f, -2.0f);
    boid.position = Vector2(-5.0f, 7.0f);
    boid.Update(1.0f);
    EXPECT_VEC2_NEAR(Vector2(-0.9f, 1.9f), boid.position, 1e-5f);

    boid.position = Vector2(3.0f, -3.0f);
    boid.Update(0.5f);
    EXPECT_VEC2_NEAR(Vector2(0.95f, -1.95f), boid.position, 1e-5f);
}

TEST(SteeringTest, SpeedIsCappedAtMaxSpeed)
{
    SteeringBoid target;
    target.position = Vector2(0.0f, 10.0f);
    SteeringBoid boid;
    boid.maxSpeed = 0.5f;
    AddFollow(boid, &target, 4.0f);
    boid.Update(1.0f);
    EXPECT_VEC2_NEAR(Vector2(0.0f, 0.5f), boid.position, 1e-5f);
}

TEST(SteeringTest, ADisabledWanderNeitherAgesNorTurns)
{
    SteeringBoid boid;
    auto* wander = new SteeringBehavior_Wander(1.0f, 0.1f);
    boid.AddBehavior(wander);
    wander->enabled = false;
    const Vector2 heading = wander->heading;
    for (int i = 0; i < 10; ++i)
        boid.Update(0.05f);
    EXPECT_EQ(heading, wander->heading);
    EXPECT_EQ(0.0f, wander->timer);
    EXPECT_EQ(Vector2(), boid.position);
    EXPECT_NEAR(1.0f, wander->heading.Length(), 1e-5f);
}

TEST(SteeringTest, NeighboursOnTheSameSpotCountForGroupButNotForAvoid)
{
    SteeringBoid a, b, c;
    c.position = Vector2(2.0f, 0.0f);
    for (SteeringBoid* boid : {&a, &b, &c})
        boid->neighbors = {&a, &b, &c};
    auto* group = new SteeringBehavior_Group();
    auto* avoid = new SteeringBehavior_Avoid();
    a.AddBehavior(group);
    a.AddBehavior(avoid);
    // Centre of b (0, 0) and c (2, 0) is (1, 0); a tenth of the way there.
    EXPECT_VEC2_NEAR(Vector2(0.1f, 0.0f), group->GetForce(), 1e-6f);
    EXPECT_EQ(Vector2(), avoid->GetForce()) << "c is 2 away, b adds a zero offset";

    c.position = Vector2(1.0f, 0.0f);
    EXPECT_VEC2_NEAR(Vector2(-1.0f, 0.0f), avoid->GetForce(), 1e-6f);
}

TEST(SteeringTest, MatchVelocityPullsTowardTheNeighboursMeanVelocity)
{
    SteeringBoid player, boid;
    player.velocity = Vector2(1.0f, 0.0f);
    player.position = Vector2(4.9f, 0.0f);
    boid.neighbors = {&player, &boid};
    auto* match = new SteeringBehavior_MatchVelocity();
    boid.AddBehavior(match);
    EXPECT_VEC2_NEAR(Vector2(0.1f, 0.0f), match->GetForce(), 1e-6f);
    player.position = Vector2(5.1f, 0.0f);
    EXPECT_EQ(Vector2(), match->GetForce()) << "out of range";
}
