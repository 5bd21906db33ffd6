// The six sound files our generator writes into the run folder: each is a WAV file the library
// plays, of a sensible length, neither clipped nor silent, free of clicks at its ends, and the
// music loops without a seam.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "wav_image.h"
#include "zorvan_sound.h"

namespace {

using zorvan::sound::parseWav;
using zorvan::sound::WavImage;

struct Expected {
    const char* file;
    double minSeconds;
    double maxSeconds;
    bool loops;
};

const Expected kSounds[] = {
    {"その他.wav", 0.5, 2.5, false},  {"禁止.wav", 0.15, 1.0, false},
    {"駒打音.wav", 0.05, 0.5, false}, {"チェス打音.wav", 0.05, 0.5, false},
    {"消滅.wav", 0.2, 1.5, false},    {"BGM.wav", 20.0, 30.0, true},
};

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<double> monoSamples(const WavImage& image) {
    std::vector<double> out(image.frames());
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto lo = image.samples[2 * i];
        const auto hi = image.samples[2 * i + 1];
        out[i] = static_cast<std::int16_t>(lo | (hi << 8)) / 32768.0;
    }
    return out;
}

class GeneratedSounds : public ::testing::Test {
protected:
    void SetUp() override {
        const char* dir = std::getenv("ZORVAN_SOUND_DIR");  // another folder to check, if set
        folder = dir != nullptr ? dir : ZORVAN_RUN_DIR;
    }
    std::string folder;
};

TEST_F(GeneratedSounds, AreWellMadeMono16BitSounds) {
    for (const Expected& e : kSounds) {
        SCOPED_TRACE(e.file);
        const auto bytes = readFile(folder + "/" + e.file);
        WavImage image;
        ASSERT_EQ(parseWav(bytes.data(), bytes.size(), image), nullptr);
        ASSERT_EQ(image.format.channels, 1);
        ASSERT_EQ(image.format.bitsPerSample, 16);
        const double seconds = static_cast<double>(image.frames()) / image.format.sampleRate;
        EXPECT_GE(seconds, e.minSeconds);
        EXPECT_LE(seconds, e.maxSeconds);

        const auto s = monoSamples(image);
        double peak = 0.0;
        for (const double v : s) peak = std::max(peak, std::abs(v));
        EXPECT_GT(peak, 0.2);   // clearly audible
        EXPECT_LT(peak, 0.95);  // never clipped
        if (e.loops) {
            // Across the seam the music continues as smoothly as it moves just before it: the
            // last sample, extended by its slope, lands where the first one is.
            const auto bend = [&](std::size_t i) {
                const std::size_t n = s.size();
                return std::abs(s[i % n] - (2 * s[(i + n - 1) % n] - s[(i + n - 2) % n]));
            };
            double before = 0.0;
            for (std::size_t i = s.size() - 64; i < s.size(); ++i)
                before = std::max(before, bend(i));
            EXPECT_LE(bend(0), before);
        } else {
            EXPECT_LT(std::abs(s.front()), 0.01);  // starts and ends quietly: no click
            EXPECT_LT(std::abs(s.back()), 0.01);
        }
    }
}

// How often the first 30 ms of a sound cross zero, per second: high for a bright sound.
double brightness(const std::string& path) {
    const auto bytes = readFile(path);
    WavImage image;
    if (parseWav(bytes.data(), bytes.size(), image) != nullptr) return 0.0;
    const auto s = monoSamples(image);
    const auto n = std::min(s.size(), static_cast<std::size_t>(image.format.sampleRate * 0.03));
    int crossings = 0;
    for (std::size_t i = 1; i < n; ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
    return crossings / 0.03;
}

TEST_F(GeneratedSounds, ShogiAndChessPiecesSoundClearlyDifferent) {
    EXPECT_GT(brightness(folder + "/駒打音.wav"), 1.5 * brightness(folder + "/チェス打音.wav"));
}

TEST_F(GeneratedSounds, LoadIntoTheLibrary) {
    const std::int32_t device = dsInitialize(0);
    ASSERT_NE(device, 0) << dsLastError();
    for (const Expected& e : kSounds) {
        SCOPED_TRACE(e.file);
        const auto bytes = readFile(folder + "/" + e.file);
        const std::int32_t buffer = dsCreateDSB(device, bytes.data(), bytes.size(),
                                                e.loops ? DS_FLAGS_MUSIC : DS_FLAGS_EFFECT);
        EXPECT_NE(buffer, 0) << dsLastError();
        EXPECT_EQ(e.loops ? dsPlayLooping(buffer) : dsPlay(buffer), 1);
    }
    EXPECT_EQ(dsTerminate(device), 1);
}

}  // namespace
