// Game record files: three header lines (game name, the upper side's player, the lower side's
// player), then one fixed-column line of 287 characters per move holding the whole snapshot
// (board, both hands, four clocks). Text is in the Japanese code page with CR LF line ends.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/game_state.h"
#include "records/durable_file.h"
#include "records/text_codec.h"
#include "text/catalogue.h"

namespace zorvan {

constexpr int RECORD_LINE_WIDTH = 287;
constexpr int RECORD_MAX_MOVES = 100000;      // a longer file is refused, not loaded
constexpr double RECORD_MAX_CLOCK = 99999.0;  // the widest value a clock column holds
constexpr const char* RECORD_EXTENSION = fileText(".棋譜");
// The longest header line, in bytes: a name box holds at most 32,767 characters, and the code
// page needs at most two bytes for each. A longer header line is refused.
constexpr size_t RECORD_HEADER_LIMIT = 65536;
// The largest file a record of RECORD_MAX_MOVES moves can need: three header lines and the move
// lines, each with its CR LF. A larger file is refused from its size before it is read.
constexpr size_t RECORD_FILE_LIMIT =
    3 * (RECORD_HEADER_LIMIT + 2) + static_cast<size_t>(RECORD_MAX_MOVES) * (RECORD_LINE_WIDTH + 2);

enum class RecordError {
    None,
    NoFileName,    // the file-name box is empty
    BadFileName,   // the name holds a path separator or a character the code page lacks
    NoData,        // nothing to save (RECORD_END < 1)
    HandTooLarge,  // a hand count of 10 or more has no column in the format
    NotEncodable,  // a header has a character the code page cannot hold
    NameTooLong,   // a header is longer than RECORD_HEADER_LIMIT bytes
    WriteFailed,   // the file could not be written; an existing record is left as it was
    ReadFailed,    // the file could not be opened or read
    TooLarge,      // more moves than RECORD_MAX_MOVES, a file or a header line too long
    BadCode,       // a board cell holds no valid code
    BadHand,       // a hand count is no single digit
    BadPosition,   // a side has no king or more than one, where the game could not go on
};

// Message text and title shown for a refusal.
struct RecordMessage {
    const char* text;
    const char* title;
};
RecordMessage recordErrorMessage(RecordError e);

// The names typed in the record panel (UTF-8).
struct RecordNames {
    std::string gameName;  // "対 局 名"
    std::string sente;     // "先    手"
    std::string gote;      // "後    手"
};

// Builds move line k (1..RECORD_END) from the history tables. Clocks above the widest column are
// written as 99999. Fails with HandTooLarge when a hand count does not fit its single column.
RecordError formatMoveLine(const GameState& g, int k, std::string& line);

// Builds the bytes of a whole record file of the current game.
RecordError buildRecord(const GameState& g, const RecordNames& names, const TextCodec& codec,
                        std::string& bytes);

// Turns a typed file name into the record's path inside `folder`: trims blanks, refuses an empty
// name and any path separator, and adds the extension.
RecordError recordPath(const std::string& folder, std::string_view typedName, std::string& path);

// Reads a whole file of at most `limit` bytes. A file whose size is over the limit is refused
// (TooLarge) before anything of it is read.
RecordError readWholeFile(const std::string& path, std::string& bytes, size_t limit);

// What a loaded record's header lines say (UTF-8), for the header display.
struct RecordHeaders {
    std::string lines[3];
};

// One move line as read: the 81 cells (x-major, as in the file), both hands' counts of slots
// 1..12 and the four clocks in whole seconds.
struct RecordMove {
    std::int8_t cells[81];
    std::int8_t ownHand[HAND_SLOTS];
    std::int8_t enemyHand[HAND_SLOTS];
    std::int32_t clocks[4];  // lower before, lower after, upper before, upper after
    bool operator==(const RecordMove&) const = default;
};

// A record file as read, before it reaches a game.
struct LoadedRecord {
    RecordHeaders headers;
    std::vector<RecordMove> moves;
    int refusedMove = 0;  // the move line (1 for the first) a refused file was refused at, or 0
};

// Can the game play from this snapshot? Each side has one king, the 王 on one side and the chess
// king on the other. The last snapshot of a record may lack one of them: the move that led to it
// took that king and ended the game.
bool kingsArePlayable(const RecordMove& m, bool last);

// Reads the bytes of a record file: the three header lines, decoded (once), and every move line.
// The whole file is checked; a refused file leaves `record` empty (but for refusedMove). Text past
// column 287 is ignored; a missing or non-numeric field reads as 0, a negative clock as 0. Refused:
// a code that is no piece, a hand count that is no digit, a position the game cannot play
// (kingsArePlayable).
RecordError readRecord(std::string_view bytes, const TextCodec& codec, LoadedRecord& record);

// Puts the moves of a read record into history entries 1..n of `g` (n = the number of moves).
// Each move's target square and code are recovered from its snapshot and the one before (entry 0
// must hold the starting position).
void storeRecord(const LoadedRecord& record, GameState& g);

// readRecord, then storeRecord into `g`, the count in `moves`: a refused file leaves `g`
// untouched.
RecordError parseRecord(std::string_view bytes, const TextCodec& codec, GameState& g,
                        RecordHeaders& headers, int& moves);

// The x position (twips) at which a header text is centred over the board.
double 取得_棋譜のX座標(std::string_view text);  // x position of a record text

}  // namespace zorvan
