#include "Messaging/Switchboard.h"
#include "TestUtilities/LogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace
{
struct Received
{
    MessageListener* listener;
    String name;
};

std::vector<Received> deliveries;

// Records every delivery; an optional reaction runs inside ReceiveMessage.
class Recorder : public MessageListener
{
public:
    void ReceiveMessage(Message* message) override
    {
        deliveries.push_back({this, message->GetMessageName()});
        if (onReceive)
            onReceive(message);
    }
    std::function<void(Message*)> onReceive;
};

class SwitchboardTest : public ::testing::Test
{
protected:
    void SetUp() override { deliveries.clear(); }
    Switchboard& board = Switchboard::GetInstance();
};

// Counts its own deletions, to check ownership.
int messagesDeleted = 0;
class CountedMessage : public Message
{
public:
    explicit CountedMessage(const String& name) : Message(name) {}
    ~CountedMessage() override { ++messagesDeleted; }
};
} // namespace

TEST_F(SwitchboardTest, BroadcastWaitsForDeliveryAndUnheardMessagesAreDeleted)
{
    Recorder listener;
    board.SubscribeTo(&listener, "Ping");
    messagesDeleted = 0;
    board.Broadcast(new CountedMessage("Ping"));
    board.Broadcast(new CountedMessage("Nobody"));
    EXPECT_TRUE(deliveries.empty());
    board.DeliverQueued();
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].name, "Ping");
    EXPECT_EQ(messagesDeleted, 2);
}

// Subscription order, not addresses: receivers that draw random numbers must draw them
// in the same order in every run of a seeded replay, wherever the allocator put them.
TEST_F(SwitchboardTest, ListenersReceiveInSubscriptionOrderAndOnceEach)
{
    auto trio = std::make_unique<Recorder[]>(3);
    Recorder* low = &trio[0];
    Recorder* middle = &trio[1];
    Recorder* high = &trio[2];
    board.SubscribeTo(high, "Ping");
    EXPECT_TRUE(board.SubscribeTo(low, "Ping"));
    EXPECT_FALSE(board.SubscribeTo(low, "Ping"));
    board.SubscribeTo(middle, "Ping");
    // Leaving and coming back puts a listener last.
    board.UnsubscribeFrom(low, "Ping");
    board.SubscribeTo(low, "Ping");
    board.Broadcast(new Message("Ping"));
    board.DeliverQueued();
    ASSERT_EQ(deliveries.size(), 3u);
    EXPECT_EQ(deliveries[0].listener, high);
    EXPECT_EQ(deliveries[1].listener, middle);
    EXPECT_EQ(deliveries[2].listener, low);
    EXPECT_EQ(board.GetSubscribersTo("Ping"), (ListenerSet{low, middle, high}));
}

TEST_F(SwitchboardTest, MessagesBroadcastDuringDeliveryArriveInTheSameDrainAfterTheQueue)
{
    Recorder listener;
    listener.onReceive = [this](Message* m)
    {
        if (m->GetMessageName() == "First")
            board.Broadcast(new Message("Reply"));
    };
    board.SubscribeTo(&listener, "First");
    board.SubscribeTo(&listener, "Second");
    board.SubscribeTo(&listener, "Reply");
    board.Broadcast(new Message("First"));
    board.Broadcast(new Message("Second"));
    board.DeliverQueued();
    ASSERT_EQ(deliveries.size(), 3u);
    EXPECT_EQ(deliveries[0].name, "First");
    EXPECT_EQ(deliveries[1].name, "Second");
    EXPECT_EQ(deliveries[2].name, "Reply");
}

TEST_F(SwitchboardTest, SubscriptionsMadeDuringDeliveryStartWithTheNextDrain)
{
    Recorder trigger;
    Recorder late;
    bool subscribeResult = true;
    trigger.onReceive = [&](Message*)
    {
        subscribeResult = board.SubscribeTo(&late, "Later");
        board.Broadcast(new Message("Later"));
    };
    board.SubscribeTo(&trigger, "Go");
    board.Broadcast(new Message("Go"));
    board.DeliverQueued();
    EXPECT_FALSE(subscribeResult);
    EXPECT_EQ(deliveries.size(), 1u);

    board.Broadcast(new Message("Later"));
    board.DeliverQueued();
    ASSERT_EQ(deliveries.size(), 2u);
    EXPECT_EQ(deliveries[1].listener, &late);
}

