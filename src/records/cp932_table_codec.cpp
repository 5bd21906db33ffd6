#include "records/cp932_table_codec.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "records/cp932_table.h"

namespace zorvan {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool byFrom(const cp932::Pair& a, const cp932::Pair& b) {
    return a.from < b.from;
}

// Every character the converter encodes and its code, in the order of the characters: the
// decoding turned round (a character's first code), then the converter's own corrections.
std::vector<cp932::Pair> buildEncoding() {
    std::vector<cp932::Pair> table;
    for (int b = 0; b < 256; ++b)
        if (cp932::kSingleByte[b] != cp932::kNoCharacter)
            table.push_back({cp932::kSingleByte[b], static_cast<std::uint16_t>(b)});
    for (int first = 0; first < 256; ++first) {
        if (cp932::kPairRow[first] == 0) continue;
        const std::uint16_t* row =
            cp932::kPairs + (cp932::kPairRow[first] - 1) * cp932::kPairRowLength;
        for (int i = 0; i < cp932::kPairRowLength; ++i)
            if (row[i] != cp932::kNoCharacter)
                table.push_back({row[i], static_cast<std::uint16_t>(
                                             first << 8 | (cp932::kFirstSecondByte + i))});
    }
    std::stable_sort(table.begin(), table.end(), byFrom);
    table.erase(
        std::unique(table.begin(), table.end(),
                    [](const cp932::Pair& a, const cp932::Pair& b) { return a.from == b.from; }),
        table.end());
    for (std::size_t i = 0; i < cp932::kEncodingCorrectionCount; ++i) {
        const cp932::Pair& c = cp932::kEncodingCorrections[i];
        const auto it = std::lower_bound(table.begin(), table.end(), c, byFrom);
        if (it != table.end() && it->from == c.from) {
            it->to = c.to;
        } else {
            table.insert(it, c);
        }
    }
    for (std::size_t i = 0; i < cp932::kNotEncodedCount; ++i) {
        const cp932::Pair key{cp932::kNotEncoded[i], 0};
        const auto it = std::lower_bound(table.begin(), table.end(), key, byFrom);
        if (it != table.end() && it->from == key.from) table.erase(it);
    }
    return table;
}

// The code of character `c`, or nullptr when the converter refuses it.
const cp932::Pair* encodingOf(char32_t c) {
    static const std::vector<cp932::Pair> table = buildEncoding();
    const cp932::Pair key{static_cast<std::uint16_t>(c), 0};
    const auto it = std::lower_bound(table.begin(), table.end(), key, byFrom);
    return it != table.end() && it->from == key.from ? &*it : nullptr;
}

// The character of the pair `first`, `second`, or kNoCharacter.
std::uint16_t pairCharacter(unsigned char first, unsigned char second) {
    const int row = cp932::kPairRow[first];
    const int at = second - cp932::kFirstSecondByte;
    if (row == 0 || at < 0 || at >= cp932::kPairRowLength) return cp932::kNoCharacter;
    return cp932::kPairs[(row - 1) * cp932::kPairRowLength + at];
}

bool leftOut(char32_t c) {
    for (std::size_t i = 0; i < cp932::kLeftOutCount; ++i)
        if (c >= cp932::kLeftOut[i].first && c <= cp932::kLeftOut[i].last) return true;
    return false;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Reads one character of well-formed UTF-8 at `at` (shortest form, no surrogates, at most
// U+10FFFF) and moves past it; false for anything else.
bool nextUtf8(std::string_view s, std::size_t& at, char32_t& c) {
    const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b = byte(at);
    std::size_t length = 0;
    char32_t min = 0;
    if (b < 0x80) {
        c = b;
        ++at;
        return true;
    }
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2, c = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3, c = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4, c = b & 0x07, min = 0x10000;
    } else {
        return false;
    }
    if (s.size() - at < length) return false;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return false;
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    at += length;
    return true;
}

}  // namespace

bool Cp932TableCodec::encode(std::string_view utf8, std::string& out) const {
    out.clear();
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t c = 0;
        if (!nextUtf8(utf8, at, c)) return false;
        if (c <= 0xFFFF) {
            const cp932::Pair* p = encodingOf(c);
            if (!p) return false;
            if (p->to > 0xFF) out += static_cast<char>(p->to >> 8);
            out += static_cast<char>(p->to & 0xFF);
        } else if (!leftOut(c)) {
            return false;
        }
    }
    return true;
}

std::string Cp932TableCodec::decode(std::string_view bytes) const {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const std::uint16_t single = cp932::kSingleByte[first];
        if (single != cp932::kNoCharacter) {
            appendUtf8(out, single);
            ++at;
            continue;
        }
        const std::uint16_t pair =
            at + 1 < bytes.size() ? pairCharacter(first, static_cast<unsigned char>(bytes[at + 1]))
                                  : cp932::kNoCharacter;
        const bool found = pair != cp932::kNoCharacter;
        appendUtf8(out, found ? pair : kReplacement);
        at += found ? 2 : 1;
    }
    return out;
}

}  // namespace zorvan
