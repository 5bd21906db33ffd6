// The position as one line of numbers, as the page's tests read it from the module and from the
// native game driven by the same events: the 81 cells (file 1..9, within each rank 1..9), both
// hands (slots 1..12, the lower hand first), then MOVE_NO, TURN, LOWER_PLAYER, KIFU_MODE and
// WINNER.
#pragma once

#include <string>

#include "model/game_state.h"

namespace zorvan::web {

inline std::string positionText(const GameState& s) {
    std::string out;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) out += std::to_string(s.BOARD[x][y]) + " ";
    for (int slot = 1; slot <= HAND_SLOTS; ++slot) out += std::to_string(s.OWN_HAND[slot]) + " ";
    for (int slot = 1; slot <= HAND_SLOTS; ++slot) out += std::to_string(s.ENEMY_HAND[slot]) + " ";
    return out + std::to_string(s.MOVE_NO) + " " + std::to_string(s.TURN) + " " +
           std::to_string(s.LOWER_PLAYER) + " " + std::to_string(s.KIFU_MODE) + " " +
           std::to_string(s.WINNER);
}

}  // namespace zorvan::web
