// The stronger computer's entry point: the position of a GameState turned into the search's own,
// searched, and the move handed back as one of the rules engine's legal moves.
#include "search/think.h"

#include <chrono>
#include <thread>

#include "search/searcher.h"

namespace zorvan::search {

Limits levelLimits(int level) {
    Limits l;
    // Budgets: no new iteration starts after 55 % of one, so a move takes about 0.3 s at LEVEL4
    // and about 2 s at LEVEL5 (medians), never more than the budget (LEVEL5: see below).
    l.movetimeMs = level >= 5 ? 2250 : 300;
    // LEVEL5 (and the hint) search with a helper thread where there is a second core: it reaches
    // a given depth in about 0.6 of the time.
    if (level >= 5) l.threads = std::thread::hardware_concurrency() >= 2 ? 2 : 1;
    // LEVEL5 takes up to twice its budget (4.4 s at most) when its choice fails low, and thinks
    // on from what it learnt on its last move.
    if (level >= 5) {
        l.unsettledPercent = 200;
        l.keepTable = true;
    }
    return l;
}

Result think(const GameState& g, const Limits& limits) {
    const auto start = std::chrono::steady_clock::now();
    Result r;
    GameState copy = g;
    static thread_local MoveList legal;
    generateLegalMoves(copy, legal);
    if (legal.size == 0) return r;

    Position p;
    p.set(g);
    SearchLimits sl;
    sl.depth = limits.depth;
    sl.movetimeMs = limits.movetimeMs;
    sl.unsettledPercent = limits.unsettledPercent;
    sl.keepTable = limits.keepTable;
    sl.keptTableBits = limits.keptTableBits;
    sl.threads = limits.threads;
    sl.stop = limits.stop;
    sl.weights = limits.weights;
    const SearchOutcome o = searchPosition(p, sl);

    r.found = true;
    r.move = legal[0];  // should the search have nothing, the first legal move
    r.searched = false;
    if (o.move != 0) {
        const Move m = p.toRulesMove(o.move);
        for (const Move& l : legal)
            if (l == m) {
                r.move = l;
                r.searched = true;
            }
    }
    r.score = o.score;
    r.depth = o.depth;
    r.nodes = o.nodes;
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return r;
}

}  // namespace zorvan::search
