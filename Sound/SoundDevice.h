#pragma once

#include "Actors/ElementRef.h"
#include "Util/StringUtil.h"

#include <cstddef>
#include <set>
#include <vector>

class GameManager;
struct SoundSample;
struct SoundInstance;

// A loaded sound. Opaque; null means no sound.
using SAMPLE_HANDLE = SoundSample*;
// One playing instance of a sound. Opaque; null means not playing. It stays safe to use
// after its sound has ended: operations on it then log an error and do nothing.
using SOUND_HANDLE = SoundInstance*;

// Sound files past this size are refused before they are read: every sound, a stream
// too, is decoded whole into memory, where it takes several times its file's size.
constexpr std::size_t MaxSoundFileBytes = 64u << 20;

// A game-manager method that is told which sound ended.
using SoundFinishedFunction = void (GameManager::*)(void* soundHandle);

// The engine's only door to audio. Every failure is written to the log as one
// "Sound error! (code) text" line and the operation carries on with a neutral result;
// nothing stops on an audio error. Call it from the main thread only.
class SoundDevice
{
public:
    // The first call (and the first after Shutdown) starts audio. Without an audio device
    // it logs one WARNING line and runs silently. After Close it starts nothing: it
    // returns a device that loads and plays nothing and logs nothing, with one WARNING
    // the first time.
    static SoundDevice& GetInstance();
    // The running instance, or null; never starts audio.
    static SoundDevice* FindInstance();

    // Loads a whole file. Samples are cached by their exact file name, so loading one
    // twice returns the same handle; a stream is loaded anew every time. A failed load
    // logs one error and returns null, and a sample that failed stays null from the cache.
    // A folder, FIFO or device, a file past MaxSoundFileBytes and one that can't be read
    // are refused before they are read, and the error line says which.
    SAMPLE_HANDLE LoadSample(const char* filename, bool isStream);

    // Starts the sample on a free channel. Volume runs 0 (silent) to 1 (full) and is
    // clamped. Returns null, after logging why, if it can't play. Flags are not used yet.
    SOUND_HANDLE PlaySound(SAMPLE_HANDLE sample, float volume = 1.0f, bool looping = false, int flags = 0);
    // Handle operations do nothing (or return false) for a null handle, and log an error
    // for a sound that has already ended.
    void StopSound(SOUND_HANDLE sound);
    // True pauses, false resumes.
    void PauseSound(SOUND_HANDLE sound, bool paused);
    // A paused sound is still playing.
    bool IsPlaying(SOUND_HANDLE sound);
    bool IsPaused(SOUND_HANDLE sound);
    // -1 full left, 0 centre, 1 full right; clamped.
    void SetPan(SOUND_HANDLE sound, float pan);
    // 0 silent to 1 full; clamped.
    void SetVolume(SOUND_HANDLE sound, float volume);

    // When a sound ends (by itself or stopped), Update calls target->*function with the
    // handle PlaySound returned for it. A null target or function means no call, and so
    // does a target that has been deleted since.
    void SetFinishedHandler(GameManager* target, SoundFinishedFunction function);

    // Once per frame, on the main thread: services audio and delivers the finished
    // notifications that arrived since the last call.
    void Update();

    // Releases every sound and the audio device, and destroys the instance: handles
    // from before are dead, and the next GetInstance starts afresh.
    static void Shutdown();
    // Shutdown for the rest of the run (the World's end): whatever still asks for sound
    // afterwards (an object's destructor, a script's __del__) must not start the audio
    // device again.
    static void Close();

    // Entries in the load cache, streams included (tools and tests).
    size_t GetCacheSize() const { return sampleCache.size(); }
    // Sounds started and not yet reported ended by Update (a cheap leak check for soaks).
    size_t GetPlayingCount() const { return playingSounds.size(); }

private:
    struct CacheEntry
    {
        String fileName;
        SAMPLE_HANDLE sample;
        int mode;
    };

    explicit SoundDevice(bool startAudio);
    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // False for the stand-in GetInstance returns after Close: every operation does nothing.
    bool live;
    ElementRef<GameManager> finishedTarget;
    SoundFinishedFunction finishedFunction = nullptr;
    std::vector<CacheEntry> sampleCache;
    std::set<SOUND_HANDLE> playingSounds;
};
