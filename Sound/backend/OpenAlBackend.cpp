// The sound back-end over OpenAL, for the web build, where the browser's audio stands
// behind it. Each sample is one AL buffer; each of the `channels` voices is one AL source,
// made when first needed. OpenAL calls nobody when a sound ends, so the per-frame update
// looks for sources that have stopped.

#include "Sound/SoundBackend.h"

#include "Platform/Log.h"
#include "Sound/backend/SoundHandles.h"
#include "Sound/backend/WavFile.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <set>
#include <vector>

struct SoundSample
{
    ALuint buffer = 0;
};

namespace
{
// Every OpenAL this runs on speaks 1.1; older ones lack the source offsets and states
// the back-end relies on.
constexpr unsigned RequiredVersion = 0x00010100;
// From the source-spatialize extension: pans stereo sounds too, which OpenAL otherwise
// plays unpositioned.
constexpr ALenum SourceSpatialize = 0x1214;

struct Voice
{
    ALuint source = 0;
    uintptr_t handle = 0;
    bool busy = false;
    // The sample last attached, which stays on the source after its sound ends.
    SoundSample* sample = nullptr;
};

ALCdevice* device = nullptr;
ALCcontext* context = nullptr;
bool running = false;
// Without a device, samples are still checked as they load, but nothing plays.
bool silent = false;
int voiceLimit = 0;
std::vector<Voice> voices;
std::vector<SOUND_HANDLE> finishedQueue;
std::set<SoundSample*> liveSamples;
// Never reset, so handles from before a restart can't match a new sound.
uintptr_t playCount = 0;
String errorDetail;

SoundResult Fail(SoundResult result, const String& detail = String())
{
    errorDetail = detail;
    return result;
}

// Turns the error OpenAL has noted since the last check into a result.
SoundResult CheckAl(const char* what)
{
    const ALenum error = alGetError();
    if (error == AL_NO_ERROR)
        return SR_Ok;
    const ALchar* text = alGetString(error);
    return Fail(SR_MixerFailed, String(what) + ": " + (text ? text : "unknown OpenAL error"));
}

ALint SourceState(const Voice& voice)
{
    ALint state = AL_STOPPED;
    alGetSourcei(voice.source, AL_SOURCE_STATE, &state);
    return state;
}

void Finish(Voice& voice)
{
    finishedQueue.push_back(SoundHandles::ToHandle(voice.handle));
    voice.busy = false;
}

// Sounds that ran out by themselves are reported as they are found: here, in the frame's
// update, or sooner when their voice is needed or their handle is used.
void CollectEnded()
{
    for (Voice& voice : voices)
    {
        if (voice.busy && SourceState(voice) == AL_STOPPED)
            Finish(voice);
    }
}

// The voice of a live sound, or null for one that has ended or was never ours.
Voice* FindVoice(SOUND_HANDLE sound)
{
    const uintptr_t value = SoundHandles::ValueOf(sound);
    const int index = SoundHandles::SlotOf(value);
    if (!running || index < 0 || index >= static_cast<int>(voices.size()))
        return nullptr;
    Voice& voice = voices[static_cast<size_t>(index)];
    if (!voice.busy || voice.handle != value)
        return nullptr;
    if (SourceState(voice) == AL_STOPPED)
    {
        Finish(voice);
        return nullptr;
    }
    return &voice;
}

Voice* FindIdleVoice()
{
    for (Voice& voice : voices)
    {
        if (!voice.busy)
            return &voice;
    }
    return nullptr;
}

// A voice for a new sound: an idle one, else a new source while under the limit, else
// one whose sound has just run out.
SoundResult TakeVoice(Voice*& taken)
{
    taken = FindIdleVoice();
    if (!taken && static_cast<int>(voices.size()) < voiceLimit)
    {
        Voice voice;
        alGenSources(1, &voice.source);
        if (const SoundResult made = CheckAl("alGenSources"); made != SR_Ok)
            return made;
        voices.push_back(voice);
        taken = &voices.back();
    }
    if (!taken)
    {
        CollectEnded();
        taken = FindIdleVoice();
    }
    return taken ? SR_Ok : Fail(SR_NoFreeChannel);
}

// Sits the source on a unit circle around the listener, x = pan, in front of it, so the
// panner's angle follows the pan smoothly and the distance (and so the loudness) never
// changes. Beside the listener on x alone, any pan but 0 would be fully to one side.
void PlaceSource(ALuint source, float pan)
{
    alSource3f(source, AL_POSITION, pan, 0.0f, -std::sqrt(std::max(0.0f, 1.0f - pan * pan)));
}

unsigned ParseVersion(const ALchar* text)
{
    unsigned major = 0;
    unsigned minor = 0;
    if (!text || std::sscanf(text, "%u.%u", &major, &minor) != 2)
        return 0;
    return (std::min(major, 255u) << 16) | (std::min(minor, 255u) << 8);
}

void CloseDevice()
{
    alcMakeContextCurrent(nullptr);
    if (context)
        alcDestroyContext(context);
    if (device)
        alcCloseDevice(device);
    context = nullptr;
    device = nullptr;
}

// Opens the default device; on failure says why in `error` and leaves nothing open.
bool OpenDevice(String& error)
{
    device = alcOpenDevice(nullptr);
    if (!device)
    {
        error = "the default audio device can't be opened";
        return false;
    }
    context = alcCreateContext(device, nullptr);
    if (!context || !alcMakeContextCurrent(context))
    {
        error = "no audio context could be made";
        CloseDevice();
        return false;
    }
    // OpenAL's listener faces -z with y up, but the browser's implementation starts with
    // both vectors zero, and a source placed relative to the listener then always sits
    // on it: every pan would sound centred.
    const ALfloat orientation[] = {0.0f, 0.0f, -1.0f, 0.0f, 1.0f, 0.0f};
    alListenerfv(AL_ORIENTATION, orientation);
    alListener3f(AL_POSITION, 0.0f, 0.0f, 0.0f);
    alGetError();
    return true;
}
} // namespace

