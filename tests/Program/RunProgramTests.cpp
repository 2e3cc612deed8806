#include "Infrastructure/World.h"
#include "Program/RunOptions.h"
#include "Scripting/ScriptHost.h"
#include "Sound/SoundDevice.h"

#include "TestUtilities/LogCapture.h"
#include "TestUtilities/WindowTest.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
// What the set-up saw of the services, and what the whole run logged. Each test runs in
// its own process, so the World RunProgram initialises is a fresh one.
struct ProgramRun
{
    int status = -1;
    bool soundStarted = false;
    bool scriptsStarted = false;
    StringList log;
};

ProgramRun RunFrames(const int* services)
{
    KeepWindowModulesLoaded();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const char* const argv[] = {"runprogram_test", "--frames", "3", "--fixed-dt", "0.016", "--no-msaa"};
    ProgramRun run;
    LogCapture log;
    const auto setUp = [&run]
    {
        run.soundStarted = SoundDevice::FindInstance() != nullptr;
        run.scriptsStarted = ScriptHost::IsRunning();
    };
    run.status = services ? RunProgram(6, argv, "runprogram_test", "QVRN test", setUp, *services)
                          : RunProgram(6, argv, "runprogram_test", "QVRN test", setUp);
    run.log = log.lines;
    return run;
}

bool Display()
{
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}
} // namespace

TEST(RunProgramTest, AProgramThatAsksForNoServicesStartsNeitherScriptsNorSound)
{
    if (!Display())
        GTEST_SKIP() << "no display";
    const int none = World::NoServices;
    const ProgramRun run = RunFrames(&none);
    EXPECT_EQ(run.status, 0);
    EXPECT_FALSE(run.soundStarted);
    EXPECT_FALSE(run.scriptsStarted);
    EXPECT_EQ(SoundDevice::FindInstance(), nullptr);
    for (const String& line : run.log)
    {
        EXPECT_NE(line.rfind("Python", 0), 0u) << line;
        EXPECT_NE(line.rfind("Error", 0), 0u) << line;
        EXPECT_NE(line.rfind("ERROR", 0), 0u) << line;
        EXPECT_NE(line.rfind("WARNING", 0), 0u) << line;
    }
}

TEST(RunProgramTest, ByDefaultEveryServiceStarts)
{
    if (!Display())
        GTEST_SKIP() << "no display";
    const ProgramRun run = RunFrames(nullptr);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.soundStarted);
    EXPECT_TRUE(run.scriptsStarted);
}

// Where a long has 32 bits (WebAssembly), the seeds' upper limit once overflowed to -1
// and every seed was refused; the limits must hold whatever a long's size.
TEST(RunOptionsTest, NumbersAreReadToTheirLimitsAndRefusedPastThem)
{
    const auto parse = [](const char* option, const char* value, RunOptions& options)
    {
        const char* const argv[] = {"options_test", option, value};
        String error;
        return ParseRunOptions(3, argv, options, error);
    };
    RunOptions options;
    ASSERT_TRUE(parse("--seed", "7", options));
    EXPECT_EQ(7u, options.seed);
    ASSERT_TRUE(parse("--seed", "4294967295", options));
    EXPECT_EQ(4294967295u, options.seed);
    ASSERT_TRUE(parse("--seed", "3000000000", options));
    EXPECT_EQ(3000000000u, options.seed);
    ASSERT_TRUE(parse("--frames", "1000000000", options));
    EXPECT_EQ(1000000000, options.frames);

    for (const char* refused : {"4294967296", "-1", "99999999999999999999", "7x", ""})
    {
        RunOptions untouched;
        EXPECT_FALSE(parse("--seed", refused, untouched)) << refused;
        EXPECT_FALSE(untouched.seeded) << refused;
    }
    EXPECT_FALSE(parse("--frames", "1000000001", options));
}
