#include "GameTestSupport.h"

#include "Actors/TextActor.h"
#include "Game/StockTicker.h"
#include "Game/SuitScreenCredits.h"
#include "Game/SuitScreenStart.h"
#include "Game/SuitScreenTutorial.h"
#include "Messaging/Switchboard.h"
#include "Platform/KeyCodes.h"
#include "Platform/ScreenMath.h"
#include "TestUtilities/TestImages.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace
{
constexpr float Dt = 0.05f;

SuitScreenStart* Menu(SuitGameManager* manager)
{
    return static_cast<SuitScreenStart*>(manager->GetScreen(SuitGameManager::SI_Start));
}

void SaveShot(const char* name)
{
    const char* folder = std::getenv("QVRN_SCREENSHOT_DIR");
    if (folder && *folder)
        SavePng(CaptureFrame(), String(folder) + "/" + name + ".png");
}
} // namespace

class ScreensTest : public GameTest
{
};

TEST_F(ScreensTest, HeldDownMovesTheHighlightEveryThirdOfASecondAndWraps)
{
    SuitScreenStart* menu = Menu(manager);
    Hold('s');
    std::vector<int> order;
    std::vector<float> times;
    float now = 0.0f;
    for (int frame = 0; frame < 100; ++frame)
    {
        const int before = menu->selected;
        Frame(0.01f);
        now += 0.01f;
        if (menu->selected != before)
        {
            order.push_back(menu->selected);
            times.push_back(now);
        }
    }
    ASSERT_EQ(order, (std::vector<int>{1, 2, 0})) << "Play, Tutorial, Credits, and round to Play";
    for (size_t i = 1; i < times.size(); ++i)
        // The delay runs out in one frame and the move comes in the next.
        EXPECT_NEAR(times[i] - times[i - 1], 0.31f, 0.015f);
    ReleaseAll();

    Run(0.3f, 0.01f);
    Hold(KeyCodes::KEY_UP);
    Frame(0.01f);
    EXPECT_EQ(menu->selected, 2) << "up from Play reaches Credits";
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Start);
}

TEST_F(ScreensTest, ConfirmWithADirectionSendsTheNewlyHighlightedItem)
{
    Run(0.35f, Dt);
    Hold('s');
    Hold(KeyCodes::KEY_ENTER);
    Frame(Dt);
    ReleaseAll();
    Run(0.1f, Dt);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Tutorial);
}

TEST_F(ScreensTest, ClickOnAnItemSendsItsLabelEvenDuringTheInputDelay)
{
    SuitScreenStart* menu = Menu(manager);
    Frame(Dt);
    const Vector2 low = menu->items[2]->GetBoundsLowerLeft();
    const Vector2 high = menu->items[2]->GetBoundsUpperRight();
    const Vector2 outside = MathKit::WorldPointToScreen(Vector2(high.X + 1.0f, high.Y + 1.0f));
    menu->MouseDownEvent(Vec2i(static_cast<int>(outside.X), static_cast<int>(outside.Y)), MOUSE_LEFT);
    Run(0.1f, Dt);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Start);

    const Vector2 inside = MathKit::WorldPointToScreen((low + high) * 0.5f);
    menu->MouseDownEvent(Vec2i(static_cast<int>(inside.X), static_cast<int>(inside.Y)), MOUSE_RIGHT);
    Run(0.1f, Dt);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Credits);
    EXPECT_EQ(menu->items[0].Get(), nullptr) << "the menu's items go with it";
}

TEST_F(ScreensTest, BackOnTheMenuRebuildsItWithPlayHighlighted)
{
    SuitScreenStart* menu = Menu(manager);
    Hold('s');
    Run(0.4f, Dt);
    ReleaseAll();
    ASSERT_EQ(menu->selected, 1);
    TextActor* before = menu->items[0].Get();
    Switchboard::GetInstance().Broadcast(new Message("Back"));
    Frame(Dt);
    EXPECT_EQ(menu->selected, 0);
    EXPECT_NE(menu->items[0].Get(), nullptr);
    EXPECT_TRUE(before != menu->items[0].Get() || !before) << "new items";
}

