#include <gtest/gtest.h>

#include "model/game_state.h"

namespace zorvan {
namespace {

TEST(PieceCodes, PromotedShogiPiecesAreFiledUnderTheirBaseKind) {
    const struct {
        int code;
        int slot;
    } cases[] = {{+HU_N, 6}, {-KYOU_N, 7}, {+KEI_N, 8}, {-GIN_N, 9}, {+KAKU_N, 11}, {-SYA_N, 12},
                 {+PORN, 1}, {-ROOK, 2},   {+KNIG, 3},  {-BISH, 4},  {+QEEN, 5},    {-KIN, 10}};
    for (const auto& c : cases) EXPECT_EQ(handSlotOf(c.code), c.slot) << c.code;
}

TEST(PieceCodes, KingsAndNonPiecesHaveNoHandSlot) {
    for (int code : {+OU, -OU, +KING, -KING, EMPTY, 21, -21})
        EXPECT_EQ(handSlotOf(code), 0) << code;
}

TEST(PieceCodes, DropCodesCarryTheSideSign) {
    EXPECT_EQ(dropCode(Side::Lower, 5), -QEEN);
    EXPECT_EQ(dropCode(Side::Upper, 6), +HU);
    EXPECT_EQ(dropCode(Side::Upper, 13), 0);
    EXPECT_EQ(displayText(-KAKU_N), "角成");
    EXPECT_EQ(displayText(+BISH), "ﾋﾞｼｮｯﾌﾟ");
}

TEST(NewGame, StandardPositionAndClearedState) {
    GameState g;
    g.BOARD[1][1] = +OU;
    g.OWN_HAND[3] = 2;
    g.TURN = SENTE;
    g.MOVE_NO = 7;
    g.REVERSED = ON;
    g.COM_LEVEL = 1;
    g.checks.SIDOU = true;
    初期設定(g);
    EXPECT_EQ(g.BOARD[1][1], EMPTY);
    EXPECT_EQ(g.BOARD[1][2], EMPTY);
    EXPECT_EQ(g.BOARD[5][9], -OU);
    EXPECT_EQ(g.BOARD[6][1], +KING);
    EXPECT_EQ(g.BOARD[2][8], -KAKU);
    EXPECT_EQ(g.BOARD[8][8], -SYA);
    for (int x = 2; x <= 9; ++x) EXPECT_EQ(g.BOARD[x][2], +PORN);
    for (int x = 1; x <= 9; ++x) EXPECT_EQ(g.BOARD[x][7], -HU);
    EXPECT_EQ(g.OWN_HAND[3], 0);
    EXPECT_EQ(g.OWN_HAND_COUNT, 0);
    EXPECT_EQ(g.TURN, NO_SIDE);
    EXPECT_EQ(g.MOVE_NO, 0);
    EXPECT_EQ(g.REVERSED, OFF);
    EXPECT_EQ(g.MOVE_CODE[0], +HU);
    EXPECT_EQ(g.HISTORY[0], g.BOARD);
    // Options and level survive a new game.
    EXPECT_EQ(g.COM_LEVEL, 1);
    EXPECT_TRUE(g.checks.SIDOU);
}

TEST(History, GrowsBeyondFiveHundredMoves) {
    GameState g;
    ASSERT_TRUE(g.ensureHistory(1000));
    EXPECT_GE(g.HISTORY.size(), 1001u);
    EXPECT_GE(g.MOVE_CODE.size(), 1001u);
    EXPECT_GE(g.CLOCK_UPPER_AFTER.size(), 1001u);
    EXPECT_FALSE(g.ensureHistory(-1));
}

}  // namespace
}  // namespace zorvan
