// Alpha-beta over the search's position: principal-variation search with iterative deepening, a
// transposition table, quiescence over captures and promotions, null-move pruning, late-move
// reductions, and move ordering by hash move, captures by value, killers and history.
//
// A search with a time limit may use more than one thread: the helpers search the same tree, one
// ply deeper every other thread, filling the transposition table they share with the main
// thread, whose choice is the answer. A search limited by depth alone keeps to one thread, so
// that it stays deterministic.
//
// Capturing the king wins; a position whose side to move can take the opposing king scores as a
// win at once, so a move that leaves one's own king attacked loses one ply later.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "search/eval.h"
#include "search/movegen.h"

namespace zorvan::search {

constexpr int WIN = 30000;  // capturing the king, less the plies it takes
constexpr int WIN_BOUND = WIN - 512;
constexpr int INF = 32000;
constexpr int MAX_PLY = 96;

// One position's entry in the transposition table, as the search reads and writes it.
struct TTEntry {
    SMove move = 0;
    std::int16_t score = 0;
    std::int8_t depth = 0;
    std::uint8_t bound = 0;
};

struct SearchLimits {
    int depth = 0;       // 0: no limit (up to MAX_PLY / 2)
    int movetimeMs = 0;  // 0: no limit
    int unsettledPercent = 100;  // the budget, in percent of movetimeMs, when the choice fails low
    int threads = 1;     // one when `depth` alone limits the search
    bool keepTable = false;  // a timed search thinks on from the last such search's table
    int keptTableBits = 0;   // the kept table's size (log2 of its entries); 0: KEPT_TT_BITS
    const std::atomic<bool>* stop = nullptr;
    const EvalWeights* weights = nullptr;
};

struct SearchOutcome {
    SMove move = 0;
    int score = 0;
    int depth = 0;
    std::uint64_t nodes = 0;  // all threads
};

// Searches `root` (which it leaves as it found it). Deterministic when only `depth` limits it.
SearchOutcome searchPosition(Position& root, const SearchLimits& limits);

}  // namespace zorvan::search
