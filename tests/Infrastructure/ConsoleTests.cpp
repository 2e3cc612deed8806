#include "Actors/Actor.h"
#include "Infrastructure/Camera.h"
#include "Infrastructure/Console.h"
#include "Infrastructure/TestConsole.h"
#include "Infrastructure/World.h"
#include "Platform/FontRegistry.h"
#include "Platform/KeyCodes.h"
#include "Platform/Window.h"
#include "TestUtilities/Approx.h"
#include "TestUtilities/FrameDriver.h"
#include "TestUtilities/WindowTest.h"

#include <gtest/gtest.h>

namespace
{
// Records what the base class asks of a subclass; completions are whatever the test sets.
class ScriptedConsole : public Console
{
public:
    void Execute(String input) override { executed.push_back(input); }
    StringList GetCompletions(String input) override
    {
        asked.push_back(input);
        return candidates;
    }

    StringList executed;
    StringList asked;
    StringList candidates;
};

void Type(Console& console, const String& text)
{
    for (char c : text)
        console.HandleCharacter(c);
}

void Enter(Console& console, const String& text)
{
    Type(console, text);
    console.HandleKeyDown(KeyCodes::KEY_ENTER);
}

class ConsoleTest : public ::testing::Test
{
protected:
    void SetUp() override { console.SetEnabled(true); }
    ScriptedConsole console;
};
} // namespace

TEST_F(ConsoleTest, ClosedConsoleTakesNothing)
{
    console.SetEnabled(false);
    EXPECT_FALSE(console.HandleCharacter('a'));
    EXPECT_FALSE(console.HandleKeyDown(KeyCodes::KEY_ENTER));
    EXPECT_TRUE(console.executed.empty());
    console.SetEnabled(true);
    // Open, every key is taken, also ones that do nothing.
    EXPECT_TRUE(console.HandleKeyDown(KeyCodes::KEY_F1 + 4));
    EXPECT_TRUE(console.HandleCharacter(0x263A));
}

TEST_F(ConsoleTest, EditsAtTheCaret)
{
    Type(console, "ace");
    console.HandleKeyDown(KeyCodes::KEY_LEFT);
    Type(console, "d");
    console.HandleKeyDown(KeyCodes::KEY_HOME);
    console.HandleKeyDown(KeyCodes::KEY_LEFT);
    Type(console, "_");
    console.HandleKeyDown(KeyCodes::KEY_RIGHT);
    console.HandleKeyDown(KeyCodes::KEY_DELETE);
    EXPECT_EQ(console.GetCurrentInput(), "_ade");
    console.HandleKeyDown(KeyCodes::KEY_END);
    console.HandleKeyDown(KeyCodes::KEY_RIGHT);
    EXPECT_EQ(console.GetCaretPosition(), 4);
    console.HandleKeyDown(KeyCodes::KEY_BACKSPACE);
    console.HandleKeyDown(KeyCodes::KEY_DELETE);
    EXPECT_EQ(console.GetCurrentInput(), "_ad");

    // 32..126 are typed; control characters, DEL and beyond ASCII are not.
    console.HandleKeyDown(KeyCodes::KEY_HOME);
    console.HandleKeyDown(KeyCodes::KEY_BACKSPACE);
    Type(console, " }~\t\x7f");
    console.HandleCharacter(0xE9);
    EXPECT_EQ(console.GetCurrentInput(), " }~_ad");
}

TEST_F(ConsoleTest, CompletionsFromTheThirdCharacterAndOnEveryDeletion)
{
    Type(console, "ab");
    console.GetCompletionCandidates();
    EXPECT_TRUE(console.asked.empty());
    Type(console, "c");
    console.GetCompletionCandidates();
    EXPECT_EQ(console.asked, StringList({"abc"}));

    console.HandleKeyDown(KeyCodes::KEY_BACKSPACE);
    console.GetCompletionCandidates();
    console.HandleKeyDown(KeyCodes::KEY_BACKSPACE);
    console.GetShownCompletions();
    EXPECT_EQ(console.asked, StringList({"abc", "ab", "a"}));
    console.HandleKeyDown(KeyCodes::KEY_HOME);
    console.HandleKeyDown(KeyCodes::KEY_DELETE);
    console.GetCompletionCandidates();
    EXPECT_EQ(console.asked.back(), "");
    // Nothing to delete: nobody is asked.
    console.HandleKeyDown(KeyCodes::KEY_DELETE);
    console.HandleKeyDown(KeyCodes::KEY_BACKSPACE);
    console.GetCompletionCandidates();
    EXPECT_EQ(console.asked.size(), 4u);
}