TEST_F(SwitchboardTest, UnsubscribingDuringDeliveryKeepsReceivingUntilTheDrainEnds)
{
    Recorder listener;
    bool unsubscribeResult = true;
    listener.onReceive = [&](Message*) { unsubscribeResult = board.UnsubscribeFrom(&listener, "Tick"); };
    board.SubscribeTo(&listener, "Tick");
    board.Broadcast(new Message("Tick"));
    board.Broadcast(new Message("Tick"));
    board.DeliverQueued();
    EXPECT_FALSE(unsubscribeResult);
    EXPECT_EQ(deliveries.size(), 2u);
    EXPECT_TRUE(board.GetSubscribersTo("Tick").empty());
}

TEST_F(SwitchboardTest, UnsubscribeThenSubscribeDuringOneDrainEndsSubscribed)
{
    Recorder listener;
    listener.onReceive = [&](Message*)
    {
        board.SubscribeTo(&listener, "Other");
        board.UnsubscribeFrom(&listener, "Other");
    };
    board.SubscribeTo(&listener, "Go");
    board.SubscribeTo(&listener, "Other");
    board.Broadcast(new Message("Go"));
    board.DeliverQueued();
    EXPECT_EQ(board.GetSubscribersTo("Other").count(&listener), 1u);
}

TEST_F(SwitchboardTest, ListenerDestroyedDuringDeliveryGetsNoFurtherMessages)
{
    Recorder killer;
    auto* victim = new Recorder();
    MessageListener* victimAddress = victim;
    size_t deliveriesBeforeDeath = 0;
    killer.onReceive = [&](Message*)
    {
        if (!victim)
            return;
        delete victim;
        victim = nullptr;
        deliveriesBeforeDeath = deliveries.size();
    };
    board.SubscribeTo(&killer, "Boom");
    board.SubscribeTo(victim, "Boom");
    board.SubscribeTo(victim, "After");
    board.Broadcast(new Message("Boom"));
    board.Broadcast(new Message("After"));
    board.Broadcast(new Message("Boom"));
    board.DeliverQueued();
    for (size_t i = deliveriesBeforeDeath; i < deliveries.size(); ++i)
        EXPECT_NE(deliveries[i].listener, victimAddress);
    EXPECT_TRUE(board.GetSubscribersTo("After").empty());
}

TEST_F(SwitchboardTest, DestroyedListenerIsForgotten)
{
    auto* listener = new Recorder();
    board.SubscribeTo(listener, "Ping");
    delete listener;
    EXPECT_TRUE(board.GetSubscribersTo("Ping").empty());
    board.Broadcast(new Message("Ping"));
    board.DeliverQueued();
    EXPECT_TRUE(deliveries.empty());
}

TEST_F(SwitchboardTest, PrefixQuestionSeesOnlyNamesWithListenersLeft)
{
    Recorder listener;
    // Sorted between the prefix and the names that start with it, and after them.
    board.SubscribeTo(&listener, "CollisionEnd");
    board.SubscribeTo(&listener, "CollisionX");
    EXPECT_FALSE(board.HasSubscribersStartingWith("CollisionWith"));
    board.SubscribeTo(&listener, "CollisionWithBall1");
    board.SubscribeTo(&listener, "CollisionWithBall2");
    EXPECT_TRUE(board.HasSubscribersStartingWith("CollisionWith"));
    board.UnsubscribeFrom(&listener, "CollisionWithBall1");
    EXPECT_TRUE(board.HasSubscribersStartingWith("CollisionWith"));
    board.UnsubscribeFrom(&listener, "CollisionWithBall2");
    EXPECT_FALSE(board.HasSubscribersStartingWith("CollisionWith"));
}

