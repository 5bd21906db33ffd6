// Checking of WAV images: what is accepted, what is refused, and that nothing is read past the
// end of an image whatever its bytes say.
#include "wav_image.h"

#include <gtest/gtest.h>

#include <random>

#include "wav_builder.h"
#include "zorvan_sound.h"

namespace {

using namespace wavtest;
using zorvan::sound::canonicalWav;
using zorvan::sound::parseWav;
using zorvan::sound::SampleKind;
using zorvan::sound::WavImage;

// Parses a heap copy of exactly the image's size, so that any over-read is caught by ASan.
const char* parse(const Bytes& image, WavImage& out) {
    const std::vector<std::uint8_t> exact(image.begin(), image.end());
    const char* why = parseWav(exact.empty() ? nullptr : exact.data(), exact.size(), out);
    if (why == nullptr) {  // the samples must point into the copy
        EXPECT_GE(out.samples, exact.data());
        EXPECT_LE(out.samples + out.sampleBytes, exact.data() + exact.size());
        out.samples = image.data() + (out.samples - exact.data());
    }
    return why;
}

struct Accepted {
    const char* name;
    Bytes image;
    SampleKind kind;
    std::uint16_t channels;
    std::uint16_t bits;
    std::size_t frames;
};

std::vector<Accepted> acceptedImages() {
    const Bytes pcm8 = Bytes(101, 0x80);  // 101 frames of 8-bit mono: odd size, padded
    const Bytes stereo24(6 * 10, 0);
    return {
        {"pcm16_mono", pcm16Wav(100), SampleKind::Pcm, 1, 16, 100},
        {"pcm16_stereo", pcm16Wav(100, 2), SampleKind::Pcm, 2, 16, 100},
        {"pcm8_odd_size", riff({{"fmt ", fmtBody(1, 1, 8000, 8), {}}, {"data", pcm8, {}}}),
         SampleKind::Pcm, 1, 8, 101},
        {"pcm24_stereo", riff({{"fmt ", fmtBody(1, 2, 48000, 24), {}}, {"data", stereo24, {}}}),
         SampleKind::Pcm, 2, 24, 10},
        {"float32", riff({{"fmt ", fmtBody(3, 1, 44100, 32), {}}, {"data", Bytes(40, 0), {}}}),
         SampleKind::Float, 1, 32, 10},
        {"extensible_pcm",
         riff({{"fmt ", extensibleFmtBody(1, 2, 44100, 16), {}}, {"data", Bytes(40, 0), {}}}),
         SampleKind::Pcm, 2, 16, 10},
        {"other_chunks_skipped",
         riff({{"LIST", Bytes(7, 'x'), {}},
               {"fmt ", fmtBody(1, 1, 22050, 16), {}},
               {"fact", Bytes(4, 0), {}},
               {"data", tone16(50, 1, 22050), {}}}),
         SampleKind::Pcm, 1, 16, 50},
        {"data_before_fmt",
         riff({{"data", Bytes(20, 0), {}}, {"fmt ", fmtBody(1, 1, 8000, 16), {}}}), SampleKind::Pcm,
         1, 16, 10},
        {"partial_last_frame_dropped",
         riff({{"fmt ", fmtBody(1, 2, 22050, 16), {}}, {"data", Bytes(4 * 7 + 3, 0), {}}}),
         SampleKind::Pcm, 2, 16, 7},
    };
}

TEST(WavImage, AcceptsWellFormedImages) {
    for (const Accepted& c : acceptedImages()) {
        SCOPED_TRACE(c.name);
        WavImage image;
        ASSERT_EQ(parse(c.image, image), nullptr);
        EXPECT_EQ(image.format.kind, c.kind);
        EXPECT_EQ(image.format.channels, c.channels);
        EXPECT_EQ(image.format.bitsPerSample, c.bits);
        EXPECT_EQ(image.frames(), c.frames);
        EXPECT_EQ(image.sampleBytes, c.frames * image.format.blockAlign());
    }
}

TEST(WavImage, IgnoresBytesAfterTheRiffAndAMissingFinalPad) {
    Bytes trailing = pcm16Wav(10);
    trailing.insert(trailing.end(), {'j', 'u', 'n', 'k', 0xFF, 0xFF, 0xFF, 0xFF});
    Bytes unpadded = riff({{"fmt ", fmtBody(1, 1, 8000, 8), {}}, {"data", Bytes(9, 0x80), {}}});
    unpadded.pop_back();                                       // the pad byte
    unpadded[4] = static_cast<std::uint8_t>(unpadded[4] - 1);  // RIFF size without it
    for (const Bytes& b : {trailing, unpadded}) {
        WavImage image;
        EXPECT_EQ(parse(b, image), nullptr);
    }
}

struct Refused {
    const char* name;
    Bytes image;
};

std::vector<Refused> refusedImages() {
    const Bytes fmt16 = fmtBody(1, 1, 22050, 16);
    const Bytes data = tone16(20, 1, 22050);
    Bytes rifx = pcm16Wav(10);
    rifx[3] = 'X';
    Bytes wavNotWave = pcm16Wav(10);
    wavNotWave[8] = 'A';
    return {
        {"empty", {}},
        {"shorter_than_header", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V'}},
        {"text", Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!'}},
        {"big_endian_riff", rifx},
        {"not_wave", wavNotWave},
        {"riff_size_beyond_end", riff({{"fmt ", fmt16, {}}, {"data", data, {}}}, 0x7FFFFFF0u)},
        {"riff_size_too_small", riff({{"fmt ", fmt16, {}}, {"data", data, {}}}, 2)},
        {"data_size_beyond_end", riff({{"fmt ", fmt16, {}}, {"data", data, 0xFFFFFFF0u}})},
        {"data_size_one_past_end", riff({{"fmt ", fmt16, {}}, {"data", data, 41u}})},
        {"fmt_size_beyond_end", riff({{"fmt ", fmt16, 0x10000u}, {"data", data, {}}})},
        {"fmt_too_short",
         riff({{"fmt ", Bytes(fmt16.begin(), fmt16.begin() + 14), {}}, {"data", data, {}}})},
        {"adpcm", riff({{"fmt ", fmtBody(2, 1, 22050, 4, 256), {}}, {"data", data, {}}})},
        {"mulaw", riff({{"fmt ", fmtBody(7, 1, 8000, 8), {}}, {"data", data, {}}})},
        {"pcm12", riff({{"fmt ", fmtBody(1, 1, 22050, 12, 2), {}}, {"data", data, {}}})},
        {"float64", riff({{"fmt ", fmtBody(3, 1, 22050, 64), {}}, {"data", Bytes(64, 0), {}}})},
        {"no_channels", riff({{"fmt ", fmtBody(1, 0, 22050, 16, 2), {}}, {"data", data, {}}})},
        {"nine_channels",
         riff({{"fmt ", fmtBody(1, 9, 22050, 16), {}}, {"data", Bytes(36, 0), {}}})},
        {"rate_zero", riff({{"fmt ", fmtBody(1, 1, 0, 16), {}}, {"data", data, {}}})},
        {"rate_absurd", riff({{"fmt ", fmtBody(1, 1, 0xFFFFFFFFu, 16), {}}, {"data", data, {}}})},
        {"block_align_wrong",
         riff({{"fmt ", fmtBody(1, 2, 22050, 16, 2), {}}, {"data", data, {}}})},
        {"extensible_unknown_guid",
         riff({{"fmt ", extensibleFmtBody(1, 1, 22050, 16, 0x72), {}}, {"data", data, {}}})},
        {"extensible_too_short",
         riff({{"fmt ", fmtBody(0xFFFE, 1, 22050, 16), {}}, {"data", data, {}}})},
        {"no_fmt", riff({{"data", data, {}}})},
        {"no_data", riff({{"fmt ", fmt16, {}}})},
        {"empty_data", riff({{"fmt ", fmt16, {}}, {"data", {}, {}}})},
        {"less_than_one_frame",
         riff({{"fmt ", fmtBody(1, 2, 22050, 16), {}}, {"data", Bytes(3, 0), {}}})},
        {"two_fmt", riff({{"fmt ", fmt16, {}}, {"fmt ", fmt16, {}}, {"data", data, {}}})},
        {"two_data", riff({{"fmt ", fmt16, {}}, {"data", data, {}}, {"data", data, {}}})},
    };
}

TEST(WavImage, RefusesBrokenImagesWithAReason) {
    for (const Refused& c : refusedImages()) {
        SCOPED_TRACE(c.name);
        WavImage image;
        const char* why = parse(c.image, image);
        ASSERT_NE(why, nullptr);
        EXPECT_STRNE(why, "");
    }
}

TEST(WavImage, RefusesANullPointerWhateverTheLength) {
    WavImage image;
    EXPECT_NE(parseWav(nullptr, 1000, image), nullptr);
}

TEST(WavImage, RefusesImagesLargerThanTheLimit) {
    Bytes huge = pcm16Wav(10);
    huge.resize(std::size_t{DS_MAX_WAV_BYTES} + 1, 0);
    WavImage image;
    EXPECT_NE(parseWav(huge.data(), huge.size(), image), nullptr);
}

TEST(WavImage, RefusesEveryTruncationOfAValidImage) {
    const Bytes full = riff({{"LIST", Bytes(5, 'x'), {}},
                             {"fmt ", fmtBody(1, 2, 22050, 16), {}},
                             {"data", tone16(8, 2, 22050), {}}});
    for (std::size_t n = 0; n < full.size(); ++n) {
        WavImage image;
        EXPECT_NE(parse(Bytes(full.begin(), full.begin() + static_cast<long>(n)), image), nullptr)
            << "length " << n;
    }
}

// Random bytes behind a genuine RIFF/WAVE header, some with a real fmt chunk in front: each is
// either refused or accepted with its samples inside the image (checked in `parse`).
TEST(WavImage, SurvivesRandomChunks) {
    std::mt19937 rng(20240611u);
    const Bytes fmt = riff({{"fmt ", fmtBody(1, 1, 22050, 16), {}}});
    for (int round = 0; round < 3000; ++round) {
        Bytes b = round % 2 == 0 ? fmt : Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
        const std::size_t extra = rng() % 120;
        for (std::size_t i = 0; i < extra; ++i) b.push_back(static_cast<std::uint8_t>(rng()));
        if (rng() % 3 == 0 && b.size() >= 20)
            b.insert(b.begin() + 12 + rng() % 8, {'d', 'a', 't', 'a'});
        const auto riffSize = rng() % 4 == 0 ? static_cast<std::uint32_t>(rng())
                                             : static_cast<std::uint32_t>(b.size() - 8);
        for (int k = 0; k < 4; ++k) b[4 + k] = static_cast<std::uint8_t>(riffSize >> (8 * k));
        WavImage image;
        parse(b, image);
    }
}

TEST(WavImage, CanonicalFormKeepsFormatAndSamples) {
    for (const Accepted& c : acceptedImages()) {
        SCOPED_TRACE(c.name);
        WavImage image;
        ASSERT_EQ(parse(c.image, image), nullptr);
        const Bytes canonical = canonicalWav(image);
        EXPECT_EQ(canonical.size(), 44 + image.sampleBytes + image.sampleBytes % 2);
        WavImage again;
        ASSERT_EQ(parse(canonical, again), nullptr);
        EXPECT_EQ(again.format.kind, image.format.kind);
        EXPECT_EQ(again.format.channels, image.format.channels);
        EXPECT_EQ(again.format.sampleRate, image.format.sampleRate);
        EXPECT_EQ(again.format.bitsPerSample, image.format.bitsPerSample);
        ASSERT_EQ(again.sampleBytes, image.sampleBytes);
        EXPECT_TRUE(std::equal(image.samples, image.samples + image.sampleBytes, again.samples));
    }
}

}  // namespace
