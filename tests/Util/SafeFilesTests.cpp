#include "TestUtilities/ScratchFolder.h"
#include "Util/SafeFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
String ReadWhole(const String& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

StringList Entries(const String& folder)
{
    StringList names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

TEST(FileReplacement, ReplacesTheFileALinkNamesAndKeepsItsMode)
{
    ScratchFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const String target = folder.path + "/kept.txt";
    const String link = folder.path + "/link.txt";
    std::ofstream(target) << "old";
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    ASSERT_EQ(symlink("kept.txt", link.c_str()), 0);

    FileReplacement replacement;
    String reason;
    ASSERT_TRUE(replacement.Begin(link, 0666, reason)) << reason;
    // Nothing changes for the old file until the new one is complete.
    EXPECT_EQ(ReadWhole(target), "old");
    // Moving elsewhere does not move where the file goes.
    const String startFolder = std::filesystem::current_path().string();
    ASSERT_EQ(chdir("/"), 0);
    const bool committed = replacement.Commit("new\n", reason);
    ASSERT_EQ(chdir(startFolder.c_str()), 0);
    ASSERT_TRUE(committed) << reason;

    EXPECT_EQ(ReadWhole(target), "new\n");
    struct stat info;
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(Entries(folder.path), StringList({"kept.txt", "link.txt"}));
}

TEST(FileReplacement, DiscardedOrRefusedLeavesEverythingAsItWas)
{
    ScratchFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const String target = folder.path + "/kept.txt";
    std::ofstream(target) << "old";
    {
        FileReplacement replacement;
        String reason;
        ASSERT_TRUE(replacement.Begin(target, 0666, reason)) << reason;
        EXPECT_EQ(Entries(folder.path).size(), 2u);
    }
    EXPECT_EQ(ReadWhole(target), "old");
    EXPECT_EQ(Entries(folder.path), StringList({"kept.txt"}));

    // Renaming over a FIFO or a folder would take it from whoever uses it.
    ASSERT_EQ(mkfifo((folder.path + "/fifo").c_str(), 0600), 0);
    FileReplacement replacement;
    String reason;
    EXPECT_FALSE(replacement.Begin(folder.path + "/fifo", 0666, reason));
    EXPECT_EQ(reason, "not a regular file");
    EXPECT_FALSE(replacement.Begin(folder.path, 0666, reason));
    EXPECT_FALSE(replacement.Begin(folder.path + "/no/such/folder/file", 0666, reason));
    EXPECT_FALSE(replacement.Commit("text", reason));
    EXPECT_EQ(Entries(folder.path), StringList({"fifo", "kept.txt"}));
}

TEST(ReadRegularFile, ReadsNoMoreThanTheLimitWhateverTheSizeClaims)
{
    String text;
    String reason;
    // Files under /proc say they are empty and are not.
    EXPECT_EQ(ReadRegularFile("/proc/self/maps", 16, text, reason), FRS_TooLarge);
    EXPECT_EQ(reason, "larger than 16 bytes");
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(ReadRegularFile("/proc/self/maps", 1 << 20, text, reason), FRS_Read);
    EXPECT_FALSE(text.empty());

    EXPECT_EQ(ReadRegularFile("/no/such/file", 16, text, reason), FRS_Missing);
    EXPECT_EQ(ReadRegularFile("/dev/zero", 16, text, reason), FRS_NotRegular);
    EXPECT_EQ(DescribeByteCount(32u << 20), "32 MiB");
    EXPECT_EQ(DescribeByteCount(64), "64 bytes");
}

TEST(FileReplacement, NewFilesLeftByAKilledWriterGoAtTheNextBegin)
{
    ScratchFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const String target = folder.path + "/kept.txt";
    std::ofstream(target) << "old";
    // A writer that is gone: a child that has ended and been waited for.
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    ASSERT_GT(gone, 0);
    ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
    const String goneWriter = std::to_string(gone);
    const String own = std::to_string(getpid());
    for (const String& name : StringList{"kept.txt." + goneWriter + "-0.new", "kept.txt." + goneWriter + "-12.new",
                                         // still running: another game saving right now, and this process
                                         "kept.txt.1-0.new", "kept.txt." + own + "-900.new",
                                         // not this target's
                                         "other.txt." + goneWriter + "-0.new", "kept.txt." + goneWriter + "-0.new.bak"})
        std::ofstream(folder.path + "/" + name) << "half";

    FileReplacement replacement;
    String reason;
    ASSERT_TRUE(replacement.Begin(target, 0666, reason)) << reason;
    ASSERT_TRUE(replacement.Commit("new", reason)) << reason;
    StringList expected = {"kept.txt", "kept.txt." + goneWriter + "-0.new.bak", "kept.txt." + own + "-900.new",
                           "kept.txt.1-0.new", "other.txt." + goneWriter + "-0.new"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Entries(folder.path), expected);
    EXPECT_EQ(ReadWhole(target), "new");
}
