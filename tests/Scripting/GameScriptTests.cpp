#include "Scripting/GameScript.h"

#include "Infrastructure/Console.h"
#include "Infrastructure/World.h"
#include "Scripting/ScriptFailure.h"
#include "Scripting/ScriptHost.h"
#include "TestUtilities/LogCapture.h"
#include "TestUtilities/ScratchFolder.h"
#include "TestUtilities/WindowTest.h"

#include <cstdio>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
// A game folder of its own beside the run folder the World started in.
class GameScriptRun : public WindowTest
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
    void Write(const String& name, const String& text) { std::ofstream(game.path + "/" + name) << text; }
    String ConsoleOutput() const
    {
        String text;
        for (const String& line : World::GetInstance().GetConsole()->GetOutputLines())
            text += line + "\n";
        return text;
    }
    // The name of every actor in the World, in walk order.
    String Names()
    {
        World::GetInstance().GetConsole()->Execute(
            "print(','.join(e.GetName() for e in TagCollection.GetInstance().GetObjectsTagged('piece')))");
        const auto& lines = World::GetInstance().GetConsole()->GetOutputLines();
        return lines.empty() ? String() : lines.back();
    }

    ScratchFolder game;
};
} // namespace

TEST_F(GameScriptRun, MainRunsAsMainAndReloadRunsItAgainWithEditedModules)
{
    Write("piece.py", "NAME = 'first'\n");
    Write("main.py", "import piece\n"
                     "from tarvo import *\n"
                     "assert __name__ == '__main__'\n"
                     "a = Actor(); a.SetName(piece.NAME); a.Tag('piece')\n"
                     "World.GetInstance().Add(a)\n");
    ASSERT_EQ(GameScript::Run(game.path), GameScript::GSR_Ran);
    EXPECT_EQ(World::GetInstance().GetElements().size(), 1u);
    EXPECT_EQ(Names().rfind("First", 0), 0u) << Names();

    // A longer name, so the module's size changes too, as Python's caches would notice.
    Write("piece.py", "NAME = 'second'\n");
    World::GetInstance().GetConsole()->Execute("reload()");
    EXPECT_NE(ConsoleOutput().find("reloaded " + game.path + "/main.py"), String::npos) << ConsoleOutput();
    // The old actor went with the reset; the new run made one of the new name (which
    // the engine capitalises and numbers).
    EXPECT_EQ(World::GetInstance().GetElements().size(), 1u);
    EXPECT_EQ(Names().rfind("Second", 0), 0u) << Names();
}

TEST_F(GameScriptRun, AFailureNamesTheGamesLineAndReloadCanRecover)
{
    LogCapture log;
    Write("main.py", "from tarvo import *\nif True\n    pass\n");
    EXPECT_EQ(GameScript::Run(game.path), GameScript::GSR_Failed);
    EXPECT_TRUE(log.Contains("ERROR: " + game.path + "/main.py:2: SyntaxError: expected ':'"));

    Write("main.py", "from tarvo import *\n\nraise ValueError('not yet')\n");
    World::GetInstance().GetConsole()->Execute("reload()");
    EXPECT_NE(ConsoleOutput().find("ValueError: not yet"), String::npos) << ConsoleOutput();
    EXPECT_NE(ConsoleOutput().find("reload failed at " + game.path + "/main.py:3: ValueError: not yet"), String::npos)
        << ConsoleOutput();

    Write("main.py", "from tarvo import *\na = Actor(); a.Tag('piece'); World.GetInstance().Add(a)\n");
    World::GetInstance().GetConsole()->Execute("reload()");
    EXPECT_EQ(World::GetInstance().GetElements().size(), 1u);
}

// A game in Python draws from Python's own random module: --seed must reach it, or a
// seeded replay of such a game is a different game every run.
TEST_F(GameScriptRun, TheRunsSeedSeedsPythonsRandomForEveryRunOfMain)
{
    Write("main.py", "import random\nDRAW = random.random()\n");
    ASSERT_EQ(GameScript::Run(game.path, 5u), GameScript::GSR_Ran);
    Console& console = *World::GetInstance().GetConsole();
    console.Execute("first = game.DRAW");
    console.Execute("reload()");
    console.Execute("print(first == game.DRAW, first == __import__('random').Random(5).random())");
    EXPECT_EQ(console.GetOutputLines().back(), "True True") << ConsoleOutput();
}

