#include "search/eval.h"

#include <cstdlib>
#include <string>

namespace zorvan::search {

namespace {

// Pieces in the hand of `side` that it may drop.
int droppable(const Position& p, int side) {
    int inHand = 0;
    for (int slot = 1; slot <= HAND_SLOTS; ++slot)
        if (p.mayDrop[static_cast<size_t>(side)][static_cast<size_t>(slot)])
            inHand += p.hand[static_cast<size_t>(side)][static_cast<size_t>(slot)];
    return inHand;
}

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
    return defenders * w.defenderNear - attackers * w.attackerNear -
           open * droppable(p, enemy) * w.openNearHand + droppable(p, side) * w.handExtra;
}

}  // namespace

const EvalWeights& defaultWeights() {
    static const EvalWeights w;
    return w;
}

bool parseWeights(const char* text, EvalWeights& w) {
    std::string all(text);
    size_t at = 0;
    while (at < all.size()) {
        size_t end = all.find(',', at);
        if (end == std::string::npos) end = all.size();
        const std::string item = all.substr(at, end - at);
        const size_t eq = item.find('=');
        if (eq == std::string::npos) return false;
        const std::string name = item.substr(0, eq);
        char* stop = nullptr;
        const long v = std::strtol(item.c_str() + eq + 1, &stop, 10);
        if (*stop != '\0' || eq + 1 == item.size()) return false;
        int* field = name == "tempo"      ? &w.tempo
                     : name == "attacker" ? &w.attackerNear
                     : name == "defender" ? &w.defenderNear
                     : name == "open"     ? &w.openNearHand
                     : name == "hand"     ? &w.handExtra
                                          : nullptr;
        if (!field) return false;
        *field = static_cast<int>(v);
        at = end + 1;
    }
    return true;
}

int evaluate(const Position& p, const EvalWeights& w) {
    const int upper = p.score + kingSafety(p, UPPER, w) - kingSafety(p, LOWER, w);
    return (p.side == UPPER ? upper : -upper) + w.tempo;
}

}  // namespace zorvan::search
