// zorvan-cli record, --record/--at and selfplay --save: a record written from the command line
// reads back to the same positions.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct CliOutput {
    int status = -1;
    std::string out;
};

CliOutput cli(const std::string& arguments) {
    CliOutput r;
    const std::string command = std::string(ZORVAN_CLI_PATH) + " " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, n);
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

class RecordCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("zorvan-record-cli-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    // The file's path in single quotes. Built by appending: joining a literal to a temporary
    // with + draws a false -Wrestrict report from GCC 12's optimiser.
    std::string file(const char* name) const {
        std::string quoted = "'";
        quoted += (dir / name).string();
        quoted += '\'';
        return quoted;
    }
    std::filesystem::path dir;
};

// A line with drops, captures, a promotion, en passant and castling.
const char* const kMoves[] = {"3736", "7274", "2882", "7182",      "PORN*55", "6263", "5554",
                              "6364", "5463", "4243", "6352=QEEN", "8173",    "1716", "6181"};

TEST_F(RecordCli, EveryPositionOfAWrittenRecordReadsBack) {
    std::string line;
    for (const char* m : kMoves) line += std::string(line.empty() ? "" : " ") + m;
    const CliOutput written =
        cli("record " + file("line.棋譜") + " --name 'テスト' --moves '" + line + "'");
    ASSERT_EQ(written.status, 0) << "the line is legal";
    std::string prefix;
    for (int n = 0; n <= static_cast<int>(std::size(kMoves)); ++n) {
        if (n > 0) prefix += std::string(n > 1 ? " " : "") + kMoves[n - 1];
        const CliOutput expected = cli("show --moves '" + prefix + "'");
        const CliOutput loaded =
            cli("show --record " + file("line.棋譜") + " --at " + std::to_string(n));
        ASSERT_EQ(loaded.status, 0) << n;
        EXPECT_EQ(loaded.out, expected.out) << "after move " << n;
    }
    // Moves go on from a loaded position.
    EXPECT_EQ(cli("show --record " + file("line.棋譜") + " --at 3 --moves '7182'").out,
              cli("show --moves '3736 7274 2882 7182'").out);
}

TEST_F(RecordCli, SelfPlaySavesItsGame) {
    const CliOutput game = cli("selfplay --max-moves 40 --save " + file("self.棋譜"));
    ASSERT_EQ(game.status, 0);
    std::string moves;
    for (size_t at = 0; at < game.out.size();) {
        const size_t end = game.out.find('\n', at);
        const std::string row = game.out.substr(at, end - at);
        if (row.rfind("result", 0) != 0) {
            if (!moves.empty()) moves += ' ';
            moves += row.substr(row.find(' ') + 1);
        }
        at = end + 1;
    }
    const CliOutput direct = cli("show --moves '" + moves + "'");
    const CliOutput loaded = cli("show --record " + file("self.棋譜") + " --at 40");
    ASSERT_EQ(direct.status, 0);
    EXPECT_EQ(loaded.out.substr(0, loaded.out.find("turn:")),
              direct.out.substr(0, direct.out.find("turn:")));
}

