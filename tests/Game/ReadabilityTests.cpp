// What a player must be able to read at a glance, checked on the drawn frame: banners and
// meters over whatever is on the field, dollars that never show as bare squares, a lie
// circle of the player's own and the busts that remain.

#include "GameTestSupport.h"

#include "Game/Explosions.h"
#include "Game/HudText.h"
#include "Game/LieMeter.h"
#include "Game/StockTicker.h"
#include "Platform/FontRegistry.h"
#include "Platform/ScreenMath.h"
#include "Util/MathKit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace
{
struct Pixel
{
    int r, g, b;
};

struct Box
{
    int left, top, right, bottom;
};

Pixel At(const FrameImage& image, int x, int y)
{
    // Rows are stored bottom-up; x and y are window pixels from the top left.
    const size_t offset =
        (static_cast<size_t>(image.height - 1 - y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)) * 4;
    return Pixel{image.pixels[offset], image.pixels[offset + 1], image.pixels[offset + 2]};
}

bool Inside(const FrameImage& image, int x, int y) { return x >= 0 && y >= 0 && x < image.width && y < image.height; }

// The largest difference of any channel of any pixel in the box between two frames.
int MaxDifference(const FrameImage& a, const FrameImage& b, const Box& box)
{
    int most = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
        {
            if (!Inside(a, x, y))
                continue;
            const Pixel p = At(a, x, y);
            const Pixel q = At(b, x, y);
            most = std::max({most, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)});
        }
    return most;
}

template <typename Test> int CountIn(const FrameImage& image, const Box& box, Test test)
{
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if (Inside(image, x, y) && test(At(image, x, y)))
                ++count;
    return count;
}

bool IsDark(const Pixel& p) { return p.r < 80 && p.g < 80 && p.b < 80; }
bool IsStrongRed(const Pixel& p) { return p.r > 180 && p.g < 60 && p.b < 60; }
bool IsPureWhite(const Pixel& p) { return p.r == 255 && p.g == 255 && p.b == 255; }

// The pixels a line of text covers (not its box), with the baseline at `row`.
Box TextBox(const String& text, const String& font, int x, int row)
{
    const Vector2 size = MeasureText(text, font);
    return Box{x, row - static_cast<int>(size.Y), x + static_cast<int>(size.X), row};
}

Box CentredTextBox(const String& text, const String& font, int row)
{
    return TextBox(text, font, HudText::CenteredX(text, font), row);
}

Vector2 WorldAt(int x, int y) { return MathKit::ScreenPointToWorld(x, y); }
} // namespace

class ReadabilityTest : public GameTest
{
protected:
    // Characters and a bust burst crowded under the given screen points.
    std::vector<Suit*> CrowdUnder(const std::vector<Vec2i>& points)
    {
        std::vector<Suit*> crowd;
        for (const Vec2i& point : points)
        {
            crowd.push_back(Place<Suit_AI>(WorldAt(point.X, point.Y)));
            auto* consumer = Place<Suit_Consumer>(WorldAt(point.X + 40, point.Y + 10));
            // A consumer that has paid shows its money bar.
            consumer->money = 3.0f;
            crowd.push_back(consumer);
            World::GetInstance().Add(new LieMeterBustExplosion(WorldAt(point.X, point.Y)), 0);
        }
        return crowd;
    }

    // The same frame drawn again with the crowd moved to the bottom-left corner.
    FrameImage WithoutCrowd(const std::vector<Suit*>& crowd)
    {
        for (Suit* suit : crowd)
            suit->SetPosition(WorldAt(0, 768));
        Frame(0.0f);
        return CaptureFrame();
    }

    // How many dollars on the screen are drawn as a plain white square: sampled near the
    // four corners of the square, where the coin's picture is clear.
    int WhiteSquares()
    {
        const FrameImage image = CaptureFrame();
        int squares = 0;
        for (AlmightyDollar* dollar : Field()->Dollars())
        {
            int seen = 0;
            int white = 0;
            for (const Vector2 corner :
                 {Vector2(-0.3f, -0.3f), Vector2(0.3f, -0.3f), Vector2(0.3f, 0.3f), Vector2(-0.3f, 0.3f)})
            {
                const Vector2 at = MathKit::WorldPointToScreen(dollar->GetPosition() + corner);
                const int x = static_cast<int>(at.X);
                const int y = static_cast<int>(at.Y);
                if (!Inside(image, x, y))
                    continue;
                ++seen;
                white += IsPureWhite(At(image, x, y)) ? 1 : 0;
            }
            if (seen >= 2 && white == seen)
                ++squares;
        }
        return squares;
    }
};