TEST_F(ConsoleTest, CompletionsAreAskedForOncePerLookNotPerCharacter)
{
    console.candidates = {"abcdefX"};
    Type(console, "abcdef");
    EXPECT_TRUE(console.asked.empty()) << "typing alone asks nothing";
    EXPECT_EQ(console.GetShownCompletions(), StringList({"abcdefX"}));
    EXPECT_EQ(console.GetCompletionCandidates().size(), 1u);
    EXPECT_EQ(console.asked, StringList({"abcdef"})) << "one question for the whole line, none for a second look";

    // Tab asks about what was typed since, then takes the first answer.
    Type(console, "g");
    console.candidates = {"abcdefgY"};
    console.HandleKeyDown(KeyCodes::KEY_TAB);
    EXPECT_EQ(console.GetCurrentInput(), "abcdefgY");
    EXPECT_EQ(console.asked.back(), "abcdefg");

    // Enter drops the list and what was pending.
    Type(console, "h");
    console.HandleKeyDown(KeyCodes::KEY_ENTER);
    EXPECT_TRUE(console.GetCompletionCandidates().empty());
    EXPECT_EQ(console.asked.size(), 2u);
}

TEST_F(ConsoleTest, TheInputLineStopsAtItsBoundAndSaysSoOnce)
{
    const String line(Console::MaxInputLength + 50, 'x');
    Type(console, line);
    EXPECT_EQ(console.GetCurrentInput().size(), Console::MaxInputLength);
    EXPECT_EQ(console.GetCaretPosition(), static_cast<int>(Console::MaxInputLength));
    ASSERT_EQ(console.GetOutputLines().size(), 1u);
    EXPECT_NE(console.GetOutputLines().front().find("The input line is full"), String::npos);

    // Room again after a deletion: the next overflow is reported again.
    console.HandleKeyDown(KeyCodes::KEY_BACKSPACE);
    Type(console, "yz");
    EXPECT_EQ(console.GetCurrentInput().back(), 'y');
    EXPECT_EQ(console.GetOutputLines().size(), 2u);
    console.HandleKeyDown(KeyCodes::KEY_ENTER);
    EXPECT_EQ(console.executed.back().size(), Console::MaxInputLength);
}

TEST_F(ConsoleTest, OutputSplitsLikeTheWholeTextWouldAcrossWrites)
{
    // Every way of cutting the same text into writes gives the lines of the whole.
    const String text = "a\n\nbc\nd\n\n";
    for (size_t cut1 = 0; cut1 <= text.size(); ++cut1)
        for (size_t cut2 = cut1; cut2 <= text.size(); ++cut2)
        {
            ScriptedConsole fresh;
            fresh.WriteToOutput(text.substr(0, cut1));
            fresh.WriteToOutput(text.substr(cut1, cut2 - cut1));
            fresh.WriteToOutput(text.substr(cut2));
            fresh.WriteToOutput("e");
            EXPECT_EQ(fresh.GetOutputLines(), SplitText(text + "e", "\n", false)) << cut1 << " " << cut2;
        }
}

TEST_F(ConsoleTest, OutputKeepsTheNewestLinesAndWrapsVeryLongOnes)
{
    for (size_t i = 0; i < Console::MaxOutputLines + 500; ++i)
        console.WriteToOutput("line " + std::to_string(i) + "\n");
    const StringList& lines = console.GetOutputLines();
    ASSERT_EQ(lines.size(), Console::MaxOutputLines);
    EXPECT_EQ(lines.front(), "line 500");
    EXPECT_EQ(lines.back(), "line " + std::to_string(Console::MaxOutputLines + 499));

    // A line written piece by piece is wrapped as it grows; nothing of it is lost.
    for (int i = 0; i < 3; ++i)
        console.WriteToOutput(String(Console::MaxOutputLineLength - 1, 'a' + static_cast<char>(i)));
    console.WriteToOutput("!\ntail");
    String joined;
    for (size_t i = lines.size() - 4; i < lines.size() - 1; ++i)
    {
        EXPECT_LE(lines[i].size(), Console::MaxOutputLineLength);
        joined += lines[i];
    }
    EXPECT_EQ(joined.size(), 3 * (Console::MaxOutputLineLength - 1) + 1);
    EXPECT_EQ(joined.back(), '!');
    EXPECT_EQ(lines.back(), "tail");
    EXPECT_EQ(lines.size(), Console::MaxOutputLines);
}

