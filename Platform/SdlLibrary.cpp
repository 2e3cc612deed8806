#include "Platform/SdlLibrary.h"

#include "Platform/SharedLibrary.h"

namespace
{
bool Bind(SharedLibrary& library, SdlApi& api, String& error)
{
#define TARVO_SDL_FIND(name)                                                                                           \
    if (!library.Find(api.name, "SDL_" #name, error))                                                                  \
        return false;
    TARVO_SDL_FUNCTIONS(TARVO_SDL_FIND)
#undef TARVO_SDL_FIND
    return true;
}
} // namespace

namespace SdlLibrary
{
const SdlApi* Get(String& error)
{
    // Never deleted: SDL's threads and exit handlers must outlive every caller.
    static auto* sdl = new LibraryOnFirstUse<SdlApi>("libSDL2-2.0.so.0", Bind);
    return sdl->Get(error);
}

std::mutex& StartLock()
{
    static std::mutex lock;
    return lock;
}
} // namespace SdlLibrary
