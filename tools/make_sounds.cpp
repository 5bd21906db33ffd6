// Writes the game's six sound files into a folder: make-sounds <folder>
//
// Every sound is synthesised here from sines and a little noise, so the game ships only sounds
// of its own. The effects are 44100 Hz, the music 22050 Hz; all are mono 16-bit PCM WAV files.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "sound_synth.h"

namespace {

using synth::kTwoPi;
using synth::Noise;
using synth::Samples;
using synth::smoothStep;

constexpr int kEffectRate = 44100;
constexpr int kMusicRate = 22050;

// A decaying sine: one vibrating mode of a bell, a string or a piece of wood.
struct Mode {
    double hz;
    double amplitude;
    double decaySeconds;
};

Samples silence(double seconds, int rate) {
    return Samples(static_cast<std::size_t>(seconds * rate), 0.0);
}

// Adds the modes, struck at `at` seconds, rising over `attack` seconds.
void strike(Samples& s, int rate, double at, const Mode* modes, int count, double attack) {
    const auto first = static_cast<std::size_t>(at * rate);
    for (std::size_t i = first; i < s.size(); ++i) {
        const double t = static_cast<double>(i - first) / rate;
        const double rise = attack > 0.0 ? smoothStep(t / attack) : 1.0;
        double v = 0.0;
        for (int m = 0; m < count; ++m) {
            v += modes[m].amplitude * std::exp(-t / modes[m].decaySeconds) *
                 std::sin(kTwoPi * modes[m].hz * t);
        }
        s[i] += rise * v;
    }
}

// Adds a burst of noise decaying over `decaySeconds`, smoothed by a one-pole low-pass filter
// (`smoothing` 0 keeps it bright, near 1 makes it dull).
void tick(Samples& s, int rate, double decaySeconds, double amplitude, double smoothing,
          std::uint32_t key) {
    Noise noise(key);
    double low = 0.0;
    const auto length = static_cast<std::size_t>(decaySeconds * 8.0 * rate);
    for (std::size_t i = 0; i < length && i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        low = smoothing * low + (1.0 - smoothing) * noise.next();
        s[i] += amplitude * std::exp(-t / decaySeconds) * smoothStep(t / 0.0004) * low;
    }
}

// Brings the last `seconds` down to silence, so that no file ends with a click.
void fadeOut(Samples& s, int rate, double seconds) {
    const auto n = static_cast<std::size_t>(seconds * rate);
    for (std::size_t k = 0; k < n && k < s.size(); ++k) {
        s[s.size() - 1 - k] *= smoothStep(static_cast<double>(k) / n);
    }
}

// A soft two-note chime ("pin-pon") for announcements.
Samples chime() {
    Samples s = silence(1.6, kEffectRate);
    const auto bell = [&](double hz, double at, double level) {
        const Mode modes[] = {{hz, level, 0.9},
                              {hz * 2.0, level * 0.22, 0.35},
                              {hz * 3.01, level * 0.07, 0.18},
                              {hz * 4.16, level * 0.04, 0.10}};
        strike(s, kEffectRate, at, modes, 4, 0.004);
    };
    bell(synth::noteHz(79), 0.0, 1.0);   // G5
    bell(synth::noteHz(76), 0.30, 0.9);  // E5
    fadeOut(s, kEffectRate, 0.15);
    synth::normalize(s, 0.6);
    return s;
}

// A short low double buzz ("bu-bu") for a refused action.
Samples buzz() {
    Samples s = silence(0.34, kEffectRate);
    const double pulses[][2] = {{0.0, 0.12}, {0.17, 0.29}};
    for (const auto& pulse : pulses) {
        for (auto i = static_cast<std::size_t>(pulse[0] * kEffectRate);
             i < static_cast<std::size_t>(pulse[1] * kEffectRate); ++i) {
            const double t = static_cast<double>(i) / kEffectRate - pulse[0];
            const double left = pulse[1] - pulse[0] - t;
            const double gate = smoothStep(t / 0.006) * smoothStep(left / 0.012);
            double v = 0.0;
            for (int k = 1; k * 180.0 < 3200.0; ++k) {
                const double weight = 1.0 / std::pow(k, 1.15);
                v += weight *
                     (std::sin(kTwoPi * 180.0 * k * t) + 0.6 * std::sin(kTwoPi * 183.0 * k * t));
            }
            s[i] += gate * v;
        }
    }
    synth::normalize(s, 0.55);
    return s;
}

// Adds `count` faint modes at random frequencies between `lowHz` and `highHz` (spread evenly
// on a log scale) with short random decays: the dense, noisy ring that makes a knock sound of
// wood rather than of a tuned bar.
void woodGrain(Samples& s, int rate, int count, double lowHz, double highHz, double maxDecay,
               double level, double attack, std::uint32_t key) {
    Noise noise(key);
    Mode modes[32];
    count = count > 32 ? 32 : count;
    for (int m = 0; m < count; ++m) {
        const double where = 0.5 + 0.5 * noise.next();
        modes[m] = {lowHz * std::pow(highHz / lowHz, where), level * (0.4 + 0.3 * noise.next()),
                    maxDecay * (0.55 + 0.45 * noise.next())};
    }
    strike(s, rate, 0.0, modes, count, attack);
}

// The bright wooden clack of a shogi piece set down on a thick board.
Samples shogiClack() {
    Samples s = silence(0.26, kEffectRate);
    const Mode wood[] = {{2450.0, 0.60, 0.014}, {3900.0, 0.40, 0.008}, {1280.0, 0.50, 0.022},
                         {5600.0, 0.18, 0.005}, {640.0, 0.30, 0.035},  {215.0, 0.22, 0.060}};
    strike(s, kEffectRate, 0.0, wood, 6, 0.0003);
    woodGrain(s, kEffectRate, 24, 900.0, 7000.0, 0.010, 0.12, 0.0003, 0x51A7u);
    tick(s, kEffectRate, 0.0006, 0.9, 0.15, 0x7E11u);
    fadeOut(s, kEffectRate, 0.05);
    synth::normalize(s, 0.85);
    return s;
}

// The duller knock of a felted chess piece: softer attack, lower wood, no ring.
Samples chessKnock() {
    Samples s = silence(0.20, kEffectRate);
    const Mode wood[] = {
        {420.0, 0.70, 0.030}, {180.0, 0.50, 0.045}, {880.0, 0.40, 0.018}, {1500.0, 0.15, 0.010}};
    strike(s, kEffectRate, 0.0, wood, 4, 0.0025);
    woodGrain(s, kEffectRate, 16, 250.0, 2200.0, 0.014, 0.12, 0.0025, 0xC4E5u);
    tick(s, kEffectRate, 0.003, 0.35, 0.85, 0x2B9Du);
    fadeOut(s, kEffectRate, 0.05);
    synth::normalize(s, 0.8);
    return s;
}

// A short descending sweep with a fainter fifth above: a piece vanishing from the board.
Samples vanish() {
    Samples s = silence(0.5, kEffectRate);
    double phase = 0.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kEffectRate;
        const double hz = 1400.0 * std::pow(180.0 / 1400.0, t / 0.5);
        phase += kTwoPi * hz / kEffectRate;
        const double level = smoothStep(t / 0.008) * std::exp(-t / 0.22);
        s[i] = level * (std::sin(phase) + 0.3 * std::sin(2.0 * phase) +
                        0.15 * std::sin(3.0 * phase) + 0.25 * std::sin(1.5 * phase));
    }
    fadeOut(s, kEffectRate, 0.08);
    synth::normalize(s, 0.7);
    return s;
}

