// The record panel's checks of what is typed: the file name becomes a path inside the folder or is
// refused, and names that are accepted make a record whose header lines read back as written.
// The input is up to four texts separated by NUL bytes: file name, game name, both players.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "model/game_state.h"
#include "platform/text/cp932_codec.h"
#include "records/record_file.h"

using namespace zorvan;

namespace {

// True when `text` is well-formed UTF-8.
bool isUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t n = c < 0x80         ? 1
                         : (c >> 5) == 6  ? 2
                         : (c >> 4) == 14 ? 3
                         : (c >> 3) == 30 ? 4
                                          : 0;
        if (n == 0 || i + n > text.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

void checkFileName(std::string_view typed) {
    static const std::string folder = "/records";
    std::string path;
    const RecordError e = recordPath(folder, typed, path);
    if (e != RecordError::None) {
        FUZZ_CHECK(e == RecordError::NoFileName || e == RecordError::BadFileName);
        return;
    }
    const std::string_view ext = RECORD_EXTENSION;
    FUZZ_CHECK(path.size() > folder.size() + 1 + ext.size());
    FUZZ_CHECK(path.compare(0, folder.size() + 1, folder + "/") == 0);
    FUZZ_CHECK(path.compare(path.size() - ext.size(), ext.size(), ext) == 0);
    const std::string_view name = std::string_view(path).substr(
        folder.size() + 1, path.size() - folder.size() - 1 - ext.size());
    FUZZ_CHECK(name != "." && name != "..");
    FUZZ_CHECK(name.find_first_of("/\\") == std::string_view::npos);
    for (char c : name) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20);
    // The name is what was typed, blanks around it aside: a typed text stays whole.
    FUZZ_CHECK(typed.find(name) != std::string_view::npos);
    if (isUtf8(typed)) FUZZ_CHECK(isUtf8(name));
}

void checkNames(const RecordNames& names) {
    static const Cp932Codec codec;
    static GameState g = [] {
        GameState s;
        初期設定(s);
        s.RECORD_END = 1;
        s.HISTORY[1] = s.HISTORY[0];
        return s;
    }();
    static std::string bytes, encoded, reencoded;
    static LoadedRecord record;
    const RecordError e = buildRecord(g, names, codec, bytes);
    if (e != RecordError::None) {
        FUZZ_CHECK(e == RecordError::NotEncodable || e == RecordError::NameTooLong);
        return;
    }
    FUZZ_CHECK(readRecord(bytes, codec, record) == RecordError::None);
    FUZZ_CHECK(record.moves.size() == 1);
    // Line 1 is the game name; with the first player below, line 3 is the first player's.
    const std::string* written[3] = {&names.gameName, &names.gote, &names.sente};
    if (g.LOWER_PLAYER != SENTE) std::swap(written[1], written[2]);
    for (int i = 0; i < 3; ++i) {
        FUZZ_CHECK(codec.encode(*written[i], encoded));
        FUZZ_CHECK(codec.encode(record.headers.lines[i], reencoded));
        FUZZ_CHECK(encoded == reencoded);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view part[4];
    for (int i = 0; i < 4; ++i) {
        const size_t end = i < 3 ? input.find('\0') : std::string_view::npos;
        part[i] = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    }
    checkFileName(part[0]);
    checkNames({std::string(part[1]), std::string(part[2]), std::string(part[3])});
    return 0;
}
