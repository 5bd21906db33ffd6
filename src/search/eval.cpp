#include "search/eval.h"

namespace zorvan::search {

namespace {

// King safety of `side`, positive when it is well kept.
int kingSafety(const Position& p, int side, const EvalWeights& w) {
    const int k = p.kingSq[static_cast<size_t>(side)];
    if (k == 0) return 0;
    const int enemy = 1 - side;
    int attackers = 0;
    int defenders = 0;
    int open = 0;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            if (dx == 0 && dy == 0) continue;
            const int code = p.board[static_cast<size_t>(k + dx + dy * BOARD_W)];
            const bool near = dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
            if (code == OFF_BOARD) continue;
            if (code == EMPTY) {
                if (near) ++open;
            } else if (sideOfCode(code) == enemy) {
                ++attackers;
            } else if (near) {
                ++defenders;
            }
        }
    }
    int inHand = 0;
    for (int slot = 1; slot <= HAND_SLOTS; ++slot)
        if (p.mayDrop[static_cast<size_t>(enemy)][static_cast<size_t>(slot)])
            inHand += p.hand[static_cast<size_t>(enemy)][static_cast<size_t>(slot)];
    return defenders * w.defenderNear - attackers * w.attackerNear - open * inHand * w.openNearHand;
}

}  // namespace

const EvalWeights& defaultWeights() {
    static const EvalWeights w;
    return w;
}

int evaluate(const Position& p, const EvalWeights& w) {
    const int upper = p.score + kingSafety(p, UPPER, w) - kingSafety(p, LOWER, w);
    return (p.side == UPPER ? upper : -upper) + w.tempo;
}

}  // namespace zorvan::search
