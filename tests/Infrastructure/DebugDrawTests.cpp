#include "Infrastructure/DebugDrawItem.h"
#include "Infrastructure/World.h"
#include "TestUtilities/Approx.h"
#include "TestUtilities/FrameDriver.h"
#include "TestUtilities/WindowTest.h"

#include <gtest/gtest.h>

namespace
{
const std::vector<DebugDrawItem*>& Items() { return World::GetInstance().GetDebugItems(); }

std::vector<float> TimesLeft()
{
    std::vector<float> times;
    for (const DebugDrawItem* item : Items())
        times.push_back(item->timeRemaining);
    return times;
}
} // namespace

TEST(DebugDrawTest, DefaultLineIsRedAndLastsFiveSecondsOfFrameTime)
{
    FrameDriver driver;
    World::GetInstance().DrawDebugLine(Vector2(), Vector2(1.0f, 1.0f));
    ASSERT_EQ(Items().size(), 1u);
    EXPECT_COLOR_NEAR(Color(1.0f, 0.0f, 0.0f, 1.0f), Items()[0]->color, 0.0f);
    for (int i = 0; i < 9; ++i)
        driver.Tick(0.5f);
    ASSERT_EQ(Items().size(), 1u);
    driver.Tick(0.5f);
    EXPECT_TRUE(Items().empty());
}

TEST(DebugDrawTest, PermanentItemsStayWhileLaterOnesAgeAndExpireTogether)
{
    FrameDriver driver;
    World& world = World::GetInstance();
    world.DrawDebugLine(Vector2(), Vector2(1.0f, 0.0f), 0.0f);
    world.DrawDebugLine(Vector2(), Vector2(1.0f, 0.0f), -1.0f);
    world.DrawDebugLine(Vector2(), Vector2(1.0f, 0.0f), 0.5f);
    world.DrawDebugLine(Vector2(), Vector2(1.0f, 0.0f), 0.25f);
    world.DrawDebugLine(Vector2(), Vector2(1.0f, 0.0f), 2.0f);

    driver.Tick(0.0f);
    EXPECT_EQ(TimesLeft(), (std::vector<float>{-1.0f, 0.5f, 0.25f, 2.0f}));
    driver.Tick(0.5f);
    // Two neighbours ran out in one pass.
    EXPECT_EQ(TimesLeft(), (std::vector<float>{-1.0f, 1.5f}));
    EXPECT_TRUE(Items()[0]->permanent);

    world.PurgeDebugDrawing();
    EXPECT_TRUE(Items().empty());
    world.PurgeDebugDrawing();
    EXPECT_TRUE(Items().empty());
}

TEST(DebugDrawTest, ResetWorldPurgesEvenPermanentItems)
{
    World::GetInstance().DrawDebugLine(Vector2(), Vector2(1.0f, 0.0f), -1.0f);
    World::GetInstance().ResetWorld();
    EXPECT_TRUE(Items().empty());
}

using DebugDrawPixelTest = WindowTest;

TEST_F(DebugDrawPixelTest, LineIsDrawnOverTheWorldInItsColour)
{
    FrameDriver driver;
    // A vertical line through the middle of the view, half transparent green over white.
    World::GetInstance().DrawDebugLine(Vector2(0.0f, -5.0f), Vector2(0.0f, 5.0f), 5.0f, Color(0.0f, 1.0f, 0.0f, 0.5f));
    Color found(1.0f, 1.0f, 1.0f);
    for (int x = 510; x <= 514; ++x)
    {
        const Color pixel = DrawFrameAndReadPixel(x, 300);
        if (pixel.R < 0.9f)
            found = Color(pixel.R, pixel.G, pixel.B);
    }
    EXPECT_COLOR_NEAR(Color(0.5f, 1.0f, 0.5f), found, 0.02f);
    const Color beside = DrawFrameAndReadPixel(530, 300);
    EXPECT_COLOR_NEAR(Color(1.0f, 1.0f, 1.0f), Color(beside.R, beside.G, beside.B), 0.0f);
}
