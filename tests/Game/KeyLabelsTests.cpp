#include "FramePixels.h"
#include "GameTestSupport.h"

#include "Game/KeyLabels.h"
#include "Game/SuitScreenStart.h"
#include "Game/SuitScreenTutorial.h"
#include "Input/ControllerManager.h"
#include "Input/InputRouter.h"
#include "Platform/FontRegistry.h"
#include "Platform/KeyCodes.h"

#include <algorithm>

namespace
{
constexpr float Dt = 0.05f;

// The bindings of a player who lies with F and walks with I J K L.
const StringList Rebound = {"F = +LieStart", "F = -LieStop",  "I = +MoveUp",   "I = -StopUp",
                            "K = +MoveDown", "K = -StopDown", "J = +MoveLeft", "L = +MoveRight"};

void UseBindings(const StringList& lines)
{
    InputRouter::GetInstance().ClearBindings();
    InputRouter::GetInstance().ReadBindings(lines, "test.ini");
}

// The left and right ends of the dark ink in a box, or (-1, -1) without any.
std::pair<int, int> InkSpan(const FrameImage& image, int left, int top, int right, int bottom)
{
    int first = -1;
    int last = -1;
    for (int x = left; x < right; ++x)
        if (CountIn(image, x, top, x + 1, bottom, IsInk) > 0)
        {
            first = first < 0 ? x : first;
            last = x;
        }
    return {first, last};
}

// The hint's grey letters over the pale background, edges included.
bool IsHintInk(const Pixel& p) { return p.r < 170 && p.g < 170 && p.b < 170; }

bool IsPadGreen(const Pixel& p) { return p.g > 120 && p.r < 80 && p.b < 100; }
} // namespace

class KeyLabelsTest : public GameTest
{
protected:
    SuitScreenTutorial* Tutorial() const
    {
        return static_cast<SuitScreenTutorial*>(manager->GetScreen(SuitGameManager::SI_Tutorial));
    }
    // The tutorial at its page (from 1), turned with the key given.
    void TurnTo(int page, int key)
    {
        manager->SwitchTo(SuitGameManager::SI_Tutorial);
        Run(0.2f, Dt);
        while (Tutorial()->ShownPage() < page || Tutorial()->page < 1)
        {
            Hold(key);
            Frame(Dt);
            Release(key);
            Run(0.35f, Dt);
        }
        ASSERT_EQ(Tutorial()->ShownPage(), page);
    }
};

TEST_F(KeyLabelsTest, TheMenuHintNamesTheBoundKeysThePadAndWhatEscapeDoes)
{
    EXPECT_EQ(KeyLabels::MenuHint(false, true), "Up/Down or W/S to choose, Enter or Space to go, Esc to quit");
    EXPECT_EQ(KeyLabels::MenuHint(true, true),
              "Up/Down, W/S or the stick to choose, Enter, Space or pad A to go, Esc to quit");
    EXPECT_EQ(KeyLabels::MenuHint(false, false), "Up/Down or W/S to choose, Enter or Space to go, Esc to leave a game");

    UseBindings(Rebound);
    EXPECT_EQ(KeyLabels::MenuHint(false, true), "Up/Down or I/K to choose, Enter or F to go, Esc to quit");
    EXPECT_EQ(KeyLabels::MenuHint(true, true),
              "Up/Down, I/K or the stick to choose, Enter, F or pad A to go, Esc to quit");

    // More keys than one a direction, a pad button for lying, and Escape taken for a message.
    UseBindings({"W = +MoveUp", "S = +MoveDown", "KP_8 = +MoveUp", "KP_2 = +MoveDown", "P1BUTTON_X = +LieStart",
                 "L_SHIFT = +LieStart", "ESCAPE = Pause"});
    EXPECT_EQ(KeyLabels::MenuHint(true, true),
              "Up/Down, Keypad 8/Keypad 2, W/S or the stick to choose, Enter, Left Shift, pad A or pad X to go");
    EXPECT_EQ(KeyLabels::Of(','), ",");
    EXPECT_EQ(KeyLabels::Of(1005), "pad Back");
    EXPECT_EQ(KeyLabels::Of(1020), "pad 2 A");
}

TEST_F(KeyLabelsTest, TheMenuShowsTheHintOfTheBindingsInEffect)
{
    UseBindings(Rebound);
    manager->SwitchTo(SuitGameManager::SI_Start);
    Run(0.5f, Dt);
    const FrameImage menu = CaptureFrame();

    // The words a player with these bindings must read, drawn alone where the hint goes.
    const String expected = "Up/Down or I/K to choose, Enter or F to go, Esc to quit";
    Draw::BeginFrame();
    Draw::SetColor(Color(0.3f, 0.3f, 0.3f, 1.0f));
    DrawScreenText(expected, "ConsoleSmall", 512 - static_cast<int>(MeasureText(expected, "ConsoleSmall").X / 2.0f),
                   740);
    const FrameImage words = CaptureFrame();
    Draw::EndFrame();
    EXPECT_GT(CountIn(words, 0, 722, 1024, 750, IsHintInk), 300);
    EXPECT_LE(MismatchesIn(menu, words, 0, 722, 1024, 750, IsHintInk), 5);
}

TEST_F(KeyLabelsTest, TheTutorialDrawsTheBoundKeysAndThePadOnlyWhenThere)
{
    UseBindings(Rebound);
    TurnTo(1, 'f');
    FrameImage page = CaptureFrame();
    // One row of caps, I J K L: the arrows no longer walk, and nothing says W A S D.
    EXPECT_GT(CountIn(page, 660, 434, 900, 466, IsInk), 100) << "the walking keys";
    EXPECT_EQ(CountIn(page, 660, 486, 900, 518, IsInk), 0) << "a second row of walking keys";
    EXPECT_EQ(CountIn(page, 580, 560, 1000, 600, IsInk), 0) << "the stick, without a pad";

    TurnTo(2, 'f');
    page = CaptureFrame();
    // The lying key's cap holds one letter, not "SPACE".
    const auto lie = InkSpan(page, 650, 514, 760, 546);
    ASSERT_GE(lie.first, 0) << "no lying key";
    EXPECT_LT(lie.second - lie.first, 20) << "the cap's label spans " << lie.first << ".." << lie.second;
    EXPECT_EQ(CountIn(page, 600, 680, 1024, 730, IsPadGreen), 0) << "pad A, without a pad";
    // The footer: F, then "next page" up against the right edge.
    const auto footer = InkSpan(page, 560, 690, 1024, 722);
    EXPECT_GT(footer.first, 800) << "the footer's keys start at " << footer.first;

    ControllerManager::GetInstance().GetController(0).SetScripted(true);
    Frame(Dt);
    page = CaptureFrame();
    EXPECT_GT(CountIn(page, 700, 680, 1024, 730, IsPadGreen), 300) << "pad A in the footer";
    EXPECT_GT(CountIn(page, 650, 505, 1000, 555, IsPadGreen), 300) << "pad A beside the lying key";
}
