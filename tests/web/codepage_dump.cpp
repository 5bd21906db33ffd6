// Writes what a CP932 codec makes of every character and of every byte and byte pair, and of a
// fixed set of random texts, one line each, into the file named by its argument: built natively
// over glibc's iconv and in the browser build over the generated table, the two files must be the
// same, line for line. (A file rather than standard output: node may drop the end of a large
// output into a pipe when the program exits.)
//
//   E <code point> <bytes>      a character the codec encodes ("-" for none: left out)
//   D <bytes> <code points>     the decoding of a byte string
//   R <bytes> <bytes or "refused">   a random UTF-8 text encoded
#include <cstdint>
#include <cstdio>
#include <string>

#ifdef ZORVAN_DUMP_ICONV
#include "platform/text/cp932_codec.h"
using DumpedCodec = zorvan::Cp932Codec;
#else
#include "records/cp932_table_codec.h"
using DumpedCodec = zorvan::Cp932TableCodec;
#endif
#include "../utf8_encode.h"

using zorvan::utf8Of;

namespace {

std::string hex(const std::string& bytes) {
    if (bytes.empty()) return "-";
    std::string out;
    char b[3];
    for (const char c : bytes) {
        std::snprintf(b, sizeof b, "%02X", static_cast<unsigned char>(c));
        out += b;
    }
    return out;
}

// A small fixed generator, the same in every build.
std::uint32_t nextRandom(std::uint64_t& state) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(state >> 33);
}

void decodeLine(std::FILE* out, const DumpedCodec& codec, const std::string& bytes) {
    std::fprintf(out, "D %s %s\n", hex(bytes).c_str(), hex(codec.decode(bytes)).c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::FILE* out = argc == 2 ? std::fopen(argv[1], "wb") : nullptr;
    if (!out) {
        std::fputs("usage: zorvan-codepage-dump FILE\n", stderr);
        return 2;
    }
    const DumpedCodec codec;
    std::string bytes;
    for (std::uint32_t c = 0; c < 0x110000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        if (codec.encode(utf8Of(c), bytes)) std::fprintf(out, "E %04X %s\n", c, hex(bytes).c_str());
    }
    for (int b = 0; b < 256; ++b) decodeLine(out, codec, std::string(1, static_cast<char>(b)));
    for (int b = 0; b < 0x10000; ++b)
        decodeLine(out, codec, std::string{static_cast<char>(b >> 8), static_cast<char>(b & 0xFF)});

    // Longer byte strings, mostly from the bytes that start and end pairs, and texts mixing
    // characters CP932 holds with some it does not and with broken UTF-8.
    std::uint64_t state = 2024;
    for (int i = 0; i < 20000; ++i) {
        std::string sample;
        const int length = 1 + static_cast<int>(nextRandom(state) % 9);
        for (int k = 0; k < length; ++k) {
            const std::uint32_t r = nextRandom(state);
            const std::uint32_t pick = r % 4;
            const int b = pick == 0   ? static_cast<int>(0x81 + (r >> 8) % 0x1F)
                          : pick == 1 ? static_cast<int>(0xE0 + (r >> 8) % 0x20)
                          : pick == 2 ? static_cast<int>(0x40 + (r >> 8) % 0xC0)
                                      : static_cast<int>((r >> 8) % 0x100);
            sample += static_cast<char>(b);
        }
        decodeLine(out, codec, sample);
    }
    const std::uint32_t samples[] = {0x41,    0x3042,  0x2460,  0xFF5E, 0x301C, 0xFF76, 0x5C,  0xA5,
                                     0x1F600, 0xE0041, 0x20BB7, 0xFFFD, 0x7E,   0x2225, 0x9AD9};
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int length = 1 + static_cast<int>(nextRandom(state) % 6);
        for (int k = 0; k < length; ++k) {
            const std::uint32_t r = nextRandom(state);
            if (r % 16 == 0) {
                text += static_cast<char>(0x80 + (r >> 8) % 0x80);  // a stray byte
            } else {
                text += utf8Of(samples[(r >> 8) % (sizeof samples / sizeof samples[0])]);
            }
        }
        const bool ok = codec.encode(text, bytes);
        std::fprintf(out, "R %s %s\n", hex(text).c_str(), ok ? hex(bytes).c_str() : "refused");
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
