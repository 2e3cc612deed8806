#include "Sound/SoundDevice.h"
#include "Sound/backend/MixerLibrary.h"

#include "SoundTestSupport.h"
#include "TestUtilities/HostileFiles.h"
#include "TestUtilities/LogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <thread>

using namespace SoundTest;

namespace
{
size_t CountStartingWith(const LogCapture& log, const String& prefix)
{
    return static_cast<size_t>(std::count_if(log.lines.begin(), log.lines.end(),
                                             [&](const String& line) { return line.rfind(prefix, 0) == 0; }));
}

class SoundDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_AUDIO_BACKEND();
        UseDummyAudio();
        tone = WriteTone(scratch.path, "tone.wav", 0.05);
    }
    void TearDown() override { SoundDevice::Shutdown(); }

    SoundDevice& Device() { return SoundDevice::GetInstance(); }

    ScratchFolder scratch;
    const String& folder = scratch.path;
    String tone;
};
} // namespace

TEST_F(SoundDeviceTest, SampleLoadedTwiceIsSharedButStreamsAreNot)
{
    LogCapture log;
    SAMPLE_HANDLE sample = Device().LoadSample(tone.c_str(), false);
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(Device().LoadSample(tone.c_str(), false), sample);
    EXPECT_EQ(Device().GetCacheSize(), 1u);

    SAMPLE_HANDLE streamA = Device().LoadSample(tone.c_str(), true);
    SAMPLE_HANDLE streamB = Device().LoadSample(tone.c_str(), true);
    ASSERT_NE(streamA, nullptr);
    EXPECT_NE(streamA, streamB);
    EXPECT_NE(streamA, sample);
    EXPECT_EQ(Device().GetCacheSize(), 3u);
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(SoundDeviceTest, StreamFirstThenSampleLoadsTheSampleAnew)
{
    SAMPLE_HANDLE stream = Device().LoadSample(tone.c_str(), true);
    SAMPLE_HANDLE sample = Device().LoadSample(tone.c_str(), false);
    ASSERT_NE(sample, nullptr);
    EXPECT_NE(sample, stream);
    EXPECT_EQ(Device().GetCacheSize(), 2u);
}

TEST_F(SoundDeviceTest, MissingFileIsReportedOnceAndStaysNull)
{
    LogCapture log;
    const String missing = folder + "/missing.wav";
    EXPECT_EQ(Device().LoadSample(missing.c_str(), false), nullptr);
    EXPECT_EQ(Device().LoadSample(missing.c_str(), false), nullptr);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], "Sound error! (3) File not found: " + missing + " (No such file or directory)");
    EXPECT_EQ(Device().GetCacheSize(), 1u);
}

TEST_F(SoundDeviceTest, FilesThatCantBeSoundsAreRefusedWithoutBeingRead)
{
    HostileFiles files(MaxSoundFileBytes, ".wav");
    ASSERT_TRUE(files.made);
    Device();
    LogCapture log;
    EXPECT_EQ(Device().LoadSample(files.device.c_str(), false), nullptr);
    EXPECT_EQ(Device().LoadSample(files.fifo.c_str(), true), nullptr);
    EXPECT_EQ(Device().LoadSample(files.huge.c_str(), false), nullptr);
    EXPECT_EQ(Device().LoadSample(files.failing.c_str(), true), nullptr);
    EXPECT_EQ(log.lines, (StringList{"Sound error! (10) File refused: /dev/zero is not a regular file",
                                     "Sound error! (10) File refused: " + files.fifo + " is not a regular file",
                                     "Sound error! (10) File refused: " + files.huge + " is larger than 64 MiB",
                                     "Sound error! (10) File refused: /proc/self/mem can't be read (Input/output "
                                     "error)"}));
}

TEST_F(SoundDeviceTest, CorruptAndEmptyFilesAreReportedWithTheirNames)
{
    const String corrupt = folder + "/corrupt.wav";
    std::ofstream(corrupt) << "this is not a sound";
    const String empty = WriteTone(folder, "empty.wav", 0.0);
    LogCapture log;
    EXPECT_EQ(Device().LoadSample(corrupt.c_str(), false), nullptr);
    EXPECT_EQ(Device().LoadSample(empty.c_str(), true), nullptr);
    EXPECT_EQ(Device().LoadSample(nullptr, false), nullptr);
    ASSERT_EQ(log.lines.size(), 3u);
    EXPECT_EQ(log.lines[0].rfind("Sound error! (4) Unsupported, corrupt or empty sound file: " + corrupt, 0), 0u);
    EXPECT_EQ(log.lines[1].rfind("Sound error! (4) Unsupported, corrupt or empty sound file: " + empty, 0), 0u);
    EXPECT_EQ(log.lines[2].rfind("Sound error! (9) ", 0), 0u);
}