namespace SoundBackend
{
const char* GetLibraryName() { return "OpenAL"; }

unsigned GetVersion()
{
    // Only a current context can answer; before that, the version the headers speak.
    return context ? ParseVersion(alGetString(AL_VERSION)) : RequiredVersion;
}

unsigned GetRequiredVersion() { return RequiredVersion; }

SoundResult Start(int channelCount)
{
    if (running)
        return SR_Ok;
    String error;
    silent = !OpenDevice(error);
    if (silent)
    {
        SystemLogInstance().Printf("WARNING: No audio device could be opened (%s); the game runs without sound.",
                                   error.c_str());
    }
    else if (const unsigned version = GetVersion(); version < RequiredVersion)
    {
        // Every later call fails with a logged error.
        SystemLogInstance().Printf("Error! You are using an old version of %s %08x. This program requires %08x",
                                   GetLibraryName(), version, RequiredVersion);
        CloseDevice();
        return SR_Ok;
    }
    voiceLimit = std::clamp(channelCount, 1, SoundHandles::MaxSlots);
    voices.clear();
    finishedQueue.clear();
    running = true;
    // A browser keeps its audio clock stopped until the player first presses a key or
    // clicks (OpenAL resumes it then): sources started before that count as playing and
    // are heard from then on, so nothing here waits for it.
    return SR_Ok;
}

SoundResult Stop()
{
    if (!running)
        return SR_Ok;
    // Nobody is told about sounds cut off by closing.
    for (Voice& voice : voices)
    {
        alSourceStop(voice.source);
        alSourcei(voice.source, AL_BUFFER, 0);
        alDeleteSources(1, &voice.source);
    }
    voices.clear();
    finishedQueue.clear();
    for (SoundSample* sample : liveSamples)
    {
        if (sample->buffer)
            alDeleteBuffers(1, &sample->buffer);
        delete sample;
    }
    liveSamples.clear();
    CloseDevice();
    running = false;
    silent = false;
    return SR_Ok;
}

SoundResult Update(std::vector<SOUND_HANDLE>& finished)
{
    // Without a device no sound ends; saying so every frame would bury the line that
    // told why there is none.
    if (!running)
        return SR_Ok;
    CollectEnded();
    finished.swap(finishedQueue);
    finishedQueue.clear();
    return SR_Ok;
}

SoundResult Load(const String& bytes, SAMPLE_HANDLE& sample)
{
    sample = nullptr;
    if (!running)
        return Fail(SR_NotRunning);
    WavSound wav;
    String error;
    if (const SoundResult read =
            WavFile::Parse(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), wav, error);
        read != SR_Ok)
        return Fail(read, error);

