#pragma once

#include <functional>

// Runs the program's frames. `runFrame` draws one frame and answers whether another
// follows; when it answers no, `afterLoop` runs once.
//
// On the desktop this is a plain loop, and RunFrameLoop returns after `afterLoop`. In the
// browser a program may not hold the page in a loop: the browser calls `runFrame` at each
// of its frames, and RunFrameLoop never returns, so whatever ends the run belongs in
// `afterLoop` and must not refer to the caller's locals.
void RunFrameLoop(std::function<bool()> runFrame, std::function<void()> afterLoop);

// Whether the player can end the program from inside it (Escape, the window's close
// button). True on the desktop; false in the browser, where the page stays and only a
// reload would bring the program back.
bool ProgramCanQuit();
