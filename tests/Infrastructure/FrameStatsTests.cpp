#include "Infrastructure/FrameStats.h"

#include <gtest/gtest.h>

TEST(FrameStatsTest, PercentilesAreNearestRanksOfEachHalfAndOfTheWhole)
{
    FrameStats stats;
    // Recorded out of order: the summary must sort, not trust arrival order.
    for (int i = 100; i >= 1; --i)
        stats.Record(i * 0.1, i * 1.0);
    EXPECT_EQ(stats.GetFrameCount(), 100);

    const FrameStats::Summary draws = stats.Draws();
    EXPECT_DOUBLE_EQ(draws.median, 50.0);
    EXPECT_DOUBLE_EQ(draws.p95, 95.0);
    EXPECT_DOUBLE_EQ(draws.p99, 99.0);
    EXPECT_DOUBLE_EQ(draws.worst, 100.0);
    EXPECT_NEAR(stats.Updates().p95, 9.5, 1e-9);
    EXPECT_NEAR(stats.Frames().worst, 110.0, 1e-9);
}

TEST(FrameStatsTest, FewOrNoFramesStillSummarise)
{
    FrameStats stats;
    EXPECT_DOUBLE_EQ(stats.Frames().worst, 0.0);
    EXPECT_NE(stats.Report().find("0 frames"), String::npos);

    // A clock that stepped backwards gives a negative span; it counts as nothing.
    stats.Record(-3.0, 4.0);
    const FrameStats::Summary frames = stats.Frames();
    EXPECT_DOUBLE_EQ(frames.median, 4.0);
    EXPECT_DOUBLE_EQ(frames.p99, 4.0);
    EXPECT_DOUBLE_EQ(stats.Updates().worst, 0.0);
    const String report = stats.Report();
    EXPECT_NE(report.find("1 frames"), String::npos);
    EXPECT_NE(report.find("update"), String::npos);
    EXPECT_NE(report.find("draw"), String::npos);
}
