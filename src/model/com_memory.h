// What the computer player remembers during one of its turns: the position and influence maps as
// they were before it moved, the maps its surveys fill once per turn, and the piece being tried.
// Plain data owned by the GameState; every turn of the computer overwrites it.
#pragma once

#include <array>

#include "model/influence_maps.h"

namespace zorvan {

struct ComMemory {
    // --- snapshots taken before the first candidate ---
    SquareMap BOARD_BEFORE{};          // the board before the computer's move
    SquareMap OWN_INFLUENCE_BEFORE{};  // influence maps of the position before the move
    SquareMap ENEMY_INFLUENCE_BEFORE{};
    SquareMap ENEMY_ATTACKER_X_BEFORE{};
    SquareMap ENEMY_ATTACKER_Y_BEFORE{};
    int ESCAPE_BASE = 0;              // flight squares of the person's king before the move
    int ENEMY_HAND_COUNT_BEFORE = 0;  // pieces in the computer's hand before the move

    // --- maps filled once per turn by the surveys ---
    SquareMap BISHOP_CHECK_MAP{};  // 1: a person's 角 here would check the computer's king
    SquareMap OWN_PINNED_MAP{};    // 1: a person's piece shielding its king from a line piece
    SquareMap ENEMY_PINNED_MAP{};  // 1: a computer piece shielding its king the same way
    int ENEMY_PINNED = 0;          // ON when ENEMY_PINNED_MAP has any 1

    // --- the candidate being tried ---
    int TRY_PIECE = 0;      // code of the tried piece before promotion (or the dropped code)
    int KING_DISTANCE = 0;  // king steps from the tried board move's origin to the person's king
};

}  // namespace zorvan
