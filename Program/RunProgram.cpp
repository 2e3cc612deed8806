#include "Program/RunProgram.h"

#include "Infrastructure/World.h"
#include "Platform/PlayerFolders.h"
#include "Platform/RunFolder.h"
#include "Platform/StopSignals.h"
#include "Program/EngineSubsystems.h"
#include "Program/RunOptions.h"

#include <cstdio>
#include <memory>

int RunProgram(int argc, const char* const* argv, const String& programName, const String& windowTitle,
               const std::function<void()>& setUp, int services)
{
    return RunProgram(
        argc, argv, programName, windowTitle, [&setUp](const RunOptions&) { setUp(); }, services);
}

int RunProgram(int argc, const char* const* argv, const String& programName, const String& windowTitle,
               const std::function<void(const RunOptions&)>& setUp, int services)
{
    RunOptions options;
    String error;
    if (!ParseRunOptions(argc, argv, options, error))
    {
        std::fprintf(stderr, "%s: %s (see --help)\n", programName.c_str(), error.c_str());
        return 2;
    }
    if (options.help)
    {
        std::printf("%s", RunOptionsUsage(programName).c_str());
        return 0;
    }
    if (!PrepareInput(options, error))
    {
        std::fprintf(stderr, "%s: %s\n", programName.c_str(), error.c_str());
        return 2;
    }
    if (!FindRunFolder())
    {
        AbandonInput();
        return 1;
    }
    // The input files are already open; the screenshot is written at the end, after
    // FindRunFolder may have moved to an installed data folder.
    options.screenshot = StartFolderPath(options.screenshot);
    SetPlayerFolderName(programName);
    ApplyRunOptions(options);
    // Before the window opens, so that a signal during start-up ends the run after its
    // first frame. SDL and Python install their own handlers only where none is set.
    InstallStopSignals();

    PlugInEngineSubsystems();
    World& world = World::GetInstance();
    if (!world.Initialize(windowTitle, options.antiAliasing, true, services))
    {
        // No frame has run: an old recording of that name is worth more than an empty one.
        AbandonInput();
        return 1;
    }
    setUp(options);
    // In the browser StartGame never returns, and this function's frame is gone by the
    // time the loop ends: the end of the run keeps what it needs itself.
    auto exitStatus = std::make_shared<int>(1);
    world.StartGame(
        [options, exitStatus]
        {
            const bool finished = FinishRun(options);
            World::GetInstance().Destroy();
            *exitStatus = finished ? 0 : 1;
        });
    return *exitStatus;
}
