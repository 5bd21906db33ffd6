// zorvan-cli's show and perft: the exact output, the position options, and the refusals.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CliRun {
    int status;
    std::string out, err;
};

// Appends `arg` to a shell command in single quotes. Appending in place, rather than joining
// temporaries with +, also keeps GCC 12's optimiser from a false -Wrestrict report.
void appendQuoted(std::string& command, const std::string& arg) {
    command += '\'';
    for (char c : arg) {
        if (c == '\'')
            command += "'\\''";
        else
            command += c;
    }
    command += '\'';
}

std::string slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

CliRun cli(const std::vector<std::string>& args) {
    // Names of their own per process: CTest runs the tests side by side.
    static int calls = 0;
    const std::string stem = testing::TempDir() + "zorvan_cli_" + std::to_string(getpid()) + "_" +
                             std::to_string(++calls);
    const std::string out = stem + ".out";
    const std::string err = stem + ".err";
    std::string command;
    appendQuoted(command, ZORVAN_CLI_PATH);
    for (const std::string& a : args) {
        command += ' ';
        appendQuoted(command, a);
    }
    command += " >";
    appendQuoted(command, out);
    command += " 2>";
    appendQuoted(command, err);
    const int raw = std::system(command.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    CliRun run{status, slurp(out), slurp(err)};
    std::remove(out.c_str());
    std::remove(err.c_str());
    return run;
}

TEST(CliShow, StartPosition) {
    const CliRun r = cli({"show"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "   0   8  11  12  18  19  12  11   8\n"
              "   0   3   3   3   3   3   3   3   3\n"
              "   0   0   0   0   0   0   0   0   0\n"
              "   0   0   0   0   0   0   0   0   0\n"
              "   0   0   0   0   0   0   0   0   0\n"
              "   0   0   0   0   0   0   0   0   0\n"
              "  -1  -1  -1  -1  -1  -1  -1  -1  -1\n"
              "   0 -14   0   0   0   0   0 -16   0\n"
              "  -4  -6  -9 -13 -20 -13  -9  -6  -4\n"
              "lower hand: 0 0 0 0 0 0 0 0 0 0 0 0\n"
              "upper hand: 0 0 0 0 0 0 0 0 0 0 0 0\n"
              "turn: SENTE\n"
              "lower: SENTE\n"
              "winner: none\n"
              "move: 0\n");
    EXPECT_EQ(r.err, "");
}

TEST(CliShow, EnPassantTakesThePassedPawnIntoTheHand) {
    const CliRun r = cli({"show", "--moves", "5756 5254 5655 6263 5554 6364 PORN*44 3234 4433"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::vector<std::string> l;
    for (std::string s; std::getline(lines, s);) l.push_back(s);
    ASSERT_EQ(l.size(), 15u);
    EXPECT_EQ(l[2], "   0   0  -3   0   0   0   0   0   0");
    EXPECT_EQ(l[3], "   0   0   0   0  -1   3   0   0   0");  // (3,4) is empty again
    EXPECT_EQ(l[9], "lower hand: 1 0 0 0 0 0 0 0 0 0 0 0");
    EXPECT_EQ(l[11], "turn: GOTE");
    EXPECT_EQ(l[14], "move: 9");
}

TEST(CliShow, TakingAKingNamesTheWinnerAndStillPassesTheTurn) {
    const CliRun r = cli({"show", "--moves",
                          "1716 6264 1615 6162 1514 6263 1413+ 6353 1312 5354 1211 5455 1121 5556 "
                          "5756"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("turn: GOTE\nlower: SENTE\nwinner: SENTE\nmove: 15\n"), std::string::npos)
        << r.out;
}

TEST(CliRefusals, IllegalMovesNameTheirPlyAndPrintNothing) {
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"show", "--moves", "5755"}, "illegal move 5755 at ply 1\n"},
        {{"show", "--moves", "5756 6263 5655+"}, "illegal move 5655+ at ply 3\n"},
        {{"perft", "1", "--moves", "5756  5857"}, "illegal move 5857 at ply 2\n"},
        {{"show", "--moves", "7776 6263 7675 6364 7574 5254 7473=KING"},
         "illegal move 7473=KING at ply 7\n"},
        {{"show", "--moves", "5756 5254 5655 6263 5554 6364 PORN*44 7273 4443 7374 4342=PORN"},
         "illegal move 4342=PORN at ply 11\n"},
        {{"show", "--moves", "5756 5254 5655 6263 5554 6364 PORN*44 7273 4443 7374 4342=KING"},
         "illegal move 4342=KING at ply 11\n"},
        {{"show", "--moves", "7776 6263 7675 6364 1716 6475 1615 HU*55"},
         "illegal move HU*55 at ply 8\n"},
        {{"show", "--moves", "5756 5254 5655 6263 5554 6364 PORN*44 7273 4443 7374 4342"},
         "illegal move 4342 at ply 11\n"},  // may stay a pawn only where it can still move
    };
    for (const auto& c : cases) {
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.status, 2) << c.err;
        EXPECT_EQ(r.out, "") << c.err;
        EXPECT_EQ(r.err, c.err);
    }
}

TEST(CliRefusals, TheChessArmyDropsOnlyWithTheOption) {
    const CliRun r =
        cli({"show", "--chess-hand", "--moves", "7776 6263 7675 6364 1716 6475 1615 HU*55"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("  -1   0   0   0   1   0   3   0   0\n"), std::string::npos) << r.out;
}

TEST(CliRefusals, UsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {"perft"},           {"perft", "x"},      {"perft", "-1"},
        {"perft", "99"},     {"perft", "1", "2"}, {"show", "extra"},
        {"show", "--moves"}, {"nonsense"},        {},
    };
    for (const auto& args : cases) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
    }
}

TEST(CliPerft, DivideListsRootMovesInGenerationOrder) {
    const CliRun r = cli({"perft", "2", "--divide"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 26), "1716 22\n1918 22\n2726 22\n37");
    EXPECT_NE(r.out.find("\n8898 22\n9796 22\n9998 22\nnodes 660\n"), std::string::npos) << r.out;
    EXPECT_EQ(cli({"perft", "3"}).out, "nodes 18718\n");
    EXPECT_EQ(cli({"perft", "0", "--divide"}).out, "nodes 1\n");
    EXPECT_EQ(cli({"perft", "--divide", "1", "--chess-hand", "--moves", "5756"}).out.substr(0, 8),
              "2111 1\n2");
}

}  // namespace