void put16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// Writes `s` as a mono 16-bit PCM WAV file.
bool writeWav(const std::string& path, const Samples& s, int rate) {
    std::string out;
    const auto dataBytes = static_cast<std::uint32_t>(s.size() * 2);
    out += "RIFF";
    put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, static_cast<std::uint32_t>(rate));
    put32(out, static_cast<std::uint32_t>(rate) * 2);
    put16(out, 2);
    put16(out, 16);
    out += "data";
    put32(out, dataBytes);
    for (double v : s) {
        const long q = std::lround(std::fmax(-1.0, std::fmin(1.0, v)) * 32767.0);
        put16(out, static_cast<unsigned>(q) & 0xFFFF);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    struct Sound {
        const char* file;
        Samples samples;
        int rate;
    };
    const Sound sounds[] = {{"その他.wav", chime(), kEffectRate},
                            {"禁止.wav", buzz(), kEffectRate},
                            {"駒打音.wav", shogiClack(), kEffectRate},
                            {"チェス打音.wav", chessKnock(), kEffectRate},
                            {"消滅.wav", vanish(), kEffectRate},
                            {"BGM.wav", synth::makeBgm(kMusicRate), kMusicRate}};
    for (const Sound& sound : sounds) {
        const std::string path = folder + "/" + sound.file;
        if (!writeWav(path, sound.samples, sound.rate)) {
            std::fprintf(stderr, "make-sounds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
