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
        // Any piece but a king (a third king is a position the reader refuses).
        g.HISTORY[k][5][5] = (k % 2 == 0) ? -(k % 18 + 1) : (k % 18 + 1);
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
    // Built by assignment and append: GCC 12's -Wrestrict misreads replace() at -O3.
    std::string line = "-20 19";
    line.append(243 - line.size(), ' ');
    line += '7';
    line.append(23, '0');
    line.append(287 - line.size(), ' ');
    line += "GARBAGE 999 -999";
    ASSERT_EQ(parseRecord("h\nh\nh\n" + line + "\n  5-20 19\n", codec, g, headers, moves),
              RecordError::None);
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(g.HISTORY[1][1][1], -20);
    EXPECT_EQ(g.OWN_HAND_HISTORY[1][1], 7);
    EXPECT_EQ(g.HISTORY[2][1][1], 5);
    EXPECT_EQ(g.HISTORY[2][1][2], -20);
    EXPECT_EQ(g.HISTORY[2][9][9], 0);
    EXPECT_EQ(g.OWN_HAND_HISTORY[2][1], 0);
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

// The bytes of a record whose move lines hold these boards, each with empty hands.
std::string recordOfBoards(std::initializer_list<Board> boards) {
    GameState g;
    初期設定(g);
    g.ensureHistory(static_cast<int>(boards.size()));
    int k = 0;
    for (const Board& b : boards) g.HISTORY[static_cast<size_t>(++k)] = b;
    std::string bytes = "h\r\nh\r\nh\r\n", line;
    for (int n = 1; n <= k; ++n) {
        EXPECT_EQ(formatMoveLine(g, n, line), RecordError::None);
        bytes += line + "\r\n";
    }
    return bytes;
}

// Positions the game cannot play are refused, wherever they stand in the record, but for the last
// position of a game that ended by taking a king; in a turned position the armies change sides.
TEST_F(RecordFileTest, PositionsWithoutOneKingASideAreRefusedButAFinishedGamesEnd) {
    GameState start;
    初期設定(start);
    const Board standard = start.HISTORY[0];
    Board turned{};
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) turned[10 - x][10 - y] = -standard[x][y];
    const auto with = [](Board b, int x, int y, int code) {
        b[x][y] = code;
        return b;
    };
    const struct {
        const char* position;
        Board board;
        bool playable;  // before the last position
        bool last;      // as the last position
    } cases[] = {
        {"the standard start", standard, true, true},
        {"the turned start", turned, true, true},
        {"the lower 王 taken", with(standard, 5, 9, EMPTY), false, true},
        {"the upper chess king taken", with(standard, 6, 1, EMPTY), false, true},
        {"the turned board's lower chess king taken", with(turned, 4, 9, EMPTY), false, true},
        {"the turned board's upper 王 taken", with(turned, 5, 1, EMPTY), false, true},
        {"both kings gone", with(with(standard, 5, 9, EMPTY), 6, 1, EMPTY), false, false},
        {"a second 王 below", with(standard, 5, 5, -OU), false, false},
        {"a chess king beside the 王 below", with(standard, 5, 5, -KING), false, false},
        {"a second chess king above", with(standard, 5, 5, +KING), false, false},
        {"a 王 on each side", with(standard, 6, 1, +OU), false, false},
        {"a chess king on each side", with(standard, 5, 9, -KING), false, false},
        {"the taken 王 come back above", with(with(standard, 5, 9, EMPTY), 5, 5, +OU), false,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        GameState g;
        初期設定(g);
        RecordHeaders headers;
        int moves = 0;
        const RecordError middle = c.playable ? RecordError::None : RecordError::BadPosition;
        const RecordError last = c.last ? RecordError::None : RecordError::BadPosition;
        EXPECT_EQ(parseRecord(recordOfBoards({c.board, standard}), codec, g, headers, moves),
                  middle);
        EXPECT_EQ(parseRecord(recordOfBoards({standard, c.board}), codec, g, headers, moves), last);
        EXPECT_EQ(parseRecord(recordOfBoards({c.board}), codec, g, headers, moves), last);
        LoadedRecord record;
        EXPECT_EQ(readRecord(recordOfBoards({standard, c.board, standard}), codec, record), middle);
        EXPECT_EQ(record.refusedMove, c.playable ? 0 : 2) << "the move line named";
    }
}

// A hand count is one digit: a sign, a letter or a blank in its column is no count.
TEST_F(RecordFileTest, HandCountsThatAreNoDigitAreRefused) {
    GameState start;
    初期設定(start);
    const std::string good = recordOfBoards({start.HISTORY[0]});
    GameState g;
    RecordHeaders headers;
    int moves = 0;
    ASSERT_EQ(parseRecord(good, codec, g, headers, moves), RecordError::None);
    const size_t hands = good.size() - 2 - 287 + 243;  // the move line's first hand column
    for (const size_t field : {size_t{0}, size_t{13}, size_t{23}}) {
        for (const char c : {'-', '+', 'x', ' ', '\x82'}) {
            std::string bad = good;
            bad[hands + field] = c;
            SCOPED_TRACE(std::string("field ") + std::to_string(field) + " holds '" + c + "'");
            EXPECT_EQ(parseRecord(bad, codec, g, headers, moves), RecordError::BadHand);
        }
    }
    EXPECT_STREQ(recordErrorMessage(RecordError::BadHand).text, "棋譜ﾌｧｲﾙが壊れています");
    EXPECT_STREQ(recordErrorMessage(RecordError::BadPosition).text, "棋譜ﾌｧｲﾙが壊れています");
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
