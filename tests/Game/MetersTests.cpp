#include "FramePixels.h"
#include "GameTestSupport.h"

#include "Game/LieMeter.h"
#include "Game/StockTicker.h"
#include "Messaging/Switchboard.h"

#include <algorithm>
#include <string>

namespace
{
// A ticker that only follows its events: no drift, no resampling.
void Quiet(StockTicker& ticker)
{
    ticker.hudMode = false;
    ticker.drift = 0.0f;
    ticker.sampleTime = 1e9f;
}
} // namespace

TEST(StockTickerTest, PriceFollowsItsEventsAndNeverDropsBelowZero)
{
    StockTicker ticker;
    Quiet(ticker);
    ticker.price = 3.0f;
    ticker.Update(2.0f);
    EXPECT_FLOAT_EQ(ticker.price, 3.0f);

    ticker.AddEvent(-5.0f, 2.0f);
    ticker.AddEvent(-5.0f, 1.0f);
    ticker.Update(0.1f);
    EXPECT_FLOAT_EQ(ticker.price, 2.0f) << "stacked events add up";
    ticker.Update(5.0f);
    EXPECT_FLOAT_EQ(ticker.price, 0.0f);
    EXPECT_TRUE(ticker.events.empty());
}

TEST(StockTickerTest, AnEventCountsInTheFrameItRunsOut)
{
    StockTicker ticker;
    Quiet(ticker);
    ticker.AddEvent(1.0f, 0.5f);
    ticker.Update(0.4f);
    ticker.Update(0.4f);
    EXPECT_FLOAT_EQ(ticker.price, 0.8f);
    ticker.Update(0.4f);
    EXPECT_FLOAT_EQ(ticker.price, 0.8f);
}

TEST(StockTickerTest, HistoryKeepsTheLastTenSamples)
{
    StockTicker ticker;
    ticker.hudMode = false;
    for (int second = 0; second < 25; ++second)
    {
        ticker.AddEvent(1.0f, 0.5f);
        ticker.Update(1.0f);
    }
    ASSERT_EQ(ticker.history.size(), 10u);
    EXPECT_FLOAT_EQ(ticker.GetCurrentSample(), ticker.history.back());
}

TEST(StockTickerTest, NumberFormats)
{
    EXPECT_EQ(StockTicker::FormatPrice(1000.0f), "1000");
    EXPECT_EQ(StockTicker::FormatPrice(999.99f), "1000.0") << "%.1f below 1000";
    EXPECT_EQ(StockTicker::FormatPrice(100.0f), "100.0");
    EXPECT_EQ(StockTicker::FormatPrice(99.994f), "99.99");
    EXPECT_EQ(StockTicker::FormatChange(100.0f), "100");
    EXPECT_EQ(StockTicker::FormatChange(12.34f), "12.3");
    EXPECT_EQ(StockTicker::FormatChange(-12.34f), "-12.34");

    StockTicker ticker;
    EXPECT_EQ(StockTicker::FormatChange(ticker.GetLastChange()), "0.00") << "no samples";
    ticker.history = {4.5f};
    EXPECT_FLOAT_EQ(ticker.GetLastChange(), 4.5f) << "one sample: the price itself";
    ticker.history = {4.5f, 4.0f};
    EXPECT_FLOAT_EQ(ticker.GetLastChange(), -0.5f);
}

class MetersTest : public GameTest
{
protected:
    // A game with the player alone at the origin but for a consumer out of its way.
    PlayField* StartQuietGame()
    {
        PlayField* field = StartEmptyGame();
        Place<Suit_Consumer>(Vector2(-2.5f, -2.0f));
        return field;
    }
};

namespace
{
// The text colour of "Busted!" on its white box.
bool IsBustRed(const Pixel& p) { return p.r > 200 && p.g < 90 && p.b < 90; }
bool IsFrameGrey(const Pixel& p) { return p.r < 110 && p.g < 110 && p.b < 120 && p.r > 30; }
} // namespace

