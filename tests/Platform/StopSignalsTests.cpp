#include "Platform/StopSignals.h"

#include <gtest/gtest.h>

#include <csignal>

TEST(StopSignals, FirstSignalOnlyAsksToStop)
{
    for (const int signalNumber : {SIGINT, SIGTERM})
    {
        InstallStopSignals();
        EXPECT_FALSE(StopSignalReceived());
        std::raise(signalNumber);
        EXPECT_TRUE(StopSignalReceived());
    }
}

TEST(StopSignalsDeathTest, SecondSignalEndsTheProcessAtOnce)
{
    EXPECT_EXIT(
        {
            InstallStopSignals();
            std::raise(SIGTERM);
            std::raise(SIGTERM);
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGTERM), "");
}
