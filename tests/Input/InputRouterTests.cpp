#include "Infrastructure/Camera.h"
#include "Infrastructure/Console.h"
#include "Infrastructure/World.h"
#include "Input/InputCallbacks.h"
#include "Input/InputPolling.h"
#include "Input/InputRouter.h"
#include "Input/InputScript.h"
#include "Input/KeyBinding.h"
#include "MessageRecorder.h"
#include "Platform/KeyCodes.h"
#include "Platform/PlayerFolders.h"
#include "Platform/Window.h"
#include "TestUtilities/LogCapture.h"
#include "TestUtilities/ScratchFolder.h"
#include "TestUtilities/WindowTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace
{
// A console that records what reaches it.
class RecordingConsole : public Console
{
public:
    void Execute(String input) override { executed.push_back(input); }
    StringList GetCompletions(String) override { return StringList(); }
    StringList executed;
};

String WriteTempFile(const String& contents)
{
    char name[] = "/tmp/tarvo_bindings_XXXXXX";
    const int fd = mkstemp(name);
    EXPECT_GE(fd, 0);
    std::ofstream(name, std::ios::binary) << contents;
    close(fd);
    return name;
}

void ReadBindings(const String& contents)
{
    const String file = WriteTempFile(contents);
    InputRouter::GetInstance().ReadBindingFile(file);
    std::remove(file.c_str());
}

String PressMessage(int code)
{
    KeyBinding* binding = InputRouter::GetInstance().GetBinding(code);
    return binding ? binding->GetKeyDownMessage() : "<unbound>";
}

String ReleaseMessage(int code)
{
    KeyBinding* binding = InputRouter::GetInstance().GetBinding(code);
    return binding ? binding->GetKeyUpMessage() : "<unbound>";
}
} // namespace

TEST(InputRouter, KeyNameTableCoversEveryGroup)
{
    InputRouter& router = InputRouter::GetInstance();
    EXPECT_EQ(router.GetKeyCode("a"), 'a');
    EXPECT_EQ(router.GetKeyCode("Z"), 'z');
    EXPECT_EQ(router.GetKeyCode("nine"), '9');
    EXPECT_EQ(router.GetKeyCode("FORWARDSLASH"), '\\');
    EXPECT_EQ(router.GetKeyCode("BACKSLASH"), '/');
    EXPECT_EQ(router.GetKeyCode("F25"), 282);
    EXPECT_EQ(router.GetKeyCode("R_ALT"), 292);
    EXPECT_EQ(router.GetKeyCode("KP_9"), 311);
    EXPECT_EQ(router.GetKeyCode("KP_ENTER"), 318);
    EXPECT_EQ(router.GetKeyCode("P1BUTTON_A"), 1000);
    EXPECT_EQ(router.GetKeyCode("P2BUTTON_RIGHTBUMPER"), 1031);
    EXPECT_EQ(router.GetKeyCode("BACKQUOTE"), -1);
    EXPECT_EQ(router.GetKeyCode("F26"), -1);
}

TEST(InputRouter, ShippedFileBindsPressAndReleaseButNotEscape)
{
    // Tests run in the run folder, which holds the shipped Config/.
    InputRouter& router = InputRouter::GetInstance();
    EXPECT_EQ(router.GetBinding(KeyCodes::KEY_ESCAPE), nullptr);
    bool press = false, release = false;
    for (int code = 0; code < 1040; ++code)
    {
        if (KeyBinding* binding = router.GetBinding(code))
        {
            press = press || !binding->GetKeyDownMessage().empty();
            release = release || !binding->GetKeyUpMessage().empty();
        }
    }
    EXPECT_TRUE(press);
    EXPECT_TRUE(release);
}

