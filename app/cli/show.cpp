#include <cstdio>

#include "cli.h"
#include "position.h"

namespace zorvan::cli {

namespace {

const char* playerName(int player) {
    return player == SENTE ? "SENTE" : (player == GOTE ? "GOTE" : "none");
}

}  // namespace

int runShow(const Args& args) {
    GameState g;
    Args rest;
    if (const int status = setUpPosition(args, g, rest)) return status;
    if (!rest.empty()) return usageError("show: unexpected argument '" + rest.front() + "'");

    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) std::printf("%4d", g.BOARD[x][y]);
        std::printf("\n");
    }
    std::printf("lower hand:");
    for (int s = 1; s <= HAND_SLOTS; ++s) std::printf(" %d", g.OWN_HAND[s]);
    std::printf("\nupper hand:");
    for (int s = 1; s <= HAND_SLOTS; ++s) std::printf(" %d", g.ENEMY_HAND[s]);
    std::printf("\nturn: %s\nlower: %s\nwinner: %s\nmove: %d\n", playerName(g.TURN),
                playerName(g.LOWER_PLAYER), playerName(g.WINNER), g.MOVE_NO);
    return 0;
}

}  // namespace zorvan::cli
