#include "play/self_play.h"

#include "engine/influence.h"
#include "play/line_play.h"
#include "play/move_execution.h"
#include "records/history.h"
#include "rules/hand_rules.h"
#include "rules/players.h"
#include "search/think.h"

namespace zorvan {

namespace {

int turnedSquare(int v) {
    return 10 - v;
}

}  // namespace

Move toMove(const ComMove& m) {
    return Move{m.fromX, m.fromY, m.toX, m.toY, m.before, m.after};
}

void turnPosition(const GameState& g, GameState& t) {
    for (int x = 0; x <= 9; ++x)
        for (int y = 0; y <= 9; ++y) t.BOARD[x][y] = EMPTY;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) t.BOARD[turnedSquare(x)][turnedSquare(y)] = -g.BOARD[x][y];
    t.OWN_HAND = g.ENEMY_HAND;
    t.ENEMY_HAND = g.OWN_HAND;
    t.OWN_HAND_COUNT = g.ENEMY_HAND_COUNT;
    t.ENEMY_HAND_COUNT = g.OWN_HAND_COUNT;

    // Only the last move is read (by the en passant rule).
    t.MOVE_NO = g.MOVE_NO;
    t.ensureHistory(t.MOVE_NO);
    const auto n = static_cast<size_t>(g.MOVE_NO);
    t.MOVE_TO_X[n] = turnedSquare(g.MOVE_TO_X[n]);
    t.MOVE_TO_Y[n] = turnedSquare(g.MOVE_TO_Y[n]);
    t.MOVE_CODE[n] = -g.MOVE_CODE[n];

    t.checks = g.checks;
    t.COM_LEVEL = g.COM_LEVEL;
    t.GAME_MODE = g.GAME_MODE;
    t.WINNER = NO_SIDE;
    調査_先手後手(t);
    t.TURN = t.UPPER_PLAYER;
    調査_2歩フラグ設定(t);
    t.OWN_KING_X = t.OWN_KING_Y = t.ENEMY_KING_X = t.ENEMY_KING_Y = 0;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            const int c = t.BOARD[x][y];
            if (c == -OU || c == -KING) {
                t.OWN_KING_X = x;
                t.OWN_KING_Y = y;
            } else if (c == +OU || c == +KING) {
                t.ENEMY_KING_X = x;
                t.ENEMY_KING_Y = y;
            }
        }
    }
}

Move turnBack(const Move& m) {
    Move back = m;
    if (m.fromX == UPPER_HAND_COLUMN) {
        back.fromX = LOWER_HAND_COLUMN;  // the slot stays
    } else {
        back.fromX = turnedSquare(m.fromX);
        back.fromY = turnedSquare(m.fromY);
    }
    back.toX = turnedSquare(m.toX);
    back.toY = turnedSquare(m.toY);
    back.codeBefore = -m.codeBefore;
    back.codeAfter = -m.codeAfter;
    return back;
}

Move computerMove(GameState& g, GameState& scratch, int level, ComPorts& ports, bool& found,
                  ComMove& searched) {
    if (level >= 4) {
        // The stronger levels search for either side on the position as it stands.
        const search::Result r = search::think(g, search::levelLimits(level));
        found = r.found;
        searched = ComMove{};
        if (found) {
            searched = ComMove{r.move.fromX, r.move.fromY,      r.move.toX,
                               r.move.toY,   r.move.codeBefore, r.move.codeAfter};
            searched.score = r.score;
        }
        return r.move;
    }
    if (g.sideOf(g.TURN) == Side::Upper) {
        g.COM_LEVEL = level;
        searched = comSearch(g, ports);
        found = searched.exists();
        return toMove(searched);
    }
    turnPosition(g, scratch);
    scratch.COM_LEVEL = level;
    searched = comSearch(scratch, ports);
    found = searched.exists();
    return turnBack(toMove(searched));
}

void playComputerMove(GameState& g, Drawing& d, const Move& m) {
    const int captured = g.BOARD[m.toX][m.toY];
    駒移動(g, d, m.fromX, m.fromY, m.toX, m.toY, m.codeAfter);
    g.MOVE_NO += 1;
    手順保存(g, m.fromX, m.fromY, m.toX, m.toY, m.codeBefore, m.codeAfter, captured, g.LOWER_TIME,
             g.LOWER_TIME, g.UPPER_TIME, g.UPPER_TIME);
    g.MOVE_COUNT += 1;
    勢力調査(g);
}

SelfPlayResult selfPlay(GameState& g, const SelfPlayOptions& options, SelfPlayObserver& observer) {
    SelfPlayResult result;
    if (g.WINNER != NO_SIDE) {
        result.winner = g.WINNER;
        return result;
    }
    GameState scratch;
    Drawing silent(g);
    ComPorts quiet;
    while (result.plies < options.maxPlies) {
        const Side side = g.sideOf(g.TURN);
        if (side == Side::None) break;
        const int level = side == Side::Upper ? options.upperLevel : options.lowerLevel;
        bool found = false;
        ComMove searched;
        const Move m = computerMove(g, scratch, level, quiet, found, searched);
        if (!found) {
            // No legal move: the side to move resigns.
            result.winner = g.playerOf(side == Side::Upper ? Side::Lower : Side::Upper);
            return result;
        }
        playComputerMove(g, silent, m);
        ++result.plies;
        observer.played(result.plies, m, g);
        if (g.WINNER != NO_SIDE) {
            result.winner = g.WINNER;
            return result;
        }
        passTurn(g);
    }
    return result;
}

}  // namespace zorvan
