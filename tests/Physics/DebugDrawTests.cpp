#include "PhysicsTestScene.h"

#include "Infrastructure/Camera.h"
#include "Infrastructure/Draw.h"
#include "TestUtilities/WindowTest.h"

#include <gtest/gtest.h>

#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#define IGNORE_LEAKS_BEGIN() __lsan_disable()
#define IGNORE_LEAKS_END() __lsan_enable()
#else
#define IGNORE_LEAKS_BEGIN()
#define IGNORE_LEAKS_END()
#endif

namespace
{
// The software rasteriser's worker threads may still be winding down when the leak
// checker stops the process at exit, which crashes the checker now and then. Rasterising
// on the main thread avoids the race; it must be set before the first window opens.
const bool singleThreadedRasteriser = setenv("LP_NUM_THREADS", "0", 0) == 0;

bool HaveDisplay()
{
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}
} // namespace

using PhysicsDebugDraw = WindowTest;

TEST_F(PhysicsDebugDraw, DrawsShapesOnlyWhenFlagged)
{
    World& world = World::GetInstance();
    ASSERT_TRUE(world.SetupPhysics());
    auto block = MakeBody("Block", Vector2(0.0f, 0.0f), Vector2(4.0f, 4.0f), 0.0f);

    // The GL driver allocates a little on its first draws and never frees it; once the
    // window closes, the driver is unloaded and the leak checker can't tell those
    // allocations from ours. Our own drawing code allocates nothing that outlives a call.
    auto drawCentre = [&]
    {
        IGNORE_LEAKS_BEGIN();
        Draw::BeginFrame();
        world.RunFrame();
        Physics().DrawDebugData();
        const auto pixel = Draw::ReadPixels(Camera::GetInstance().GetWindowWidth() / 2,
                                            Camera::GetInstance().GetWindowHeight() / 2, 1, 1);
        Draw::EndFrame();
        IGNORE_LEAKS_END();
        return pixel;
    };

    // No flags: the block isn't in a layer, so nothing covers the white background.
    auto pixel = drawCentre();
    EXPECT_EQ(pixel[0], 255);
    EXPECT_EQ(pixel[1], 255);

    // Static shapes are filled in a see-through green.
    Physics().SetDebugDrawFlags(PhysicsWorld::DDF_Shapes);
    pixel = drawCentre();
    EXPECT_LT(pixel[0], 230);
    EXPECT_GT(pixel[1], pixel[0]);
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
