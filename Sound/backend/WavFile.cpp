#include "Sound/backend/WavFile.h"

#include "Util/SafeFiles.h"

#include <cstring>

namespace
{
// WebAudio's buffers take 3 kHz to 768 kHz; real files sit well inside.
constexpr std::uint32_t MinSampleRate = 3000;
constexpr std::uint32_t MaxSampleRate = 384000;
constexpr std::uint16_t FormatPcm = 1;

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

std::uint32_t U32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

SoundResult Bad(String& error, const String& reason)
{
    error = reason;
    return SR_BadFile;
}

String ChunkName(const std::uint8_t* id)
{
    String name;
    for (int i = 0; i < 4; ++i)
        name += (id[i] >= 32 && id[i] < 127) ? static_cast<char>(id[i]) : '?';
    return "'" + name + "'";
}
} // namespace

namespace WavFile
{
SoundResult Parse(const std::uint8_t* bytes, std::size_t size, WavSound& sound, String& error)
{
    sound = WavSound();
    error.clear();
    if (!bytes || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return Bad(error, "not a RIFF WAVE file");

    // The RIFF size is not trusted: writers that stream leave it wrong. The chunks are
    // walked until both needed ones are found, each checked against the real end.
    const std::uint8_t* format = nullptr;
    std::uint32_t formatSize = 0;
    const std::uint8_t* data = nullptr;
    std::uint32_t dataSize = 0;
    std::size_t pos = 12;
    while (!format || !data)
    {
        if (size - pos < 8)
            return Bad(error, format ? "no data chunk" : "no fmt chunk");
        const std::uint8_t* id = bytes + pos;
        const std::uint32_t chunkSize = U32(id + 4);
        pos += 8;
        if (chunkSize > size - pos)
            return Bad(error, "chunk " + ChunkName(id) + " runs past the end of the file");
        if (std::memcmp(id, "fmt ", 4) == 0 && !format)
        {
            format = bytes + pos;
            formatSize = chunkSize;
        }
        else if (std::memcmp(id, "data", 4) == 0 && !data)
        {
            data = bytes + pos;
            dataSize = chunkSize;
        }
        pos += chunkSize;
        // Odd-sized chunks carry a pad byte, which the last chunk of a file may lack.
        if ((chunkSize & 1) != 0 && pos < size)
            ++pos;
    }

    if (formatSize < 16)
        return Bad(error, "fmt chunk too short");
    const std::uint16_t tag = U16(format);
    const std::uint16_t channels = U16(format + 2);
    const std::uint32_t rate = U32(format + 4);
    const std::uint16_t bits = U16(format + 14);
    if (tag != FormatPcm)
        return Bad(error, "not PCM (format " + std::to_string(tag) + ")");
    if (channels != 1 && channels != 2)
        return Bad(error, std::to_string(channels) + " channels; only mono and stereo play");
    if (bits != 8 && bits != 16)
        return Bad(error, std::to_string(bits) + "-bit samples; only 8 and 16 bits play");
    if (rate < MinSampleRate || rate > MaxSampleRate)
        return Bad(error, "sample rate " + std::to_string(rate) + " out of range");

    // The frame size is worked out rather than taken from the header's block size, so a
    // lying header can't make a partial frame reach the player.
    const std::uint32_t frameBytes = channels * (bits / 8u);
    const std::uint32_t usable = dataSize - dataSize % frameBytes;
    if (usable == 0)
        return Bad(error, "no sound data");
    sound.channels = channels;
    sound.bitsPerSample = bits;
    sound.sampleRate = static_cast<int>(rate);
    sound.samples.assign(data, data + usable);
    return SR_Ok;
}

SoundResult Read(const char* filename, WavSound& sound, String& error)
{
    sound = WavSound();
    if (!filename)
    {
        error = "no file name";
        return SR_FileNotFound;
    }
    String bytes;
    String reason;
    const FileReadStatus status = ReadRegularFile(filename, MaxSoundFileBytes, bytes, reason);
    if (status != FRS_Read)
    {
        error = status == FRS_Missing ? reason : DescribeReadFailure(filename, status, reason);
        return status == FRS_Missing ? SR_FileNotFound : SR_FileRefused;
    }
    return Parse(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), sound, error);
}
} // namespace WavFile
