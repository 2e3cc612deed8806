#include "Infrastructure/backend/SdlLibrary.h"

#include "Infrastructure/SharedLibrary.h"

namespace
{
std::once_flag loadOnce;
SdlApi api;
const SdlApi* loaded = nullptr;
String loadError;

bool FindAll(SharedLibrary& library, String& error)
{
    return library.Find(api.InitSubSystem, "SDL_InitSubSystem", error) &&
           library.Find(api.QuitSubSystem, "SDL_QuitSubSystem", error) &&
           library.Find(api.GetError, "SDL_GetError", error) && library.Find(api.SetHint, "SDL_SetHint", error) &&
           library.Find(api.SetHintWithPriority, "SDL_SetHintWithPriority", error) &&
           library.Find(api.ResetHint, "SDL_ResetHint", error) &&
           library.Find(api.RWFromFile, "SDL_RWFromFile", error) && library.Find(api.GetTicks, "SDL_GetTicks", error) &&
           library.Find(api.Delay, "SDL_Delay", error) && library.Find(api.NumJoysticks, "SDL_NumJoysticks", error) &&
           library.Find(api.IsGameController, "SDL_IsGameController", error) &&
           library.Find(api.JoystickGetDeviceInstanceID, "SDL_JoystickGetDeviceInstanceID", error) &&
           library.Find(api.JoystickInstanceID, "SDL_JoystickInstanceID", error) &&
           library.Find(api.JoystickEventState, "SDL_JoystickEventState", error) &&
           library.Find(api.GameControllerEventState, "SDL_GameControllerEventState", error) &&
           library.Find(api.GameControllerOpen, "SDL_GameControllerOpen", error) &&
           library.Find(api.GameControllerClose, "SDL_GameControllerClose", error) &&
           library.Find(api.GameControllerUpdate, "SDL_GameControllerUpdate", error) &&
           library.Find(api.GameControllerGetAttached, "SDL_GameControllerGetAttached", error) &&
           library.Find(api.GameControllerGetJoystick, "SDL_GameControllerGetJoystick", error) &&
           library.Find(api.GameControllerGetAxis, "SDL_GameControllerGetAxis", error) &&
           library.Find(api.GameControllerGetButton, "SDL_GameControllerGetButton", error) &&
           library.Find(api.GameControllerRumble, "SDL_GameControllerRumble", error);
}

void Load()
{
    // Never closed: SDL's threads and exit handlers must outlive every caller.
    static SharedLibrary library;
    if (library.Open({"libSDL2-2.0.so.0"}, loadError) && FindAll(library, loadError))
        loaded = &api;
}
} // namespace

namespace SdlLibrary
{
const SdlApi* Get(String& error)
{
    std::call_once(loadOnce, Load);
    if (!loaded)
        error = loadError;
    return loaded;
}

std::mutex& StartLock()
{
    static std::mutex lock;
    return lock;
}
} // namespace SdlLibrary
