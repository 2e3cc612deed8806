#include "Platform/RunFolder.h"
#include "TestUtilities/LogCapture.h"
#include "TestUtilities/ScratchFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
String Here()
{
    char here[PATH_MAX] = {};
    return getcwd(here, sizeof(here)) ? String(here) : String();
}

// An empty file, with the folders leading to it.
void Touch(const String& path)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream{path};
}

String RealPath(const String& path)
{
    char resolved[PATH_MAX] = {};
    return realpath(path.c_str(), resolved) ? String(resolved) : String();
}

// An empty folder to start in, and one holding Resources/ to be installed in; both
// removed afterwards. Each test runs in its own process, so moving is harmless.
class RunFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        runFolder = Here();
        ASSERT_FALSE(startFolder.empty());
        ASSERT_FALSE(dataFolder.empty());
        mkdir((dataFolder + "/Resources").c_str(), 0700);
        ASSERT_EQ(chdir(startFolder.c_str()), 0);
    }
    void TearDown() override
    {
        SetInstalledDataFolder("");
        SetGameFolder("");
    }

    String runFolder;
    ScratchFolder start;
    ScratchFolder data;
    const String& startFolder = start.path;
    const String& dataFolder = data.path;
};
} // namespace

TEST_F(RunFolder, AFolderHoldingResourcesIsKept)
{
    ASSERT_EQ(chdir(runFolder.c_str()), 0);
    SetInstalledDataFolder(dataFolder);
    EXPECT_TRUE(FindRunFolder());
    EXPECT_EQ(Here(), runFolder);
    EXPECT_EQ(StartFolderPath("shot.png"), runFolder + "/shot.png");
}

TEST_F(RunFolder, ElsewhereTheInstalledDataFolderIsUsedAndPlayerPathsStayWhereHeStarted)
{
    SetInstalledDataFolder(dataFolder);
    EXPECT_TRUE(FindRunFolder());
    EXPECT_EQ(Here(), dataFolder);
    EXPECT_EQ(StartFolderPath("shots/shot.png"), startFolder + "/shots/shot.png");
    EXPECT_EQ(StartFolderPath("/var/tmp/shot.png"), "/var/tmp/shot.png");
    EXPECT_EQ(StartFolderPath(""), "");
}

TEST_F(RunFolder, ARelativeDataFolderIsFoundFromTheExecutable)
{
    // This test program sits in <build>/tests, beside the run folder <build>/run.
    SetInstalledDataFolder("../run");
    EXPECT_TRUE(FindRunFolder());
    EXPECT_EQ(Here(), RealPath(runFolder));
}

TEST_F(RunFolder, WithoutEitherItSaysWhereItLookedInOneLine)
{
    SetInstalledDataFolder(dataFolder + "/missing");
    LogCapture log;
    EXPECT_FALSE(FindRunFolder());
    EXPECT_EQ(Here(), startFolder);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], "ERROR: can't find the Resources/ folder in " + startFolder +
                                "; start the program in its run folder (the engine's build makes build/release/run; "
                                "a game of your own runs in a folder holding its own Resources/ and Config/) or "
                                "install it (it then reads " +
                                dataFolder + "/missing).");
}

TEST_F(RunFolder, AGameFolderBecomesTheWorkingDirectoryButPlayerPathsStayWhereHeStarted)
{
    SetGameFolder(dataFolder);
    EXPECT_TRUE(FindRunFolder());
    EXPECT_EQ(Here(), dataFolder);
    EXPECT_EQ(StartFolderPath("shot.png"), startFolder + "/shot.png");
}

TEST_F(RunFolder, TheGamesOwnFilesComeFirstThenTheEnginesThenNone)
{
    // The game's folder (here the start folder) has a font; the engine's has a font and
    // the console script.
    Touch("Resources/Fonts/Own.otf");
    Touch(dataFolder + "/Resources/Fonts/Own.otf");
    Touch(dataFolder + "/Resources/Scripts/start.py");
    SetEngineDataFolder(dataFolder);
    EXPECT_EQ(EngineDataFolder(), dataFolder);
    EXPECT_EQ(EngineFile("Resources/Fonts/Own.otf"), "Resources/Fonts/Own.otf");
    EXPECT_EQ(EngineFile("Resources/Scripts/start.py"), dataFolder + "/Resources/Scripts/start.py");
    EXPECT_EQ(EngineFile("Resources/Scripts/none.py"), "Resources/Scripts/none.py");

    // A folder without the console script is no engine data folder.
    SetEngineDataFolder(startFolder);
    EXPECT_EQ(EngineDataFolder(), "");
    EXPECT_EQ(EngineFile("Resources/Scripts/start.py"), "Resources/Scripts/start.py");
}

TEST_F(RunFolder, AGameFolderWithoutResourcesNeedsTheEnginesData)
{
    SetEngineDataFolder(dataFolder + "/missing");
    SetGameFolder(startFolder);
    LogCapture log;
    EXPECT_FALSE(FindRunFolder());
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], "ERROR: can't find the Resources/ folder in " + startFolder +
                                ", nor the engine's own data folder (Resources/Scripts/start.py) beside the program.");

    Touch(dataFolder + "/Resources/Scripts/start.py");
    SetEngineDataFolder(dataFolder);
    EXPECT_TRUE(FindRunFolder());
    EXPECT_EQ(Here(), startFolder);
}
