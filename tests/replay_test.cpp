// Stepping through snapshots, turning the board, and record files written and read by the game.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fakes.h"
#include "platform/text/cp932_codec.h"
#include "play/hooks.h"
#include "records/record_file.h"
#include "rules/hand_rules.h"

namespace zorvan {
namespace {

using testing::Rig;
using testing::Shown;

// A two-person game of six moves with captures on both sides and a drop.
void playOpening(Rig& rig) {
    rig.game.menu("MATCH_MAN");
    rig.move(3, 7, 3, 6);  // pawn opens the 角's diagonal
    rig.move(7, 2, 7, 4);  // chess pawn, double step
    rig.move(2, 8, 8, 2);  // 角 takes a pawn
    rig.move(7, 1, 8, 2);  // bishop takes the 角
    rig.press(11, 1);      // the captured pawn from the lower hand ...
    rig.press(5, 5);       // ... dropped
    rig.move(6, 2, 6, 3);
    ASSERT_EQ(rig.g().MOVE_NO, 6) << "the opening is played as written";
    ASSERT_EQ(rig.g().ENEMY_HAND[11], 1);
    ASSERT_EQ(rig.g().BOARD[5][5], -PORN);
}

TEST(Replay, BackTwiceForwardOnce) {
    Rig rig;
    playOpening(rig);
    const int moveNo = rig.g().MOVE_NO;
    const int turn = rig.g().TURN;
    rig.forget();
    rig.game.menu("REPLAY");
    rig.game.menu("REPLAY");
    rig.game.menu("AFTER");
    EXPECT_EQ(rig.g().MOVE_NO, moveNo - 1);
    EXPECT_EQ(rig.g().TURN, -turn);
    EXPECT_EQ(rig.g().BOARD, rig.g().HISTORY[moveNo - 1]);
    EXPECT_EQ(rig.g().RESUME_PENDING, ON);
    EXPECT_TRUE(rig.host.messages.empty());
}

TEST(Replay, StepsPastEitherEndAreRefused) {
    Rig rig;
    rig.game.menu("AFTER");
    EXPECT_EQ(rig.host.messages.back(), (Shown{"「対局」で始めて下さい", "開始"}));
    rig.game.menu("MATCH_MAN");
    rig.forget();
    rig.game.menu("REPLAY");
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.messages[0], (Shown{"できません", "戻る"}));
    EXPECT_EQ(rig.sound.count(SoundId::Forbidden), 1);
    rig.game.menu("AFTER");
    EXPECT_EQ(rig.host.messages.back(), (Shown{"できません", "進む"}));
    EXPECT_EQ(rig.g().MOVE_NO, 0);
}

TEST(Replay, ForwardAndBackShowTheSameClocksForAPosition) {
    Rig rig;
    playOpening(rig);
    GameState& g = rig.g();
    for (int k = 1; k <= g.RECORD_END; ++k) {
        g.CLOCK_LOWER_BEFORE[k] = 10.0 * k;
        g.CLOCK_LOWER_AFTER[k] = 10.0 * k + 3;
        g.CLOCK_UPPER_BEFORE[k] = 20.0 * k;
        g.CLOCK_UPPER_AFTER[k] = 20.0 * k + 7;
    }
    rig.game.menu("REPLAY");
    rig.game.menu("REPLAY");
    const double lower = g.LOWER_TIME, upper = g.UPPER_TIME;
    rig.game.menu("REPLAY");
    rig.game.menu("AFTER");
    EXPECT_EQ(g.LOWER_TIME, lower);
    EXPECT_EQ(g.UPPER_TIME, upper);
}

TEST(Replay, MoveResultFindsTheArrivingPiece) {
    GameState g;
    初期設定(g);
    g.ensureHistory(2);
    g.HISTORY[1] = g.HISTORY[0];
    g.HISTORY[1][7][7] = EMPTY;
    g.HISTORY[1][7][6] = -HU;
    int x = 0, y = 0, code = 99;
    調査_移動結果(g, 1, x, y, code);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 6);
    EXPECT_EQ(code, -HU);
    // Nothing arrived: the outputs stay as they were.
    g.HISTORY[2] = g.HISTORY[1];
    調査_移動結果(g, 2, x, y, code);
    EXPECT_EQ(code, -HU);
}

TEST(Reverse, TwiceGivesBackThePosition) {
    Rig rig;
    playOpening(rig);
    GameState& g = rig.g();
    const Board board = g.BOARD;
    const Hand own = g.OWN_HAND, enemy = g.ENEMY_HAND;
    const int turn = g.TURN;
    rig.game.menu("REVERSE");
    EXPECT_EQ(g.BOARD[5][1], +OU);
    EXPECT_EQ(g.LOWER_PLAYER, GOTE);
    EXPECT_EQ(g.OWN_HAND, enemy);
    EXPECT_EQ(g.OWN_HAND_COUNT, 調査_持駒数(g, g.LOWER_PLAYER));
    EXPECT_EQ(g.HISTORY[g.MOVE_NO], g.BOARD);
    EXPECT_EQ(g.OWN_HAND_HISTORY[g.MOVE_NO], g.OWN_HAND);
    rig.game.menu("REVERSE");
    EXPECT_EQ(g.BOARD, board);
    EXPECT_EQ(g.OWN_HAND, own);
    EXPECT_EQ(g.ENEMY_HAND, enemy);
    EXPECT_EQ(g.TURN, turn);
    EXPECT_EQ(g.REVERSED, ON);
}

class RecordGame : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("zorvan-record-game-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
    Cp932Codec codec;
};

