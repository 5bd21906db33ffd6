#include "records/history.h"

namespace zorvan {

void 手順保存(GameState& g, int /*fromX*/, int /*fromY*/, int toX, int toY, int /*codeBefore*/,
              int codeAfter, int /*captured*/, double lowerBefore, double lowerAfter,
              double upperBefore, double upperAfter) {
    const int n = g.MOVE_NO;
    if (!g.ensureHistory(n)) return;
    const auto i = static_cast<size_t>(n);
    g.HISTORY[i] = g.BOARD;
    g.OWN_HAND_HISTORY[i] = g.OWN_HAND;
    g.ENEMY_HAND_HISTORY[i] = g.ENEMY_HAND;
    g.MOVE_TO_X[i] = toX;
    g.MOVE_TO_Y[i] = toY;
    g.MOVE_CODE[i] = codeAfter;
    g.CLOCK_LOWER_BEFORE[i] = lowerBefore;
    g.CLOCK_LOWER_AFTER[i] = lowerAfter;
    g.CLOCK_UPPER_BEFORE[i] = upperBefore;
    g.CLOCK_UPPER_AFTER[i] = upperAfter;
    g.RECORD_END = n;
}

void 調査_移動結果(const GameState& g, int n, int& x, int& y, int& code) {
    if (n < 1 || static_cast<size_t>(n) >= g.HISTORY.size()) return;
    const Board& now = g.HISTORY[static_cast<size_t>(n)];
    const Board& before = g.HISTORY[static_cast<size_t>(n) - 1];
    for (int sx = 1; sx <= 9; ++sx) {
        for (int sy = 1; sy <= 9; ++sy) {
            if (now[sx][sy] != before[sx][sy] && now[sx][sy] != EMPTY) {
                x = sx;
                y = sy;
                code = now[sx][sy];
                return;
            }
        }
    }
}

void recoverMoveTarget(GameState& g, int n) {
    if (n < 1 || static_cast<size_t>(n) >= g.HISTORY.size()) return;
    int x = 0;
    int y = 0;
    int code = EMPTY;
    調査_移動結果(g, n, x, y, code);
    const auto k = static_cast<size_t>(n);
    g.MOVE_TO_X[k] = x;
    g.MOVE_TO_Y[k] = y;
    g.MOVE_CODE[k] = code;
}

}  // namespace zorvan
