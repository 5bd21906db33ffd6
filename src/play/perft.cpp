#include "play/perft.h"

#include <memory>

#include "play/line_play.h"

namespace zorvan {

namespace {

// Move lists of every ply, allocated once per count.
std::unique_ptr<MoveList[]> plyLists(int depth) {
    return std::make_unique<MoveList[]>(static_cast<size_t>(depth));
}

std::uint64_t count(GameState& g, int depth, MoveList* lists) {
    if (depth == 0) return 1;
    MoveList& moves = lists[0];
    generateLegalMoves(g, moves);
    if (depth == 1) return static_cast<std::uint64_t>(moves.size);
    std::uint64_t nodes = 0;
    MoveUndo undo;
    for (const Move& m : moves) {
        makeMove(g, m, undo);
        nodes += count(g, depth - 1, lists + 1);
        unmakeMove(g, undo);
    }
    return nodes;
}

}  // namespace

std::uint64_t perft(GameState& g, int depth) {
    if (depth < 0 || depth > PERFT_MAX_DEPTH) return 0;
    if (depth == 0) return 1;
    g.ensureHistory(g.MOVE_NO + depth);
    const auto lists = plyLists(depth);
    return count(g, depth, lists.get());
}

std::vector<PerftDivision> perftDivide(GameState& g, int depth) {
    std::vector<PerftDivision> result;
    if (depth < 1 || depth > PERFT_MAX_DEPTH) return result;
    g.ensureHistory(g.MOVE_NO + depth);
    const auto lists = plyLists(depth);
    MoveList& root = lists[0];
    generateLegalMoves(g, root);
    MoveUndo undo;
    for (const Move& m : root) {
        makeMove(g, m, undo);
        result.push_back({m, count(g, depth - 1, lists.get() + 1)});
        unmakeMove(g, undo);
    }
    return result;
}

}  // namespace zorvan
