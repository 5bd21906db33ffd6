// Builds WAV file images byte by byte for the tests, including broken ones.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wavtest {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

inline void put32(Bytes& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

struct Chunk {
    std::string id;  // four characters
    Bytes body;
    std::optional<std::uint32_t> declared;  // a size field that lies, when set
};

// The fmt chunk body of a plain WAV file.
inline Bytes fmtBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                     std::uint16_t bits, std::optional<std::uint16_t> blockAlign = {}) {
    const std::uint16_t align =
        blockAlign.value_or(static_cast<std::uint16_t>(channels * bits / 8));
    Bytes b;
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * align);
    put16(b, align);
    put16(b, bits);
    return b;
}

// The fmt chunk body of a WAVE_FORMAT_EXTENSIBLE file with the given sub-format code.
inline Bytes extensibleFmtBody(std::uint16_t subformat, std::uint16_t channels, std::uint32_t rate,
                               std::uint16_t bits, std::uint8_t guidLastByte = 0x71) {
    Bytes b = fmtBody(0xFFFE, channels, rate, bits);
    put16(b, 22);    // extra bytes
    put16(b, bits);  // valid bits
    put32(b, channels == 2 ? 3 : 4);
    put16(b, subformat);
    const std::uint8_t tail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                   0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, guidLastByte};
    b.insert(b.end(), tail, tail + 14);
    return b;
}

// `frames` frames of a quiet 16-bit tone, all channels alike.
inline Bytes tone16(std::size_t frames, std::uint16_t channels, std::uint32_t rate) {
    Bytes b;
    for (std::size_t i = 0; i < frames; ++i) {
        const double v = 0.25 * std::sin(6.283185307179586 * 440.0 * static_cast<double>(i) / rate);
        const auto s = static_cast<std::int16_t>(std::lround(v * 32767.0));
        for (std::uint16_t c = 0; c < channels; ++c) put16(b, static_cast<std::uint16_t>(s));
    }
    return b;
}

// A RIFF/WAVE image of the chunks (odd bodies padded), with an optional lying RIFF size.
inline Bytes riff(const std::vector<Chunk>& chunks, std::optional<std::uint32_t> riffSize = {}) {
    Bytes body;
    for (const Chunk& c : chunks) {
        body.insert(body.end(), c.id.begin(), c.id.end());
        put32(body, c.declared.value_or(static_cast<std::uint32_t>(c.body.size())));
        body.insert(body.end(), c.body.begin(), c.body.end());
        if (c.body.size() % 2 != 0) body.push_back(0);
    }
    Bytes b = {'R', 'I', 'F', 'F'};
    put32(b, riffSize.value_or(static_cast<std::uint32_t>(4 + body.size())));
    b.insert(b.end(), {'W', 'A', 'V', 'E'});
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

// A valid 16-bit PCM WAV image.
inline Bytes pcm16Wav(std::size_t frames, std::uint16_t channels = 1, std::uint32_t rate = 22050) {
    return riff({{"fmt ", fmtBody(1, channels, rate, 16), {}},
                 {"data", tone16(frames, channels, rate), {}}});
}

}  // namespace wavtest
