// The sound back-end over SDL2_mixer: every sample and stream is a decoded chunk, played
// on one of a fixed set of mixer channels. The device opens on a thread of its own, so
// that neither loading the mixer nor the sound system's probing delays the first frame.

#include "Sound/SoundBackend.h"

#include "Platform/Log.h"
#include "Platform/SdlLibrary.h"
#include "Sound/backend/MixerLibrary.h"
#include "Sound/backend/SoundHandles.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>

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

struct ChannelState
{
    uintptr_t handle = 0;
    bool busy = false;
};

// Shared with the mixer's audio thread, which reports channels that ran out.
std::mutex channelMutex;
std::vector<ChannelState> channels;
std::vector<SOUND_HANDLE> finishedQueue;

// What the opening thread found, read by the main thread once the thread has ended.
struct Opening
{
    std::thread thread;
    std::atomic<bool> done{false};
    int channelCount = 0;
    unsigned version = 0;
    // Set when the real device failed and the silent one was tried.
    String fallbackReason;
    SoundResult result = SR_Ok;
    String error;
};

// SDL's functions, set before the opening thread starts, and the mixer's, set by that
// thread before it ends.
const SdlApi* sdl = nullptr;
const MixerApi* mix = nullptr;

// Main thread only. The opening is never deleted while its thread may run; one that is
// still running at exit is left alone rather than joined from a static destructor.
Opening* opening = nullptr;
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
    finishedQueue.push_back(SoundHandles::ToHandle(state.handle));
    // Only now may the channel be chosen again: its old sound is fully done with.
    state.busy = false;
}

// The channel of a live sound, or -1 for one that has ended or was never ours.
int FindChannel(SOUND_HANDLE sound)
{
    const uintptr_t value = SoundHandles::ValueOf(sound);
    const int channel = SoundHandles::SlotOf(value);
    std::lock_guard<std::mutex> lock(channelMutex);
    if (channel < 0 || channel >= static_cast<int>(channels.size()))
        return -1;
    const ChannelState& state = channels[static_cast<size_t>(channel)];
    return state.busy && state.handle == value ? channel : -1;
}

int ToMixerVolume(float volume) { return static_cast<int>(volume * MIX_MAX_VOLUME + 0.5f); }

void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

unsigned PackVersion(const SDL_version& version)
{
    return (unsigned(version.major) << 16) | (unsigned(version.minor) << 8) | unsigned(version.patch);
}

