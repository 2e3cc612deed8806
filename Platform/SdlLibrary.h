#pragma once

// SDL2, opened on first use rather than at exec, for the sound and game-pad back ends:
// it brings some thirty sound-server, compression and system libraries with it, which a
// program pays for in start-up time and memory (and in every symbol lookup of the
// libraries loaded after them) before its first frame.

#include "Util/StringUtil.h"

#include <SDL.h>

#include <mutex>

// The functions the back ends call, named without the library's prefix.
#define TARVO_SDL_FUNCTIONS(X)                                                                                         \
    X(InitSubSystem)                                                                                                   \
    X(QuitSubSystem)                                                                                                   \
    X(GetError)                                                                                                        \
    X(SetHint)                                                                                                         \
    X(SetHintWithPriority)                                                                                             \
    X(ResetHint)                                                                                                       \
    X(RWFromConstMem)                                                                                                  \
    X(GetTicks)                                                                                                        \
    X(Delay)                                                                                                           \
    X(NumJoysticks)                                                                                                    \
    X(IsGameController)                                                                                                \
    X(JoystickGetDeviceInstanceID)                                                                                     \
    X(JoystickInstanceID)                                                                                              \
    X(JoystickEventState)                                                                                              \
    X(GameControllerEventState)                                                                                        \
    X(GameControllerOpen)                                                                                              \
    X(GameControllerClose)                                                                                             \
    X(GameControllerUpdate)                                                                                            \
    X(GameControllerGetAttached)                                                                                       \
    X(GameControllerGetJoystick)                                                                                       \
    X(GameControllerGetAxis)                                                                                           \
    X(GameControllerGetButton)                                                                                         \
    X(GameControllerRumble)

struct SdlApi
{
#define TARVO_SDL_POINTER(name) decltype(&SDL_##name) name = nullptr;
    TARVO_SDL_FUNCTIONS(TARVO_SDL_POINTER)
#undef TARVO_SDL_POINTER
};

namespace SdlLibrary
{
// The library's functions, or null with the reason in error when it can't be loaded.
// Loads it at the first call, from any thread; later calls give the same answer.
const SdlApi* Get(String& error);

// Held while a back end starts or stops one of SDL's subsystems or changes its hints:
// SDL counts the users of each subsystem without a lock of its own, and the sound device
// opens on a thread of its own while the game pads start on the main thread.
std::mutex& StartLock();
} // namespace SdlLibrary
