#include "Infrastructure/Console.h"
#include "Infrastructure/World.h"
#include "Input/ControllerManager.h"
#include "Input/InputRecorder.h"
#include "Input/InputRouter.h"
#include "Input/InputScript.h"
#include "MessageRecorder.h"
#include "Platform/KeyCodes.h"
#include "TestUtilities/ScratchFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool SameInputs(const std::vector<ScriptedInput>& a, const std::vector<ScriptedInput>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        if (a[i].frame != b[i].frame || a[i].code != b[i].code || a[i].down != b[i].down || a[i].text != b[i].text)
            return false;
    }
    return true;
}

ScriptedInput Key(int frame, int code, bool down) { return {frame, code, down, String()}; }
ScriptedInput Text(int frame, const String& text) { return {frame, -1, false, text}; }

// A console that keeps the lines entered into it.
class RecordingConsole : public Console
{
public:
    void Execute(String input) override { executed.push_back(input); }
    StringList GetCompletions(String) override { return StringList(); }
    StringList executed;
};
} // namespace

TEST(InputScript, ReadsCommentsBlankLinesAnyCaseAndSortsByFrame)
{
    InputScript script;
    String error;
    ASSERT_TRUE(script.Parse({"# a whole-line comment", "", "   \t", "30 key space down  # lie", "5 KEY Up_Arrow DOWN",
                              "\t30  pad  p2button_rightbumper  up\r", "5 key a up", "0 key ESCAPE down"},
                             "moves.txt", error))
        << error;
    const std::vector<ScriptedInput> expected = {Key(0, KeyCodes::KEY_ESCAPE, true), Key(5, KeyCodes::KEY_UP, true),
                                                 Key(5, 'a', false), Key(30, ' ', true), Key(30, 1031, false)};
    EXPECT_TRUE(SameInputs(script.GetInputs(), expected));
}

TEST(InputScript, ReadsTheConsoleKeyAndTextAsTyped)
{
    InputScript script;
    String error;
    // The text is the rest of the line after one blank: "#" and spaces are typed, and only
    // the CR of a CRLF line end goes.
    ASSERT_TRUE(
        script.Parse({"1 key grave down", "  1  KEY Grave up", "2 text print(6*7)  # not a comment", "3 Text  x ",
                      "3 text\t\xC3\xA9\xE2\x98\xBA\xF0\x9F\x99\x82", "4 text a\r", "# 5 text a comment", "6 text ~"},
                     "console.script", error))
        << error;
    const std::vector<ScriptedInput> expected = {Key(1, '`', true),
                                                 Key(1, '`', false),
                                                 Text(2, "print(6*7)  # not a comment"),
                                                 Text(3, " x "),
                                                 Text(3, "\xC3\xA9\xE2\x98\xBA\xF0\x9F\x99\x82"),
                                                 Text(4, "a"),
                                                 Text(6, "~")};
    EXPECT_TRUE(SameInputs(script.GetInputs(), expected)) << script.Format();

    // Written out, it reads back the same, and the backquote's name is not bindable.
    EXPECT_EQ(script.Format().rfind("1 key GRAVE down\n1 key GRAVE up\n2 text print(6*7)  # not a comment\n", 0), 0u)
        << script.Format();
    InputScript again;
    ASSERT_TRUE(again.Parse(SplitText(script.Format(), "\n", false), "formatted", error)) << error;
    EXPECT_TRUE(SameInputs(again.GetInputs(), expected));
    EXPECT_EQ(InputRouter::GetKeyCode("GRAVE"), -1);
}

