#include "Game/GameSounds.h"

#include "Sound/SoundDevice.h"

namespace GameSounds
{
namespace
{
const char* const Files[GS_Count] = {"Resources/Sounds/lie.wav", "Resources/Sounds/moneypickup.wav",
                                     "Resources/Sounds/liemeterbust.wav", "Resources/Sounds/stockgoal.wav",
                                     "Resources/Sounds/consumerdied.wav"};

// Each effect peaks at 60-80 % of full scale; at full volume two that overlap (a lie
// and a pickup, a bust and a death) already add up past it and clip. At this level
// several overlapping effects stay inside the mix.
constexpr float MixVolume = 0.4f;

bool loaded = false;
SAMPLE_HANDLE samples[GS_Count] = {};
} // namespace

void Load()
{
    if (loaded)
        return;
    loaded = true;
    SoundDevice& device = SoundDevice::GetInstance();
    for (int i = 0; i < GS_Count; ++i)
        samples[i] = device.LoadSample(Files[i], false);
}

void Play(GameSound sound)
{
    Load();
    if (sound < 0 || sound >= GS_Count || !samples[sound])
        return;
    SoundDevice::GetInstance().PlaySound(samples[sound], MixVolume, false);
}
} // namespace GameSounds