bool StartMixer(String& error)
{
    if (sdl->InitSubSystem(SDL_INIT_AUDIO) != 0)
    {
        error = sdl->GetError();
        return false;
    }
    if (mix->OpenAudio(MixRate, AUDIO_S16SYS, MixChannelsOut, MixBufferFrames) != 0)
    {
        error = sdl->GetError();
        sdl->QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

bool OpenDevice(String& error)
{
    // Without a sound card ALSA writes a screenful of its own diagnostics to standard
    // error while SDL probes it; the one WARNING line we log says what matters.
    if (mix->SetAlsaErrorHandler)
        mix->SetAlsaErrorHandler(IgnoreAlsaMessage);
    const bool opened = StartMixer(error);
    if (mix->SetAlsaErrorHandler)
        mix->SetAlsaErrorHandler(nullptr);
    return opened;
}

// Runs on the opening thread; touches nothing but the job and the mixer.
void Open(Opening& job)
{
    std::lock_guard<std::mutex> lock(SdlLibrary::StartLock());
    mix = MixerLibrary::Get(job.error);
    if (!mix)
    {
        job.result = SR_DeviceFailed;
    }
    else if ((job.version = PackVersion(*mix->Linked_Version())) >= RequiredVersion && !OpenDevice(job.error))
    {
        // SDL doesn't fall back by itself; a game without sound beats no game.
        job.fallbackReason = job.error;
        sdl->SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        const bool opened = OpenDevice(job.error);
        // A later start tries the real device again.
        sdl->ResetHint(SDL_HINT_AUDIODRIVER);
        job.result = opened ? SR_Ok : SR_DeviceFailed;
    }
    job.done = true;
}

// Waits for the opening thread, says what it found and starts the channels. Returns
// SR_DeviceFailed once when no device opened; later calls find the back-end not running.
SoundResult FinishOpening()
{
    if (!opening)
        return SR_Ok;
    Opening* job = opening;
    opening = nullptr;
    job->thread.join();
    const SoundResult result = job->result;
    const int channelCount = job->channelCount;
    const String error = job->error;
    const unsigned version = job->version;
    const String fallbackReason = job->fallbackReason;
    delete job;

    if (result != SR_Ok)
        return Fail(result, error);
    if (version < RequiredVersion)
    {
        // Every later call fails with a logged error.
        SystemLogInstance().Printf("Error! You are using an old version of %s %08x. This program requires %08x",
                                   SoundBackend::GetLibraryName(), version, RequiredVersion);
        return SR_Ok;
    }
    if (!fallbackReason.empty())
        SystemLogInstance().Printf("WARNING: No audio device could be opened (%s); the game runs without sound.",
                                   fallbackReason.c_str());
    mix->AllocateChannels(channelCount);
    {
        std::lock_guard<std::mutex> lock(channelMutex);
        channels.assign(static_cast<size_t>(channelCount), ChannelState());
        finishedQueue.clear();
    }
    mix->ChannelFinished(OnChannelFinished);
    running = true;
    return SR_Ok;
}
} // namespace

namespace SoundBackend
{
const char* GetLibraryName() { return "SDL2_mixer"; }

unsigned GetVersion()
{
    String error;
    const MixerApi* library = MixerLibrary::Get(error);
    return library ? PackVersion(*library->Linked_Version()) : 0;
}

unsigned GetRequiredVersion() { return RequiredVersion; }

SoundResult Start(int channelCount)
{
    if (running || opening)
        return SR_Ok;
    String error;
    sdl = SdlLibrary::Get(error);
    if (!sdl)
        return Fail(SR_DeviceFailed, error);
    {
        // SDL's first start of any subsystem connects to the session bus, which may fork a
        // helper; a child forked while another thread holds a lock can hang before its exec.
        // The main thread does that part now, before the opening thread exists.
        std::lock_guard<std::mutex> lock(SdlLibrary::StartLock());
        sdl->InitSubSystem(0);
    }
    opening = new Opening();
    opening->channelCount = std::clamp(channelCount, 1, SoundHandles::MaxSlots);
    opening->thread = std::thread(Open, std::ref(*opening));
    return SR_Ok;
}

SoundResult Stop()
{
    FinishOpening();
    if (!running)
        return SR_Ok;
    // Unhooked first: nobody is told about sounds cut off by closing.
    mix->ChannelFinished(nullptr);
    mix->HaltChannel(-1);
    for (SoundSample* sample : liveSamples)
    {
        mix->FreeChunk(sample->chunk);
        delete sample;
    }
    liveSamples.clear();
    mix->CloseAudio();
    {
        std::lock_guard<std::mutex> lock(SdlLibrary::StartLock());
        sdl->QuitSubSystem(SDL_INIT_AUDIO);
    }
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
    // Frames go on while the device opens; they don't wait for it.
    if (opening && !opening->done)
        return SR_Ok;
    if (const SoundResult opened = FinishOpening(); opened != SR_Ok)
        return opened;
    // Without a device no sound ends; saying so every frame would bury the line that
    // told why there is none.
    if (!running)
        return SR_Ok;
    std::lock_guard<std::mutex> lock(channelMutex);
    finished.swap(finishedQueue);
    finishedQueue.clear();
    return SR_Ok;
}

SoundResult Load(const String& bytes, SAMPLE_HANDLE& sample)
{
    sample = nullptr;
    if (const SoundResult opened = FinishOpening(); opened != SR_Ok)
        return opened;
    if (!running)
        return Fail(SR_NotRunning);
    Mix_Chunk* chunk = mix->LoadWAV_RW(sdl->RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    if (!chunk)
        return Fail(SR_BadFile, sdl->GetError());
    // An empty chunk would hold its channel forever: the mixer never reports it done.
    if (chunk->alen == 0)
    {
        mix->FreeChunk(chunk);
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
    mix->FreeChunk(sample->chunk);
    delete sample;
}

SoundResult Play(SAMPLE_HANDLE sample, float volume, bool looping, SOUND_HANDLE& sound)
{
    sound = nullptr;
    if (const SoundResult opened = FinishOpening(); opened != SR_Ok)
        return opened;
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
        value = SoundHandles::Make(++playCount, channel);
        channels[static_cast<size_t>(channel)] = ChannelState{value, true};
    }

    // Volume and panning stay with a channel from one sound to the next: set both afresh
    // before starting, so the first sample already sounds right.
    mix->Volume(channel, ToMixerVolume(volume));
    mix->SetPanning(channel, 255, 255);
    if (mix->PlayChannelTimed(channel, sample->chunk, looping ? -1 : 0, -1) < 0)
    {
        const String error = sdl->GetError();
        std::lock_guard<std::mutex> lock(channelMutex);
        if (channels[static_cast<size_t>(channel)].handle == value)
            channels[static_cast<size_t>(channel)].busy = false;
        return Fail(SR_MixerFailed, error);
    }
    sound = SoundHandles::ToHandle(value);
    return SR_Ok;
}

SoundResult Halt(SOUND_HANDLE sound)
{
    const int channel = FindChannel(sound);
    if (channel < 0)
        return Fail(SR_InvalidHandle);
    mix->HaltChannel(channel);
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
        while (sdl->GetTicks() == 0)
            sdl->Delay(1);
        mix->Pause(channel);
    }
    else
    {
        mix->Resume(channel);
    }
    return SR_Ok;
}

SoundResult GetPlaying(SOUND_HANDLE sound, bool& playing)
{
    playing = false;
    const int channel = FindChannel(sound);
    if (channel < 0)
        return Fail(SR_InvalidHandle);
    playing = mix->Playing(channel) != 0;
    return SR_Ok;
}

SoundResult GetPaused(SOUND_HANDLE sound, bool& paused)
{
    paused = false;
    const int channel = FindChannel(sound);
    if (channel < 0)
        return Fail(SR_InvalidHandle);
    paused = mix->Paused(channel) != 0;
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
    if (mix->SetPanning(channel, left, right) == 0)
        return Fail(SR_MixerFailed, sdl->GetError());
    return SR_Ok;
}

SoundResult SetVolume(SOUND_HANDLE sound, float volume)
{
    const int channel = FindChannel(sound);
    if (channel < 0)
        return Fail(SR_InvalidHandle);
    mix->Volume(channel, ToMixerVolume(volume));
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
