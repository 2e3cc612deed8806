#pragma once

// A reader for the WAV files the game's sounds come in, for sound libraries that bring
// no decoder of their own. It takes uncompressed PCM only: 8 or 16 bits, mono or stereo.

#include "Sound/SoundBackend.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The sound of one file, ready for a library that plays raw PCM.
struct WavSound
{
    // 1 (mono) or 2 (stereo, left first).
    int channels = 0;
    // 8 (unsigned, silence at 128) or 16 (signed, little-endian).
    int bitsPerSample = 0;
    // Frames per second.
    int sampleRate = 0;
    // Whole frames only, as the file stores them; never empty after a successful read.
    std::vector<std::uint8_t> samples;
};

namespace WavFile
{
// Decodes a whole file held in memory. Returns SR_BadFile, with the reason in `error`, for
// anything that is not complete PCM WAV data of a kind named above; never reads outside
// [bytes, bytes + size).
SoundResult Parse(const std::uint8_t* bytes, std::size_t size, WavSound& sound, String& error);
// Reads and decodes a file (the device reads its own and hands them to Parse; this is for
// tools and tests): SR_FileNotFound when there is none, SR_FileRefused when it is no
// regular file, past MaxSoundFileBytes or unreadable, else as Parse.
SoundResult Read(const char* filename, WavSound& sound, String& error);
} // namespace WavFile
