#include "records/cp932_table_codec.h"

#include <algorithm>
#include <cstdint>

#include "records/cp932_table.h"

namespace zorvan {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The pair of `table` whose `from` is `key`, or null.
const cp932::Pair* find(const cp932::Pair* table, std::size_t count, std::uint32_t key) {
    const cp932::Pair* end = table + count;
    const cp932::Pair* it = std::lower_bound(
        table, end, key, [](const cp932::Pair& p, std::uint32_t k) { return p.from < k; });
    return it != end && it->from == key ? it : nullptr;
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
            const cp932::Pair* p =
                find(cp932::kEncodePairs, cp932::kEncodePairCount, static_cast<std::uint32_t>(c));
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
        const cp932::Pair* p = nullptr;
        if (at + 1 < bytes.size()) {
            const auto second = static_cast<unsigned char>(bytes[at + 1]);
            p = find(cp932::kDecodePairs, cp932::kDecodePairCount,
                     static_cast<std::uint32_t>(first << 8 | second));
        }
        appendUtf8(out, p ? p->to : kReplacement);
        at += p ? 2 : 1;
    }
    return out;
}

}  // namespace zorvan
