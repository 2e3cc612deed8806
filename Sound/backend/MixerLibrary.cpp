#include "Sound/backend/MixerLibrary.h"

#include "Platform/SharedLibrary.h"

namespace
{
bool Bind(SharedLibrary& library, MixerApi& api, String& error)
{
#define TARVO_MIXER_FIND(name)                                                                                         \
    if (!library.Find(api.name, "Mix_" #name, error))                                                                  \
        return false;
    TARVO_MIXER_FUNCTIONS(TARVO_MIXER_FIND)
#undef TARVO_MIXER_FIND
    // ALSA's error hook is a nicety: without it the mixer still plays.
    static SharedLibrary alsa;
    String alsaError;
    if (!alsa.Open({"libasound.so.2"}, alsaError) ||
        !alsa.Find(api.SetAlsaErrorHandler, "snd_lib_error_set_handler", alsaError))
        api.SetAlsaErrorHandler = nullptr;
    return true;
}

// Never deleted: the mixer's audio thread and exit handlers must outlive every caller.
LibraryOnFirstUse<MixerApi>& Mixer()
{
    static auto* mixer = new LibraryOnFirstUse<MixerApi>("libSDL2_mixer-2.0.so.0", Bind);
    return *mixer;
}
} // namespace

namespace MixerLibrary
{
const MixerApi* Get(String& error) { return Mixer().Get(error); }

bool OpenInsteadForTesting(const char* fileName) { return Mixer().OpenInsteadForTesting(fileName); }
} // namespace MixerLibrary
