#include "Actors/Actor.h"
#include "Infrastructure/Camera.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "Platform/ScreenMath.h"
#include "TestUtilities/Approx.h"
#include "TestUtilities/WindowTest.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
class ChangeCounter : public MessageListener
{
public:
    ChangeCounter() { Switchboard::GetInstance().SubscribeTo(this, "CameraChange"); }
    void ReceiveMessage(Message*) override { ++count; }
    int Drain()
    {
        count = 0;
        Switchboard::GetInstance().DeliverQueued();
        return count;
    }
    int count = 0;
};

using CameraTest = WindowTest;
} // namespace

TEST_F(CameraTest, DefaultViewShowsTwentyUnitsHighCentredOnTheOrigin)
{
    Camera& camera = Camera::GetInstance();
    EXPECT_EQ(camera.GetWindowWidth(), 1024);
    EXPECT_EQ(camera.GetWindowHeight(), 768);
    EXPECT_NEAR(camera.GetViewRadius(), 10.0f, 1e-4f);
    EXPECT_VEC2_NEAR(Vector2(26.6667f, 20.0f), MathKit::GetVisibleWorldSize(), 1e-3f);
    EXPECT_VEC2_NEAR(Vector2(0.0f, 0.0f), MathKit::ScreenPointToWorld(512, 384), 1e-4f);
    EXPECT_VEC2_NEAR(Vector2(13.3333f, 10.0f), camera.GetWorldMaxVertex(), 1e-3f);
    EXPECT_VEC2_NEAR(Vector2(-13.3333f, -10.0f), camera.GetWorldMinVertex(), 1e-3f);
    EXPECT_NEAR(MathKit::PixelLengthToWorld(1024.0f), 26.6667f, 1e-3f);
}

TEST_F(CameraTest, ScreenAndWorldConversionsFollowTheCamera)
{
    Camera& camera = Camera::GetInstance();
    camera.SetPosition(5.0f, -2.0f);
    EXPECT_FLOAT_EQ(camera.GetZ(), 10.0f) << "the two-component form keeps z";
    EXPECT_VEC2_NEAR(Vector2(5.0f, -2.0f), MathKit::ScreenPointToWorld(512, 384), 1e-4f);
    const Vector2 screen = MathKit::WorldPointToScreen(Vector2(6.0f, 0.0f));
    EXPECT_VEC2_NEAR(MathKit::ScreenPointToWorld(static_cast<int>(screen.X), static_cast<int>(screen.Y)),
                     Vector2(6.0f, 0.0f), 0.05f);
}

TEST_F(CameraTest, ChangesAreAnnouncedButViewRadiusZoomIsSilent)
{
    Camera& camera = Camera::GetInstance();
    ChangeCounter changes;
    changes.Drain();

    camera.SetZByViewRadius(5.0f);
    EXPECT_NEAR(camera.GetZ(), 5.0f, 1e-4f);
    EXPECT_EQ(changes.Drain(), 0);

    Camera::ResizeCallback(1024, 768);
    EXPECT_EQ(changes.Drain(), 1) << "same size still re-applies and announces";
    camera.SetNearClipDist(0.5f);
    EXPECT_EQ(changes.Drain(), 1);
    camera.SetFarClipDist(50.0f);
    EXPECT_EQ(changes.Drain(), 1);
    camera.SetPosition(Vector3(1.0f, 2.0f, 3.0f));
    camera.SetViewCenter(0.0f, 0.0f, -1.0f);
    EXPECT_EQ(changes.Drain(), 2);

    camera.Reset();
    EXPECT_EQ(changes.Drain(), 0);
    EXPECT_FLOAT_EQ(camera.GetZ(), 10.0f);
    EXPECT_FLOAT_EQ(camera.GetNearClipDist(), 0.001f);
}

TEST_F(CameraTest, ColouredActorAtTheCentreIsDrawnThere)
{
    World& world = World::GetInstance();
    world.SetBackgroundColor(Color(0.0f, 0.0f, 1.0f));
    auto* actor = new Actor();
    actor->SetColor(1.0f, 0.0f, 0.0f);
    actor->SetSize(2.0f);
    world.Add(actor);

    EXPECT_COLOR_NEAR(Color(1.0f, 0.0f, 0.0f), DrawFrameAndReadPixel(512, 384), 0.02f);
    // 2 units are about 77 pixels wide; 60 pixels off the centre is background.
    EXPECT_COLOR_NEAR(Color(0.0f, 0.0f, 1.0f), DrawFrameAndReadPixel(512 + 60, 384), 0.02f);

    // Moving the camera right moves the actor left on screen.
    Camera::GetInstance().SetPosition(1.0f, 0.0f);
    EXPECT_COLOR_NEAR(Color(0.0f, 0.0f, 1.0f), DrawFrameAndReadPixel(512 + 30, 384), 0.02f);
    EXPECT_COLOR_NEAR(Color(1.0f, 0.0f, 0.0f), DrawFrameAndReadPixel(512 - 60, 384), 0.02f);
}

TEST_F(CameraTest, LowerLayersAreDrawnFirst)
{
    World& world = World::GetInstance();
    auto* front = new Actor();
    front->SetColor(0.0f, 1.0f, 0.0f);
    auto* back = new Actor();
    back->SetColor(1.0f, 0.0f, 0.0f);
    world.Add(front, 0);
    world.Add(back, -1);
    EXPECT_COLOR_NEAR(Color(0.0f, 1.0f, 0.0f), DrawFrameAndReadPixel(512, 384), 0.02f);
}

TEST_F(CameraTest, ResetBringsTheConvertedPositionBackToTheOrigin)
{
    Camera& camera = Camera::GetInstance();
    camera.SetPosition(5.0f, -2.0f, 20.0f);
    camera.Reset();
    EXPECT_VEC2_NEAR(Vector2(0.0f, 0.0f), camera.GetPosition(), 1e-6f);
    EXPECT_VEC2_NEAR(Vector2(0.0f, 0.0f), MathKit::ScreenPointToWorld(512, 384), 1e-4f);
    EXPECT_VEC2_NEAR(Vector2(512.0f, 384.0f), MathKit::WorldPointToScreen(Vector2(0.0f, 0.0f)), 1e-2f);
}

// No window at all: the camera knows a 0 x 0 window, as a minimised one reports.
TEST(CameraWithoutWindow, ConversionsStayFiniteForAnEmptyWindow)
{
    ASSERT_EQ(Camera::GetInstance().GetWindowWidth(), 0);
    const Vector2 visible = MathKit::GetVisibleWorldSize();
    EXPECT_TRUE(std::isfinite(visible.X) && std::isfinite(visible.Y));
    EXPECT_VEC2_NEAR(Vector2(0.0f, 0.0f), MathKit::ScreenPointToWorld(100, 100), 1e-6f);
    EXPECT_VEC2_NEAR(Vector2(0.0f, 0.0f), MathKit::WorldPointToScreen(Vector2(3.0f, 4.0f)), 1e-6f);
    EXPECT_EQ(MathKit::PixelLengthToWorld(10.0f), 0.0f);
}
