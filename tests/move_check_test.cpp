// The rule book: every piece of both sides, drops and dead rows, the two-pawn rule, the chess
// pawn's double step and en passant, and the four castlings.
#include "rules/move_check.h"

#include <gtest/gtest.h>

#include <vector>

#include "play/line_play.h"
#include "position_helper.h"
#include "rules/hand_rules.h"

namespace zorvan {
namespace {

using test::emptyBoard;
using test::put;

struct Square {
    int x = 0, y = 0, code = EMPTY;
};

// One move of a lower-side piece on an otherwise empty board (with up to two other pieces).
// Every case is also checked for the upper side, turned round: codes negated, squares mirrored.
struct MoveCase {
    int code;
    int fx, fy, tx, ty;
    int expected;
    Square a{}, b{};
};

MoveCase mirrored(const MoveCase& c) {
    auto turn = [](Square s) { return s.code == EMPTY ? s : Square{10 - s.x, 10 - s.y, -s.code}; };
    return {-c.code, 10 - c.fx, 10 - c.fy, 10 - c.tx, 10 - c.ty, c.expected, turn(c.a), turn(c.b)};
}

void expectBothSides(const std::vector<MoveCase>& cases) {
    for (const MoveCase& lower : cases) {
        for (const MoveCase& c : {lower, mirrored(lower)}) {
            GameState g = emptyBoard();
            put(g, c.fx, c.fy, c.code);
            if (c.a.code != EMPTY) put(g, c.a.x, c.a.y, c.a.code);
            if (c.b.code != EMPTY) put(g, c.b.x, c.b.y, c.b.code);
            EXPECT_EQ(移動チェック(g, c.fx, c.fy, c.tx, c.ty, c.code), c.expected)
                << kindName(kindOf(c.code)) << (c.code < 0 ? " lower " : " upper ") << c.fx << c.fy
                << "->" << c.tx << c.ty;
        }
    }
}

TEST(MoveCheck, BoardEdgesNullMovesAndCaptures) {
    expectBothSides({
        {-SYA, 5, 5, 5, 0, OFF},
        {-SYA, 5, 5, 5, 10, OFF},
        {-SYA, 5, 5, 0, 5, OFF},
        {-SYA, 5, 5, 10, 5, OFF},
        {-SYA, 5, 5, 5, 5, OFF},
        {-SYA, 5, 5, 5, 3, OFF, {5, 3, -HU}},   // own piece
        {-SYA, 5, 5, 5, 3, ON, {5, 3, +HU}},    // opposing piece
        {-SYA, 5, 5, 5, 3, ON, {5, 3, +KING}},  // a king is captured like any piece
        {-OU, 5, 5, 4, 4, ON, {4, 4, +OU}},
    });
}

TEST(MoveCheck, ShogiPawnLanceAndKnight) {
    expectBothSides({
        {-HU, 5, 5, 5, 4, ON},
        {-HU, 5, 5, 5, 6, OFF},
        {-HU, 5, 5, 4, 5, OFF},
        {-HU, 5, 5, 4, 4, OFF},
        {-HU, 5, 5, 5, 3, OFF},
        {-KYOU, 5, 7, 5, 3, ON},
        {-KYOU, 5, 7, 5, 3, OFF, {5, 5, +HU}},
        {-KYOU, 5, 7, 5, 3, OFF, {5, 4, -HU}},
        {-KYOU, 5, 7, 5, 3, ON, {5, 3, +HU}},
        {-KYOU, 5, 7, 5, 8, OFF},
        {-KYOU, 5, 7, 4, 6, OFF},
        {-KEI, 5, 5, 4, 3, ON, {5, 4, +KIN}, {4, 4, -KIN}},  // jumps over anything
        {-KEI, 5, 5, 6, 3, ON},
        {-KEI, 5, 5, 4, 7, OFF},
        {-KEI, 5, 5, 3, 4, OFF},
        {-KEI, 5, 5, 5, 3, OFF},
    });
}

TEST(MoveCheck, SilverGoldAndPiecesThatMoveAsGold) {
    std::vector<MoveCase> cases = {
        {-GIN, 5, 5, 4, 4, ON},  {-GIN, 5, 5, 5, 4, ON},  {-GIN, 5, 5, 6, 4, ON},
        {-GIN, 5, 5, 4, 6, ON},  {-GIN, 5, 5, 6, 6, ON},  {-GIN, 5, 5, 5, 6, OFF},
        {-GIN, 5, 5, 4, 5, OFF}, {-GIN, 5, 5, 5, 3, OFF},
    };
    for (int code : {-KIN, -HU_N, -KYOU_N, -KEI_N, -GIN_N}) {
        for (auto [tx, ty] : {std::pair{4, 4}, {5, 4}, {6, 4}, {4, 5}, {6, 5}, {5, 6}})
            cases.push_back({code, 5, 5, tx, ty, ON});
        for (auto [tx, ty] : {std::pair{4, 6}, {6, 6}, {5, 3}, {3, 5}})
            cases.push_back({code, 5, 5, tx, ty, OFF});
    }
    expectBothSides(cases);
}

TEST(MoveCheck, ShogiBishopRookAndTheirPromotions) {
    expectBothSides({
        {-KAKU, 5, 5, 2, 2, ON},
        {-KAKU, 5, 5, 8, 8, ON},
        {-KAKU, 5, 5, 1, 9, ON},
        {-KAKU, 5, 5, 2, 2, OFF, {3, 3, +HU}},
        {-KAKU, 5, 5, 2, 2, ON, {2, 2, +HU}},
        {-KAKU, 5, 5, 5, 4, OFF},
        {-KAKU, 5, 5, 4, 3, OFF},
        {-KAKU_N, 5, 5, 5, 4, ON},
        {-KAKU_N, 5, 5, 4, 5, ON},
        {-KAKU_N, 5, 5, 3, 3, ON},
        {-KAKU_N, 5, 5, 3, 3, OFF, {4, 4, -HU}},
        {-KAKU_N, 5, 5, 5, 3, OFF},
        {-SYA, 5, 5, 5, 1, ON},
        {-SYA, 5, 5, 1, 5, ON},
        {-SYA, 5, 5, 9, 5, ON},
        {-SYA, 5, 5, 5, 9, ON},
        {-SYA, 5, 5, 5, 1, OFF, {5, 3, +HU}},
        {-SYA, 5, 5, 9, 5, OFF, {7, 5, -HU}},
        {-SYA, 5, 5, 4, 4, OFF},
        {-SYA_N, 5, 5, 4, 4, ON},
        {-SYA_N, 5, 5, 6, 6, ON},
        {-SYA_N, 5, 5, 5, 2, ON},
        {-SYA_N, 5, 5, 5, 2, OFF, {5, 4, +KIN}},
        {-SYA_N, 5, 5, 3, 3, OFF},
    });
}

TEST(MoveCheck, KingsStepOneSquare) {
    std::vector<MoveCase> cases;
    for (int code : {-OU, -KING}) {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (dx != 0 || dy != 0) cases.push_back({code, 5, 5, 5 + dx, 5 + dy, ON});
        cases.push_back({code, 5, 5, 5, 3, OFF});
        cases.push_back({code, 5, 5, 7, 5, OFF});
        cases.push_back({code, 5, 5, 3, 5, OFF});
    }
    expectBothSides(cases);
}

TEST(MoveCheck, ChessKnightBishopRookQueen) {
    std::vector<MoveCase> cases;
    for (auto [dx, dy] :
         {std::pair{1, 2}, {2, 1}, {-1, 2}, {-2, 1}, {1, -2}, {2, -1}, {-1, -2}, {-2, -1}})
        cases.push_back({-KNIG, 5, 5, 5 + dx, 5 + dy, ON, {5, 4, +HU}, {4, 5, -HU}});
    cases.insert(cases.end(), {
                                  {-KNIG, 5, 5, 5, 3, OFF},
                                  {-KNIG, 5, 5, 7, 7, OFF},
                                  {-KNIG, 5, 5, 6, 6, OFF},
                                  {-BISH, 5, 5, 9, 1, ON},
                                  {-BISH, 5, 5, 9, 1, OFF, {7, 3, +HU}},
                                  {-BISH, 5, 5, 5, 1, OFF},
                                  {-ROOK, 5, 5, 5, 9, ON},
                                  {-ROOK, 5, 5, 1, 5, OFF, {2, 5, +HU}},
                                  {-ROOK, 5, 5, 6, 6, OFF},
                                  {-QEEN, 5, 5, 9, 9, ON},
                                  {-QEEN, 5, 5, 5, 1, ON},
                                  {-QEEN, 5, 5, 1, 5, ON},
                                  {-QEEN, 5, 5, 9, 9, OFF, {8, 8, -HU}},
                                  {-QEEN, 5, 5, 5, 1, OFF, {5, 2, +HU}},
                                  {-QEEN, 5, 5, 6, 7, OFF},
                                  {-QEEN, 5, 5, 7, 4, OFF},
                              });
    expectBothSides(cases);
}

TEST(MoveCheck, ChessPawnStepsAndCaptures) {
    expectBothSides({
        {-PORN, 5, 5, 5, 4, ON},
        {-PORN, 5, 5, 5, 4, OFF, {5, 4, +HU}},  // no straight capture
        {-PORN, 5, 5, 4, 4, ON, {4, 4, +HU}},   // diagonal capture
        {-PORN, 5, 5, 6, 4, ON, {6, 4, +KING}},
        {-PORN, 5, 5, 4, 4, OFF},  // diagonal onto an empty square
        {-PORN, 5, 5, 4, 4, OFF, {4, 4, -HU}},
        {-PORN, 5, 5, 5, 6, OFF},
        {-PORN, 5, 5, 4, 5, OFF},
        {-PORN, 5, 5, 4, 6, OFF, {4, 6, +HU}},
        // Double step from the start row only, over an empty square onto an empty square.
        {-PORN, 5, 8, 5, 6, ON},
        {-PORN, 5, 8, 5, 6, OFF, {5, 7, +HU}},
        {-PORN, 5, 8, 5, 6, OFF, {5, 6, +HU}},
        {-PORN, 5, 7, 5, 5, OFF},
        {-PORN, 5, 8, 5, 5, OFF},
        {-PORN, 5, 8, 4, 6, OFF, {4, 6, +HU}},
    });
}

// Drops of a lower-side piece from column 11; each is also checked for the upper side from
// column -1 with the target mirrored.
struct DropCase {
    int code, tx, ty, expected;
    Square a{};
};

void expectDropsBothSides(const std::vector<DropCase>& cases) {
    for (const DropCase& c : cases) {
        for (int side = 0; side < 2; ++side) {
            const bool upper = side == 1;
            const int code = upper ? -c.code : c.code;
            const int tx = upper ? 10 - c.tx : c.tx;
            const int ty = upper ? 10 - c.ty : c.ty;
            GameState g = emptyBoard();
            if (c.a.code != EMPTY)
                put(g, upper ? 10 - c.a.x : c.a.x, upper ? 10 - c.a.y : c.a.y,
                    upper ? -c.a.code : c.a.code);
            調査_2歩フラグ設定(g);
            const int column = upper ? UPPER_HAND_COLUMN : LOWER_HAND_COLUMN;
            EXPECT_EQ(移動チェック(g, column, handSlotOf(code), tx, ty, code), c.expected)
                << kindName(kindOf(code)) << (upper ? " upper" : " lower") << " drop on " << tx
                << ty;
        }
    }
}

TEST(MoveCheck, DropsOnDeadRows) {
    expectDropsBothSides({
        {-HU, 5, 1, OFF},
        {-HU, 5, 2, ON},
        {-KYOU, 5, 1, OFF},
        {-KYOU, 5, 2, ON},
        {-KEI, 5, 1, OFF},
        {-KEI, 5, 2, OFF},
        {-KEI, 5, 3, ON},
        {-PORN, 5, 1, OFF},
        {-PORN, 5, 2, OFF},
        {-PORN, 5, 3, ON},
        {-KIN, 5, 1, ON},
        {-GIN, 5, 1, ON},
        {-KAKU, 5, 1, ON},
        {-SYA, 5, 1, ON},
        {-ROOK, 5, 1, ON},
        {-KNIG, 5, 1, ON},
        {-BISH, 5, 1, ON},
        {-QEEN, 5, 1, ON},
        {-KIN, 9, 9, ON},
        {-QEEN, 5, 5, OFF, {5, 5, +HU}},  // only onto an empty square
        {-QEEN, 5, 5, OFF, {5, 5, -HU}},
    });
}

TEST(MoveCheck, TwoPawnRuleCountsOnlyUnpromotedShogiPawns) {
    expectDropsBothSides({
        {-HU, 5, 4, OFF, {5, 7, -HU}},
        {-HU, 4, 4, ON, {5, 7, -HU}},
        {-HU, 5, 4, ON, {5, 7, -HU_N}},
        {-HU, 5, 4, ON, {5, 7, -PORN}},
        {-HU, 5, 5, ON, {5, 3, +HU}},      // the other side's pawn does not count
        {-PORN, 5, 4, ON, {5, 7, -PORN}},  // chess pawns have no such rule
        {-PORN, 5, 4, ON, {5, 7, -HU}},
    });
}

TEST(MoveCheck, TwoPawnRuleReadsTheFlagsAsLastSet) {
    GameState g = emptyBoard();
    put(g, 5, 7, -HU);
    EXPECT_EQ(移動チェック(g, 11, 6, 5, 4, -HU), ON);  // flags not yet refreshed
    調査_2歩フラグ設定(g);
    EXPECT_EQ(移動チェック(g, 11, 6, 5, 4, -HU), OFF);
}

// Plays the moves (in the game's notation) as a game between persons does.
void play(GameState& g, std::initializer_list<const char*> moves) {
    Drawing silent(g);
    for (const char* text : moves) {
        Move m;
        ASSERT_TRUE(findLegalMove(g, text, m)) << text;
        playMove(g, silent, m);
    }
}

TEST(MoveCheck, EnPassantOnlyRightAfterThePawnArrivedBeside) {
    // Lower pawn on (4,4); the upper pawn double-steps from (5,2) to (5,4).
    GameState g = emptyBoard(GOTE);
    put(g, 4, 4, -PORN);
    put(g, 5, 2, +PORN);
    put(g, 1, 9, -OU);
    put(g, 9, 1, +KING);
    play(g, {"5254"});
    EXPECT_EQ(移動チェック(g, 4, 4, 5, 3, -PORN), ON);
    EXPECT_EQ(移動チェック(g, 4, 4, 3, 3, -PORN), OFF);  // no pawn passed on that side
    play(g, {"1918", "9192"});
    EXPECT_EQ(移動チェック(g, 4, 4, 5, 3, -PORN), OFF);  // one move later
}

TEST(MoveCheck, EnPassantDoesNotAskWhereThePawnCameFrom) {
    for (const char* arrival : {"5354", "PORN*54"}) {
        GameState g = emptyBoard(GOTE);
        put(g, 4, 4, -PORN);
        put(g, 5, 3, +PORN);
        put(g, 1, 9, -OU);
        put(g, 9, 1, +KING);
        g.checks.CHESS_MOCHIKOMA = true;
        test::giveHand(g, Side::Upper, 1, 1);
        if (std::string(arrival) == "PORN*54") put(g, 5, 3, EMPTY);
        play(g, {arrival});
        EXPECT_EQ(移動チェック(g, 4, 4, 5, 3, -PORN), ON) << arrival;
    }
}

TEST(MoveCheck, EnPassantOnlyFromTheEnPassantRow) {
    GameState g = emptyBoard(GOTE);
    put(g, 4, 5, -PORN);
    put(g, 5, 4, +PORN);
    put(g, 1, 9, -OU);
    put(g, 9, 1, +KING);
    play(g, {"5455"});
    EXPECT_EQ(移動チェック(g, 4, 5, 5, 4, -PORN), OFF);
}

TEST(MoveCheck, UpperPawnTakesEnPassantOnItsRow) {
    GameState g = emptyBoard(SENTE);
    put(g, 6, 6, +PORN);
    put(g, 5, 8, -PORN);
    put(g, 1, 9, -OU);
    put(g, 9, 1, +KING);
    play(g, {"5856"});
    EXPECT_EQ(移動チェック(g, 6, 6, 5, 7, +PORN), ON);
    put(g, 5, 6, -HU);  // a shogi pawn beside is not passed
    EXPECT_EQ(移動チェック(g, 6, 6, 5, 7, +PORN), OFF);
}

// Castling: king move, the squares that must be empty, the rook's corner.
struct CastlingCase {
    int king, fx, fy, tx, ty;
    std::vector<std::pair<int, int>> between;
    Square rook;
};

const std::vector<CastlingCase> kCastlings = {
    {+KING, 6, 1, 8, 1, {{7, 1}, {8, 1}}, {9, 1, +ROOK}},
    {+KING, 6, 1, 4, 1, {{3, 1}, {4, 1}, {5, 1}}, {2, 1, +ROOK}},
    {-KING, 4, 9, 6, 9, {{5, 9}, {6, 9}, {7, 9}}, {8, 9, -ROOK}},
    {-KING, 4, 9, 2, 9, {{2, 9}, {3, 9}}, {1, 9, -ROOK}},
};

GameState castlingBoard(const CastlingCase& c) {
    GameState g = emptyBoard();
    put(g, c.fx, c.fy, c.king);
    put(g, c.rook.x, c.rook.y, c.rook.code);
    return g;
}

TEST(MoveCheck, FourCastlingsWhenTheWayIsClear) {
    for (const CastlingCase& c : kCastlings) {
        GameState g = castlingBoard(c);
        // Allowed also when the king stands attacked (a rook faces it on the same file).
        put(g, c.fx, 5, c.king > 0 ? -ROOK : +ROOK);
        EXPECT_EQ(移動チェック(g, c.fx, c.fy, c.tx, c.ty, c.king), ON) << c.fx << "->" << c.tx;
    }
}

TEST(MoveCheck, CastlingRefusedWhenBlockedOrWithoutItsRook) {
    for (const CastlingCase& c : kCastlings) {
        for (auto [x, y] : c.between) {
            GameState g = castlingBoard(c);
            put(g, x, y, c.king > 0 ? +KNIG : -KNIG);
            EXPECT_EQ(移動チェック(g, c.fx, c.fy, c.tx, c.ty, c.king), OFF) << x << y;
        }
        GameState noRook = castlingBoard(c);
        put(noRook, c.rook.x, c.rook.y, EMPTY);
        EXPECT_EQ(移動チェック(noRook, c.fx, c.fy, c.tx, c.ty, c.king), OFF);
        GameState opposingRook = castlingBoard(c);
        put(opposingRook, c.rook.x, c.rook.y, -c.rook.code);
        EXPECT_EQ(移動チェック(opposingRook, c.fx, c.fy, c.tx, c.ty, c.king), OFF);
        GameState shogiKing = castlingBoard(c);  // 王 never castles
        put(shogiKing, c.fx, c.fy, c.king > 0 ? +OU : -OU);
        EXPECT_EQ(移動チェック(shogiKing, c.fx, c.fy, c.tx, c.ty, c.king > 0 ? +OU : -OU), OFF);
    }
}

TEST(MoveCheck, CastlingOnlyFromTheKingsOwnHomeSquare) {
    GameState g = emptyBoard();
    put(g, 5, 1, +KING);  // one file off its home square
    put(g, 9, 1, +ROOK);
    EXPECT_EQ(移動チェック(g, 5, 1, 7, 1, +KING), OFF);
    GameState lowerCorner = emptyBoard();  // the upper king on the lower side's home square
    put(lowerCorner, 4, 9, +KING);
    put(lowerCorner, 8, 9, +ROOK);
    EXPECT_EQ(移動チェック(lowerCorner, 4, 9, 6, 9, +KING), OFF);
}

TEST(PathChecks, TheTwoOfEachPairAgreeAndIgnoreTheTarget) {
    GameState g = emptyBoard();
    put(g, 7, 7, +HU);
    put(g, 5, 2, -HU);
    for (auto check : {移動チェックビショ, 移動チェック角}) {
        EXPECT_EQ(check(g, 5, 5, 7, 7), ON);   // the target is not examined
        EXPECT_EQ(check(g, 5, 5, 8, 8), OFF);  // blocked on (7,7)
        EXPECT_EQ(check(g, 5, 5, 6, 7), OFF);
        EXPECT_EQ(check(g, 5, 5, 12, 12), OFF);  // off the board: no square is read
    }
    for (auto check : {移動チェックルーク, 移動チェック飛車}) {
        EXPECT_EQ(check(g, 5, 5, 5, 2), ON);
        EXPECT_EQ(check(g, 5, 5, 5, 1), OFF);
        EXPECT_EQ(check(g, 5, 5, 6, 6), OFF);
        EXPECT_EQ(check(g, -3, 5, 5, 5), OFF);
    }
}

TEST(MoveCheck, SourcesOffTheBoardAreOnlyHandColumns) {
    GameState g = emptyBoard();
    EXPECT_EQ(移動チェック(g, 0, 5, 1, 5, -SYA), OFF);
    EXPECT_EQ(移動チェック(g, -30, 5, 1, 5, -SYA), OFF);
    EXPECT_EQ(移動チェック(g, 5, 12, 5, 9, -SYA), OFF);
    EXPECT_EQ(移動チェック(g, 11, 99, 5, 5, -SYA), ON);  // a drop: the slot is not looked at
    EXPECT_EQ(移動チェック(g, 5, 5, 5, 4, 0), OFF);      // not a piece
    EXPECT_EQ(移動チェック(g, 5, 5, 5, 4, 21), OFF);
}

}  // namespace
}  // namespace zorvan
