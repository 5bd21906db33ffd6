// The state the drop rules and the hands depend on: the two-pawn flags per file and hand totals.
#pragma once

#include "model/game_state.h"

namespace zorvan {

// Rebuilds OWN_PAWN_FILE and ENEMY_PAWN_FILE from the board: 1 on a file that holds an unpromoted
// 歩 of that side (と and chess pawns do not count). Run before testing a 歩 drop.
void 調査_2歩フラグ設定(GameState& g);  // set the two-pawn flags

// Number of pieces in the hand of `player` (LOWER_PLAYER → OWN_HAND, UPPER_PLAYER → ENEMY_HAND):
// the sum of the positive slot counts; 0 for any other player value.
int 調査_持駒数(const GameState& g, int player);  // count the pieces in a hand

}  // namespace zorvan
