#include "engine/influence.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <random>

namespace zorvan {
namespace {

struct Put {
    int x, y, code;
};

// A board with the given pieces, surveyed.
GameState surveyed(std::initializer_list<Put> pieces) {
    GameState g;
    for (const Put& p : pieces) g.BOARD[p.x][p.y] = p.code;
    勢力調査(g);
    return g;
}

struct Sq {
    int x, y;
};

// All maps that the survey resets, with their reset values.
struct MapReset {
    const char* name;
    SquareMap InfluenceMaps::*map;
    int reset;
};
const MapReset kResetMaps[] = {
    {"OWN_INFLUENCE", &InfluenceMaps::OWN_INFLUENCE, 0},
    {"ENEMY_INFLUENCE", &InfluenceMaps::ENEMY_INFLUENCE, 0},
    {"OWN_GUARD_CODE", &InfluenceMaps::OWN_GUARD_CODE, 999},
    {"ENEMY_GUARD_CODE", &InfluenceMaps::ENEMY_GUARD_CODE, 999},
    {"ENEMY_GUARD_X", &InfluenceMaps::ENEMY_GUARD_X, 0},
    {"ENEMY_GUARD_Y", &InfluenceMaps::ENEMY_GUARD_Y, 0},
    {"OWN_ATTACKER_CODE", &InfluenceMaps::OWN_ATTACKER_CODE, -999},
    {"OWN_ATTACKER_X", &InfluenceMaps::OWN_ATTACKER_X, 0},
    {"OWN_ATTACKER_Y", &InfluenceMaps::OWN_ATTACKER_Y, 0},
    {"ENEMY_ATTACKER_CODE", &InfluenceMaps::ENEMY_ATTACKER_CODE, 999},
    {"ENEMY_ATTACKER_X", &InfluenceMaps::ENEMY_ATTACKER_X, 0},
    {"ENEMY_ATTACKER_Y", &InfluenceMaps::ENEMY_ATTACKER_Y, 0},
    {"OWN_CHECK_MAP", &InfluenceMaps::OWN_CHECK_MAP, 0},
    {"ENEMY_CHECK_MAP", &InfluenceMaps::ENEMY_CHECK_MAP, 0},
};

TEST(InfluenceSurvey, EmptyBoardResetsEveryMapEvenAfterADirtyHistory) {
    GameState g;
    for (const auto& r : kResetMaps)
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) (g.maps.*r.map)[x][y] = 77;
    勢力調査(g);
    for (const auto& r : kResetMaps)
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                ASSERT_EQ((g.maps.*r.map)[x][y], r.reset) << r.name << " " << x << y;
}

TEST(InfluenceSurvey, FacingPawnsAttackEachOtherButOnlyTheLowerKeepsTheSquare) {
    GameState g = surveyed({{5, 7, -HU}, {5, 6, +HU}});
    const auto& m = g.maps;
    EXPECT_EQ(m.OWN_INFLUENCE[5][6], 1);
    EXPECT_EQ(m.OWN_ATTACKER_CODE[5][6], -HU);
    EXPECT_EQ(m.OWN_ATTACKER_X[5][6], 5);
    EXPECT_EQ(m.OWN_ATTACKER_Y[5][6], 7);
    EXPECT_EQ(m.ENEMY_INFLUENCE[5][7], 1);
    EXPECT_EQ(m.ENEMY_ATTACKER_CODE[5][7], +HU);
    EXPECT_EQ(m.ENEMY_ATTACKER_X[5][7], 0);
    EXPECT_EQ(m.ENEMY_ATTACKER_Y[5][7], 0);
}

TEST(InfluenceSurvey, CheapestLowerAttackerWinsAndTiesGoToThePieceMetFirst) {
    // -KIN (4,6) and -GIN_N (6,6) both reach +QEEN (5,5); -10 is nearer zero than -13.
    GameState g = surveyed({{4, 6, -KIN}, {6, 6, -GIN_N}, {5, 5, +QEEN}});
    EXPECT_EQ(g.maps.OWN_ATTACKER_CODE[5][5], -GIN_N);
    EXPECT_EQ(g.maps.OWN_ATTACKER_X[5][5], 6);
    // Two silvers of the same code: the one on the lower file keeps its square.
    g = surveyed({{6, 6, -GIN}, {4, 6, -GIN}, {5, 5, +KIN}});
    EXPECT_EQ(g.maps.OWN_ATTACKER_CODE[5][5], -GIN);
    EXPECT_EQ(g.maps.OWN_ATTACKER_X[5][5], 4);
    EXPECT_EQ(g.maps.OWN_ATTACKER_Y[5][5], 6);
    EXPECT_EQ(g.maps.OWN_INFLUENCE[5][5], 2);
}

TEST(InfluenceSurvey, UpperGuardTiesKeepTheFirstGuardSquare) {
    // +GIN (4,4) and +GIN (6,4) both guard +KIN (5,5); the one on file 4 is met first.
    GameState g = surveyed({{6, 4, +GIN}, {4, 4, +GIN}, {5, 5, +KIN}});
    EXPECT_EQ(g.maps.ENEMY_GUARD_CODE[5][5], +GIN);
    EXPECT_EQ(g.maps.ENEMY_GUARD_X[5][5], 4);
    EXPECT_EQ(g.maps.ENEMY_GUARD_Y[5][5], 4);
}

TEST(InfluenceSurvey, LowerGuardKeepsTheLowestCode) {
    // -HU (5,8) and -KIN (4,7) both guard -GIN (5,7).
    GameState g = surveyed({{5, 8, -HU}, {4, 7, -KIN}, {5, 7, -GIN}});
    EXPECT_EQ(g.maps.OWN_GUARD_CODE[5][7], -KIN);
    EXPECT_EQ(g.maps.OWN_INFLUENCE[5][7], 2);
}

TEST(InfluenceSurvey, KnightChecksMarkTheKnightAndTheKingSquare) {
    GameState g = surveyed({{4, 5, -KEI}, {5, 3, +KING}});
    EXPECT_EQ(g.maps.OWN_CHECK_MAP[4][5], CHECK_PIECE);
    EXPECT_EQ(g.maps.OWN_CHECK_MAP[5][3], CHECK_PIECE);
    g = surveyed({{4, 5, +KEI}, {5, 7, -OU}});
    EXPECT_EQ(g.maps.ENEMY_CHECK_MAP[4][5], CHECK_PIECE);
    EXPECT_EQ(g.maps.ENEMY_CHECK_MAP[5][7], CHECK_PIECE);
    // A chess knight marks only its own square.
    g = surveyed({{4, 5, +KNIG}, {5, 7, -OU}});
    EXPECT_EQ(g.maps.ENEMY_CHECK_MAP[4][5], CHECK_PIECE);
    EXPECT_EQ(g.maps.ENEMY_CHECK_MAP[5][7], 0);
}

// Short-range pieces that see nothing below code 3 on the opposing side.
TEST(InfluenceSurvey, ChessPawnsAndChessKingIgnorePawnsButCountTheirSquares) {
    const struct {
        const char* what;
        Put mover, target;
        bool lowerMover;
    } cases[] = {
        {"+PORN on -HU", {4, 4, +PORN}, {5, 5, -HU}, false},
        {"+PORN on -HU_N", {4, 4, +PORN}, {3, 5, -HU_N}, false},
        {"+KING on -HU", {4, 4, +KING}, {4, 5, -HU}, false},
        {"-PORN on +HU", {4, 6, -PORN}, {5, 5, +HU}, true},
        {"-KING on +HU_N", {4, 6, -KING}, {4, 5, +HU_N}, true},
    };
    for (const auto& c : cases) {
        GameState g = surveyed({c.mover, c.target});
        const int tx = c.target.x, ty = c.target.y;
        if (c.lowerMover) {
            EXPECT_EQ(g.maps.OWN_INFLUENCE[tx][ty], 1) << c.what;
            EXPECT_EQ(g.maps.OWN_ATTACKER_CODE[tx][ty], -999) << c.what;
        } else {
            EXPECT_EQ(g.maps.ENEMY_INFLUENCE[tx][ty], 1) << c.what;
            EXPECT_EQ(g.maps.ENEMY_ATTACKER_CODE[tx][ty], 999) << c.what;
        }
    }
    // Yet they attack a chess pawn, and the lower pawn guards its own 歩.
    GameState g = surveyed({{4, 4, +PORN}, {5, 5, -PORN}, {4, 6, -PORN}, {3, 5, -HU}});
    EXPECT_EQ(g.maps.ENEMY_ATTACKER_CODE[5][5], +PORN);
    EXPECT_EQ(g.maps.OWN_GUARD_CODE[3][5], -PORN);
}

TEST(InfluenceSurvey, RookLineCountsBehindTheCheckedKingAndMarksThePath) {
    GameState g = surveyed({{5, 9, -SYA}, {5, 3, +KING}});
    const auto& m = g.maps;
    for (int y = 1; y <= 8; ++y) EXPECT_EQ(m.OWN_INFLUENCE[5][y], 1) << y;
    for (int y = 4; y <= 8; ++y) EXPECT_EQ(m.OWN_CHECK_MAP[5][y], CHECK_PATH) << y;
    EXPECT_EQ(m.OWN_CHECK_MAP[5][9], CHECK_PIECE);
    EXPECT_EQ(m.OWN_CHECK_MAP[5][3], 0);
    EXPECT_EQ(m.OWN_CHECK_MAP[5][2], 0);
    EXPECT_EQ(m.OWN_ATTACKER_CODE[5][3], -SYA);
    EXPECT_EQ(m.OWN_ATTACKER_X[5][3], 5);
    EXPECT_EQ(m.OWN_ATTACKER_Y[5][3], 9);
}

TEST(InfluenceSurvey, LinesStopAtTheFirstPieceUnlessItIsTheOpposingKing) {
    // An own pawn blocks: guarded, nothing beyond, no check.
    GameState g = surveyed({{5, 9, -SYA}, {5, 6, -HU}, {5, 3, +KING}});
    EXPECT_EQ(g.maps.OWN_GUARD_CODE[5][6], -SYA);
    EXPECT_EQ(g.maps.OWN_INFLUENCE[5][4], 0);
    for (int y = 1; y <= 9; ++y) EXPECT_EQ(g.maps.OWN_CHECK_MAP[5][y], 0) << y;
    // A line does not see through its own king.
    g = surveyed({{5, 1, +SYA}, {5, 3, +OU}, {5, 7, -HU}});
    EXPECT_EQ(g.maps.ENEMY_GUARD_CODE[5][3], +SYA);
    EXPECT_EQ(g.maps.ENEMY_INFLUENCE[5][5], 0);
    // Through the lower king it goes on, and stops at the next piece.
    g = surveyed({{5, 1, +SYA}, {5, 4, -OU}, {5, 7, -HU}});
    EXPECT_EQ(g.maps.ENEMY_INFLUENCE[5][6], 1);
    EXPECT_EQ(g.maps.ENEMY_ATTACKER_CODE[5][7], +SYA);
    EXPECT_EQ(g.maps.ENEMY_INFLUENCE[5][8], 0);
    EXPECT_EQ(g.maps.ENEMY_CHECK_MAP[5][1], CHECK_PIECE);
    EXPECT_EQ(g.maps.ENEMY_CHECK_MAP[5][2], CHECK_PATH);
    EXPECT_EQ(g.maps.ENEMY_CHECK_MAP[5][3], CHECK_PATH);
    EXPECT_EQ(g.maps.ENEMY_CHECK_MAP[5][4], 0);
    EXPECT_EQ(g.maps.ENEMY_CHECK_MAP[5][5], 0);
}

TEST(InfluenceSurvey, UpperRookRecordsTheAttackedPawnWithItsSquare) {
    GameState g = surveyed({{2, 1, +ROOK}, {2, 7, -HU}});
    for (int y = 2; y <= 7; ++y) EXPECT_EQ(g.maps.ENEMY_INFLUENCE[2][y], 1) << y;
    EXPECT_EQ(g.maps.ENEMY_INFLUENCE[2][8], 0);
    EXPECT_EQ(g.maps.ENEMY_ATTACKER_CODE[2][7], +ROOK);
    EXPECT_EQ(g.maps.ENEMY_ATTACKER_X[2][7], 2);
    EXPECT_EQ(g.maps.ENEMY_ATTACKER_Y[2][7], 1);
}

TEST(InfluenceSurvey, UpperBishopDiagonalsHaveThresholdThree) {
    GameState g = surveyed({{4, 1, +BISH}, {7, 4, -HU}});
    EXPECT_EQ(g.maps.ENEMY_INFLUENCE[5][2], 1);
    EXPECT_EQ(g.maps.ENEMY_INFLUENCE[6][3], 1);
    EXPECT_EQ(g.maps.ENEMY_INFLUENCE[7][4], 1);
    EXPECT_EQ(g.maps.ENEMY_INFLUENCE[8][5], 0);  // the pawn still blocks
    EXPECT_EQ(g.maps.ENEMY_ATTACKER_CODE[7][4], 999);
    g = surveyed({{4, 1, +BISH}, {7, 4, -KIN}});
    EXPECT_EQ(g.maps.ENEMY_ATTACKER_CODE[7][4], +BISH);
    EXPECT_EQ(g.maps.ENEMY_ATTACKER_X[7][4], 4);
    EXPECT_EQ(g.maps.ENEMY_ATTACKER_Y[7][4], 1);
    // Nor does it guard its own pawn.
    g = surveyed({{4, 1, +BISH}, {3, 2, +HU}});
    EXPECT_EQ(g.maps.ENEMY_GUARD_CODE[3][2], 999);
    EXPECT_EQ(g.maps.ENEMY_INFLUENCE[3][2], 1);
    EXPECT_EQ(g.maps.ENEMY_INFLUENCE[2][3], 0);
}

TEST(InfluenceSurvey, UpperQueenSeesPawnsOnItsLinesButNotOnItsDiagonals) {
    GameState g = surveyed({{5, 1, +QEEN}, {5, 4, +HU}, {8, 4, +HU}, {2, 4, -HU}, {5, 9, -OU}});
    EXPECT_EQ(g.maps.ENEMY_GUARD_CODE[5][4], +QEEN);  // line
    EXPECT_EQ(g.maps.ENEMY_GUARD_X[5][4], 5);
    EXPECT_EQ(g.maps.ENEMY_GUARD_CODE[8][4], 999);  // diagonal
    EXPECT_EQ(g.maps.ENEMY_ATTACKER_CODE[2][4], 999);
    EXPECT_EQ(g.maps.ENEMY_INFLUENCE[1][5], 0);
    // The same pawn on a line is attacked.
    g = surveyed({{5, 1, +QEEN}, {5, 4, -HU}});
    EXPECT_EQ(g.maps.ENEMY_ATTACKER_CODE[5][4], +QEEN);
}

TEST(InfluenceSurvey, LowerQueenChecksAlongADiagonalAndCountsBehindTheKing) {
    GameState g = surveyed({{1, 1, -QEEN}, {5, 5, +KING}});
    for (int i = 2; i <= 4; ++i) EXPECT_EQ(g.maps.OWN_CHECK_MAP[i][i], CHECK_PATH) << i;
    EXPECT_EQ(g.maps.OWN_CHECK_MAP[1][1], CHECK_PIECE);
    EXPECT_EQ(g.maps.OWN_CHECK_MAP[5][5], 0);
    for (int i = 6; i <= 9; ++i) EXPECT_EQ(g.maps.OWN_INFLUENCE[i][i], 1) << i;
    EXPECT_EQ(g.maps.OWN_ATTACKER_CODE[5][5], -QEEN);
}

TEST(InfluenceSurvey, LongRangePiecesInCornersAndOnEdges) {
    // Counts reached from the piece alone: a corner bishop one diagonal, an edge bishop two, a
    // lance on its last rank nothing.
    const struct {
        Put piece;
        int ownSquares, enemySquares;
    } cases[] = {
        {{1, 1, -BISH}, 8, 0},  {{9, 9, +KAKU}, 0, 8},   {{5, 9, -KAKU}, 0 + 4 + 4, 0},
        {{5, 9, +KYOU}, 0, 0},  {{5, 1, -KYOU}, 0, 0},   {{1, 1, +ROOK}, 0, 16},
        {{5, 5, -QEEN}, 32, 0}, {{5, 5, +SYA_N}, 0, 20},
    };
    for (const auto& c : cases) {
        GameState g = surveyed({c.piece});
        int own = 0, enemy = 0;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                own += g.maps.OWN_INFLUENCE[x][y];
                enemy += g.maps.ENEMY_INFLUENCE[x][y];
            }
        EXPECT_EQ(own, c.ownSquares) << c.piece.code << " at " << c.piece.x << c.piece.y;
        EXPECT_EQ(enemy, c.enemySquares) << c.piece.code << " at " << c.piece.x << c.piece.y;
    }
}

