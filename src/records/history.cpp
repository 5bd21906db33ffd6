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

}  // namespace zorvan
