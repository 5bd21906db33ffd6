// Placeholder until the real search lands: the first legal move, preferring a king capture.
#include "search/think.h"

namespace zorvan::search {

Limits levelLimits(int level) {
    Limits l;
    l.movetimeMs = level >= 5 ? 2000 : 300;
    return l;
}

Result think(const GameState& g, const Limits&) {
    Result r;
    GameState copy = g;
    static thread_local MoveList moves;
    generateLegalMoves(copy, moves);
    if (moves.size == 0) return r;
    r.found = true;
    r.move = moves[0];
    for (const Move& m : moves) {
        const int target = copy.BOARD[m.toX][m.toY];
        if (target != EMPTY && (kindOf(target) == KING || kindOf(target) == OU)) {
            r.move = m;
            break;
        }
    }
    return r;
}

}  // namespace zorvan::search
