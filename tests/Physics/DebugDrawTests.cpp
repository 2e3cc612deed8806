#include "PhysicsTestScene.h"

#include "TestUtilities/WindowTest.h"

#include <gtest/gtest.h>

using PhysicsDebugDraw = WindowTest;

TEST_F(PhysicsDebugDraw, DrawsShapesOnlyWhenFlagged)
{
    World& world = World::GetInstance();
    ASSERT_TRUE(world.SetupPhysics());
    auto block = MakeBody("Block", Vector2(0.0f, 0.0f), Vector2(4.0f, 4.0f), 0.0f);

    // No flags: the block isn't in a layer, so nothing covers the white background.
    Color pixel = DrawFrameAndReadPixel(512, 384);
    EXPECT_EQ(pixel, Color(1.0f, 1.0f, 1.0f, 1.0f));

    // Static shapes are filled in a see-through green.
    Physics().SetDebugDrawFlags(PhysicsWorld::DDF_Shapes);
    pixel = DrawFrameAndReadPixel(512, 384);
    EXPECT_LT(pixel.R, 0.9f);
    EXPECT_GT(pixel.G, pixel.R);
}

TEST_F(PhysicsDebugDraw, DestroyDeletesTheRenderer)
{
    World& world = World::GetInstance();
    ASSERT_TRUE(world.SetupPhysics());
    EXPECT_TRUE(Physics().HasDebugDraw());
    DestroyWorld();
    EXPECT_FALSE(Physics().HasDebugDraw());
    Physics().SetDebugDrawFlags(PhysicsWorld::DDF_Shapes);
    EXPECT_EQ(Physics().GetDebugDrawFlags(), 0u);
}
