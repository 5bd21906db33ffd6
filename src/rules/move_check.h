// The rule book: whether a piece may make a move or a drop, for every shogi and chess piece of
// either side. Pure tests on the position; they change nothing and never look at whose turn it is
// or whether the mover's own king is left attacked.
#pragma once

#include "model/game_state.h"

namespace zorvan {

// Is the move legal for the piece `code` (its code before the move; for a drop the code it will
// have)? A drop is a move from column 11 (the lower hand) or -1 (the upper hand); fromY is then
// the hand slot and is not looked at. Drops of 歩 read the pawn-file flags, so whoever tests one
// refreshes them first (調査_2歩フラグ設定). Called millions of times by the computer: it allocates
// nothing and stops at the first failed condition. Answers ON or OFF.
int 移動チェック(const GameState& g, int fromX, int fromY, int toX, int toY,
                 int code);  // move check

// Diagonal path checks: the move is a diagonal and every square strictly between is empty (the
// target itself is not examined). The first serves the chess bishop and queen, the second 角.
int 移動チェックビショ(const GameState& g, int fromX, int fromY, int toX, int toY);  // bishop path
int 移動チェック角(const GameState& g, int fromX, int fromY, int toX, int toY);      // 角 path

// Orthogonal path checks: the move is along a file or a rank and every square strictly between is
// empty. The first serves the chess rook and queen, the second 飛.
int 移動チェックルーク(const GameState& g, int fromX, int fromY, int toX, int toY);  // rook path
int 移動チェック飛車(const GameState& g, int fromX, int fromY, int toX, int toY);    // 飛 path

// True when fromX names one of the two hand columns (the move is a drop).
constexpr bool isHandColumn(int x) {
    return x == LOWER_HAND_COLUMN || x == UPPER_HAND_COLUMN;
}

}  // namespace zorvan
