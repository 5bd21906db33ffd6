#include "play/turn_order.h"

namespace zorvan {

int 調査_先番(const GameState& g, int n) {
    if (n == 0) {
        for (int x = 1; x <= 9; ++x) {
            for (int y = 1; y <= 9; ++y) {
                if (g.BOARD[x][y] == -OU) return g.LOWER_PLAYER;
                if (g.BOARD[x][y] == -KING) return g.UPPER_PLAYER;
            }
        }
        return NO_SIDE;
    }
    if (n < 0 || static_cast<size_t>(n) >= g.HISTORY.size()) return NO_SIDE;
    const Board& before = g.HISTORY[static_cast<size_t>(n - 1)];
    const Board& after = g.HISTORY[static_cast<size_t>(n)];
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            const int code = after[x][y];
            if (code == before[x][y] || code == EMPTY) continue;
            return code >= HU ? g.LOWER_PLAYER : g.UPPER_PLAYER;
        }
    }
    return NO_SIDE;
}

}  // namespace zorvan