TEST(InfluenceSurvey, UpperGoldLikePiecesRecordKinWithoutAGuardSquare) {
    for (int gold : {+KIN, +HU_N, +KYOU_N, +KEI_N, +GIN_N}) {
        GameState g;
        g.maps.ENEMY_GUARD_X[5][4] = 3;  // wiped by the survey, never written by a gold
        g.BOARD[5][5] = gold;
        g.BOARD[5][4] = +ROOK;  // guarded from behind
        g.BOARD[4][6] = -GIN;   // in front: not attacked
        勢力調査(g);
        EXPECT_EQ(g.maps.ENEMY_GUARD_CODE[5][4], +KIN) << gold;
        EXPECT_EQ(g.maps.ENEMY_GUARD_X[5][4], 0) << gold;
        EXPECT_EQ(g.maps.ENEMY_GUARD_Y[5][4], 0) << gold;
        EXPECT_EQ(g.maps.ENEMY_INFLUENCE[4][6], 1) << gold;
        EXPECT_EQ(g.maps.ENEMY_ATTACKER_CODE[4][6], 999) << gold;
    }
}

TEST(InfluenceSurvey, LowerGoldLikePiecesRecordTheirOwnCode) {
    for (int gold : {-KIN, -HU_N, -KYOU_N, -KEI_N, -GIN_N}) {
        GameState g = surveyed({{5, 5, gold}, {6, 4, +QEEN}, {5, 6, -ROOK}});
        EXPECT_EQ(g.maps.OWN_ATTACKER_CODE[6][4], gold);
        EXPECT_EQ(g.maps.OWN_GUARD_CODE[5][6], gold);
    }
}

