#include "Sound/backend/MixerLibrary.h"

#include "Platform/SharedLibrary.h"

#include <atomic>
#include <mutex>

namespace
{
std::once_flag loadOnce;
std::atomic<bool> loadStarted{false};
const char* libraryFile = "libSDL2_mixer-2.0.so.0";
MixerApi api;
const MixerApi* loaded = nullptr;
String loadError;

bool FindAll(SharedLibrary& library, String& error)
{
#define TARVO_MIXER_FIND(name)                                                                                         \
    if (!library.Find(api.name, "Mix_" #name, error))                                                                  \
        return false;
    TARVO_MIXER_FUNCTIONS(TARVO_MIXER_FIND)
#undef TARVO_MIXER_FIND
    return true;
}

void Load()
{
    loadStarted = true;
    // Never closed: the mixer's audio thread and exit handlers must outlive every caller.
    static SharedLibrary library;
    if (!library.Open({libraryFile}, loadError) || !FindAll(library, loadError))
        return;
    static SharedLibrary alsa;
    String alsaError;
    if (!alsa.Open({"libasound.so.2"}, alsaError) ||
        !alsa.Find(api.SetAlsaErrorHandler, "snd_lib_error_set_handler", alsaError))
        api.SetAlsaErrorHandler = nullptr;
    loaded = &api;
}
} // namespace

namespace MixerLibrary
{
const MixerApi* Get(String& error)
{
    std::call_once(loadOnce, Load);
    if (!loaded)
        error = loadError;
    return loaded;
}

bool OpenInsteadForTesting(const char* fileName)
{
    if (loadStarted)
        return false;
    libraryFile = fileName;
    return true;
}
} // namespace MixerLibrary
