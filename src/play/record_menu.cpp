// The record menu: writing the game to a record file from the record panel, and loading a record
// chosen in the panel's file list, after which the game is stepped through with 進 and 戻.
#include <string>

#include "play/game.h"
#include "play/hooks.h"
#include "play/turn_order.h"
#include "records/record_file.h"
#include "rules/players.h"

namespace zorvan {

namespace {

void show(Game& game, RecordError e) {
    const RecordMessage m = recordErrorMessage(e);
    game.host().message(m.text, m.title);
}

}  // namespace

void KIFU_WRITE_Click(Game& game) {
    game.描画_可視(true, true, false);
    game.描画_棋譜_IO(0);
}

void KIFU_READ_Click(Game& game) {
    game.描画_可視(true, true, true);
    game.描画_棋譜_IO(1);
}

void Command1_Click(Game& game) {
    const Host::RecordPanel panel = game.host().recordPanel();
    if (panel.fileName.empty()) return show(game, RecordError::NoFileName);
    const GameState& g = game.state();
    if (g.RECORD_END < 1) return show(game, RecordError::NoData);
    std::string path;
    if (RecordError e = recordPath(panel.folder, panel.fileName, path); e != RecordError::None)
        return show(game, e);
    std::string bytes;
    const RecordNames names{panel.gameName, panel.sente, panel.gote};
    if (RecordError e = buildRecord(g, names, game.codec(), bytes); e != RecordError::None)
        return show(game, e);
    std::string error;
    if (!writeFileAtomically(path, bytes, error)) return show(game, RecordError::WriteFailed);
    game.描画_可視(false, false, false);
    game.描画_棋譜_IO(1);
    game.host().refreshFileList();
    game.host().message("棋譜を書き込みました", "  ");
}

void File1_Click(Game& game, const std::string& path) {
    game.描画_可視(false, false, false);
    // Read and check the whole file before the game is touched: a refused file changes nothing.
    LoadedRecord record;
    {
        std::string bytes;
        RecordError e = readWholeFile(path, bytes, RECORD_FILE_LIMIT);
        if (e == RecordError::None) e = readRecord(bytes, game.codec(), record);
        if (e != RecordError::None) {
            show(game, e);
            game.resumeComputer();  // the game is as it was: a computer's turn held goes on
            return;
        }
    }
    const RecordHeaders& headers = record.headers;
    const int count = static_cast<int>(record.moves.size());

    game.初期設定();
    GameState& g = game.state();
    g.KIFU_MODE = ON;
    game.drawing().showRecordNames(headers.lines[0], headers.lines[1], headers.lines[2]);
    storeRecord(record, g);
    g.MOVE_NO = 0;
    g.MOVE_COUNT = 0;
    g.RECORD_END = count;
    if (count == 0) {
        game.host().message("棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません", "棋譜");
        return;
    }
    game.host().message(" 読み込みました", "棋譜");
    game.host().message("棋譜を '進 'で進めて下さい", "棋譜");
    調査_先手後手(g);
    g.TURN = 調査_先番(g, g.MOVE_NO);
    g.TURN = SENTE;
}

}  // namespace zorvan
