#include "Platform/FrameLoop.h"

void RunFrameLoop(std::function<bool()> runFrame, std::function<void()> afterLoop)
{
    while (runFrame())
    {
    }
    if (afterLoop)
        afterLoop();
}

bool ProgramCanQuit() { return true; }
