#include "Program/RunOptions.h"

#include "Infrastructure/World.h"
#include "Input/InputRecorder.h"
#include "Input/InputScript.h"
#include "Platform/Log.h"
#include "Platform/Screenshot.h"
#include "Util/MathKit.h"
#include "Util/SafeFiles.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>

namespace
{
FrameImage lastFrameImage;
InputScript inputScript;
// Begun before the window, so that a path that can't be written is refused at once
// rather than losing a whole recorded game at the end. The recording goes to a new file
// beside the old one, which stays as it was until the run ends normally.
FileReplacement recording;

// Whether two paths name one file, through links of either kind.
bool SameFile(const String& a, const String& b)
{
    struct stat first;
    struct stat second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

// Long long: a long has only 32 bits on some platforms (WebAssembly among them), too few
// for the seeds' range.
bool ParseInt(const String& text, long long minimum, long long maximum, long long& out)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
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
        if (option == "--no-save")
        {
            options.saving = false;
            continue;
        }
        if (option == "--frame-stats")
        {
            options.frameStats = true;
            continue;
        }
        if (option != "--frames" && option != "--fixed-dt" && option != "--seed" && option != "--screenshot" &&
            option != "--input-script" && option != "--record-input")
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
        long long number = 0;
        if (option == "--frames")
        {
            if (!ParseInt(value, 1, 1000000000LL, number))
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
            if (!ParseInt(value, 0, 4294967295LL, number))
            {
                error = "--seed needs a whole number from 0 to 4294967295, not \"" + value + "\"";
                return false;
            }
            options.seeded = true;
            options.seed = static_cast<unsigned int>(number);
        }
        else if (option == "--input-script")
        {
            options.inputScript = value;
        }
        else if (option == "--record-input")
        {
            options.recordInput = value;
        }
        else
        {
            // Refused now: finding out after the whole run would lose the picture.
            String reason;
            if (!CanWriteScreenshot(value, reason))
            {
                error = "--screenshot can't write \"" + value + "\": " + reason;
                return false;
            }
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
           "  --input-script F    press keys and pad buttons and type as the lines of F say:\n"
           "                      FRAME key|pad NAME down|up (binding-file names, GRAVE for\n"
           "                      the console's key, # comments) or FRAME text TEXT\n"
           "  --record-input F    write the keys and pad buttons pressed and the text typed\n"
           "                      to F in that form\n"
           "  --no-save           keep no best score or other file between runs\n"
           "  --frame-stats       print frame-time percentiles (update and draw) at exit\n"
           "  --help              show this text\n";
}

bool PrepareInput(const RunOptions& options, String& error)
{
    if (!options.inputScript.empty() && !options.recordInput.empty() &&
        SameFile(options.inputScript, options.recordInput))
    {
        error = "--record-input would write over the input script " + options.inputScript;
        return false;
    }
    if (!options.inputScript.empty() && !inputScript.Load(options.inputScript, error))
        return false;
    String reason;
    if (!options.recordInput.empty() && !recording.Begin(options.recordInput, 0666, reason))
    {
        error = options.recordInput + ": can't be written (" + reason + ")";
        return false;
    }
    return true;
}

void AbandonInput() { recording.Discard(); }

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
        // The shown buffer can't be read back reliably, so every frame is kept while it is
        // still being drawn: the run may end after any of them, on an Escape or the close
        // button that arrives only once the frame is shown.
        world.SetFrameDrawnHook([] { CaptureFrameInto(lastFrameImage); });
    }
    if (!options.inputScript.empty())
    {
        inputScript.PlugInScriptedPads();
        world.SetFrameStartHook([] { inputScript.Play(World::GetInstance().GetFramesRun()); });
    }
    if (recording.IsBegun())
        InputRecorder::Start();
}

bool FinishRun(const RunOptions& options)
{
    bool written = true;
    if (recording.IsBegun())
    {
        const String text = "# Input recorded by --record-input; replay it with --input-script.\n" +
                            InputRecorder::GetRecording().Format();
        String reason;
        if (!recording.Commit(text, reason))
        {
            SystemLogInstance().Printf("ERROR: could not write the input recording %s (%s)",
                                       options.recordInput.c_str(), reason.c_str());
            written = false;
        }
    }
    if (options.frameStats)
        std::printf("%s", World::GetInstance().GetFrameStats().Report().c_str());
    const bool shot = options.screenshot.empty() || SavePng(lastFrameImage, options.screenshot);
    return written && shot;
}
