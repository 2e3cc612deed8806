#pragma once

// The few functions a sound back-end provides. Only SoundDevice includes this; it calls
// them on the main thread and turns every result other than SR_Ok into a log line.
// CMake compiles exactly one implementation into the engine.

#include "Sound/SoundDevice.h"

#include <vector>

enum SoundResult
{
    SR_Ok = 0,
    SR_NotRunning = 1,
    SR_DeviceFailed = 2,
    SR_FileNotFound = 3,
    SR_BadFile = 4,
    SR_InvalidSample = 5,
    SR_InvalidHandle = 6,
    SR_NoFreeChannel = 7,
    SR_MixerFailed = 8,
    SR_InvalidArgument = 9,
    SR_FileRefused = 10,
};

namespace SoundBackend
{
// Versions are 0x00MMmmpp.
const char* GetLibraryName();
unsigned GetVersion();
unsigned GetRequiredVersion();

// Opens the audio device with `channels` mixing channels. Without a device it logs one
// WARNING line and falls back to a silent one.
SoundResult Start(int channels);
// Closes the device; every sample must have been released first. Fine when not started.
SoundResult Stop();
// Moves the handles of the sounds that ended since the last call into `finished`.
SoundResult Update(std::vector<SOUND_HANDLE>& finished);

// Decodes a whole sound file read by the device, whether it is meant as a sample or a
// stream; `bytes` may go once Load returns.
SoundResult Load(const String& bytes, SAMPLE_HANDLE& sample);
void Release(SAMPLE_HANDLE sample);

// Volume 0..1; the back-end sets volume and loop mode before the first sample sounds.
SoundResult Play(SAMPLE_HANDLE sample, float volume, bool looping, SOUND_HANDLE& sound);
SoundResult Halt(SOUND_HANDLE sound);
SoundResult SetPaused(SOUND_HANDLE sound, bool paused);
SoundResult GetPlaying(SOUND_HANDLE sound, bool& playing);
SoundResult GetPaused(SOUND_HANDLE sound, bool& paused);
// Pan -1..1, volume 0..1.
SoundResult SetPan(SOUND_HANDLE sound, float pan);
SoundResult SetVolume(SOUND_HANDLE sound, float volume);

// What the library said about the last failure; may be empty.
String GetErrorDetail();
} // namespace SoundBackend
