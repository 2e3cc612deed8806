#include "Infrastructure/TestConsole.h"
#include "Infrastructure/World.h"
#include "Scripting/ScriptHost.h"
#include "Sound/SoundDevice.h"

#include "SoundTestSupport.h"
#include "TestUtilities/FrameDriver.h"
#include "TestUtilities/LogCapture.h"
#include "TestUtilities/WindowTest.h"

#include <gtest/gtest.h>

using namespace SoundTest;

namespace
{
class WorldSoundTest : public WindowTest
{
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_AUDIO_BACKEND();
        UseDummyAudio();
        tone = WriteTone(scratch.path, "tone.wav", 0.05);
        WindowTest::SetUp();
    }

    ScratchFolder scratch;
    String tone;
};

class WorldWithoutServicesTest : public WindowTest
{
protected:
    void SetUp() override
    {
        services = World::NoServices;
        WindowTest::SetUp();
    }
};
} // namespace

TEST_F(WorldSoundTest, InitializeStartsTheDeviceAndTheTickReportsFinishedSounds)
{
    ASSERT_NE(SoundDevice::FindInstance(), nullptr);
    FinishedRecorder recorder;
    recorder.Install();
    SoundDevice& device = SoundDevice::GetInstance();
    SOUND_HANDLE sound = device.PlaySound(device.LoadSample(tone.c_str(), false));

    FrameDriver frames;
    Sleep(0.3);
    EXPECT_TRUE(recorder.handles.empty());
    EXPECT_TRUE(UpdateUntil([&] { return !recorder.handles.empty(); }, [&] { frames.Tick(0.02f); }));
    EXPECT_EQ(recorder.handles, std::vector<void*>{sound});
}

TEST(WorldSoundShutdownTest, DestroyShutsTheDeviceDown)
{
    SKIP_WITHOUT_AUDIO_BACKEND();
    UseDummyAudio();
    ScratchFolder scratch;
    const String tone = WriteTone(scratch.path, "tone.wav", 0.05);
    SoundDevice::GetInstance().LoadSample(tone.c_str(), false);
    World::GetInstance().Destroy();
    EXPECT_EQ(SoundDevice::FindInstance(), nullptr);
}

TEST(WorldSoundShutdownTest, TicksWithoutInitializeStartNoDevice)
{
    LogCapture log;
    FrameDriver frames;
    frames.Tick(0.016f);
    EXPECT_EQ(SoundDevice::FindInstance(), nullptr);
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(WorldWithoutServicesTest, LeavesSoundAndScriptingOutUntilTheProgramAsksForSound)
{
    LogCapture log;
    EXPECT_EQ(SoundDevice::FindInstance(), nullptr);
    EXPECT_FALSE(ScriptHost::IsRunning());
    EXPECT_NE(dynamic_cast<TestConsole*>(World::GetInstance().GetConsole()), nullptr);
    // Frames, the second of which would look for game pads, need none of them.
    for (int i = 0; i < 3; ++i)
        DrawFrameAndReadPixel(0, 0);
    EXPECT_EQ(SoundDevice::FindInstance(), nullptr);
    EXPECT_TRUE(log.lines.empty());

    SKIP_WITHOUT_AUDIO_BACKEND();
    UseDummyAudio();
    ScratchFolder scratch;
    const String tone = WriteTone(scratch.path, "tone.wav", 0.05);
    SoundDevice& device = SoundDevice::GetInstance();
    EXPECT_TRUE(device.IsPlaying(device.PlaySound(device.LoadSample(tone.c_str(), false))));
    EXPECT_TRUE(log.lines.empty());
}
