// Synthesises the game's five sound effects and writes them as 16-bit mono WAV files.
// Usage: soundgen OUTPUT_FOLDER
// Everything is computed from fixed numbers, so every build writes the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace
{
constexpr int SampleRate = 44100;
constexpr double Pi = 3.14159265358979323846;
constexpr double TwoPi = 2.0 * Pi;

using Wave = std::vector<double>;

int Frames(double seconds) { return static_cast<int>(seconds * SampleRate + 0.5); }

// A tone whose pitch may change over time: the phase is accumulated sample by sample so
// glides stay smooth. `harmonics` are the amplitudes of partials 1, 2, 3, ...
struct Voice
{
    std::function<double(double)> frequency;
    std::vector<double> harmonics;
    std::function<double(double)> envelope;
};

void AddVoice(Wave& wave, double start, double length, const Voice& voice, double gain)
{
    const int first = Frames(start);
    const int count = Frames(length);
    if (static_cast<int>(wave.size()) < first + count)
        wave.resize(static_cast<size_t>(first + count), 0.0);
    double phase = 0.0;
    for (int i = 0; i < count; ++i)
    {
        const double t = static_cast<double>(i) / SampleRate;
        const double f = voice.frequency(t);
        double value = 0.0;
        for (size_t h = 0; h < voice.harmonics.size(); ++h)
        {
            const double partial = f * static_cast<double>(h + 1);
            // Partials above the audible band would only fold back as noise.
            if (partial < SampleRate * 0.45)
                value += voice.harmonics[h] * std::sin(phase * static_cast<double>(h + 1));
        }
        wave[static_cast<size_t>(first + i)] += gain * voice.envelope(t) * value;
        phase = std::fmod(phase + TwoPi * f / SampleRate, TwoPi * 64.0);
    }
}

// Rises over `attack`, holds, then falls away over `release` before `length` ends.
std::function<double(double)> AttackRelease(double attack, double length, double release)
{
    return [=](double t)
    {
        if (t < attack)
            return t / attack;
        if (t > length - release)
            return std::max(0.0, (length - t) / release);
        return 1.0;
    };
}

// A struck sound: a quick attack, then an exponential fade with time constant `decay`,
// taken smoothly to silence over the last 50 ms of `length`.
std::function<double(double)> Strike(double attack, double decay, double length)
{
    return [=](double t)
    {
        const double tail = std::clamp((length - t) / 0.05, 0.0, 1.0);
        return tail * (t < attack ? t / attack : std::exp(-(t - attack) / decay));
    };
}

std::function<double(double)> Constant(double frequency)
{
    return [=](double) { return frequency; };
}

// From `from` to `to` in `time` seconds on a musical (exponential) curve, then held.
std::function<double(double)> Glide(double from, double to, double time)
{
    return [=](double t) { return from * std::pow(to / from, std::min(t, time) / time); };
}

std::function<double(double)> WithVibrato(std::function<double(double)> base, double rate, double depth, double delay)
{
    return [=](double t)
    {
        const double amount = t < delay ? 0.0 : depth * std::min(1.0, (t - delay) / 0.1);
        return base(t) * (1.0 + amount * std::sin(TwoPi * rate * t));
    };
}

// A deterministic noise source (a linear congruential generator).
double Noise(uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / static_cast<double>(1u << 23) - 1.0;
}

void LowPass(Wave& wave, double cutoff)
{
    const double a = 1.0 - std::exp(-TwoPi * cutoff / SampleRate);
    double y = 0.0;
    for (double& x : wave)
    {
        y += a * (x - y);
        x = y;
    }
}

// Scales to a comfortable peak and softens the very ends, so no sound starts or stops
// with a click.
void Finish(Wave& wave, double peak)
{
    double top = 0.0;
    for (double x : wave)
        top = std::max(top, std::fabs(x));
    if (top > 0.0)
    {
        for (double& x : wave)
            x *= peak / top;
    }
    const int edge = std::min(Frames(0.004), static_cast<int>(wave.size()) / 2);
    for (int i = 0; i < edge; ++i)
    {
        const double g = static_cast<double>(i) / edge;
        wave[static_cast<size_t>(i)] *= g;
        wave[wave.size() - 1 - static_cast<size_t>(i)] *= g;
    }
}

const std::vector<double> SoftSquare = {1.0, 0.0, 1.0 / 3.0, 0.0, 1.0 / 5.0, 0.0, 1.0 / 7.0};
const std::vector<double> Reedy = {1.0, 0.35, 0.18, 0.08};
const std::vector<double> Brass = {1.0, 0.7, 0.5, 0.38, 0.3, 0.22, 0.16, 0.12, 0.08, 0.05};
const std::vector<double> Bell = {1.0, 0.45, 0.22, 0.0, 0.08};

// A sly, wobbling slide upwards and a little back: someone telling a fib.
Wave MakeLie()
{
    Wave wave;
    const double length = 0.48;
    auto pitch = [](double t)
    {
        if (t < 0.28)
            return 320.0 * std::pow(2.0, t / 0.28);
        return 640.0 * std::pow(0.78, std::min(1.0, (t - 0.28) / 0.2));
    };
    AddVoice(wave, 0.0, length, Voice{WithVibrato(pitch, 9.0, 0.035, 0.05), Reedy, AttackRelease(0.02, length, 0.12)},
             1.0);
    // A faint sparkle on top, like a wink.
    AddVoice(wave, 0.24, 0.2, Voice{Constant(1975.5), {1.0}, Strike(0.005, 0.05, 0.2)}, 0.18);
    Finish(wave, 0.7);
    return wave;
}

// Two quick bright notes, the second ringing out: a coin in the pocket.
Wave MakeMoneyPickup()
{
    Wave wave;
    AddVoice(wave, 0.0, 0.075, Voice{Constant(987.77), SoftSquare, AttackRelease(0.003, 0.075, 0.01)}, 0.8);
    AddVoice(wave, 0.07, 0.33, Voice{Constant(1318.51), SoftSquare, Strike(0.003, 0.09, 0.33)}, 0.8);
    AddVoice(wave, 0.07, 0.33, Voice{Constant(2637.02), {1.0}, Strike(0.003, 0.05, 0.33)}, 0.12);
    LowPass(wave, 7000.0);
    Finish(wave, 0.7);
    return wave;
}

// Four drooping brass notes, the last one wobbling: caught out.
Wave MakeLieMeterBust()
{
    Wave wave;
    const double notes[] = {311.13, 293.66, 277.18, 261.63};
    double start = 0.0;
    for (int i = 0; i < 4; ++i)
    {
        const bool last = i == 3;
        const double length = last ? 0.62 : 0.22;
        auto pitch = last ? WithVibrato(Glide(notes[i], notes[i] * 0.97, 0.6), 5.5, 0.025, 0.12)
                          : Glide(notes[i] * 1.01, notes[i], 0.05);
        AddVoice(wave, start, length, Voice{pitch, Brass, AttackRelease(0.025, length, last ? 0.25 : 0.05)}, 1.0);
        start += 0.23;
    }
    LowPass(wave, 1800.0);
    Finish(wave, 0.72);
    return wave;
}

// A rising major arpeggio of bells ending on a ringing chord: the goal is reached.
Wave MakeStockGoal()
{
    Wave wave;
    const double notes[] = {523.25, 659.25, 783.99, 1046.50};
    for (int i = 0; i < 4; ++i)
    {
        const double length = 0.9 - 0.085 * i;
        AddVoice(wave, 0.085 * i, length, Voice{Constant(notes[i]), Bell, Strike(0.004, 0.22, length)}, 0.6);
    }
    AddVoice(wave, 0.34, 0.6, Voice{Constant(1318.51), Bell, Strike(0.004, 0.3, 0.6)}, 0.45);
    AddVoice(wave, 0.34, 0.6, Voice{Constant(1567.98), Bell, Strike(0.004, 0.3, 0.6)}, 0.35);
    LowPass(wave, 9000.0);
    Finish(wave, 0.7);
    return wave;
}

// A falling "bloop" and a soft thud: someone keels over.
Wave MakeConsumerDied()
{
    Wave wave;
    AddVoice(wave, 0.0, 0.38,
             Voice{Glide(520.0, 70.0, 0.36), {1.0, 0.0, 0.25, 0.0, 0.1}, AttackRelease(0.01, 0.38, 0.06)}, 0.8);
    AddVoice(wave, 0.36, 0.3, Voice{Glide(95.0, 45.0, 0.25), {1.0, 0.3}, Strike(0.004, 0.07, 0.3)}, 1.0);

    Wave thud(static_cast<size_t>(Frames(0.28)), 0.0);
    uint32_t seed = 12345u;
    for (size_t i = 0; i < thud.size(); ++i)
    {
        const double attack = std::min(1.0, static_cast<double>(i) / Frames(0.004));
        thud[i] = Noise(seed) * attack * std::exp(-static_cast<double>(i) / Frames(0.03));
    }
    // Three gentle filters in a row leave a dull bump and no hiss.
    for (int pass = 0; pass < 3; ++pass)
        LowPass(thud, 350.0);
    const size_t at = static_cast<size_t>(Frames(0.36));
    for (size_t i = 0; i < thud.size() && at + i < wave.size(); ++i)
        wave[at + i] += 12.0 * thud[i];
    Finish(wave, 0.72);
    return wave;
}

void PutU16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

bool WriteWav(const std::string& path, const Wave& wave)
{
    const auto dataBytes = static_cast<uint32_t>(wave.size() * 2);
    std::vector<uint8_t> bytes;
    PutTag(bytes, "RIFF");
    PutU32(bytes, 36 + dataBytes);
    PutTag(bytes, "WAVE");
    PutTag(bytes, "fmt ");
    PutU32(bytes, 16);
    PutU16(bytes, 1); // PCM
    PutU16(bytes, 1); // mono
    PutU32(bytes, SampleRate);
    PutU32(bytes, SampleRate * 2);
    PutU16(bytes, 2);
    PutU16(bytes, 16);
    PutTag(bytes, "data");
    PutU32(bytes, dataBytes);
    for (double x : wave)
    {
        const long value = std::lround(std::clamp(x, -1.0, 1.0) * 32767.0);
        PutU16(bytes, static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(value))));
    }

    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file)
        written = std::fclose(file) == 0 && written;
    if (!written)
        std::fprintf(stderr, "soundgen: can't write %s\n", path.c_str());
    return written;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: soundgen OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const struct
    {
        const char* name;
        Wave (*make)();
    } sounds[] = {
        {"lie.wav", MakeLie},
        {"moneypickup.wav", MakeMoneyPickup},
        {"liemeterbust.wav", MakeLieMeterBust},
        {"stockgoal.wav", MakeStockGoal},
        {"consumerdied.wav", MakeConsumerDied},
    };
    bool ok = true;
    for (const auto& sound : sounds)
        ok = WriteWav(folder + "/" + sound.name, sound.make()) && ok;
    return ok ? 0 : 1;
}
