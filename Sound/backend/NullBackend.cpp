// The silent sound back-end, for machines built without an audio library: it starts with
// one WARNING line, and then loads nothing, plays nothing and reports nothing.

#include "Sound/SoundBackend.h"

#include "Platform/Log.h"

namespace SoundBackend
{
const char* GetLibraryName() { return "no sound library"; }
unsigned GetVersion() { return 0; }
unsigned GetRequiredVersion() { return 0; }

SoundResult Start(int)
{
    SystemLogInstance().Log("WARNING: Sound is not available in this build; the game runs without sound.");
    return SR_Ok;
}

SoundResult Stop() { return SR_Ok; }
SoundResult Update(std::vector<SOUND_HANDLE>&) { return SR_Ok; }

SoundResult Load(const String&, SAMPLE_HANDLE& sample)
{
    sample = nullptr;
    return SR_Ok;
}

void Release(SAMPLE_HANDLE) {}

SoundResult Play(SAMPLE_HANDLE, float, bool, SOUND_HANDLE& sound)
{
    sound = nullptr;
    return SR_Ok;
}

SoundResult Halt(SOUND_HANDLE) { return SR_Ok; }
SoundResult SetPaused(SOUND_HANDLE, bool) { return SR_Ok; }

SoundResult GetPlaying(SOUND_HANDLE, bool& playing)
{
    playing = false;
    return SR_Ok;
}

SoundResult GetPaused(SOUND_HANDLE, bool& paused)
{
    paused = false;
    return SR_Ok;
}

SoundResult SetPan(SOUND_HANDLE, float) { return SR_Ok; }
SoundResult SetVolume(SOUND_HANDLE, float) { return SR_Ok; }
String GetErrorDetail() { return String(); }
} // namespace SoundBackend