TEST_F(SoundDeviceTest, PlayingStartsUnpausedAndFlagsOnlyWarn)
{
    SAMPLE_HANDLE sample = Device().LoadSample(tone.c_str(), false);
    LogCapture log;
    SOUND_HANDLE plain = Device().PlaySound(sample);
    ASSERT_NE(plain, nullptr);
    EXPECT_TRUE(Device().IsPlaying(plain));
    EXPECT_FALSE(Device().IsPaused(plain));
    EXPECT_TRUE(log.lines.empty());

    SOUND_HANDLE flagged = Device().PlaySound(sample, 1.0f, false, 4);
    ASSERT_NE(flagged, nullptr);
    EXPECT_NE(flagged, plain);
    EXPECT_TRUE(Device().IsPlaying(flagged));
    EXPECT_EQ(log.lines, StringList{"WARNING: PlaySound doesn't use the passed in flags yet."});
}

TEST_F(SoundDeviceTest, NullHandlesAreIgnoredAndNullSamplesReported)
{
    LogCapture log;
    Device().StopSound(nullptr);
    Device().PauseSound(nullptr, true);
    Device().SetPan(nullptr, 0.5f);
    Device().SetVolume(nullptr, 0.5f);
    EXPECT_FALSE(Device().IsPlaying(nullptr));
    EXPECT_FALSE(Device().IsPaused(nullptr));
    EXPECT_TRUE(log.lines.empty());

    EXPECT_EQ(Device().PlaySound(nullptr), nullptr);
    EXPECT_EQ(log.lines, StringList{"Sound error! (5) Invalid sample handle"});
}

TEST_F(SoundDeviceTest, FinishedSoundIsReportedOnceFromTheUpdateOnTheMainThread)
{
    FinishedRecorder recorder;
    recorder.Install();
    SOUND_HANDLE sound = Device().PlaySound(Device().LoadSample(tone.c_str(), false));
    ASSERT_NE(sound, nullptr);

    Sleep(0.3);
    EXPECT_TRUE(recorder.handles.empty()) << "delivered outside the update";
    ASSERT_TRUE(UpdateUntilFinished(recorder, 1));
    Device().Update();
    ASSERT_EQ(recorder.handles.size(), 1u);
    EXPECT_EQ(recorder.handles[0], static_cast<void*>(sound));
    EXPECT_EQ(recorder.threads[0], std::this_thread::get_id());
}

TEST_F(SoundDeviceTest, StoppingReportsTheStoppedSound)
{
    FinishedRecorder recorder;
    recorder.Install();
    SAMPLE_HANDLE sample = Device().LoadSample(tone.c_str(), false);
    SOUND_HANDLE looping = Device().PlaySound(sample, 1.0f, true);
    SOUND_HANDLE other = Device().PlaySound(sample, 1.0f, true);
    Device().StopSound(looping);
    EXPECT_TRUE(recorder.handles.empty());
    Device().Update();
    EXPECT_EQ(recorder.handles, std::vector<void*>{looping});
    EXPECT_TRUE(Device().IsPlaying(other));
}

