#include "PhysicsTestScene.h"

#include "TestUtilities/WindowTest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>

namespace
{
bool HaveDisplay()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return false;
    // As WindowTest does: the X extension modules the window library unloads at shutdown
    // would otherwise leave records the leak checker can't name or suppress.
    for (const char* module : {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "libXinerama.so.1", "libXxf86vm.so.1",
                               "libXrandr.so.2", "libXcursor.so.1", "libXi.so.6", "libXext.so.6"})
        dlopen(module, RTLD_NOW | RTLD_NODELETE);
    return true;
}
} // namespace

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

TEST(PhysicsDebugDrawLifetime, DestroyDeletesTheRenderer)
{
    if (!HaveDisplay())
        GTEST_SKIP() << "no display";
    World& world = World::GetInstance();
    ASSERT_TRUE(world.Initialize("QVRN test", false));
    ASSERT_TRUE(world.SetupPhysics());
    EXPECT_TRUE(Physics().HasDebugDraw());
    world.Destroy();
    EXPECT_FALSE(Physics().HasDebugDraw());
    Physics().SetDebugDrawFlags(PhysicsWorld::DDF_Shapes);
    EXPECT_EQ(Physics().GetDebugDrawFlags(), 0u);
}