// Every game the computer plays against itself loads from its record, at every level, with and
// without the chess side's hand, also a game that ended by taking a king: its last position is the
// game's end, where nothing more is played.
TEST_F(RecordCli, EverySelfPlayRecordLoads) {
    std::vector<std::string> games;
    for (const char* levels :
         {"--level 2 --lower-level 3", "--level 3 --lower-level 2", "--level 3 --lower-level 3"})
        for (const char* hand : {"", " --chess-hand"})
            for (const char* opening : {"", " --moves 7776", " --moves 3736"})
                games.push_back(std::string(levels) + hand + opening + " --max-moves 200");
    // The stronger levels think for a while: a few plies each.
    games.push_back("--level 4 --lower-level 4 --max-moves 3 --chess-hand");
    games.push_back("--level 5 --lower-level 4 --max-moves 2");
    int finished = 0;
    for (const std::string& options : games) {
        SCOPED_TRACE(options);
        const CliOutput game = cli("selfplay " + options + " --save " + file("self.棋譜"));
        ASSERT_EQ(game.status, 0);
        const std::string result = game.out.substr(game.out.rfind("result ") + 7);
        const std::string winner = result.substr(0, result.find(' '));
        std::ifstream in(dir / "self.棋譜", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        const size_t lines = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
        ASSERT_GT(lines, 3u);
        const std::string end = std::to_string(lines - 3);
        const CliOutput loaded = cli("show --record " + file("self.棋譜") + " --at " + end);
        ASSERT_EQ(loaded.status, 0);
        if (winner == "none") continue;
        ++finished;
        EXPECT_NE(loaded.out.find("winner: " + winner + "\n"), std::string::npos) << loaded.out;
        for (const char* level : {"1", "3", "4"}) {
            EXPECT_EQ(cli("bestmove --level " + std::string(level) + " --record " +
                          file("self.棋譜") + " --at " + end)
                          .out,
                      "bestmove none\n");
        }
        EXPECT_EQ(cli("selfplay --record " + file("self.棋譜") + " --at " + end).out,
                  "result " + winner + " plies 0\n");
    }
    EXPECT_GE(finished, 8) << "many of the games end by taking a king";
}

// A record whose position the game cannot play is refused, with the move line and the cause.
TEST_F(RecordCli, ARecordOfAnImpossiblePositionIsRefusedSayingWhy) {
    ASSERT_EQ(cli("record " + file("ok.棋譜") + " --moves '7776 2223'").status, 0);
    std::ifstream in(dir / "ok.棋譜", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The second move line's (5,5), in the middle of the board: a second 王 below.
    const size_t second =
        bytes.find("\r\n", bytes.find("\r\n", bytes.find("\r\n") + 2) + 2) + 2 + 287 + 2;
    bytes.replace(second + 3 * (9 * 4 + 4), 3, "-20");
    std::ofstream(dir / "two.棋譜", std::ios::binary) << bytes;
    EXPECT_EQ(cli("show --record " + file("two.棋譜") + " --at 0").status, 2);
    const std::string command = std::string(ZORVAN_CLI_PATH) + " show --record " +
                                file("two.棋譜") + " --at 0 2>&1 >/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[512] = {};
    const size_t n = fread(buffer, 1, sizeof buffer - 1, pipe);
    pclose(pipe);
    const std::string error(buffer, n);
    EXPECT_NE(error.find("move 2: "), std::string::npos) << error;
    EXPECT_NE(error.find("two kings of a side"), std::string::npos) << error;
}

TEST_F(RecordCli, BadRecordOptionsAreRefused) {
    EXPECT_EQ(cli("record " + file("none.棋譜")).status, 2) << "no moves to save";
    EXPECT_FALSE(std::filesystem::exists(dir / "none.棋譜"));
    EXPECT_EQ(cli("record " + file("x.棋譜") + " --moves 3736").status, 0);
    EXPECT_EQ(cli("show --record " + file("x.棋譜") + " --at 2").status, 2);
    EXPECT_EQ(cli("show --record " + file("x.棋譜") + " --at -1").status, 2);
    EXPECT_EQ(cli("show --record " + file("x.棋譜")).status, 2) << "--at is needed";
    EXPECT_EQ(cli("show --record " + file("missing.棋譜") + " --at 0").status, 2);
    EXPECT_EQ(cli("record " + file("nofolder/x.棋譜") + " --moves 3736").status, 2);
}

// A loaded record continues as the live game did: after each line, the moves two plies deep from
// the record's last position are those of the same line played move by move.
TEST_F(RecordCli, LoadedPositionsOfferTheMovesOfTheLiveGame) {
    const struct {
        const char* ending;
        const char* line;
    } lines[] = {
        {"a chess pawn's double step beside a pawn", "3736 7274 2882 7182 PORN*55 9293 5554 4244"},
        {"a single step beside a pawn", "3736 7274 2882 7182 PORN*55 6263 5554 6364"},
        {"castling",
         "3736 7274 2882 7182 PORN*55 6263 5554 6364 5463 4243 6352=QEEN 8173 1716 6181"},
        {"a drop", "3736 7274 2882 7182 PORN*55"},
        {"a chess pawn's promotion",
         "3736 7274 2882 7182 PORN*55 6263 5554 6364 5463 4243 6352=QEEN"},
        {"a shogi promotion", "3736 7274 2882+"},
    };
    for (const auto& l : lines) {
        SCOPED_TRACE(l.ending);
        const std::string moves = l.line;
        const int n = 1 + static_cast<int>(std::count(moves.begin(), moves.end(), ' '));
        ASSERT_EQ(cli("record " + file("line.棋譜") + " --moves '" + moves + "'").status, 0);
        const CliOutput live = cli("perft 2 --divide --moves '" + moves + "'");
        const CliOutput loaded =
            cli("perft 2 --divide --record " + file("line.棋譜") + " --at " + std::to_string(n));
        ASSERT_EQ(live.status, 0);
        EXPECT_EQ(loaded.out, live.out);
    }
}

}  // namespace
