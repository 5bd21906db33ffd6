// Whole games, game end, the menus of the game, levels and handicaps.
#include <gtest/gtest.h>

#include "fakes.h"

namespace zorvan {
namespace {

using testing::Rig;
using testing::Shown;

// Lower 飛 and upper rook shuffle until the 飛 takes the chess king on move 5.
void playToKingCapture(Rig& rig) {
    rig.setBoard({{5, 9, -OU}, {9, 9, -SYA}, {5, 1, +KING}, {1, 1, +ROOK}});
    rig.game.menu("MATCH_MAN");
    const int moves[][4] = {{9, 9, 9, 5}, {1, 1, 1, 2}, {9, 5, 5, 5}, {1, 2, 1, 3}, {5, 5, 5, 1}};
    const int turnAfter[] = {GOTE, SENTE, GOTE, SENTE};
    for (int i = 0; i < 4; ++i) {
        rig.move(moves[i][0], moves[i][1], moves[i][2], moves[i][3]);
        ASSERT_EQ(rig.g().TURN, turnAfter[i]) << "after move " << i + 1;
        ASSERT_EQ(rig.g().MOVE_NO, i + 1);
    }
    rig.forget();
    rig.move(moves[4][0], moves[4][1], moves[4][2], moves[4][3]);
}

TEST(TwoPersonGame, KingCaptureAnnouncesTheWinnerAndYesStartsANewGame) {
    Rig rig;
    rig.host.answers = {true};
    playToKingCapture(rig);
    EXPECT_EQ(rig.host.messages,
              (std::vector<Shown>{{"先手の勝ちです", "終了"}, {"続けますか？", "再ゲーム"}}));
    EXPECT_EQ(rig.host.isQuestion, (std::vector<bool>{false, true}));
    // A fresh game: standard position, no game running, nothing of the old one left.
    GameState fresh;
    初期設定(fresh);
    EXPECT_EQ(rig.g().BOARD, fresh.BOARD);
    EXPECT_EQ(rig.g().TURN, NO_SIDE);
    EXPECT_EQ(rig.g().WINNER, NO_SIDE);
    EXPECT_EQ(rig.g().MOVE_NO, 0);
    EXPECT_FALSE(rig.game.ended());
    // The next press asks for a game to be started.
    rig.forget();
    rig.press(5, 7);
    EXPECT_EQ(rig.host.messages, (std::vector<Shown>{{"「対局」で始めて下さい", "開始"}}));
}

TEST(TwoPersonGame, NoToContinueEndsTheProgramAfterReleasingTheSounds) {
    Rig rig;
    rig.host.answers = {false};
    playToKingCapture(rig);
    EXPECT_EQ(rig.g().WINNER, SENTE);
    EXPECT_TRUE(rig.sound.closed);
    EXPECT_TRUE(rig.host.quitCalled);
    EXPECT_TRUE(rig.game.ended());
    // Nothing happens any more.
    rig.forget();
    rig.press(5, 9);
    rig.game.menu("MATCH_MAN");
    EXPECT_TRUE(rig.host.messages.empty());
}

TEST(TwoPersonGame, GoteWinsByTakingThe王) {
    Rig rig;
    rig.setBoard({{5, 9, -OU}, {1, 9, -KYOU}, {5, 1, +KING}, {5, 2, +ROOK}});
    rig.game.menu("MATCH_MAN");
    rig.move(1, 9, 1, 8);
    rig.forget();
    rig.host.answers = {true};
    rig.move(5, 2, 5, 9);
    ASSERT_FALSE(rig.host.messages.empty());
    EXPECT_EQ(rig.host.messages[0], (Shown{"後手の勝ちです", "終了"}));
}

TEST(TwoPersonGame, MovesAreRecordedCountedAndShown) {
    Rig rig;
    rig.game.menu("MATCH_MAN");
    rig.forget();
    rig.move(7, 7, 7, 6);
    EXPECT_EQ(rig.g().MOVE_COUNT, 1);
    EXPECT_EQ(rig.g().RECORD_END, 1);
    EXPECT_EQ(rig.g().HISTORY[1], rig.g().BOARD);
    EXPECT_EQ(rig.g().MOVE_TO_X[1], 7);
    EXPECT_EQ(rig.g().MOVE_CODE[1], -HU);
    EXPECT_EQ(rig.sound.played, (std::vector<SoundId>{SoundId::ShogiMove}));
    // Move text of the lower side: file 3 from the right, rank 六, the piece.
    const auto white = rig.canvas.textsIn(COLOR_WHITE);
    EXPECT_NE(std::find(white.begin(), white.end(), "手目"), white.end());
    bool moveText = false;
    for (size_t i = 0; i + 2 < white.size(); ++i)
        moveText |= white[i] == "３" && white[i + 1] == "六" && white[i + 2] == "歩";
    EXPECT_TRUE(moveText);
    // A chess move plays the chess sound.
    rig.sound.played.clear();
    rig.move(3, 2, 3, 4);
    EXPECT_EQ(rig.sound.played, (std::vector<SoundId>{SoundId::ChessMove}));
}

TEST(TwoPersonGame, EachSideIsCreditedWithItsOwnThinkingTime) {
    Rig rig;
    rig.host.clock = 100;
    rig.game.menu("MATCH_MAN");
    rig.host.clock = 107;
    rig.move(5, 7, 5, 6);
    EXPECT_DOUBLE_EQ(rig.g().LOWER_TIME, 7);
    EXPECT_DOUBLE_EQ(rig.g().CLOCK_LOWER_AFTER[1], 7);
    rig.host.clock = 110;
    rig.move(5, 2, 5, 3);
    EXPECT_DOUBLE_EQ(rig.g().UPPER_TIME, 3);
    EXPECT_DOUBLE_EQ(rig.g().LOWER_TIME, 7);
}

TEST(GameMenus, MatchManAfterStartUpAnnouncesTheFirstPlayer) {
    Rig rig;
    rig.forget();
    rig.game.menu("MATCH_MAN");
    EXPECT_EQ(rig.host.messages, (std::vector<Shown>{{"先手の番です", " "}}));
    EXPECT_EQ(rig.g().GAME_MODE, MODE_MAN);
    EXPECT_EQ(rig.g().TURN, SENTE);
}

TEST(GameMenus, MatchComAfterStartUpWaitsForThePerson) {
    Rig rig;
    rig.forget();
    rig.game.menu("START2");
    EXPECT_EQ(rig.host.messages, (std::vector<Shown>{{"MANの番です", " "}}));
    EXPECT_EQ(rig.g().GAME_MODE, MODE_COM);
    EXPECT_EQ(rig.g().TURN, rig.g().LOWER_PLAYER);
    EXPECT_TRUE(rig.host.timer);  // the clock runs whether or not it is shown
    const auto white = rig.canvas.textsIn(COLOR_WHITE);
    EXPECT_NE(std::find(white.begin(), white.end(), "LEVEL"), white.end());
}

TEST(GameMenus, PersonTakingTheComputersKingWinsAndTheComputerDoesNotMove) {
    Rig rig;
    rig.setBoard({{5, 9, -OU}, {5, 5, -SYA}, {5, 1, +KING}, {1, 1, +ROOK}});
    rig.game.menu("START2");
    rig.forget();
    rig.host.answers = {true};
    rig.move(5, 5, 5, 1);
    EXPECT_EQ(rig.host.messages,
              (std::vector<Shown>{{"あなたの勝ちです", "終了"}, {"続けますか？", "再ゲーム"}}));
    // The new game from "続けますか？" has not been touched by the computer.
    EXPECT_EQ(rig.g().TURN, NO_SIDE);
    EXPECT_EQ(rig.g().MOVE_NO, 0);
}

TEST(GameMenus, ComputerWithoutAnyMoveResigns) {
    Rig rig;
    // The computer's chess king in the corner, walled in by its own 歩 on files 1 and 2, each
    // stopped by the one in front of it (the last by the board's edge).
    rig.setBoard({{5, 9, -OU}, {5, 7, -HU}});
    rig.g().BOARD[1][1] = +KING;
    for (int y = 2; y <= 9; ++y) rig.g().BOARD[1][y] = +HU;
    for (int y = 1; y <= 9; ++y) rig.g().BOARD[2][y] = +HU;
    rig.g().HISTORY[0] = rig.g().BOARD;
    rig.game.menu("START2");
    rig.forget();
    rig.host.answers = {false};
    rig.move(5, 7, 5, 6);
    EXPECT_EQ(rig.host.messages,
              (std::vector<Shown>{{"あなたの勝ちです", "終了"}, {"続けますか？", "再ゲーム"}}));
    EXPECT_TRUE(rig.host.quitCalled);
    EXPECT_EQ(rig.g().MOVE_NO, 1);
}

TEST(GameMenus, EscOwariAndTheCloseBoxEndTheProgramWithoutAQuestion) {
    for (const char* how : {"esc", "OWARI", "close"}) {
        Rig rig;
        rig.forget();
        if (std::string(how) == "esc") rig.game.keyPress(KEY_ESC);
        if (std::string(how) == "OWARI") rig.game.menu("OWARI");
        if (std::string(how) == "close") rig.game.close();
        EXPECT_TRUE(rig.host.messages.empty()) << how;
        EXPECT_EQ(rig.sound.closeCalls, 1) << how;
        EXPECT_TRUE(rig.game.ended()) << how;
        EXPECT_EQ(rig.host.quitCalled, std::string(how) != "close") << how;
    }
    Rig rig;
    rig.game.keyPress('a');
    EXPECT_FALSE(rig.game.ended());
}

TEST(GameMenus, AboutBoxNamesTheProjectAndPlaysTheNoticeSound) {
    Rig rig;
    rig.forget();
    rig.game.menu("VER");
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.messages[0].title, "ZORVAN");
    EXPECT_EQ(rig.host.messages[0].text.rfind("  Version 1.0", 0), 0u);
    EXPECT_NE(rig.host.messages[0].text.find("ZORVAN project"), std::string::npos);
    EXPECT_NE(rig.host.messages[0].text.find("2026-12"), std::string::npos);
    EXPECT_EQ(rig.sound.played, (std::vector<SoundId>{SoundId::Other}));
    EXPECT_FALSE(rig.host.listsVisible);
}

TEST(GameMenus, StartUpReportsSoundFailuresAndChecksLevelThree) {
    testing::FakeHost host;
    testing::FakeCanvas canvas;
    testing::FakeSound sound;
    sound.startWarnings = {"Direct Soundインターフェースが作成できません。"};
    Game game(host, &canvas, &sound);
    game.startUp();
    EXPECT_EQ(
        host.messages,
        (std::vector<Shown>{{"Direct Soundインターフェースが作成できません。", "ZORVAN.dll"}}));
    EXPECT_EQ(host.icons[0], MessageIcon::Warning);
    EXPECT_TRUE(game.state().checks.LEVEL3);
    EXPECT_EQ(game.state().COM_LEVEL, 3);
    EXPECT_EQ(canvas.lastPictureAt(10.8, -1), PICTURE_TITLE);
    EXPECT_EQ(game.state().TURN, NO_SIDE);
    game.menu("NO_SUCH_MENU");  // unknown commands do nothing
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST(Levels, ItemsSetTheLevelAndExactlyOneCheck) {
    Rig rig;
    for (int n : {1, 2, 3, 4, 5, 2}) {
        const int calls = rig.host.checksCalls;
        rig.game.menu("LEVEL" + std::to_string(n));
        EXPECT_EQ(rig.g().COM_LEVEL, n);
        const OptionChecks& c = rig.g().checks;
        EXPECT_EQ((std::vector<bool>{c.LEVEL1, c.LEVEL2, c.LEVEL3, c.LEVEL4, c.LEVEL5}),
                  (std::vector<bool>{n == 1, n == 2, n == 3, n == 4, n == 5}));
        EXPECT_GT(rig.host.checksCalls, calls);
    }
    // レベル_設定 with another value clears the checks and keeps the level.
    rig.game.レベル_設定(7);
    EXPECT_EQ(rig.g().COM_LEVEL, 2);
    const OptionChecks& c = rig.g().checks;
    EXPECT_FALSE(c.LEVEL1 || c.LEVEL2 || c.LEVEL3 || c.LEVEL4 || c.LEVEL5);
    rig.game.menu("LEVEL6");  // no such item
    EXPECT_EQ(rig.g().COM_LEVEL, 2);
}

// ---- handicaps ----

int pieceCount(const GameState& g, Side side) {
    int n = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) n += ownerOf(g.BOARD[x][y]) == side;
    return n;
}

TEST(Handicap, TenStepsDownLeaveKingAndPawnsAndShowTheTopTitle) {
    Rig rig;
    for (int i = 0; i < 10; ++i) rig.game.menu("LEBEL_DOWN");
    EXPECT_EQ(rig.g().HANDICAP_LEVEL, -10);
    EXPECT_EQ(pieceCount(rig.g(), Side::Lower), 10);
    EXPECT_EQ(rig.g().BOARD[5][9], -OU);
    EXPECT_EQ(pieceCount(rig.g(), Side::Upper), 16);
    const auto white = rig.canvas.textsIn(COLOR_WHITE);
    EXPECT_EQ(white.back(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人");
    EXPECT_EQ(rig.g().HANDICAP_ON, ON);
    // One more changes nothing.
    const Board before = rig.g().BOARD;
    rig.forget();
    rig.game.menu("LEBEL_DOWN");
    EXPECT_EQ(rig.g().HANDICAP_LEVEL, -10);
    EXPECT_EQ(rig.g().BOARD, before);
    EXPECT_TRUE(rig.sound.played.empty());
}

TEST(Handicap, SevenStepsUpLeaveTheChessKingAndPawns) {
    Rig rig;
    for (int i = 0; i < 7; ++i) rig.game.menu("LBEL_UP");
    EXPECT_EQ(rig.g().HANDICAP_LEVEL, 7);
    EXPECT_EQ(pieceCount(rig.g(), Side::Upper), 9);
    EXPECT_EQ(rig.g().BOARD[6][1], +KING);
    EXPECT_EQ(rig.canvas.textsIn(COLOR_WHITE).back(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級");
    const Board before = rig.g().BOARD;
    rig.game.menu("LBEL_UP");
    EXPECT_EQ(rig.g().HANDICAP_LEVEL, 7);
    EXPECT_EQ(rig.g().BOARD, before);
}

TEST(Handicap, EachStepUpIsUndoneByTheStepDown) {
    for (int start = -10; start < 7; ++start) {
        Rig rig;
        while (rig.g().HANDICAP_LEVEL > start) rig.game.menu("LEBEL_DOWN");
        while (rig.g().HANDICAP_LEVEL < start) rig.game.menu("LBEL_UP");
        const Board before = rig.g().BOARD;
        rig.game.menu("LBEL_UP");
        EXPECT_NE(rig.g().BOARD, before) << start;
        rig.game.menu("LEBEL_DOWN");
        EXPECT_EQ(rig.g().BOARD, before) << start;
        EXPECT_EQ(rig.g().HANDICAP_LEVEL, start);
    }
}

TEST(Handicap, FirstStepsTakeTheBishopThenGiveItBack) {
    Rig rig;
    rig.game.menu("LEBEL_DOWN");  // to -1: the 角 goes
    EXPECT_EQ(rig.g().BOARD[2][8], EMPTY);
    EXPECT_EQ(rig.sound.played.back(), SoundId::Vanish);
    rig.game.menu("LEBEL_DOWN");  // to -2: the 飛 goes
    EXPECT_EQ(rig.g().BOARD[8][8], EMPTY);
    rig.game.menu("LBEL_UP");
    EXPECT_EQ(rig.g().BOARD[8][8], -SYA);
    EXPECT_EQ(rig.sound.played.back(), SoundId::ShogiMove);
    rig.game.menu("LBEL_UP");
    rig.game.menu("LBEL_UP");  // to 1: the rook on (2, 1) goes
    EXPECT_EQ(rig.g().BOARD[2][8], -KAKU);
    EXPECT_EQ(rig.g().BOARD[2][1], EMPTY);
}

TEST(Handicap, RefusalsInRecordModeDuringAGameAndAfterTurning) {
    const struct {
        int kifu, moveNo, reversed;
        const char* line;
    } cases[] = {
        {ON, 3, ON, "棋譜ﾓｰﾄﾞではできません"},
        {OFF, 1, ON, "対局途中ではできません"},
        {OFF, 0, ON, "反転後ではできません"},
    };
    for (const auto& c : cases) {
        for (const char* menu : {"LBEL_UP", "LEBEL_DOWN"}) {
            Rig rig;
            rig.g().KIFU_MODE = c.kifu;
            rig.g().MOVE_NO = c.moveNo;
            rig.g().REVERSED = c.reversed;
            const Board before = rig.g().BOARD;
            rig.forget();
            rig.game.menu(menu);
            EXPECT_EQ(rig.host.messages,
                      (std::vector<Shown>{
                          {std::string(c.line) + "\r\r局面→最初にして下さい", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定"}}))
                << menu;
            EXPECT_EQ(rig.sound.played, (std::vector<SoundId>{SoundId::Forbidden}));
            EXPECT_EQ(rig.g().BOARD, before);
            EXPECT_EQ(rig.g().HANDICAP_LEVEL, 0);
            EXPECT_EQ(rig.g().HANDICAP_ON, OFF);
        }
    }
}

TEST(Handicap, AfterTheFirstMoveOfAGameIsRefused) {
    Rig rig;
    rig.game.menu("MATCH_MAN");
    rig.move(5, 7, 5, 6);
    rig.forget();
    rig.game.menu("LBEL_UP");
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.messages[0].text.rfind("対局途中ではできません", 0), 0u);
}

TEST(Handicap, ANewGameRestoresTheFullPosition) {
    Rig rig;
    for (int i = 0; i < 4; ++i) rig.game.menu("LEBEL_DOWN");
    rig.game.初期設定();
    GameState fresh;
    初期設定(fresh);
    EXPECT_EQ(rig.g().BOARD, fresh.BOARD);
    EXPECT_EQ(rig.g().HANDICAP_LEVEL, 0);
}

}  // namespace
}  // namespace zorvan