TEST(InputScript, BadLinesNameTheFileAndLineAndKeepNothing)
{
    const std::pair<String, String> badLines[] = {
        {"10 key SPACE", "found 3 words"},
        {"10 key SPACE down now", "found 5 words"},
        {"-1 key SPACE down", "whole number"},
        {"+1 key SPACE down", "whole number"},
        {"ten key SPACE down", "whole number"},
        {"1.5 key SPACE down", "whole number"},
        {"99999999999 key SPACE down", "whole number"},
        {"10 mouse SPACE down", "\"key\", \"pad\" or \"text\""},
        {"10 key SPCE down", "unknown key name \"SPCE\""},
        {"10 key BACKQUOTE down", "unknown key name"},
        {"10 key P1BUTTON_A down", "not a key name"},
        {"10 pad SPACE down", "not a pad button name"},
        {"10 key SPACE pressed", "\"down\" or \"up\""},
        {"10 pad GRAVE down", "not a pad button name"},
        {"10 text", "nothing to type"},
        {"10 text ", "nothing to type"},
        {"ten text abc", "whole number"},
        {"10 text a\tb", "the control character U+0009"},
        {"10 text a\x7F", "the control character U+007F"},
        {"10 text \xC2\x85", "the control character U+0085"},
        {"10 text caf\xE9", "not well-formed UTF-8"},
        {"10 text \xC0\xAF", "not well-formed UTF-8"},
        {"10 text \xED\xA0\x80", "not well-formed UTF-8"},
        {"10 text \xF4\x90\x80\x80", "not well-formed UTF-8"},
        {"10 text print(`x`)", "backquote can't be typed"},
    };
    for (const auto& [line, reason] : badLines)
    {
        InputScript script;
        String error;
        ASSERT_TRUE(script.Parse({"0 key A down"}, "old", error));
        EXPECT_FALSE(script.Parse({"# header", "1 key A down", line}, "run.script", error)) << line;
        EXPECT_EQ(error.rfind("run.script:3: ", 0), 0u) << error;
        EXPECT_NE(error.find(reason), String::npos) << error;
        EXPECT_EQ(script.GetInputs().size(), 1u) << "a failed parse must leave the old script alone";
    }

    InputScript script;
    String error;
    EXPECT_FALSE(script.Load("/nonexistent/run.script", error));
    EXPECT_EQ(error, "/nonexistent/run.script: can't be read");
}

TEST(InputScript, LoadsAFileInAnyFrameOrder)
{
    ScratchFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const String path = folder.path + "/falling.script";
    {
        // Falling frames, two edges per frame, CRLF line ends and no final line feed.
        std::ofstream file(path, std::ios::binary);
        for (int frame = 999; frame >= 0; --frame)
            file << frame << " key A down\r\n" << frame << " key A up" << (frame > 0 ? "\r\n" : "");
    }
    InputScript script;
    String error;
    ASSERT_TRUE(script.Load(path, error)) << error;
    const std::vector<ScriptedInput>& inputs = script.GetInputs();
    ASSERT_EQ(inputs.size(), 2000u);
    for (size_t i = 0; i < inputs.size(); ++i)
    {
        // Sorted by frame; each frame's edges in the order they were written.
        ASSERT_EQ(inputs[i].frame, static_cast<int>(i / 2)) << i;
        ASSERT_EQ(inputs[i].down, i % 2 == 0) << i;
    }
}

TEST(InputScript, LoadReadsOnlyRegularFilesOfBoundedSize)
{
    ScratchFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const String fifo = folder.path + "/fifo.script";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const String huge = folder.path + "/huge.script";
    std::ofstream(huge) << "0 key A down\n";
    ASSERT_EQ(truncate(huge.c_str(), 33L * 1024 * 1024), 0);

    // A FIFO would block until written to, a device never ends: neither is opened.
    const std::pair<String, String> refused[] = {
        {"/dev/urandom", "/dev/urandom: can't be read as an input script: not a regular file"},
        {fifo, fifo + ": can't be read as an input script: not a regular file"},
        {folder.path, folder.path + ": can't be read as an input script: a folder, not a regular file"},
        {huge, huge + ": larger than 32 MiB, the most an input script may hold"},
    };
    for (const auto& [path, message] : refused)
    {
        InputScript script;
        String error;
        ASSERT_TRUE(script.Parse({"0 key A down"}, "old", error));
        EXPECT_FALSE(script.Load(path, error)) << path;
        EXPECT_EQ(error, message);
        EXPECT_EQ(script.GetInputs().size(), 1u) << "a refused file must leave the old script alone";
    }

    // A link to a regular file is followed.
    const String real = folder.path + "/real.script";
    std::ofstream(real) << "3 key SPACE down\n";
    ASSERT_EQ(symlink(real.c_str(), (folder.path + "/link.script").c_str()), 0);
    InputScript script;
    String error;
    ASSERT_TRUE(script.Load(folder.path + "/link.script", error)) << error;
    EXPECT_EQ(script.GetInputs().size(), 1u);
}