TEST_F(ConsoleTest, TabReplacesTheWholeLineAndKeepsTheList)
{
    console.candidates = {"world.StopGame()", "world.Start()"};
    Type(console, "x = wor");
    console.HandleKeyDown(KeyCodes::KEY_TAB);
    EXPECT_EQ(console.GetCurrentInput(), "world.StopGame()");
    EXPECT_EQ(console.GetCaretPosition(), 16);
    EXPECT_EQ(console.GetCompletionCandidates().size(), 2u);

    console.HandleKeyDown(KeyCodes::KEY_ENTER);
    EXPECT_TRUE(console.GetCompletionCandidates().empty());
    console.HandleKeyDown(KeyCodes::KEY_TAB);
    EXPECT_EQ(console.GetCurrentInput(), "");
}

TEST_F(ConsoleTest, CompletionListShowsSixThenAnEllipsis)
{
    console.candidates = {"c1", "c2", "c3", "c4", "c5", "c6"};
    Type(console, "abc");
    EXPECT_EQ(console.GetShownCompletions(), console.candidates);

    console.candidates.push_back("c7");
    Type(console, "d");
    EXPECT_EQ(console.GetShownCompletions(), StringList({"c1", "c2", "c3", "c4", "c5", "c6", "..."}));
    console.candidates.push_back("c8");
    Type(console, "e");
    EXPECT_EQ(console.GetShownCompletions(), StringList({"c1", "c2", "c3", "c4", "c5", "c6", "..."}));
}

TEST_F(ConsoleTest, EnterSubmitsAlsoEmptyLinesButRemembersOnlyText)
{
    Enter(console, "");
    EXPECT_EQ(console.executed, StringList({""}));
    console.HandleKeyDown(KeyCodes::KEY_UP);
    EXPECT_EQ(console.GetCurrentInput(), "");

    Enter(console, "one");
    EXPECT_EQ(console.executed.back(), "one");
    EXPECT_EQ(console.GetCurrentInput(), "");
    EXPECT_EQ(console.GetCaretPosition(), 0);
}

TEST_F(ConsoleTest, HistoryStepsStopAtTheOldestAndClearPastTheNewest)
{
    Enter(console, "first");
    Enter(console, "second");
    Enter(console, "third");
    for (int i = 0; i < 3; ++i)
        console.HandleKeyDown(KeyCodes::KEY_UP);
    EXPECT_EQ(console.GetCurrentInput(), "first");
    EXPECT_EQ(console.GetCaretPosition(), 5);
    console.HandleKeyDown(KeyCodes::KEY_UP);
    EXPECT_EQ(console.GetCurrentInput(), "first");

    console.HandleKeyDown(KeyCodes::KEY_DOWN);
    console.HandleKeyDown(KeyCodes::KEY_DOWN);
    EXPECT_EQ(console.GetCurrentInput(), "third");
    console.HandleKeyDown(KeyCodes::KEY_DOWN);
    EXPECT_EQ(console.GetCurrentInput(), "");
    EXPECT_EQ(console.GetCaretPosition(), 0);
    // After clearing, up starts again from the newest line.
    console.HandleKeyDown(KeyCodes::KEY_UP);
    EXPECT_EQ(console.GetCurrentInput(), "third");
}

TEST_F(ConsoleTest, EscapeAndBackquoteCloseAndStopKeyRepeat)
{
    Window::SetKeyRepeat(true);
    console.HandleKeyDown(KeyCodes::KEY_ESCAPE);
    EXPECT_FALSE(console.IsEnabled());
    EXPECT_FALSE(Window::IsKeyRepeatOn());

    console.SetEnabled(true);
    Window::SetKeyRepeat(true);
    console.HandleCharacter('`');
    EXPECT_FALSE(console.IsEnabled());
    EXPECT_FALSE(Window::IsKeyRepeatOn());
    EXPECT_EQ(console.GetCurrentInput(), "");
}

TEST_F(ConsoleTest, CaretBlinksAfterMoreThanFifteenHundredths)
{
    ASSERT_TRUE(console.IsCaretVisible());
    console.Update(0.1f);
    EXPECT_TRUE(console.IsCaretVisible());
    console.Update(0.1f);
    EXPECT_FALSE(console.IsCaretVisible());
    // The timer restarted at the toggle.
    console.Update(0.1f);
    EXPECT_FALSE(console.IsCaretVisible());
}