TEST_F(SwitchboardTest, UnknownNamesAndListenersGiveEmptyAnswers)
{
    Recorder stranger;
    EXPECT_TRUE(board.GetSubscribersTo("NeverUsed").empty());
    EXPECT_TRUE(board.GetSubscriptionsFor(&stranger).empty());
    EXPECT_FALSE(board.UnsubscribeFrom(&stranger, "NeverUsed"));
    board.SubscribeTo(&stranger, "Used");
    EXPECT_FALSE(board.UnsubscribeFrom(&stranger, "NeverUsed"));
    EXPECT_TRUE(board.UnsubscribeFrom(&stranger, "Used"));
}

TEST_F(SwitchboardTest, DelayedMessagesQueueInDeferralOrderWhenTheirTimeRunsOut)
{
    Recorder listener;
    board.SubscribeTo(&listener, "Slow");
    board.SubscribeTo(&listener, "Fast");
    board.DeferredBroadcast(new Message("Slow"), 0.5f);
    board.DeferredBroadcast(new Message("Fast"), 0.2f);

    board.Update(0.25f);
    EXPECT_TRUE(deliveries.empty()) << "an expired message waits for the next delivery";
    board.DeliverQueued();
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].name, "Fast");

    board.Update(0.25f);
    board.DeliverQueued();
    ASSERT_EQ(deliveries.size(), 2u);
    EXPECT_EQ(deliveries[1].name, "Slow");
}

TEST_F(SwitchboardTest, NegativeDelayActsLikeZero)
{
    Recorder listener;
    board.SubscribeTo(&listener, "Now");
    board.DeferredBroadcast(new Message("Now"), -3.0f);
    board.DeliverQueued();
    EXPECT_TRUE(deliveries.empty());
    board.Update(0.0f);
    board.DeliverQueued();
    EXPECT_EQ(deliveries.size(), 1u);
}

TEST_F(SwitchboardTest, TypedMessageCarriesItsValueAndSender)
{
    Recorder sender;
    Recorder listener;
    int carried = 0;
    MessageListener* from = nullptr;
    listener.onReceive = [&](Message* m)
    {
        carried = static_cast<TypedMessage<int>*>(m)->GetValue();
        from = m->GetSender();
    };
    board.SubscribeTo(&listener, "Value");
    board.Broadcast(new TypedMessage<int>("Value", 42, &sender));
    board.DeliverQueued();
    EXPECT_EQ(carried, 42);
    EXPECT_EQ(from, &sender);
    EXPECT_EQ(Message().GetMessageName(), "GenericMessage");
}

TEST_F(SwitchboardTest, MessagesOutliveTheirSenderWithTheSenderCleared)
{
    Recorder listener;
    std::vector<MessageListener*> senders;
    listener.onReceive = [&](Message* m) { senders.push_back(m->GetSender()); };
    board.SubscribeTo(&listener, "Queued");
    board.SubscribeTo(&listener, "Delayed");
    auto* sender = new Recorder();
    board.Broadcast(new Message("Queued", sender));
    board.DeferredBroadcast(new Message("Delayed", sender), 0.1f);
    delete sender;

    board.DeliverQueued();
    board.Update(0.2f);
    board.DeliverQueued();
    EXPECT_EQ(senders, (std::vector<MessageListener*>{nullptr, nullptr}));
}

TEST_F(SwitchboardTest, SenderDestroyedDuringDeliveryIsClearedForTheRemainingReceivers)
{
    // Whoever receives first deletes the sender; the next receiver must not see it.
    auto* sender = new Recorder();
    Recorder first;
    Recorder second;
    Recorder* low = &first < &second ? &first : &second;
    Recorder* high = low == &first ? &second : &first;
    MessageListener* seenByHigh = sender;
    low->onReceive = [&](Message*) { delete sender; };
    high->onReceive = [&](Message* m) { seenByHigh = m->GetSender(); };
    board.SubscribeTo(low, "Bye");
    board.SubscribeTo(high, "Bye");
    board.Broadcast(new Message("Bye", sender));
    board.DeliverQueued();
    EXPECT_EQ(seenByHigh, nullptr);
}

