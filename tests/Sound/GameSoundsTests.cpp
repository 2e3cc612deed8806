// The game's sound effects as the build synthesises them into the run folder.

#include "Sound/SoundDevice.h"

#include "SoundTestSupport.h"
#include "TestUtilities/LogCapture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

using namespace SoundTest;

namespace
{
const char* const gameSounds[] = {"lie.wav", "moneypickup.wav", "liemeterbust.wav", "stockgoal.wav",
                                  "consumerdied.wav"};

uint32_t ReadLE(const std::vector<char>& bytes, size_t at, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return value;
}
} // namespace

TEST(GameSoundsTest, EachIsAShortCleanMonoClipTheDeviceLoads)
{
    SKIP_WITHOUT_AUDIO_BACKEND();
    UseDummyAudio();
    LogCapture log;
    for (const char* name : gameSounds)
    {
        const String path = String("Resources/Sounds/") + name;
        std::ifstream in(path, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GT(bytes.size(), 44u) << path;
        EXPECT_EQ(std::memcmp(bytes.data() + 8, "WAVEfmt ", 8), 0) << path;
        EXPECT_EQ(ReadLE(bytes, 22, 2), 1u) << path << ": channels";
        EXPECT_EQ(ReadLE(bytes, 24, 4), static_cast<uint32_t>(Rate)) << path;
        EXPECT_EQ(ReadLE(bytes, 34, 2), 16u) << path << ": bits";
        ASSERT_EQ(ReadLE(bytes, 40, 4), bytes.size() - 44) << path << ": data size";

        const size_t frames = (bytes.size() - 44) / 2;
        const double seconds = static_cast<double>(frames) / Rate;
        EXPECT_GT(seconds, 0.2) << path;
        EXPECT_LT(seconds, 1.5) << path;
        int peak = 0;
        for (size_t i = 0; i < frames; ++i)
            peak = std::max(peak, std::abs(static_cast<int16_t>(ReadLE(bytes, 44 + 2 * i, 2))));
        // Loud enough to hear, with headroom left; it starts and ends at rest, so no click.
        EXPECT_GT(peak, 32767 * 6 / 10) << path;
        EXPECT_LT(peak, 32767 * 8 / 10) << path;
        EXPECT_EQ(static_cast<int16_t>(ReadLE(bytes, 44, 2)), 0) << path;
        EXPECT_LT(std::abs(static_cast<int16_t>(ReadLE(bytes, bytes.size() - 2, 2))), 200) << path;

        EXPECT_NE(SoundDevice::GetInstance().LoadSample(path.c_str(), false), nullptr) << path;
    }
    EXPECT_TRUE(log.lines.empty());
    SoundDevice::Shutdown();
}