TEST(InputScript, RecordingReplaysAsTheSameEdges)
{
    InputRecorder::Start();
    // Window edges arrive between frames and count for the next one; pad polls belong
    // to the current frame. Before any frame has run, that is frames 1 and 0.
    InputRecorder::RecordKey('A', true);
    InputRecorder::RecordKey(KeyCodes::KEY_LEFT, true);
    InputRecorder::RecordKey('`', true);
    InputRecorder::RecordKey('=', true); // has no name: left out
    // Characters typed together make one line; what no script can type is left out.
    InputRecorder::RecordText('a');
    InputRecorder::RecordText(0xE9);
    InputRecorder::RecordText('\n');
    InputRecorder::RecordText('`');
    InputRecorder::RecordText(0xD800);
    InputRecorder::RecordText(' ');
    InputRecorder::RecordKey('A', false);
    InputRecorder::RecordPadButton(1, 5, true);
    InputRecorder::RecordText('#');
    InputRecorder::RecordPadButton(0, 9, false);
    const InputScript& recorded = InputRecorder::GetRecording();
    EXPECT_EQ(recorded.Format(), "0 pad P2BUTTON_BACK down\n"
                                 "0 pad P1BUTTON_RIGHTTRIGGER up\n"
                                 "1 key A down\n"
                                 "1 key LEFT_ARROW down\n"
                                 "1 key GRAVE down\n"
                                 "1 text a\xC3\xA9 \n"
                                 "1 key A up\n"
                                 "1 text #\n");

    InputScript replay;
    String error;
    ASSERT_TRUE(replay.Parse(SplitText(recorded.Format(), "\n", false), "recording", error)) << error;
    EXPECT_TRUE(SameInputs(replay.GetInputs(), recorded.GetInputs()));
}

TEST(InputScript, ScriptedKeysAreHeldAndReachBindings)
{
    InputRouter& router = InputRouter::GetInstance();
    router.ClearBindings();
    router.BindKey("SPACE", "+LieStart");
    router.BindKey("SPACE", "-LieStop");
    router.BindKey("Q", "Quit");
    MessageRecorder recorder({"LieStart", "LieStop", "Quit"});

    InputScript script;
    String error;
    ASSERT_TRUE(script.Parse({"2 key SPACE down", "2 key Q down", "4 key SPACE up", "4 key Q up"}, "s", error));

    script.Play(0);
    script.Play(1);
    EXPECT_FALSE(router.IsKeyDown(' '));
    EXPECT_TRUE(recorder.Deliver().empty());

    script.Play(2);
    EXPECT_TRUE(router.IsKeyDown(' '));
    // Letters are held in either case, as the key-state query takes them.
    EXPECT_TRUE(router.IsKeyDown('q'));
    EXPECT_TRUE(router.IsKeyDown('Q'));
    EXPECT_EQ(recorder.Deliver(), StringList({"LieStart", "Quit"}));

    // A frame skipped by the caller still gets its edges at the next call.
    script.Play(7);
    EXPECT_FALSE(router.IsKeyDown(' '));
    EXPECT_FALSE(router.IsKeyDown('q'));
    EXPECT_EQ(recorder.Deliver(), StringList({"LieStop"}));
}

