// CP932 (the Japanese code page of record and settings files) from the table generated out of
// the C library's converter: free of the C library's iconv, so every front end has it (the
// browser's C library has no CP932). It converts exactly as glibc's iconv does: encoding refuses
// every character CP932 cannot hold; decoding never fails, and each byte that does not start a
// valid character becomes U+FFFD, the next byte starting afresh.
#pragma once

#include "records/text_codec.h"

namespace zorvan {

class Cp932TableCodec final : public TextCodec {
public:
    bool encode(std::string_view utf8, std::string& out) const override;
    std::string decode(std::string_view bytes) const override;
};

}  // namespace zorvan