TEST_F(RecordGame, WrittenRecordLoadsAndStepsThroughEverySnapshot) {
    Rig rig;
    rig.game.setFiles(rig.settingsPath, &codec);
    playOpening(rig);
    const GameState played = rig.g();
    rig.host.panel = {dir.string(), "練習対局", "先手さん", "後手さん", "game1"};
    rig.forget();
    rig.game.menu("KIFU_WRITE");
    rig.game.menu("Command1");
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.messages[0], (Shown{"棋譜を書き込みました", "  "}));
    EXPECT_EQ(rig.host.fileListRefreshes, 1);
    const auto path = dir / std::filesystem::u8path("game1.棋譜");
    ASSERT_TRUE(std::filesystem::exists(path));

    Rig reader;
    reader.game.setFiles(reader.settingsPath, &codec);
    reader.forget();
    File1_Click(reader.game, path.string());
    ASSERT_EQ(reader.host.messages.size(), 2u);
    EXPECT_EQ(reader.host.messages[0], (Shown{" 読み込みました", "棋譜"}));
    EXPECT_EQ(reader.host.messages[1], (Shown{"棋譜を '進 'で進めて下さい", "棋譜"}));
    GameState& g = reader.g();
    EXPECT_EQ(g.KIFU_MODE, ON);
    EXPECT_EQ(g.MOVE_NO, 0);
    EXPECT_EQ(g.RECORD_END, played.RECORD_END);
    for (int k = 1; k <= played.RECORD_END; ++k) {
        reader.game.menu("AFTER");
        ASSERT_EQ(g.MOVE_NO, k);
        EXPECT_EQ(g.BOARD, played.HISTORY[k]) << k;
        EXPECT_EQ(g.OWN_HAND, played.OWN_HAND_HISTORY[k]) << k;
        EXPECT_EQ(g.ENEMY_HAND, played.ENEMY_HAND_HISTORY[k]) << k;
    }
    reader.forget();
    reader.game.menu("AFTER");
    EXPECT_EQ(reader.host.messages.back(), (Shown{"終わり", "進む"}));
    reader.game.menu("REVERSE");
    EXPECT_EQ(reader.host.messages.back(), (Shown{"棋譜ﾓｰﾄﾞではできません", "反転"}));
}

TEST_F(RecordGame, WritingIsRefusedWithAMessageAndWritesNothing) {
    Rig rig;
    rig.host.panel = {dir.string(), "", "", "", "empty"};
    rig.game.menu("Command1");
    EXPECT_EQ(rig.host.messages.back(), (Shown{"保存するデータがありません", "棋譜保存"}));
    playOpening(rig);
    rig.host.panel.fileName = "";
    rig.game.menu("Command1");
    EXPECT_EQ(rig.host.messages.back(), (Shown{"ﾌｧｲﾙ名が入力されていません", "  "}));
    rig.host.panel.fileName = "../outside";
    rig.game.menu("Command1");
    EXPECT_EQ(rig.host.messages.back().title, "棋譜保存");
    rig.host.panel.folder = (dir / "missing").string();
    rig.host.panel.fileName = "x";
    rig.game.menu("Command1");
    EXPECT_EQ(rig.host.messages.back(), (Shown{"棋譜を書き込めませんでした", "棋譜保存"}));
    EXPECT_TRUE(std::filesystem::is_empty(dir));
}

TEST_F(RecordGame, AThreeLineFileLoadsAsAnEmptyRecordAndABrokenOneChangesNothing) {
    Rig rig;
    const auto empty = dir / "three.棋譜";
    std::ofstream(empty, std::ios::binary) << "a\r\nb\r\nc\r\n";
    File1_Click(rig.game, empty.string());
    EXPECT_EQ(rig.host.messages.back(), (Shown{"棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません", "棋譜"}));
    EXPECT_EQ(rig.g().KIFU_MODE, ON);
    EXPECT_EQ(rig.g().RECORD_END, 0);

    Rig other;
    playOpening(other);
    const GameState before = other.g();
    // A code that is no piece; a position with two kings of a side, or none before the last
    // position, that the game could not play; a hand count that is no digit.
    std::string line;
    ASSERT_EQ(formatMoveLine(before, 1, line), RecordError::None);
    const auto withCell = [&line](int x, int y, const char* code) {
        std::string changed = line;
        changed.replace(static_cast<size_t>(3 * (9 * (x - 1) + (y - 1))), 3, code);
        return changed;
    };
    std::string badHand = line;
    badHand[250] = '-';
    const std::string brokenLines[] = {
        std::string(3, '9'),
        withCell(5, 5, "-20"),
        withCell(5, 9, "  0") + "\r\n" + line,
        badHand,
    };
    for (const std::string& lines : brokenLines) {
        const auto broken = dir / "broken.棋譜";
        std::ofstream(broken, std::ios::binary | std::ios::trunc) << "a\r\nb\r\nc\r\n"
                                                                  << lines << "\r\n";
        other.forget();
        File1_Click(other.game, broken.string());
        EXPECT_EQ(other.host.messages, (std::vector<Shown>{{"棋譜ﾌｧｲﾙが壊れています", "棋譜"}}));
        EXPECT_EQ(other.g().BOARD, before.BOARD);
        EXPECT_EQ(other.g().HISTORY[1], before.HISTORY[1]);
        EXPECT_EQ(other.g().MOVE_NO, before.MOVE_NO);
        EXPECT_EQ(other.g().RECORD_END, before.RECORD_END);
        EXPECT_EQ(other.g().TURN, before.TURN);
        EXPECT_EQ(other.g().KIFU_MODE, OFF);
    }
    File1_Click(other.game, (dir / "none.棋譜").string());
    EXPECT_EQ(other.host.messages.back().title, "棋譜");
}

}  // namespace
}  // namespace zorvan
