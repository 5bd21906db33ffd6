#include "model/game_state.h"

namespace zorvan {

GameState::GameState() {
    fillSquareShade(*this);
    ensureHistory(HISTORY_RESERVE - 1);
}

bool GameState::ensureHistory(int n) {
    if (n < 0) return false;
    const auto need = static_cast<size_t>(n) + 1;
    if (HISTORY.size() >= need) return true;
    // Grow in large steps so a long game reallocates rarely.
    size_t size = HISTORY.empty() ? static_cast<size_t>(HISTORY_RESERVE) : HISTORY.size();
    while (size < need) size *= 2;
    HISTORY.resize(size, Board{});
    OWN_HAND_HISTORY.resize(size, Hand{});
    ENEMY_HAND_HISTORY.resize(size, Hand{});
    MOVE_TO_X.resize(size, 0);
    MOVE_TO_Y.resize(size, 0);
    MOVE_CODE.resize(size, 0);
    CLOCK_LOWER_BEFORE.resize(size, 0.0);
    CLOCK_LOWER_AFTER.resize(size, 0.0);
    CLOCK_UPPER_BEFORE.resize(size, 0.0);
    CLOCK_UPPER_AFTER.resize(size, 0.0);
    return true;
}

void fillSquareShade(GameState& g) {
    for (int x = 0; x <= 9; ++x)
        for (int y = 0; y <= 9; ++y)
            g.SQUARE_SHADE[x][y] = (x >= 1 && y >= 1 && (x % 2) == (y % 2)) ? 1 : 0;
}

void 初期設定(GameState& g) {
    g.HANDICAP_LEVEL = 0;
    g.HANDICAP_ON = OFF;

    g.GAME_MODE = NO_SIDE;
    g.WINNER = NO_SIDE;
    g.TURN = NO_SIDE;
    g.LOWER_PLAYER = SENTE;

    g.MOVE_NO = 0;
    g.MOVE_COUNT = 0;
    g.REVERSED = OFF;

    g.clockRunning = false;
    g.SHOWN_SECOND = 0;
    g.MOVE_ELAPSED = 0;
    g.LOWER_TIME = 0;
    g.UPPER_TIME = 0;
    g.RESUME_PENDING = OFF;
    g.KIFU_MODE = OFF;

    g.ensureHistory(0);
    g.MOVE_CODE[0] = +HU;
    g.CLICK_PHASE = 0;

    for (int s = 1; s <= HAND_SLOTS; ++s) {
        g.OWN_HAND[s] = 0;
        g.ENEMY_HAND[s] = 0;
    }

    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            g.BOARD[x][y] = EMPTY;
            if (y == 2 && x >= 2) g.BOARD[x][y] = +PORN;
            if (y == 7) g.BOARD[x][y] = -HU;
        }
    }
    g.BOARD[1][9] = g.BOARD[9][9] = -KYOU;
    g.BOARD[2][9] = g.BOARD[8][9] = -KEI;
    g.BOARD[3][9] = g.BOARD[7][9] = -GIN;
    g.BOARD[4][9] = g.BOARD[6][9] = -KIN;
    g.BOARD[5][9] = -OU;
    g.BOARD[2][8] = -KAKU;
    g.BOARD[8][8] = -SYA;
    g.BOARD[2][1] = g.BOARD[9][1] = +ROOK;
    g.BOARD[3][1] = g.BOARD[8][1] = +KNIG;
    g.BOARD[4][1] = g.BOARD[7][1] = +BISH;
    g.BOARD[5][1] = +QEEN;
    g.BOARD[6][1] = +KING;

    g.OWN_HAND_COUNT = 0;
    g.ENEMY_HAND_COUNT = 0;
    for (int s = 1; s <= HAND_SLOTS; ++s) {
        if (g.OWN_HAND[s] > 0) g.OWN_HAND_COUNT += g.OWN_HAND[s];
        if (g.ENEMY_HAND[s] > 0) g.ENEMY_HAND_COUNT += g.ENEMY_HAND[s];
    }

    g.HISTORY[0] = g.BOARD;
}

}  // namespace zorvan
