// A game keeps what it showed and stored when it is stepped back and forth, saved and loaded:
// each side's clock, the handicapped start, and the move texts and counter across a full redraw.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fakes.h"
#include "play/hooks.h"
#include "records/record_file.h"

namespace zorvan {
namespace {

using testing::FakeCanvas;
using testing::Rig;

// A game between persons: lower 7 s, upper 5 s, lower 3 s.
void playTimedOpening(Rig& rig) {
    rig.host.clock = 100;
    rig.game.menu("MATCH_MAN");
    rig.host.clock = 107;
    rig.move(5, 7, 5, 6);
    rig.host.clock = 112;
    rig.move(5, 2, 5, 3);
    rig.host.clock = 115;
    rig.move(4, 7, 4, 6);
    ASSERT_EQ(rig.g().MOVE_NO, 3);
}

TEST(Clocks, EachMoveIsStoredOnTheClockOfTheSideThatMadeIt) {
    Rig rig;
    playTimedOpening(rig);
    const GameState& g = rig.g();
    // lower before / after, upper before / after, for moves 1..3
    const double expected[4][4] = {{}, {0, 7, 0, 0}, {7, 7, 0, 5}, {7, 10, 5, 5}};
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_DOUBLE_EQ(g.CLOCK_LOWER_BEFORE[k], expected[k][0]);
        EXPECT_DOUBLE_EQ(g.CLOCK_LOWER_AFTER[k], expected[k][1]);
        EXPECT_DOUBLE_EQ(g.CLOCK_UPPER_BEFORE[k], expected[k][2]);
        EXPECT_DOUBLE_EQ(g.CLOCK_UPPER_AFTER[k], expected[k][3]);
    }
    EXPECT_DOUBLE_EQ(g.LOWER_TIME, 10);
    EXPECT_DOUBLE_EQ(g.UPPER_TIME, 5);
}

TEST(Clocks, SteppingBackAndForthShowsTheTotalsTheLiveGameHad) {
    Rig rig;
    playTimedOpening(rig);
    GameState& g = rig.g();
    rig.game.menu("REPLAY");  // back to move 2: lower 7, upper 5
    EXPECT_DOUBLE_EQ(g.LOWER_TIME, 7);
    EXPECT_DOUBLE_EQ(g.UPPER_TIME, 5);
    rig.game.menu("REPLAY");  // move 1: lower 7, upper 0
    EXPECT_DOUBLE_EQ(g.LOWER_TIME, 7);
    EXPECT_DOUBLE_EQ(g.UPPER_TIME, 0);
    rig.game.menu("AFTER");
    rig.game.menu("AFTER");
    EXPECT_DOUBLE_EQ(g.LOWER_TIME, 10);
    EXPECT_DOUBLE_EQ(g.UPPER_TIME, 5);
}

TEST(Clocks, TheRecordFileHoldsEachSidesOwnTime) {
    Rig rig;
    playTimedOpening(rig);
    std::string bytes;
    PassThroughCodec codec;
    ASSERT_EQ(buildRecord(rig.g(), {"g", "s", "t"}, codec, bytes), RecordError::None);
    std::istringstream lines(bytes);
    std::string line;
    std::vector<std::string> clocks;
    for (int i = 0; std::getline(lines, line); ++i)
        if (i >= 3) clocks.push_back(line.substr(267, 20));
    EXPECT_EQ(clocks, (std::vector<std::string>{"    0    7    0    0", "    7    7    0    5",
                                                "    7   10    5    5"}));
}

}  // namespace
}  // namespace zorvan

namespace zorvan {
namespace {

TEST(Handicap, TakingMovesBackReturnsToTheHandicappedStart) {
    Rig rig;
    rig.game.menu("LEBEL_DOWN");  // the 角 leaves
    rig.game.menu("LEBEL_DOWN");  // and the 飛
    GameState& g = rig.g();
    const Board start = g.BOARD;
    ASSERT_EQ(start[2][8], EMPTY);
    ASSERT_EQ(start[8][8], EMPTY);
    rig.game.menu("MATCH_MAN");
    rig.move(5, 7, 5, 6);
    rig.move(5, 2, 5, 3);
    const Board afterTwo = g.BOARD;
    rig.game.menu("REPLAY");
    rig.game.menu("REPLAY");
    EXPECT_EQ(g.BOARD, start);
    rig.game.menu("AFTER");
    rig.game.menu("AFTER");
    EXPECT_EQ(g.BOARD, afterTwo);
    rig.game.menu("CANCEL");  // 最初 gives the full army back
    EXPECT_EQ(g.BOARD[2][8], -KAKU);
    EXPECT_EQ(g.HISTORY[0][2][8], -KAKU);
    EXPECT_EQ(g.HISTORY[0][8][8], -SYA);
}

}  // namespace
}  // namespace zorvan