namespace
{
// Answers every message of its name with a new one of the same name while `answering`.
class Echo : public MessageListener
{
public:
    explicit Echo(const String& messageName) : name(messageName) { Switchboard::GetInstance().SubscribeTo(this, name); }
    void ReceiveMessage(Message*) override
    {
        ++heard;
        if (answering)
            Switchboard::GetInstance().Broadcast(new Message(name));
    }
    String name;
    bool answering = true;
    size_t heard = 0;
};

size_t CountStorms(const LogCapture& log, const String& name)
{
    const String start = "ERROR: message storm at \"" + name + "\"";
    return static_cast<size_t>(std::count_if(log.lines.begin(), log.lines.end(),
                                             [&](const String& line) { return line.rfind(start, 0) == 0; }));
}
} // namespace

TEST_F(SwitchboardTest, AListenerAnsweringItsOwnMessageEndsTheDrainAndGoesOnAtTheNextOne)
{
    LogCapture log;
    Echo echo("Echo");
    Recorder bystander;
    board.SubscribeTo(&bystander, "Bystander");
    board.Broadcast(new Message("Echo"));
    board.DeliverQueued();
    // The message and its answers down to the deepest allowed; the next answer waits.
    EXPECT_EQ(echo.heard, Switchboard::MaxReplyDepth + 1);
    EXPECT_EQ(CountStorms(log, "Echo"), 1u);
    EXPECT_TRUE(log.Contains("ERROR: message storm at \"Echo\": sent in reply to a reply more than 1000 times over in "
                             "one frame. The 1 message still queued waits for the next frame."));

    // What waited is delivered first next time, with a fresh allowance; a storm that goes
    // on is not reported again, and other messages still get through beside it.
    board.Broadcast(new Message("Bystander"));
    board.DeliverQueued();
    EXPECT_EQ(echo.heard, 2 * (Switchboard::MaxReplyDepth + 1));
    EXPECT_EQ(CountStorms(log, "Echo"), 1u);
    EXPECT_EQ(deliveries.size(), 1u);

    // Once the listener calms down the drain empties; a new storm is reported anew.
    echo.answering = false;
    board.DeliverQueued();
    EXPECT_EQ(deliveries.size(), 1u);
    echo.answering = true;
    board.Broadcast(new Message("Echo"));
    board.DeliverQueued();
    EXPECT_EQ(CountStorms(log, "Echo"), 2u);
    echo.answering = false;
    board.DeliverQueued();
}

TEST_F(SwitchboardTest, ManyListenersAnsweringEachMessageKeepTheQueueBounded)
{
    LogCapture log;
    std::vector<std::unique_ptr<Echo>> echoes;
    for (int i = 0; i < 30; ++i)
        echoes.push_back(std::make_unique<Echo>("Storm"));
    const auto heard = [&]
    {
        size_t total = 0;
        for (const auto& echo : echoes)
            total += echo->heard;
        return total;
    };
    board.Broadcast(new Message("Storm"));
    board.DeliverQueued();
    // Each delivery reaches all 30, each of which answers: 30 more queued, 1 taken off.
    size_t delivered = heard() / echoes.size();
    size_t queued = 1 + heard() - delivered;
    EXPECT_GT(queued, Switchboard::MaxMessagesPerDrain);
    EXPECT_LE(queued, Switchboard::MaxMessagesPerDrain + echoes.size());
    EXPECT_EQ(CountStorms(log, "Storm"), 1u);

    // The storm goes on at the next frame without the queue growing past a message's answers.
    board.DeliverQueued();
    delivered = heard() / echoes.size();
    queued = 1 + heard() - delivered;
    EXPECT_LE(queued, Switchboard::MaxMessagesPerDrain + 2 * echoes.size());
    EXPECT_EQ(CountStorms(log, "Storm"), 1u);

    // Unheard, the rest drains in the next frames, at most the bound at a time.
    echoes.clear();
    board.DeliverQueued();
    board.DeliverQueued();
}