TEST_F(ReadabilityTest, BannersAndTheGoalStayOverEverythingOnTheField)
{
    MathKit::SeedRandom(5);
    std::srand(5);
    PlayField* field = StartEmptyGame();
    Place<Suit_Consumer>(Vector2(-2.5f, -2.0f));
    const String goalLine = "Goal:10.00";
    const String levelBanner = "Reach Stock Price of 10.00";
    std::vector<Suit*> crowd = CrowdUnder({{512, 290}, {380, 280}, {650, 285}, {512, 40}, {420, 40}});
    Frame();
    const FrameImage crowded = CaptureFrame();
    const FrameImage clear = WithoutCrowd(crowd);
    EXPECT_LE(MaxDifference(crowded, clear, CentredTextBox(levelBanner, "ConsoleLarge", 300)), 16)
        << "the goal banner is covered";
    EXPECT_LE(MaxDifference(crowded, clear, CentredTextBox(goalLine, "Console", 30)), 16) << "the goal is covered";

    // Game over: the result stays readable over the crowd, the player and the bust bursts.
    while (field->LieBusts() < field->MaxLieBusts())
        field->CountBust();
    Frame();
    ASSERT_FALSE(field->IsRunning());
    const Vec2i underResult[] = {{512, 290}, {400, 390}, {620, 395}, {512, 490}, {380, 485}};
    for (size_t i = 0; i < std::size(underResult); ++i)
    {
        const Vec2i at = underResult[i];
        crowd[2 * i]->SetPosition(WorldAt(at.X, at.Y));
        crowd[2 * i + 1]->SetPosition(WorldAt(at.X + 40, at.Y + 10));
        World::GetInstance().Add(new LieMeterBustExplosion(WorldAt(at.X, at.Y)), 0);
    }
    field->Player()->SetPosition(WorldAt(512, 400));
    crowd.push_back(field->Player());
    Frame();
    const FrameImage over = CaptureFrame();
    const FrameImage overClear = WithoutCrowd(crowd);
    char highScore[64];
    std::snprintf(highScore, sizeof(highScore), "High Score: %.2f", static_cast<double>(field->HighScore()));
    for (const auto& [line, row] :
         {std::pair<String, int>("Game Over!", 300), std::pair<String, int>("You lied too much.", 400),
          std::pair<String, int>(highScore, 500)})
    {
        const Box box = CentredTextBox(line, "ConsoleLarge", row);
        EXPECT_LE(MaxDifference(over, overClear, box), 16) << line << " is covered";
        EXPECT_GT(CountIn(over, box, IsDark), 300) << line << " has no text";
    }
}

TEST_F(ReadabilityTest, NothingOnTheFieldShowsThroughTheMeters)
{
    PlayField* field = StartEmptyGame();
    Place<Suit_Consumer>(Vector2(-2.5f, -2.0f));
    const std::vector<Suit*> crowd = CrowdUnder({{60, 40}, {160, 60}, {230, 30}, {830, 40}, {900, 30}, {850, 66}});
    Frame();
    const FrameImage crowded = CaptureFrame();
    const FrameImage clear = WithoutCrowd(crowd);
    // The ticker's panel, and the lie meter's texts and bar.
    EXPECT_LE(MaxDifference(crowded, clear, Box{0, 0, 265, 108}), 16) << "the ticker";
    EXPECT_LE(MaxDifference(crowded, clear, TextBox("Lies:", "Console", 800, 30)), 16) << "\"Lies:\"";
    EXPECT_LE(MaxDifference(crowded, clear, Box{865, 9, 865 + static_cast<int>(field->Meter()->value), 37}), 16)
        << "the meter's bar";
    EXPECT_LE(MaxDifference(crowded, clear, TextBox(field->Meter()->GetBustsLeftText(), "ConsoleSmall", 800, 62)), 16)
        << "the busts left";
}

