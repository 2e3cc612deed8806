#include "Infrastructure/RunOptions.h"

#include "Infrastructure/Screenshot.h"
#include "Infrastructure/World.h"
#include "Util/MathKit.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace
{
FrameImage lastFrameImage;

bool ParseInt(const String& text, long minimum, long maximum, long& out)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < minimum || value > maximum)
        return false;
    out = value;
    return true;
}

bool ParseSeconds(const String& text, float& out)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value) || value < 0.0f || value > 1.0f)
        return false;
    out = value;
    return true;
}
} // namespace

bool ParseRunOptions(int argc, const char* const* argv, RunOptions& options, String& error)
{
    for (int i = 1; i < argc; ++i)
    {
        const String option = argv[i];
        if (option == "--help" || option == "-h")
        {
            options.help = true;
            continue;
        }
        if (option == "--no-msaa")
        {
            options.antiAliasing = false;
            continue;
        }
        if (option == "--frame-stats")
        {
            options.frameStats = true;
            continue;
        }
        if (option != "--frames" && option != "--fixed-dt" && option != "--seed" && option != "--screenshot")
        {
            error = "unknown option " + option;
            return false;
        }
        if (i + 1 >= argc)
        {
            error = option + " needs a value";
            return false;
        }
        const String value = argv[++i];
        long number = 0;
        if (option == "--frames")
        {
            if (!ParseInt(value, 1, 1000000000L, number))
            {
                error = "--frames needs a whole number of frames above 0, not \"" + value + "\"";
                return false;
            }
            options.frames = static_cast<int>(number);
        }
        else if (option == "--fixed-dt")
        {
            if (!ParseSeconds(value, options.fixedDt))
            {
                error = "--fixed-dt needs seconds from 0 to 1, not \"" + value + "\"";
                return false;
            }
        }
        else if (option == "--seed")
        {
            if (!ParseInt(value, 0, 4294967295L, number))
            {
                error = "--seed needs a whole number from 0 to 4294967295, not \"" + value + "\"";
                return false;
            }
            options.seeded = true;
            options.seed = static_cast<unsigned int>(number);
        }
        else
        {
            options.screenshot = value;
        }
    }
    return true;
}

String RunOptionsUsage(const String& programName)
{
    return "usage: " + programName +
           " [options]\n"
           "  --frames N          stop after N frames\n"
           "  --fixed-dt S        make every frame last S seconds (0..1) instead of the clock's time\n"
           "  --seed N            seed the random source with N instead of the time\n"
           "  --screenshot F.png  write the last frame to F.png before exiting\n"
           "  --no-msaa           draw without multisampling\n"
           "  --frame-stats       print frame-time percentiles (update and draw) at exit\n"
           "  --help              show this text\n";
}

void ApplyRunOptions(const RunOptions& options)
{
    if (options.seeded)
        MathKit::SeedRandom(options.seed);
    World& world = World::GetInstance();
    world.SetFrameLimit(options.frames);
    world.SetFrameStatsOn(options.frameStats);
    if (options.fixedDt >= 0.0f)
    {
        // Every read of the clock is one frame later than the one before.
        auto ticks = std::make_shared<long>(0);
        const double step = options.fixedDt;
        world.SetTimeSource([ticks, step] { return static_cast<double>((*ticks)++) * step; });
    }
    if (!options.screenshot.empty())
    {
        // The shown buffer can't be read back reliably, so the frame is kept while it is
        // still being drawn: only the last one when the frame count is known.
        const int lastFrame = options.frames;
        world.SetFrameDrawnHook(
            [lastFrame]
            {
                World& running = World::GetInstance();
                if (lastFrame == 0 || running.GetFramesRun() + 1 == lastFrame)
                    lastFrameImage = CaptureFrame();
            });
    }
}

bool FinishRun(const RunOptions& options)
{
    if (options.frameStats)
        std::printf("%s", World::GetInstance().GetFrameStats().Report().c_str());
    return options.screenshot.empty() || SavePng(lastFrameImage, options.screenshot);
}

int RunProgram(int argc, const char* const* argv, const String& programName, const String& windowTitle,
               const std::function<void()>& setUp)
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
    ApplyRunOptions(options);

    World& world = World::GetInstance();
    if (!world.Initialize(windowTitle, options.antiAliasing))
        return 1;
    setUp();
    world.StartGame();
    const bool finished = FinishRun(options);
    world.Destroy();
    return finished ? 0 : 1;
}
