// The menu while the computer of LEVEL4 or LEVEL5 thinks: a refused command leaves it thinking,
// a command that ends its turn stops its clock where it stood, and the times recorded for its
// moves count its thinking only, never a box or the file panel open meanwhile. Clocks run only for
// the side to move of a running game. The search is a stand-in that plays the first legal move.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "fakes.h"
#include "play/hooks.h"
#include "records/record_file.h"
#include "rules/legal_moves.h"

namespace zorvan {
namespace {

using testing::FakeCanvas;
using testing::Rig;
using testing::Shown;

const std::string kClocksShown =
    "背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nチェス側持駒OK=OFF\r\nBGM=OFF\r\n";

// The stand-in search: the first legal move of the position.
search::Result firstMove(const GameState& g, const search::Limits&) {
    GameState copy = g;
    auto moves = std::make_unique<MoveList>();
    generateLegalMoves(copy, *moves);
    search::Result r;
    if (moves->size > 0) {
        r.found = true;
        r.move = (*moves)[0];
    }
    return r;
}

// A level-5 game against the computer, started at 1000 s; the person's first move makes the
// computer think (from 1000 s on).
void startThinking(Rig& rig) {
    rig.host.clock = 1000;
    rig.game.setStrongSearch(firstMove);
    rig.game.menu("LEVEL5");
    rig.game.menu("START2");
    rig.move(3, 7, 3, 6);
    ASSERT_EQ(rig.game.thinking(), Game::Thinking::Computer);
}

// The board turned before the game: the computer has the shogi army and moves first, so it
// thinks before any move was made.
void startThinkingFirst(Rig& rig) {
    rig.host.clock = 1000;
    rig.game.setStrongSearch(firstMove);
    rig.game.menu("REVERSE");
    rig.game.menu("LEVEL5");
    rig.game.menu("START2");
    ASSERT_EQ(rig.g().MOVE_NO, 0);
    ASSERT_EQ(rig.game.thinking(), Game::Thinking::Computer);
}

// Four moves, the last taken back; a press starts the computer again: it thinks with a move
// ahead of it in the history.
void startThinkingWithAMoveAhead(Rig& rig) {
    startThinking(rig);
    rig.host.finishJobs();
    rig.move(2, 7, 2, 6);
    rig.host.finishJobs();
    rig.game.menu("REPLAY");
    rig.press(9, 9);  // "再開(COM) OKですか？"
    ASSERT_EQ(rig.g().MOVE_NO, 3);
    ASSERT_EQ(rig.g().RECORD_END, 4);
    ASSERT_EQ(rig.game.thinking(), Game::Thinking::Computer);
}

// A record file of two moves; removed with the object.
struct RecordFile {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("zorvan-thinking-" + std::to_string(getpid()) + ".kifu");
    RecordFile() {
        Rig writer;
        writer.game.menu("MATCH_MAN");
        writer.move(3, 7, 3, 6);
        writer.move(5, 2, 5, 3);
        std::string bytes;
        PassThroughCodec codec;
        EXPECT_EQ(buildRecord(writer.g(), {"", "", ""}, codec, bytes), RecordError::None);
        std::ofstream(path, std::ios::binary) << bytes;
    }
    ~RecordFile() { std::filesystem::remove(path); }
};

const std::string kMissingFile = "/nonexistent-folder/no-such-record.kifu";

// The upper side's clock as last drawn ("" when it never was).
std::string upperClock(const Rig& rig) {
    for (auto it = rig.canvas.ops.rbegin(); it != rig.canvas.ops.rend(); ++it)
        if (it->kind == FakeCanvas::Op::Text && it->id == COLOR_WHITE && it->c == -1.6 &&
            it->r == 10.2)
            return it->text;
    return {};
}

// The time recorded for move n of the upper side.
double upperSeconds(Rig& rig, int n) {
    const auto k = static_cast<size_t>(n);
    return rig.g().CLOCK_UPPER_AFTER[k] - rig.g().CLOCK_UPPER_BEFORE[k];
}

struct Case {
    const char* name;
    std::function<void(Rig&)> setUp;
    std::function<void(Rig&)> command;
    std::vector<Shown> boxes;
};

TEST(RefusedCommandWhileTheComputerThinks, LeavesItThinkingAndItsMoveIsPlayed) {
    const std::string handicapRefusal = "対局途中ではできません\r\r局面→最初にして下さい";
    const Case cases[] = {
        {"進 with no move ahead",
         startThinking,
         [](Rig& r) { r.game.menu("AFTER"); },
         {{"できません", "進む"}}},
        {"戻 before the first move",
         startThinkingFirst,
         [](Rig& r) { r.game.menu("REPLAY"); },
         {{"できません", "戻る"}}},
        {"△ during a game",
         startThinking,
         [](Rig& r) { r.game.menu("LBEL_UP"); },
         {{handicapRefusal, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定"}}},
        {"▽ during a game",
         startThinking,
         [](Rig& r) { r.game.menu("LEBEL_DOWN"); },
         {{handicapRefusal, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定"}}},
        {"読込 of a file that cannot be read",
         startThinking,
         [](Rig& r) {
             r.game.menu("KIFU_READ");
             File1_Click(r.game, kMissingFile);
         },
         {{"棋譜ﾌｧｲﾙを読み込めませんでした", "棋譜"}}},
        {"the level it has", startThinking, [](Rig& r) { r.game.menu("LEVEL5"); }, {}},
        {"対局(COM) again", startThinking, [](Rig& r) { r.game.menu("START2"); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig(kClocksShown);
        c.setUp(rig);
        const int moveNo = rig.g().MOVE_NO;
        const int resumePending = rig.g().RESUME_PENDING;
        rig.forget();
        c.command(rig);
        EXPECT_EQ(rig.host.messages, c.boxes);
        EXPECT_EQ(rig.game.thinking(), Game::Thinking::Computer);
        EXPECT_TRUE(rig.host.timer) << "its clock runs";
        EXPECT_EQ(rig.g().RESUME_PENDING, resumePending);
        rig.host.finishJobs();
        EXPECT_EQ(rig.g().MOVE_NO, moveNo + 1) << "the computer moved";
        EXPECT_EQ(rig.g().TURN, rig.g().LOWER_PLAYER);
    }
}

TEST(AppliedCommandWhileTheComputerThinks, EndsItsTurnAndStopsItsClock) {
    RecordFile record;
    const std::string loaded = record.path.string();
    const Case cases[] = {
        {"最初", startThinking, [](Rig& r) { r.game.menu("CANCEL"); }, {}},
        {"戻", startThinking, [](Rig& r) { r.game.menu("REPLAY"); }, {}},
        {"進", startThinkingWithAMoveAhead, [](Rig& r) { r.game.menu("AFTER"); }, {}},
        {"反転", startThinking, [](Rig& r) { r.game.menu("REVERSE"); }, {}},
        {"読込 (the file list open)", startThinking, [](Rig& r) { r.game.menu("KIFU_READ"); }, {}},
        {"読込 of a record",
         startThinking,
         [&loaded](Rig& r) {
             r.game.menu("KIFU_READ");
             File1_Click(r.game, loaded);
         },
         {{" 読み込みました", "棋譜"}, {"棋譜を '進 'で進めて下さい", "棋譜"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig(kClocksShown);
        c.setUp(rig);
        rig.host.clock += 3;
        rig.game.tick();
        rig.forget();
        c.command(rig);
        EXPECT_EQ(rig.host.messages, c.boxes);
        EXPECT_EQ(rig.game.thinking(), Game::Thinking::None);
        EXPECT_FALSE(rig.host.timer) << "no clock runs";
        const Board board = rig.g().BOARD;
        const int moveNo = rig.g().MOVE_NO;
        const std::string clock = upperClock(rig);
        rig.host.clock += 60;
        rig.game.tick();
        EXPECT_EQ(upperClock(rig), clock);
        rig.host.finishJobs();  // the stopped search's answer comes, and counts for nothing
        EXPECT_EQ(rig.g().BOARD, board);
        EXPECT_EQ(rig.g().MOVE_NO, moveNo);
    }
}

// 対局(人間) ends the computer's turn too: the game goes on between persons, and the clock that
// runs is the upper player's, now a person's.
TEST(AppliedCommandWhileTheComputerThinks, APersonsGameGoesOnWithTheUpperPlayersClock) {
    Rig rig(kClocksShown);
    startThinking(rig);
    rig.host.clock = 1003;
    rig.game.menu("MATCH_MAN");
    EXPECT_EQ(rig.game.thinking(), Game::Thinking::None);
    EXPECT_EQ(rig.g().TURN, rig.g().UPPER_PLAYER);
    EXPECT_TRUE(rig.host.timer);
    rig.host.clock = 1010;
    rig.move(5, 2, 5, 3);
    EXPECT_EQ(rig.g().MOVE_NO, 2);
    EXPECT_DOUBLE_EQ(rig.g().CLOCK_UPPER_AFTER[2], 10);  // 3 s of the computer, 7 of the person
    rig.host.finishJobs();
    EXPECT_EQ(rig.g().MOVE_NO, 2);
}

// The computer's clock stands at the time it had when its turn was stopped, through a full
// redraw.
TEST(ComputerClock, StandsWhereItWasWhenItsTurnIsStopped) {
    for (const char* command : {"KIFU_READ", "REVERSE"}) {
        SCOPED_TRACE(command);
        Rig rig(kClocksShown);
        startThinking(rig);
        rig.host.clock = 1003.5;
        rig.game.tick();
        EXPECT_EQ(upperClock(rig), "00:00:03");
        rig.game.menu(command);
        rig.host.clock = 1060;
        rig.game.tick();
        rig.game.menu("TATAMI");
        EXPECT_EQ(upperClock(rig), "00:00:03");
    }
}

// The file list left open, the press that restarts the computer goes on with its clock: the time
// it stood still is not counted.
TEST(ComputerClock, GoesOnFromWhereItStoodWhenItsTurnGoesOn) {
    Rig rig(kClocksShown);
    startThinking(rig);
    rig.host.clock = 1003.5;
    rig.game.menu("KIFU_READ");
    rig.host.clock = 1100;
    rig.forget();
    rig.press(9, 9);
    EXPECT_EQ(rig.host.messages, (std::vector<Shown>{{"OKですか？", "再開(COM)"}}));
    EXPECT_TRUE(rig.host.timer);
    rig.host.clock = 1102;
    rig.host.finishJobs();
    ASSERT_EQ(rig.g().MOVE_NO, 2);
    EXPECT_DOUBLE_EQ(rig.g().CLOCK_UPPER_BEFORE[2], 0);
    EXPECT_DOUBLE_EQ(upperSeconds(rig, 2), 5.5);
}

// 反転 gives the move to the person (the army to move is now below): the next press announces it
// and starts the person's clock; the computer's total keeps what it had thought.
TEST(ComputerClock, AfterReverseThePersonsTurnIsTimedFromTheNextPress) {
    Rig rig(kClocksShown);
    startThinking(rig);
    rig.host.clock = 1003.5;
    rig.game.menu("REVERSE");
    rig.host.clock = 1100;
    rig.forget();
    rig.press(5, 8);
    EXPECT_EQ(rig.host.messages, (std::vector<Shown>{{"MANの番です", "対局"}}));
    EXPECT_TRUE(rig.host.timer);
    rig.host.clock = 1110;
    rig.press(5, 7);
    ASSERT_EQ(rig.g().MOVE_NO, 2);
    EXPECT_DOUBLE_EQ(rig.g().CLOCK_LOWER_AFTER[2] - rig.g().CLOCK_LOWER_BEFORE[2], 10);
    rig.host.clock = 1112;
    rig.host.finishJobs();
    ASSERT_EQ(rig.g().MOVE_NO, 3);
    EXPECT_DOUBLE_EQ(rig.g().CLOCK_UPPER_BEFORE[3], 3.5);
    EXPECT_DOUBLE_EQ(upperSeconds(rig, 3), 2);
}

// The computer thinks from 1000 s on and has its answer ready at 1005 s; 30 s of a box or the
// file panel in between are not its time.
TEST(ComputerClock, CountsNeitherABoxNorTheFilePanel) {
    const Case cases[] = {
        {"a refused 進, its box open 30 s",
         startThinking,
         [](Rig& r) {
             r.host.clock = 1002;
             r.host.onMessage = [&r] { r.host.clock += 30; };
             r.game.menu("AFTER");
             r.host.onMessage = nullptr;
             r.host.clock = 1035;
             r.host.finishJobs();
         },
         {}},
        {"the file list open 30 s, then a file that cannot be read",
         startThinking,
         [](Rig& r) {
             r.host.clock = 1002;
             r.game.menu("KIFU_READ");
             r.host.clock = 1032;
             File1_Click(r.game, kMissingFile);
             r.host.clock = 1035;
             r.host.finishJobs();
         },
         {}},
        {"the answer waiting 30 s behind the version box",
         startThinking,
         [](Rig& r) {
             r.game.menu("VER");
             r.host.clock = 1005;
             r.host.finishJob(30);
         },
         {}},
        {"another level chosen after 2 s",
         startThinking,
         [](Rig& r) {
             r.host.clock = 1002;
             r.game.menu("LEVEL4");
             r.host.clock = 1005;
             r.host.finishJobs();
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig(kClocksShown);
        c.setUp(rig);
        c.command(rig);
        ASSERT_EQ(rig.g().MOVE_NO, 2);
        EXPECT_DOUBLE_EQ(upperSeconds(rig, 2), 5);
        EXPECT_DOUBLE_EQ(rig.g().CLOCK_UPPER_BEFORE[2], 0);
        EXPECT_DOUBLE_EQ(rig.g().UPPER_TIME, 5);
    }
}

// Switching the times on starts no clock where no side is to move in a running game.
TEST(Clock, RunsOnlyForTheSideToMoveOfARunningGame) {
    RecordFile record;
    const std::string loaded = record.path.string();
    const struct {
        const char* name;
        std::function<void(Rig&)> setUp;
        bool runs;
    } cases[] = {
        {"no game", [](Rig&) {}, false},
        {"a loaded record", [&loaded](Rig& r) { File1_Click(r.game, loaded); }, false},
        {"a game stepped back",
         [](Rig& r) {
             r.game.menu("MATCH_MAN");
             r.move(3, 7, 3, 6);
             r.game.menu("REPLAY");
         },
         false},
        {"the computer's turn stopped by 反転",
         [](Rig& r) {
             startThinking(r);
             r.game.menu("REVERSE");
         },
         false},
        {"a game between persons", [](Rig& r) { r.game.menu("MATCH_MAN"); }, true},
        {"the person's turn against the computer", [](Rig& r) { r.game.menu("START2"); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;  // the times not shown
        rig.host.clock = 1000;
        c.setUp(rig);
        rig.game.menu("KEIKA");
        ASSERT_TRUE(rig.g().checks.KEIKA);
        EXPECT_EQ(rig.host.timer, c.runs);
        const std::string clock = upperClock(rig);
        rig.host.clock = 1100;
        rig.game.tick();
        if (!c.runs) {
            EXPECT_EQ(upperClock(rig), clock);
        }
    }
}

}  // namespace
}  // namespace zorvan
