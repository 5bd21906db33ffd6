// Conversion between the program's UTF-8 text and the Japanese code page of record and settings
// files. The platform provides it; the core only sees this port.
#pragma once

#include <string>
#include <string_view>

namespace zorvan {

class TextCodec {
public:
    virtual ~TextCodec() = default;
    // UTF-8 → file bytes. Returns false when the text has a character the code page cannot hold.
    virtual bool encode(std::string_view utf8, std::string& out) const = 0;
    // File bytes → UTF-8. Never fails: bytes that are not valid in the code page become U+FFFD.
    virtual std::string decode(std::string_view bytes) const = 0;
};

// A codec for tests and tools that keeps bytes as they are (ASCII-only data).
class PassThroughCodec final : public TextCodec {
public:
    bool encode(std::string_view utf8, std::string& out) const override {
        out.assign(utf8);
        return true;
    }
    std::string decode(std::string_view bytes) const override { return std::string(bytes); }
};

}  // namespace zorvan