TEST(InfluenceSurvey, LowerGoldChecksFromEverySquareItReachesWithoutMarkingTheKing) {
    const Sq kingSquares[] = {{5, 4}, {4, 4}, {6, 4}, {5, 6}, {4, 5}, {6, 5}};
    for (const Sq k : kingSquares) {
        GameState g = surveyed({{5, 5, -KIN}, {k.x, k.y, +KING}});
        EXPECT_EQ(g.maps.OWN_CHECK_MAP[5][5], CHECK_PIECE) << k.x << k.y;
        EXPECT_EQ(g.maps.OWN_CHECK_MAP[k.x][k.y], 0) << k.x << k.y;
    }
    // Diagonally behind is not a gold square.
    GameState g = surveyed({{5, 5, -KIN}, {4, 6, +KING}});
    EXPECT_EQ(g.maps.OWN_CHECK_MAP[5][5], 0);
}

TEST(InfluenceSurvey, ChecksAreMarkedEvenWhenACheaperAttackerWasRecordedFirst) {
    // The 歩 on (5,6) is met first and keeps the attacker entry of the king's square; the gold
    // and the chess pawn met later still mark their squares as checking.
    GameState g = surveyed({{5, 6, -HU}, {6, 5, -KIN}, {6, 6, -PORN}, {5, 5, +KING}});
    EXPECT_EQ(g.maps.OWN_ATTACKER_CODE[5][5], -HU);
    EXPECT_EQ(g.maps.OWN_CHECK_MAP[5][6], CHECK_PIECE);
    EXPECT_EQ(g.maps.OWN_CHECK_MAP[6][5], CHECK_PIECE);
    EXPECT_EQ(g.maps.OWN_CHECK_MAP[6][6], CHECK_PIECE);
    g = surveyed({{5, 4, +HU}, {6, 6, +SYA_N}, {5, 5, -OU}});
    EXPECT_EQ(g.maps.ENEMY_ATTACKER_CODE[5][5], +HU);
    EXPECT_EQ(g.maps.ENEMY_CHECK_MAP[5][4], CHECK_PIECE);
    EXPECT_EQ(g.maps.ENEMY_CHECK_MAP[6][6], CHECK_PIECE);  // its diagonal step
}

