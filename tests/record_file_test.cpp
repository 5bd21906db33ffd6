#include "records/record_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/text/cp932_codec.h"

namespace zorvan {
namespace {

namespace fs = std::filesystem;

// A game with `moves` stored snapshots whose boards, hands and clocks differ per move.
GameState gameWithMoves(int moves) {
    GameState g;
    初期設定(g);
    g.ensureHistory(moves);
    for (int k = 1; k <= moves; ++k) {
        g.HISTORY[k] = g.HISTORY[0];
        g.HISTORY[k][5][5] = (k % 2 == 0) ? -(k % 20 + 1) : (k % 20 + 1);
        g.OWN_HAND_HISTORY[k][k % 12 + 1] = k % 10;
        g.ENEMY_HAND_HISTORY[k][12 - k % 12] = (k + 3) % 10;
        g.CLOCK_LOWER_BEFORE[k] = k * 1.5;
        g.CLOCK_LOWER_AFTER[k] = k * 2.25;
        g.CLOCK_UPPER_BEFORE[k] = k * 3.0;
        g.CLOCK_UPPER_AFTER[k] = k * 10.9;
    }
    g.RECORD_END = moves;
    g.MOVE_NO = moves;
    return g;
}

std::vector<std::string> linesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = bytes.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(bytes.substr(start, at - start));
    EXPECT_EQ(start, bytes.size()) << "every line ends with CR LF";
    return lines;
}

class RecordFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zorvan-records-" + std::to_string(static_cast<long>(getpid())) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
    Cp932Codec codec;
};

TEST_F(RecordFileTest, WrittenFileHasHeadersAndFixedColumnMoveLines) {
    GameState g = gameWithMoves(3);
    g.HISTORY[3][9][1] = +ROOK;
    g.CLOCK_LOWER_BEFORE[2] = 1234.9;
    std::string bytes;
    ASSERT_EQ(buildRecord(g, {"名人戦", "先手の人", "後手ｻﾝ"}, codec, bytes), RecordError::None);
    const auto lines = linesOf(bytes);
    ASSERT_EQ(lines.size(), 6u);
    // Lower side is SENTE: line 2 is the second player, line 3 the first.
    EXPECT_EQ(codec.decode(lines[0]), "名人戦");
    EXPECT_EQ(codec.decode(lines[1]), "後手ｻﾝ");
    EXPECT_EQ(codec.decode(lines[2]), "先手の人");
    EXPECT_EQ(lines[1].size(), 6u) << "half-width katakana are one byte each in the code page";
    for (int i = 3; i < 6; ++i) EXPECT_EQ(lines[i].size(), 287u);
    EXPECT_EQ(lines[5].substr(216, 3), "  8");
    EXPECT_EQ(lines[4].substr(267, 5), " 1234");
    EXPECT_EQ(lines[3].substr(0, 3), "  0") << "(1,1) is empty at the start";
    EXPECT_EQ(lines[3].substr(3, 3), "  0");
    EXPECT_EQ(lines[3].substr(6 * 3, 3), " -1") << "(1,7) holds the lower side's pawn";
}

TEST_F(RecordFileTest, HeaderOrderFollowsWhichSideIsFirst) {
    GameState g = gameWithMoves(1);
    g.LOWER_PLAYER = GOTE;
    std::string bytes;
    ASSERT_EQ(buildRecord(g, {"a", "first", "second"}, codec, bytes), RecordError::None);
    const auto lines = linesOf(bytes);
    EXPECT_EQ(lines[1], "first");
    EXPECT_EQ(lines[2], "second");
}

TEST_F(RecordFileTest, SaveThenLoadReproducesEverySnapshot) {
    const GameState original = gameWithMoves(40);
    std::string bytes;
    ASSERT_EQ(buildRecord(original, {"x", "y", "z"}, codec, bytes), RecordError::None);
    GameState loaded;
    初期設定(loaded);
    RecordHeaders headers;
    int moves = 0;
    ASSERT_EQ(parseRecord(bytes, codec, loaded, headers, moves), RecordError::None);
    ASSERT_EQ(moves, 40);
    EXPECT_EQ(headers.lines[0], "x");
    for (int k = 1; k <= 40; ++k) {
        EXPECT_EQ(loaded.HISTORY[k], original.HISTORY[k]) << k;
        EXPECT_EQ(loaded.OWN_HAND_HISTORY[k], original.OWN_HAND_HISTORY[k]) << k;
        EXPECT_EQ(loaded.ENEMY_HAND_HISTORY[k], original.ENEMY_HAND_HISTORY[k]) << k;
        EXPECT_EQ(loaded.CLOCK_LOWER_BEFORE[k], std::floor(original.CLOCK_LOWER_BEFORE[k]));
        EXPECT_EQ(loaded.CLOCK_UPPER_AFTER[k], std::floor(original.CLOCK_UPPER_AFTER[k]));
    }
}

TEST_F(RecordFileTest, RecordsThatDoNotFitTheColumnsAreRefusedOrClamped) {
    GameState g = gameWithMoves(2);
    std::string bytes;
    EXPECT_EQ(buildRecord(GameState{}, {}, codec, bytes), RecordError::NoData);
    g.CLOCK_UPPER_AFTER[2] = 123456.0;
    ASSERT_EQ(buildRecord(g, {}, codec, bytes), RecordError::None);
    EXPECT_EQ(linesOf(bytes)[4].substr(282, 5), "99999");
    g.OWN_HAND_HISTORY[1][6] = 10;
    EXPECT_EQ(buildRecord(g, {}, codec, bytes), RecordError::HandTooLarge);
    EXPECT_TRUE(bytes.empty());
}

