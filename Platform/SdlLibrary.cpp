#include "Platform/SdlLibrary.h"

#include "Platform/SharedLibrary.h"

namespace
{
std::once_flag loadOnce;
SdlApi api;
const SdlApi* loaded = nullptr;
String loadError;

bool FindAll(SharedLibrary& library, String& error)
{
#define TARVO_SDL_FIND(name)                                                                                           \
    if (!library.Find(api.name, "SDL_" #name, error))                                                                  \
        return false;
    TARVO_SDL_FUNCTIONS(TARVO_SDL_FIND)
#undef TARVO_SDL_FIND
    return true;
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
