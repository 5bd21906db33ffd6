// The legal-move list: promotion variants (forced and optional), the chess pawn's choices, which
// hand slots each army may drop from, the order of the list, the notation, and refused texts.
#include "rules/legal_moves.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "position_helper.h"

namespace zorvan {
namespace {

using test::emptyBoard;
using test::put;

std::vector<std::string> texts(GameState& g) {
    MoveList list;
    generateLegalMoves(g, list);
    std::vector<std::string> out;
    for (const Move& m : list) out.push_back(formatMove(m));
    return out;
}

using Texts = std::vector<std::string>;

TEST(LegalMoves, PromotionVariantsOfShogiPieces) {
    const struct {
        int code, x, y, turn;
        Texts expected;
    } cases[] = {
        {-HU, 5, 4, SENTE, {"5453", "5453+"}},  // may promote on row 3
        {-HU, 5, 2, SENTE, {"5251+"}},          // must promote on the last row
        {-HU, 5, 5, SENTE, {"5554"}},
        {-KEI, 4, 4, SENTE, {"4432+", "4452+"}},  // a 桂 on row 2 is stuck
        {-KEI, 4, 5, SENTE, {"4533", "4533+", "4553", "4553+"}},
        {-KYOU, 5, 3, SENTE, {"5351+", "5352", "5352+"}},
        {+HU, 5, 8, GOTE, {"5859+"}},
        {+KEI, 4, 6, GOTE, {"4638+", "4658+"}},
        {+GIN,
         5,
         7,
         GOTE,
         {"5746", "5746+", "5748", "5748+", "5758", "5758+", "5766", "5766+", "5768",
          "5768+"}},  // leaving the zone may promote
        {-KIN, 5, 2, SENTE, {"5241", "5242", "5251", "5253", "5261", "5262"}},
    };
    for (const auto& c : cases) {
        GameState g = emptyBoard(c.turn);
        put(g, c.x, c.y, c.code);
        EXPECT_EQ(texts(g), c.expected) << kindName(kindOf(c.code)) << c.x << c.y;
    }
}

TEST(LegalMoves, ChessPawnChoosesItsNewPiece) {
    const struct {
        int code, x, y, turn;
        Texts expected;
    } cases[] = {
        {-PORN, 5, 3, SENTE, {"5352", "5352=QEEN", "5352=ROOK", "5352=BISH", "5352=KNIG"}},
        {-PORN, 5, 2, SENTE, {"5251=QEEN", "5251=ROOK", "5251=BISH", "5251=KNIG"}},
        {+PORN, 5, 7, GOTE, {"5758", "5758=QEEN", "5758=ROOK", "5758=BISH", "5758=KNIG"}},
        {+PORN, 5, 8, GOTE, {"5859=QEEN", "5859=ROOK", "5859=BISH", "5859=KNIG"}},
        {+PORN, 5, 2, GOTE, {"5253", "5254"}},
    };
    for (const auto& c : cases) {
        GameState g = emptyBoard(c.turn);
        put(g, c.x, c.y, c.code);
        EXPECT_EQ(texts(g), c.expected) << c.code << " on " << c.x << c.y;
    }
    GameState g = emptyBoard(GOTE);
    put(g, 5, 8, +PORN);
    MoveList list;
    generateLegalMoves(g, list);
    EXPECT_EQ(list[0].codeAfter, +QEEN);  // the new piece keeps the mover's sign
    EXPECT_EQ(list[3].codeAfter, +KNIG);
}

TEST(LegalMoves, WhichHandSlotsEachArmyMayUse) {
    const struct {
        int lowerPlayer;
        bool chessHand;
        Side side;
        int slot;
        bool allowed;
    } cases[] = {
        {SENTE, false, Side::Lower, 1, true},  {SENTE, false, Side::Lower, 5, true},
        {SENTE, false, Side::Lower, 6, false}, {SENTE, false, Side::Lower, 12, false},
        {SENTE, false, Side::Upper, 1, false}, {SENTE, false, Side::Upper, 6, false},
        {GOTE, false, Side::Lower, 1, false},  {GOTE, false, Side::Lower, 6, false},
        {GOTE, false, Side::Upper, 1, true},   {GOTE, false, Side::Upper, 12, true},
        {SENTE, true, Side::Upper, 1, true},   {SENTE, true, Side::Lower, 12, true},
        {GOTE, true, Side::Lower, 6, true},    {SENTE, true, Side::Lower, 13, false},
        {SENTE, true, Side::Lower, 0, false},
    };
    for (const auto& c : cases) {
        GameState g = emptyBoard();
        g.LOWER_PLAYER = c.lowerPlayer;
        g.UPPER_PLAYER = -c.lowerPlayer;
        g.checks.CHESS_MOCHIKOMA = c.chessHand;
        EXPECT_EQ(mayUseHandSlot(g, c.side, c.slot), c.allowed)
            << c.lowerPlayer << c.chessHand << (c.side == Side::Lower) << c.slot;
    }
}

TEST(LegalMoves, DropsFollowTheBoardMovesInSlotOrder) {
    GameState g = emptyBoard();
    put(g, 9, 9, -OU);
    test::giveHand(g, Side::Lower, 1, 1);  // chess pawn
    test::giveHand(g, Side::Lower, 5, 1);  // queen
    test::giveHand(g, Side::Lower, 6, 1);  // 歩: closed to the shogi army below without the option
    Texts all = texts(g);
    ASSERT_EQ(all.size(), 3u + 62u + 80u);  // 王 steps; pawn drops on rows 3..9; queen drops
    EXPECT_EQ(Texts(all.begin(), all.begin() + 5),
              (Texts{"9988", "9989", "9998", "PORN*13", "PORN*14"}));
    EXPECT_EQ(all[3 + 61], "PORN*98");
    EXPECT_EQ(all[3 + 62], "QEEN*11");
    EXPECT_EQ(all.back(), "QEEN*98");

    g.checks.CHESS_MOCHIKOMA = true;
    put(g, 3, 5, -HU);  // two-pawn rule on file 3, from the board as it stands
    all = texts(g);
    ASSERT_EQ(all.size(), 1u + 3u + 61u + 79u + (71u - 8u));
    EXPECT_EQ(all[4 + 61 + 79], "HU*12");
    for (const std::string& t : all) EXPECT_NE(t.substr(0, 4), "HU*3") << t;
}

TEST(LegalMoves, NoMovesOnceAKingIsTakenOrWithoutAGame) {
    GameState g = emptyBoard();
    put(g, 5, 5, -SYA);
    EXPECT_FALSE(texts(g).empty());
    g.WINNER = GOTE;
    EXPECT_TRUE(texts(g).empty());
    g.WINNER = NO_SIDE;
    g.TURN = NO_SIDE;
    EXPECT_TRUE(texts(g).empty());
}

}  // namespace
}  // namespace zorvan
