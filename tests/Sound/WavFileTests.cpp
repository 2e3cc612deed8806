#include "Sound/backend/WavFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace
{
using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutChunk(Bytes& out, const char* id, const Bytes& body, bool pad = true)
{
    out.insert(out.end(), id, id + 4);
    Put(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    if (pad && body.size() % 2 == 1)
        out.push_back(0);
}

Bytes Format(std::uint32_t tag, std::uint32_t channels, std::uint32_t rate, std::uint32_t bits)
{
    Bytes body;
    Put(body, tag, 2);
    Put(body, channels, 2);
    Put(body, rate, 4);
    Put(body, rate * channels * bits / 8, 4);
    Put(body, channels * bits / 8, 2);
    Put(body, bits, 2);
    return body;
}

// A RIFF WAVE file of the given chunks; its RIFF size is right.
Bytes Riff(const std::vector<std::pair<const char*, Bytes>>& chunks)
{
    Bytes body{'W', 'A', 'V', 'E'};
    for (const auto& [id, chunk] : chunks)
        PutChunk(body, id, chunk);
    Bytes file{'R', 'I', 'F', 'F'};
    Put(file, static_cast<std::uint32_t>(body.size()), 4);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

Bytes Wav(std::uint32_t channels, std::uint32_t bits, const Bytes& samples, std::uint32_t rate = 22050)
{
    return Riff({{"fmt ", Format(1, channels, rate, bits)}, {"data", samples}});
}

// Parses a copy that holds exactly the file, so the sanitizer sees any read past its end.
SoundResult ParseExact(const Bytes& file, WavSound& sound)
{
    const Bytes copy(file);
    String error;
    const SoundResult result = WavFile::Parse(copy.data(), copy.size(), sound, error);
    EXPECT_EQ(result == SR_Ok, error.empty()) << error;
    return result;
}
} // namespace

TEST(WavFile, ReadsEachKindOfPcm)
{
    struct Case
    {
        std::uint32_t channels;
        std::uint32_t bits;
        Bytes samples;
    };
    const Case cases[] = {
        {1, 8, {0x80, 0xFF, 0x00}},
        {2, 8, {0x10, 0x20, 0x30, 0x40}},
        {1, 16, {0x01, 0x80, 0xFF, 0x7F}},
        {2, 16, {1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.channels) + " channels, " + std::to_string(c.bits) + " bits");
        WavSound sound;
        ASSERT_EQ(ParseExact(Wav(c.channels, c.bits, c.samples, 11025), sound), SR_Ok);
        EXPECT_EQ(sound.channels, static_cast<int>(c.channels));
        EXPECT_EQ(sound.bitsPerSample, static_cast<int>(c.bits));
        EXPECT_EQ(sound.sampleRate, 11025);
        EXPECT_EQ(sound.samples, c.samples);
    }
}

TEST(WavFile, ReadsTheGamesOwnSoundsFromDisk)
{
    WavSound sound;
    String error;
    ASSERT_EQ(WavFile::Read("Resources/Sounds/lie.wav", sound, error), SR_Ok) << error;
    EXPECT_EQ(sound.channels, 1);
    EXPECT_EQ(sound.bitsPerSample, 16);
    EXPECT_EQ(sound.sampleRate, 44100);
    EXPECT_GT(sound.samples.size(), 44100u / 10);

    EXPECT_EQ(WavFile::Read("Resources/Sounds/no-such-sound.wav", sound, error), SR_FileNotFound);
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(sound.samples.empty());
}

TEST(WavFile, SkipsOtherChunksAndHonoursPadBytes)
{
    // An odd-sized chunk before the sound is followed by a pad byte that is not data.
    WavSound sound;
    ASSERT_EQ(
        ParseExact(Riff({{"LIST", {'a', 'b', 'c'}}, {"fmt ", Format(1, 1, 8000, 8)}, {"data", {7, 8, 9}}}), sound),
        SR_Ok);
    EXPECT_EQ(sound.samples, (Bytes{7, 8, 9}));

    // The data may come before the format, and a larger fmt chunk (with extra fields) is fine.
    Bytes longFormat = Format(1, 1, 8000, 16);
    longFormat.insert(longFormat.end(), {0, 0});
    ASSERT_EQ(ParseExact(Riff({{"data", {1, 2}}, {"fmt ", longFormat}}), sound), SR_Ok);
    EXPECT_EQ(sound.samples, (Bytes{1, 2}));

    // The last chunk's pad byte may be missing, and a wrong RIFF size is not trusted.
    Bytes unpadded{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    PutChunk(unpadded, "fmt ", Format(1, 1, 8000, 8));
    PutChunk(unpadded, "data", {5, 6, 7}, false);
    ASSERT_EQ(ParseExact(unpadded, sound), SR_Ok);
    EXPECT_EQ(sound.samples, (Bytes{5, 6, 7}));
}

TEST(WavFile, DropsAPartialLastFrame)
{
    WavSound sound;
    ASSERT_EQ(ParseExact(Wav(2, 16, {1, 2, 3, 4, 5, 6, 7}), sound), SR_Ok);
    EXPECT_EQ(sound.samples, (Bytes{1, 2, 3, 4}));
    // Less than one frame is no sound at all.
    EXPECT_EQ(ParseExact(Wav(2, 16, {1, 2, 3}), sound), SR_BadFile);
    EXPECT_EQ(ParseExact(Wav(1, 8, {}), sound), SR_BadFile);
}

TEST(WavFile, EveryTruncationIsABadFile)
{
    const Bytes whole = Riff({{"LIST", {1, 2, 3}}, {"fmt ", Format(1, 2, 8000, 16)}, {"data", Bytes(40, 9)}});
    WavSound sound;
    ASSERT_EQ(ParseExact(whole, sound), SR_Ok);
    for (size_t length = 0; length < whole.size(); ++length)
    {
        SCOPED_TRACE("cut at " + std::to_string(length));
        EXPECT_EQ(ParseExact(Bytes(whole.begin(), whole.begin() + static_cast<long>(length)), sound), SR_BadFile);
        EXPECT_TRUE(sound.samples.empty());
    }
}

TEST(WavFile, RefusesWhatItCannotPlay)
{
    Bytes shortFormat = Format(1, 1, 8000, 16);
    shortFormat.resize(14);
    Bytes hugeChunk = Wav(1, 8, {1});
    // The data chunk's size field claims 4 GiB.
    for (size_t i = hugeChunk.size() - 6; i < hugeChunk.size() - 2; ++i)
        hugeChunk[i] = 0xFF;
    Bytes notWave = Wav(1, 8, {1});
    notWave[8] = 'X';

    const std::pair<const char*, Bytes> cases[] = {
        {"float samples", Riff({{"fmt ", Format(3, 1, 8000, 32)}, {"data", Bytes(8, 0)}})},
        {"compressed", Riff({{"fmt ", Format(2, 1, 8000, 4)}, {"data", Bytes(8, 0)}})},
        {"three channels", Riff({{"fmt ", Format(1, 3, 8000, 16)}, {"data", Bytes(12, 0)}})},
        {"no channels", Riff({{"fmt ", Format(1, 0, 8000, 16)}, {"data", Bytes(12, 0)}})},
        {"24 bits", Riff({{"fmt ", Format(1, 1, 8000, 24)}, {"data", Bytes(12, 0)}})},
        {"rate 0", Riff({{"fmt ", Format(1, 1, 0, 16)}, {"data", Bytes(12, 0)}})},
        {"short fmt", Riff({{"fmt ", shortFormat}, {"data", Bytes(12, 0)}})},
        {"no fmt", Riff({{"data", Bytes(12, 0)}})},
        {"no data", Riff({{"fmt ", Format(1, 1, 8000, 16)}})},
        {"4 GiB chunk", hugeChunk},
        {"not WAVE", notWave},
        {"text", Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!'}},
    };
    for (const auto& [name, file] : cases)
    {
        SCOPED_TRACE(name);
        WavSound sound;
        EXPECT_EQ(ParseExact(file, sound), SR_BadFile);
    }
    WavSound sound;
    String error;
    EXPECT_EQ(WavFile::Parse(nullptr, 0, sound, error), SR_BadFile);
}
