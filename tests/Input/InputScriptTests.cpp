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
        if (a[i].frame != b[i].frame || a[i].code != b[i].code || a[i].down != b[i].down)
            return false;
    }
    return true;
}
} // namespace

TEST(InputScript, ReadsCommentsBlankLinesAnyCaseAndSortsByFrame)
{
    InputScript script;
    String error;
    ASSERT_TRUE(script.Parse({"# a whole-line comment", "", "   \t", "30 key space down  # lie", "5 KEY Up_Arrow DOWN",
                              "\t30  pad  p2button_rightbumper  up\r", "5 key a up", "0 key ESCAPE down"},
                             "moves.txt", error))
        << error;
    const std::vector<ScriptedInput> expected = {{0, KeyCodes::KEY_ESCAPE, true},
                                                 {5, KeyCodes::KEY_UP, true},
                                                 {5, 'a', false},
                                                 {30, ' ', true},
                                                 {30, 1031, false}};
    EXPECT_TRUE(SameInputs(script.GetInputs(), expected));
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
        {"10 mouse SPACE down", "\"key\" or \"pad\""},
        {"10 key SPCE down", "unknown key name \"SPCE\""},
        {"10 key BACKQUOTE down", "unknown key name"},
        {"10 key P1BUTTON_A down", "not a key name"},
        {"10 pad SPACE down", "not a pad button name"},
        {"10 key SPACE pressed", "\"down\" or \"up\""},
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
    InputRecorder::RecordKey('`', true); // has no name: left out
    InputRecorder::RecordKey('A', false);
    InputRecorder::RecordPadButton(1, 5, true);
    InputRecorder::RecordPadButton(0, 9, false);
    const InputScript& recorded = InputRecorder::GetRecording();
    EXPECT_EQ(recorded.Format(), "0 pad P2BUTTON_BACK down\n"
                                 "0 pad P1BUTTON_RIGHTTRIGGER up\n"
                                 "1 key A down\n"
                                 "1 key LEFT_ARROW down\n"
                                 "1 key A up\n");

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