TEST_F(MetersTest, ABustShowsItsCountFromItsFirstFrame)
{
    PlayField* field = StartQuietGame();
    LieMeter* meter = field->Meter();
    meter->value = 1.0f;
    Hold(' ');
    ASSERT_TRUE(RunUntil([&] { return meter->bustTime > 0.0f; }, 1.0f));
    // The bust came in the frame just drawn; the field hears of it only in the next one.
    EXPECT_EQ(field->LieBusts(), 0);
    EXPECT_EQ(meter->GetStatusText(), "Busted! 1 of 3");
    EXPECT_EQ(meter->GetBustsLeftText(), "Busts left: 2");
    const FrameImage first = CaptureFrame();

    Run(0.2f);
    EXPECT_EQ(field->LieBusts(), 1);
    const FrameImage later = CaptureFrame();
    EXPECT_GT(CountIn(first, 790, 0, 1024, 45, IsBustRed), 100) << "\"Busted!\" shows";
    EXPECT_LE(MismatchesIn(first, later, 790, 0, 1024, 45, IsBustRed), 3) << "the same text from the first frame on";
    EXPECT_LE(MismatchesIn(first, later, 790, 45, 1024, 80, IsInk), 3) << "the same busts left";
}

TEST_F(MetersTest, TheLieMeterHasAFrameAsLongAsAFullMeterAndAMarkWhereTheBustComes)
{
    PlayField* field = StartQuietGame();
    field->Meter()->value = 20.0f;
    Frame();
    const FrameImage image = CaptureFrame();
    // The bar ends 20 pixels in; the frame runs on to 865 + 135.
    EXPECT_EQ(CountIn(image, 900, 12, 990, 34, IsInk), 0) << "the empty part is empty";
    EXPECT_GT(CountIn(image, 900, 5, 995, 9, IsFrameGrey), 150) << "top edge of the frame";
    EXPECT_GT(CountIn(image, 900, 37, 995, 41, IsFrameGrey), 150) << "bottom edge of the frame";
    EXPECT_GT(CountIn(image, 998, 9, 1004, 37, IsFrameGrey), 40) << "the frame's full end";
    EXPECT_GT(CountIn(image, 862, 2, 870, 7, IsBustRed), 6) << "the bust mark above the empty end";
    EXPECT_GT(CountIn(image, 862, 39, 870, 44, IsBustRed), 6) << "the bust mark below the empty end";
}

TEST_F(MetersTest, TickerEventTable)
{
    PlayField* field = StartGame();
    StockTicker& ticker = *field->Ticker();
    Suit* rival = field->Liars()[1];
    Switchboard& board = Switchboard::GetInstance();
    struct Case
    {
        const char* name;
        MessageListener* sender;
        float rate, duration;
    };
    const Case cases[] = {
        {"ConsumerDied", field->Player(), -1.5f, 2.5f},   {"ConsumerDied", rival, -0.5f, 2.0f},
        {"LieMeterBusted", field->Player(), -5.0f, 2.0f}, {"PickupMoney", field->Player(), 0.5f, 3.0f},
        {"AddFollower", field->Player(), 0.125f, 2.0f},   {"RemoveFollower", field->Player(), -0.25f, 1.0f},
        {"DollarReceived", field->Player(), 0.75f, 1.0f},
    };
    for (const Case& c : cases)
    {
        ticker.events.clear();
        board.Broadcast(new Message(c.name, c.sender));
        board.DeliverQueued();
        ASSERT_EQ(ticker.events.size(), 1u) << c.name;
        EXPECT_FLOAT_EQ(ticker.events[0].rate, c.rate) << c.name;
        EXPECT_FLOAT_EQ(ticker.events[0].remaining, c.duration) << c.name;
    }
    ticker.events.clear();
    for (const char* name : {"PickupMoney", "AddFollower", "DollarReceived", "RemoveFollower"})
        board.Broadcast(new Message(name, rival));
    board.DeliverQueued();
    EXPECT_TRUE(ticker.events.empty()) << "only the player's own messages move the price";
}

