// The entry point of every test program.
#include "Program/EngineSubsystems.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // The software rasteriser's worker threads can still be winding down when the leak
    // checker stops the process at exit; rasterising on the main thread avoids that race.
    setenv("LP_NUM_THREADS", "0", 0);
    // Tests hear nothing unless a sound test picks another driver.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // Every test runs the engine as a program does, with its subsystems plugged in.
    PlugInEngineSubsystems();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
