// Stepping through the stored snapshots (進 forward, 戻 back), starting again (最初) and turning
// the board round (反転). Stepping works on a loaded record and in a game in progress alike.
#include <utility>

#include "play/game.h"
#include "play/hooks.h"
#include "records/history.h"
#include "rules/hand_rules.h"
#include "rules/players.h"
#include "text/catalogue.h"

namespace zorvan {

namespace {

void hideRecordControls(Game& game) {
    game.描画_可視(false, false, false);
    game.描画_棋譜_IO(1);
}

// Puts snapshot n on the board, in both hands and on the clocks (those recorded after move n, so
// 進 and 戻 show the same clocks for a position), recounts the hands and draws it all.
void showSnapshot(Game& game, int n) {
    GameState& g = game.state();
    Drawing& d = game.drawing();
    const auto k = static_cast<size_t>(n);
    // A loaded record's move is known only from its snapshots.
    if (g.KIFU_MODE == ON) recoverMoveTarget(g, n);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) g.BOARD[x][y] = g.HISTORY[k][x][y];
    for (int s = 1; s <= HAND_SLOTS; ++s) {
        g.OWN_HAND[s] = g.OWN_HAND_HISTORY[k][s];
        g.ENEMY_HAND[s] = g.ENEMY_HAND_HISTORY[k][s];
    }
    g.ENEMY_HAND_COUNT = 調査_持駒数(g, g.UPPER_PLAYER);
    g.OWN_HAND_COUNT = 調査_持駒数(g, g.LOWER_PLAYER);
    g.UPPER_TIME = g.CLOCK_UPPER_AFTER[k];
    g.LOWER_TIME = g.CLOCK_LOWER_AFTER[k];
    d.描画_所有時間(g.UPPER_PLAYER, g.UPPER_TIME);
    d.描画_所有時間(g.LOWER_PLAYER, g.LOWER_TIME);
    d.描画_自持盤();
    d.描画_敵持盤();
    d.描画_盤();
}

// The piece that arrived with move n, sounded; returns the player whose move it was.
struct MoveResult {
    int x = 0, y = 0, code = EMPTY, player = NO_SIDE;
};
MoveResult soundMove(Game& game, int n) {
    const GameState& g = game.state();
    MoveResult r;
    調査_移動結果(g, n, r.x, r.y, r.code);
    game.駒移動音(r.code);
    r.player = r.code > 0 ? g.UPPER_PLAYER : g.LOWER_PLAYER;
    return r;
}

// Drops any half-entered move and stops the clock before a step.
void beginStep(Game& game) {
    game.state().CLICK_PHASE = 0;
    game.setTimer(false);
    game.drawing().描画_将棋盤桝();
}

}  // namespace

void AFTER_Click(Game& game) {
    GameState& g = game.state();
    Drawing& d = game.drawing();
    hideRecordControls(game);
    if (g.TURN == NO_SIDE) return game.refuse(tr("「対局」で始めて下さい"), tr("開始"));
    g.RESUME_PENDING = ON;
    if (g.MOVE_NO >= g.RECORD_END) {
        if (g.KIFU_MODE == ON) return game.host().message(tr("終わり"), tr("進む"));
        return game.refuse(tr("できません"), tr("進む"));
    }
    beginStep(game);
    g.MOVE_NO += 1;
    g.MOVE_COUNT += 1;
    d.描画_手数(g.MOVE_COUNT, COLOR_WHITE);
    showSnapshot(game, g.MOVE_NO);
    const MoveResult moved = soundMove(game, g.MOVE_NO);
    d.描画_移動結果(moved.player, moved.x, moved.y, moved.code, COLOR_WHITE);
    g.TURN = -g.TURN;
    d.描画_手数(g.MOVE_COUNT, COLOR_WHITE);
}

void REPLAY_Click(Game& game) {
    GameState& g = game.state();
    Drawing& d = game.drawing();
    hideRecordControls(game);
    g.RESUME_PENDING = ON;
    if (g.MOVE_NO < 1) return game.refuse(tr("できません"), tr("戻る"));
    beginStep(game);
    showSnapshot(game, g.MOVE_NO - 1);
    d.消去_移動結果(soundMove(game, g.MOVE_NO).player);
    g.MOVE_NO -= 1;
    g.MOVE_COUNT -= 1;
    g.TURN = -g.TURN;
    d.描画_手数(g.MOVE_COUNT, COLOR_WHITE);
}

void CANCEL_Click(Game& game) {
    game.初期設定();
    game.sound().play(SoundId::ShogiMove);
}

void REVERSE_Click(Game& game) {
    GameState& g = game.state();
    if (g.KIFU_MODE == ON) return game.refuse(tr("棋譜ﾓｰﾄﾞではできません"), tr("反転"));
    g.REVERSED = ON;
    g.CLICK_PHASE = 0;
    const Board old = g.BOARD;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) g.BOARD[10 - x][10 - y] = -old[x][y];
    for (int s = 1; s <= HAND_SLOTS; ++s) std::swap(g.OWN_HAND[s], g.ENEMY_HAND[s]);
    std::swap(g.OWN_HAND_COUNT, g.ENEMY_HAND_COUNT);
    // The snapshot of this move becomes the turned position: the board, and also the hands and
    // the last move's target and piece, so stepping back and forth and the en passant test see
    // the position as it now stands.
    g.ensureHistory(g.MOVE_NO);
    const auto n = static_cast<size_t>(g.MOVE_NO);
    g.HISTORY[n] = g.BOARD;
    g.OWN_HAND_HISTORY[n] = g.OWN_HAND;
    g.ENEMY_HAND_HISTORY[n] = g.ENEMY_HAND;
    if (g.MOVE_NO >= 1) {
        if (onBoard(g.MOVE_TO_X[n], g.MOVE_TO_Y[n])) {
            g.MOVE_TO_X[n] = 10 - g.MOVE_TO_X[n];
            g.MOVE_TO_Y[n] = 10 - g.MOVE_TO_Y[n];
        }
        g.MOVE_CODE[n] = -g.MOVE_CODE[n];
    }
    調査_先手後手(g);
    game.画面_再描画();
    game.drawing().描画_手数(g.MOVE_COUNT, COLOR_WHITE);
    if (g.HANDICAP_ON == ON) {
        g.HANDICAP_LEVEL = -g.HANDICAP_LEVEL;
        game.drawing().描画_ハンデレベル(g.HANDICAP_LEVEL);
    }
    game.sound().play(SoundId::ShogiMove);
    g.TURN = -g.TURN;
}

}  // namespace zorvan
