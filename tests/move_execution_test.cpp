// Move execution: captures filed into the captor's hand, king captures, castling rooks, drops,
// en passant taking the passed pawn, the lower king's square, and what is repainted.
#include "play/move_execution.h"

#include <gtest/gtest.h>

#include <vector>

#include "position_helper.h"

namespace zorvan {
namespace {

using test::emptyBoard;
using test::put;

void execute(GameState& g, int fx, int fy, int tx, int ty, int code) {
    Drawing silent(g);
    駒移動(g, silent, fx, fy, tx, ty, code);
}

TEST(MoveExecution, CapturesAreFiledUnderTheCapturedKind) {
    const struct {
        int mover, captured, slot;
    } cases[] = {
        {-KIN, +SYA_N, 12}, {-KIN, +HU_N, 6},    {-KIN, +KYOU_N, 7}, {-KIN, +KEI_N, 8},
        {-KIN, +GIN_N, 9},  {-KIN, +KAKU_N, 11}, {-KIN, +QEEN, 5},   {-KIN, +PORN, 1},
        {-KIN, +ROOK, 2},   {-KIN, +KNIG, 3},    {-KIN, +BISH, 4},   {-KIN, +KIN, 10},
        {+KIN, -HU_N, 6},   {+KIN, -SYA_N, 12},  {+KIN, -QEEN, 5},   {+KIN, -KAKU, 11},
        {+KIN, -PORN, 1},
    };
    for (const auto& c : cases) {
        GameState g = emptyBoard();
        put(g, 5, 5, c.mover);
        put(g, 5, 4, c.captured);
        execute(g, 5, 5, 5, 4, c.mover);
        const Side captor = ownerOf(c.mover);
        Hand expected{};
        expected[static_cast<size_t>(c.slot)] = 1;
        EXPECT_EQ(g.handOf(captor), expected) << c.captured;
        EXPECT_EQ(g.handCountOf(captor), 1) << c.captured;
        EXPECT_EQ(g.handOf(captor == Side::Lower ? Side::Upper : Side::Lower), Hand{});
        EXPECT_EQ(g.BOARD[5][4], c.mover);
        EXPECT_EQ(g.BOARD[5][5], EMPTY);
        EXPECT_EQ(g.WINNER, NO_SIDE);
    }
}

TEST(MoveExecution, APawnPromotedToAQueenIsCapturedAsAQueen) {
    GameState g = emptyBoard();
    put(g, 5, 2, -PORN);
    put(g, 4, 1, +ROOK);
    execute(g, 5, 2, 5, 1, -QEEN);  // promotes on the last row
    execute(g, 4, 1, 5, 1, +ROOK);
    EXPECT_EQ(g.ENEMY_HAND[5], 1);
    EXPECT_EQ(g.ENEMY_HAND[1], 0);
}

TEST(MoveExecution, TakingAKingRecordsTheWinnerAndNoHandSlot) {
    const struct {
        int mover, king, lowerPlayer, winner;
    } cases[] = {
        {-KIN, +KING, SENTE, SENTE},
        {-KIN, +OU, GOTE, GOTE},
        {+KIN, -OU, SENTE, GOTE},
        {+KIN, -KING, GOTE, SENTE},
    };
    for (const auto& c : cases) {
        GameState g = emptyBoard();
        g.LOWER_PLAYER = c.lowerPlayer;
        g.UPPER_PLAYER = -c.lowerPlayer;
        put(g, 5, 5, c.mover);
        put(g, 5, 4, c.king);
        execute(g, 5, 5, 5, 4, c.mover);
        EXPECT_EQ(g.WINNER, c.winner) << c.king;
        EXPECT_EQ(g.OWN_HAND, Hand{});
        EXPECT_EQ(g.ENEMY_HAND, Hand{});
        EXPECT_EQ(g.handCountOf(ownerOf(c.mover)), 1);  // the total counts every capture
    }
}

TEST(MoveExecution, CastlingMovesTheRook) {
    const struct {
        int king, fx, y, tx, rookFrom, rookTo;
    } cases[] = {
        {+KING, 6, 1, 8, 9, 7},
        {+KING, 6, 1, 4, 2, 5},
        {-KING, 4, 9, 6, 8, 5},
        {-KING, 4, 9, 2, 1, 3},
    };
    for (const auto& c : cases) {
        GameState g = emptyBoard();
        const int rook = c.king > 0 ? +ROOK : -ROOK;
        put(g, c.fx, c.y, c.king);
        put(g, c.rookFrom, c.y, rook);
        execute(g, c.fx, c.y, c.tx, c.y, c.king);
        EXPECT_EQ(g.BOARD[c.tx][c.y], c.king) << c.fx << "->" << c.tx;
        EXPECT_EQ(g.BOARD[c.rookTo][c.y], rook);
        EXPECT_EQ(g.BOARD[c.rookFrom][c.y], EMPTY);
        EXPECT_EQ(g.BOARD[c.fx][c.y], EMPTY);
    }
}

TEST(MoveExecution, DropsEmptyTheirHandSlot) {
    GameState g = emptyBoard();
    test::giveHand(g, Side::Lower, 5, 2);
    test::giveHand(g, Side::Upper, 6, 1);
    const Board before = g.BOARD;
    execute(g, LOWER_HAND_COLUMN, 5, 5, 5, -QEEN);
    EXPECT_EQ(g.BOARD[5][5], -QEEN);
    EXPECT_EQ(g.OWN_HAND[5], 1);
    EXPECT_EQ(g.OWN_HAND_COUNT, 1);
    execute(g, UPPER_HAND_COLUMN, 6, 4, 4, +HU);
    EXPECT_EQ(g.BOARD[4][4], +HU);
    EXPECT_EQ(g.ENEMY_HAND[6], 0);
    EXPECT_EQ(g.ENEMY_HAND_COUNT, 0);
    int changed = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) changed += g.BOARD[x][y] != before[x][y];
    EXPECT_EQ(changed, 2);
}

TEST(MoveExecution, EnPassantTakesThePassedPawnIntoTheCaptorsHand) {
    const struct { int pawn, fx, fy, tx, ty; } cases[] = {{-PORN, 4, 4, 5, 3}, {+PORN, 6, 6, 5, 7}};
    for (const auto& c : cases) {
        GameState g = emptyBoard();
        put(g, c.fx, c.fy, c.pawn);
        put(g, c.tx, c.fy, -c.pawn);
        execute(g, c.fx, c.fy, c.tx, c.ty, c.pawn);
        EXPECT_EQ(g.BOARD[c.tx][c.ty], c.pawn);
        EXPECT_EQ(g.BOARD[c.tx][c.fy], EMPTY) << "the passed pawn is taken off";
        EXPECT_EQ(g.BOARD[c.fx][c.fy], EMPTY);
        EXPECT_EQ(g.handOf(ownerOf(c.pawn))[1], 1);
        EXPECT_EQ(g.handCountOf(ownerOf(c.pawn)), 1);
    }
}

TEST(MoveExecution, AStepOntoAnEmptySquareChangesNoHand) {
    GameState g = emptyBoard();
    put(g, 5, 5, -PORN);
    put(g, 4, 5, +HU);  // beside, but not a chess pawn
    execute(g, 5, 5, 5, 4, -PORN);
    EXPECT_EQ(g.OWN_HAND, Hand{});
    EXPECT_EQ(g.OWN_HAND_COUNT, 0);
    EXPECT_EQ(g.BOARD[4][5], +HU);
}

TEST(MoveExecution, KeepsTheLowerKingsSquareOnly) {
    GameState g = emptyBoard();
    put(g, 5, 9, -OU);
    put(g, 4, 1, +OU);
    execute(g, 5, 9, 5, 8, -OU);
    EXPECT_EQ(g.OWN_KING_X, 5);
    EXPECT_EQ(g.OWN_KING_Y, 8);
    execute(g, 4, 1, 4, 2, +OU);
    EXPECT_EQ(g.ENEMY_KING_X, 0);
    put(g, 2, 2, -KING);
    execute(g, 2, 2, 3, 3, -KING);
    EXPECT_EQ(g.OWN_KING_X, 3);
    EXPECT_EQ(g.OWN_KING_Y, 3);
}

TEST(MoveExecution, CoordinatesNamingNoSquareChangeNothing) {
    GameState g = emptyBoard();
    put(g, 5, 5, -KIN);
    test::giveHand(g, Side::Lower, 10, 1);
    const Board before = g.BOARD;
    execute(g, 5, 5, 5, 0, -KIN);
    execute(g, 0, 5, 5, 4, -KIN);
    execute(g, LOWER_HAND_COLUMN, 13, 5, 4, -KIN);
    execute(g, LOWER_HAND_COLUMN, 0, 5, 4, -KIN);
    EXPECT_EQ(g.BOARD, before);
    EXPECT_EQ(g.OWN_HAND[10], 1);
}

// Records what the drawing procedures paint.
class RecordingCanvas : public Canvas {
public:
    struct Paint {
        int picture;
        double c, r;
        bool operator==(const Paint&) const = default;
    };
    std::vector<Paint> paints;
    void picture(int picture, int /*shade*/, double c, double r) override {
        paints.push_back({picture, c, r});
    }
    void outline(int, double, double) override {}
    void text(double, double, std::string_view, int, int) override {}
    void refresh() override {}
    bool painted(Paint p) const {
        for (const Paint& q : paints)
            if (q == p) return true;
        return false;
    }
};

TEST(MoveExecution, RepaintsOriginTargetAndTheUpperHandRowOfTheSlot) {
    GameState g = emptyBoard();
    test::giveHand(g, Side::Upper, 2, 1);
    put(g, 5, 7, -HU);
    RecordingCanvas canvas;
    Drawing d(g, &canvas);
    駒移動(g, d, 5, 7, 5, 6, -HU);
    EXPECT_TRUE(canvas.painted({EMPTY, 5, 7}));
    EXPECT_TRUE(canvas.painted({-HU, 5, 6}));
    canvas.paints.clear();
    駒移動(g, d, UPPER_HAND_COLUMN, 2, 3, 3, +ROOK);  // slot 2 is shown in row 8
    EXPECT_TRUE(canvas.painted({EMPTY, -1, 8}));
}

}  // namespace
}  // namespace zorvan
