// The stronger computer (levels 4 and 5, and the hint): a game-tree search over a compact copy of
// the position. A pure computation: it reads the GameState it is given and never touches any
// other; it may run on any thread, and `Limits::stop` cancels it at once from another thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "model/game_state.h"
#include "rules/legal_moves.h"
#include "search/eval.h"

namespace zorvan::search {

// How long and how deep to think. Zero means "no limit" for depth and time; a search with
// neither limit runs until `stop` is set.
struct Limits {
    int depth = 0;                            // fixed depth in plies (deterministic)
    int movetimeMs = 0;                       // wall-clock budget for the whole move
    // The budget, in percent of movetimeMs, for a move whose choice turned out worse than it
    // looked one ply shallower: more time to look for a better one.
    int unsettledPercent = 100;
    int threads = 1;                          // search threads (one when depth alone limits it)
    // A timed search starts from what the last such search learnt (its transposition table, kept
    // in memory), rather than from nothing.
    bool keepTable = false;
    // The kept table's size, as the base-2 logarithm of its entries of 16 bytes: 0 for the
    // game's own (64 MB), else 16..22. A front end with little memory to spare asks for less.
    int keptTableBits = 0;
    const std::atomic<bool>* stop = nullptr;  // set from another thread to cancel at once
    const EvalWeights* weights = nullptr;     // evaluation weights (the built-in ones when null)
};

// The move chosen, in the rules engine's terms: one of generateLegalMoves' moves of the position
// searched. `found` is false when the side to move has no move or the game is over.
struct Result {
    bool found = false;
    Move move;
    int score = 0;         // centipawns from the mover's point of view
    int depth = 0;         // last completed iteration
    uint64_t nodes = 0;    // nodes searched, all threads
    double seconds = 0;    // wall time spent
    bool searched = true;  // false when the search's choice was not a legal move (never expected)
};

// The limits of the computer's levels beyond the game's three: LEVEL4 about 0.3 s a move on one
// thread, LEVEL5 about 2 s (and the hint) on two where the machine has them.
Limits levelLimits(int level);

// Searches the position of `g` for the side to move (sideToMove(g)) within `limits`.
Result think(const GameState& g, const Limits& limits);

}  // namespace zorvan::search