TEST(InfluenceSurvey, LowerHorseRecordsKakuOnDiagonalsAndItsOwnCodeOnSteps) {
    GameState g = surveyed({{5, 5, -KAKU_N}, {7, 3, +GIN}, {5, 4, +GIN}, {4, 6, -HU}, {6, 5, -HU}});
    EXPECT_EQ(g.maps.OWN_ATTACKER_CODE[7][3], -KAKU);
    EXPECT_EQ(g.maps.OWN_GUARD_CODE[4][6], -KAKU);
    EXPECT_EQ(g.maps.OWN_ATTACKER_CODE[5][4], -KAKU_N);
    EXPECT_EQ(g.maps.OWN_GUARD_CODE[6][5], -KAKU_N);
}

TEST(InfluenceSurvey, UpperHorseStepsCountAndCheckButNeitherGuardNorAttack) {
    GameState g =
        surveyed({{5, 5, +KAKU_N}, {5, 6, -GIN}, {4, 5, +GIN}, {6, 6, -KIN}, {6, 4, +KIN}});
    const auto& m = g.maps;
    EXPECT_EQ(m.ENEMY_INFLUENCE[5][6], 2);  // the horse and the silver, neither attacking
    EXPECT_EQ(m.ENEMY_ATTACKER_CODE[5][6], 999);
    EXPECT_EQ(m.ENEMY_INFLUENCE[4][5], 1);
    EXPECT_EQ(m.ENEMY_GUARD_CODE[4][5], 999);
    EXPECT_EQ(m.ENEMY_ATTACKER_CODE[6][6], +KAKU_N);
    EXPECT_EQ(m.ENEMY_ATTACKER_X[6][6], 5);
    EXPECT_EQ(m.ENEMY_GUARD_CODE[6][4], +KAKU_N);
    EXPECT_EQ(m.ENEMY_GUARD_Y[6][4], 5);
    g = surveyed({{5, 5, +KAKU_N}, {6, 5, -OU}});
    EXPECT_EQ(g.maps.ENEMY_CHECK_MAP[5][5], CHECK_PIECE);
    EXPECT_EQ(g.maps.ENEMY_ATTACKER_CODE[6][5], 999);
}

