// Sound board: the game's five sounds play in turn, each panned to where its disc sits.
// A disc lights up while its sound plays and dims when the device reports it finished.
// Run it from the run folder: ../examples/sound_board/sound_board [--frames N]

#include "Actors/Actor.h"
#include "Infrastructure/GameManager.h"
#include "Infrastructure/World.h"
#include "Platform/Log.h"
#include "Program/RunProgram.h"
#include "Sound/SoundDevice.h"

namespace
{
const char* const SoundFiles[] = {
    "Resources/Sounds/lie.wav",       "Resources/Sounds/moneypickup.wav",  "Resources/Sounds/liemeterbust.wav",
    "Resources/Sounds/stockgoal.wav", "Resources/Sounds/consumerdied.wav",
};
constexpr int SoundCount = 5;
constexpr float SecondsBetweenSounds = 1.5f;

class SoundBoard : public GameManager
{
public:
    SoundBoard()
    {
        SoundDevice& device = SoundDevice::GetInstance();
        device.SetFinishedHandler(this, &GameManager::OnSoundFinished);
        for (int i = 0; i < SoundCount; ++i)
        {
            samples[i] = device.LoadSample(SoundFiles[i], false);
            discs[i] = new Actor();
            discs[i]->SetDrawShape(ADS_Circle);
            discs[i]->SetSize(2.5f);
            discs[i]->SetPosition(-9.0f + 4.5f * i, 0.0f);
            World::GetInstance().Add(discs[i]);
            Light(i, false);
        }
    }

    void Update(float dt) override
    {
        untilNext -= dt;
        if (untilNext > 0.0f)
            return;
        untilNext = SecondsBetweenSounds;
        SoundDevice& device = SoundDevice::GetInstance();
        playing[next] = device.PlaySound(samples[next]);
        // From far left to far right, like the discs.
        device.SetPan(playing[next], -1.0f + 0.5f * next);
        Light(next, playing[next] != nullptr);
        next = (next + 1) % SoundCount;
    }

    void OnSoundFinished(void* soundHandle) override
    {
        for (int i = 0; i < SoundCount; ++i)
        {
            if (playing[i] == soundHandle)
            {
                playing[i] = nullptr;
                Light(i, false);
            }
        }
    }

private:
    void Light(int index, bool on)
    {
        const float hue = static_cast<float>(index) / SoundCount;
        discs[index]->SetColor(0.3f + 0.6f * hue, 0.8f - 0.5f * hue, 0.4f, on ? 1.0f : 0.25f);
    }

    SAMPLE_HANDLE samples[SoundCount] = {};
    SOUND_HANDLE playing[SoundCount] = {};
    Actor* discs[SoundCount] = {};
    float untilNext = 0.0f;
    int next = 0;
};
} // namespace

int main(int argc, char** argv)
{
    return RunProgram(
        argc, argv, "sound_board", "Sound board",
        []
        {
            // Initialization: the World's loop runs the board until the window
            // closes, and Destroy shuts the sound device down.
            World& world = World::GetInstance();
            world.SetBackgroundColor(Color(0.1f, 0.1f, 0.14f));
            world.SetGameManager(new SoundBoard());
        },
        // Sound, but no scripts or game pads.
        World::SoundService);
}
