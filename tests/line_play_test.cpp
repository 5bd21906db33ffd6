// Playing moves as a game between persons: history snapshots, counters and the turn; long games;
// and the light make/take-back pair agreeing with the full path.
#include "play/line_play.h"

#include <gtest/gtest.h>

#include "position_helper.h"
#include "records/history.h"

namespace zorvan {
namespace {

using test::started;

TEST(History, EachMoveStoresItsSnapshot) {
    GameState g = started("7776");
    EXPECT_EQ(g.MOVE_NO, 1);
    EXPECT_EQ(g.MOVE_COUNT, 1);
    EXPECT_EQ(g.RECORD_END, 1);
    EXPECT_EQ(g.HISTORY[1], g.BOARD);
    EXPECT_EQ(g.MOVE_TO_X[1], 7);
    EXPECT_EQ(g.MOVE_TO_Y[1], 6);
    EXPECT_EQ(g.MOVE_CODE[1], -HU);
    EXPECT_EQ(g.TURN, GOTE);
}

TEST(History, PromotionsAndDropsAreVisibleInTheRecord) {
    // The 角 takes the pawn on (8,2) and promotes; the chess bishop takes it back.
    GameState g = started("3736 6263 2882+ 7182");
    EXPECT_EQ(g.MOVE_CODE[3], -KAKU_N);
    EXPECT_EQ(g.OWN_HAND_HISTORY[3][1], 1);  // the chess pawn taken on (8,2)
    Drawing silent(g);
    ASSERT_EQ(playLine(g, silent, "PORN*55"), 0);
    EXPECT_EQ(g.MOVE_CODE[5], -PORN);
    EXPECT_EQ(g.MOVE_TO_X[5], 5);
    EXPECT_EQ(g.MOVE_TO_Y[5], 5);
    EXPECT_EQ(g.OWN_HAND_HISTORY[5][1], 0);
    EXPECT_EQ(g.ENEMY_HAND_HISTORY[4][11], 1);  // the 角成 went back to the upper hand as 角
}

TEST(History, ANewMoveAfterSteppingBackCutsTheRecord) {
    GameState g = started("7776 6263 2726 7273");
    g.MOVE_NO = 2;  // two moves back, as replay leaves it
    g.BOARD = g.HISTORY[2];
    g.TURN = SENTE;
    Drawing silent(g);
    ASSERT_EQ(playLine(g, silent, "1716"), 0);
    EXPECT_EQ(g.MOVE_NO, 3);
    EXPECT_EQ(g.RECORD_END, 3);
}

TEST(History, GamesLongerThanFiveHundredMovesKeepEveryMove) {
    GameState g = test::emptyBoard();
    test::put(g, 5, 9, -OU);
    test::put(g, 5, 1, +KING);
    Drawing silent(g);
    for (int i = 0; i < 150; ++i) ASSERT_EQ(playLine(g, silent, "5958 5152 5859 5251"), 0) << i;
    EXPECT_EQ(g.MOVE_NO, 600);
    EXPECT_EQ(g.RECORD_END, 600);
    EXPECT_EQ(g.HISTORY[600], g.BOARD);
    EXPECT_EQ(g.MOVE_TO_Y[599], 9);
    EXPECT_EQ(g.MOVE_CODE[600], +KING);
}

TEST(History, ANegativeMoveNumberStoresNothing) {
    GameState g = started();
    g.MOVE_NO = -1;
    手順保存(g, 5, 7, 5, 6, -HU, -HU, EMPTY, 0, 0, 0, 0);
    EXPECT_EQ(g.RECORD_END, 0);
}

TEST(LinePlay, TheMoveThatTakesAKingStillPassesTheTurn) {
    GameState g = test::emptyBoard(GOTE);
    test::put(g, 5, 9, -OU);
    test::put(g, 5, 8, +SYA);
    test::put(g, 1, 1, +KING);
    Drawing silent(g);
    ASSERT_EQ(playLine(g, silent, "5859"), 0);
    EXPECT_EQ(g.WINNER, GOTE);
    EXPECT_EQ(g.TURN, SENTE);
    std::string refused;
    EXPECT_EQ(playLine(g, silent, "1112", &refused), 1);
    EXPECT_EQ(refused, "1112");
}

TEST(LinePlay, RefusedTextsNameTheirPly) {
    const struct {
        const char* line;
        int ply;
        const char* refused;
    } cases[] = {
        {"7776 6263 7675 6364 7574 5254 7473=KING", 7, "7473=KING"},
        {"5756 5857", 2, "5857"},                                  // not the side to move
        {"5756 6263 5655+", 3, "5655+"},                           // may not promote there
        {"7776 6263 7675 6364 1716 6475 1615 HU*55", 8, "HU*55"},  // the chess army may not drop
        {"x", 1, "x"},
        {"HU*55", 1, "HU*55"},
        {"5756 5254 5655 6263", 0, ""},
    };
    for (const auto& c : cases) {
        GameState g;
        startGameBetweenPersons(g);
        Drawing silent(g);
        std::string refused;
        EXPECT_EQ(playLine(g, silent, c.line, &refused), c.ply) << c.line;
        EXPECT_EQ(refused, c.refused) << c.line;
    }
}

// The parts of the state a move can change.
void expectSamePosition(const GameState& a, const GameState& b, const std::string& what) {
    EXPECT_EQ(a.BOARD, b.BOARD) << what;
    EXPECT_EQ(a.OWN_HAND, b.OWN_HAND) << what;
    EXPECT_EQ(a.ENEMY_HAND, b.ENEMY_HAND) << what;
    EXPECT_EQ(a.OWN_HAND_COUNT, b.OWN_HAND_COUNT) << what;
    EXPECT_EQ(a.ENEMY_HAND_COUNT, b.ENEMY_HAND_COUNT) << what;
    EXPECT_EQ(a.OWN_KING_X, b.OWN_KING_X) << what;
    EXPECT_EQ(a.OWN_KING_Y, b.OWN_KING_Y) << what;
    EXPECT_EQ(a.WINNER, b.WINNER) << what;
    EXPECT_EQ(a.TURN, b.TURN) << what;
    EXPECT_EQ(a.MOVE_NO, b.MOVE_NO) << what;
    const auto n = static_cast<size_t>(a.MOVE_NO);
    EXPECT_EQ(a.MOVE_TO_X[n], b.MOVE_TO_X[n]) << what;
    EXPECT_EQ(a.MOVE_TO_Y[n], b.MOVE_TO_Y[n]) << what;
    EXPECT_EQ(a.MOVE_CODE[n], b.MOVE_CODE[n]) << what;
}

TEST(LinePlay, MakeAndTakeBackAgreeWithPlayingEveryMove) {
    const struct {
        const char* line;
        bool chessHand;
    } positions[] = {
        {"", false},
        {"5756 5254 5655 6263 5554 6364 PORN*44 3234", false},  // en passant, drops
        {"1716 8283 1615 8193 1514 7182 9796", false},          // castling
        {"3736 6263 2882+ 7182 PORN*55 5253", true},            // a promoted piece taken back
        {"7978 6264 3736 2223 1716 9293 5958 9192 1615 7144 3635 6162 2864 9394 6442 5142 "
         "PORN*68 KAKU*84 PORN*66 6263 6979 8473 3938 7319+ 8898",
         true},
    };
    for (const auto& p : positions) {
        GameState g = started(p.line, p.chessHand);
        const GameState before = g;
        MoveList moves;
        generateLegalMoves(g, moves);
        ASSERT_GT(moves.size, 0) << p.line;
        for (const Move& m : moves) {
            GameState played = before;
            Drawing silent(played);
            playMove(played, silent, m);
            MoveUndo undo;
            makeMove(g, m, undo);
            expectSamePosition(g, played, std::string(p.line) + " then " + formatMove(m));
            unmakeMove(g, undo);
            expectSamePosition(g, before, std::string(p.line) + " back from " + formatMove(m));
        }
    }
}

}  // namespace
}  // namespace zorvan
