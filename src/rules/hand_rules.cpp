#include "rules/hand_rules.h"

namespace zorvan {

void 調査_2歩フラグ設定(GameState& g) {
    for (int x = 1; x <= 9; ++x) {
        g.OWN_PAWN_FILE[x] = 0;
        g.ENEMY_PAWN_FILE[x] = 0;
        for (int y = 1; y <= 9; ++y) {
            if (g.BOARD[x][y] == -HU) g.OWN_PAWN_FILE[x] = 1;
            if (g.BOARD[x][y] == +HU) g.ENEMY_PAWN_FILE[x] = 1;
        }
    }
}

int 調査_持駒数(const GameState& g, int player) {
    const Hand* hand = nullptr;
    if (player == g.LOWER_PLAYER)
        hand = &g.OWN_HAND;
    else if (player == g.UPPER_PLAYER)
        hand = &g.ENEMY_HAND;
    else
        return 0;
    int total = 0;
    for (int s = 1; s <= HAND_SLOTS; ++s)
        if ((*hand)[s] > 0) total += (*hand)[s];
    return total;
}

}  // namespace zorvan
