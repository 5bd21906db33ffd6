// Which player each side is: the army that owns the shogi king 王 is SENTE and moves first.
#pragma once

#include "model/game_state.h"

namespace zorvan {

// Sets LOWER_PLAYER and UPPER_PLAYER from the board: scanning files 1..9 and ranks 1..9, the first
// -OU makes the lower side SENTE, the first -KING makes it GOTE. Neither found: both stay.
void 調査_先手後手(GameState& g);  // inspect first and second player

}  // namespace zorvan