TEST_F(RecordFileTest, FileNamesStayInsideTheChosenFolder) {
    std::string path;
    EXPECT_EQ(recordPath("/r", "", path), RecordError::NoFileName);
    EXPECT_EQ(recordPath("/r", "   ", path), RecordError::NoFileName);
    EXPECT_EQ(recordPath("/r", "../evil", path), RecordError::BadFileName);
    EXPECT_EQ(recordPath("/r", "a\\b", path), RecordError::BadFileName);
    EXPECT_EQ(recordPath("/r", "..", path), RecordError::BadFileName);
    ASSERT_EQ(recordPath("/r", "  対局1 ", path), RecordError::None);
    EXPECT_EQ(path, "/r/対局1.棋譜");
}

TEST_F(RecordFileTest, FailedWriteKeepsTheExistingRecord) {
    const std::string path = (dir / "game.棋譜").string();
    std::string error;
    ASSERT_TRUE(writeFileAtomically(path, "old record", error));
    // Block the temporary file with a folder of the same name: the write must fail cleanly.
    fs::create_directory(path + ".tmp" + std::to_string(static_cast<long>(getpid())));
    EXPECT_FALSE(writeFileAtomically(path, "new record", error));
    std::string bytes;
    ASSERT_EQ(readWholeFile(path, bytes, 1000), RecordError::None);
    EXPECT_EQ(bytes, "old record");
    EXPECT_FALSE(writeFileAtomically((dir / "missing" / "x.棋譜").string(), "x", error));
}

TEST_F(RecordFileTest, MalformedFilesAreRefusedOrReadLeniently) {
    GameState g;
    初期設定(g);
    RecordHeaders headers;
    int moves = -1;
    // Fewer than four lines: an empty record.
    EXPECT_EQ(parseRecord("a\r\nb\r\nc\r\n", codec, g, headers, moves), RecordError::None);
    EXPECT_EQ(moves, 0);
    EXPECT_EQ(parseRecord("", codec, g, headers, moves), RecordError::None);
    EXPECT_EQ(moves, 0);
    // A short move line reads the missing fields as 0; junk past column 287 is ignored.
    std::string line(287, ' ');
    line.replace(0, 3, "-20");
    line.replace(243, 1, "7");
    line += "GARBAGE 999 -999";
    ASSERT_EQ(parseRecord("h\nh\nh\n" + line + "\n  5\n", codec, g, headers, moves),
              RecordError::None);
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(g.HISTORY[1][1][1], -20);
    EXPECT_EQ(g.OWN_HAND_HISTORY[1][1], 7);
    EXPECT_EQ(g.HISTORY[2][1][1], 5);
    EXPECT_EQ(g.HISTORY[2][9][9], 0);
    // A code outside the pieces refuses the whole file and stores nothing.
    const Board before = g.HISTORY[1];
    std::string bad = line;
    bad.replace(3, 3, " 21");
    EXPECT_EQ(parseRecord("h\r\nh\r\nh\r\n" + bad + "\r\n", codec, g, headers, moves),
              RecordError::BadCode);
    EXPECT_EQ(g.HISTORY[1], before);
    bad.replace(3, 3, "999");
    EXPECT_EQ(parseRecord("h\r\nh\r\nh\r\n" + bad + "\r\n", codec, g, headers, moves),
              RecordError::BadCode);
}

TEST_F(RecordFileTest, HeadersThatAreNotValidTextShowReplacementCharacters) {
    GameState g;
    RecordHeaders headers;
    int moves = 0;
    ASSERT_EQ(parseRecord("ok\xff\x81\r\nb\r\nc\r\n", codec, g, headers, moves), RecordError::None);
    EXPECT_EQ(headers.lines[0].substr(0, 2), "ok");
    EXPECT_NE(headers.lines[0].find("\xEF\xBF\xBD"), std::string::npos);
}

// Seven-bit text skips the conversion; it must read exactly as the converter reads it inside a
// line that needs one (the backslash and the tilde included).
TEST_F(RecordFileTest, SevenBitTextReadsAsTheConverterReadsIt) {
    std::string ascii;
    for (int c = 1; c < 0x80; ++c) ascii.push_back(static_cast<char>(c));
    EXPECT_EQ(codec.decode(ascii + "\xB1"), codec.decode(ascii) + "ｱ");
    std::string encoded;
    ASSERT_TRUE(codec.encode(ascii, encoded));
    EXPECT_EQ(encoded, ascii);
    ASSERT_TRUE(codec.encode(ascii + "ｱ", encoded));
    EXPECT_EQ(encoded, ascii + "\xB1");
}

TEST_F(RecordFileTest, TooManyMovesAreRefused) {
    std::string bytes = "a\nb\nc\n";
    bytes.append(static_cast<size_t>(RECORD_MAX_MOVES) + 1, '\n');
    GameState g;
    RecordHeaders headers;
    int moves = 0;
    EXPECT_EQ(parseRecord(bytes, codec, g, headers, moves), RecordError::TooLarge);
    const std::string path = (dir / "big").string();
    std::ofstream(path) << std::string(5000, 'x');
    EXPECT_EQ(readWholeFile(path, bytes, 4000), RecordError::TooLarge);
    EXPECT_EQ(readWholeFile((dir / "none").string(), bytes, 4000), RecordError::ReadFailed);
}

TEST(RecordHeaderPosition, CentresByCharacterCount) {
    EXPECT_DOUBLE_EQ(取得_棋譜のX座標(""), BOARD_LEFT + (3 + 13 / 5.0) * SQUARE_W);
    EXPECT_DOUBLE_EQ(取得_棋譜のX座標("名人戦"), BOARD_LEFT + (3 + 10 / 5.0) * SQUARE_W);
}

}  // namespace
}  // namespace zorvan
