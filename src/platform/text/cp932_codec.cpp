#include "platform/text/cp932_codec.h"

#include <iconv.h>

#include <cerrno>

namespace zorvan {

namespace {

// One iconv conversion descriptor for the lifetime of a call.
class Iconv {
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// Seven-bit text is the same in CP932 and UTF-8 (glibc maps 0x5C and 0x7E to themselves), so it
// needs no conversion descriptor: most names and every move line are plain ASCII.
bool isAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// Runs one conversion over `in`. An invalid or truncated sequence either stops it (returns
// false) or, with `replace`, becomes U+FFFD and the byte is skipped.
bool convert(const Iconv& cd, std::string_view input, std::string& out, bool replace) {
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t r = iconv(cd.get(), &in, &inLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r != static_cast<size_t>(-1) || errno == E2BIG) continue;
        if (!replace) return false;
        out.append(kReplacement);
        ++in;
        --inLeft;
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return true;
}

}  // namespace

bool Cp932Codec::encode(std::string_view utf8, std::string& out) const {
    out.clear();
    if (isAscii(utf8)) {
        out.assign(utf8);
        return true;
    }
    Iconv cd("CP932", "UTF-8");
    return cd.ok() && convert(cd, utf8, out, false);
}

std::string Cp932Codec::decode(std::string_view bytes) const {
    if (isAscii(bytes)) return std::string(bytes);
    Iconv cd("UTF-8", "CP932");
    if (!cd.ok()) return std::string(bytes);
    std::string out;
    convert(cd, bytes, out, true);
    return out;
}

}  // namespace zorvan