TEST(Console, DeletingTheWorldsConsoleUnregistersIt)
{
    World& world = World::GetInstance();
    ScriptedConsole kept;
    world.RegisterConsole(&kept);
    delete new ScriptedConsole();
    EXPECT_EQ(world.GetConsole(), &kept);

    auto* active = new ScriptedConsole();
    world.RegisterConsole(active);
    delete active;
    EXPECT_EQ(world.GetConsole(), nullptr);
    // The frame no longer reaches the freed console.
    FrameDriver frames;
    frames.Tick(0.2f);
}

TEST(TestConsole, EchoesWithoutLineFeeds)
{
    TestConsole console;
    console.SetEnabled(true);
    Enter(console, "a");
    Enter(console, "b");
    EXPECT_EQ(console.GetOutputLines(), StringList({"Test Console Echo: aTest Console Echo: b"}));

    console.WriteToOutput("\n\nend\n");
    EXPECT_EQ(console.GetOutputLines(), StringList({"Test Console Echo: aTest Console Echo: b", "", "end"}));
}

class ConsoleWindow : public WindowTest
{
protected:
    // The drawn colour; the alpha channel of the frame is of no interest here.
    Color Rgb(int x, int y)
    {
        const Color pixel = DrawFrameAndReadPixel(x, y);
        return Color(pixel.R, pixel.G, pixel.B);
    }
    Console& TheConsole() { return *World::GetInstance().GetConsole(); }
};

TEST_F(ConsoleWindow, WorldStartsATestConsoleWithItsFonts)
{
    ASSERT_NE(World::GetInstance().GetConsole(), nullptr);
    EXPECT_FALSE(TheConsole().IsEnabled());
    for (const char* font : {"Console", "ConsoleSmall", "ConsoleLarge"})
        EXPECT_GT(MeasureText("QVRN", font).X, 0.0f) << font;
    EXPECT_GT(MeasureText("QVRN", "ConsoleLarge").X, MeasureText("QVRN", "Console").X);

    // The World's tick drives the caret.
    FrameDriver frames;
    frames.Tick(0.2f);
    EXPECT_FALSE(TheConsole().IsCaretVisible());
}

TEST_F(ConsoleWindow, DrawsOverTheTopHalfAndKeepsItsFirstLayout)
{
    World::GetInstance().SetBackgroundColor(Color(1.0f, 1.0f, 1.0f));
    // Closed: nothing drawn.
    EXPECT_COLOR_NEAR(Color(1.0f, 1.0f, 1.0f), Rgb(500, 100), 0.02f);

    TheConsole().SetEnabled(true);
    // The backdrop: black at 0.75 over white.
    EXPECT_COLOR_NEAR(Color(0.25f, 0.25f, 0.25f), Rgb(500, 100), 0.02f);
    EXPECT_COLOR_NEAR(Color(1.0f, 1.0f, 1.0f), Rgb(500, 600), 0.02f);
    // At 768 rows: border 4, bar 28. The bar's top two rows show its green; the field
    // below them is black at 0.75 over the green.
    const Color bar(0.625f, 1.0f, 0.625f);
    EXPECT_COLOR_NEAR(bar, Rgb(500, 385), 0.02f);
    EXPECT_COLOR_NEAR(Color(0.156f, 0.25f, 0.156f), Rgb(500, 388), 0.02f);

    // Shrunk to 384 rows, the layout keeps border 4 and bar 28 from the first drawing:
    // the bar's green stays two rows deep (recomputed it would be one).
    Camera::ResizeCallback(1024, 384);
    EXPECT_COLOR_NEAR(bar, Rgb(500, 193), 0.02f);
    EXPECT_COLOR_NEAR(bar, Rgb(500, 192 + 27), 0.02f);
}

TEST_F(ConsoleWindow, DrawsOverNearerSceneAlsoAfterItsText)
{
    // A near clip just short of the actor puts the actor's depth well in front of the
    // console's screen-space quads.
    Camera::GetInstance().SetNearClipDist(9.0f);
    auto* cover = new Actor();
    cover->SetSize(40.0f);
    cover->SetColor(1.0f, 0.0f, 0.0f);
    World::GetInstance().Add(cover);

    TheConsole().WriteToOutput("some output");
    TheConsole().SetEnabled(true);
    // The input bar, drawn after the output text, still covers the actor.
    EXPECT_COLOR_NEAR(Color(0.625f, 0.375f, 0.0f), Rgb(500, 385), 0.02f);
}