// A game's own random.py or code.py must not take the place of the modules the engine
// seeds and the console runs on.
TEST_F(GameScriptRun, GameModulesNamedLikeStandardOnesAreToldOfAndBreakNothing)
{
    LogCapture log;
    Write("random.py", "raise ImportError('the game\\'s random.py')\n");
    Write("code.py", "raise ImportError('the game\\'s code.py')\n");
    Write("main.py", "from tarvo import *\n");
    ASSERT_EQ(GameScript::Run(game.path, 3u), GameScript::GSR_Ran);
    size_t warnings = 0;
    for (const String& line : log.lines)
        warnings += line.rfind("WARNING: The game's ", 0) == 0 ? 1 : 0;
    EXPECT_EQ(warnings, 2u);
    EXPECT_TRUE(log.Contains("WARNING: The game's random.py has the name of Python's standard module random: an "
                             "import of random may get the other one than meant (the engine's own imports were made "
                             "before). Renaming it avoids that."));
    Console& console = *World::GetInstance().GetConsole();
    console.Execute("print(6 * 7)");
    EXPECT_EQ(console.GetOutputLines().back(), "42") << ConsoleOutput();
}

TEST_F(GameScriptRun, FailuresAndExitsReachTheHandlerWithTheGamesFileAndLine)
{
    std::vector<ScriptFailure> heard;
    ScriptFailures::SetHandler([&heard](const ScriptFailure& failure) { heard.push_back(failure); });
    Write("main.py", "from tarvo import *\n"
                     "def deeper(n):\n"
                     "    return [][n]\n"
                     "class Faulty(Actor):\n"
                     "    def Update(self, dt):\n"
                     "        deeper(3)\n"
                     "World.GetInstance().Add(Faulty())\n");
    ASSERT_EQ(GameScript::Run(game.path), GameScript::GSR_Ran);
    World::GetInstance().Tick(true);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].callback, "Actor.Update");
    EXPECT_EQ(heard[0].error, "IndexError: list index out of range");
    EXPECT_EQ(heard[0].file, game.path + "/main.py");
    EXPECT_EQ(heard[0].line, 3);
    ASSERT_EQ(heard[0].lastCalls.size(), 2u);
    EXPECT_NE(heard[0].lastCalls[0].find("main.py:6 in Update: deeper(3)"), String::npos) << heard[0].lastCalls[0];
    EXPECT_NE(heard[0].traceback.find("Traceback (most recent call last):"), String::npos);
    EXPECT_FALSE(heard[0].exits);

    Write("main.py", "x = (\n");
    EXPECT_EQ(GameScript::Run(game.path), GameScript::GSR_Failed);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[1].callback, "main.py");
    EXPECT_EQ(heard[1].line, 1);
    EXPECT_EQ(heard[1].error.rfind("SyntaxError", 0), 0u) << heard[1].error;

    Write("main.py", "import sys\nsys.exit(7)\n");
    EXPECT_EQ(GameScript::Run(game.path), GameScript::GSR_Exited);
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_TRUE(heard[2].exits);
    EXPECT_EQ(heard[2].exitStatus, 7);
    ScriptFailures::SetHandler(nullptr);
}

TEST_F(GameScriptRun, AMainThatCantBeAScriptIsOneErrorAtReloadAndNoWait)
{
    Write("main.py", "from tarvo import *\n");
    ASSERT_EQ(GameScript::Run(game.path), GameScript::GSR_Ran);
    const String main = game.path + "/main.py";
    // Replaced while the game runs: Python's own open() would wait for a writer forever.
    std::remove(main.c_str());
    ASSERT_EQ(mkfifo(main.c_str(), 0600), 0);
    World::GetInstance().GetConsole()->Execute("reload()");
    EXPECT_NE(ConsoleOutput().find("reload failed at " + main + ": OSError: " + main + " is not a regular file"),
              String::npos)
        << ConsoleOutput();

    std::remove(main.c_str());
    std::ofstream(main).close();
    ASSERT_EQ(truncate(main.c_str(), static_cast<off_t>(ScriptHost::MaxScriptFileBytes) + 1), 0);
    World::GetInstance().GetConsole()->Execute("reload()");
    EXPECT_NE(ConsoleOutput().find("reload failed at " + main + ": OSError: " + main + " is larger than 8 MiB"),
              String::npos)
        << ConsoleOutput();
}
