// The sound back-end over SDL2_mixer: every sample and stream is a decoded chunk, played
// on one of a fixed set of mixer channels.

#include "Sound/backend/SoundBackend.h"

#include "Infrastructure/Log.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>

struct SoundSample
{
    Mix_Chunk* chunk = nullptr;
};

namespace
{
constexpr unsigned RequiredVersion = 0x00020000;
constexpr int MixRate = 44100;
constexpr int MixChannelsOut = 2;
// 1024 frames, about 23 ms: short enough that a sound starts with its frame.
constexpr int MixBufferFrames = 1024;

// A sound handle packs the channel (+1, so a handle is never null) into its low bits and
// a play count above them; a handle whose count no longer matches its channel is stale.
constexpr int ChannelBits = 8;
constexpr uintptr_t ChannelMask = (uintptr_t(1) << ChannelBits) - 1;
constexpr int MaxChannels = static_cast<int>(ChannelMask);

struct ChannelState
{
    uintptr_t handle = 0;
    bool busy = false;
};

// Shared with the mixer's audio thread, which reports channels that ran out.
std::mutex channelMutex;
std::vector<ChannelState> channels;
std::vector<SOUND_HANDLE> finishedQueue;

// Main thread only.
bool running = false;
std::set<SoundSample*> liveSamples;
// Never reset, so handles from before a restart can't match a new sound.
uintptr_t playCount = 0;
String errorDetail;

SoundResult Fail(SoundResult result, const String& detail = String())
{
    errorDetail = detail;
    return result;
}

SOUND_HANDLE ToHandle(uintptr_t value) { return reinterpret_cast<SOUND_HANDLE>(value); }

// Runs on the audio thread for sounds that end by themselves, and on the caller's thread
// inside Mix_HaltChannel. Never call a mixer function while holding channelMutex: the
// mixer holds its own lock around this callback.
void SDLCALL OnChannelFinished(int channel)
{
    std::lock_guard<std::mutex> lock(channelMutex);
    if (channel < 0 || channel >= static_cast<int>(channels.size()))
        return;
    ChannelState& state = channels[static_cast<size_t>(channel)];
    if (!state.busy)
        return;
    finishedQueue.push_back(ToHandle(state.handle));
    // Only now may the channel be chosen again: its old sound is fully done with.
    state.busy = false;
}

// The channel of a live sound, or -1 for one that has ended or was never ours.
int FindChannel(SOUND_HANDLE sound)
{
    const uintptr_t value = reinterpret_cast<uintptr_t>(sound);
    const int channel = static_cast<int>(value & ChannelMask) - 1;
    std::lock_guard<std::mutex> lock(channelMutex);
    if (channel < 0 || channel >= static_cast<int>(channels.size()))
        return -1;
    const ChannelState& state = channels[static_cast<size_t>(channel)];
    return state.busy && state.handle == value ? channel : -1;
}

int ToMixerVolume(float volume) { return static_cast<int>(volume * MIX_MAX_VOLUME + 0.5f); }

void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

bool StartMixer(String& error)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    {
        error = SDL_GetError();
        return false;
    }
    if (Mix_OpenAudio(MixRate, AUDIO_S16SYS, MixChannelsOut, MixBufferFrames) != 0)
    {
        error = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

bool OpenDevice(String& error)
{
    // Without a sound card ALSA writes a screenful of its own diagnostics to standard
    // error while SDL probes it; the one WARNING line we log says what matters.
    snd_lib_error_set_handler(IgnoreAlsaMessage);
    const bool opened = StartMixer(error);
    snd_lib_error_set_handler(nullptr);
    return opened;
}
} // namespace

namespace SoundBackend
{
const char* GetLibraryName() { return "SDL2_mixer"; }

unsigned GetVersion()
{
    const SDL_version* version = Mix_Linked_Version();
    return (unsigned(version->major) << 16) | (unsigned(version->minor) << 8) | unsigned(version->patch);
}

unsigned GetRequiredVersion() { return RequiredVersion; }

SoundResult Start(int channelCount)
{
    if (running)
        return SR_Ok;
    String error;
    if (!OpenDevice(error))
    {
        // SDL doesn't fall back by itself; a game without sound beats no game.
        SystemLogInstance().Printf("WARNING: No audio device could be opened (%s); the game runs without sound.",
                                   error.c_str());
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        const bool opened = OpenDevice(error);
        // A later start tries the real device again.
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
        if (!opened)
            return Fail(SR_DeviceFailed, error);
    }
    channelCount = std::clamp(channelCount, 1, MaxChannels);
    Mix_AllocateChannels(channelCount);
    {
        std::lock_guard<std::mutex> lock(channelMutex);
        channels.assign(static_cast<size_t>(channelCount), ChannelState());
        finishedQueue.clear();
    }
    Mix_ChannelFinished(OnChannelFinished);
    running = true;
    return SR_Ok;
}

SoundResult Stop()
{
    if (!running)
        return SR_Ok;
    // Unhooked first: nobody is told about sounds cut off by closing.
    Mix_ChannelFinished(nullptr);
    Mix_HaltChannel(-1);
    for (SoundSample* sample : liveSamples)
    {
        Mix_FreeChunk(sample->chunk);
        delete sample;
    }
    liveSamples.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    {
        std::lock_guard<std::mutex> lock(channelMutex);
        channels.clear();
        finishedQueue.clear();
    }
    running = false;
    return SR_Ok;
}

SoundResult Update(std::vector<SOUND_HANDLE>& finished)
{
    if (!running)
        return Fail(SR_NotRunning);
    std::lock_guard<std::mutex> lock(channelMutex);
    finished.swap(finishedQueue);
    finishedQueue.clear();
    return SR_Ok;
}

SoundResult Load(const char* filename, SAMPLE_HANDLE& sample)
{
    sample = nullptr;
    if (!running)
        return Fail(SR_NotRunning);
    // The mixer's own message for a missing file says nothing useful.
    std::FILE* file = std::fopen(filename, "rb");
    if (!file)
        return Fail(SR_FileNotFound, std::strerror(errno));
    std::fclose(file);

    Mix_Chunk* chunk = Mix_LoadWAV(filename);
    if (!chunk)
        return Fail(SR_BadFile, Mix_GetError());
    // An empty chunk would hold its channel forever: the mixer never reports it done.
    if (chunk->alen == 0)
    {
        Mix_FreeChunk(chunk);
        return Fail(SR_BadFile, "no sound data");
    }
    sample = new SoundSample{chunk};
    liveSamples.insert(sample);
    return SR_Ok;
}

void Release(SAMPLE_HANDLE sample)
{
    if (liveSamples.erase(sample) == 0)
        return;
    // Stops it wherever it plays; the finished callback reports those.
    Mix_FreeChunk(sample->chunk);
    delete sample;
}

SoundResult Play(SAMPLE_HANDLE sample, float volume, bool looping, SOUND_HANDLE& sound)
{
    sound = nullptr;
    if (!running)
        return Fail(SR_NotRunning);
    if (!sample || liveSamples.count(sample) == 0)
        return Fail(SR_InvalidSample);

    int channel = -1;
    uintptr_t value = 0;
    {
        std::lock_guard<std::mutex> lock(channelMutex);
        for (size_t i = 0; i < channels.size(); ++i)
        {
            if (!channels[i].busy)
            {
                channel = static_cast<int>(i);
                break;
            }
        }
        if (channel < 0)
            return Fail(SR_NoFreeChannel);
        value = (++playCount << ChannelBits) | static_cast<uintptr_t>(channel + 1);
        channels[static_cast<size_t>(channel)] = ChannelState{value, true};
    }

    // Volume and panning stay with a channel from one sound to the next: set both afresh
    // before starting, so the first sample already sounds right.
    Mix_Volume(channel, ToMixerVolume(volume));
    Mix_SetPanning(channel, 255, 255);
    if (Mix_PlayChannel(channel, sample->chunk, looping ? -1 : 0) < 0)
    {
        const String error = Mix_GetError();
        std::lock_guard<std::mutex> lock(channelMutex);
        if (channels[static_cast<size_t>(channel)].handle == value)
            channels[static_cast<size_t>(channel)].busy = false;
        return Fail(SR_MixerFailed, error);
    }
    sound = ToHandle(value);
    return SR_Ok;
}

SoundResult Halt(SOUND_HANDLE sound)
{
    const int channel = FindChannel(sound);
    if (channel < 0)
        return Fail(SR_InvalidHandle);
    Mix_HaltChannel(channel);
    return SR_Ok;
}

SoundResult SetPaused(SOUND_HANDLE sound, bool paused)
{
    const int channel = FindChannel(sound);
    if (channel < 0)
        return Fail(SR_InvalidHandle);
    if (paused)
    {
        // The mixer stores the pause time as a tick count, and 0 means "not paused".
        while (SDL_GetTicks() == 0)
            SDL_Delay(1);
        Mix_Pause(channel);
    }
    else
    {
        Mix_Resume(channel);
    }
    return SR_Ok;
}

SoundResult GetPlaying(SOUND_HANDLE sound, bool& playing)
{
    playing = false;
    const int channel = FindChannel(sound);
    if (channel < 0)
        return Fail(SR_InvalidHandle);
    playing = Mix_Playing(channel) != 0;
    return SR_Ok;
}

SoundResult GetPaused(SOUND_HANDLE sound, bool& paused)
{
    paused = false;
    const int channel = FindChannel(sound);
    if (channel < 0)
        return Fail(SR_InvalidHandle);
    paused = Mix_Paused(channel) != 0;
    return SR_Ok;
}

SoundResult SetPan(SOUND_HANDLE sound, float pan)
{
    const int channel = FindChannel(sound);
    if (channel < 0)
        return Fail(SR_InvalidHandle);
    // A balance control: the centre keeps both sides at full, each side fades out
    // as the sound moves away from it.
    const auto left = static_cast<Uint8>(255.0f * std::min(1.0f, 1.0f - pan) + 0.5f);
    const auto right = static_cast<Uint8>(255.0f * std::min(1.0f, 1.0f + pan) + 0.5f);
    if (Mix_SetPanning(channel, left, right) == 0)
        return Fail(SR_MixerFailed, Mix_GetError());
    return SR_Ok;
}

SoundResult SetVolume(SOUND_HANDLE sound, float volume)
{
    const int channel = FindChannel(sound);
    if (channel < 0)
        return Fail(SR_InvalidHandle);
    Mix_Volume(channel, ToMixerVolume(volume));
    return SR_Ok;
}

String GetErrorDetail() { return errorDetail; }
} // namespace SoundBackend

// Design note: who owns a channel.
// The mixer marks a channel idle on its audio thread and only afterwards, still on that
// thread, calls OnChannelFinished. Choosing a free channel by asking the mixer
// (Mix_Playing) would race with that gap: a new sound could be placed on the channel and
// then be reported finished by the old sound's late callback. So the back-end keeps its
// own `busy` flag, set by Play on the main thread and cleared only inside the callback,
// and a channel is reused only once its old sound has been reported. The handle's play
// count then tells a stale handle from the channel's current sound.
