#include "GameTestSupport.h"

#include "Game/LieMeter.h"
#include "Game/StockTicker.h"
#include "Game/TinyDollar.h"
#include "Infrastructure/Camera.h"

#include "Messaging/Switchboard.h"
#include <algorithm>

class CharactersTest : public GameTest
{
protected:
    void Lie(float radius)
    {
        Field()->Player()->lieRadius = radius;
        ++Field()->Player()->lieCount;
    }
};

TEST_F(CharactersTest, WithoutALieAConsumerJoinsOnlyWithinItsReach)
{
    PlayField* field = StartEmptyGame();
    Suit_Consumer* near = Place<Suit_Consumer>(Vector2(1.45f, 0.0f));
    Suit_Consumer* far = Place<Suit_Consumer>(Vector2(0.96f, 1.28f));
    near->UpdateAllegiance();
    far->UpdateAllegiance();
    EXPECT_EQ(near->GetLeader(), field->Player());
    EXPECT_EQ(far->GetLeader(), nullptr);
    EXPECT_EQ(field->Player()->GetFollowerCount(), 1);

    // Each follower stretches the reach by 1/16.
    for (int i = 0; i < 2; ++i)
        field->Player()->followers.Add(Place<Suit_Consumer>(Vector2(-2.0f, -2.0f - static_cast<float>(i))));
    far->UpdateAllegiance();
    EXPECT_EQ(far->GetLeader(), field->Player()) << "1.5 + 3/16 reaches 1.6";
}

TEST_F(CharactersTest, InsideALieAConsumerJoinsAtAnyDistanceUpToTheRadius)
{
    PlayField* field = StartEmptyGame();
    Suit_Consumer* consumer = Place<Suit_Consumer>(Vector2(2.9f, 0.0f));
    Lie(2.8f);
    consumer->UpdateAllegiance();
    EXPECT_EQ(consumer->GetLeader(), nullptr);
    Lie(3.0f);
    consumer->UpdateAllegiance();
    EXPECT_EQ(consumer->GetLeader(), field->Player());
    EXPECT_TRUE(consumer->follow->enabled);
}

TEST_F(CharactersTest, ALiedToConsumerStaysWithThePlayerTwoSecondsAfterTheLie)
{
    PlayField* field = StartEmptyGame();
    // The rival stands nearer the consumer than the player does, all within reach.
    Suit_Consumer* consumer = Place<Suit_Consumer>(Vector2(1.4f, 0.0f));
    Suit_AI* rival = Place<Suit_AI>(Vector2(2.3f, 0.0f));
    consumer->GetBoid()->maxSpeed = 0.0f;
    rival->GetBoid()->maxSpeed = 0.0f;

    Lie(3.0f);
    Frame(0.05f);
    ASSERT_EQ(consumer->GetLeader(), field->Player());
    EXPECT_EQ(field->Player()->lieRadius, 0.0f) << "the lie lasted one frame";
    Run(1.8f, 0.05f);
    EXPECT_EQ(consumer->GetLeader(), field->Player()) << "still under the lie's spell";
    Run(0.4f, 0.05f);
    EXPECT_EQ(consumer->GetLeader(), static_cast<Suit*>(rival));
}

TEST_F(CharactersTest, ABustNearbySendsAFollowerFleeingForSevenSeconds)
{
    PlayField* field = StartEmptyGame();
    Suit_Consumer* consumer = Place<Suit_Consumer>(Vector2(1.0f, 0.0f));
    consumer->UpdateAllegiance();
    ASSERT_EQ(consumer->GetLeader(), field->Player());
    field->Ticker()->events.clear();
    Switchboard::GetInstance().Broadcast(new TypedMessage<int>("LieMeterBusted", 0, field->Player()));
    Frame(0.05f);
    EXPECT_EQ(consumer->GetLeader(), nullptr);
    EXPECT_TRUE(consumer->flee->enabled);
    EXPECT_FALSE(consumer->CanFollow(field->Player()));
    EXPECT_EQ(field->Player()->GetFollowerCount(), 0);
    Run(6.8f, 0.05f);
    EXPECT_TRUE(consumer->flee->enabled);
    Run(0.3f, 0.05f);
    EXPECT_FALSE(consumer->flee->enabled);
}

TEST_F(CharactersTest, AConsumerPaysItsLeaderForEightSecondsAndDies)
{
    PlayField* field = StartEmptyGame();
    Suit_Consumer* consumer = Place<Suit_Consumer>(Vector2(0.6f, 0.0f));
    Place<Suit_Consumer>(Vector2(-2.5f, -2.0f))->flee->enabled = true;
    consumer->GetBoid()->maxSpeed = 0.0f;
    int received = 0;
    struct Counter : MessageListener
    {
        int* count;
        void ReceiveMessage(Message*) override { ++*count; }
    } counter;
    counter.count = &received;
    Switchboard::GetInstance().SubscribeTo(&counter, "DollarReceived");
    (void)consumer;
    // A dead consumer leaves the field's lists (and the World deletes it).
    ASSERT_TRUE(RunUntil([&] { return field->Consumers().size() == 1u; }, 9.0f, 0.05f)) << field->Consumers().size();
    EXPECT_EQ(std::count(field->Suits().begin(), field->Suits().end(), static_cast<Suit*>(consumer)), 0);
    Run(1.0f, 0.05f);
    EXPECT_GE(received, 7);
    EXPECT_LE(received, 9);
    Switchboard::GetInstance().UnsubscribeFrom(&counter, "DollarReceived");
}

