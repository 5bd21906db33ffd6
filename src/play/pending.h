// TEMPORARY: declarations of procedures that other parts of the game provide, with the
// signatures they will have. Removed as soon as those parts are in the tree.
#pragma once

#include "model/game_state.h"

namespace zorvan {

int 詰めかCOM(GameState& g);  // is the computer's side mated
int 詰めかMAN(GameState& g);  // is the person's side mated

}  // namespace zorvan
