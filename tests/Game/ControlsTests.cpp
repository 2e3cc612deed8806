#include "Game/GameControls.h"
#include "Game/LieMeter.h"
#include "Game/SuitScreenStart.h"
#include "GameTestSupport.h"
#include "Input/InputCallbacks.h"
#include "Input/InputRouter.h"
#include "Platform/KeyCodes.h"

#include <gtest/gtest.h>

namespace
{
class ControlsTest : public GameTest
{
protected:
    // A started game with one consumer far off, so that it doesn't end at once for want
    // of consumers.
    PlayField* StartQuietGame()
    {
        PlayField* field = StartEmptyGame();
        Place<Suit_Consumer>(Vector2(-9.0f, -7.0f));
        field->Meter()->maxValue = field->Meter()->value = 1e6f;
        return field;
    }
    // Binds the lines instead of whatever the run folder's file bound.
    static void UseBindings(const StringList& lines)
    {
        InputRouter::GetInstance().ClearBindings();
        InputRouter::GetInstance().ReadBindings(lines, "test.ini");
    }
};

// The real key path, as an input script drives it: the console and the router decide
// what the game sees, not the test's own key source.
class ConsoleKeysTest : public ControlsTest
{
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        GameScreen::SetKeySource(nullptr);
    }
    static void Press(int key)
    {
        InputRouter::GetInstance().SetScriptedKey(key, true);
        InputCallbacks::OnKey(key, true);
    }
    static void Let(int key)
    {
        InputRouter::GetInstance().SetScriptedKey(key, false);
        InputCallbacks::OnKey(key, false);
    }
    static void Type(char c)
    {
        Press(c);
        InputCallbacks::OnCharacter(static_cast<unsigned char>(c));
    }
};
} // namespace

TEST_F(ControlsTest, TheShippedBindingsGiveTheUsualKeys)
{
    // Tests run in the run folder: its Config/input_bindings.ini is the shipped one.
    EXPECT_EQ(GameControls::KeysOf(GA_Lie), std::vector<int>({' ', 1000}));
    EXPECT_EQ(GameControls::KeysOf(GA_MoveLeft), std::vector<int>({'a', KeyCodes::KEY_LEFT}));
    EXPECT_EQ(GameControls::KeysOf(GA_MoveRight), std::vector<int>({'d', KeyCodes::KEY_RIGHT}));
    EXPECT_EQ(GameControls::KeysOf(GA_MoveUp), std::vector<int>({'w', KeyCodes::KEY_UP}));
    EXPECT_EQ(GameControls::KeysOf(GA_MoveDown), std::vector<int>({'s', KeyCodes::KEY_DOWN}));

    // And the same keys when a file binds none of the actions.
    UseBindings({"Q = Quack"});
    EXPECT_EQ(GameControls::KeysOf(GA_Lie), std::vector<int>({' ', 1000}));
    EXPECT_EQ(GameControls::KeysOf(GA_MoveDown), std::vector<int>({KeyCodes::KEY_DOWN, 's'}));
}

TEST_F(ControlsTest, LyingFollowsTheBindingsAndWalkingKeepsItsKeys)
{
    PlayField* field = StartQuietGame();
    UseBindings({"L = +LieStart", "L = -LieStop"});

    Hold(' ');
    Run(0.5f);
    EXPECT_EQ(field->Player()->lieRadius, 0.0f) << "space is no longer bound to lying";
    Release(' ');
    Hold('l');
    Run(0.5f);
    EXPECT_GT(field->Player()->lieRadius, 1.0f);
    Release('l');

    // No line binds walking, so the arrows and W A S D still walk.
    const float x = field->Player()->GetPosition().X;
    Hold('d');
    Run(0.5f);
    EXPECT_NEAR(field->Player()->GetPosition().X, x + 0.7f, 0.05f);
}

TEST_F(ControlsTest, WalkingFollowsTheBindings)
{
    PlayField* field = StartQuietGame();
    UseBindings({"J = +MoveLeft", "I = +MoveUp"});

    Hold('a');
    Run(0.5f);
    EXPECT_NEAR(field->Player()->GetPosition().X, 0.0f, 1e-4f) << "A walks left only by default";
    Hold('j');
    Hold('i');
    Run(0.5f);
    EXPECT_NEAR(field->Player()->GetPosition().X, -0.7f, 0.05f);
    EXPECT_NEAR(field->Player()->GetPosition().Y, 0.7f, 0.05f);
}

TEST_F(ControlsTest, TheMenusAnswerTheBoundKeysAndAlwaysTheArrowsAndEnter)
{
    UseBindings({"K = +MoveDown", "L = +LieStart"});
    auto* menu = static_cast<SuitScreenStart*>(manager->GetScreen(SuitGameManager::SI_Start));
    Run(0.5f);
    ASSERT_EQ(menu->selected, 0);

    // 's' walks down only by default; here K does, and the down arrow always does.
    Hold('s');
    Run(0.2f);
    EXPECT_EQ(menu->selected, 0);
    ReleaseAll();
    Hold('k');
    Frame();
    ReleaseAll();
    EXPECT_EQ(menu->selected, 1);
    Run(0.5f);
    Hold(KeyCodes::KEY_DOWN);
    Frame();
    ReleaseAll();
    EXPECT_EQ(menu->selected, 2);

    // Space no longer confirms; the lie key and Enter do.
    Run(0.5f);
    Hold(' ');
    Run(0.2f);
    ReleaseAll();
    Frame();
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Start);
    Hold('l');
    ASSERT_TRUE(RunUntil([&] { return manager->GetCurrentScreen() == SuitGameManager::SI_Credits; }, 1.0f));
}

TEST_F(ConsoleKeysTest, TheOpenConsoleLeavesTheMenuAlone)
{
    auto* menu = static_cast<SuitScreenStart*>(manager->GetScreen(SuitGameManager::SI_Start));
    ASSERT_NE(World::GetInstance().GetConsole(), nullptr);
    Run(0.5f);

    Press('`');
    Type('s');
    Press(KeyCodes::KEY_ENTER);
    Run(1.0f);
    EXPECT_EQ(menu->selected, 0) << "typed 's' moved the selection";
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Start) << "Return reached the menu";

    // Closed with both still held: the menu waits for a fresh press.
    Press('`');
    Run(1.0f);
    EXPECT_EQ(menu->selected, 0);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Start);
    Let('s');
    Let(KeyCodes::KEY_ENTER);
    Press(KeyCodes::KEY_ENTER);
    ASSERT_TRUE(RunUntil([&] { return manager->GetCurrentScreen() == SuitGameManager::SI_Play; }, 1.0f));
}

TEST_F(ConsoleKeysTest, TheOpenConsoleStopsThePlayerAndClosingItStartsNothing)
{
    PlayField* field = StartQuietGame();
    Suit_Player* player = field->Player();

    // Lying and walking when the console opens: both end at once.
    Press(' ');
    Press('d');
    Run(0.25f);
    ASSERT_GT(player->lieRadius, 0.0f);
    Press('`');
    Frame();
    const Vector2 where = player->GetPosition();
    Run(0.5f);
    EXPECT_EQ(player->lieRadius, 0.0f);
    EXPECT_EQ(player->GetPosition(), where);

    // Still held when it closes: nothing starts until they are pressed again.
    Press('`');
    Run(0.5f);
    EXPECT_EQ(player->lieRadius, 0.0f);
    EXPECT_EQ(player->GetPosition(), where);
    Let(' ');
    Press(' ');
    Run(0.25f);
    EXPECT_GT(player->lieRadius, 0.0f);
    EXPECT_EQ(player->GetPosition(), where);
}