TEST(InputRouter, FileFormat)
{
    ReadBindings("; comment = Nothing\n"
                 "X = Message ; not a comment\n"
                 "b = Lower\n"
                 "C:Colon\n"
                 "  D \t=  Trimmed \r\n"
                 "E = +Press\n"
                 "E = -Release\n"
                 "F = -\n"
                 "G = + word\n"
                 "H = First\n"
                 "H = Second\n"
                 "I = x = y\n"
                 "J\n"
                 "K =\n"
                 "NOSUCHKEY = Lost\n"
                 "L =:Empty\n");
    EXPECT_EQ(PressMessage('b'), "Lower");
    EXPECT_EQ(PressMessage('c'), "Colon");
    EXPECT_EQ(PressMessage('d'), "Trimmed");
    EXPECT_EQ(PressMessage('e'), "Press");
    EXPECT_EQ(ReleaseMessage('e'), "Release");
    EXPECT_EQ(PressMessage('f'), "");
    EXPECT_EQ(ReleaseMessage('f'), "");
    EXPECT_EQ(PressMessage('g'), " word");
    EXPECT_EQ(PressMessage('h'), "Second");
    EXPECT_EQ(PressMessage('i'), "x");
    // Only a semicolon in column 1 makes a comment.
    EXPECT_EQ(PressMessage('x'), "Message ; not a comment");
    EXPECT_EQ(PressMessage('j'), "<unbound>");
    EXPECT_EQ(PressMessage('k'), "<unbound>");
    EXPECT_EQ(PressMessage('l'), "<unbound>");
}

TEST(InputRouter, ByteOrderMarkIsSkippedAndBadLinesAreNamedByLine)
{
    InputRouter& router = InputRouter::GetInstance();
    router.ClearBindings();
    LogCapture log;
    router.ReadBindings({"\xEF\xBB\xBFQ = First", "; fine", "NOSUCHKEY = Lost", "W", "", "   ", "R = Later"},
                        "keys.ini");
    EXPECT_EQ(PressMessage('q'), "First");
    EXPECT_EQ(PressMessage('r'), "Later");
    EXPECT_EQ(log.lines, (StringList{"WARNING: keys.ini:3: unknown key name \"NOSUCHKEY\"; line skipped.",
                                     "WARNING: keys.ini:4: no \"=\" or \":\" between key and message; line skipped."}));
    // Only a mark at the very start of the file is one.
    router.ReadBindings({"S = Ok", "\xEF\xBB\xBFT = Marked"}, "keys.ini");
    EXPECT_EQ(PressMessage('t'), "<unbound>");
}

TEST(InputRouter, AFileOfJunkNamesItsFirstBadLinesAndCountsTheRest)
{
    InputRouter& router = InputRouter::GetInstance();
    router.ClearBindings();
    StringList lines;
    for (int i = 0; i < 3000; ++i)
        lines.push_back(i % 2 ? "\x01\x7f junk " + String(200, 'x') + " = Nothing" : "no separator at all");
    lines.push_back("Q = StillBound");
    LogCapture log;
    router.ReadBindings(lines, "junk.ini");
    EXPECT_EQ(PressMessage('q'), "StillBound");
    ASSERT_EQ(log.lines.size(), 11u);
    EXPECT_EQ(log.lines[0], "WARNING: junk.ini:1: no \"=\" or \":\" between key and message; line skipped.");
    // A key name as long as a line of junk is cut short.
    EXPECT_EQ(log.lines[1],
              "WARNING: junk.ini:2: unknown key name \"\x01\x7f junk " + String(32, 'x') + "...\"; line skipped.");
    EXPECT_EQ(log.lines[10], "WARNING: junk.ini: 2990 more lines skipped like those.");
}

TEST(InputRouter, MissingOrBinaryFilesBindNothing)
{
    InputRouter& router = InputRouter::GetInstance();
    router.ClearBindings();
    router.ReadBindingFile("/nonexistent/input_bindings.ini");
    String binary("\0\xff\xfe=\x01:\n\x80\x81\x82\n", 12);
    for (int i = 0; i < 256; ++i)
        binary += static_cast<char>(i);
    ReadBindings(binary);
    for (int code = 0; code < 1040; ++code)
        EXPECT_EQ(router.GetBinding(code), nullptr) << code;
}