TEST(InfluenceSurvey, UpperShortRangeGuardAndAttackerSquares) {
    // Which upper handlers store the guard's square, and which have an attack step.
    const struct {
        Put piece;
        Sq reach;
        bool guardSquare, attacks, attackerSquare;
    } cases[] = {
        {{5, 5, +HU}, {5, 6}, false, true, false},    {{5, 5, +PORN}, {4, 6}, false, true, false},
        {{5, 5, +KEI}, {4, 7}, true, false, false},   {{5, 5, +GIN}, {4, 4}, true, false, false},
        {{5, 5, +KNIG}, {3, 4}, true, false, false},  {{5, 5, +SYA_N}, {4, 4}, true, true, true},
        {{5, 5, +KING}, {4, 4}, false, false, false}, {{5, 5, +OU}, {4, 4}, false, false, false},
        {{5, 5, +KYOU}, {5, 6}, true, true, true},
    };
    for (const auto& c : cases) {
        GameState g = surveyed({c.piece, {c.reach.x, c.reach.y, +ROOK}});
        const int rx = c.reach.x, ry = c.reach.y;
        EXPECT_EQ(g.maps.ENEMY_GUARD_CODE[rx][ry], c.piece.code) << c.piece.code;
        EXPECT_EQ(g.maps.ENEMY_GUARD_X[rx][ry], c.guardSquare ? 5 : 0) << c.piece.code;
        g = surveyed({c.piece, {c.reach.x, c.reach.y, -ROOK}});
        EXPECT_EQ(g.maps.ENEMY_ATTACKER_CODE[rx][ry], c.attacks ? c.piece.code : 999)
            << c.piece.code;
        EXPECT_EQ(g.maps.ENEMY_ATTACKER_X[rx][ry], c.attackerSquare ? 5 : 0) << c.piece.code;
    }
}

