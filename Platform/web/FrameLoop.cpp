// The browser drives the frames. Normally at each of its display frames; a page that asks
// for timer-driven frames (Module.timerDrivenFrames, set by the page for tests) gets them
// from a 60 Hz timer, which a headless browser's virtual clock runs as fast as it can.

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
    const bool timerDriven = EM_ASM_INT({ return Module['timerDrivenFrames'] ? 1 : 0; }) != 0;
    // 0 frames a second means the display's own rate. Never returns: the browser calls
    // RunOneFrame from now on.
    emscripten_set_main_loop(RunOneFrame, timerDriven ? 60 : 0, 1);
}