TEST(InputRouter, BindingsBroadcastOnTheirEdges)
{
    InputRouter::GetInstance().ClearBindings();
    ReadBindings("SPACE = +Down\nSPACE = -Up\nA = Letter\nF = -\n");
    MessageRecorder recorder({"Down", "Up", "Letter", ""});

    InputCallbacks::OnKey(' ', true);
    EXPECT_EQ(recorder.Deliver(), StringList({"Down"}));
    InputCallbacks::OnKey(' ', false);
    EXPECT_EQ(recorder.Deliver(), StringList({"Up"}));
    // The window reports letters upper-case, shifted or not.
    InputCallbacks::OnKey('A', true);
    InputCallbacks::OnKey('A', false);
    EXPECT_EQ(recorder.Deliver(), StringList({"Letter"}));
    // Bound to nothing: the key is taken but sends nothing.
    EXPECT_TRUE(InputRouter::GetInstance().OnKeyDown('F'));
    EXPECT_TRUE(recorder.Deliver().empty());
}

class InputRouterWindow : public WindowTest
{
};

TEST_F(InputRouterWindow, EscapeStopsTheGameOnlyWhenUnbound)
{
    World& world = World::GetInstance();
    ASSERT_TRUE(world.IsRunning());
    MessageRecorder recorder({"Menu"});

    InputRouter::GetInstance().BindKey("ESCAPE", "Menu");
    InputCallbacks::OnKey(KeyCodes::KEY_ESCAPE, true);
    EXPECT_TRUE(world.IsRunning());
    EXPECT_EQ(recorder.Deliver(), StringList({"Menu"}));

    InputRouter::GetInstance().ClearBindings();
    InputCallbacks::OnKey(KeyCodes::KEY_ESCAPE, true);
    EXPECT_FALSE(world.IsRunning());
}

TEST(InputRouter, OpenConsoleTakesKeysAndCharacters)
{
    RecordingConsole console;
    World::GetInstance().RegisterConsole(&console);
    InputRouter::GetInstance().ClearBindings();
    ReadBindings("Q = +QDown\nQ = -QUp\nESCAPE = Esc\n");
    MessageRecorder recorder({"QDown", "QUp", "Esc"});

    // Closed: characters are ignored, keys reach the bindings.
    InputCallbacks::OnCharacter('q');
    InputCallbacks::OnKey('Q', true);
    EXPECT_EQ(recorder.Deliver(), StringList({"QDown"}));
    EXPECT_EQ(console.GetCurrentInput(), "");

    // Backquote opens it with key repeat on, and never becomes text.
    InputCallbacks::OnKey('`', true);
    InputCallbacks::OnCharacter('`');
    ASSERT_TRUE(console.IsEnabled());
    EXPECT_TRUE(Window::IsKeyRepeatOn());
    EXPECT_EQ(console.GetCurrentInput(), "");
    // Q was held when it opened: the bindings hear it let go then, not when it is.
    EXPECT_EQ(recorder.Deliver(), StringList({"QUp"}));

    InputCallbacks::OnKey('Q', false);
    InputCallbacks::OnKey('Q', true);
    InputCallbacks::OnCharacter('q');
    InputCallbacks::OnKey(KeyCodes::KEY_ENTER, true);
    EXPECT_TRUE(recorder.Deliver().empty());
    EXPECT_EQ(console.executed, StringList({"q"}));

    // Escape, although bound, closes the open console first.
    InputCallbacks::OnKey(KeyCodes::KEY_ESCAPE, true);
    EXPECT_FALSE(console.IsEnabled());
    EXPECT_FALSE(Window::IsKeyRepeatOn());
    EXPECT_TRUE(recorder.Deliver().empty());

    // Backquote toggles it shut as well, and the bindings never see it.
    InputCallbacks::OnKey('`', true);
    InputCallbacks::OnKey('`', true);
    EXPECT_FALSE(console.IsEnabled());
    EXPECT_EQ(InputRouter::GetInstance().GetBinding('`'), nullptr);
}

