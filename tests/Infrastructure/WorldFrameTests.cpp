#include "Infrastructure/GameManager.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "TestUtilities/FrameDriver.h"
#include "TestUtilities/LogCapture.h"
#include "TestUtilities/WindowTest.h"

#include <gtest/gtest.h>

namespace
{
std::vector<String> order;

class OrderManager : public GameManager
{
public:
    void Update(float) override { order.push_back("manager update"); }
};

class OrderListener : public MessageListener
{
public:
    void ReceiveMessage(Message* message) override { order.push_back("message " + message->GetMessageName()); }
};
} // namespace

TEST(WorldFrameTest, FrameTimeIsClampedToOneSecondAndNeverNegative)
{
    World& world = World::GetInstance();
    FrameDriver frames;
    frames.SetTime(10.0);
    world.MeasureFrameTime();
    EXPECT_FLOAT_EQ(world.GetDT(), 1.0f) << "a long stall counts as one second";
    frames.SetTime(10.25);
    world.MeasureFrameTime();
    EXPECT_FLOAT_EQ(world.GetDT(), 0.25f);
    EXPECT_FLOAT_EQ(world.GetCurrentTimeSeconds(), 10.25f);
    frames.SetTime(9.0);
    world.MeasureFrameTime();
    EXPECT_FLOAT_EQ(world.GetDT(), 0.0f) << "a clock going backwards";
}

using WorldLoopTest = WindowTest;

TEST_F(WorldLoopTest, GameStartArrivesAfterTheManagersFirstUpdate)
{
    World& world = World::GetInstance();
    world.SetGameManager(new OrderManager());
    OrderListener listener;
    Switchboard::GetInstance().SubscribeTo(&listener, "GameStart");
    world.SetFrameLimit(1);
    world.StartGame();
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0], "manager update");
    EXPECT_EQ(order[1], "message GameStart");
}

TEST_F(WorldLoopTest, StartGameTwiceRunsOneLoop)
{
    World& world = World::GetInstance();
    world.SetFrameLimit(3);
    world.StartGame();
    world.SetFrameLimit(100);
    world.StartGame();
    EXPECT_EQ(world.GetFramesRun(), 3);
}

TEST(WorldFrameTest, ASecondOrNullGameManagerIsRefused)
{
    World& world = World::GetInstance();
    LogCapture log;
    world.SetGameManager(nullptr);
    EXPECT_EQ(world.GetGameManager(), nullptr);
    auto* first = new OrderManager();
    world.SetGameManager(first);
    OrderManager second;
    world.SetGameManager(&second);
    EXPECT_EQ(world.GetGameManager(), first);
    EXPECT_EQ(log.Count("ERROR: Can only have one game manager!"), 2u);
}

TEST(WorldFrameTest, MessagesFromTheManagersUpdateArriveInTheSameFrame)
{
    class Sender : public GameManager
    {
    public:
        void Update(float) override { Switchboard::GetInstance().Broadcast(new Message("FromManager")); }
    };
    World& world = World::GetInstance();
    world.SetGameManager(new Sender());
    OrderListener listener;
    Switchboard::GetInstance().SubscribeTo(&listener, "FromManager");
    FrameDriver frames;
    frames.Tick(0.016f);
    EXPECT_EQ(order, std::vector<String>{"message FromManager"});
}

TEST(WorldFrameTest, DestroyedManagerReceivesNothingMore)
{
    order.clear();
    auto* manager = new OrderManager();
    Switchboard& board = Switchboard::GetInstance();
    class Listening : public OrderManager
    {
    public:
        void ReceiveMessage(Message*) override { order.push_back("received"); }
    };
    auto* listening = new Listening();
    board.SubscribeTo(listening, "News");
    delete listening;
    delete manager;
    board.Broadcast(new Message("News"));
    board.DeliverQueued();
    EXPECT_TRUE(order.empty());
    EXPECT_TRUE(board.GetSubscribersTo("News").empty());
}
