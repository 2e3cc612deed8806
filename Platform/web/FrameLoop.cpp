// The browser drives the frames. Normally at each of its display frames; a page that asks
// for them as fast as it can run them (Module.fastFrames, set by the page for tests, whose
// frames last --fixed-dt whatever the clock says) gets each as soon as the last is done.

#include "Platform/FrameLoop.h"

#include <emscripten.h>

#include <utility>

namespace
{
std::function<bool()> frame;
std::function<void()> ending;

void RunOneFrame()
{
    if (frame())
        return;
    emscripten_cancel_main_loop();
    // Moved out first: what ends the run may start nothing new, but must not free itself.
    const std::function<void()> afterLoop = std::move(ending);
    frame = nullptr;
    if (afterLoop)
        afterLoop();
    // The page may say that the program has ended.
    EM_ASM({
        if (Module['onLoopEnd'])
            Module['onLoopEnd']();
    });
}
} // namespace

void RunFrameLoop(std::function<bool()> runFrame, std::function<void()> afterLoop)
{
    frame = std::move(runFrame);
    ending = std::move(afterLoop);
    // Never returns: the browser calls RunOneFrame from now on.
    if (EM_ASM_INT({ return Module['fastFrames'] ? 1 : 0; }) != 0)
    {
        emscripten_set_main_loop(RunOneFrame, 0, 0);
        emscripten_set_main_loop_timing(EM_TIMING_SETIMMEDIATE, 0);
        emscripten_exit_with_live_runtime();
    }
    // At the display's own rate.
    emscripten_set_main_loop(RunOneFrame, 0, 1);
}

bool ProgramCanQuit() { return false; }