namespace
{
// A key pressed or released as an input script does it, which needs no window.
void Press(int key)
{
    InputRouter::GetInstance().SetScriptedKey(key, true);
    InputCallbacks::OnKey(key, true);
}
void Release(int key)
{
    InputRouter::GetInstance().SetScriptedKey(key, false);
    InputCallbacks::OnKey(key, false);
}
} // namespace

TEST(InputRouter, TheOpenConsoleOwnsTheKeysAndClosingLeavesNoneStuck)
{
    RecordingConsole console;
    World::GetInstance().RegisterConsole(&console);
    InputRouter& router = InputRouter::GetInstance();
    router.ClearBindings();
    ReadBindings("SPACE = +LieStart\nSPACE = -LieStop\nD = +Walk\nD = -Halt\nS = +Down\nS = -Up\n");
    MessageRecorder recorder({"LieStart", "LieStop", "Walk", "Halt", "Down", "Up"});

    Press(' ');
    Press('D');
    EXPECT_EQ(recorder.Deliver(), StringList({"LieStart", "Walk"}));
    EXPECT_TRUE(router.IsKeyDown(' '));
    EXPECT_TRUE(router.IsKeyDown('d'));

    // Opening lets go of what the game held, in key order, whatever is still pressed.
    Press('`');
    EXPECT_EQ(recorder.Deliver(), StringList({"LieStop", "Halt"}));
    EXPECT_FALSE(router.IsKeyDown(' '));
    EXPECT_FALSE(router.IsKeyDown('D'));

    // Typed into the console: neither the bindings nor the key state hear of it.
    Press('S');
    InputCallbacks::OnCharacter('s');
    Press(KeyCodes::KEY_ENTER);
    Release(KeyCodes::KEY_ENTER);
    Release('D');
    EXPECT_FALSE(router.IsKeyDown('s'));
    EXPECT_TRUE(recorder.Deliver().empty());
    EXPECT_EQ(console.executed, StringList({"s"}));
    // The keyboard itself still shows it held, as the console reads Shift.
    EXPECT_TRUE(router.IsKeyDownOnKeyboard('s'));

    // Closed with space and S still held: they stay up for the game, and letting them go
    // sends no release of a press that was never announced.
    Press(KeyCodes::KEY_ESCAPE);
    Release(KeyCodes::KEY_ESCAPE);
    ASSERT_FALSE(console.IsEnabled());
    EXPECT_FALSE(router.IsKeyDown(' '));
    EXPECT_FALSE(router.IsKeyDown('s'));
    Release(' ');
    Release('S');
    EXPECT_TRUE(recorder.Deliver().empty());

    // A fresh press is the game's again.
    Press(' ');
    EXPECT_TRUE(router.IsKeyDown(' '));
    Release(' ');
    EXPECT_EQ(recorder.Deliver(), StringList({"LieStart", "LieStop"}));
    World::GetInstance().RegisterConsole(nullptr);
}

TEST(InputRouter, AConsoleRegisteredInPlaceOfAnOpenOneGivesTheKeysBack)
{
    RecordingConsole open;
    RecordingConsole closed;
    World::GetInstance().RegisterConsole(&open);
    Press('`');
    ASSERT_TRUE(open.IsEnabled());
    EXPECT_TRUE(InputRouter::IsConsoleOpen());

    World::GetInstance().RegisterConsole(&closed);
    EXPECT_FALSE(InputRouter::IsConsoleOpen());
    Press(' ');
    EXPECT_TRUE(InputRouter::GetInstance().IsKeyDown(' '));
    World::GetInstance().RegisterConsole(nullptr);
}

