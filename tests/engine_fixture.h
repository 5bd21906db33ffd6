// Positions and probes for the computer player's tests: a board from a list of pieces, one
// candidate scored as the search scores it, and every candidate of a search with its score.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/evaluation.h"
#include "engine/influence.h"
#include "engine/search.h"
#include "model/game_state.h"
#include "position_helper.h"
#include "rules/legal_moves.h"
#include "rules/players.h"

namespace zorvan::test {

struct Put {
    int x, y, code;
};

// A game against the computer with only these pieces on the board, empty hands and the computer
// (upper side) to move.
inline GameState position(std::initializer_list<Put> pieces, int level = 3) {
    GameState g = emptyBoard();
    for (const Put& p : pieces) g.BOARD[p.x][p.y] = p.code;
    g.HISTORY[0] = g.BOARD;
    調査_先手後手(g);
    g.GAME_MODE = MODE_COM;
    g.TURN = g.UPPER_PLAYER;
    g.COM_LEVEL = level;
    勢力調査(g);
    return g;
}

// Puts n pieces of a slot into a hand, keeping the total in step.
inline void give(GameState& g, Side side, int slot, int n = 1) {
    g.handOf(side)[slot] += n;
    g.handCountOf(side) += n;
}

// Scores one candidate of the computer as the search does: the opening surveys, the move made on
// the board (with code P on the target), the influence rebuilt, the evaluation, the board put back.
// A drop is written from (UPPER_HAND_COLUMN, slot). KING_DISTANCE is that of the origin for a
// board move and `dropDistance` for a drop.
inline double score(GameState& g, int x, int y, int x2, int y2, int P, int dropDistance = 0) {
    prepareSearch(g);
    const bool drop = x == UPPER_HAND_COLUMN;
    const int piece = drop ? P : g.BOARD[x][y];
    const int captured = g.BOARD[x2][y2];
    g.com.TRY_PIECE = piece;
    g.com.KING_DISTANCE =
        drop ? dropDistance : std::max(std::abs(x - g.OWN_KING_X), std::abs(y - g.OWN_KING_Y));
    if (!drop) g.BOARD[x][y] = EMPTY;
    g.BOARD[x2][y2] = P;
    勢力調査(g);
    const double s = 盤評価(g, captured, P, x, y, x2, y2);
    g.BOARD[x2][y2] = captured;
    if (!drop) g.BOARD[x][y] = piece;
    return s;
}

// The same candidate scored at another level.
inline double scoreAt(GameState& g, int level, int x, int y, int x2, int y2, int P,
                      int dropDistance = 0) {
    const int kept = g.COM_LEVEL;
    g.COM_LEVEL = level;
    const double s = score(g, x, y, x2, y2, P, dropDistance);
    g.COM_LEVEL = kept;
    return s;
}

// One scored candidate of a search.
struct Scored {
    Move move;
    double score;
};

// Records every candidate the search scores.
class Recorder : public ComPorts {
public:
    std::vector<Scored> list;
    int ticks = 0;
    void tick() override { ++ticks; }
    void scored(int fromX, int fromY, int toX, int toY, int before, int code, double s) override {
        list.push_back({Move{fromX, fromY, toX, toY, before, code}, s});
    }
    // The score of a candidate by its written form; fails the test when it was not scored.
    double of(const std::string& text) const {
        for (const Scored& c : list)
            if (formatMove(c.move) == text) return c.score;
        ADD_FAILURE() << text << " was not scored";
        return 0;
    }
    bool has(const std::string& text) const {
        for (const Scored& c : list)
            if (formatMove(c.move) == text) return true;
        return false;
    }
};

}  // namespace zorvan::test