TEST_F(ScreensTest, TutorialWithoutPagesReturnsOnTheFirstPress)
{
    // A folder with no pictures at all, as a game installed without its art would be.
    TestImageFolder folder;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path(""));

    manager->SwitchTo(SuitGameManager::SI_Tutorial);
    auto* tutorial = static_cast<SuitScreenTutorial*>(manager->GetScreen(SuitGameManager::SI_Tutorial));
    Run(0.2f, Dt);
    EXPECT_EQ(tutorial->pageCount, 0);
    Hold(' ');
    Frame(Dt);
    ReleaseAll();
    Run(0.1f, Dt);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Start);
    std::filesystem::current_path(previous);
}

TEST_F(ScreensTest, TutorialOfThreePagesTakesFourPresses)
{
    TestImageFolder folder;
    std::filesystem::create_directories(folder.Path("Resources/Images"));
    for (int page = 1; page <= 3; ++page)
        folder.WriteSolid("Resources/Images/Tutorial_00" + std::to_string(page) + ".png",
                          Color(0.2f * static_cast<float>(page), 0.5f, 0.5f));
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path(""));

    manager->SwitchTo(SuitGameManager::SI_Tutorial);
    auto* tutorial = static_cast<SuitScreenTutorial*>(manager->GetScreen(SuitGameManager::SI_Tutorial));
    EXPECT_EQ(tutorial->pageCount, 3);
    Run(0.15f, Dt);
    int presses = 0;
    while (manager->GetCurrentScreen() == SuitGameManager::SI_Tutorial && presses < 10)
    {
        Hold(' ');
        Frame(Dt);
        ReleaseAll();
        ++presses;
        Run(0.35f, Dt);
    }
    std::filesystem::current_path(previous);
    EXPECT_EQ(presses, 4);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Start);
}

TEST_F(ScreensTest, CreditsReturnByThemselvesAfterTwentySeconds)
{
    manager->SwitchTo(SuitGameManager::SI_Credits);
    Run(8.0f, 0.1f);
    SaveShot("qvrn-credits");
    Run(11.8f, 0.1f);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Credits);
    Run(0.5f, 0.1f);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Start);
}

TEST_F(ScreensTest, ConfirmLeavesTheCreditsAtOnce)
{
    manager->SwitchTo(SuitGameManager::SI_Credits);
    Run(0.4f, Dt);
    Hold(KeyCodes::KEY_ENTER);
    Frame(Dt);
    ReleaseAll();
    Frame(Dt);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Start);
}

TEST_F(ScreensTest, TutorialShowsItsFirstPageOrItsInstructions)
{
    manager->SwitchTo(SuitGameManager::SI_Tutorial);
    Run(0.5f, Dt);
    SaveShot("qvrn-tutorial");
    auto* tutorial = static_cast<SuitScreenTutorial*>(manager->GetScreen(SuitGameManager::SI_Tutorial));
    ASSERT_NE(tutorial->image.Get(), nullptr);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Tutorial);
}

TEST_F(ScreensTest, TheHighlightedItemStaysAStrongBlueThroughItsPulse)
{
    SuitScreenStart* menu = Menu(manager);
    const Vector2 low = menu->items[0]->GetBoundsLowerLeft();
    const Vector2 high = menu->items[0]->GetBoundsUpperRight();
    const Vector2 topLeft = MathKit::WorldPointToScreen(Vector2(low.X, high.Y));
    const Vector2 bottomRight = MathKit::WorldPointToScreen(Vector2(high.X, low.Y));
    // Two whole pulses, looking at the most strongly blue pixel of "Play" in each frame.
    for (int frame = 0; frame < 60; ++frame)
    {
        Frame(Dt);
        const FrameImage image = CaptureFrame();
        int bestBlue = 0;
        int bestLead = -255;
        for (int y = static_cast<int>(topLeft.Y); y <= static_cast<int>(bottomRight.Y); ++y)
            for (int x = static_cast<int>(topLeft.X); x <= static_cast<int>(bottomRight.X); ++x)
            {
                const size_t at = (static_cast<size_t>(image.height - 1 - y) * static_cast<size_t>(image.width) +
                                   static_cast<size_t>(x)) *
                                  4;
                const int r = image.pixels[at];
                const int b = image.pixels[at + 2];
                if (b - r > bestLead)
                {
                    bestLead = b - r;
                    bestBlue = b;
                }
            }
        // Never a pale, greyish blue, never a dim one.
        EXPECT_GE(bestLead, 120) << "frame " << frame;
        EXPECT_GE(bestBlue, 190) << "frame " << frame;
    }
}

