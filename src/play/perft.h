// Counting the move tree of a position: the number of lines of play of a given length, the
// standard check that move generation and execution agree with the rules.
#pragma once

#include <cstdint>
#include <vector>

#include "model/game_state.h"
#include "rules/legal_moves.h"

namespace zorvan {

// Deepest tree perft counts (each ply needs its own move list).
constexpr int PERFT_MAX_DEPTH = 32;

// perft(p, 0) = 1; perft(p, d) = the sum over the legal moves m of perft(p after m, d - 1), and 0
// when p has no moves. The position is restored before returning. Depths beyond PERFT_MAX_DEPTH
// count 0.
std::uint64_t perft(GameState& g, int depth);

struct PerftDivision {
    Move move;
    std::uint64_t nodes;
};

// perft split by root move, in generation order (empty for depth 0).
std::vector<PerftDivision> perftDivide(GameState& g, int depth);

}  // namespace zorvan
