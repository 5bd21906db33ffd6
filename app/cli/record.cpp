// Record files from the command line: `record FILE` writes the game given by the position
// options, and the shared helpers load a record as a starting position or save a finished game.
#include <cstdio>
#include <string>

#include "cli.h"
#include "position.h"
#include "records/cp932_table_codec.h"
#include "records/record_file.h"

namespace zorvan::cli {

namespace {

const char* reason(RecordError e) {
    switch (e) {
        case RecordError::None:
            return "";
        case RecordError::NoFileName:
            return "no file name";
        case RecordError::BadFileName:
            return "the file name cannot be used";
        case RecordError::NoData:
            return "there are no moves to save";
        case RecordError::HandTooLarge:
            return "a hand holds 10 or more pieces of a kind";
        case RecordError::NotEncodable:
            return "a name has a character the record cannot hold";
        case RecordError::NameTooLong:
            return "a name is too long";
        case RecordError::WriteFailed:
            return "the file could not be written";
        case RecordError::ReadFailed:
            return "the file could not be read";
        case RecordError::TooLarge:
            return "the record is too long";
        case RecordError::BadCode:
            return "the record holds a code that is no piece";
        case RecordError::BadHand:
            return "the record holds a hand count that is no single digit";
        case RecordError::BadPosition:
            return "the record holds a position without a side's king or with two kings of a side";
    }
    return "";
}

}  // namespace

int loadRecordFile(const std::string& path, GameState& g, int& moves) {
    std::string bytes;
    RecordError e = readWholeFile(path, bytes, RECORD_FILE_LIMIT);
    LoadedRecord record;
    const Cp932TableCodec codec;
    if (e == RecordError::None) e = readRecord(bytes, codec, record);
    if (e != RecordError::None) {
        std::string where = path + ": ";
        if (record.refusedMove > 0) where += "move " + std::to_string(record.refusedMove) + ": ";
        return usageError(where + reason(e));
    }
    storeRecord(record, g);
    moves = static_cast<int>(record.moves.size());
    return 0;
}

int saveRecordFile(const std::string& path, const GameState& g, const RecordNames& names) {
    const Cp932TableCodec codec;
    std::string bytes;
    if (const RecordError e = buildRecord(g, names, codec, bytes); e != RecordError::None)
        return usageError(path + ": " + reason(e));
    std::string error;
    if (!writeFileAtomically(path, bytes, error))
        return usageError(path + ": " + reason(RecordError::WriteFailed));
    return 0;
}

int runRecord(const Args& args) {
    GameState g;
    Args rest;
    if (const int status = setUpPosition(args, g, rest)) return status;
    std::string path;
    RecordNames names;
    for (size_t i = 0; i < rest.size(); ++i) {
        std::string* value = nullptr;
        if (rest[i] == "--name") value = &names.gameName;
        if (rest[i] == "--sente") value = &names.sente;
        if (rest[i] == "--gote") value = &names.gote;
        if (value) {
            if (i + 1 >= rest.size()) return usageError("record: " + rest[i] + " needs a value");
            *value = rest[++i];
        } else if (path.empty() && !rest[i].empty() && rest[i][0] != '-') {
            path = rest[i];
        } else {
            return usageError("record: unexpected argument '" + rest[i] + "'");
        }
    }
    if (path.empty()) return usageError("record: which file?");
    if (const int status = saveRecordFile(path, g, names)) return status;
    std::printf("wrote %s: %d moves\n", path.c_str(), g.RECORD_END);
    return 0;
}

}  // namespace zorvan::cli
