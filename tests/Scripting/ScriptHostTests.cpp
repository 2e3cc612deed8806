#include "ScriptTest.h"

#include "Actors/Actor.h"
#include "Infrastructure/Console.h"
#include "Sound/SoundDevice.h"
#include "TestUtilities/FrameDriver.h"
#include "TestUtilities/LogCapture.h"
#include "TestUtilities/WindowTest.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{
// A working directory of its own holding `script` as the start-up script (none when
// empty); the run folder comes back when it goes.
class ScratchFolder
{
public:
    explicit ScratchFolder(const std::string& script)
        : previous(fs::current_path()), folder(fs::temp_directory_path() / ("tarvo_host_" + std::to_string(getpid())))
    {
        fs::create_directories(folder / "Resources/Scripts");
        if (!script.empty())
            std::ofstream(folder / "Resources/Scripts/start.py") << script;
        fs::current_path(folder);
    }
    ~ScratchFolder()
    {
        fs::current_path(previous);
        fs::remove_all(folder);
    }
    fs::path Path() const { return folder; }

private:
    fs::path previous;
    fs::path folder;
};

std::string OutputOf(const Console& console)
{
    std::string text;
    for (const String& line : console.GetOutputLines())
        text += line + "\n";
    return text;
}
} // namespace

TEST(ScriptHost, WithoutAStartupScriptTheInterpreterStaysStopped)
{
    ScratchFolder scratch("");
    LogCapture log;
    EXPECT_FALSE(ScriptHost::StartScriptHost());
    EXPECT_TRUE(log.Contains("Error initializing Python: couldn't find startup file."));
    EXPECT_FALSE(ScriptHost::IsRunning());
    EXPECT_FALSE(Py_IsInitialized());
    ScriptHost::Finalize();
    EXPECT_FALSE(log.Contains("Python initialized."));
}

TEST(ScriptHost, AScriptRaisingOnItsFirstLineLeavesTheInterpreterRunning)
{
    ScratchFolder scratch("raise RuntimeError('first line')\n");
    LogCapture log;
    // The free function is the same start.
    EXPECT_TRUE(StartScriptHost());
    EXPECT_TRUE(log.Contains("Python initialized."));
    EXPECT_TRUE(Py_IsInitialized());
    // The module is built in: no file of that name exists anywhere on the path.
    EXPECT_EQ(ScriptTest::Eval("__import__('_tarvo').ADS_Circle"), "1");
    ScriptHost::Finalize();
    EXPECT_FALSE(Py_IsInitialized());
}

TEST(ScriptHost, TheScriptFolderComesBeforeTheUsersPythonPath)
{
    ScratchFolder scratch("import helper\nsource = helper.WHERE\n");
    const fs::path user = scratch.Path() / "user";
    fs::create_directories(user);
    std::ofstream(user / "helper.py") << "WHERE = 'user'\n";
    std::ofstream(user / "onlyuser.py") << "WHERE = 'user only'\n";
    std::ofstream(scratch.Path() / "Resources/Scripts/helper.py") << "WHERE = 'game'\n";
    setenv("PYTHONPATH", user.c_str(), 1);

    ASSERT_TRUE(ScriptHost::StartScriptHost());
    EXPECT_EQ(ScriptTest::Eval("source"), "game");
    EXPECT_EQ(ScriptTest::Eval("__import__('onlyuser').WHERE"), "user only");
    ScriptHost::Finalize();
    unsetenv("PYTHONPATH");
}

TEST(ScriptHost, AStartupScriptCallingSysExitEndsOnlyTheScript)
{
    ScratchFolder scratch("import sys\nbefore = 1\nsys.exit(3)\nafter = 1\n");
    LogCapture log;
    EXPECT_TRUE(ScriptHost::StartScriptHost());
    EXPECT_EQ(log.Count("ERROR: ./Resources/Scripts/start.py called sys.exit(3): the game goes on without the rest of "
                        "the script."),
              1u);
    EXPECT_TRUE(log.Contains("Python initialized."));
    EXPECT_EQ(ScriptTest::Eval("(before, 'after' in dir())"), "(1, False)");
    EXPECT_EQ(PyErr_Occurred(), nullptr);
    ScriptHost::Finalize();
}

