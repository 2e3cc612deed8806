#include "Platform/Screenshot.h"
#include "TestUtilities/LogCapture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace
{
FrameImage GreyFrame()
{
    FrameImage frame;
    frame.width = 64;
    frame.height = 48;
    frame.pixels.assign(static_cast<size_t>(frame.width * frame.height * 4), 128);
    return frame;
}
} // namespace

TEST(Screenshot, AWriteThatFailsAtTheEndIsAnError)
{
    // A file size limit fails the write the way a full disk does: only once the buffered
    // bytes are flushed, after every call before has succeeded.
    const String path = ::testing::TempDir() + "tarvo-full-disk-" + std::to_string(getpid()) + ".png";
    rlimit saved = {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit tiny = saved;
    tiny.rlim_cur = 100;
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    LogCapture log;
    const bool written = SavePng(GreyFrame(), path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].rfind("ERROR: could not write the screenshot " + path + ": ", 0), 0u) << log.lines[0];
    std::FILE* leftOver = std::fopen(path.c_str(), "rb");
    EXPECT_EQ(leftOver, nullptr) << "a cut-off file is removed";
    if (leftOver)
        std::fclose(leftOver);
    std::remove(path.c_str());
}

TEST(Screenshot, WritesAPngAndChecksPathsWithoutTouchingThem)
{
    const String path = ::testing::TempDir() + "tarvo-screenshot-" + std::to_string(getpid()) + ".png";
    String reason;
    EXPECT_TRUE(CanWriteScreenshot(path, reason));
    EXPECT_TRUE(SavePng(GreyFrame(), path));
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    char signature[4] = {};
    EXPECT_EQ(std::fread(signature, 1, 4, file), 4u);
    std::fclose(file);
    EXPECT_EQ(String(signature, 4), "\x89PNG");
    std::remove(path.c_str());

    for (const String& bad : {String(""), String("/nonexistent-folder/x.png"), String("/dev/null"), String("/tmp")})
    {
        EXPECT_FALSE(CanWriteScreenshot(bad, reason)) << bad;
        EXPECT_FALSE(reason.empty());
    }
}
