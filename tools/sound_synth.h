// Small synthesis helpers shared by the sound generator's parts (no dependencies).
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace synth {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

using Samples = std::vector<double>;

// A deterministic noise source (xorshift32), so every build writes identical files.
class Noise {
public:
    explicit Noise(std::uint32_t key) : m_state(key != 0 ? key : 0x9E3779B9u) {}

    // A value in [-1, 1).
    double next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return static_cast<double>(m_state) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t m_state;
};

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
inline double noteHz(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// A rise from 0 to 1 along half a cosine over `length` samples (no click at a start or an end).
// Below 0 it is 0, above 1 it is 1.
inline double smoothStep(double x) {
    if (x <= 0.0) return 0.0;
    return x >= 1.0 ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * x);
}

// Scales the samples so that the loudest one has magnitude `peak`.
inline void normalize(Samples& s, double peak) {
    double top = 0.0;
    for (double v : s) top = std::fmax(top, std::fabs(v));
    if (top > 0.0) {
        for (double& v : s) v *= peak / top;
    }
}

// The background music: a seamless loop (mono, `rate` samples per second).
Samples makeBgm(int rate);

}  // namespace synth