TEST_F(CharactersTest, ATinyDollarForARivalVanishesWithoutAWord)
{
    PlayField* field = StartEmptyGame();
    Place<Suit_Consumer>(Vector2(-2.5f, -2.0f));
    Suit_AI* rival = Place<Suit_AI>(Vector2(1.0f, 0.0f));
    rival->GetBoid()->maxSpeed = 0.0f;
    auto* coin = new TinyDollar(*field, rival);
    coin->SetPosition(1.5f, 0.0f);
    World::GetInstance().Add(coin, 0);
    field->Ticker()->events.clear();
    auto listed = [coin]
    {
        const std::vector<Renderable*> elements = World::GetInstance().GetElements();
        return std::find(elements.begin(), elements.end(), coin) != elements.end();
    };
    ASSERT_TRUE(RunUntil([&] { return !listed(); }, 1.0f, 0.05f));
    Frame(0.05f);
    EXPECT_TRUE(field->Ticker()->events.empty());
}

TEST_F(CharactersTest, AJournalistFlashesOncePerLie)
{
    PlayField* field = StartEmptyGame();
    Place<Suit_Consumer>(Vector2(-2.5f, -2.0f));
    Suit_Journalist* journalist = Place<Suit_Journalist>(Vector2(2.0f, 0.0f));
    journalist->GetBoid()->maxSpeed = 0.0f;
    field->Meter()->maxValue = field->Meter()->value = 1e6f;
    Hold(' ');
    int flashes = 0;
    bool wasFlashing = false;
    for (int i = 0; i < 120; ++i)
    {
        Frame(0.05f);
        const bool flashing = journalist->flashRadius > 0.0f;
        flashes += flashing && !wasFlashing;
        wasFlashing = flashing;
    }
    EXPECT_EQ(flashes, 1) << "one lie held for six seconds";
    Release(' ');
    Frame(0.05f);
    Hold(' ');
    Run(1.0f, 0.05f);
    EXPECT_EQ(journalist->lastLieSeen, 1) << "a new lie, a new flash";
}

TEST_F(CharactersTest, FlashesSpreadFromJournalistToJournalist)
{
    PlayField* field = StartEmptyGame();
    Place<Suit_Consumer>(Vector2(-2.5f, -2.0f));
    Suit_Journalist* first = Place<Suit_Journalist>(Vector2(1.0f, 0.0f));
    Suit_Journalist* second = Place<Suit_Journalist>(Vector2(3.0f, 2.0f));
    for (Suit_Journalist* j : {first, second})
        j->GetBoid()->maxSpeed = 0.0f;
    Lie(1.0f);
    Frame(0.05f);
    field->Player()->lieRadius = 0.0f;
    EXPECT_EQ(first->lastLieSeen, 0);
    Run(1.0f, 0.05f);
    EXPECT_EQ(second->lastLieSeen, 0) << "reached by the first one's flash";
}

TEST_F(CharactersTest, EachBustIsReportedOnceByJournalistsInRange)
{
    PlayField* field = StartEmptyGame();
    Place<Suit_Consumer>(Vector2(-2.5f, -2.0f));
    Suit_Journalist* near = Place<Suit_Journalist>(Vector2(2.0f, 0.0f));
    Suit_Journalist* far = Place<Suit_Journalist>(Vector2(0.0f, -2.0f));
    // Out of the view, and out of the boid's bounds, which would pull it back.
    Camera::GetInstance().SetZByViewRadius(10.0f);
    far->SetPosition(8.0f, 0.0f);
    far->GetBoid()->bounded = false;
    for (Suit_Journalist* j : {near, far})
        j->GetBoid()->maxSpeed = 0.0f;
    int reports = 0;
    struct Counter : MessageListener
    {
        int* count;
        void ReceiveMessage(Message*) override { ++*count; }
    } counter;
    counter.count = &reports;
    Switchboard::GetInstance().SubscribeTo(&counter, "JournalistLieBusted");

    Switchboard::GetInstance().Broadcast(new TypedMessage<int>("LieMeterBusted", 0, field->Player()));
    Run(0.5f, 0.05f);
    EXPECT_EQ(near->lastBustReported, 0);
    EXPECT_EQ(far->lastBustReported, -1) << "beyond the largest lie circle";
    EXPECT_EQ(reports, 1);

    // Hearing of the same bust again changes nothing.
    Switchboard::GetInstance().Broadcast(new TypedMessage<int>("LieMeterBusted", 0, field->Player()));
    Run(0.5f, 0.05f);
    EXPECT_EQ(reports, 1) << near->lastBustReported << " " << far->lastBustReported;
    Switchboard::GetInstance().UnsubscribeFrom(&counter, "JournalistLieBusted");
}
