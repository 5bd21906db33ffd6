#include "rules/players.h"

namespace zorvan {

void 調査_先手後手(GameState& g) {
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (g.BOARD[x][y] == -OU) {
                g.LOWER_PLAYER = SENTE;
                g.UPPER_PLAYER = GOTE;
                return;
            }
            if (g.BOARD[x][y] == -KING) {
                g.LOWER_PLAYER = GOTE;
                g.UPPER_PLAYER = SENTE;
                return;
            }
        }
    }
}

}  // namespace zorvan
