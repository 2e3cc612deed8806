// What actually reaches the speakers, heard through SDL's disk driver. The driver mixes in
// real time, so the sounds are short and the margins allow for a busy machine.

#include "Sound/SoundDevice.h"

#include "SoundTestSupport.h"
#include "TestUtilities/LogCapture.h"

#include <gtest/gtest.h>

using namespace SoundTest;

namespace
{
class SoundOutputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_AUDIO_BACKEND();
        output = UseDiskAudio(scratch.path);
        shortTone = WriteTone(scratch.path, "short.wav", 0.1);
        tone = WriteTone(scratch.path, "tone.wav", 0.2);
    }
    void TearDown() override { SoundDevice::Shutdown(); }

    SoundDevice& Device() { return SoundDevice::GetInstance(); }
    SAMPLE_HANDLE Load(const String& file) { return Device().LoadSample(file.c_str(), false); }
    // Waits until the device reports `count` sounds ended.
    void WaitForEnd(size_t count = 1)
    {
        if (!listening)
        {
            recorder.Install();
            listening = true;
        }
        EXPECT_TRUE(UpdateUntilFinished(recorder, count));
    }

    // Closes the device, which flushes the file, and reads what was played.
    Recording Finish()
    {
        SoundDevice::Shutdown();
        return Recording::Read(output);
    }

    ScratchFolder scratch;
    String output;
    String shortTone;
    String tone;
    FinishedRecorder recorder;
    bool listening = false;
};
} // namespace

TEST_F(SoundOutputTest, PlaysTheToneOnceAtFullVolumeOnBothSides)
{
    LogCapture log;
    Device().PlaySound(Load(tone));
    WaitForEnd();
    const Recording played = Finish();

    EXPECT_NEAR(played.SecondsOfSound(), 0.2, 0.01);
    const Frame peak = played.Peak();
    EXPECT_NEAR(peak.left, ToneAmplitude, ToneAmplitude * 0.02);
    EXPECT_NEAR(peak.right, ToneAmplitude, ToneAmplitude * 0.02);
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(SoundOutputTest, HalfVolumeHalvesTheLevel)
{
    Device().PlaySound(Load(tone), 0.5f);
    WaitForEnd();
    const Frame peak = Finish().Peak();
    EXPECT_NEAR(peak.left, ToneAmplitude / 2, ToneAmplitude * 0.02);
    EXPECT_NEAR(peak.right, ToneAmplitude / 2, ToneAmplitude * 0.02);
}

TEST_F(SoundOutputTest, SetVolumeChangesAPlayingSound)
{
    SOUND_HANDLE sound = Device().PlaySound(Load(shortTone), 1.0f, true);
    Device().SetVolume(sound, 0.25f);
    Sleep(0.2);
    Device().StopSound(sound);
    const Recording played = Finish();
    // Past the first mixing buffer, which may have gone out before the change.
    const long settled = played.FirstSound() + Rate / 20;
    EXPECT_NEAR(played.Peak(settled).left, ToneAmplitude / 4, ToneAmplitude * 0.02);
}

TEST_F(SoundOutputTest, FullLeftPanPutsTheEnergyLeft)
{
    SOUND_HANDLE sound = Device().PlaySound(Load(tone));
    Device().SetPan(sound, -1.0f);
    WaitForEnd();
    const Recording played = Finish();
    const long settled = played.FirstSound() + Rate / 20;
    const Frame peak = played.Peak(settled);
    EXPECT_NEAR(peak.left, ToneAmplitude, ToneAmplitude * 0.02);
    EXPECT_LT(peak.right, SilenceLevel);
}

TEST_F(SoundOutputTest, VolumeAndPanAreResetForTheNextSoundOnTheChannel)
{
    SOUND_HANDLE first = Device().PlaySound(Load(shortTone));
    Device().SetPan(first, 1.0f);
    Device().SetVolume(first, 0.1f);
    WaitForEnd(1);
    Device().PlaySound(Load(tone));
    WaitForEnd(2);
    const Recording played = Finish();
    const Frame peak = played.Peak(played.LastSound() - Rate / 10);
    EXPECT_NEAR(peak.left, ToneAmplitude, ToneAmplitude * 0.02);
    EXPECT_NEAR(peak.right, ToneAmplitude, ToneAmplitude * 0.02);
}

TEST_F(SoundOutputTest, LoopingSoundKeepsPlayingPastItsLength)
{
    SOUND_HANDLE sound = Device().PlaySound(Load(shortTone), 1.0f, true);
    Sleep(0.35);
    LogCapture log;
    EXPECT_TRUE(Device().IsPlaying(sound));
    EXPECT_TRUE(log.lines.empty());
    const Recording played = Finish();
    EXPECT_GT(played.SecondsOfSound(), 0.25);
    EXPECT_LT(played.LongestGap(), 0.001);
}

TEST_F(SoundOutputTest, StopSilencesTheSound)
{
    SOUND_HANDLE sound = Device().PlaySound(Load(shortTone), 1.0f, true);
    Sleep(0.15);
    Device().StopSound(sound);
    Sleep(0.3);
    const Recording played = Finish();
    ASSERT_GT(played.SecondsOfSound(), 0.05);
    EXPECT_LT(played.SecondsOfSound(), 0.3);
    const double silentTail = double(played.frames.size() - 1 - played.LastSound()) / Rate;
    EXPECT_GT(silentTail, 0.18);
}

TEST_F(SoundOutputTest, PauseSilencesAndResumeContinues)
{
    SOUND_HANDLE sound = Device().PlaySound(Load(shortTone), 1.0f, true);
    Sleep(0.1);
    Device().PauseSound(sound, true);
    EXPECT_TRUE(Device().IsPaused(sound));
    EXPECT_TRUE(Device().IsPlaying(sound));
    Sleep(0.3);
    Device().PauseSound(sound, false);
    EXPECT_FALSE(Device().IsPaused(sound));
    Sleep(0.1);
    Device().StopSound(sound);
    const Recording played = Finish();
    EXPECT_GT(played.LongestGap(), 0.18);
    EXPECT_LT(played.LongestGap(), 0.4);
}