TEST(ScriptHost, AStartupScriptThatIsAFolderOrAFifoIsOneLineAndNoWait)
{
    ScratchFolder scratch("");
    const fs::path script = scratch.Path() / "Resources/Scripts/start.py";
    LogCapture log;
    fs::create_directory(script);
    EXPECT_FALSE(ScriptHost::StartScriptHost());
    EXPECT_TRUE(log.Contains("Error initializing Python: startup file ./Resources/Scripts/start.py is a folder, not a "
                             "regular file."));
    fs::remove(script);
    ASSERT_EQ(mkfifo(script.c_str(), 0600), 0);
    // With no writer, opening it for reading the usual way would wait forever.
    EXPECT_FALSE(ScriptHost::StartScriptHost());
    EXPECT_TRUE(log.Contains("Error initializing Python: startup file ./Resources/Scripts/start.py is not a regular "
                             "file."));
    EXPECT_FALSE(Py_IsInitialized());
}

TEST(ScriptHost, AStartupScriptPastTheLimitIsRefusedUnread)
{
    ScratchFolder scratch("");
    const fs::path script = scratch.Path() / "Resources/Scripts/start.py";
    std::ofstream(script).close();
    fs::resize_file(script, ScriptHost::MaxScriptFileBytes + 1);
    LogCapture log;
    EXPECT_FALSE(ScriptHost::StartScriptHost());
    EXPECT_EQ(log.lines, StringList{"Error initializing Python: startup file ./Resources/Scripts/start.py is larger "
                                    "than 8 MiB."});
    EXPECT_FALSE(Py_IsInitialized());
}

TEST(ScriptHost, AStartupScriptKeepsTheEncodingItDeclares)
{
    ScratchFolder scratch("# -*- coding: latin-1 -*-\nword = '\xe9t\xe9'\n");
    ASSERT_TRUE(ScriptHost::StartScriptHost());
    EXPECT_EQ(ScriptTest::Eval("word"), "\u00e9t\u00e9");
    ScriptHost::Finalize();
}

TEST(ScriptHost, ThreadsThatAreNotDaemonsDoNotHoldUpTheEnd)
{
    ScratchFolder scratch("import threading, time\n"
                          "forever = lambda: time.sleep(10 ** 6)\n"
                          "threading.Thread(target=forever).start()\n"
                          "threading.Thread(target=forever).start()\n"
                          "threading.Thread(target=forever, daemon=True).start()\n"
                          "brief = threading.Thread(target=lambda: None)\n"
                          "brief.start()\n"
                          "brief.join()\n");
    LogCapture log;
    ASSERT_TRUE(ScriptHost::StartScriptHost());
    ScriptHost::Finalize();
    EXPECT_FALSE(Py_IsInitialized());
    EXPECT_EQ(log.Count("WARNING: 2 Python threads (not daemons) were still running at exit; the game ends without "
                        "waiting for them."),
              1u);
}

// The game's own start.py, started by the World as in the game.
class PythonConsole : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        if (!IsSkipped())
        {
            ASSERT_TRUE(ScriptHost::IsRunning());
        }
    }
};

TEST_F(PythonConsole, ActsLikePythonsOwnPrompt)
{
    Console* console = World::GetInstance().GetConsole();
    ASSERT_NE(console, nullptr) << "start.py registers its console";
    console->Execute("a = Actor(); World.GetInstance().Add(a)");
    console->Execute("a.GetClassName()");
    console->Execute("for i in range(2):");
    console->Execute("    print(i * 10)");
    console->Execute("");
    console->Execute("~5");
    console->Execute("undefined_name");
    console->Execute("1 +");

    const std::string output = OutputOf(*console);
    EXPECT_NE(output.find(">>> a.GetClassName()\n'Actor'\n"), std::string::npos) << output;
    EXPECT_NE(output.find("...     print(i * 10)\n... \n0\n10\n"), std::string::npos) << output;
    EXPECT_NE(output.find(">>> ~5\n-6\n"), std::string::npos) << output;
    EXPECT_NE(output.find("NameError: name 'undefined_name' is not defined"), std::string::npos) << output;
    EXPECT_NE(output.find("SyntaxError"), std::string::npos) << output;
    EXPECT_EQ(World::GetInstance().GetElements().size(), 1u);
}