TEST(InputRouter, IsKeyDownIsFalseWithoutWindowOrForLargeCodes)
{
    EXPECT_FALSE(InputRouter::GetInstance().IsKeyDown('a'));
    EXPECT_FALSE(InputRouter::GetInstance().IsKeyDown(KeyCodes::KEY_UP));
    EXPECT_FALSE(InputRouter::GetInstance().IsKeyDown(1000));
}

// The player's own binding file, in a fresh $XDG_CONFIG_HOME that is removed afterwards.
class PlayerBindings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(configHome.path.empty());
        setenv("XDG_CONFIG_HOME", configHome.path.c_str(), 1);
        mkdir((configHome.path + "/qvrn").c_str(), 0700);
        SetPlayerFolderName("qvrn");
    }
    void TearDown() override
    {
        SetPlayerFolderName("");
        unsetenv("XDG_CONFIG_HOME");
    }
    String File() const { return configHome.path + "/qvrn/input_bindings.ini"; }

    ScratchFolder configHome;
};

TEST_F(PlayerBindings, ReplaceTheShippedFileWhichStaysUntouched)
{
    std::ifstream shipped("Config/input_bindings.ini", std::ios::binary);
    const String shippedBefore((std::istreambuf_iterator<char>(shipped)), std::istreambuf_iterator<char>());
    std::ofstream(File()) << "; mine\nL_SHIFT = +LieStart\nL_SHIFT = -LieStop\n";

    LogCapture log;
    EXPECT_EQ(PressMessage(KeyCodes::KEY_LSHIFT), "LieStart");
    EXPECT_EQ(ReleaseMessage(KeyCodes::KEY_LSHIFT), "LieStop");
    // Instead of the shipped file, not on top of it: space is no longer bound.
    EXPECT_EQ(PressMessage(' '), "<unbound>");
    EXPECT_TRUE(log.lines.empty());

    std::ifstream after("Config/input_bindings.ini", std::ios::binary);
    EXPECT_EQ(String((std::istreambuf_iterator<char>(after)), std::istreambuf_iterator<char>()), shippedBefore);
}

TEST_F(PlayerBindings, AreReadAlsoWhenAnInputScriptWasReadBeforeThePlayerFolderWasNamed)
{
    // The order of a program's start: options and input script first, then the folders.
    SetPlayerFolderName("");
    InputScript script;
    String error;
    ASSERT_TRUE(script.Parse({"0 key L down", "1 pad P1BUTTON_A down"}, "moves", error)) << error;
    SetPlayerFolderName("qvrn");
    std::ofstream(File()) << "L = +LieStart\n";
    EXPECT_EQ(PressMessage('l'), "LieStart");
    EXPECT_EQ(PressMessage(' '), "<unbound>");
}

