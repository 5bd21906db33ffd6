// The background music: a calm koto-like melody in the yo scale (D E G A B) over a soft drone,
// eight bars at 80 beats a minute (24 seconds).
//
// It loops without a seam: every sound is written into the loop circularly (a note still ringing
// at the end continues at the start), and the drone's frequencies are whole numbers of cycles per
// loop, so the last sample runs straight into the first.
#include <cmath>
#include <cstddef>
#include <iterator>

#include "sound_synth.h"

namespace synth {

namespace {

constexpr double kBeatSeconds = 0.75;  // 80 beats a minute
constexpr int kBeats = 32;             // eight bars of four
constexpr double kLoopSeconds = kBeats * kBeatSeconds;

// One pluck: when (in beats), which note (MIDI number) and how strongly.
struct Pluck {
    double beat;
    int midi;
    double velocity;
};

// The melody (A4 = 69, D5 = 74, ...) and the lower strings beneath it.
constexpr Pluck kMelody[] = {
    {0, 69, .80},  {1, 74, .75},    {2, 76, .85},  {3.5, 74, .60},                  // bar 1
    {4, 71, .75},  {6, 69, .70},                                                    // bar 2
    {8, 67, .70},  {9, 69, .70},    {10, 71, .75}, {10.5, 74, .65}, {11, 76, .80},  // bar 3
    {12, 74, .75}, {13.5, 71, .60}, {14, 69, .75},                                  // bar 4
    {16, 69, .80}, {17, 74, .75},   {18, 76, .85}, {19, 79, .80},                   // bar 5
    {20, 76, .75}, {20.5, 74, .60}, {21, 76, .80}, {23, 71, .65},                   // bar 6
    {24, 69, .75}, {25, 67, .70},   {26, 64, .70}, {27, 67, .65},                   // bar 7
    {28, 62, .80}, {28, 74, .45},                                                   // bar 8
};
constexpr Pluck kBass[] = {
    {0, 50, .45},  {2, 57, .35},  {4, 55, .45},  {6, 50, .35},  {8, 55, .45},
    {10, 52, .35}, {12, 50, .45}, {14, 57, .35}, {16, 50, .45}, {18, 57, .35},
    {20, 55, .45}, {22, 52, .35}, {24, 57, .45}, {26, 55, .35}, {28, 50, .45},
};
// The closing flourish of bar 8: a quick rising run across the strings back towards the start.
constexpr int kRun[] = {62, 64, 67, 69, 71, 74};
constexpr double kRunBeat = 30.0;
constexpr double kRunStepSeconds = 0.07;

constexpr double kRingSeconds = 6.0;  // how long a pluck is rendered before it has faded away

// Adds `v` at sample `i` of the loop, wrapping past its end.
void addAt(Samples& loop, std::size_t i, double v) {
    loop[i % loop.size()] += v;
}

// A plucked string: harmonics shaped by the pluck position, higher ones dying sooner, a click
// of the plectrum, and a gentle vibrato of the pressing hand once the note has settled.
void pluck(Samples& loop, int rate, double atSeconds, int midi, double velocity, Noise& noise) {
    constexpr int kMaxHarmonics = 12;
    constexpr double kPluckPosition = 0.18;
    const double f0 = noteHz(midi);
    const double ring = 1.9 * std::sqrt(300.0 / f0);
    double amplitude[kMaxHarmonics] = {};
    double decay[kMaxHarmonics] = {};
    double hz[kMaxHarmonics] = {};
    double phase[kMaxHarmonics] = {};
    int harmonics = 0;
    for (int k = 1; k <= kMaxHarmonics && k * f0 < 0.42 * rate; ++k, ++harmonics) {
        hz[k - 1] = k * f0 * std::sqrt(1.0 + 0.0002 * k * k);
        amplitude[k - 1] = std::fabs(std::sin(k * std::numbers::pi * kPluckPosition)) /
                           std::pow(k, 1.35 - 0.3 * velocity);
        decay[k - 1] = ring / (1.0 + 0.7 * (k - 1));
    }
    const auto start = static_cast<std::size_t>(atSeconds * rate);
    const auto length = static_cast<std::size_t>(kRingSeconds * rate);
    for (std::size_t n = 0; n < length; ++n) {
        const double t = static_cast<double>(n) / rate;
        const double vibrato =
            1.0 + 0.0025 * smoothStep((t - 0.35) / 0.5) * std::sin(kTwoPi * 5.5 * (t - 0.35));
        double v = 0.0;
        for (int k = 0; k < harmonics; ++k) {
            phase[k] += kTwoPi * hz[k] * vibrato / rate;
            v += amplitude[k] * std::exp(-t / decay[k]) * std::sin(phase[k]);
        }
        if (t < 0.01) v += 0.05 * noise.next() * std::exp(-t / 0.002);
        const double envelope = smoothStep(t / 0.002) * smoothStep((kRingSeconds - t) / 0.5);
        addAt(loop, start + n, velocity * envelope * v);
    }
}

// A soft two-voice drone on D and A whose loudness swells slowly.
void drone(Samples& loop, int rate) {
    struct Voice {
        double hz;
        double level;
        double swellPhase;
    };
    const Voice voices[] = {{noteHz(50), 0.13, 0.0},
                            {noteHz(50) + 0.25, 0.09, 1.0},
                            {noteHz(57), 0.08, 2.0},
                            {noteHz(57) - 0.2, 0.06, 3.0},
                            {noteHz(62), 0.03, 4.0}};
    for (const Voice& voice : voices) {
        // Whole cycles per loop for the tone and its swell: the loop closes on itself.
        const double hz = std::round(voice.hz * kLoopSeconds) / kLoopSeconds;
        const double swellHz = 3.0 / kLoopSeconds;
        for (std::size_t n = 0; n < loop.size(); ++n) {
            const double t = static_cast<double>(n) / rate;
            const double swell = 0.7 + 0.3 * std::sin(kTwoPi * swellHz * t + voice.swellPhase);
            const double p = kTwoPi * hz * t;
            loop[n] +=
                voice.level * swell * (std::sin(p) + 0.3 * std::sin(2 * p) + 0.1 * std::sin(3 * p));
        }
    }
}

// Two fading repeats of everything, as a room would give back, wrapped around the loop.
Samples echo(const Samples& dry, int rate) {
    struct Tap {
        double seconds;
        double gain;
    };
    const Tap taps[] = {{0.375, 0.28}, {0.75, 0.12}, {1.125, 0.05}};
    Samples wet = dry;
    for (const Tap& tap : taps) {
        const auto delay = static_cast<std::size_t>(tap.seconds * rate);
        for (std::size_t n = 0; n < dry.size(); ++n) addAt(wet, n + delay, tap.gain * dry[n]);
    }
    return wet;
}

}  // namespace

Samples makeBgm(int rate) {
    Samples strings(static_cast<std::size_t>(kLoopSeconds * rate), 0.0);
    Noise noise(0x4B07Au);
    for (const Pluck& p : kMelody) {
        pluck(strings, rate, p.beat * kBeatSeconds, p.midi, p.velocity, noise);
    }
    for (const Pluck& p : kBass)
        pluck(strings, rate, p.beat * kBeatSeconds, p.midi, p.velocity, noise);
    for (std::size_t i = 0; i < std::size(kRun); ++i) {
        const double at = kRunBeat * kBeatSeconds + kRunStepSeconds * static_cast<double>(i);
        pluck(strings, rate, at, kRun[i], 0.3 + 0.04 * static_cast<double>(i), noise);
    }
    Samples loop = echo(strings, rate);
    drone(loop, rate);
    normalize(loop, 0.5);
    return loop;
}

}  // namespace synth