TEST(InfluenceSurvey, KingsAreLocatedWhateverTheirKind) {
    GameState g = surveyed({{4, 9, -KING}, {6, 1, +OU}});
    EXPECT_EQ(g.OWN_KING_X, 4);
    EXPECT_EQ(g.OWN_KING_Y, 9);
    EXPECT_EQ(g.ENEMY_KING_X, 6);
    EXPECT_EQ(g.ENEMY_KING_Y, 1);
    // Kings never mark checks, even next to each other.
    g = surveyed({{5, 5, -OU}, {5, 4, +KING}});
    EXPECT_EQ(g.maps.OWN_CHECK_MAP[5][5], 0);
    EXPECT_EQ(g.maps.ENEMY_CHECK_MAP[5][4], 0);
    EXPECT_EQ(g.maps.OWN_INFLUENCE[5][4], 1);
    EXPECT_EQ(g.maps.ENEMY_INFLUENCE[5][5], 1);
}

TEST(InfluenceSurvey, StandardPositionCountsAndCodes) {
    GameState g;
    初期設定(g);
    勢力調査(g);
    EXPECT_EQ(g.OWN_KING_X, 5);
    EXPECT_EQ(g.OWN_KING_Y, 9);
    EXPECT_EQ(g.ENEMY_KING_X, 6);
    EXPECT_EQ(g.ENEMY_KING_Y, 1);
    // The 角 and the 桂 guard (3,7); nothing guards (2,7).
    EXPECT_EQ(g.maps.OWN_GUARD_CODE[3][7], -KAKU);
    EXPECT_EQ(g.maps.OWN_GUARD_CODE[2][7], 999);
    // Knight, bishop, queen and king guard the pawn on (5,2); the knight, met first, is cheapest.
    EXPECT_EQ(g.maps.ENEMY_GUARD_CODE[5][2], +KNIG);
    EXPECT_EQ(g.maps.ENEMY_GUARD_X[5][2], 3);
    EXPECT_EQ(g.maps.ENEMY_GUARD_Y[5][2], 1);
    EXPECT_EQ(g.maps.ENEMY_INFLUENCE[5][2], 4);
    // Row 3 in front of the chess pawns: two pawn diagonals, and nothing of the lower side.
    EXPECT_EQ(g.maps.ENEMY_INFLUENCE[5][3], 2);
    EXPECT_EQ(g.maps.OWN_INFLUENCE[5][3], 0);
    EXPECT_EQ(g.maps.OWN_INFLUENCE[5][6], 1);
}

