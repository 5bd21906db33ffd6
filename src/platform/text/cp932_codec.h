// CP932 (the Japanese code page of record and settings files) through glibc iconv.
#pragma once

#include "records/text_codec.h"

namespace zorvan {

class Cp932Codec final : public TextCodec {
public:
    bool encode(std::string_view utf8, std::string& out) const override;
    std::string decode(std::string_view bytes) const override;
};

}  // namespace zorvan
