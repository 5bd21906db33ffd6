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

// Target square and code of the piece that arrived with move n, read from snapshots n - 1 and n:
// the first square (x = 1..9 outer, y = 1..9 inner) that changed and is not empty. When none
// did, x, y and code are left unchanged.
void 調査_移動結果(const GameState& g, int n, int& x, int& y, int& code);  // find a move's result

// Sets MOVE_TO_X, MOVE_TO_Y and MOVE_CODE of move n (1..) as 調査_移動結果 finds them in the
// snapshots (0, 0 and EMPTY when no square gained a piece). A loaded record has no such entries;
// with them every position of it offers the moves the live game offered (en passant reads them).
void recoverMoveTarget(GameState& g, int n);

}  // namespace zorvan
