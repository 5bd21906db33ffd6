#include "wav_image.h"

#include <cstring>

#include "zorvan_sound.h"

namespace zorvan::sound {

namespace {

const char* const kEmpty = "WAVデータがありません。";
const char* const kTooLarge = "WAVデータが大きすぎます。";
const char* const kNotWav = "WAV形式のファイルではありません。";
const char* const kTruncated = "WAVデータが途中で切れています。";
const char* const kBadFmt = "WAVデータの形式情報(fmt)が不正です。";
const char* const kUnsupported = "対応していない音声形式です。";
const char* const kNoFmt = "WAVデータに形式情報(fmt)がありません。";
const char* const kNoData = "WAVデータに音声(data)がありません。";
const char* const kTwice = "WAVデータに同じ種類のチャンクが重複しています。";

constexpr std::uint16_t kTagPcm = 1;
constexpr std::uint16_t kTagFloat = 3;
constexpr std::uint16_t kTagExtensible = 0xFFFE;

// The bytes of the KSDATAFORMAT_SUBTYPE GUIDs after their leading 16-bit format code.
constexpr std::uint8_t kSubformatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                             0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool hasTag(const std::uint8_t* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

// Little-endian writers for the canonical header; each returns the position after its bytes.
std::uint8_t* put16(std::uint8_t* p, std::uint32_t x) {
    p[0] = static_cast<std::uint8_t>(x & 0xFF);
    p[1] = static_cast<std::uint8_t>((x >> 8) & 0xFF);
    return p + 2;
}

std::uint8_t* put32(std::uint8_t* p, std::uint32_t x) {
    return put16(put16(p, x & 0xFFFF), x >> 16);
}

std::uint8_t* putTag(std::uint8_t* p, const char* tag) {
    std::memcpy(p, tag, 4);
    return p + 4;
}

// Reads a fmt chunk body of `size` bytes into `f`.
const char* parseFmt(const std::uint8_t* p, std::uint32_t size, WavFormat& f) {
    if (size < 16) return kBadFmt;
    std::uint16_t tag = le16(p);
    const std::uint16_t channels = le16(p + 2);
    const std::uint32_t rate = le32(p + 4);
    const std::uint16_t blockAlign = le16(p + 12);
    const std::uint16_t bits = le16(p + 14);
    if (tag == kTagExtensible) {
        if (size < 40 || le16(p + 16) < 22) return kBadFmt;
        if (std::memcmp(p + 26, kSubformatTail, sizeof kSubformatTail) != 0) return kUnsupported;
        tag = le16(p + 24);
    }
    if (tag == kTagPcm) {
        if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return kUnsupported;
        f.kind = SampleKind::Pcm;
    } else if (tag == kTagFloat) {
        if (bits != 32) return kUnsupported;
        f.kind = SampleKind::Float;
    } else {
        return kUnsupported;
    }
    if (channels < 1 || channels > 8) return kUnsupported;
    if (rate < 1000 || rate > 384000) return kUnsupported;
    f.channels = channels;
    f.sampleRate = rate;
    f.bitsPerSample = bits;
    if (blockAlign != f.blockAlign()) return kBadFmt;
    return nullptr;
}

}  // namespace

const char* parseWav(const std::uint8_t* bytes, std::size_t length, WavImage& out) {
    if (bytes == nullptr || length == 0) return kEmpty;
    if (length > DS_MAX_WAV_BYTES) return kTooLarge;
    if (length < 12 || !hasTag(bytes, "RIFF") || !hasTag(bytes + 8, "WAVE")) return kNotWav;
    const std::uint32_t riffSize = le32(bytes + 4);
    if (riffSize < 4 || riffSize > length - 8) return kTruncated;

    // Walk the chunks inside the RIFF; bytes after it are ignored. Every chunk must lie wholly
    // inside; a missing pad byte after the last chunk is tolerated.
    const std::size_t end = 8 + static_cast<std::size_t>(riffSize);
    std::size_t pos = 12;
    bool haveFmt = false;
    const std::uint8_t* data = nullptr;
    std::size_t dataBytes = 0;
    WavFormat format;
    while (end - pos >= 8) {
        const std::uint8_t* chunk = bytes + pos;
        const std::uint32_t size = le32(chunk + 4);
        if (size > end - pos - 8) return kTruncated;
        if (hasTag(chunk, "fmt ")) {
            if (haveFmt) return kTwice;
            if (const char* why = parseFmt(chunk + 8, size, format)) return why;
            haveFmt = true;
        } else if (hasTag(chunk, "data")) {
            if (data != nullptr) return kTwice;
            data = chunk + 8;
            dataBytes = size;
        }
        pos += 8 + static_cast<std::size_t>(size) + (size & 1u);
        if (pos >= end) break;
    }
    if (!haveFmt) return kNoFmt;
    if (data == nullptr) return kNoData;
    const std::size_t whole = dataBytes - dataBytes % format.blockAlign();
    if (whole == 0) return kNoData;
    out.format = format;
    out.samples = data;
    out.sampleBytes = whole;
    return nullptr;
}

std::vector<std::uint8_t> canonicalWav(const WavImage& image) {
    const auto n = static_cast<std::uint32_t>(image.sampleBytes);
    const std::uint32_t pad = n & 1u;
    const WavFormat& f = image.format;
    std::vector<std::uint8_t> v(44 + std::size_t{n} + pad, 0);
    std::uint8_t* p = putTag(v.data(), "RIFF");
    p = put32(p, 36 + n + pad);
    p = putTag(p, "WAVE");
    p = putTag(p, "fmt ");
    p = put32(p, 16);
    p = put16(p, static_cast<std::uint16_t>(f.kind));
    p = put16(p, f.channels);
    p = put32(p, f.sampleRate);
    p = put32(p, f.sampleRate * f.blockAlign());
    p = put16(p, f.blockAlign());
    p = put16(p, f.bitsPerSample);
    p = putTag(p, "data");
    p = put32(p, n);
    std::memcpy(p, image.samples, n);  // the pad byte, if any, stays 0
    return v;
}

}  // namespace zorvan::sound
