// Game record files: three header lines (game name, the upper side's player, the lower side's
// player), then one fixed-column line of 287 characters per move holding the whole snapshot
// (board, both hands, four clocks). Text is in the Japanese code page with CR LF line ends.
#pragma once

#include <string>
#include <string_view>

#include "model/game_state.h"
#include "records/text_codec.h"

namespace zorvan {

constexpr int RECORD_LINE_WIDTH = 287;
constexpr int RECORD_MAX_MOVES = 100000;      // a longer file is refused, not loaded
constexpr double RECORD_MAX_CLOCK = 99999.0;  // the widest value a clock column holds
constexpr const char* RECORD_EXTENSION = ".棋譜";

enum class RecordError {
    None,
    NoFileName,    // the file-name box is empty
    BadFileName,   // the name holds a path separator or a character the code page lacks
    NoData,        // nothing to save (RECORD_END < 1)
    HandTooLarge,  // a hand count of 10 or more has no column in the format
    NotEncodable,  // a header has a character the code page cannot hold
    WriteFailed,   // the file could not be written; an existing record is left as it was
    ReadFailed,    // the file could not be opened or read
    TooLarge,      // more moves than RECORD_MAX_MOVES
    BadCode,       // a board cell holds no valid code
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

// Writes a file through a temporary file in the same folder that is renamed over the target only
// when it is complete, so a failed write never destroys an existing file of that name.
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

// Reads a whole file of at most `limit` bytes.
RecordError readWholeFile(const std::string& path, std::string& bytes, size_t limit);

// What a loaded record's header lines say (UTF-8), for the header display.
struct RecordHeaders {
    std::string lines[3];
};

// Parses the bytes of a record file into history entries 1..count of `g` and returns count in
// `moves`. The file is checked completely before anything is stored: a refused file leaves `g`
// untouched. Text past column 287 is ignored; a missing or non-numeric field reads as 0. Each
// move's target square and code are recovered from its snapshot and the one before (entry 0 must
// hold the starting position).
RecordError parseRecord(std::string_view bytes, const TextCodec& codec, GameState& g,
                        RecordHeaders& headers, int& moves);

// The x position (twips) at which a header text is centred over the board.
double 取得_棋譜のX座標(std::string_view text);  // x position of a record text

}  // namespace zorvan