TEST_F(ReadabilityTest, DollarsNeverShowAsWhiteSquares)
{
    MathKit::SeedRandom(11);
    std::srand(11);
    PlayField* field = StartGame();
    ASSERT_EQ(field->Dollars().size(), 3u);
    // A dollar's first picture change comes after 0.175 s: look at every frame before it.
    for (int frame = 0; frame < 10; ++frame)
    {
        Frame();
        EXPECT_EQ(WhiteSquares(), 0) << "frame " << frame << " of the game";
    }

    // A level-up brings new dollars at the edges of the view, which then widens.
    field->Ticker()->price = field->Goal() + 0.5f;
    const size_t before = field->Dollars().size();
    Frame();
    ASSERT_EQ(field->Level(), 2);
    ASSERT_GT(field->Dollars().size(), before);
    for (int frame = 0; frame < 10; ++frame)
    {
        EXPECT_EQ(WhiteSquares(), 0) << "frame " << frame << " after the level-up";
        Frame();
    }
}

TEST_F(ReadabilityTest, ThePlayersLieCircleIsABoldBandUnlikeAJournalistsFlash)
{
    PlayField* field = StartEmptyGame();
    Place<Suit_Consumer>(Vector2(-3.5f, -2.5f));
    auto* journalist = Place<Suit_Journalist>(Vector2(2.8f, 0.0f));
    field->Meter()->maxValue = field->Meter()->value = 1e6f;
    Hold(' ');
    ASSERT_TRUE(RunUntil([&] { return field->Player()->lieRadius > 1.2f; }, 2.0f));
    // Frozen, so that both circles are drawn as set here.
    World::GetInstance().particlesOnly = true;
    journalist->flashRadius = 1.0f;
    Screen()->HideGoalBanner();
    const float lieRadius = field->Player()->lieRadius;
    Frame();
    const FrameImage image = CaptureFrame();

    const float pixelsPerUnit = 1.0f / MathKit::PixelLengthToWorld(1.0f);
    auto strongOnCircle = [&](const Vector2& centre, float radius)
    {
        const Vector2 middle = MathKit::WorldPointToScreen(centre);
        int hits = 0;
        for (int k = 0; k < 64; ++k)
        {
            const float a = static_cast<float>(k) * 6.2831853f / 64.0f;
            const int x = static_cast<int>(middle.X + std::cos(a) * radius * pixelsPerUnit);
            const int y = static_cast<int>(middle.Y - std::sin(a) * radius * pixelsPerUnit);
            if (CountIn(image, Box{x - 1, y - 1, x + 2, y + 2}, IsStrongRed) > 0)
                ++hits;
        }
        return hits;
    };
    EXPECT_GE(strongOnCircle(field->Player()->GetPosition(), lieRadius), 60) << "the player's circle";
    EXPECT_EQ(strongOnCircle(journalist->GetPosition(), 1.0f), 0) << "the journalist's flash";

    // Across the band, straight up from the player: several pixels wide.
    const Vector2 top = MathKit::WorldPointToScreen(field->Player()->GetPosition() + Vector2(0.0f, lieRadius));
    const int x = static_cast<int>(top.X);
    const int y = static_cast<int>(top.Y);
    EXPECT_GE(CountIn(image, Box{x, y - 6, x + 1, y + 7}, IsStrongRed), 3) << "the band's width";
}

TEST_F(ReadabilityTest, BustsLeftShowUnderTheMeterAtAllTimes)
{
    PlayField* field = StartEmptyGame();
    Place<Suit_Consumer>(Vector2(-2.5f, -2.0f));
    LieMeter* meter = field->Meter();
    auto textUnderMeter = [&]
    {
        Frame();
        return CountIn(CaptureFrame(), TextBox(meter->GetBustsLeftText(), "ConsoleSmall", 800, 62), IsDark);
    };
    EXPECT_EQ(meter->GetBustsLeftText(), "Busts left: 3");
    EXPECT_GT(textUnderMeter(), 30);

    // During a bust the meter says "Busted! 1 of 3"; the count stays beside it.
    field->CountBust();
    meter->bustTime = 5.0f;
    EXPECT_EQ(meter->GetBustsLeftText(), "Busts left: 2");
    EXPECT_GT(textUnderMeter(), 30);
    EXPECT_GT(CountIn(CaptureFrame(), TextBox("Busted! 1 of 3", "Console", 800, 30), IsStrongRed), 30);

    field->CountBust();
    field->CountBust();
    EXPECT_EQ(meter->GetBustsLeftText(), "Busts left: 0");
    EXPECT_GT(textUnderMeter(), 30);
}
