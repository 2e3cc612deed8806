#include "FramePixels.h"
#include "GameTestSupport.h"

#include "Game/AlmightyDollar.h"
#include "Game/HudText.h"
#include "Game/LieMeter.h"
#include "Game/SteeringBehavior.h"
#include "Game/StockTicker.h"
#include "Game/SuitScreenTutorial.h"
#include "Game/Suit_Consumer.h"
#include "Game/Suit_Player.h"
#include "Infrastructure/Camera.h"
#include "Platform/FontRegistry.h"
#include "Platform/KeyCodes.h"
#include "Platform/ScreenMath.h"
#include "Util/MathKit.h"

#include <cmath>
#include <cstdlib>

namespace
{
bool IsRed(const Pixel& p) { return p.r > 200 && p.g < 150 && p.b < 150; }
bool IsGraphBlue(const Pixel& p) { return p.b > 200 && p.r < 140 && p.g < 140; }
bool IsBright(const Pixel& p) { return p.r > 190 && p.g > 190 && p.b > 190; }
} // namespace

// A whole game played by a small bot through the keyboard: menu, Play, lies and
// followers, the first goal, three busts, the result, and back to the menu. Pictures of
// each screen are checked for what must be on them; with QVRN_SCREENSHOT_DIR set they
// are also written there.
class GameFlowTest : public GameTest
{
protected:
    FrameImage Shot(const char* name)
    {
        FrameImage image = CaptureFrame();
        const char* folder = std::getenv("QVRN_SCREENSHOT_DIR");
        if (folder && *folder)
            SavePng(image, String(folder) + "/" + name + ".png");
        return image;
    }

    // Walks to the nearest free consumer or dollar and lies when a consumer is close.
    void Steer()
    {
        PlayField* field = Field();
        Suit_Player* player = field->Player();
        const Vector2 me = player->GetPosition();
        Vector2 goal = me;
        float best = 1e9f;
        bool consumerGoal = false;
        for (Suit_Consumer* consumer : field->Consumers())
        {
            if (consumer->GetLeader() == player || consumer->flee->enabled)
                continue;
            const float d = Vector2::Distance(consumer->GetPosition(), me);
            if (d < best)
            {
                best = d;
                goal = consumer->GetPosition();
                consumerGoal = true;
            }
        }
        for (AlmightyDollar* dollar : field->Dollars())
        {
            const float d = Vector2::Distance(dollar->GetPosition(), me);
            if (d < best)
            {
                best = d;
                goal = dollar->GetPosition();
                consumerGoal = false;
            }
        }
        ReleaseAll();
        if (goal.X > me.X + 0.2f)
            Hold('d');
        else if (goal.X < me.X - 0.2f)
            Hold('a');
        if (goal.Y > me.Y + 0.2f)
            Hold('w');
        else if (goal.Y < me.Y - 0.2f)
            Hold('s');
        const bool lying = player->lieRadius > 0.0f;
        if (consumerGoal && best < 2.5f && field->Meter()->value > (lying ? 20.0f : 70.0f))
            Hold(' ');
    }
};

TEST_F(GameFlowTest, MenuToPlayToLevelTwoToThreeBustsAndBack)
{
    constexpr float Dt = 1.0f / 30.0f;
    MathKit::SeedRandom(3);
    std::srand(3);
    ASSERT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Start);
    Run(1.0f, Dt);
    const FrameImage menu = Shot("qvrn-menu");
    EXPECT_GT(CountIn(menu, 775, 165, 880, 205, IsRed), 50) << "the red title";

    Hold(KeyCodes::KEY_ENTER);
    ASSERT_TRUE(RunUntil([&] { return manager->GetCurrentScreen() == SuitGameManager::SI_Play; }, 2.0f, Dt));
    ReleaseAll();
    PlayField* field = Field();
    ASSERT_TRUE(field->IsRunning());

    // Play until the first goal is passed, taking a picture of the first good lie.
    bool lieShot = false;
    bool crowdShot = false;
    for (float t = 0.0f; t < 90.0f && field->Level() < 2 && field->IsRunning(); t += Dt)
    {
        Steer();
        Frame(Dt);
        if (!crowdShot && field->Player()->lieRadius > 0.9f && field->Player()->GetFollowerCount() >= 1)
        {
            crowdShot = true;
            Shot("qvrn-crowd");
        }
        if (!lieShot && field->Player()->lieRadius > 1.0f)
        {
            lieShot = true;
            Frame(Dt);
            const FrameImage lying = Shot("qvrn-play");
            const Vector2 centre = MathKit::WorldPointToScreen(field->Player()->GetPosition());
            const float radius = field->Player()->lieRadius / MathKit::PixelLengthToWorld(1.0f);
            int redOnRing = 0;
            for (int k = 0; k < 32; ++k)
            {
                const float a = static_cast<float>(k) * 6.2831853f / 32.0f;
                const int x = static_cast<int>(centre.X + std::cos(a) * radius);
                const int y = static_cast<int>(centre.Y - std::sin(a) * radius);
                if (CountIn(lying, x - 2, y - 2, x + 3, y + 3,
                            [](const Pixel& p) { return p.r > 200 && p.g < 190 && p.b < 190 && p.r - p.g > 60; }) > 0)
                    ++redOnRing;
            }
            EXPECT_GT(redOnRing, 20) << "the lie circle";
            EXPECT_GT(CountIn(lying, 75, 8, 232, 102, IsGraphBlue), 3) << "the ticker's graph";
        }
    }
    ASSERT_EQ(field->Level(), 2) << "price " << field->Ticker()->price;
    EXPECT_TRUE(lieShot) << "no lie grew to a radius of 1 before the first goal";
    ReleaseAll();
    Run(0.5f, Dt);
    const FrameImage levelUp = Shot("qvrn-levelup");
    EXPECT_TRUE(Screen()->IsGoalBannerShown());
    EXPECT_GT(CountIn(levelUp, 200, 260, 824, 310, IsBright), 2000) << "the goal banner's box";

    // Play on at level 2 for a while: the banner goes, the crowd grows.
    bool fieldShot = false;
    for (float t = 0.0f; t < 8.0f && field->IsRunning() && !fieldShot; t += Dt)
    {
        Steer();
        Frame(Dt);
        if ((t > 3.5f && field->Player()->lieRadius > 0.6f) || t > 6.0f)
        {
            fieldShot = true;
            Shot("qvrn-field");
        }
    }
    ASSERT_TRUE(field->IsRunning());

    // Lie without pause: three busts end the game.
    Hold(' ');
    ASSERT_TRUE(RunUntil([&] { return !field->IsRunning(); }, 40.0f, Dt)) << "busts " << field->LieBusts();
    ReleaseAll();
    EXPECT_EQ(field->LieBusts(), 3);
    Run(1.0f, Dt);
    const FrameImage over = Shot("qvrn-gameover");
    EXPECT_TRUE(World::GetInstance().particlesOnly);
    const String banner = "You lied too much.";
    const int left = HudText::CenteredX(banner, "ConsoleLarge");
    EXPECT_GT(CountIn(over, left, 370, left + 200, 402, IsBright), 1500) << "the result banner's box";

    // "Back" comes five seconds after the end.
    Run(3.5f, Dt);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Play);
    ASSERT_TRUE(RunUntil([&] { return manager->GetCurrentScreen() == SuitGameManager::SI_Start; }, 1.5f, Dt));
    EXPECT_FALSE(World::GetInstance().particlesOnly);
    EXPECT_TRUE(field->Suits().empty());
}
