// Every record the game writes loads again: whole games of the computer against itself from every
// kind of start (handicaps, the turned board, the chess side's hand on and off), most of them
// ended by taking a king, written by the game's own writer and read by its reader. And a finished
// game's record, stepped to its end, is not played on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "fakes.h"
#include "platform/text/cp932_codec.h"
#include "play/hooks.h"
#include "play/line_play.h"
#include "play/self_play.h"
#include "records/record_file.h"
#include "search/think.h"

namespace zorvan {
namespace {

using testing::Rig;
using testing::Shown;

struct Start {
    const char* name;
    int handicap;  // steps of △ (positive) or ▽ (negative) before the game
    bool turned;   // 反転 before the game
    bool strong;   // also played by the stronger search (slower: on a few starts only)
};

constexpr Start kStarts[] = {
    {"the standard start", 0, false, false},           {"the turned board", 0, true, true},
    {"three chess pieces off", 3, false, false},       {"four shogi pieces off", -4, false, true},
    {"two shogi pieces off, turned", -2, true, false},
};

// The levels of the two sides; 5 stands for the stronger search (LEVEL4's and LEVEL5's), here one
// ply deep so that a whole game takes moments.
struct Levels {
    int upper, lower;
};

constexpr Levels kLevels[] = {{1, 1}, {2, 3}, {3, 2}, {5, 3}};

// Sets up `start` in the game's own way (the handicap buttons, 反転, 対局(人間)).
void setUp(Rig& rig, const Start& start, bool chessHand) {
    for (int i = 0; i < std::abs(start.handicap); ++i)
        rig.game.menu(start.handicap > 0 ? "LBEL_UP" : "LEBEL_DOWN");
    if (start.turned) rig.game.menu("REVERSE");
    rig.g().checks.CHESS_MOCHIKOMA = chessHand;
    rig.game.menu("MATCH_MAN");
    rig.forget();
}

// Plays the computer against itself through the game's move path until a king is taken, the side
// to move has no move, or `maxPlies` plies. True when a king was taken.
bool playToTheEnd(GameState& g, const Levels& levels, int maxPlies) {
    GameState scratch;
    Drawing silent(g);
    ComPorts quiet;
    for (int ply = 0; ply < maxPlies; ++ply) {
        const Side side = g.sideOf(g.TURN);
        const int level = side == Side::Upper ? levels.upper : levels.lower;
        bool found = false;
        Move m;
        if (level <= 3) {
            ComMove searched;
            m = computerMove(g, scratch, level, quiet, found, searched);
        } else {
            search::Limits limits;
            limits.depth = 1;
            const search::Result r = search::think(g, limits);
            found = r.found;
            m = r.move;
        }
        if (!found) return false;
        playComputerMove(g, silent, m);
        if (g.WINNER != NO_SIDE) return true;
        passTurn(g);
    }
    return false;
}

class LoadableRecords : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("zorvan-loadable-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Writes the game in `rig` with the record menu; the file's path.
    std::string write(Rig& rig, const std::string& name) {
        rig.game.setFiles(rig.settingsPath, &codec);
        rig.host.panel = {dir.string(), "対局", "先手", "後手", name};
        rig.forget();
        rig.game.menu("Command1");
        EXPECT_EQ(rig.host.messages, (std::vector<Shown>{{"棋譜を書き込みました", "  "}}));
        return (dir / std::filesystem::u8path(name + ".棋譜")).string();
    }

    std::filesystem::path dir;
    Cp932Codec codec;
};

TEST_F(LoadableRecords, EveryGameTheComputerPlaysToTheEndLoadsAgain) {
    int games = 0, taken = 0;
    for (const Start& start : kStarts) {
        for (const bool chessHand : {false, true}) {
            for (const Levels& levels : kLevels) {
                if (levels.upper > 3 && !start.strong) continue;
                SCOPED_TRACE(std::string(start.name) + (chessHand ? ", chess hand" : "") +
                             ", levels " + std::to_string(levels.upper) + "/" +
                             std::to_string(levels.lower));
                Rig rig;
                setUp(rig, start, chessHand);
                const bool kingTaken = playToTheEnd(rig.g(), levels, 300);
                const GameState played = rig.g();
                ASSERT_GT(played.RECORD_END, 0);
                std::string bytes;
                if (buildRecord(played, {}, codec, bytes) == RecordError::HandTooLarge) continue;
                ++games;
                taken += kingTaken;

                LoadedRecord record;
                ASSERT_EQ(readRecord(bytes, codec, record), RecordError::None);
                ASSERT_EQ(record.moves.size(), static_cast<size_t>(played.RECORD_END));
                const RecordMove& last = record.moves.back();
                for (int x = 1; x <= 9; ++x)
                    for (int y = 1; y <= 9; ++y)
                        ASSERT_EQ(last.cells[9 * (x - 1) + (y - 1)], played.BOARD[x][y]);

                // The same through the window's record menu, stepped to the end.
                const std::string path = write(rig, "game");
                Rig reader;
                reader.game.setFiles(reader.settingsPath, &codec);
                File1_Click(reader.game, path);
                ASSERT_EQ(reader.g().RECORD_END, played.RECORD_END);
                for (int k = 0; k < played.RECORD_END; ++k) reader.game.menu("AFTER");
                EXPECT_EQ(reader.g().BOARD, played.BOARD);
            }
        }
    }
    EXPECT_GE(games, 30) << "few games kept their hands within one digit a kind";
    EXPECT_GE(taken, games / 3) << "many games end by taking a king";
}

// The last position of a finished game's record is the end of that game: starting a game there,
// or pressing the board after stepping to it in a game, announces the winner and offers a new
// game, as taking the king did; nothing is played on.
TEST_F(LoadableRecords, AFinishedGamesRecordIsNotPlayedOnFromItsEnd) {
    const struct {
        const char* ending;
        Start start;
        const char* startCommand;
        bool pressAfterStepping;
    } cases[] = {
        {"persons", {"", 0, false, false}, "MATCH_MAN", false},
        {"persons, turned", {"", 0, true, false}, "MATCH_MAN", false},
        {"the computer", {"", 0, false, false}, "START2", false},
        {"the computer, turned", {"", 0, true, false}, "START2", false},
        {"persons, stepped to the end", {"", 0, false, false}, "MATCH_MAN", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ending);
        // The first pair of levels whose game ends by taking a king.
        Rig rig;
        for (const Levels& levels : {Levels{2, 2}, Levels{2, 3}, Levels{3, 2}}) {
            rig.game.menu("CANCEL");
            setUp(rig, c.start, false);
            if (playToTheEnd(rig.g(), levels, 300)) break;
        }
        ASSERT_NE(rig.g().WINNER, NO_SIDE) << "a game ends by taking a king";
        const GameState played = rig.g();
        const std::string path = write(rig, "finished");

        Rig reader;
        reader.game.setFiles(reader.settingsPath, &codec);
        File1_Click(reader.game, path);
        const int stepsBefore = c.pressAfterStepping ? 1 : 0;
        for (int k = 0; k < played.RECORD_END - stepsBefore; ++k) reader.game.menu("AFTER");
        reader.forget();
        reader.host.answers = {true};  // "続けますか？": a new game
        reader.game.menu(c.startCommand);
        if (c.pressAfterStepping) {
            reader.game.menu("AFTER");
            ASSERT_EQ(reader.g().BOARD, played.BOARD);
            reader.forget();
            reader.host.answers = {true};
            reader.press(5, 5);
        }
        const bool lowerWon = played.WINNER == played.LOWER_PLAYER;
        std::string winner = played.WINNER == SENTE ? "先手" : "後手";
        if (std::string(c.startCommand) == "START2") winner = lowerWon ? "あなた" : "ｺﾝﾋﾟｭｰﾀ";
        ASSERT_GE(reader.host.messages.size(), 2u);
        EXPECT_EQ(reader.host.messages[0], (Shown{winner + "の勝ちです", "終了"}));
        EXPECT_EQ(reader.host.messages[1], (Shown{"続けますか？", "再ゲーム"}));
        EXPECT_EQ(reader.g().TURN, NO_SIDE) << "a new game is set up";
        EXPECT_EQ(reader.g().MOVE_NO, 0);
    }
}

}  // namespace
}  // namespace zorvan