    auto* loaded = new SoundSample();
    if (!silent)
    {
        const ALenum format = wav.channels == 1 ? (wav.bitsPerSample == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16)
                                                : (wav.bitsPerSample == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16);
        alGenBuffers(1, &loaded->buffer);
        if (const SoundResult made = CheckAl("alGenBuffers"); made != SR_Ok)
        {
            delete loaded;
            return made;
        }
        // WAV's 8-bit samples are unsigned and its 16-bit ones little-endian, as OpenAL
        // wants them on every machine a browser runs on.
        alBufferData(loaded->buffer, format, wav.samples.data(), static_cast<ALsizei>(wav.samples.size()),
                     wav.sampleRate);
        if (const SoundResult filled = CheckAl("alBufferData"); filled != SR_Ok)
        {
            alDeleteBuffers(1, &loaded->buffer);
            delete loaded;
            return filled;
        }
    }
    liveSamples.insert(loaded);
    sample = loaded;
    return SR_Ok;
}

void Release(SAMPLE_HANDLE sample)
{
    if (liveSamples.erase(sample) == 0)
        return;
    // OpenAL won't delete a buffer a source still holds: stop and empty its sources first,
    // reporting the sounds that were cut off.
    for (Voice& voice : voices)
    {
        if (voice.sample != sample)
            continue;
        alSourceStop(voice.source);
        alSourcei(voice.source, AL_BUFFER, 0);
        voice.sample = nullptr;
        if (voice.busy)
            Finish(voice);
    }
    if (sample->buffer)
        alDeleteBuffers(1, &sample->buffer);
    delete sample;
}

SoundResult Play(SAMPLE_HANDLE sample, float volume, bool looping, SOUND_HANDLE& sound)
{
    sound = nullptr;
    if (!running)
        return Fail(SR_NotRunning);
    if (!sample || liveSamples.count(sample) == 0)
        return Fail(SR_InvalidSample);
    if (silent)
        return SR_Ok;

    Voice* voice = nullptr;
    if (const SoundResult taken = TakeVoice(voice); taken != SR_Ok)
        return taken;

    // Volume, loop and place are set before the sound starts, so its first sample already
    // sounds right; a source keeps them from its previous sound otherwise.
    alSourcei(voice->source, AL_BUFFER, static_cast<ALint>(sample->buffer));
    voice->sample = sample;
    alSourcef(voice->source, AL_GAIN, volume);
    alSourcei(voice->source, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
    alSourcei(voice->source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcei(voice->source, SourceSpatialize, AL_TRUE);
    PlaceSource(voice->source, 0.0f);
    alSourcePlay(voice->source);
    if (const SoundResult played = CheckAl("alSourcePlay"); played != SR_Ok)
    {
        alSourceStop(voice->source);
        return played;
    }
    voice->handle = SoundHandles::Make(++playCount, static_cast<int>(voice - voices.data()));
    voice->busy = true;
    sound = SoundHandles::ToHandle(voice->handle);
    return SR_Ok;
}

SoundResult Halt(SOUND_HANDLE sound)
{
    Voice* voice = FindVoice(sound);
    if (!voice)
        return Fail(SR_InvalidHandle);
    alSourceStop(voice->source);
    Finish(*voice);
    return CheckAl("alSourceStop");
}

SoundResult SetPaused(SOUND_HANDLE sound, bool paused)
{
    Voice* voice = FindVoice(sound);
    if (!voice)
        return Fail(SR_InvalidHandle);
    if (paused)
        alSourcePause(voice->source);
    // Playing a source that isn't paused would start it again from the beginning.
    else if (SourceState(*voice) == AL_PAUSED)
        alSourcePlay(voice->source);
    return CheckAl(paused ? "alSourcePause" : "alSourcePlay");
}

SoundResult GetPlaying(SOUND_HANDLE sound, bool& playing)
{
    // A paused sound still plays; one that ended has no voice any more.
    Voice* voice = FindVoice(sound);
    playing = voice != nullptr;
    return voice ? SR_Ok : Fail(SR_InvalidHandle);
}

SoundResult GetPaused(SOUND_HANDLE sound, bool& paused)
{
    paused = false;
    Voice* voice = FindVoice(sound);
    if (!voice)
        return Fail(SR_InvalidHandle);
    paused = SourceState(*voice) == AL_PAUSED;
    return SR_Ok;
}

SoundResult SetPan(SOUND_HANDLE sound, float pan)
{
    Voice* voice = FindVoice(sound);
    if (!voice)
        return Fail(SR_InvalidHandle);
    PlaceSource(voice->source, std::clamp(pan, -1.0f, 1.0f));
    return CheckAl("alSource3f");
}

SoundResult SetVolume(SOUND_HANDLE sound, float volume)
{
    Voice* voice = FindVoice(sound);
    if (!voice)
        return Fail(SR_InvalidHandle);
    alSourcef(voice->source, AL_GAIN, volume);
    return CheckAl("alSourcef");
}

String GetErrorDetail() { return errorDetail; }
} // namespace SoundBackend
