// The record reader: any bytes are read or refused without harm; a record that is read holds only
// valid codes, single-digit hand counts, clocks of at most five digits and positions the game can
// play, and written back it reads the same.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "model/game_state.h"
#include "platform/text/cp932_codec.h"
#include "records/record_file.h"

using namespace zorvan;

namespace {

// The promises checked over every move read. They steer nothing, so they are left out of the
// coverage the fuzzer follows (and out of its cost per input).
#if defined(__clang__)
__attribute__((no_sanitize("coverage")))
#endif
void checkMovesRead(const std::vector<RecordMove>& moves) {
    FUZZ_CHECK(moves.size() <= static_cast<size_t>(RECORD_MAX_MOVES));
    for (const RecordMove& m : moves) {
        // One king a side, the 王 and the chess king; only the last position may lack one.
        int kings[2][2] = {};
        for (std::int8_t code : m.cells)
            if (code == OU || code == KING || code == -OU || code == -KING)
                ++kings[code < 0][code == OU || code == -OU];
        FUZZ_CHECK(kings[0][0] + kings[0][1] <= 1 && kings[1][0] + kings[1][1] <= 1);
        FUZZ_CHECK(kings[0][0] + kings[1][0] <= 1 && kings[0][1] + kings[1][1] <= 1);
        FUZZ_CHECK(kings[0][0] + kings[0][1] + kings[1][0] + kings[1][1] >=
                   (&m == &moves.back() ? 1 : 2));
        for (std::int8_t code : m.cells) FUZZ_CHECK(code >= -KIND_COUNT && code <= KIND_COUNT);
        for (int s = 0; s < HAND_SLOTS; ++s) {
            FUZZ_CHECK(m.ownHand[s] >= 0 && m.ownHand[s] <= 9);
            FUZZ_CHECK(m.enemyHand[s] >= 0 && m.enemyHand[s] <= 9);
        }
        for (std::int32_t clock : m.clocks) FUZZ_CHECK(clock >= 0 && clock <= 99999);
    }
}

#if defined(__clang__)
__attribute__((no_sanitize("coverage")))
#endif
bool sameMoves(const std::vector<RecordMove>& a, const std::vector<RecordMove>& b) {
    return a == b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Kept from one input to the next: the game's tables are built once, not for every input.
    static const Cp932Codec codec;
    static LoadedRecord record, again;
    static GameState g;
    static std::string line, bytes;

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (readRecord(input, codec, record) != RecordError::None) {
        FUZZ_CHECK(record.moves.empty());
        return 0;
    }
    checkMovesRead(record.moves);

    // Into the game's tables and back out as move lines: the same moves again. (The first two
    // moves show it; every line is read by the same code.)
    if (record.moves.size() > 2) record.moves.resize(2);
    storeRecord(record, g);
    bytes = "a\r\nb\r\nc\r\n";
    for (int k = 1; k <= static_cast<int>(record.moves.size()); ++k) {
        FUZZ_CHECK(formatMoveLine(g, k, line) == RecordError::None);
        FUZZ_CHECK(line.size() == static_cast<size_t>(RECORD_LINE_WIDTH));
        bytes += line;
        bytes += "\r\n";
    }
    FUZZ_CHECK(readRecord(bytes, codec, again) == RecordError::None);
    FUZZ_CHECK(again.moves.size() == record.moves.size());
    FUZZ_CHECK(sameMoves(again.moves, record.moves));
    return 0;
}
