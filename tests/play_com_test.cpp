// The computer's turn as the window sees it: caption, execution of the chosen move, check and
// mate announcements, the computer's win, its pawn promotion in the dialog, and resuming.
// The search itself is scripted here; the engine's choices are tested with the engine.
#include <gtest/gtest.h>

#include "fakes.h"

namespace zorvan {
namespace {

using testing::Rig;
using testing::Shown;

// A search that shows what the real one shows and answers a fixed move.
struct Scripted {
    ComMove move;
    int calls = 0;
    Game::Search search() {
        return [this](GameState&, ComPorts& ports) {
            ++calls;
            ports.beginThinking();
            ports.captionReady();
            ports.tick();
            return move;
        };
    }
};

ComMove boardMove(int fx, int fy, int tx, int ty, int before, int after = 0) {
    ComMove m;
    m.fromX = fx;
    m.fromY = fy;
    m.toX = tx;
    m.toY = ty;
    m.before = before;
    m.after = after ? after : before;
    m.score = 0;
    return m;
}

// A game against the computer on the given board, the person to move.
void startCom(Rig& rig, Scripted& script) {
    rig.game.setSearch(script.search());
    rig.game.menu("START2");
    rig.forget();
}

TEST(ComputerTurn, ChessCheckIsAnnouncedAndTheTurnComesBack) {
    Rig rig;
    Scripted script{boardMove(1, 1, 5, 1, +ROOK)};
    rig.setBoard({{5, 9, -OU}, {1, 7, -HU}, {9, 1, +KING}, {1, 1, +ROOK}});
    startCom(rig, script);
    rig.move(1, 7, 1, 6);
    EXPECT_EQ(script.calls, 1);
    EXPECT_EQ(rig.host.messages, (std::vector<Shown>{{"   ** チェック **", ""}}));
    EXPECT_EQ(rig.g().BOARD[5][1], +ROOK);
    EXPECT_EQ(rig.g().MOVE_NO, 2);
    EXPECT_EQ(rig.g().MOVE_COUNT, 2);
    EXPECT_EQ(rig.g().HISTORY[2], rig.g().BOARD);
    EXPECT_EQ(rig.g().TURN, rig.g().LOWER_PLAYER);
    EXPECT_EQ(rig.canvas.lastOutlineAt(5, 1), COLOR_WHITE);
    const auto white = rig.canvas.textsIn(COLOR_WHITE);
    EXPECT_NE(std::find(white.begin(), white.end(), "思考中"), white.end());
    EXPECT_EQ(std::vector<std::string>(white.end() - 3, white.end()),
              (std::vector<std::string>{"５", "一", "ルーク"}));
    EXPECT_GE(rig.canvas.refreshes, 1);
    EXPECT_EQ(rig.sound.played.back(), SoundId::ChessMove);
}

TEST(ComputerTurn, ShogiPieceCheckIsAnOuteEvenForTheChessSide) {
    Rig rig;
    Scripted script;
    script.move = boardMove(-1, 10, 5, 8, +KIN);  // a captured gold dropped
    rig.g().checks.CHESS_MOCHIKOMA = true;
    rig.setBoard({{5, 9, -OU}, {1, 7, -HU}, {9, 1, +KING}});
    rig.g().ENEMY_HAND[10] = 1;
    rig.g().ENEMY_HAND_COUNT = 1;
    startCom(rig, script);
    rig.move(1, 7, 1, 6);
    ASSERT_FALSE(rig.host.messages.empty());
    EXPECT_EQ(rig.host.messages[0], (Shown{"   ** 王手 **", ""}));
    EXPECT_EQ(rig.g().ENEMY_HAND[10], 0);
    EXPECT_EQ(rig.g().ENEMY_HAND_COUNT, 0);
    EXPECT_EQ(rig.g().BOARD[5][8], +KIN);
}

TEST(ComputerTurn, MateOfThePersonIsAnnouncedButTheGameGoesOn) {
    Rig rig;
    Scripted script{boardMove(9, 5, 9, 9, +ROOK)};
    rig.setBoard({{5, 9, -OU},
                  {4, 8, -HU},
                  {5, 8, -HU},
                  {6, 8, -HU},
                  {1, 7, -HU},
                  {5, 1, +KING},
                  {9, 5, +ROOK}});
    startCom(rig, script);
    rig.move(1, 7, 1, 6);
    EXPECT_EQ(rig.host.messages, (std::vector<Shown>{{"よし！!", "詰め ?"}}));
    EXPECT_EQ(rig.g().TURN, rig.g().LOWER_PLAYER);
    EXPECT_EQ(rig.g().WINNER, NO_SIDE);
}

TEST(ComputerTurn, PersonsMatingMoveWinsAndTheComputerDoesNotMove) {
    Rig rig;
    Scripted script{boardMove(1, 9, 1, 8, +ROOK)};
    rig.setBoard({{5, 9, -OU},
                  {9, 5, -SYA},
                  {5, 1, +KING},
                  {4, 2, +PORN},
                  {5, 2, +PORN},
                  {6, 2, +PORN},
                  {1, 9, +ROOK}});
    startCom(rig, script);
    rig.host.answers = {true};
    rig.move(9, 5, 9, 1);
    EXPECT_EQ(script.calls, 0);
    EXPECT_EQ(rig.host.messages,
              (std::vector<Shown>{{"あなたの勝ちです", "終了"}, {"続けますか？", "再ゲーム"}}));
    EXPECT_EQ(rig.g().TURN, NO_SIDE);
}

TEST(ComputerTurn, QuietMoveShowsNoMessage) {
    Rig rig;
    Scripted script{boardMove(9, 1, 9, 2, +KING)};
    rig.setBoard({{5, 9, -OU}, {1, 7, -HU}, {9, 1, +KING}});
    startCom(rig, script);
    rig.move(1, 7, 1, 6);
    EXPECT_TRUE(rig.host.messages.empty());
    EXPECT_EQ(rig.g().BOARD[9][2], +KING);
}

TEST(ComputerTurn, TakingThePersonsKingEndsTheGameForTheComputer) {
    Rig rig;
    Scripted script{boardMove(5, 1, 5, 9, +ROOK)};
    rig.setBoard({{5, 9, -OU}, {1, 7, -HU}, {9, 1, +KING}, {5, 1, +ROOK}});
    startCom(rig, script);
    rig.host.answers = {true};
    rig.move(1, 7, 1, 6);
    EXPECT_EQ(rig.host.messages,
              (std::vector<Shown>{{"ｺﾝﾋﾟｭｰﾀの勝ちです", "終了"}, {"続けますか？", "再ゲーム"}}));
    EXPECT_EQ(rig.g().TURN, NO_SIDE);
}

TEST(ComputerTurn, PawnPromotionIsShownInTheDialog) {
    Rig rig;
    Scripted script{boardMove(3, 8, 3, 9, +PORN, +QEEN)};
    rig.setBoard({{5, 9, -OU}, {1, 7, -HU}, {9, 1, +KING}, {3, 8, +PORN}});
    startCom(rig, script);
    rig.move(1, 7, 1, 6);
    ASSERT_EQ(rig.host.dialogs.size(), 1u);
    const auto& d = rig.host.dialogs[0];
    EXPECT_EQ(d.shown, PieceSet::Black);  // the computer is the second player
    EXPECT_EQ(d.pressed, PieceSet::Black);
    EXPECT_EQ(d.kind, QEEN);
    EXPECT_EQ(d.place.left, 50);
    EXPECT_EQ(d.place.top, 1400);
    EXPECT_EQ(rig.g().PROMOTE_CODE, +QEEN);
    EXPECT_EQ(rig.g().BOARD[3][9], +QEEN);
    EXPECT_EQ(rig.g().MOVE_CODE[2], +QEEN);
}

TEST(ComputerTurn, ShogiPromotionNeedsNoDialog) {
    Rig rig;
    rig.setBoard({{9, 1, -KING}, {1, 3, -PORN}, {5, 9, +OU}, {5, 7, +GIN}});
    Scripted script{boardMove(5, 7, 5, 8, +GIN, +GIN_N)};
    // Turned round: the computer owns the 王 and moves first, at once.
    rig.game.setSearch(script.search());
    rig.game.menu("START2");
    EXPECT_EQ(script.calls, 1);
    EXPECT_TRUE(rig.host.dialogs.empty());
    EXPECT_EQ(rig.g().BOARD[5][8], +GIN_N);
    EXPECT_EQ(rig.g().TURN, rig.g().LOWER_PLAYER);
    EXPECT_EQ(rig.g().LOWER_PLAYER, GOTE);
}

TEST(ComputerTurn, ComputersTimeIsCredited) {
    Rig rig;
    Scripted script{boardMove(9, 1, 9, 2, +KING)};
    rig.setBoard({{5, 9, -OU}, {1, 7, -HU}, {9, 1, +KING}});
    rig.host.clock = 500;
    startCom(rig, script);
    rig.host.clock = 504;
    rig.move(1, 7, 1, 6);  // the computer answers within the same press, at the same time
    EXPECT_DOUBLE_EQ(rig.g().LOWER_TIME, 4);
    EXPECT_DOUBLE_EQ(rig.g().UPPER_TIME, 0);
    EXPECT_DOUBLE_EQ(rig.g().CLOCK_LOWER_AFTER[1], 4);
    EXPECT_DOUBLE_EQ(rig.g().MOVE_START_TIME, 504);
}

TEST(ComputerTurn, PressWithTheComputerToMoveAsksThenLetsItMoveFirst) {
    Rig rig;
    Scripted script{boardMove(9, 1, 9, 2, +KING)};
    rig.setBoard({{5, 9, -OU}, {1, 7, -HU}, {2, 7, -HU}, {9, 1, +KING}});
    startCom(rig, script);
    rig.move(1, 7, 1, 6);
    ASSERT_EQ(script.calls, 1);
    // Step the record back by the computer's move, as replay does.
    rig.g().MOVE_NO = 1;
    rig.g().MOVE_COUNT = 1;
    rig.g().BOARD = rig.g().HISTORY[1];
    rig.g().RESUME_PENDING = ON;
    rig.forget();
    script.move = boardMove(9, 1, 8, 1, +KING);
    rig.press(2, 7);
    EXPECT_EQ(rig.host.messages, (std::vector<Shown>{{"OKですか？", "再開(COM)"}}));
    EXPECT_EQ(script.calls, 2);
    EXPECT_EQ(rig.g().BOARD[8][1], +KING);
    // The press itself then picks the person's piece.
    EXPECT_EQ(rig.g().CLICK_PHASE, 1);
    EXPECT_EQ(rig.g().PICK[FROM_X], 2);
}

TEST(ComputerTurn, ResumeWithThePersonToMoveAnnouncesIt) {
    Rig rig;
    Scripted script{boardMove(9, 1, 9, 2, +KING)};
    rig.setBoard({{5, 9, -OU}, {1, 7, -HU}, {9, 1, +KING}});
    startCom(rig, script);
    rig.g().RESUME_PENDING = ON;
    rig.host.clock = 2000;
    rig.press(1, 7);
    EXPECT_EQ(rig.host.messages, (std::vector<Shown>{{"MANの番です", "対局"}}));
    EXPECT_EQ(rig.g().RESUME_PENDING, OFF);
    EXPECT_DOUBLE_EQ(rig.g().MOVE_START_TIME, 2000);
    EXPECT_EQ(script.calls, 0);
}

TEST(ComputerTurn, TwoPersonResumeAnnouncesTheTurnAgain) {
    Rig rig;
    rig.game.menu("MATCH_MAN");
    rig.move(5, 7, 5, 6);
    rig.g().RESUME_PENDING = ON;
    rig.forget();
    rig.press(5, 2);
    EXPECT_EQ(rig.host.messages, (std::vector<Shown>{{"後手の番です", "対局"}}));
    EXPECT_EQ(rig.g().CLICK_PHASE, 1);
}

}  // namespace
}  // namespace zorvan
