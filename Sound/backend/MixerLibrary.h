#pragma once

// SDL2_mixer, opened on first use rather than at exec: it brings some seventy decoder and
// sound-server libraries with it, which a program pays for in start-up time and memory
// (and in every symbol lookup of the libraries loaded after them) whether or not it
// makes a sound.

#include "Util/StringUtil.h"

#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

// The functions the sound back end calls, named without the library's prefix.
#define TARVO_MIXER_FUNCTIONS(X)                                                                                       \
    X(Linked_Version)                                                                                                  \
    X(OpenAudio)                                                                                                       \
    X(CloseAudio)                                                                                                      \
    X(AllocateChannels)                                                                                                \
    X(ChannelFinished)                                                                                                 \
    X(LoadWAV_RW)                                                                                                      \
    X(FreeChunk)                                                                                                       \
    X(PlayChannelTimed)                                                                                                \
    X(HaltChannel)                                                                                                     \
    X(Pause)                                                                                                           \
    X(Resume)                                                                                                          \
    X(Playing)                                                                                                         \
    X(Paused)                                                                                                          \
    X(Volume)                                                                                                          \
    X(SetPanning)

struct MixerApi
{
#define TARVO_MIXER_POINTER(name) decltype(&Mix_##name) name = nullptr;
    TARVO_MIXER_FUNCTIONS(TARVO_MIXER_POINTER)
#undef TARVO_MIXER_POINTER
    // ALSA's, to quiet its diagnostics while SDL probes it; null where there is no ALSA.
    decltype(&snd_lib_error_set_handler) SetAlsaErrorHandler = nullptr;
};

namespace MixerLibrary
{
// The library's functions, or null with the reason in error when it can't be loaded.
// Loads it at the first call, from any thread; later calls give the same answer.
const MixerApi* Get(String& error);

// For tests: the file the first Get() opens instead of the mixer. False, changing nothing,
// once Get() has been called.
bool OpenInsteadForTesting(const char* fileName);
} // namespace MixerLibrary
