#include "Sound/SoundDevice.h"

#include "Infrastructure/GameManager.h"
#include "Platform/Log.h"
#include "Sound/SoundBackend.h"
#include "Util/SafeFiles.h"

namespace
{
constexpr int ChannelCount = 100;
// Cache modes: a sample is shared by name, a stream never is.
constexpr int SampleMode = 0;
constexpr int StreamMode = 0x80;

SoundDevice* instance = nullptr;
// Counts the instances ever made, so Update notices when a hook shut the device down.
unsigned instanceSerial = 0;
// Set by Close: sound is over for this run.
bool closed = false;

const char* ResultText(SoundResult result)
{
    switch (result)
    {
    case SR_Ok:
        return "No errors.";
    case SR_NotRunning:
        return "The sound system is not running";
    case SR_DeviceFailed:
        return "No audio device could be opened, not even a silent one";
    case SR_FileNotFound:
        return "File not found";
    case SR_BadFile:
        return "Unsupported, corrupt or empty sound file";
    case SR_InvalidSample:
        return "Invalid sample handle";
    case SR_InvalidHandle:
        return "Invalid sound handle: the sound has ended or was stopped";
    case SR_NoFreeChannel:
        return "All channels are busy";
    case SR_MixerFailed:
        return "The mixer refused the request";
    case SR_InvalidArgument:
        return "Invalid argument";
    case SR_FileRefused:
        return "File refused";
    }
    return "Unknown error";
}

void LogError(SoundResult result, const String& subject, const String& detail)
{
    String text = ResultText(result);
    if (!subject.empty())
        text += ": " + subject;
    if (!detail.empty())
        text += " (" + detail + ")";
    SystemLogInstance().Printf("Sound error! (%d) %s", static_cast<int>(result), text.c_str());
}

// Logs a failed back-end result with what it was about; returns true on success.
bool ErrorCheck(SoundResult result, const char* subject = "")
{
    if (result == SR_Ok)
        return true;
    LogError(result, subject, SoundBackend::GetErrorDetail());
    return false;
}

// NaN takes the fallback, so a bad number never reaches the mixer.
float Clamp(float value, float low, float high, float fallback)
{
    if (value != value)
        return fallback;
    return value < low ? low : (value > high ? high : value);
}
} // namespace

SoundDevice& SoundDevice::GetInstance()
{
    if (closed)
    {
        // Never deleted: callers may hold on to it as they would to the real device.
        static SoundDevice* silent = nullptr;
        if (!silent)
        {
            SystemLogInstance().Log("WARNING: Sound was asked for after it was shut down; it does not start again.");
            silent = new SoundDevice(false);
        }
        return *silent;
    }
    if (!instance)
        instance = new SoundDevice(true);
    return *instance;
}

SoundDevice* SoundDevice::FindInstance() { return instance; }

SoundDevice::SoundDevice(bool startAudio) : live(startAudio)
{
    if (!live)
        return;
    ++instanceSerial;
    // The back-end checks the library's version as it opens the device.
    ErrorCheck(SoundBackend::Start(ChannelCount));
}

SoundDevice::~SoundDevice() = default;

void SoundDevice::Shutdown()
{
    if (!instance)
        return;
    for (const CacheEntry& entry : instance->sampleCache)
    {
        if (entry.sample)
            SoundBackend::Release(entry.sample);
    }
    instance->sampleCache.clear();
    ErrorCheck(SoundBackend::Stop());
    delete instance;
    instance = nullptr;
}

void SoundDevice::Close()
{
    Shutdown();
    closed = true;
}

SAMPLE_HANDLE SoundDevice::LoadSample(const char* filename, bool isStream)
{
    if (!live)
        return nullptr;
    if (!filename)
    {
        LogError(SR_InvalidArgument, "LoadSample without a file name", String());
        return nullptr;
    }
    const int mode = isStream ? StreamMode : SampleMode;
    if (mode == SampleMode)
    {
        for (const CacheEntry& entry : sampleCache)
        {
            if (entry.mode == SampleMode && entry.fileName == filename)
                return entry.sample;
        }
    }

    SAMPLE_HANDLE sample = nullptr;
    String bytes;
    String reason;
    const FileReadStatus read = ReadRegularFile(filename, MaxSoundFileBytes, bytes, reason);
    if (read == FRS_Missing)
        LogError(SR_FileNotFound, filename, reason);
    else if (read != FRS_Read)
        LogError(SR_FileRefused, DescribeReadFailure(filename, read, reason), String());
    else
        ErrorCheck(SoundBackend::Load(bytes, sample), filename);
    // A failure is cached too, so a missing sample is reported once and not retried.
    sampleCache.push_back(CacheEntry{filename, sample, mode});
    return sample;
}

SOUND_HANDLE SoundDevice::PlaySound(SAMPLE_HANDLE sample, float volume, bool looping, int flags)
{
    if (!live)
        return nullptr;
    if (flags != 0)
        SystemLogInstance().Log("WARNING: PlaySound doesn't use the passed in flags yet.");
    SOUND_HANDLE sound = nullptr;
    ErrorCheck(SoundBackend::Play(sample, Clamp(volume, 0.0f, 1.0f, 0.0f), looping, sound));
    if (sound)
        playingSounds.insert(sound);
    return sound;
}

void SoundDevice::StopSound(SOUND_HANDLE sound)
{
    if (live && sound)
        ErrorCheck(SoundBackend::Halt(sound));
}

void SoundDevice::PauseSound(SOUND_HANDLE sound, bool paused)
{
    if (live && sound)
        ErrorCheck(SoundBackend::SetPaused(sound, paused));
}

bool SoundDevice::IsPlaying(SOUND_HANDLE sound)
{
    bool playing = false;
    if (!live || !sound || !ErrorCheck(SoundBackend::GetPlaying(sound, playing)))
        return false;
    return playing;
}

bool SoundDevice::IsPaused(SOUND_HANDLE sound)
{
    bool paused = false;
    if (!live || !sound || !ErrorCheck(SoundBackend::GetPaused(sound, paused)))
        return false;
    return paused;
}

void SoundDevice::SetPan(SOUND_HANDLE sound, float pan)
{
    if (live && sound)
        ErrorCheck(SoundBackend::SetPan(sound, Clamp(pan, -1.0f, 1.0f, 0.0f)));
}

void SoundDevice::SetVolume(SOUND_HANDLE sound, float volume)
{
    if (live && sound)
        ErrorCheck(SoundBackend::SetVolume(sound, Clamp(volume, 0.0f, 1.0f, 0.0f)));
}

void SoundDevice::SetFinishedHandler(GameManager* target, SoundFinishedFunction function)
{
    finishedTarget = target;
    finishedFunction = function;
}

void SoundDevice::Update()
{
    if (!live)
        return;
    std::vector<SOUND_HANDLE> finished;
    ErrorCheck(SoundBackend::Update(finished));
    for (SOUND_HANDLE sound : finished)
        playingSounds.erase(sound);

    const unsigned serial = instanceSerial;
    for (SOUND_HANDLE sound : finished)
    {
        if (!finishedTarget || !finishedFunction)
            return;
        (finishedTarget.Get()->*finishedFunction)(sound);
        // The hook may have shut sound down, and this object with it.
        if (instanceSerial != serial || instance != this)
            return;
    }
}
