// Carrying out a move that has already been found legal: captures into the captor's hand, the
// origin cleared (a square or a hand slot), the piece placed with its final code, the rook of a
// castling king, the lower king's square, and the cells and hands it touched redrawn.
#pragma once

#include "model/game_state.h"
#include "ui/drawing.h"

namespace zorvan {

// Executes one legal move. fromX 1..9 is a board square, 11 a drop from the lower hand and -1 a
// drop from the upper hand (fromY = the hand slot); code is the code the piece has after the move
// (already promoted or chosen). A chess pawn's diagonal step onto an empty square (en passant) also
// takes the passed pawn beside it into the captor's hand. A captured king sets WINNER; the game is
// not stopped here. TURN, MOVE_NO and the history are the caller's. Coordinates that name no
// square or slot leave everything unchanged.
void 駒移動(GameState& g, Drawing& d, int fromX, int fromY, int toX, int toY,
            int code);  // move a piece

// Files a captured code into the captor's hand (a promoted shogi piece under its base kind), or
// for a king records the captor as WINNER. Does not change the hand totals.
void 駒取得(GameState& g, int captured);  // take a piece

}  // namespace zorvan