TEST_F(SoundDeviceTest, WithoutAHandlerAFinishedSoundCallsNothing)
{
    FinishedRecorder recorder;
    recorder.Install();
    Device().SetFinishedHandler(nullptr, nullptr);
    Device().PlaySound(Device().LoadSample(tone.c_str(), false));
    Sleep(0.3);
    LogCapture log;
    Device().Update();
    EXPECT_TRUE(recorder.handles.empty());
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(SoundDeviceTest, DestroyedManagerIsNoLongerCalled)
{
    FinishedRecorder installed;
    installed.Install();
    // Only the installed target uninstalls itself.
    delete new FinishedRecorder();
    SAMPLE_HANDLE sample = Device().LoadSample(tone.c_str(), false);
    Device().PlaySound(sample);
    ASSERT_TRUE(UpdateUntilFinished(installed, 1));

    auto* doomed = new FinishedRecorder();
    doomed->Install();
    Device().PlaySound(sample);
    delete doomed;
    Sleep(0.3);
    LogCapture log;
    Device().Update();
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(installed.handles.size(), 1u);
}

TEST_F(SoundDeviceTest, StaleHandleNeverTouchesTheSoundThatReusedItsChannel)
{
    FinishedRecorder recorder;
    recorder.Install();
    SAMPLE_HANDLE sample = Device().LoadSample(tone.c_str(), false);
    SOUND_HANDLE ended = Device().PlaySound(sample);
    ASSERT_TRUE(UpdateUntilFinished(recorder, 1));

    // Every channel is free again, so the new sound takes the old one's channel.
    SOUND_HANDLE current = Device().PlaySound(sample, 1.0f, true);
    ASSERT_NE(current, ended);

    LogCapture log;
    Device().StopSound(ended);
    Device().PauseSound(ended, true);
    Device().SetVolume(ended, 0.0f);
    Device().SetPan(ended, 1.0f);
    EXPECT_FALSE(Device().IsPlaying(ended));
    EXPECT_FALSE(Device().IsPaused(ended));
    EXPECT_EQ(log.Count("Sound error! (6) Invalid sound handle: the sound has ended or was stopped"), 6u);
    EXPECT_EQ(log.lines.size(), 6u);

    EXPECT_TRUE(Device().IsPlaying(current));
    EXPECT_FALSE(Device().IsPaused(current));
    Device().Update();
    EXPECT_EQ(recorder.handles.size(), 1u);
}

TEST_F(SoundDeviceTest, HandlesFromBeforeAShutdownAreDead)
{
    SAMPLE_HANDLE sample = Device().LoadSample(tone.c_str(), false);
    SOUND_HANDLE sound = Device().PlaySound(sample, 1.0f, true);
    SoundDevice::Shutdown();
    EXPECT_EQ(SoundDevice::FindInstance(), nullptr);

    LogCapture log;
    EXPECT_EQ(Device().GetCacheSize(), 0u);
    EXPECT_FALSE(Device().IsPlaying(sound));
    EXPECT_EQ(Device().PlaySound(sample), nullptr);
    EXPECT_EQ(log.lines.size(), 2u);
    // The sample is loaded again, not taken from the old cache.
    SAMPLE_HANDLE reloaded = Device().LoadSample(tone.c_str(), false);
    EXPECT_NE(Device().PlaySound(reloaded), nullptr);
}

TEST_F(SoundDeviceTest, HookMayShutSoundDownWhileSeveralAreReported)
{
    FinishedRecorder recorder;
    recorder.Install();
    recorder.reaction = [] { SoundDevice::Shutdown(); };
    SAMPLE_HANDLE sample = Device().LoadSample(tone.c_str(), false);
    Device().PlaySound(sample);
    Device().PlaySound(sample);
    Sleep(0.3);
    UpdateUntil([&] { return !recorder.handles.empty(); },
                []
                {
                    if (SoundDevice* device = SoundDevice::FindInstance())
                        device->Update();
                });
    EXPECT_EQ(recorder.handles.size(), 1u);
    EXPECT_EQ(SoundDevice::FindInstance(), nullptr);
}

TEST_F(SoundDeviceTest, RunsOutOfChannelsGracefully)
{
    SAMPLE_HANDLE sample = Device().LoadSample(tone.c_str(), false);
    for (int i = 0; i < 100; ++i)
        ASSERT_NE(Device().PlaySound(sample, 1.0f, true), nullptr);
    LogCapture log;
    EXPECT_EQ(Device().PlaySound(sample), nullptr);
    EXPECT_EQ(log.lines, StringList{"Sound error! (7) All channels are busy"});
}

TEST(SoundDeviceStartTest, FallsBackToSilenceWithOneWarningWhenNoDeviceOpens)
{
    SKIP_WITHOUT_AUDIO_BACKEND();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ScratchFolder scratch;
    const String tone = WriteTone(scratch.path, "tone.wav", 0.05);
    LogCapture log;
    SoundDevice& device = SoundDevice::GetInstance();
    // The device opens on a thread of its own; the first use waits for it and says how it went.
    SAMPLE_HANDLE sample = device.LoadSample(tone.c_str(), false);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].rfind("WARNING: No audio device could be opened", 0), 0u) << log.lines[0];

    SOUND_HANDLE sound = device.PlaySound(sample);
    EXPECT_TRUE(device.IsPlaying(sound));
    device.Update();
    EXPECT_EQ(CountStartingWith(log, "Sound error!"), 0u);
    SoundDevice::Shutdown();
}

TEST_F(SoundDeviceTest, FramesGoOnWhileTheDeviceOpensAndAQuickShutdownWaitsForIt)
{
    LogCapture log;
    // Neither a frame's update nor a shutdown finds fault with a device still opening.
    SoundDevice::GetInstance().Update();
    SoundDevice::Shutdown();
    SoundDevice::GetInstance();
    SoundDevice::Shutdown();
    EXPECT_TRUE(log.lines.empty());

    // The next device opens again and plays.
    SOUND_HANDLE sound = Device().PlaySound(Device().LoadSample(tone.c_str(), false));
    EXPECT_TRUE(Device().IsPlaying(sound));
    Device().Update();
    EXPECT_TRUE(log.lines.empty());
}

TEST(SoundDeviceStartTest, WithoutTheMixerOneLineSaysWhyAndTheFramesStayQuiet)
{
    // The mixer is opened by the device; this process must not have opened it yet.
    if (!MixerLibrary::OpenInsteadForTesting("libno-such-mixer.so.0"))
        GTEST_SKIP() << "the mixer was opened before the test";
    ScratchFolder scratch;
    const String tone = WriteTone(scratch.path, "tone.wav", 0.05);
    LogCapture log;
    SoundDevice& device = SoundDevice::GetInstance();
    EXPECT_EQ(device.LoadSample(tone.c_str(), false), nullptr);
    ASSERT_EQ(CountStartingWith(log, "Sound error! (2)"), 1u);
    EXPECT_NE(log.lines[0].find("libno-such-mixer.so.0"), String::npos) << log.lines[0];

    // Frames go on without a device and without a line each.
    for (int i = 0; i < 3; ++i)
        device.Update();
    EXPECT_EQ(log.lines.size(), 1u);
    SoundDevice::Shutdown();
}
