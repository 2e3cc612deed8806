#include "Actors/Actor.h"
#include "Messaging/Switchboard.h"
#include "TestUtilities/Approx.h"

#include <gtest/gtest.h>

namespace
{
// Counts the deliveries of the names it subscribed to.
class MessageCounter : public MessageListener
{
public:
    void Listen(const String& name) { Switchboard::GetInstance().SubscribeTo(this, name); }
    void ReceiveMessage(Message* message) override
    {
        received.push_back(message->GetMessageName());
        senders.push_back(message->GetSender());
    }
    // Delivers what was queued and returns how many of those reached this counter.
    size_t Deliver()
    {
        const size_t before = received.size();
        Switchboard::GetInstance().DeliverQueued();
        return received.size() - before;
    }

    StringList received;
    std::vector<MessageListener*> senders;
};

// Steps the actor in frames of 0.5 s and returns the x position after each, with the
// number of completion messages each frame sent.
std::vector<std::pair<float, size_t>> MoveInHalfSeconds(bool smooth)
{
    Actor actor;
    MessageCounter counter;
    counter.Listen("Arrived");
    actor.MoveTo(Vector2(10.0f, 0.0f), 2.0f, smooth, "Arrived");
    std::vector<std::pair<float, size_t>> frames;
    for (int i = 0; i < 5; ++i)
    {
        actor.Update(0.5f);
        frames.emplace_back(actor.GetPosition().X, counter.Deliver());
    }
    EXPECT_EQ(actor.GetPosition().Y, 0.0f);
    return frames;
}
} // namespace

TEST(IntervalTest, LinearMoveReachesTargetExactlyAndAnnouncesOnceInThatFrame)
{
    const auto frames = MoveInHalfSeconds(false);
    const float expected[] = {2.5f, 5.0f, 7.5f, 10.0f, 10.0f};
    const size_t messages[] = {0, 0, 0, 1, 0};
    for (size_t i = 0; i < frames.size(); ++i)
    {
        EXPECT_FLOAT_EQ(frames[i].first, expected[i]) << "frame " << i;
        EXPECT_EQ(frames[i].second, messages[i]) << "frame " << i;
    }
    EXPECT_EQ(frames[3].first, 10.0f);
}

TEST(IntervalTest, SmoothMoveEasesInAndOut)
{
    const auto frames = MoveInHalfSeconds(true);
    const float expected[] = {1.5625f, 5.0f, 8.4375f, 10.0f};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_FLOAT_EQ(frames[i].first, expected[i]) << "frame " << i;
    EXPECT_EQ(frames[3].second, 1u);
}

TEST(IntervalTest, ReplacedIntervalNeverAnnounces)
{
    Actor actor;
    MessageCounter counter;
    counter.Listen("First");
    counter.Listen("Second");
    actor.MoveTo(Vector2(4.0f, 0.0f), 1.0f, false, "First");
    actor.Update(0.5f);
    actor.MoveTo(Vector2(0.0f, 4.0f), 1.0f, false, "Second");
    for (int i = 0; i < 4; ++i)
    {
        actor.Update(0.5f);
        counter.Deliver();
    }
    ASSERT_EQ(counter.received, StringList{"Second"});
    // The sender is the actor's listener side, not the actor's address as a Renderable.
    EXPECT_EQ(counter.senders[0], static_cast<MessageListener*>(&actor));
    // The second interval started where the first had got to.
    EXPECT_VEC2_NEAR(Vector2(0.0f, 4.0f), actor.GetPosition(), 0.0f);
}

TEST(IntervalTest, ZeroDurationJumpsAndAnnouncesInTheNextUpdate)
{
    Actor actor;
    MessageCounter counter;
    counter.Listen("Turned");
    actor.RotateTo(90.0f, 0.0f, false, "Turned");
    EXPECT_EQ(actor.GetRotation(), 0.0f);
    actor.Update(0.0f);
    EXPECT_EQ(actor.GetRotation(), 90.0f);
    EXPECT_EQ(counter.Deliver(), 1u);
    actor.Update(0.5f);
    EXPECT_EQ(counter.Deliver(), 0u);

    // Even a step backwards in time finishes an interval that has no duration.
    actor.MoveTo(Vector2(3.0f, 4.0f), 0.0f);
    actor.Update(-0.1f);
    EXPECT_VEC2_NEAR(Vector2(3.0f, 4.0f), actor.GetPosition(), 0.0f);
}

TEST(IntervalTest, KindsRunSideBySideAndSilentlyWithoutAName)
{
    Actor actor;
    MessageCounter counter;
    counter.Listen("");
    actor.SetAlpha(2.0f);
    actor.ChangeSizeTo(3.0f, 1.0f);
    actor.ChangeColorTo(Color(0.0f, 0.0f, 0.0f, 0.0f), 1.0f);
    actor.Update(0.5f);
    EXPECT_VEC2_NEAR(Vector2(2.0f, 2.0f), actor.GetSize(), 1e-6f);
    // The colour starts from the stored, unclamped alpha.
    EXPECT_COLOR_NEAR(Color(0.5f, 0.5f, 0.5f, 1.0f), actor.GetColor(), 1e-6f);
    actor.Update(0.5f);
    EXPECT_VEC2_NEAR(Vector2(3.0f, 3.0f), actor.GetSize(), 0.0f);
    EXPECT_EQ(counter.Deliver(), 0u);
}

TEST(IntervalTest, CompletionOfAnActorDeletedBeforeDeliveryArrivesWithoutASender)
{
    MessageCounter counter;
    counter.Listen("Arrived");
    auto* actor = new Actor();
    actor->MoveTo(Vector2(1.0f, 0.0f), 0.0f, false, "Arrived");
    actor->Update(0.1f);
    delete actor;
    ASSERT_EQ(counter.Deliver(), 1u);
    EXPECT_EQ(counter.senders.back(), nullptr);
}
