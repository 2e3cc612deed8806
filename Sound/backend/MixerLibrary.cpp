#include "Sound/backend/MixerLibrary.h"

#include "Infrastructure/SharedLibrary.h"

#include <mutex>

namespace
{
std::once_flag loadOnce;
MixerApi api;
const MixerApi* loaded = nullptr;
String loadError;

bool FindAll(SharedLibrary& library, String& error)
{
    return library.Find(api.LinkedVersion, "Mix_Linked_Version", error) &&
           library.Find(api.OpenAudio, "Mix_OpenAudio", error) &&
           library.Find(api.CloseAudio, "Mix_CloseAudio", error) &&
           library.Find(api.AllocateChannels, "Mix_AllocateChannels", error) &&
           library.Find(api.ChannelFinished, "Mix_ChannelFinished", error) &&
           library.Find(api.LoadWAV_RW, "Mix_LoadWAV_RW", error) &&
           library.Find(api.FreeChunk, "Mix_FreeChunk", error) &&
           library.Find(api.PlayChannelTimed, "Mix_PlayChannelTimed", error) &&
           library.Find(api.HaltChannel, "Mix_HaltChannel", error) && library.Find(api.Pause, "Mix_Pause", error) &&
           library.Find(api.Resume, "Mix_Resume", error) && library.Find(api.Playing, "Mix_Playing", error) &&
           library.Find(api.Paused, "Mix_Paused", error) && library.Find(api.Volume, "Mix_Volume", error) &&
           library.Find(api.SetPanning, "Mix_SetPanning", error);
}

void Load()
{
    // Never closed: the mixer's audio thread and exit handlers must outlive every caller.
    static SharedLibrary library;
    if (!library.Open({"libSDL2_mixer-2.0.so.0"}, loadError) || !FindAll(library, loadError))
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
} // namespace MixerLibrary
