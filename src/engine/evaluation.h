// The computer's board evaluation: the score of one candidate move, made on BOARD with the
// influence maps rebuilt for it. Larger is better for the computer (the upper side).
#pragma once

#include "model/game_state.h"

namespace zorvan {

// Scores returned before any other term is looked at.
constexpr double SCORE_KING_TAKEN = 9999;  // the move captures the person's king
constexpr double SCORE_MATE = 9998;        // the person's king has no way out
constexpr double SCORE_REFUSED = -9998;    // the computer's king left attacked, or mate by a 歩

// Board evaluation of the candidate that moved a piece from (x, y) (x = -1 and y = the hand slot
// for a drop) to (x2, y2), capturing `captured` (EMPTY for none), P being the code now standing on
// (x2, y2). The terms used depend on COM_LEVEL. Reads the per-turn memory in g.com.
double 盤評価(GameState& g, int captured, int P, int x, int y, int x2, int y2);

// The piece-by-piece knowledge used at the strongest level: the block of P applied to the running
// score S; returns the final score of the evaluation.
double 盤評価_駒別(GameState& g, double S, int captured, int P, int x, int y, int x2, int y2);

}  // namespace zorvan
