// The CP932 table of the record code page, generated at build time from the C library's converter
// (tools/cp932_table.py): what each byte and byte pair decodes to and what each character encodes
// to. Read through Cp932TableCodec.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zorvan::cp932 {

constexpr std::uint16_t kNoCharacter = 0xFFFF;

// The second bytes of pairs run from 0x40 to 0xFC.
constexpr int kFirstSecondByte = 0x40;
constexpr int kPairRowLength = 0xFC - 0x40 + 1;

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
// For each first byte, its row of kPairs plus one (0: the byte starts no pair). A row holds the
// characters of the pairs with the second bytes kFirstSecondByte.. in turn (kNoCharacter where
// the pair is none).
extern const std::uint8_t kPairRow[256];
extern const std::uint16_t kPairs[];

// Encoding: each character to the first code (one byte, or first byte × 256 + second) that
// decodes to it, except for these characters (in their order), which the converter encodes to
// the code given...
extern const Pair kEncodingCorrections[];
extern const std::size_t kEncodingCorrectionCount;
// ...and these characters, which it refuses although a code decodes to them.
extern const std::uint16_t kNotEncoded[];
extern const std::size_t kNotEncodedCount;
// Characters the converter leaves out of the bytes without refusing them.
extern const Range kLeftOut[];
extern const std::size_t kLeftOutCount;

}  // namespace zorvan::cp932
