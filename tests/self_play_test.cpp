// Self-play: the computer against itself at every level, with and without the chess army's hand,
// checked after every move for pieces created or lost; and the turned position it plays from below.
#include "play/self_play.h"

#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace zorvan {
namespace {

constexpr int PIECES_AT_START = 36;  // 20 shogi pieces and 16 chess pieces

// Checks the material after every ply.
class Conservation : public SelfPlayObserver {
public:
    int plies = 0;
    void played(int ply, const Move& m, const GameState& g) override {
        ++plies;
        int onBoard = 0;
        for (int x = 0; x <= 9; ++x) {
            for (int y = 0; y <= 9; ++y) {
                const int c = g.BOARD[x][y];
                if (x == 0 || y == 0) {
                    ASSERT_EQ(c, EMPTY) << "ply " << ply;
                    continue;
                }
                ASSERT_TRUE(c == EMPTY || isValidPiece(c)) << "ply " << ply << " code " << c;
                onBoard += c != EMPTY;
            }
        }
        int own = 0, enemy = 0;
        for (int s = 1; s <= HAND_SLOTS; ++s) {
            ASSERT_GE(g.OWN_HAND[s], 0);
            ASSERT_GE(g.ENEMY_HAND[s], 0);
            own += g.OWN_HAND[s];
            enemy += g.ENEMY_HAND[s];
        }
        ASSERT_EQ(g.OWN_HAND[0] + g.ENEMY_HAND[0], 0);
        // A captured king raises its captor's hand total but fills no slot.
        const int lowerTookKing = g.WINNER != NO_SIDE && g.WINNER == g.LOWER_PLAYER;
        const int upperTookKing = g.WINNER != NO_SIDE && g.WINNER == g.UPPER_PLAYER;
        ASSERT_EQ(own + lowerTookKing, g.OWN_HAND_COUNT) << "ply " << ply << " " << formatMove(m);
        ASSERT_EQ(enemy + upperTookKing, g.ENEMY_HAND_COUNT)
            << "ply " << ply << " " << formatMove(m);
        const int kingsTaken = g.WINNER != NO_SIDE ? 1 : 0;
        ASSERT_EQ(onBoard + own + enemy + kingsTaken, PIECES_AT_START)
            << "ply " << ply << " " << formatMove(m);
    }
};

GameState newGame(bool chessHand) {
    GameState g;
    初期設定(g);
    g.checks.CHESS_MOCHIKOMA = chessHand;
    g.GAME_MODE = MODE_COM;
    調査_先手後手(g);
    g.TURN = SENTE;
    return g;
}

TEST(SelfPlay, NothingIsCreatedOrLostOverAThousandPlies) {
    const struct { int upper, lower; } levels[] = {{1, 1}, {2, 2}, {3, 3}, {3, 1}, {1, 3}, {2, 3}};
    int total = 0;
    int games = 0;
    for (const auto& l : levels) {
        for (bool chessHand : {false, true}) {
            GameState g = newGame(chessHand);
            Conservation check;
            const SelfPlayResult r = selfPlay(g, {l.upper, l.lower, 300}, check);
            ASSERT_FALSE(HasFatalFailure());
            EXPECT_EQ(r.plies, check.plies);
            total += r.plies;
            ++games;
        }
        if (total >= 1000 && games >= 6) break;
    }
    RecordProperty("plies", total);
    EXPECT_GE(total, 1000);
}

TEST(SelfPlay, TurnedPositionIsTheBoardSeenFromTheOtherSide) {
    GameState g = newGame(true);
    g.OWN_HAND[5] = 1;
    g.OWN_HAND_COUNT = 1;
    g.MOVE_NO = 3;
    g.MOVE_TO_X[3] = 7;
    g.MOVE_TO_Y[3] = 6;
    g.MOVE_CODE[3] = -HU;
    GameState t;
    turnPosition(g, t);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) ASSERT_EQ(t.BOARD[10 - x][10 - y], -g.BOARD[x][y]);
    EXPECT_EQ(t.ENEMY_HAND[5], 1);
    EXPECT_EQ(t.ENEMY_HAND_COUNT, 1);
    EXPECT_EQ(t.OWN_HAND_COUNT, 0);
    EXPECT_EQ(t.LOWER_PLAYER, GOTE);  // the chess army is below now
    EXPECT_EQ(t.TURN, t.UPPER_PLAYER);
    EXPECT_EQ(t.MOVE_TO_X[3], 3);
    EXPECT_EQ(t.MOVE_TO_Y[3], 4);
    EXPECT_EQ(t.MOVE_CODE[3], +HU);
    EXPECT_EQ(t.ENEMY_KING_X, 5);
    EXPECT_EQ(t.ENEMY_KING_Y, 1);
    EXPECT_EQ(t.OWN_KING_X, 4);
    EXPECT_EQ(t.OWN_KING_Y, 9);
    EXPECT_EQ(t.ENEMY_PAWN_FILE[1], 1);  // the 歩 on file 9 stands on file 1 now

    // A drop found from above is a drop from the lower hand; board squares turn back.
    const Move drop = turnBack(Move{UPPER_HAND_COLUMN, 5, 3, 4, +QEEN, +QEEN});
    EXPECT_EQ(drop, (Move{LOWER_HAND_COLUMN, 5, 7, 6, -QEEN, -QEEN}));
    const Move step = turnBack(Move{5, 3, 5, 4, +HU, +HU});
    EXPECT_EQ(step, (Move{5, 7, 5, 6, -HU, -HU}));
}

TEST(SelfPlay, AGameAlreadyOverPlaysNothing) {
    GameState g = newGame(false);
    g.WINNER = GOTE;
    Conservation check;
    const SelfPlayResult r = selfPlay(g, {}, check);
    EXPECT_EQ(r.winner, GOTE);
    EXPECT_EQ(r.plies, 0);
    EXPECT_EQ(check.plies, 0);
}

TEST(SelfPlay, TheSideWithoutAMoveResigns) {
    // The computer above has nothing to move; the person's side wins.
    GameState g = test::position({{5, 9, -OU}, {5, 5, -KIN}});
    Conservation none;
    const SelfPlayResult r = selfPlay(g, {}, none);
    EXPECT_EQ(r.winner, g.LOWER_PLAYER);
    EXPECT_EQ(r.plies, 0);
}

}  // namespace
}  // namespace zorvan
