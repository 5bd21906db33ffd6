// Move-tree counts from the start and from middle-game positions. Any change in move generation,
// legality or execution shows here. The positions are reached by playing lines of the game that
// cover drops, castling, en passant, promotions of both armies and the option "ﾁｪｽ側持駒OK".
#include "play/perft.h"

#include <gtest/gtest.h>

#include "play/line_play.h"

namespace zorvan {
namespace {

struct PerftRow {
    const char* name;
    const char* line;
    bool chessHand;
    std::uint64_t nodes[4];  // depths 0..3
};

const PerftRow kRows[] = {
    {"start", "", false, {1, 30, 660, 18718}},
    {"en passant available",
     "5756 5254 5655 6263 5554 6364 PORN*44 3234",
     false,
     {1, 33, 1292, 42114}},
    {"castling available", "1716 8283 1615 8193 1514 7182 9796", false, {1, 30, 1141, 35697}},
    {"castling next, after a 角 exchange",
     "1918 9294 4938 7274 4746 8283 6978 3234 3736 6264 2726 4123 5949 8162 4959 4243 8898 3435 "
     "1716 2367 3848 2224 2937 5133 5958 3322 4838 7182 9888",
     false,
     {1, 47, 1333, 62166}},
    {"pawn promoted to a knight, chess pieces in hand",
     "5968 6264 9796 6162 6859 6263 3948 6374 7968 7485 2726 5184 2625 8576 6979 2224 9998 9293 "
     "5969 7687 2524 2122 PORN*44 2224 4443 3234 4352 7162 5241=KNIG 8796",
     false,
     {1, 121, 5560, 496775}},
    {"both armies drop, promoted lance taken",
     "6958 7273 5948 6264 5756 4243 9998 9294 8786 7135 4857 3513 4938 1346 7776 4637 7978 HU*18 "
     "8977 5254 1716 1819+ 7887 KYOU*24 8889 2427+ 2819 HU*45 HU*25 3152",
     true,
     {1, 35, 1471, 58205}},
    {"knight drops, pawn promoted to a bishop",
     "2726 4243 9796 8173 3736 3234 2873 2224 KNIG*53 4114 7362+ 6162 5958 7274 5361 6261 6959 "
     "5162 PORN*13 3123 9997 6267 1312=BISH 7135 1223 6141 KNIG*81 6766 2314 9294",
     false,
     {1, 83, 3886, 219567}},
    {"chess army drops a 角 and a 香",
     "7978 6264 3736 2223 1716 9293 5958 9192 1615 7144 3635 6162 2864 9394 6442 5142 PORN*68 "
     "KAKU*84 PORN*66 6263 6979 8473 3938 7319+ 8898 KYOU*76 5848 7677+ 8977 HU*33",
     true,
     {1, 67, 2973, 128117}},
};

TEST(Perft, TableOfPositions) {
    for (const PerftRow& row : kRows) {
        GameState g;
        startGameBetweenPersons(g);
        g.checks.CHESS_MOCHIKOMA = row.chessHand;
        Drawing silent(g);
        ASSERT_EQ(playLine(g, silent, row.line), 0) << row.name;
        const GameState before = g;
        for (int depth = 0; depth <= 3; ++depth)
            EXPECT_EQ(perft(g, depth), row.nodes[depth]) << row.name << ", depth " << depth;
        EXPECT_EQ(g.BOARD, before.BOARD) << row.name;  // the position is put back
        EXPECT_EQ(g.OWN_HAND, before.OWN_HAND) << row.name;
        EXPECT_EQ(g.MOVE_NO, before.MOVE_NO) << row.name;
        EXPECT_EQ(g.TURN, before.TURN) << row.name;
    }
}

TEST(Perft, DivideSumsToTheTotalInGenerationOrder) {
    GameState g;
    startGameBetweenPersons(g);
    const auto division = perftDivide(g, 2);
    ASSERT_EQ(division.size(), 30u);
    std::uint64_t sum = 0;
    for (const auto& d : division) sum += d.nodes;
    EXPECT_EQ(sum, 660u);
    EXPECT_EQ(formatMove(division.front().move), "1716");
    EXPECT_EQ(formatMove(division.back().move), "9998");
    EXPECT_TRUE(perftDivide(g, 0).empty());
}

TEST(Perft, NoMovesAfterAKingIsTaken) {
    GameState g;
    startGameBetweenPersons(g);
    Drawing silent(g);
    // The chess king walks up to the 歩 on (5,7), which takes it.
    ASSERT_EQ(playLine(g, silent,
                       "1716 6264 1615 6162 1514 6263 1413+ 6353 1312 5354 1211 5455 "
                       "1121 5556 5756"),
              0);
    EXPECT_EQ(g.WINNER, SENTE);
    EXPECT_EQ(g.TURN, GOTE);
    EXPECT_EQ(perft(g, 1), 0u);
    EXPECT_EQ(perft(g, 0), 1u);
}

}  // namespace
}  // namespace zorvan