TEST_F(PlayerBindings, WithoutOneTheShippedFileIsRead)
{
    LogCapture log;
    EXPECT_EQ(PressMessage(' '), "LieStart");
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(PlayerBindings, OneThatCantBeReadIsReportedAndTheShippedFileIsRead)
{
    mkdir(File().c_str(), 0700);
    LogCapture log;
    EXPECT_EQ(PressMessage(' '), "LieStart");
    EXPECT_TRUE(log.Contains("WARNING: can't read the key bindings " + File() +
                             " (a folder, not a regular file); using Config/input_bindings.ini instead."));
}

// A file a game ships, or a player points a link at, may be anything: opening a FIFO
// with no writer would hang the program before its window, and a huge file fill memory.
TEST(InputRouter, ABindingFileThatIsNoRegularFileOrTooLargeIsRefusedAtOnce)
{
    ScratchFolder scratch;
    InputRouter& router = InputRouter::GetInstance();
    router.ClearBindings();
    const String fifo = scratch.path + "/fifo.ini";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const String large = scratch.path + "/large.ini";
    std::ofstream(large) << "SPACE = Big\n" << String((1 << 20) + 1, ' ');
    LogCapture log;
    router.ReadBindingFile(fifo);
    router.ReadBindingFile(large);
    router.ReadBindingFile(scratch.path + "/missing.ini");
    EXPECT_EQ(log.lines, (StringList{"WARNING: can't read the key bindings " + fifo +
                                         " (not a regular file); no keys are bound from it.",
                                     "WARNING: can't read the key bindings " + large +
                                         " (larger than 1 MiB); no keys are bound from it."}));
    EXPECT_EQ(router.GetBinding(' '), nullptr);
}

TEST(PlayerFolders, ConfigFileFollowsTheBaseDirectoryRules)
{
    EXPECT_EQ(PlayerConfigFile("input_bindings.ini"), "");
    SetPlayerFolderName("qvrn");
    setenv("HOME", "/home/player", 1);
    setenv("XDG_CONFIG_HOME", "/etc/player", 1);
    EXPECT_EQ(PlayerConfigFile("input_bindings.ini"), "/etc/player/qvrn/input_bindings.ini");
    // A relative folder would move with the working directory: it is ignored.
    setenv("XDG_CONFIG_HOME", "config", 1);
    EXPECT_EQ(PlayerConfigFile("input_bindings.ini"), "/home/player/.config/qvrn/input_bindings.ini");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(PlayerConfigFile("input_bindings.ini"), "/home/player/.config/qvrn/input_bindings.ini");
    unsetenv("HOME");
    EXPECT_EQ(PlayerConfigFile("input_bindings.ini"), "");
}

// Polling by name answers what the bindings and the console say about the same keys, and
// the mouse in the units the field is laid out in.
TEST_F(InputRouterWindow, PollingByNameFollowsTheBindingsTheConsoleAndTheCamera)
{
    InputRouter& router = InputRouter::GetInstance();
    router.ClearBindings();
    ReadBindings("SPACE = Jump\nP1BUTTON_A = Jump\nJ = -Jump\n");
    EXPECT_FALSE(IsActionDown("Jump"));
    Press(' ');
    EXPECT_TRUE(IsKeyDown("space"));
    EXPECT_TRUE(IsKeyDown("SPACE"));
    EXPECT_TRUE(IsActionDown("Jump"));
    Press('J');
    Release(' ');
    EXPECT_FALSE(IsActionDown("Jump")) << "J sends Jump on release only: it is no key of the action";
    EXPECT_TRUE(IsKeyDown("j"));
    EXPECT_FALSE(IsKeyDown("NOSUCHKEY"));
    EXPECT_FALSE(IsActionDown(""));
    Release('J');

    // The open console has the keys.
    Press('A');
    Press('`');
    EXPECT_FALSE(IsKeyDown("A"));
    Press('`');
    Release('A');

    // The window's middle is where the camera looks; a pixel to the right is a little
    // way right and up is up.
    Camera::GetInstance().SetPosition(3.0f, -2.0f);
    MouseInput::OnMotion(Camera::GetInstance().GetWindowWidth() / 2, Camera::GetInstance().GetWindowHeight() / 2);
    EXPECT_NEAR(GetMousePosition().X, 3.0f, 0.05f);
    EXPECT_NEAR(GetMousePosition().Y, -2.0f, 0.05f);
    MouseInput::OnMotion(Camera::GetInstance().GetWindowWidth(), 0);
    EXPECT_GT(GetMousePosition().X, 3.0f + 10.0f);
    EXPECT_GT(GetMousePosition().Y, -2.0f + 7.0f);
    EXPECT_FALSE(IsMouseButtonDown(MOUSE_RIGHT));
    MouseInput::OnButton(1, true);
    EXPECT_TRUE(IsMouseButtonDown(MOUSE_RIGHT));
    MouseInput::OnButton(1, false);
    EXPECT_FALSE(IsMouseButtonDown(MOUSE_RIGHT));
}
