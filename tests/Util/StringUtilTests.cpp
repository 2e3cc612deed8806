#include "Util/StringUtil.h"

#include "TestUtilities/HostileFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

TEST(StringUtilTest, SplitKeepsInnerEmptyPiecesUnlessAskedButNeverATrailingOne)
{
    EXPECT_EQ(SplitText("a,,b", ",", false), (StringList{"a", "", "b"}));
    EXPECT_EQ(SplitText("a,,b", ",", true), (StringList{"a", "b"}));
    EXPECT_EQ(SplitText("a,b,", ",", false), (StringList{"a", "b"}));
    EXPECT_EQ(SplitText(",a", ",", false), (StringList{"", "a"}));
    EXPECT_EQ(SplitText("a b;c", " ;", false), (StringList{"a", "b", "c"}));
    EXPECT_TRUE(SplitText("", ",", false).empty());
}

TEST(StringUtilTest, TrimAndCase)
{
    EXPECT_EQ(TrimText("     "), "");
    EXPECT_EQ(TrimText("  x y \n"), "x y");
    EXPECT_EQ(TrimText("--a-b--", "-"), "a-b");
    EXPECT_EQ(ToUpper("ab1z"), "AB1Z");
    EXPECT_EQ(ToLower("AbC"), "abc");
}

TEST(StringUtilTest, ReadFileLinesAppendsAndKeepsAFinalEmptyLine)
{
    const String path = ::testing::TempDir() + "lines-" + std::to_string(getpid()) + ".txt";
    {
        std::ofstream file(path);
        file << "one\ntwo\n";
    }
    StringList lines{"existing"};
    ASSERT_TRUE(ReadFileLines(path, lines));
    EXPECT_EQ(lines, (StringList{"existing", "one", "two", ""}));

    StringList untouched{"keep"};
    EXPECT_FALSE(ReadFileLines(path + ".missing", untouched));
    EXPECT_EQ(untouched, StringList{"keep"});
    // A directory opens but can't be read; it must not hang.
    StringList fromDirectory;
    ReadFileLines(::testing::TempDir(), fromDirectory);
    std::remove(path.c_str());
}

TEST(StringUtilTest, ReadFileLinesRefusesWhatIsNoFileWithoutReadingIt)
{
    HostileFiles files(MaxLinesFileBytes);
    ASSERT_TRUE(files.made);
    for (const String& path : {files.device, files.fifo, files.huge, files.failing})
    {
        StringList lines{"keep"};
        EXPECT_FALSE(ReadFileLines(path, lines)) << path;
        EXPECT_EQ(lines, StringList{"keep"}) << path;
    }
}
