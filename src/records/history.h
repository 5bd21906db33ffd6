// The per-move snapshots: after every move the whole board, both hands, the target square and
// code of the moved piece and the players' clocks are kept, indexed by the move number.
#pragma once

#include "model/game_state.h"

namespace zorvan {

// Stores the snapshot of move MOVE_NO (call it after executing the move and raising MOVE_NO):
// the board, both hands, toX, toY, codeAfter and the four clock values (used time of the lower
// side before and after the move, then of the upper side). The other arguments are accepted for
// the callers' convenience and not stored. RECORD_END becomes MOVE_NO, cutting off any later
// snapshots. The tables grow as needed; a negative MOVE_NO stores nothing.
void 手順保存(GameState& g, int fromX, int fromY, int toX, int toY, int codeBefore, int codeAfter,
              int captured, double lowerBefore, double lowerAfter, double upperBefore,
              double upperAfter);  // save the move sequence

}  // namespace zorvan
