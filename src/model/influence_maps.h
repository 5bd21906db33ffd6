// The influence maps: for every square, how many pieces of each side bear on it, the cheapest guard
// and attacker and where they stand, and the check lines. Rebuilt from BOARD by the influence
// survey and read by the mate tests and the computer player.
#pragma once

#include <array>

namespace zorvan {

using SquareMap = std::array<std::array<int, 10>, 10>;  // [x][y], squares 1..9

// Marks of the check maps.
constexpr int CHECK_PIECE = 9;  // a piece that attacks the opposing king
constexpr int CHECK_PATH = 1;   // a square strictly between a checking line piece and that king

struct InfluenceMaps {
    SquareMap OWN_INFLUENCE{};     // number of lower-side pieces bearing on the square
    SquareMap ENEMY_INFLUENCE{};   // the same for the upper side
    SquareMap OWN_GUARD_CODE{};    // on a lower piece: lowest lower code guarding it; 999 none
    SquareMap ENEMY_GUARD_CODE{};  // on an upper piece: lowest upper code guarding it; 999 none
    SquareMap ENEMY_GUARD_X{};     // where that upper guard stands
    SquareMap ENEMY_GUARD_Y{};
    SquareMap OWN_ATTACKER_CODE{};  // on an upper piece: highest lower code attacking it; -999 none
    SquareMap OWN_ATTACKER_X{};     // where that lower attacker stands
    SquareMap OWN_ATTACKER_Y{};
    SquareMap ENEMY_ATTACKER_CODE{};  // on a lower piece: lowest upper code attacking it; 999 none
    SquareMap ENEMY_ATTACKER_X{};     // where that upper attacker stands
    SquareMap ENEMY_ATTACKER_Y{};
    SquareMap OWN_CHECK_MAP{};    // lower pieces checking the upper king, and their lines
    SquareMap ENEMY_CHECK_MAP{};  // upper pieces checking the lower king, and their lines
    SquareMap ESCAPE_MAP{};       // work area of the lower king's escape count
};

}  // namespace zorvan
