// Promotion zones, compulsory promotion on dead rows, the chess pawn's choice rows, the pawn-file
// flags, hand totals and which player each side is.
#include "rules/promotion.h"

#include <gtest/gtest.h>

#include "position_helper.h"
#include "rules/hand_rules.h"
#include "rules/players.h"

namespace zorvan {
namespace {

TEST(Promotion, ZonesOfBothSides) {
    const struct {
        int code, fx, fy, ty, promoted;  // promoted: EMPTY when the move cannot promote
    } cases[] = {
        // 歩 香 桂: only by ending in the zone (three rows).
        {-HU, 5, 4, 3, -HU_N},
        {-HU, 5, 5, 4, EMPTY},
        {-KYOU, 5, 9, 1, -KYOU_N},
        {-KEI, 4, 5, 3, -KEI_N},
        {-KEI, 4, 6, 4, EMPTY},
        {+HU, 5, 6, 7, +HU_N},
        {+HU, 5, 5, 6, EMPTY},
        {+KEI, 4, 5, 7, +KEI_N},
        // 銀 角 飛: also by leaving the zone.
        {-GIN, 5, 3, 4, -GIN_N},
        {-GIN, 5, 5, 4, EMPTY},
        {-KAKU, 2, 2, 8, -KAKU_N},
        {-SYA, 5, 6, 2, -SYA_N},
        {+GIN, 5, 7, 6, +GIN_N},
        {+SYA, 5, 4, 6, EMPTY},
        {+KAKU, 1, 9, 1, +KAKU_N},
        // The chess pawn's two rows; the queen is the default choice.
        {-PORN, 5, 3, 2, -QEEN},
        {-PORN, 5, 4, 3, EMPTY},
        {+PORN, 5, 7, 8, +QEEN},
        {+PORN, 5, 6, 7, EMPTY},
        // Never: 金, kings, promoted pieces, the other chess pieces.
        {-KIN, 5, 4, 3, EMPTY},
        {-OU, 5, 2, 1, EMPTY},
        {+KING, 5, 8, 9, EMPTY},
        {-HU_N, 5, 2, 1, EMPTY},
        {-SYA_N, 5, 2, 1, EMPTY},
        {+KAKU_N, 5, 8, 9, EMPTY},
        {-KNIG, 5, 3, 1, EMPTY},
        {-BISH, 5, 3, 2, EMPTY},
        {+ROOK, 5, 7, 9, EMPTY},
        {+QEEN, 5, 7, 9, EMPTY},
    };
    for (const auto& c : cases) {
        GameState g = test::emptyBoard();
        g.PROMOTE_CODE = 77;
        const int answer = 調査_駒成(g, c.fx, c.fy, c.fx, c.ty, c.code);
        EXPECT_EQ(answer, c.promoted == EMPTY ? OFF : ON) << c.code << " " << c.fy << c.ty;
        EXPECT_EQ(g.PROMOTE_CODE, c.promoted == EMPTY ? 77 : c.promoted) << c.code;
    }
}

TEST(Promotion, ADropNeverPromotes) {
    GameState g = test::emptyBoard();
    g.PROMOTE_CODE = OFF;
    EXPECT_EQ(調査_駒成(g, LOWER_HAND_COLUMN, 6, 5, 3, -HU), OFF);
    EXPECT_EQ(調査_駒成(g, UPPER_HAND_COLUMN, 11, 5, 8, +KAKU), OFF);
    EXPECT_EQ(g.PROMOTE_CODE, OFF);
}

TEST(Promotion, DeadRowsMakePromotionCompulsory) {
    const struct {
        int code, toY, answer;
    } cases[] = {
        {-HU, 1, OFF},  {-HU, 2, ON},    {-KYOU, 1, OFF}, {-KYOU, 2, ON}, {-PORN, 1, OFF},
        {-PORN, 2, ON}, {-KEI, 2, OFF},  {-KEI, 1, OFF},  {-KEI, 3, ON},  {+HU, 9, OFF},
        {+HU, 8, ON},   {+KYOU, 9, OFF}, {+PORN, 9, OFF}, {+PORN, 8, ON}, {+KEI, 8, OFF},
        {+KEI, 7, ON},  {-GIN, 1, ON},   {-SYA, 1, ON},   {+KIN, 9, ON},  {-HU_N, 1, ON},
        {-HU, 9, ON},   {+HU, 1, ON},    {-KNIG, 1, ON},
    };
    const GameState g;
    for (const auto& c : cases)
        EXPECT_EQ(移動後チェック(g, c.toY, c.code), c.answer) << c.code << c.toY;
}

TEST(Promotion, ChessPawnChoiceRows) {
    const GameState g;
    EXPECT_EQ(調査_駒成人選(g, 5, 3, 5, 2, -PORN), ON);
    EXPECT_EQ(調査_駒成人選(g, 5, 2, 5, 1, -PORN), ON);
    EXPECT_EQ(調査_駒成人選(g, 5, 4, 5, 3, -PORN), OFF);
    EXPECT_EQ(調査_駒成人選(g, 5, 7, 5, 8, +PORN), ON);
    EXPECT_EQ(調査_駒成人選(g, 5, 6, 5, 7, +PORN), OFF);
    EXPECT_EQ(調査_駒成人選(g, 5, 2, 5, 1, -HU), OFF);
    EXPECT_EQ(調査_駒成人選(g, 5, 8, 5, 9, +QEEN), OFF);
}

TEST(PawnFiles, OnlyUnpromotedShogiPawnsOfEachSideCount) {
    GameState g = test::emptyBoard();
    test::put(g, 1, 7, -HU);
    test::put(g, 2, 7, -HU_N);
    test::put(g, 3, 7, -PORN);
    test::put(g, 4, 3, +HU);
    test::put(g, 5, 9, -HU);
    test::put(g, 5, 1, +HU);
    g.OWN_PAWN_FILE[9] = 1;  // stale flags are cleared
    調査_2歩フラグ設定(g);
    const FileFlags own = {0, 1, 0, 0, 0, 1, 0, 0, 0, 0};
    const FileFlags enemy = {0, 0, 0, 0, 1, 1, 0, 0, 0, 0};
    EXPECT_EQ(g.OWN_PAWN_FILE, own);
    EXPECT_EQ(g.ENEMY_PAWN_FILE, enemy);
}

TEST(HandTotals, CountPositiveSlotsOfTheNamedPlayer) {
    GameState g = test::emptyBoard();
    EXPECT_EQ(調査_持駒数(g, SENTE), 0);
    g.OWN_HAND = {0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 3};
    g.ENEMY_HAND = {0, 0, 0, 0, 0, 0, 4, -1, 0, 0, 0, 0, 0};
    EXPECT_EQ(調査_持駒数(g, g.LOWER_PLAYER), 6);
    EXPECT_EQ(調査_持駒数(g, g.UPPER_PLAYER), 4);  // a negative count adds nothing
    EXPECT_EQ(調査_持駒数(g, NO_SIDE), 0);
    EXPECT_EQ(調査_持駒数(g, 5), 0);
    g.LOWER_PLAYER = GOTE;
    g.UPPER_PLAYER = SENTE;
    EXPECT_EQ(調査_持駒数(g, SENTE), 4);
}

TEST(Players, TheArmyOwningTheShogiKingIsSente) {
    GameState g = test::emptyBoard();
    test::put(g, 5, 9, -OU);
    g.LOWER_PLAYER = GOTE;
    g.UPPER_PLAYER = SENTE;
    調査_先手後手(g);
    EXPECT_EQ(g.LOWER_PLAYER, SENTE);
    EXPECT_EQ(g.UPPER_PLAYER, GOTE);

    GameState turned = test::emptyBoard();  // the position turned round: chess army below
    test::put(turned, 4, 9, -KING);
    test::put(turned, 5, 1, +OU);
    調査_先手後手(turned);
    EXPECT_EQ(turned.LOWER_PLAYER, GOTE);
    EXPECT_EQ(turned.UPPER_PLAYER, SENTE);

    GameState none = test::emptyBoard();  // no lower king: both stay
    none.LOWER_PLAYER = GOTE;
    none.UPPER_PLAYER = SENTE;
    調査_先手後手(none);
    EXPECT_EQ(none.LOWER_PLAYER, GOTE);
    EXPECT_EQ(none.UPPER_PLAYER, SENTE);
}

}  // namespace
}  // namespace zorvan
