// The computer's board evaluation: terminal values, the terms of each level, and the danger
// squares.
#include <gtest/gtest.h>

#include "engine/danger.h"
#include "engine/surveys.h"
#include "engine_fixture.h"

namespace zorvan {
namespace {

using test::give;
using test::position;
using test::score;
using test::scoreAt;

TEST(Evaluation, TakingEitherKingScores9999EvenWithTheOwnKingAttacked) {
    for (int king : {-OU, -KING}) {
        // The computer's 王 on (1,1) is attacked by the 飛 on (1,5).
        GameState g = position({{5, 9, king}, {5, 8, +KIN}, {1, 1, +OU}, {1, 5, -SYA}});
        for (int level = 1; level <= 3; ++level) {
            EXPECT_EQ(scoreAt(g, level, 5, 8, 5, 9, +KIN), SCORE_KING_TAKEN) << king << level;
        }
    }
}

// -OU in the corner; the 金 from (8,7) to (9,8) mates it (the 歩 on (9,7) guards the 金).
GameState goldMate(bool ownKingAttacked) {
    GameState g = position({{9, 9, -OU}, {9, 7, +HU}, {8, 7, +KIN}, {1, 1, +OU}});
    if (ownKingAttacked) g.BOARD[1][5] = -SYA;
    return g;
}

TEST(Evaluation, MateScores9998UnlessTheOwnKingIsLeftAttacked) {
    GameState safe = goldMate(false);
    EXPECT_EQ(score(safe, 8, 7, 9, 8, +KIN), SCORE_MATE);
    GameState exposed = goldMate(true);
    EXPECT_EQ(score(exposed, 8, 7, 9, 8, +KIN), SCORE_REFUSED);
}

TEST(Evaluation, MateByAPawnIsRefusedButMateByATokinIsNot) {
    // The 金 on (8,7) guards (9,8) and covers (8,8); the 銀 on (7,8) covers (8,9).
    GameState g = position({{9, 9, -OU}, {9, 7, +HU}, {8, 7, +KIN}, {7, 8, +GIN}, {1, 1, +OU}});
    EXPECT_EQ(score(g, 9, 7, 9, 8, +HU), SCORE_REFUSED);
    EXPECT_EQ(score(g, 9, 7, 9, 8, +HU_N), SCORE_MATE);
    // The same square by a dropped 歩.
    g.BOARD[9][7] = EMPTY;
    give(g, Side::Upper, 6);
    EXPECT_EQ(score(g, UPPER_HAND_COLUMN, 6, 9, 8, +HU), SCORE_REFUSED);
}

TEST(Evaluation, LevelOneUsesOnlyCheckDropPromotionAndDangerTerms) {
    // A 銀 takes a free 金: at level 1 there is no reward for the capture.
    GameState g = position({{9, 1, -OU}, {5, 4, +GIN}, {5, 5, -KIN}, {1, 1, +OU}});
    const double l1 = scoreAt(g, 1, 5, 4, 5, 5, +GIN);
    prepareSearch(g);
    g.BOARD[5][4] = EMPTY;
    g.BOARD[5][5] = +GIN;
    勢力調査(g);
    EXPECT_DOUBLE_EQ(l1, 盤評価_COM危険座標(g, +GIN, 5, 5));
    g.BOARD[5][4] = +GIN;
    g.BOARD[5][5] = -KIN;
    EXPECT_DOUBLE_EQ(scoreAt(g, 2, 5, 4, 5, 5, +GIN) - l1, 13);
    // A promotion adds 10 and a drop costs 5 at every level.
    GameState p = position({{9, 1, -OU}, {5, 6, +GIN}, {1, 1, +OU}});
    prepareSearch(p);
    p.BOARD[5][6] = EMPTY;
    p.BOARD[5][7] = +GIN_N;
    勢力調査(p);
    const double danger = 盤評価_COM危険座標(p, +GIN_N, 5, 7);
    p.BOARD[5][6] = +GIN;
    p.BOARD[5][7] = EMPTY;
    EXPECT_DOUBLE_EQ(scoreAt(p, 1, 5, 6, 5, 7, +GIN_N), danger + 10);
    // A check from a square the person cannot take adds 10 (the king still has flight squares).
    GameState c = position({{5, 9, -OU}, {5, 3, +SYA}, {1, 1, +OU}});
    prepareSearch(c);
    c.BOARD[5][3] = EMPTY;
    c.BOARD[5][5] = +SYA;
    勢力調査(c);
    const double checkDanger = 盤評価_COM危険座標(c, +SYA, 5, 5);
    c.BOARD[5][3] = +SYA;
    c.BOARD[5][5] = EMPTY;
    EXPECT_DOUBLE_EQ(scoreAt(c, 1, 5, 3, 5, 5, +SYA), checkDanger + 10);
}

TEST(Evaluation, CapturesOnAnUnattackedSquare) {
    // The king at (9,1) is as far from (5,5) as from (5,4): no approach term.
    const struct {
        int captured;
        double gain;
    } cases[] = {{-HU_N, 52}, {-KYOU_N, 55}, {-KEI_N, 57}, {-GIN_N, 10}, {-KIN, 13}, {-HU, 1}};
    for (const auto& c : cases) {
        GameState g = position({{9, 1, -OU}, {5, 4, +GIN}, {5, 5, c.captured}, {1, 1, +OU}});
        const double l1 = scoreAt(g, 1, 5, 4, 5, 5, +GIN);
        EXPECT_DOUBLE_EQ(scoreAt(g, 2, 5, 4, 5, 5, +GIN) - l1, c.gain) << c.captured;
    }
}

TEST(Evaluation, AttackedUnguardedSquareCostsTheDropTwiceThePiecePlus50) {
    // The 歩 on (5,7) attacks (5,6); nothing of the computer's guards it.
    GameState drop = position({{9, 9, -OU}, {5, 7, -HU}, {1, 1, +OU}});
    give(drop, Side::Upper, 9);
    drop.checks.CHESS_MOCHIKOMA = true;
    const double d1 = scoreAt(drop, 1, UPPER_HAND_COLUMN, 9, 5, 6, +GIN);
    EXPECT_DOUBLE_EQ(scoreAt(drop, 2, UPPER_HAND_COLUMN, 9, 5, 6, +GIN) - d1, -(2 * GIN + 50));
    // The same square reached by a board move costs the piece once.
    GameState move = position({{9, 9, -OU}, {5, 7, -HU}, {5, 5, +GIN}, {1, 1, +OU}});
    const double m1 = scoreAt(move, 1, 5, 5, 5, 6, +GIN);
    EXPECT_DOUBLE_EQ(scoreAt(move, 2, 5, 5, 5, 6, +GIN) - m1, -GIN);
}

TEST(Evaluation, ApproachingSidewaysEarnsTenTimesApproachingAlongTheFile) {
    // Sideways: dx 4 -> 3 with dy 1 earns 1.
    GameState side = position({{6, 9, -OU}, {2, 8, +KIN}, {1, 1, +OU}});
    EXPECT_DOUBLE_EQ(scoreAt(side, 2, 2, 8, 3, 8, +KIN) - scoreAt(side, 1, 2, 8, 3, 8, +KIN), 1);
    // Along the file: dy 4 -> 3 earns 0.1.
    GameState file = position({{6, 9, -OU}, {6, 5, +KIN}, {1, 1, +OU}});
    EXPECT_NEAR(scoreAt(file, 2, 6, 5, 6, 6, +KIN) - scoreAt(file, 1, 6, 5, 6, 6, +KIN), 0.1, 1e-9);
    // Moving away earns nothing.
    EXPECT_DOUBLE_EQ(scoreAt(file, 2, 6, 5, 6, 4, +KIN) - scoreAt(file, 1, 6, 5, 6, 4, +KIN), 0);
}

TEST(DangerSquares, KingOnTheBackRowWithTheSquareInFrontCovered) {
    // The person's 飛 on (5,5) covers (5,2) in front of the computer's 王 on (5,1).
    GameState g = position({{5, 1, +OU}, {5, 5, -SYA}, {9, 9, -OU}});
    give(g, Side::Lower, 4);  // a chess bishop in the person's hand
    prepareSearch(g);
    const double withBishop = 盤評価_COM危険座標(g, +OU, 5, 1);
    g.OWN_HAND[4] = 0;
    const double without = 盤評価_COM危険座標(g, +OU, 5, 1);
    EXPECT_LE(withBishop, -(50 + 250 + 700));
    EXPECT_NEAR(without - withBishop, 700 + 10, 1e-9);  // also the drop square next to the king
}

TEST(DangerSquares, ForkOfTwoUndefendedPiecesGainsTheSmallerValue) {
    // The computer's knight on (5,6) attacks the person's chess pawn (3, on (3,7)) and 金 (13, on
    // (7,7)), neither defended, from a square the person does not attack.
    GameState g = position({{5, 6, +KNIG}, {3, 7, -PORN}, {7, 7, -KIN}, {1, 1, +OU}, {9, 9, -OU}});
    prepareSearch(g);
    const double fork = 盤評価_COM危険座標(g, +KNIG, 5, 6);
    g.BOARD[7][7] = EMPTY;
    prepareSearch(g);
    const double single = 盤評価_COM危険座標(g, +KNIG, 5, 6);
    // Two attacked pieces: 0.1 each plus the smaller value 3; one alone: 0.1.
    EXPECT_NEAR(fork - single, 0.1 + 3, 1e-9);
}

TEST(Surveys, SurroundingsOfACornerLookAtThreeSquares) {
    GameState g = position({{1, 2, +SYA}, {2, 1, +QEEN}, {2, 2, +KAKU}, {3, 3, +SYA_N}});
    EXPECT_EQ(調査_周辺状況(g, 1, 1), -3);
    EXPECT_EQ(調査_周辺状況(g, 2, 2), -3);  // (2,2) itself does not count
}

TEST(Surveys, SafeMoveCountSkipsCoveredSquaresAndOwnPieces) {
    // The 王 on (1,1): (2,1) holds its own 金, (1,2) and (2,2) are covered by the 飛 on (5,2).
    GameState g = position({{1, 1, +OU}, {2, 1, +KIN}, {5, 2, -SYA}, {9, 9, -OU}});
    EXPECT_EQ(調査_移動可場所数(g, 1, 1, +OU), 0);
    g.BOARD[5][2] = EMPTY;
    勢力調査(g);
    EXPECT_EQ(調査_移動可場所数(g, 1, 1, +OU), 2);
}

TEST(Surveys, CoveredFromBehindOnlyWhenThePathIsClear) {
    GameState g = position({{5, 3, +HU}, {5, 6, -GIN}, {5, 8, -KYOU}, {9, 9, -OU}, {1, 1, +OU}});
    EXPECT_EQ(調査_自守駒MAN_直進駒(g, 5, 3), OFF);  // the 銀 blocks the 香
    g.BOARD[5][6] = EMPTY;
    EXPECT_EQ(調査_自守駒MAN_直進駒(g, 5, 3), ON);
    EXPECT_EQ(g.BOARD[5][3], +HU);  // the lifted piece is back
    g.BOARD[5][5] = +KIN;           // a computer piece ends the walk
    EXPECT_EQ(調査_自守駒MAN_直進駒(g, 5, 3), OFF);
}

TEST(Surveys, PinnedPiecesOfBothSides) {
    GameState g = position({{5, 9, -OU},
                            {5, 7, -GIN},
                            {5, 2, +SYA},
                            {1, 1, +OU},
                            {3, 3, +HU},
                            {6, 6, -KAKU},
                            {8, 8, -HU}});
    調査_移動不可駒(g);
    EXPECT_EQ(g.com.OWN_PINNED_MAP[5][7], 1);    // the 銀 shields its 王 from the 飛
    EXPECT_EQ(g.com.ENEMY_PINNED_MAP[3][3], 1);  // the 歩 shields the 王 from the 角
    EXPECT_EQ(g.com.ENEMY_PINNED, ON);
    EXPECT_EQ(g.com.OWN_PINNED_MAP[8][8], 0);
    EXPECT_EQ(g.BOARD[5][7], -GIN);
}

}  // namespace
}  // namespace zorvan