// The code maps change only on squares of the matching side, and a survey depends on nothing but
// the board: the same board surveyed over other maps gives the same maps.
TEST(InfluenceSurvey, RandomBoardsKeepTheMapInvariants) {
    std::mt19937 rng(20240917u);
    std::uniform_int_distribution<int> code(-20, 20), coin(0, 2);
    for (int round = 0; round < 200; ++round) {
        GameState g;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) g.BOARD[x][y] = coin(rng) == 0 ? code(rng) : EMPTY;
        勢力調査(g);
        const InfluenceMaps first = g.maps;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                const int t = g.BOARD[x][y];
                if (t > -1) {
                    EXPECT_EQ(first.OWN_GUARD_CODE[x][y], 999);
                    EXPECT_EQ(first.ENEMY_ATTACKER_CODE[x][y], 999);
                }
                if (t < 1) {
                    EXPECT_EQ(first.ENEMY_GUARD_CODE[x][y], 999);
                    EXPECT_EQ(first.OWN_ATTACKER_CODE[x][y], -999);
                }
                g.maps.ENEMY_GUARD_X[x][y] = 5;
                g.maps.ENEMY_ATTACKER_Y[x][y] = 7;
                g.maps.OWN_CHECK_MAP[x][y] = 9;
            }
        勢力調査(g);
        for (const auto& r : kResetMaps) ASSERT_EQ(g.maps.*r.map, first.*r.map) << r.name;
    }
}

}  // namespace
}  // namespace zorvan
