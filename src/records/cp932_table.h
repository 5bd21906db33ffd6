// The CP932 table of the record code page, generated at build time from the C library's converter
// (tools/cp932_table.py): what each byte and byte pair decodes to and what each character encodes
// to. Read through Cp932TableCodec.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zorvan::cp932 {

constexpr std::uint16_t kNoCharacter = 0xFFFF;

struct Pair {
    std::uint16_t from;
    std::uint16_t to;
};

struct Range {
    std::uint32_t first;
    std::uint32_t last;
};

// The character of each byte, or kNoCharacter for a byte that is no character of its own (the
// first byte of a pair, or a byte CP932 does not use).
extern const std::uint16_t kSingleByte[256];
// Byte pairs (first byte × 256 + second) and their characters, in the order of the pairs.
extern const Pair kDecodePairs[];
extern const std::size_t kDecodePairCount;
// Characters and their codes (one byte below 0x100, else a pair), in the order of the characters.
extern const Pair kEncodePairs[];
extern const std::size_t kEncodePairCount;
// Characters the converter leaves out of the bytes without refusing them.
extern const Range kLeftOut[];
extern const std::size_t kLeftOutCount;

}  // namespace zorvan::cp932