TEST_F(MetersTest, LieMeterRunsDryInAboutEightTenthsOfASecondThenBusts)
{
    PlayField* field = StartEmptyGame();
    Place<Suit_Consumer>(Vector2(-2.5f, -2.0f));
    LieMeter* meter = field->Meter();
    Hold(' ');
    float lied = 0.0f;
    const float dt = 0.01f;
    while (meter->bustTime == 0.0f && lied < 2.0f)
    {
        Frame(dt);
        lied += dt;
    }
    // The first frame only starts the lie; the meter drains from the second.
    EXPECT_NEAR(lied - dt, 0.8f, 0.05f);
    EXPECT_EQ(meter->value, 0.0f);
    Frame(dt);
    EXPECT_EQ(field->Player()->lieRadius, 0.0f) << "a bust ends the lie";
    EXPECT_EQ(field->Player()->bustCount, 0);

    // Busted: no lying and no refill for 5 s, even with the key still held.
    Run(4.5f, 0.05f);
    EXPECT_EQ(meter->value, 0.0f);
    EXPECT_EQ(field->Player()->lieRadius, 0.0f);
    ReleaseAll();
    Run(0.6f, 0.05f);
    EXPECT_EQ(meter->bustTime, 0.0f);
    const float start = meter->value;
    Run(2.0f, 0.05f);
    EXPECT_NEAR(meter->value - start, 30.0f, 0.5f) << "15 per second";
}

TEST_F(MetersTest, LieCircleGrowsToItsLevelLimitAndANewLieCounts)
{
    PlayField* field = StartEmptyGame();
    Place<Suit_Consumer>(Vector2(-2.5f, -2.0f));
    field->Meter()->maxValue = field->Meter()->value = 1e6f;
    Hold(' ');
    Run(0.5f, 0.05f);
    EXPECT_NEAR(field->Player()->lieRadius, 1.5f, 0.06f);
    Run(2.0f, 0.05f);
    EXPECT_FLOAT_EQ(field->Player()->lieRadius, 3.5f) << "3 + 0.5 x level 1";
    EXPECT_EQ(field->Player()->lieCount, 0);
    Release(' ');
    Frame(0.05f);
    EXPECT_EQ(field->Player()->lieRadius, 0.0f);
    Hold(' ');
    Frame(0.05f);
    EXPECT_EQ(field->Player()->lieCount, 1);
}

TEST_F(MetersTest, DiagonalKeysMoveOnePointFourPerSecondOnEachAxis)
{
    PlayField* field = StartEmptyGame();
    Place<Suit_Consumer>(Vector2(-2.5f, -2.0f));
    Hold('d');
    Hold('w');
    Run(1.0f, 0.05f);
    EXPECT_NEAR(field->Player()->GetPosition().X, 1.4f, 1e-3f);
    EXPECT_NEAR(field->Player()->GetPosition().Y, 1.4f, 1e-3f);
    EXPECT_EQ(field->Player()->GetBoid()->position, field->Player()->GetPosition());
}

TEST_F(MetersTest, TheTickerShowsThePriceTheGoalAndHighScoreAreTakenFrom)
{
    PlayField* field = StartEmptyGame();
    Place<Suit_Consumer>(Vector2(-2.5f, -2.0f));
    StockTicker& ticker = *field->Ticker();
    const float firstGoal = field->Goal();
    // A steep rise passes the first goal between two of the graph's one-second samples.
    ticker.AddEvent(6.0f, 2.5f);
    float highestShown = 0.0f;
    bool levelledUp = false;
    for (int frame = 0; frame < 400 && field->IsRunning(); ++frame)
    {
        Frame(1.0f / 60.0f);
        const float shown = std::stof(ticker.GetPriceText());
        highestShown = std::max(highestShown, shown);
        if (!levelledUp && field->Level() == 2)
        {
            levelledUp = true;
            // The ticker shows cents: a price a fraction of a cent past the goal reads as the goal.
            EXPECT_GE(shown, firstGoal) << "the level went up while the ticker read " << ticker.GetPriceText();
            EXPECT_LT(ticker.GetCurrentSample(), firstGoal) << "the samples lag: the test no longer tells";
            // Then down again, and the game ends.
            ticker.AddEvent(-8.0f, 1.0f);
        }
        if (frame == 300)
            while (field->LieBusts() < field->MaxLieBusts())
                field->CountBust();
    }
    ASSERT_TRUE(levelledUp);
    ASSERT_FALSE(field->IsRunning());
    EXPECT_EQ(StockTicker::FormatPrice(field->HighScore()), StockTicker::FormatPrice(highestShown))
        << "the high score is a price the ticker showed";
}
