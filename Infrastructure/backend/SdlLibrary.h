#pragma once

// SDL2, opened on first use rather than at exec, for the sound and game-pad back ends:
// it brings some thirty sound-server, compression and system libraries with it, which a
// program pays for in start-up time and memory (and in every symbol lookup of the
// libraries loaded after them) before its first frame.

#include "Util/StringUtil.h"

#include <SDL.h>

#include <mutex>

struct SdlApi
{
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_GetError) GetError;
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_SetHintWithPriority) SetHintWithPriority;
    decltype(&SDL_ResetHint) ResetHint;
    decltype(&SDL_RWFromFile) RWFromFile;
    decltype(&SDL_GetTicks) GetTicks;
    decltype(&SDL_Delay) Delay;
    decltype(&SDL_NumJoysticks) NumJoysticks;
    decltype(&SDL_IsGameController) IsGameController;
    decltype(&SDL_JoystickGetDeviceInstanceID) JoystickGetDeviceInstanceID;
    decltype(&SDL_JoystickInstanceID) JoystickInstanceID;
    decltype(&SDL_JoystickEventState) JoystickEventState;
    decltype(&SDL_GameControllerEventState) GameControllerEventState;
    decltype(&SDL_GameControllerOpen) GameControllerOpen;
    decltype(&SDL_GameControllerClose) GameControllerClose;
    decltype(&SDL_GameControllerUpdate) GameControllerUpdate;
    decltype(&SDL_GameControllerGetAttached) GameControllerGetAttached;
    decltype(&SDL_GameControllerGetJoystick) GameControllerGetJoystick;
    decltype(&SDL_GameControllerGetAxis) GameControllerGetAxis;
    decltype(&SDL_GameControllerGetButton) GameControllerGetButton;
    decltype(&SDL_GameControllerRumble) GameControllerRumble;
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
