#pragma once

// SDL2_mixer, opened on first use rather than at exec: it brings some seventy decoder and
// sound-server libraries with it, which a program pays for in start-up time and memory
// (and in every symbol lookup of the libraries loaded after them) whether or not it
// makes a sound.

#include "Util/StringUtil.h"

#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

struct MixerApi
{
    decltype(&Mix_Linked_Version) LinkedVersion;
    decltype(&Mix_OpenAudio) OpenAudio;
    decltype(&Mix_CloseAudio) CloseAudio;
    decltype(&Mix_AllocateChannels) AllocateChannels;
    decltype(&Mix_ChannelFinished) ChannelFinished;
    decltype(&Mix_LoadWAV_RW) LoadWAV_RW;
    decltype(&Mix_FreeChunk) FreeChunk;
    decltype(&Mix_PlayChannelTimed) PlayChannelTimed;
    decltype(&Mix_HaltChannel) HaltChannel;
    decltype(&Mix_Pause) Pause;
    decltype(&Mix_Resume) Resume;
    decltype(&Mix_Playing) Playing;
    decltype(&Mix_Paused) Paused;
    decltype(&Mix_Volume) Volume;
    decltype(&Mix_SetPanning) SetPanning;
    // ALSA's, to quiet its diagnostics while SDL probes it; null where there is no ALSA.
    decltype(&snd_lib_error_set_handler) SetAlsaErrorHandler;
};

namespace MixerLibrary
{
// The library's functions, or null with the reason in error when it can't be loaded.
// Loads it at the first call, from any thread; later calls give the same answer.
const MixerApi* Get(String& error);
} // namespace MixerLibrary
