// Whose move it is, read from the history.
#pragma once

#include "model/game_state.h"

namespace zorvan {

// The player to move after n moves. For n = 0 the owner of the 王: scanning files 1..9 and ranks
// 1..9 within each, the first lower-side 王 answers LOWER_PLAYER, the first lower-side chess king
// UPPER_PLAYER (NO_SIDE with neither). For n > 0 the side that did not make move n, found from
// the first square whose code changed between HISTORY(n-1) and HISTORY(n) and is not EMPTY;
// NO_SIDE when there is no such square or n lies outside the history.
int 調査_先番(const GameState& g, int n);  // inspect whose move it is

}  // namespace zorvan
