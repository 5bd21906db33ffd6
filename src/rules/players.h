// Which player each side is: the army that owns the shogi king 王 is SENTE and moves first.
#pragma once

#include "model/game_state.h"

namespace zorvan {

// Sets LOWER_PLAYER and UPPER_PLAYER from the board: scanning files 1..9 and ranks 1..9, the first
// -OU makes the lower side SENTE, the first -KING makes it GOTE. Neither found: both stay.
void 調査_先手後手(GameState& g);  // inspect first and second player

// A position in which a king has been taken (the last position of a finished game's record):
// takes the players from the king that stands (the owner of 王 is SENTE, of the chess king GOTE)
// and sets WINNER to its owner. Returns false, changing nothing, while both kings stand.
bool settleTakenKing(GameState& g);

}  // namespace zorvan
