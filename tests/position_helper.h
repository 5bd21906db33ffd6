// Test helper: a game between persons from a board diagram, so rule tests stay short.
//
// A diagram is 81 cells, rank 1 (the top) first, files 1..9 left to right, separated by blanks or
// line breaks. A cell is "." for an empty square or a signed kind name: "-HU", "+KING", "-SYA_N".
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>

#include "model/game_state.h"
#include "play/line_play.h"
#include "rules/players.h"
#include "ui/drawing.h"

namespace zorvan::test {

// Code of a cell such as "-HU" or "+QEEN"; EMPTY for "."; 99 for anything else.
inline int cellCode(const std::string& cell) {
    if (cell == ".") return EMPTY;
    if (cell.size() < 2 || (cell[0] != '+' && cell[0] != '-')) return 99;
    for (int kind = 1; kind <= KIND_COUNT; ++kind)
        if (kindName(kind) == std::string_view(cell).substr(1))
            return cell[0] == '-' ? -kind : kind;
    return 99;
}

// A game between persons in the diagram's position, `turn` to move, nothing in hand, no moves
// played yet (the diagram is the history's first entry). Options and players as after a new game,
// with the players taken from the board.
inline GameState position(std::string_view diagram, int turn = SENTE) {
    GameState g;
    初期設定(g);
    std::istringstream cells{std::string(diagram)};
    std::string cell;
    int n = 0;
    while (cells >> cell) {
        const int code = cellCode(cell);
        if (code == 99 || n >= 81) {
            ADD_FAILURE() << "bad diagram cell '" << cell << "' at " << n;
            return g;
        }
        g.BOARD[n % 9 + 1][n / 9 + 1] = code;
        ++n;
    }
    if (n != 81) ADD_FAILURE() << "a diagram needs 81 cells, got " << n;
    g.HISTORY[0] = g.BOARD;
    g.GAME_MODE = MODE_MAN;
    調査_先手後手(g);
    g.TURN = turn;
    return g;
}

// An empty board: every square ".", `turn` to move.
inline GameState emptyBoard(int turn = SENTE) {
    std::string dots;
    for (int i = 0; i < 81; ++i) dots += ". ";
    return position(dots, turn);
}

// Puts `code` on (x, y) and returns the state, for one-line set-ups.
inline GameState& put(GameState& g, int x, int y, int code) {
    g.BOARD[x][y] = code;
    return g;
}

// Puts `count` pieces into a hand slot and keeps the hand's total in step.
inline void giveHand(GameState& g, Side side, int slot, int count) {
    g.handOf(side)[static_cast<size_t>(slot)] += count;
    g.handCountOf(side) += count;
}

// A game between persons after `moves` in the line notation of playLine, the chess army allowed
// to drop from its hand when `chessHand`; every move must be played.
inline GameState started(const char* moves = "", bool chessHand = false) {
    GameState g;
    startGameBetweenPersons(g);
    g.checks.CHESS_MOCHIKOMA = chessHand;
    Drawing silent(g);
    EXPECT_EQ(playLine(g, silent, moves), 0) << moves;
    return g;
}

}  // namespace zorvan::test
