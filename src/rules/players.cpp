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

bool settleTakenKing(GameState& g) {
    int lower = EMPTY, upper = EMPTY;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            const int code = g.BOARD[x][y];
            if (code == -OU || code == -KING) lower = code;
            if (code == +OU || code == +KING) upper = code;
        }
    }
    if ((lower == EMPTY) == (upper == EMPTY)) return false;
    if (lower != EMPTY) {
        g.LOWER_PLAYER = lower == -OU ? SENTE : GOTE;
        g.UPPER_PLAYER = -g.LOWER_PLAYER;
        g.WINNER = g.LOWER_PLAYER;
    } else {
        g.UPPER_PLAYER = upper == +OU ? SENTE : GOTE;
        g.LOWER_PLAYER = -g.UPPER_PLAYER;
        g.WINNER = g.UPPER_PLAYER;
    }
    return true;
}

}  // namespace zorvan
