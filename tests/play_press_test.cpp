// Mouse presses: picking, re-picking, refusals, promotion and the chess pawn's choice, drops.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fakes.h"

namespace zorvan {
namespace {

using testing::Rig;
using testing::Shown;

// A game between persons started on the current board.
void startMan(Rig& rig) {
    rig.game.menu("MATCH_MAN");
    rig.forget();
}

TEST(Press, BeforeAGameIsRefusedAndChangesNothing) {
    Rig rig;
    const Board before = rig.g().BOARD;
    rig.move(5, 7, 5, 6);
    ASSERT_EQ(rig.host.messages.size(), 2u);
    EXPECT_EQ(rig.host.messages[0], (Shown{"「対局」で始めて下さい", "開始"}));
    EXPECT_EQ(rig.sound.count(SoundId::Forbidden), 2);
    EXPECT_EQ(rig.g().BOARD, before);
    EXPECT_EQ(rig.g().CLICK_PHASE, 0);
}

TEST(Press, InRecordModeAsksAndANoStartsANewGame) {
    Rig rig;
    startMan(rig);
    rig.g().KIFU_MODE = ON;
    rig.host.answers = {true};
    rig.press(5, 7);
    EXPECT_EQ(rig.host.messages.back(), (Shown{"棋譜を '進 'で進めて下さい", "棋譜"}));
    EXPECT_EQ(rig.g().KIFU_MODE, ON);
    EXPECT_EQ(rig.g().CLICK_PHASE, 0);

    rig.host.answers = {false};
    rig.press(5, 7);
    EXPECT_EQ(rig.sound.count(SoundId::Forbidden), 1);
    EXPECT_EQ(rig.g().KIFU_MODE, OFF);
    EXPECT_EQ(rig.g().TURN, NO_SIDE);
}

TEST(Press, PicksOwnPieceAndOutlinesIt) {
    Rig rig;
    startMan(rig);
    rig.press(5, 7);
    EXPECT_EQ(rig.g().CLICK_PHASE, 1);
    EXPECT_EQ(rig.canvas.lastOutlineAt(5, 7), COLOR_PICK);
    EXPECT_EQ(rig.g().PICK[PICK_CODE], -HU);
}

TEST(Press, OpponentPieceShowsItsGuidanceButIsNotPicked) {
    Rig rig;
    rig.g().GUIDE_ON = ON;
    rig.g().COLOR_GUIDE = COLOR_WHITE;
    startMan(rig);
    rig.press(5, 2);  // an upper chess pawn while the lower side is to move
    EXPECT_EQ(rig.g().CLICK_PHASE, 0);
    EXPECT_EQ(rig.canvas.lastOutlineAt(5, 2), COLOR_WHITE);
    // Its double step and single step are marked.
    EXPECT_EQ(rig.canvas.lastOutlineAt(5, 3), COLOR_WHITE);
    EXPECT_EQ(rig.canvas.lastOutlineAt(5, 4), COLOR_WHITE);
    EXPECT_EQ(rig.canvas.lastOutlineAt(5, 5), COLOR_UNPICK);
    // A later press on an empty square names no destination.
    rig.press(5, 4);
    EXPECT_EQ(rig.g().BOARD[5][2], +PORN);
}

TEST(Press, SecondOwnPieceMovesThePickWithoutMoving) {
    Rig rig;
    startMan(rig);
    const Board before = rig.g().BOARD;
    rig.press(5, 7);
    rig.press(4, 7);
    EXPECT_EQ(rig.g().CLICK_PHASE, 1);
    EXPECT_EQ(rig.g().PICK[FROM_X], 4);
    EXPECT_EQ(rig.canvas.lastOutlineAt(5, 7), COLOR_UNPICK);
    EXPECT_EQ(rig.canvas.lastOutlineAt(4, 7), COLOR_PICK);
    EXPECT_EQ(rig.g().BOARD, before);
    rig.press(4, 6);
    EXPECT_EQ(rig.g().BOARD[4][6], -HU);
    EXPECT_EQ(rig.g().BOARD[5][7], -HU);
}

TEST(Press, IllegalDestinationDropsThePickWithTheForbiddenSound) {
    Rig rig;
    startMan(rig);
    const Board before = rig.g().BOARD;
    rig.move(5, 7, 5, 5);
    EXPECT_EQ(rig.g().CLICK_PHASE, 0);
    EXPECT_EQ(rig.sound.count(SoundId::Forbidden), 1);
    EXPECT_TRUE(rig.host.messages.empty());
    EXPECT_EQ(rig.g().BOARD, before);
}

TEST(Press, LeftPressWhereThePieceMustPromoteIsRefusedAndKeepsThePick) {
    Rig rig;
    rig.setBoard({{5, 9, -OU}, {5, 2, -HU}, {9, 1, +KING}});
    startMan(rig);
    rig.move(5, 2, 5, 1);
    EXPECT_EQ(rig.host.messages, (std::vector<Shown>{{"マウスの右をクリックして下さい", "成り"}}));
    EXPECT_EQ(rig.sound.count(SoundId::Forbidden), 1);
    EXPECT_EQ(rig.g().CLICK_PHASE, 1);
    EXPECT_EQ(rig.g().BOARD[5][2], -HU);
    rig.press(5, 1, BUTTON_RIGHT);
    EXPECT_EQ(rig.g().BOARD[5][1], -HU_N);
    EXPECT_EQ(rig.g().MOVE_CODE[1], -HU_N);
}

TEST(Press, RightPressPromotesOnlyWhereTheShogiPieceMay) {
    const struct {
        int fx, fy, tx, ty, code, expected;
    } cases[] = {
        {5, 6, 5, 5, -GIN, -GIN},    // outside the zone: moves unpromoted
        {5, 4, 5, 3, -GIN, -GIN_N},  // into the zone
        {5, 3, 4, 4, -GIN, -GIN_N},  // out of the zone
        {2, 8, 8, 2, -KAKU, -KAKU_N}, {5, 5, 5, 4, -KIN, -KIN},  // a gold never promotes
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.setBoard({{1, 9, -OU}, {c.fx, c.fy, c.code}, {9, 1, +KING}});
        startMan(rig);
        rig.move(c.fx, c.fy, c.tx, c.ty, BUTTON_RIGHT);
        EXPECT_EQ(rig.g().BOARD[c.tx][c.ty], c.expected) << c.code << " to " << c.tx << c.ty;
        EXPECT_EQ(rig.g().BOARD[c.fx][c.fy], EMPTY);
    }
}

// The chess pawn's new piece by right press and dialog, in both orientations of the board.
TEST(Press, ChessPawnDialogChoicesAndRefusals) {
    struct Case {
        bool reversed;  // the chess army below (lower chess king), else the shogi army below
        int chosen;     // kind pressed in the dialog, 0 for closed
        int toY;        // 1: must promote, 2: may promote
        int expected;   // code on the target; 0: refused, the pawn stays
        const char* refusal;
    };
    const Case cases[] = {
        {false, QEEN, 1, -QEEN, nullptr},
        {false, KNIG, 1, -KNIG, nullptr},
        {false, ROOK, 2, -ROOK, nullptr},
        {false, KING, 1, 0, "キングには成れません"},
        {false, PORN, 1, 0, "別の駒に成って下さい"},
        {false, 0, 1, 0, "別の駒に成って下さい"},
        {false, PORN, 2, -PORN, nullptr},
        {false, 0, 2, -PORN, nullptr},
        {true, QEEN, 1, -QEEN, nullptr},
        {true, BISH, 2, -BISH, nullptr},
        {true, KING, 2, 0, "キングには成れません"},
        {true, 0, 1, 0, "別の駒に成って下さい"},
    };
    for (const Case& c : cases) {
        Rig rig;
        const int fromY = c.toY + 1;
        if (c.reversed) {
            rig.setBoard({{4, 9, -KING}, {3, fromY, -PORN}, {5, 1 + 4, +OU}});
        } else {
            rig.setBoard({{5, 9, -OU}, {3, fromY, -PORN}, {9, 5, +KING}});
        }
        if (c.reversed) {
            // The shogi army above moves first: let it make one move.
            startMan(rig);
            rig.move(5, 5, 6, 5);
            rig.forget();
        } else {
            startMan(rig);
        }
        rig.host.choices = {c.chosen};
        rig.move(3, fromY, 3, c.toY, BUTTON_RIGHT);
        const std::string what = std::string(c.reversed ? "reversed " : "") + "kind " +
                                 std::to_string(c.chosen) + " row " + std::to_string(c.toY);
        ASSERT_EQ(rig.host.dialogs.size(), 1u) << what;
        EXPECT_EQ(rig.host.dialogs[0].shown, c.reversed ? PieceSet::Black : PieceSet::White)
            << what;
        EXPECT_EQ(rig.host.dialogs[0].place.left, 7020) << what;
        EXPECT_EQ(rig.host.dialogs[0].place.top, 1400) << what;
        if (c.refusal) {
            ASSERT_EQ(rig.host.messages.size(), 1u) << what;
            EXPECT_EQ(rig.host.messages[0], (Shown{c.refusal, "エラー"})) << what;
            EXPECT_EQ(rig.sound.count(SoundId::Forbidden), 1) << what;
            EXPECT_EQ(rig.g().BOARD[3][fromY], -PORN) << what;
            EXPECT_EQ(rig.g().CLICK_PHASE, 1) << what;
        } else {
            EXPECT_TRUE(rig.host.messages.empty()) << what;
            EXPECT_EQ(rig.g().BOARD[3][c.toY], c.expected) << what;
            EXPECT_EQ(rig.g().BOARD[3][fromY], EMPTY) << what;
        }
    }
}

TEST(Press, UpperPawnPromotesWithTheDialogAtTheLeftEdge) {
    Rig rig;
    rig.setBoard({{5, 9, -OU}, {1, 7, -HU}, {7, 8, +PORN}, {9, 1, +KING}});
    startMan(rig);
    rig.move(1, 7, 1, 6);  // lower first
    rig.host.choices = {QEEN};
    rig.move(7, 8, 7, 9, BUTTON_RIGHT);
    ASSERT_EQ(rig.host.dialogs.size(), 1u);
    EXPECT_EQ(rig.host.dialogs[0].shown, PieceSet::Black);
    EXPECT_EQ(rig.host.dialogs[0].place.left, 50);
    EXPECT_EQ(rig.g().BOARD[7][9], +QEEN);
}

TEST(Press, UpperHandRowsNameSlotsFromTheLowerEdgeUp) {
    const struct {
        int row, slot, code;
    } cases[] = {{9, 1, +PORN}, {5, 5, +QEEN}, {4, 6, +HU}, {-2, 12, +SYA}};
    for (const auto& c : cases) {
        Rig rig;
        rig.g().checks.CHESS_MOCHIKOMA = true;
        rig.setBoard({{5, 9, -OU}, {1, 9, -HU}, {9, 1, +KING}});
        rig.g().ENEMY_HAND[c.slot] = 1;
        rig.g().ENEMY_HAND_COUNT = 1;
        startMan(rig);
        rig.move(1, 9, 1, 8);
        rig.press(-1, c.row);
        EXPECT_EQ(rig.g().CLICK_PHASE, 1) << c.row;
        EXPECT_EQ(rig.g().PICK[FROM_Y], c.row);
        EXPECT_EQ(rig.g().PICK[PICK_CODE], c.code);
        EXPECT_EQ(rig.canvas.lastOutlineAt(-1, c.row), COLOR_PICK);
        rig.press(5, 5);
        EXPECT_EQ(rig.g().BOARD[5][5], c.code) << c.row;
        EXPECT_EQ(rig.g().ENEMY_HAND[c.slot], 0) << c.row;
        EXPECT_EQ(rig.g().ENEMY_HAND_COUNT, 0);
        EXPECT_EQ(rig.g().TURN, SENTE);
    }
}

// Which hand slots a press can pick, with the option "ﾁｪｽ側持駒OK" off or on.
TEST(Press, HandSlotsClosedByTheOption) {
    const struct {
        bool option;
        bool reversed;  // chess army below
        int column, row;
        bool picks;
    } cases[] = {
        {false, false, 11, 5, true},   // the shogi army's captured queen
        {false, false, 11, 6, false},  // its shogi pieces stay in hand
        {true, false, 11, 6, true},
        {false, true, 11, 1, false},  // the chess army below never drops
        {true, true, 11, 1, true},
        {false, false, -1, 9, false},  // the chess army above never drops
        {false, true, -1, 4, true},    // the shogi army above drops anything
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.g().checks.CHESS_MOCHIKOMA = c.option;
        if (c.reversed) {
            rig.setBoard({{4, 9, -KING}, {5, 1, +OU}});
        } else {
            rig.setBoard({{5, 9, -OU}, {4, 1, +KING}});
        }
        rig.g().OWN_HAND.fill(1);
        rig.g().ENEMY_HAND.fill(1);
        rig.g().OWN_HAND[0] = rig.g().ENEMY_HAND[0] = 0;
        startMan(rig);
        // The side owning the pressed hand is to move: the other king steps first if needed.
        const bool lowerHand = c.column == 11;
        if (lowerHand != (rig.g().TURN == rig.g().LOWER_PLAYER)) {
            if (lowerHand) {
                const int x = c.reversed ? 5 : 4;
                rig.move(x, 1, x, 2);
            } else {
                const int x = c.reversed ? 4 : 5;
                rig.move(x, 9, x, 8);
            }
        }
        rig.forget();
        rig.press(c.column, c.row);
        EXPECT_EQ(rig.g().CLICK_PHASE == 1, c.picks)
            << "option " << c.option << " reversed " << c.reversed << " cell " << c.column << ","
            << c.row;
    }
}

TEST(Press, HandOfTheSideNotToMoveIsShownNotPicked) {
    Rig rig;
    rig.g().GUIDE_ON = ON;
    rig.g().COLOR_GUIDE = COLOR_WHITE;
    rig.g().OWN_HAND[5] = 1;
    startMan(rig);
    rig.move(5, 7, 5, 6);  // now the upper side is to move
    rig.press(11, 5);
    EXPECT_EQ(rig.g().CLICK_PHASE, 0);
    EXPECT_EQ(rig.canvas.lastOutlineAt(11, 5), COLOR_WHITE);
    EXPECT_EQ(rig.g().PICK[PICK_CODE], -QEEN);
}

TEST(Press, RepickFromAClosedHandSlotDoesNothing) {
    Rig rig;
    rig.g().checks.CHESS_MOCHIKOMA = true;
    rig.g().OWN_HAND[6] = 1;
    startMan(rig);
    rig.press(11, 6);
    ASSERT_EQ(rig.g().CLICK_PHASE, 1);
    rig.g().checks.CHESS_MOCHIKOMA = false;
    rig.press(5, 7);
    EXPECT_EQ(rig.g().PICK[FROM_X], LOWER_HAND_COLUMN);
    EXPECT_EQ(rig.g().PICK[FROM_Y], 6);
}

TEST(Press, PositionsOffTheBoardAndHandsAndOddInputsDoNothing) {
    Rig rig;
    startMan(rig);
    const Board before = rig.g().BOARD;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    rig.press(0, 5);
    rig.press(10, 5);
    rig.press(11, 0);
    rig.press(11, 13);
    rig.press(-1, -3);
    rig.press(-1, 10);
    rig.game.mousePress(BUTTON_LEFT, nan, 2000);
    rig.game.mousePress(BUTTON_LEFT, 2000, inf);
    rig.game.mousePress(BUTTON_LEFT, -1e300, 1e300);
    rig.game.mousePress(4, testing::cellX(5), testing::cellY(7));
    rig.game.mousePress(0, testing::cellX(5), testing::cellY(7));
    EXPECT_EQ(rig.g().CLICK_PHASE, 0);
    EXPECT_EQ(rig.g().BOARD, before);
    EXPECT_TRUE(rig.host.messages.empty());
}

TEST(Press, PressJustInsideAndOutsideACellEdge) {
    Rig rig;
    startMan(rig);
    // The left edge of square (5, 7) belongs to it; one twip less is square (4, 7).
    rig.game.mousePress(BUTTON_LEFT, BOARD_LEFT + 5 * SQUARE_W, BOARD_TOP + 7 * SQUARE_H);
    EXPECT_EQ(rig.g().PICK[FROM_X], 5);
    rig.game.mousePress(BUTTON_LEFT, BOARD_LEFT + 5 * SQUARE_W - 0.5, BOARD_TOP + 7 * SQUARE_H);
    EXPECT_EQ(rig.g().PICK[FROM_X], 4);
}

}  // namespace
}  // namespace zorvan
