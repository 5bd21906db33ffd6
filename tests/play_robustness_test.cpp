// Games against the real computer, and a long stream of arbitrary presses and menu commands that
// must never leave the game in an impossible state.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "fakes.h"
#include "rules/legal_moves.h"

namespace zorvan {
namespace {

using testing::Rig;
using testing::Shown;

bool positionIsSound(const GameState& g) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (g.BOARD[x][y] != EMPTY && !isValidPiece(g.BOARD[x][y])) return false;
    for (int s = 1; s <= HAND_SLOTS; ++s)
        if (g.OWN_HAND[s] < 0 || g.ENEMY_HAND[s] < 0) return false;
    return g.CLICK_PHASE == 0 || g.CLICK_PHASE == 1;
}

TEST(RealComputer, AnswersThePersonsFirstMoveWithinThePress) {
    Rig rig;
    rig.game.menu("START2");
    rig.forget();
    rig.move(7, 7, 7, 6);
    EXPECT_EQ(rig.g().MOVE_NO, 2);
    EXPECT_EQ(rig.g().TURN, rig.g().LOWER_PLAYER);
    EXPECT_NE(rig.g().HISTORY[2], rig.g().HISTORY[1]);
    const auto white = rig.canvas.textsIn(COLOR_WHITE);
    EXPECT_NE(std::find(white.begin(), white.end(), "思考中"), white.end());
}

TEST(RealComputer, MovesFirstWhenItOwnsThe王AfterTurningTheBoard) {
    Rig rig;
    rig.game.menu("REVERSE");
    rig.forget();
    rig.game.menu("START2");
    EXPECT_EQ(rig.g().LOWER_PLAYER, GOTE);
    EXPECT_EQ(rig.g().MOVE_NO, 1);
    EXPECT_EQ(rig.g().TURN, rig.g().LOWER_PLAYER);
    for (const Shown& m : rig.host.messages) EXPECT_NE(m.text, "MANの番です");
}

TEST(RealComputer, ArbitraryEventsNeverBreakTheGame) {
    Rig rig;
    rig.g().checks.CHESS_MOCHIKOMA = true;
    std::mt19937 rng(20261208);
    const char* menus[] = {"START2",  "START2",     "START2", "MATCH_MAN", "LEVEL1",
                           "LEVEL2",  "LBEL_UP",    "AFTER",  "REPLAY",    "CANCEL",
                           "REVERSE", "LEBEL_DOWN", "SIDOU",  "TAIKYOKU"};
    std::uniform_int_distribution<int> kind(0, 99);
    std::uniform_int_distribution<int> col(-3, 16);
    std::uniform_int_distribution<int> row(-3, 13);
    std::uniform_int_distribution<int> pick(0, 13);
    std::uniform_int_distribution<int> piece(0, KIND_COUNT);
    rig.game.menu("MATCH_MAN");
    int moves = 0, lastMove = 0, coms = 0;
    auto legal = std::make_unique<MoveList>();
    for (int i = 0; i < 1500 && !rig.game.ended(); ++i) {
        rig.host.choices = {piece(rng)};
        rig.host.clock += 0.7;
        const int k = kind(rng);
        if (k < 3) {
            rig.game.menu(menus[pick(rng)]);
        } else if (k < 50 && rig.g().TURN != NO_SIDE && rig.g().KIFU_MODE == OFF) {
            // A legal move of the side to move, entered as a person would.
            generateLegalMoves(rig.g(), *legal);
            if (legal->size == 0) continue;
            const Move& m = (*legal)[std::uniform_int_distribution<int>(0, legal->size - 1)(rng)];
            const int fromRow = m.fromX == UPPER_HAND_COLUMN ? 10 - m.fromY : m.fromY;
            rig.host.choices = {kindOf(m.codeAfter)};
            rig.press(m.fromX, fromRow);
            rig.press(m.toX, m.toY, m.promotes() ? BUTTON_RIGHT : BUTTON_LEFT);
        } else if (k < 12) {
            rig.game.tick();
        } else {
            // Mostly board squares, so that moves happen.
            const int c = k < 70 ? 1 + (col(rng) + 3) % 9 : col(rng);
            const int r = k < 70 ? 1 + (row(rng) + 3) % 9 : row(rng);
            rig.press(c, r, k % 5 == 0 ? BUTTON_RIGHT : BUTTON_LEFT);
        }
        ASSERT_TRUE(positionIsSound(rig.g())) << "event " << i;
        moves += rig.g().MOVE_NO > lastMove;
        lastMove = rig.g().MOVE_NO;
        coms += rig.g().GAME_MODE == MODE_COM;
        rig.forget();
    }
    EXPECT_FALSE(rig.game.ended());
    // The stream played real games in both modes.
    EXPECT_GT(moves, 50);
    EXPECT_GT(coms, 50);
}

}  // namespace
}  // namespace zorvan
