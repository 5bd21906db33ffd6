// The computer's one-ply search: order, ties, early exits, promotion choice, drops.
#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "play/line_play.h"
#include "play/self_play.h"

namespace zorvan {
namespace {

using test::give;
using test::position;
using test::Recorder;

bool anyDrop(const Recorder& r) {
    for (const auto& c : r.list)
        if (c.move.fromX == UPPER_HAND_COLUMN) return true;
    return false;
}

TEST(Search, TiesGoToTheFirstMoveFound) {
    // Both the 金 to (9,8) and the promoted 歩 to (9,8) mate; the 金 stands on an earlier file.
    GameState g = position({{9, 9, -OU}, {9, 7, +HU}, {8, 7, +KIN}, {7, 8, +GIN}, {1, 1, +OU}});
    Recorder r;
    const ComMove best = comSearch(g, r);
    EXPECT_EQ(formatMove(toMove(best)), "8798");
    EXPECT_EQ(best.score, SCORE_MATE);
    EXPECT_EQ(r.of("9798"), SCORE_REFUSED);  // mate by a 歩
    EXPECT_EQ(r.of("9798+"), SCORE_MATE);
    EXPECT_EQ(g.PICK[BEST_SCORE], SCORE_MATE);
    EXPECT_EQ(g.BOARD, g.com.BOARD_BEFORE);  // every candidate was put back
}

TEST(Search, TakingThePersons王EndsTheSearchAtOnce) {
    GameState g = position({{5, 9, -OU}, {5, 8, +KIN}, {1, 1, +OU}, {8, 1, +GIN}});
    Recorder r;
    const ComMove best = comSearch(g, r);
    EXPECT_EQ(formatMove(toMove(best)), "5859");
    EXPECT_EQ(best.score, SCORE_KING_TAKEN);
    ASSERT_FALSE(r.list.empty());
    EXPECT_EQ(formatMove(r.list.back().move), "5859");  // the 銀 on file 8 was never tried
    EXPECT_EQ(r.ticks, 5);                              // one clock tick per origin file
}

TEST(Search, TakingTheChessKingDoesNotEndTheSearch) {
    GameState g = position({{5, 9, -KING}, {5, 8, +KIN}, {1, 1, +OU}, {8, 1, +GIN}});
    Recorder r;
    const ComMove best = comSearch(g, r);
    EXPECT_EQ(formatMove(toMove(best)), "5859");
    EXPECT_EQ(best.score, SCORE_KING_TAKEN);
    EXPECT_TRUE(r.has("8182"));
    EXPECT_EQ(r.ticks, 9);
}

TEST(Search, MatingDropEndsTheSearch) {
    // The chess king in the corner; a 金 dropped on (9,8), guarded by the 歩, mates. The shogi army
    // above may drop without the option.
    GameState g = position({{9, 9, -KING}, {9, 7, +HU}, {1, 1, +OU}});
    give(g, Side::Upper, 10);
    give(g, Side::Upper, 12);
    ASSERT_EQ(g.LOWER_PLAYER, GOTE);
    Recorder r;
    const ComMove best = comSearch(g, r);
    EXPECT_EQ(formatMove(toMove(best)), "KIN*98");
    EXPECT_EQ(best.score, SCORE_MATE);
    EXPECT_EQ(formatMove(r.list.back().move), "KIN*98");
    EXPECT_FALSE(r.has("SYA*11"));
    EXPECT_EQ(best.fromX, UPPER_HAND_COLUMN);
    EXPECT_EQ(best.fromY, 10);
}

TEST(Search, ChessArmyDropsOnlyWithTheOption) {
    GameState g = position({{5, 9, -OU}, {6, 1, +KING}, {5, 2, +PORN}});
    give(g, Side::Upper, 5);
    Recorder off;
    comSearch(g, off);
    EXPECT_FALSE(anyDrop(off));
    g.checks.CHESS_MOCHIKOMA = true;
    Recorder on;
    comSearch(g, on);
    EXPECT_TRUE(on.has("QEEN*55"));
    int drops = 0;
    for (const auto& c : on.list) drops += c.move.fromX == UPPER_HAND_COLUMN;
    EXPECT_EQ(drops, 81 - 3);  // every empty square
}

TEST(Search, PawnBishopAndRookAlwaysPromoteOthersOnlyWhenItScoresHigher) {
    // The computer's 王 on (9,1) stays attacked whatever it does, so every candidate scores the
    // same and the first one (the piece on (1,7), first target) is chosen; it may promote there.
    const struct {
        int piece;
        const char* chosen;
    } cases[] = {{+HU, "1718+"}, {+KAKU, "1726+"}, {+SYA, "1711+"},
                 {+GIN, "1718"}, {+KYOU, "1718"},  {+PORN, "1718"}};
    for (const auto& c : cases) {
        GameState g =
            position({{9, 1, +OU}, {9, 5, -SYA}, {8, 5, -ROOK}, {5, 9, -OU}, {1, 7, c.piece}});
        Recorder r;
        const ComMove best = comSearch(g, r);
        EXPECT_EQ(formatMove(toMove(best)), c.chosen) << c.piece;
        EXPECT_EQ(best.score, SCORE_REFUSED) << c.piece;
        const std::string plain = formatMove(Move{1, 7, best.toX, best.toY, c.piece, c.piece});
        EXPECT_EQ(r.of(plain), SCORE_REFUSED) << c.piece;  // both versions were scored
        EXPECT_EQ(r.list[1].score, SCORE_REFUSED) << c.piece;
        EXPECT_EQ(r.list[1].move.codeAfter, best.before + (c.piece == +PORN ? 15 : 1)) << c.piece;
    }
}

TEST(Search, NoLegalMoveChoosesNothing) {
    GameState g = position({{5, 9, -OU}, {5, 5, -KIN}});
    const ComMove best = comSearch(g);
    EXPECT_FALSE(best.exists());
    EXPECT_EQ(best.score, SCORE_NONE);
    EXPECT_EQ(best.fromX, 0);
    EXPECT_EQ(best.toX, 0);
}

// Over a self-play game: the chosen move is the first candidate that reached the best score, the
// best score is the highest scored, and a capture of the person's 王 is the last candidate tried.
TEST(Search, ChosenMoveIsTheFirstCandidateWithTheBestScore) {
    for (bool chessHand : {false, true}) {
        GameState g;
        初期設定(g);
        g.checks.CHESS_MOCHIKOMA = chessHand;
        g.TURN = SENTE;
        調査_先手後手(g);
        GameState scratch;
        Drawing silent(g);
        for (int ply = 0; ply < 120 && g.WINNER == NO_SIDE; ++ply) {
            Recorder r;
            bool found = false;
            ComMove searched;
            const Move m = computerMove(g, scratch, 3, r, found, searched);
            ASSERT_TRUE(found);
            double top = SCORE_NONE;
            for (const auto& c : r.list) top = std::max(top, c.score);
            EXPECT_EQ(searched.score, top) << ply;
            for (const auto& c : r.list) {
                if (c.score != top) continue;
                EXPECT_EQ(c.move.fromX, searched.fromX) << ply;
                EXPECT_EQ(c.move.fromY, searched.fromY) << ply;
                EXPECT_EQ(c.move.toX, searched.toX) << ply;
                EXPECT_EQ(c.move.toY, searched.toY) << ply;
                break;
            }
            EXPECT_EQ(searched.candidates, static_cast<int>(r.list.size()));
            playComputerMove(g, silent, m);
            passTurn(g);
        }
    }
}

}  // namespace
}  // namespace zorvan