TEST_F(PythonConsole, ExitIsOneLineAndLeavesNothingPending)
{
    LogCapture log;
    Console* console = World::GetInstance().GetConsole();
    ASSERT_NE(console, nullptr);
    console->Execute("exit()");
    console->Execute("if True:");
    console->Execute("    quit(4)");
    console->Execute("");
    console->Execute("import sys; sys.exit()");
    console->Execute("6 * 7");

    const std::string output = OutputOf(*console);
    const std::string hint = "exit() does not end the game: World.GetInstance().StopGame() does, and backquote closes "
                             "the console.\n";
    size_t hints = 0;
    for (size_t at = output.find(hint); at != std::string::npos; at = output.find(hint, at + 1))
        ++hints;
    EXPECT_EQ(hints, 3u) << output;
    EXPECT_NE(output.find(">>> 6 * 7\n42\n"), std::string::npos) << "nothing left pending: " << output;
    EXPECT_EQ(output.find("Traceback"), std::string::npos) << output;
    EXPECT_TRUE(log.lines.empty()) << log.lines.front();
}

TEST_F(PythonConsole, CompletesNamesAndAttributes)
{
    Console* console = World::GetInstance().GetConsole();
    ASSERT_NE(console, nullptr);
    const StringList names = console->GetCompletions("x = Wor");
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "x = World(");
    console->Execute("v = Vector2(1.0, 2.0)");
    const StringList attributes = console->GetCompletions("v.Len");
    EXPECT_NE(std::find(attributes.begin(), attributes.end(), "v.Length("), attributes.end());
    EXPECT_NE(std::find(attributes.begin(), attributes.end(), "v.LengthSquared("), attributes.end());
    EXPECT_TRUE(console->GetCompletions("v.Nothing").empty());

    // The terminal's line editor stays out: its functions would mix with the driver's own.
    console->Execute("import readline");
    EXPECT_NE(OutputOf(*console).find("import of readline halted"), std::string::npos) << OutputOf(*console);
}

TEST_F(PythonConsole, HelpShowsTheCommentsOfTheEngineHeaders)
{
    // The comment right above PhysicsActor::SetRestitution in its header.
    std::ifstream header(TARVO_SOURCE_DIR "/Physics/PhysicsActor.h");
    ASSERT_TRUE(header);
    std::vector<std::string> comment;
    for (std::string line; std::getline(header, line) && line.find("void SetRestitution(") == std::string::npos;)
    {
        const size_t slashes = line.find_first_not_of(' ');
        if (slashes != std::string::npos && line.compare(slashes, 3, "// ") == 0)
            comment.push_back(line.substr(slashes + 3));
        else
            comment.clear();
    }
    ASSERT_FALSE(comment.empty()) << "the example method has lost its comment: pick another";

    Console* console = World::GetInstance().GetConsole();
    ASSERT_NE(console, nullptr);
    console->Execute("help(PhysicsActor)");
    const std::string output = OutputOf(*console);
    EXPECT_NE(output.find("SetRestitution(restitution: float)\n"), std::string::npos) << output;
    for (const std::string& line : comment)
        EXPECT_NE(output.find(line + "\n"), std::string::npos) << line << "\n" << output;
    EXPECT_NE(output.find("An Actor driven by the physics simulation"), std::string::npos) << output;
    EXPECT_EQ(output.find("Traceback"), std::string::npos) << output;
}

TEST_F(PythonConsole, TheRecipesInTheDocsWorkAsTyped)
{
    std::ifstream doc(TARVO_SOURCE_DIR "/docs/scripting.md");
    ASSERT_TRUE(doc);
    Console* console = World::GetInstance().GetConsole();
    ASSERT_NE(console, nullptr);
    int blocks = 0;
    bool inBlock = false;
    for (std::string line; std::getline(doc, line);)
    {
        if (line == "```python")
        {
            inBlock = true;
            ++blocks;
        }
        else if (inBlock && line == "```")
        {
            inBlock = false;
            console->Execute("");
        }
        else if (inBlock)
        {
            console->Execute(line);
        }
    }
    EXPECT_EQ(blocks, 7);

    FrameDriver frames;
    for (int i = 0; i < 30; ++i)
        frames.Frame(0.1f);
    const std::string output = OutputOf(*console);
    EXPECT_EQ(output.find("Traceback"), std::string::npos) << output;
    EXPECT_NE(output.find("heard ArrivedRight"), std::string::npos) << output;
    EXPECT_NE(output.find("False False "), std::string::npos) << "the polling recipe: " << output;

    Actor* moved = nullptr;
    Actor* spinner = nullptr;
    for (Renderable* element : World::GetInstance().GetElements())
        if (auto* actor = dynamic_cast<Actor*>(element))
        {
            if (actor->GetDrawShape() == ADS_Circle)
                spinner = actor;
            else if (actor->GetSize().X == 2.0f)
                moved = actor;
        }
    ASSERT_NE(moved, nullptr);
    ASSERT_NE(spinner, nullptr);
    EXPECT_GT(spinner->GetRotation(), 200.0f);
    EXPECT_FLOAT_EQ(moved->GetPosition().X, 3.0f);
    EXPECT_FLOAT_EQ(moved->GetColor().B, 1.0f);
    // The background is the colour the command set.
    const Color corner = DrawFrameAndReadPixel(1, 1);
    EXPECT_NEAR(corner.B, 0.3f, 0.02f);
}

