// The game's effects as they are mixed, heard through SDL's disk driver.

#include "Game/GameSounds.h"
#include "Sound/SoundTestSupport.h"

#include <gtest/gtest.h>

using namespace SoundTest;

TEST(GameSoundsMixTest, EffectsThatOverlapLeaveHeadroom)
{
    SKIP_WITHOUT_AUDIO_BACKEND();
    ScratchFolder scratch;
    const String output = UseDiskAudio(scratch.path);
    FinishedRecorder recorder;
    recorder.Install();
    // A busy moment: a lie starts as a dollar is taken, the meter busts and a consumer
    // dies, with the goal sound on top.
    GameSounds::Play(GS_Lie);
    GameSounds::Play(GS_MoneyPickup);
    GameSounds::Play(GS_LieMeterBust);
    GameSounds::Play(GS_ConsumerDied);
    GameSounds::Play(GS_StockGoal);
    ASSERT_TRUE(UpdateUntilFinished(recorder, 5));
    SoundDevice::Shutdown();

    const Recording mixed = Recording::Read(output);
    ASSERT_GT(mixed.SecondsOfSound(), 0.2);
    long clipped = 0;
    for (const Frame& frame : mixed.frames)
        for (int side : {frame.left, frame.right})
            if (side >= 32767 || side <= -32768)
                ++clipped;
    EXPECT_EQ(clipped, 0);
    const Frame peak = mixed.Peak();
    EXPECT_GT(std::max(peak.left, peak.right), 32767 / 4) << "still clearly heard";
}