TEST_F(ScreensTest, CreditsShowTextUntilTheScrollEnds)
{
    manager->SwitchTo(SuitGameManager::SI_Credits);
    Run(15.0f, 0.1f);
    for (float t = 15.0f; t < 19.9f; t += 0.1f)
    {
        Frame(0.1f);
        ASSERT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Credits);
        const FrameImage image = CaptureFrame();
        int dark = 0;
        for (size_t i = 0; i < image.pixels.size(); i += 4)
            if (image.pixels[i] < 80 && image.pixels[i + 1] < 80 && image.pixels[i + 2] < 80)
                ++dark;
        EXPECT_GT(dark, 200) << "an empty screen " << t + 0.1f << " s into the credits";
    }
}

TEST_F(ScreensTest, KeysHeldWhenAScreenComesUpAreNotItsUntilPressedAgain)
{
    // Space held through a game's end: the menu must not start the next game with it.
    Hold(' ');
    manager->SwitchTo(SuitGameManager::SI_Start);
    Run(1.0f, Dt);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Start);
    Hold(KeyCodes::KEY_DOWN);
    Run(0.2f, Dt);
    EXPECT_EQ(Menu(manager)->selected, 1) << "a key pressed on the menu works at once";
    ReleaseAll();

    // Enter held into a game, space held as it starts: no lie until space comes anew.
    Hold(KeyCodes::KEY_ENTER);
    ASSERT_TRUE(RunUntil([&] { return manager->GetCurrentScreen() == SuitGameManager::SI_Tutorial; }, 1.0f, Dt));
    ReleaseAll();
    manager->SwitchTo(SuitGameManager::SI_Start);
    Hold(' ');
    manager->SwitchTo(SuitGameManager::SI_Play);
    Run(0.5f, Dt);
    EXPECT_EQ(Field()->Player()->lieRadius, 0.0f);
    Release(' ');
    Frame(Dt);
    Hold(' ');
    Run(0.2f, Dt);
    EXPECT_GT(Field()->Player()->lieRadius, 0.3f);
}

TEST_F(ScreensTest, TheLeaveKeyEndsAGameAsGamesEndAndLeavesTheOtherScreens)
{
    PlayField* field = StartGame();
    Run(0.5f, Dt);
    manager->OnLeaveKey();
    Frame(Dt);
    EXPECT_TRUE(field->IsGameOver());
    EXPECT_TRUE(field->WasLeft());
    EXPECT_FALSE(field->IsRunning()) << "the game was decided, its high score taken";
    EXPECT_TRUE(World::GetInstance().particlesOnly) << "the result shows over the still field";
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Play);
    ASSERT_TRUE(RunUntil([&] { return manager->GetCurrentScreen() == SuitGameManager::SI_Start; }, 5.5f, Dt));

    // The menu has nothing to leave to; the tutorial and the credits go back to it.
    manager->OnLeaveKey();
    Run(0.2f, Dt);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Start);
    for (int screen : {SuitGameManager::SI_Tutorial, SuitGameManager::SI_Credits})
    {
        manager->SwitchTo(screen);
        manager->OnLeaveKey();
        Run(0.2f, Dt);
        EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Start) << screen;
    }
}

TEST_F(ScreensTest, PadBackLeavesAGameWithoutItsResultButKeepsItsBestPrice)
{
    PlayField* field = StartGame();
    // Far above any price a real game on this machine may have kept.
    field->Ticker()->price = 123456.0f;
    Frame(Dt);
    ASSERT_GE(field->HighScore(), 123456.0f);
    Hold(1005);
    ASSERT_TRUE(RunUntil([&] { return manager->GetCurrentScreen() == SuitGameManager::SI_Start; }, 0.5f, Dt));
    EXPECT_GE(BestPrice::Load(), 123456.0f);
}