// A script's thread that only computes gets the interpreter while frames draw; one that
// calls into the engine gets a Python error instead of racing the frame.
TEST_F(PythonConsole, ThreadsComputeWhileFramesDrawAndMayNotCallTheEngine)
{
    const long actorsBefore = Actor::GetLiveCount();
    EXPECT_RUNS("import threading\n"
                "from tarvo import Actor\n"
                "outcome = {}\n"
                "def work():\n"
                "    total = 0\n"
                "    for i in range(3000000):\n"
                "        total += i\n"
                "    outcome['total'] = total\n"
                "    print('printed from the thread')\n"
                "    try:\n"
                "        Actor()\n"
                "    except RuntimeError as error:\n"
                "        outcome['error'] = str(error)\n"
                "    outcome['done'] = True\n"
                "worker = threading.Thread(target=work, daemon=True)\n"
                "worker.start()\n");
    // From here on the main thread runs no script code, which would hand the thread the
    // interpreter at Python's own switches: only the frames' drawing does.
    PyObject* outcome = PyDict_GetItemString(ScriptTestDetail::MainNames(), "outcome");
    ASSERT_NE(outcome, nullptr);
    FrameDriver frames;
    for (int frame = 0; frame < 20000 && !PyDict_GetItemString(outcome, "done"); ++frame)
        frames.Frame(0.016f);
    ASSERT_NE(PyDict_GetItemString(outcome, "done"), nullptr) << "the thread never got to run";
    EXPECT_EQ(ScriptTest::Eval("outcome['total']"), "4499998500000");
    EXPECT_EQ(ScriptTest::Eval("outcome['error']"),
              "new_Actor was called from a thread of its own: the engine runs on the game's main thread only. "
              "Compute on threads and hand the results to an Update (through a queue.Queue, say).");
    EXPECT_EQ(Actor::GetLiveCount(), actorsBefore) << "the thread's actor was never made";
    // A script's objects go as the interpreter ends, and a sound they still hold is theirs
    // to stop then: the World ends scripting before sound, and sound does not come back.
}

TEST_F(PythonConsole, ScriptsEndBeforeSoundAndSoundDoesNotStartAgain)
{
    const fs::path marker = fs::temp_directory_path() / ("tarvo_music_" + std::to_string(getpid()));
    EXPECT_RUNS(
        "class Music:\n"
        "    def __init__(self):\n"
        "        device = tarvo.SoundDevice.GetInstance()\n"
        "        self.handle = device.PlaySound(device.LoadSample('Resources/Sounds/lie.wav', False), 1.0, True)\n"
        "    def __del__(self):\n"
        "        tarvo.SoundDevice.GetInstance().StopSound(self.handle)\n"
        "        open('" +
        marker.string() +
        "', 'w').write('stopped')\n"
        "console.names['Music'] = Music\n");
    // The console keeps the last value it showed; it goes first as the interpreter ends.
    World::GetInstance().GetConsole()->Execute("Music()");
    LogCapture log;
    DestroyWorld();
    std::ifstream stopped(marker);
    std::string text;
    std::getline(stopped, text);
    EXPECT_EQ(text, "stopped");
    fs::remove(marker);
    EXPECT_TRUE(log.lines.empty()) << log.lines.front();
    EXPECT_EQ(SoundDevice::FindInstance(), nullptr);

    // Whatever asks for sound afterwards gets a device that does nothing, said once.
    SoundDevice& late = SoundDevice::GetInstance();
    EXPECT_EQ(late.PlaySound(late.LoadSample("Resources/Sounds/lie.wav", false)), nullptr);
    SoundDevice::GetInstance().StopSound(nullptr);
    EXPECT_EQ(SoundDevice::FindInstance(), nullptr);
    EXPECT_EQ(log.lines, StringList{"WARNING: Sound was asked for after it was shut down; it does not start again."});
}
