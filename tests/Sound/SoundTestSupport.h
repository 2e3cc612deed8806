#pragma once

// Shared by the sound tests: real SDL audio on its dummy driver (nothing heard) or its
// disk driver, which writes what is mixed, in real time, as raw signed 16-bit stereo
// 44.1 kHz to a file that the tests read back.

#include "Infrastructure/GameManager.h"
#include "Sound/SoundBackend.h"
#include "Sound/SoundDevice.h"
#include "TestUtilities/ScratchFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <vector>

namespace SoundTest
{
constexpr int Rate = 44100;
constexpr int16_t ToneAmplitude = 16384;
// Well under the tone's level, well over rounding noise; a 440 Hz tone of ToneAmplitude
// dips below it for at most one frame per zero crossing.
constexpr int SilenceLevel = 500;

inline void Sleep(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

// The silent back-end plays nothing, so there is nothing for these tests to hear.
#define SKIP_WITHOUT_AUDIO_BACKEND()                                                                                   \
    if (SoundBackend::GetVersion() == 0)                                                                               \
    GTEST_SKIP() << "built with the silent sound back-end"

inline void UseDummyAudio() { setenv("SDL_AUDIODRIVER", "dummy", 1); }

// Returns the file the mixed output will be written to.
inline String UseDiskAudio(const String& folder)
{
    const String output = folder + "/mixed.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    return output;
}

inline void PutLE(std::ofstream& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A mono 16-bit WAV file holding a 440 Hz sine of ToneAmplitude.
inline String WriteTone(const String& folder, const String& name, double seconds)
{
    const String path = folder + "/" + name;
    const auto frames = static_cast<uint32_t>(seconds * Rate);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    PutLE(out, 36 + frames * 2, 4);
    out.write("WAVEfmt ", 8);
    PutLE(out, 16, 4);
    PutLE(out, 1, 2);
    PutLE(out, 1, 2);
    PutLE(out, Rate, 4);
    PutLE(out, Rate * 2, 4);
    PutLE(out, 2, 2);
    PutLE(out, 16, 2);
    out.write("data", 4);
    PutLE(out, frames * 2, 4);
    for (uint32_t i = 0; i < frames; ++i)
    {
        const double value = ToneAmplitude * std::sin(2.0 * 3.14159265358979 * 440.0 * i / Rate);
        PutLE(out, static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(std::lround(value)))), 2);
    }
    return path;
}

struct Frame
{
    int left;
    int right;
};

// What the disk driver wrote. Read it after SoundDevice::Shutdown, which closes the file.
struct Recording
{
    std::vector<Frame> frames;

    static Recording Read(const String& path)
    {
        Recording recording;
        std::ifstream in(path, std::ios::binary);
        int16_t pair[2];
        while (in.read(reinterpret_cast<char*>(pair), sizeof(pair)))
            recording.frames.push_back(Frame{pair[0], pair[1]});
        return recording;
    }

    static bool Loud(const Frame& f) { return std::abs(f.left) > SilenceLevel || std::abs(f.right) > SilenceLevel; }

    // Index of the first and last frame that isn't silent; -1 when all is silence.
    long FirstSound() const
    {
        for (size_t i = 0; i < frames.size(); ++i)
        {
            if (Loud(frames[i]))
                return static_cast<long>(i);
        }
        return -1;
    }
    long LastSound() const
    {
        for (size_t i = frames.size(); i > 0; --i)
        {
            if (Loud(frames[i - 1]))
                return static_cast<long>(i - 1);
        }
        return -1;
    }
    double SecondsOfSound() const { return FirstSound() < 0 ? 0.0 : double(LastSound() - FirstSound() + 1) / Rate; }

    // The longest stretch of silence between the first and the last sound, in seconds.
    double LongestGap() const
    {
        long longest = 0;
        long run = 0;
        for (long i = FirstSound(); i >= 0 && i <= LastSound(); ++i)
        {
            run = Loud(frames[static_cast<size_t>(i)]) ? 0 : run + 1;
            longest = std::max(longest, run);
        }
        return double(longest) / Rate;
    }

    // Peak levels of each side over frames [from, to).
    Frame Peak(long from = 0, long to = -1) const
    {
        Frame peak{0, 0};
        const long end = to < 0 ? static_cast<long>(frames.size()) : to;
        for (long i = std::max(0L, from); i < end && i < static_cast<long>(frames.size()); ++i)
        {
            peak.left = std::max(peak.left, std::abs(frames[static_cast<size_t>(i)].left));
            peak.right = std::max(peak.right, std::abs(frames[static_cast<size_t>(i)].right));
        }
        return peak;
    }
};

// A game manager that writes down every finished sound and the thread it heard it on.
class FinishedRecorder : public GameManager
{
public:
    void OnSoundFinished(void* soundHandle) override
    {
        handles.push_back(soundHandle);
        threads.push_back(std::this_thread::get_id());
        if (reaction)
            reaction();
    }

    void Install() { SoundDevice::GetInstance().SetFinishedHandler(this, &GameManager::OnSoundFinished); }

    std::vector<void*> handles;
    std::vector<std::thread::id> threads;
    void (*reaction)() = nullptr;
};
// Sleeps a little and updates, again and again, until `done` holds; gives up after five
// seconds, so a slow machine waits longer instead of failing.
inline bool UpdateUntil(
    const std::function<bool()>& done,
    const std::function<void()>& update = [] { SoundDevice::GetInstance().Update(); })
{
    for (int i = 0; i < 250 && !done(); ++i)
    {
        Sleep(0.02);
        update();
    }
    return done();
}

inline bool UpdateUntilFinished(const FinishedRecorder& recorder, size_t count)
{
    return UpdateUntil([&] { return recorder.handles.size() >= count; });
}
} // namespace SoundTest
