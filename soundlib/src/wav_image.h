// Checking and normalising WAV file images before they reach the decoder.
//
// The sound library accepts only well-formed RIFF/WAVE images holding PCM or float samples. A
// checked image is rewritten as a minimal WAV file (one fmt and one data chunk), so the decoder
// never sees odd chunks, padding or trailing bytes of the original.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zorvan::sound {

// Sample encodings the library plays.
enum class SampleKind : std::uint16_t { Pcm = 1, Float = 3 };

struct WavFormat {
    SampleKind kind = SampleKind::Pcm;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t bitsPerSample = 0;

    std::uint16_t blockAlign() const {
        return static_cast<std::uint16_t>(channels * (bitsPerSample / 8));
    }
};

// A checked image: its format and its sample bytes (whole frames only), pointing into the
// caller's memory.
struct WavImage {
    WavFormat format;
    const std::uint8_t* samples = nullptr;
    std::size_t sampleBytes = 0;

    std::size_t frames() const { return sampleBytes / format.blockAlign(); }
};

// Checks the `length` bytes at `bytes` as a WAV file. Returns nullptr and fills `out` when it is
// one the library can play; otherwise returns a text (UTF-8) saying what is wrong. Never reads
// outside [bytes, bytes + length).
const char* parseWav(const std::uint8_t* bytes, std::size_t length, WavImage& out);

// The checked image as a minimal WAV file: a 44-byte header and the sample bytes.
std::vector<std::uint8_t> canonicalWav(const WavImage& image);

}  // namespace zorvan::sound