TEST(InputScript, ScriptedPadButtonsPlugInAPadAndReachItsPoll)
{
    InputRouter& router = InputRouter::GetInstance();
    router.ClearBindings();
    router.BindKey("P1BUTTON_A", "+LieStart");
    router.BindKey("P1BUTTON_A", "-LieStop");
    router.BindKey("P1BUTTON_LEFTTRIGGER", "Trigger");
    MessageRecorder recorder({"LieStart", "LieStop", "Trigger"});
    Controller& pad = ControllerManager::GetInstance().GetController(0);
    pad.Setup(); // no pad here

    InputScript script;
    String error;
    ASSERT_TRUE(
        script.Parse({"1 pad P1BUTTON_A down", "1 pad P1BUTTON_LEFTTRIGGER down", "3 pad P1BUTTON_A up"}, "s", error));
    ASSERT_FALSE(pad.IsConnected());
    script.PlugInScriptedPads();
    EXPECT_TRUE(pad.IsConnected());
    EXPECT_FALSE(ControllerManager::GetInstance().GetController(1).IsConnected());

    script.Play(1);
    // Like a real pad, the press is seen from the next poll on.
    EXPECT_FALSE(pad.IsAButtonDown());
    pad.UpdateState();
    EXPECT_TRUE(pad.IsAButtonDown());
    EXPECT_TRUE(pad.IsLeftTriggerPressed());
    EXPECT_EQ(recorder.Deliver(), StringList({"LieStart", "Trigger"}));

    pad.UpdateState();
    EXPECT_TRUE(recorder.Deliver().empty());
    script.Play(3);
    pad.UpdateState();
    EXPECT_FALSE(pad.IsAButtonDown());
    EXPECT_EQ(recorder.Deliver(), StringList({"LieStop"}));
}

TEST(InputScript, AReplayedConsoleSessionTypesIntoTheConsoleAsPlayedByHand)
{
    RecordingConsole console;
    World::GetInstance().RegisterConsole(&console);
    InputRouter& router = InputRouter::GetInstance();
    router.ClearBindings();
    router.BindKey("P", "Pause");
    router.BindKey("ENTER", "Confirm");
    MessageRecorder recorder({"Pause", "Confirm"});

    InputScript script;
    String error;
    ASSERT_TRUE(script.Parse(
        {// Closed, typed text goes nowhere and keys reach the bindings.
         "0 text q", "0 key P down", "0 key P up",
         // Open, keys and text are the console's, as when typed.
         "1 key GRAVE down", "1 key GRAVE up", "2 key P down", "2 text p", "2 key P up", "3 text rint(6*7)",
         "4 key ENTER down", "4 key ENTER up",
         // Shift+backquote types a tilde and leaves the console open.
         "5 key L_SHIFT down", "5 key GRAVE down", "5 text ~", "5 key GRAVE up", "5 key L_SHIFT up", "6 key GRAVE down",
         "6 key GRAVE up", "7 key ENTER down"},
        "session", error))
        << error;

    script.Play(0);
    EXPECT_EQ(recorder.Deliver(), StringList({"Pause"}));
    EXPECT_EQ(console.GetCurrentInput(), "");
    script.Play(1);
    ASSERT_TRUE(console.IsEnabled());
    script.Play(4);
    EXPECT_EQ(console.executed, StringList({"print(6*7)"}));
    script.Play(5);
    EXPECT_TRUE(console.IsEnabled());
    EXPECT_EQ(console.GetCurrentInput(), "~");
    script.Play(7);
    EXPECT_FALSE(console.IsEnabled());
    EXPECT_EQ(console.executed, StringList({"print(6*7)"}));
    EXPECT_EQ(recorder.Deliver(), StringList({"Confirm"}));
    World::GetInstance().RegisterConsole(nullptr);
}
