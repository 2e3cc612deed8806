#include "ScriptTest.h"

#include "Infrastructure/Console.h"
#include "TestUtilities/LogCapture.h"
#include "TestUtilities/WindowTest.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

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
    EXPECT_FALSE(ScriptHost::Start());
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
    EXPECT_TRUE(ScriptHost::Start());
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

    ASSERT_TRUE(ScriptHost::Start());
    EXPECT_EQ(ScriptTest::Eval("source"), "game");
    EXPECT_EQ(ScriptTest::Eval("__import__('onlyuser').WHERE"), "user only");
    ScriptHost::Finalize();
    unsetenv("PYTHONPATH");
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
}
