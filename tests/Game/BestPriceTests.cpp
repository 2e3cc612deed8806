#include "Game/BestPrice.h"
#include "TestUtilities/LogCapture.h"
#include "TestUtilities/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{
// A fresh XDG_DATA_HOME for each test, removed afterwards.
class BestPriceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(root.empty());
        UseDataHome(root + "/data");
    }
    void TearDown() override
    {
        BestPrice::SetSaving(true);
        BestPrice::SetLockWait(BestPrice::LockWaitSeconds);
    }

    void UseDataHome(const String& folder)
    {
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
        BestPrice::Reload();
    }
    static void WriteKept(const String& contents)
    {
        mkdir((String(std::getenv("XDG_DATA_HOME"))).c_str(), 0700);
        mkdir((String(std::getenv("XDG_DATA_HOME")) + "/qvrn").c_str(), 0700);
        std::ofstream(BestPrice::FilePath(), std::ios::binary) << contents;
    }
    static String ReadKept()
    {
        std::ifstream file(BestPrice::FilePath(), std::ios::binary);
        if (!file)
            return "<none>";
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    static size_t WarningCount(const LogCapture& log)
    {
        size_t count = 0;
        for (const String& line : log.lines)
            count += line.rfind("WARNING: ", 0) == 0 ? 1 : 0;
        return count;
    }
    // Everything in the game's folder: a write must leave no temporary file behind.
    static StringList FolderEntries()
    {
        StringList names;
        if (DIR* folder = opendir((String(std::getenv("XDG_DATA_HOME")) + "/qvrn").c_str()))
        {
            while (dirent* entry = readdir(folder))
            {
                if (entry->d_name[0] != '.')
                    names.push_back(entry->d_name);
            }
            closedir(folder);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // Whether a thread or process waits for a lock on the file with this inode: the
    // kernel lists waiters in /proc/locks with "->".
    static bool SomeoneWaitsForLock(ino_t inode)
    {
        std::ifstream locks("/proc/locks");
        const String inodeField = ":" + std::to_string(inode) + " ";
        String line;
        while (std::getline(locks, line))
        {
            if (line.find("->") != String::npos && line.find("FLOCK") != String::npos &&
                line.find(inodeField) != String::npos)
                return true;
        }
        return false;
    }

    ScratchFolder scratch;
    const String& root = scratch.path;
    const StringList keptFiles = {"best-price", "best-price.lock"};
};
} // namespace

TEST_F(BestPriceTest, PathFollowsXdgDataHomeOrHome)
{
    EXPECT_EQ(BestPrice::FilePath(), root + "/data/qvrn/best-price");
    const String home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", "/home/player", 1);
    setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(BestPrice::FilePath(), "/home/player/.local/share/qvrn/best-price");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(BestPrice::FilePath(), "/home/player/.local/share/qvrn/best-price");
    setenv("HOME", home.c_str(), 1);
}

TEST_F(BestPriceTest, MissingFolderCountsAsNoneAndIsCreatedByTheFirstRecord)
{
    UseDataHome(root + "/not/yet/there");
    LogCapture log;
    EXPECT_EQ(BestPrice::Load(), 0.0f);
    EXPECT_EQ(BestPrice::Load(), 0.0f);
    EXPECT_EQ(WarningCount(log), 0u) << "a first game is no fault";

    BestPrice::Record(12.5f);
    EXPECT_EQ(ReadKept(), "12.5\n");
    EXPECT_EQ(FolderEntries(), keptFiles);
    EXPECT_EQ(BestPrice::Load(), 12.5f);
    EXPECT_EQ(WarningCount(log), 0u);
}

TEST_F(BestPriceTest, WrittenOnlyWhenBeaten)
{
    WriteKept("20.25\n");
    EXPECT_EQ(BestPrice::Load(), 20.25f);
    BestPrice::Record(20.25f);
    BestPrice::Record(3.0f);
    EXPECT_EQ(ReadKept(), "20.25\n");

    BestPrice::Record(31.7f);
    EXPECT_EQ(ReadKept(), "31.7000008\n"); // the float itself, so it reads back the same
    EXPECT_EQ(BestPrice::Load(), 31.7f);
    EXPECT_EQ(FolderEntries(), keptFiles);

    // Another run kept a better price meanwhile: it is not overwritten by a lower one.
    WriteKept("50\n");
    BestPrice::Record(40.0f);
    EXPECT_EQ(ReadKept(), "50\n");
    EXPECT_EQ(BestPrice::Load(), 50.0f);

    BestPrice::Record(-1.0f);
    BestPrice::Record(std::nanf(""));
    BestPrice::Record(HUGE_VALF);
    EXPECT_EQ(ReadKept(), "50\n");
}

TEST_F(BestPriceTest, CorruptFilesWarnOnceAndCountAsNone)
{
    const String corrupt[] = {"",       "abc\n",          "12abc\n",           "-5\n", "nan\n", "inf\n",
                              "1e99\n", String(100, '7'), String("7\0junk", 6)};
    for (const String& contents : corrupt)
    {
        WriteKept(contents);
        BestPrice::Reload();
        LogCapture log;
        EXPECT_EQ(BestPrice::Load(), 0.0f) << contents;
        BestPrice::Load();
        EXPECT_EQ(WarningCount(log), 1u) << contents;
    }
    // What is there may matter to someone: a better price is not written over it, and
    // saying so takes one line.
    LogCapture log;
    BestPrice::Record(0.5f);
    EXPECT_EQ(ReadKept(), String("7\0junk", 6));
    EXPECT_EQ(WarningCount(log), 1u);
    EXPECT_EQ(BestPrice::Load(), 0.5f);
    // An empty file holds nothing to lose.
    WriteKept("");
    BestPrice::Record(0.75f);
    EXPECT_EQ(ReadKept(), "0.75\n");
}

TEST_F(BestPriceTest, AFifoInItsPlaceHoldsNothingUpAndIsLeftAlone)
{
    mkdir((root + "/data").c_str(), 0700);
    mkdir((root + "/data/qvrn").c_str(), 0700);
    ASSERT_EQ(mkfifo(BestPrice::FilePath().c_str(), 0600), 0);
    // Opened for reading, a FIFO with no writer would wait for one forever.
    LogCapture log;
    EXPECT_EQ(BestPrice::Load(), 0.0f);
    BestPrice::Record(7.0f);
    EXPECT_EQ(WarningCount(log), 2u);
    struct stat info;
    ASSERT_EQ(stat(BestPrice::FilePath().c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(FolderEntries(), keptFiles);
}

TEST_F(BestPriceTest, GamesEndingTogetherKeepTheHigherPrice)
{
    WriteKept("10\n");
    EXPECT_EQ(BestPrice::Load(), 10.0f);
    // Another game holds the lock: it has read 10 and is about to keep its own 12.
    const int otherGame = open(BestPrice::LockFilePath().c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(otherGame, 0);
    ASSERT_EQ(flock(otherGame, LOCK_EX), 0);
    struct stat lockFile;
    ASSERT_EQ(fstat(otherGame, &lockFile), 0);

    std::atomic<bool> recorded{false};
    std::thread thisGame(
        [&recorded]
        {
            BestPrice::Record(15.0f);
            recorded = true;
        });
    // Until this game waits for the lock (or, without one, has written its price).
    for (int i = 0; i < 10000 && !recorded && !SomeoneWaitsForLock(lockFile.st_ino); ++i)
        usleep(1000);
    WriteKept("12\n");
    close(otherGame);
    thisGame.join();
    // Saved as the game ends, if not on a frame before.
    BestPrice::FinishPendingSave();

    // This game read the other's 12 only after it was written, so its 15 is kept.
    EXPECT_EQ(ReadKept(), "15\n");
    EXPECT_EQ(FolderEntries(), keptFiles);
}

TEST_F(BestPriceTest, ALockHeldElsewhereNeverHoldsTheGameUpAndTheSaveFollowsItsRelease)
{
    WriteKept("10\n");
    EXPECT_EQ(BestPrice::Load(), 10.0f);
    const int otherGame = open(BestPrice::LockFilePath().c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(otherGame, 0);
    ASSERT_EQ(flock(otherGame, LOCK_EX), 0);

    std::atomic<bool> recorded{false};
    std::thread thisGame(
        [&recorded]
        {
            BestPrice::Record(15.0f);
            recorded = true;
        });
    // However long the other game keeps the lock (here: until this one is done, or 20 s).
    for (int i = 0; i < 20000 && !recorded; ++i)
        usleep(1000);
    const bool returnedWhileLocked = recorded;
    if (!returnedWhileLocked)
        close(otherGame);
    thisGame.join();
    ASSERT_TRUE(returnedWhileLocked) << "Record waited for the lock";

    // The run knows its best at once; the file gets it once the lock is free.
    EXPECT_EQ(BestPrice::Load(), 15.0f);
    BestPrice::RetryPendingSave();
    EXPECT_EQ(ReadKept(), "10\n");
    close(otherGame);
    BestPrice::RetryPendingSave();
    EXPECT_EQ(ReadKept(), "15\n");
    EXPECT_EQ(FolderEntries(), keptFiles);
}

TEST_F(BestPriceTest, ASaveWhoseLockStaysHeldIsGivenUpWithOneWarning)
{
    WriteKept("10\n");
    BestPrice::SetLockWait(0.0);
    const int otherGame = open(BestPrice::LockFilePath().c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(otherGame, 0);
    ASSERT_EQ(flock(otherGame, LOCK_EX), 0);
    LogCapture log;
    BestPrice::Record(15.0f);
    BestPrice::FinishPendingSave();
    EXPECT_EQ(log.lines, StringList{"WARNING: could not keep the best price in " + BestPrice::FilePath() +
                                    " (another game has held " + BestPrice::LockFilePath() +
                                    " for 0 s; this price is not saved)"});
    close(otherGame);
    BestPrice::RetryPendingSave();
    EXPECT_EQ(ReadKept(), "10\n");
    EXPECT_EQ(BestPrice::Load(), 15.0f);
    EXPECT_EQ(FolderEntries(), keptFiles);
}

TEST_F(BestPriceTest, ASaveCutShortByAKillLeavesNothingBehindAfterTheNextSave)
{
    WriteKept("10\n");
    // A game killed while it wrote: its new file never became the kept one.
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
    std::ofstream(BestPrice::FilePath() + "." + std::to_string(gone) + "-0.new") << "1";
    BestPrice::Record(12.0f);
    EXPECT_EQ(ReadKept(), "12\n");
    EXPECT_EQ(FolderEntries(), keptFiles);
}

TEST_F(BestPriceTest, UnwritablePlacesWarnAndTheGameGoesOn)
{
    // Blocked by a file where the folder should be (root may write anywhere else).
    std::ofstream(root + "/data") << "not a folder";
    LogCapture log;
    BestPrice::Record(8.0f);
    // No file to read is a first game; the failed write is the one thing to say.
    EXPECT_EQ(WarningCount(log), 1u);
    EXPECT_EQ(BestPrice::Load(), 8.0f);

    // A folder in the place of the file: the rename fails and no temporary file stays.
    UseDataHome(root + "/other");
    mkdir((root + "/other").c_str(), 0700);
    mkdir((root + "/other/qvrn").c_str(), 0700);
    mkdir((root + "/other/qvrn/best-price").c_str(), 0700);
    BestPrice::Record(9.0f);
    EXPECT_EQ(FolderEntries(), keptFiles);
    EXPECT_EQ(WarningCount(log), 3u); // the folder that is no price, then the failed write
}

TEST_F(BestPriceTest, NoSavingLeavesTheFileAlone)
{
    WriteKept("4\n");
    BestPrice::SetSaving(false);
    BestPrice::Record(90.0f);
    EXPECT_EQ(ReadKept(), "4\n");
    // The run itself still knows its best.
    EXPECT_EQ(BestPrice::Load(), 90.0f);
}
