// A game keeps what it showed and stored when it is stepped back and forth, saved and loaded:
// each side's clock, the handicapped start, the moves a loaded position offers, the record's
// header names, and the move texts and counter across a full redraw.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
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

// The line ends with a chess pawn's double step (x,2)-(x,4) beside the lower side's pawn on
// (5,4), which the shogi army dropped after taking it.
void playToDoubleStep(Rig& rig, int x) {
    rig.game.menu("MATCH_MAN");
    rig.move(3, 7, 3, 6);
    rig.move(7, 2, 7, 4);
    rig.move(2, 8, 8, 2);
    rig.move(7, 1, 8, 2);
    rig.press(11, 1);
    rig.press(5, 5);
    rig.move(9, 2, 9, 3);
    rig.move(5, 5, 5, 4);
    rig.move(x, 2, x, 4);
    ASSERT_EQ(rig.g().MOVE_NO, 8);
}

TEST(LoadedRecord, ContinuesWithTheEnPassantCaptureTheLiveGameAllows) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("zorvan-en-passant-" + std::to_string(getpid()) + ".kifu");
    {
        Rig writer;
        playToDoubleStep(writer, 4);
        std::string bytes;
        PassThroughCodec codec;
        ASSERT_EQ(buildRecord(writer.g(), {"g", "s", "t"}, codec, bytes), RecordError::None);
        std::ofstream(path, std::ios::binary) << bytes;
    }
    Rig reader;
    // An earlier game in the same window left another last move in the tables.
    playToDoubleStep(reader, 6);
    File1_Click(reader.game, path.string());
    std::filesystem::remove(path);
    GameState& g = reader.g();
    ASSERT_EQ(g.RECORD_END, 8);
    for (int k = 1; k <= 8; ++k) reader.game.menu("AFTER");
    reader.game.menu("MATCH_MAN");
    reader.move(5, 4, 4, 3);  // en passant
    EXPECT_EQ(g.MOVE_NO, 9);
    EXPECT_EQ(g.BOARD[4][3], -PORN);
    EXPECT_EQ(g.BOARD[4][4], EMPTY) << "the passed pawn is taken";
}

// The texts a full redraw paints after its last background tile.
std::vector<std::string> textsAfterRedraw(const FakeCanvas& canvas) {
    size_t from = 0;
    for (size_t i = 0; i < canvas.ops.size(); ++i)
        if (canvas.ops[i].kind == FakeCanvas::Op::Picture && canvas.ops[i].id == PICTURE_TITLE)
            from = i;
    std::vector<std::string> out;
    for (size_t i = from; i < canvas.ops.size(); ++i)
        if (canvas.ops[i].kind == FakeCanvas::Op::Text && canvas.ops[i].id == COLOR_WHITE)
            out.push_back(canvas.ops[i].text);
    return out;
}

TEST(FullRedraw, KeepsTheMoveCounterAndTheMoveTextsAsTheyStood) {
    Rig rig;
    rig.game.menu("MATCH_MAN");
    rig.move(3, 7, 3, 6);  // "７六歩"
    rig.move(5, 2, 5, 3);  // "５三ポーン"
    rig.move(2, 7, 2, 6);  // "８六歩"
    const struct {
        const char* option;
        std::vector<std::string> texts;
    } cases[] = {
        {"TATAMI", {"3", "手目", "５", "三", "ポーン", "８", "六", "歩"}},
        {"CHESS_MOCHIKOMA", {"3", "手目", "５", "三", "ポーン", "８", "六", "歩"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        rig.forget();
        rig.game.menu(c.option);
        EXPECT_EQ(textsAfterRedraw(rig.canvas), c.texts);
    }
    // A move taken back leaves its side without a text, also after a redraw.
    rig.game.menu("REPLAY");
    rig.forget();
    rig.game.menu("MIDORI");
    EXPECT_EQ(textsAfterRedraw(rig.canvas),
              (std::vector<std::string>{"2", "手目", "５", "三", "ポーン"}));
    // A new game shows neither.
    rig.game.menu("CANCEL");
    rig.forget();
    rig.game.menu("TATAMI");
    EXPECT_TRUE(textsAfterRedraw(rig.canvas).empty());
}

// The record's names are drawn as far as they fit their places around the board, a name too long
// cut short with "…" at a whole character; a full redraw shows them again and starting a game
// paints over the cells they began in.
TEST(LoadedRecord, NamesAreCutToTheirPlacesKeptByRedrawsAndGoWhenAGameStarts) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("zorvan-headers-" + std::to_string(getpid()) + ".kifu");
    std::string longName;
    for (int i = 0; i < 5000; ++i) longName += i % 2 ? "ﾊﾞ" : "将";
    {
        Rig writer;
        writer.game.menu("MATCH_MAN");
        writer.move(3, 7, 3, 6);
        std::string bytes;
        PassThroughCodec codec;
        ASSERT_EQ(buildRecord(writer.g(), {"練習対局", longName, "後手の人"}, codec, bytes),
                  RecordError::None);
        std::ofstream(path, std::ios::binary) << bytes;
    }
    Rig rig;
    rig.forget();
    File1_Click(rig.game, path.string());
    std::filesystem::remove(path);

    const auto names = [&rig] {
        std::vector<FakeCanvas::Op> found;
        for (const FakeCanvas::Op& op : rig.canvas.ops)
            if (op.kind == FakeCanvas::Op::Text && (op.id == COLOR_PICK || op.id == COLOR_WHITE))
                found.push_back(op);
        return found;
    };
    const auto shown = names();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, "練習対局");
    EXPECT_EQ(shown[0].id, COLOR_PICK);
    EXPECT_EQ(shown[1].text, "後手の人");
    const std::string& cut = shown[2].text;
    ASSERT_TRUE(cut.ends_with("…"));
    const std::string kept = cut.substr(0, cut.size() - std::string("…").size());
    EXPECT_TRUE(longName.starts_with(kept));
    EXPECT_GT(kept.size(), 6u);
    EXPECT_LT(kept.size(), 100u);
    EXPECT_TRUE(kept.ends_with("将") || kept.ends_with("ﾊﾞ")) << "cut at a whole character";

    rig.canvas.clear();
    rig.game.menu("TATAMI");
    const auto redrawn = names();
    ASSERT_EQ(redrawn.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(redrawn[i].text, shown[i].text);
        EXPECT_EQ(redrawn[i].c, shown[i].c);
        EXPECT_EQ(redrawn[i].r, shown[i].r);
    }

    rig.canvas.clear();
    rig.game.menu("MATCH_MAN");
    for (const FakeCanvas::Op& op : shown) {
        EXPECT_NE(rig.canvas.lastPictureAt(std::floor(op.c), std::floor(op.r)), -999) << op.text;
    }
    rig.canvas.clear();
    rig.game.menu("TATAMI");
    EXPECT_TRUE(names().empty());
}

}  // namespace
}  // namespace zorvan
