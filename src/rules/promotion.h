// What may or must happen to a piece when a legal move ends: promotion of the shogi pieces (three
// rows), the chess pawn's choice of a new piece (two rows), and the dead rows on which an
// unpromoted piece could never move again.
#pragma once

#include "model/game_state.h"

namespace zorvan {

// Code the piece becomes if it promotes on this move, or EMPTY when the move cannot promote it.
// A drop never promotes; a chess pawn's default new piece is the queen. toX is not used.
int promotedCode(int fromX, int fromY, int toX, int toY, int code);

// May the move promote the piece? On ON also sets PROMOTE_CODE to the promoted code; on OFF
// PROMOTE_CODE keeps its value.
int 調査_駒成(GameState& g, int fromX, int fromY, int toX, int toY, int code);  // promotion check

// OFF when a piece with this code left unpromoted on row toY could never move again (promotion is
// compulsory), else ON. The position is not read.
int 移動後チェック(const GameState& g, int toY, int code);  // after-move (dead row) check

// ON when code is a chess pawn and toY is one of its promotion rows (the player picks the new
// piece), else OFF. Only toY and code are used.
int 調査_駒成人選(const GameState& g, int fromX, int fromY, int toX, int toY,
                  int code);  // promotion-by-choice check

}  // namespace zorvan
