// zorvan-cli bestmove and selfplay: their output and exit status.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CliRun {
    int status = -1;
    std::vector<std::string> lines;  // standard output
};

// Runs zorvan-cli with the arguments (a shell-quoted string); standard error is discarded.
CliRun cli(const std::string& arguments) {
    CliRun r;
    const std::string command = std::string(ZORVAN_CLI_PATH) + " " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) r.lines.push_back(line);
    return r;
}

// What zorvan-cli writes on standard error for the arguments.
std::string cliErrors(const std::string& arguments) {
    const std::string command = std::string(ZORVAN_CLI_PATH) + " " + arguments + " 2>&1 >/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string errors;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) errors.append(buffer, n);
    pclose(pipe);
    return errors;
}

// A game of the computer against itself that ends with the upper side (GOTE) taking the 王.
const char* const kFinishedGame =
    "9998 2223 9796 2122 9897 2324 9695 2223 9796 2343 6958 2425 2726 3234 2625 3425 4938 4132 "
    "9594 2526 9493+ 8293 9693+ 7193 3827 4323 8997 7274 8786 3254 3736 8173 8685 3112 8584 6172 "
    "8483+ 9283 7968 9375 9785 7385 5756 9199 PORN*89 5465 5655 1233 3938 4244 1918 4445 5969 7597 "
    "PORN*79 2324 2846 3314 6978 5133 8898 KEI*86 7869 9989 9888 8698+ 8878 7263 7776 8999 6877 "
    "9779 6959 7997 5968 4536 2716 9889 7766 9786 6677 8577 5859 7756 6857 8659 6766 9997 5758 "
    "KIN*67 5859 6778 6665 GIN*48 5958 PORN*67 7675 6758";

// A game of the computer against itself that ends with the lower side (SENTE) taking the chess
// king; the upper side is to move, with nothing left to play.
const char* const kLowerWon =
    "9998 2223 9796 2122 9897 2324 9695 2223 9796 2343 6958 2425 2726 3234 2625 3425 4938 "
    "4132 9594 2526 9493+ 8293 9693+ 7193 3827 4323 8997 7274 8786 3254 3736 8173 8685 3112 "
    "8584 6172 8483+ 9283 7968 9375 9785 7385 5756 9199 PORN*89 5465 5655 1233 3938 4244 1918 "
    "4445 5969 7597 PORN*79 2324 2846 3314 6978 5133 8898 4536 9899 3627 3827 2421 ROOK*92 "
    "7281 9297 8172 9792 7261 9291 6172 9992+ 7273 BISH*95 8384 9586 7475 8697 1435 2736 3556 "
    "3645 3338 5857 3833 4556 6532 9788 2124 9171 7363 9283 8573 PORN*74 2474 KNIG*94 6364 "
    "9482 3265 7172 7354 5554 6454 8333 7473 KNIG*42 2617 4254";

TEST(BestmoveCommand, PrintsTheMoveAndItsScore) {
    const CliRun r = cli("bestmove --moves 7776");
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_TRUE(std::regex_match(r.lines[0], std::regex(R"(bestmove \d{4}\S* score -?\d+\.\d)")))
        << r.lines[0];
}

TEST(BestmoveCommand, ScoresListEveryCandidateAndTheBestIsTheFirstHighest) {
    for (const char* level : {"1", "2", "3"}) {
        const CliRun r =
            cli(std::string("bestmove --scores --level ") + level + " --moves '7776 2223 5756'");
        ASSERT_EQ(r.status, 0);
        ASSERT_GE(r.lines.size(), 2u);
        std::string firstTop;
        double top = -1e9;
        for (size_t i = 0; i + 1 < r.lines.size(); ++i) {
            std::istringstream line(r.lines[i]);
            std::string move;
            double s = 0;
            ASSERT_TRUE(line >> move >> s) << r.lines[i];
            if (s > top) {
                top = s;
                firstTop = move;
            }
        }
        // The chosen move is the first that reached the top score (a promotion may be chosen on
        // its plain line's tie, so compare the squares only).
        std::istringstream last(r.lines.back());
        std::string word, move, scoreWord;
        double s = 0;
        last >> word >> move >> scoreWord >> s;
        EXPECT_EQ(word, "bestmove");
        EXPECT_EQ(move.substr(0, 4), firstTop.substr(0, 4)) << level;
        EXPECT_DOUBLE_EQ(s, top);
    }
}

// The lower side is answered too: levels 1..3 on the turned position, 4 and 5 by the search.
TEST(BestmoveCommand, AnswersForTheLowerSideAtEveryLevel) {
    for (const char* level : {"1", "3"}) {
        const CliRun r = cli(std::string("bestmove --level ") + level);
        EXPECT_EQ(r.status, 0) << level;
        ASSERT_EQ(r.lines.size(), 1u) << level;
        EXPECT_TRUE(
            std::regex_match(r.lines[0], std::regex(R"(bestmove \d{4}\S* score -?\d+\.\d)")))
            << r.lines[0];
    }
    const CliRun strong = cli("bestmove --level 4 --depth 3");
    EXPECT_EQ(strong.status, 0);
    ASSERT_EQ(strong.lines.size(), 1u);
    EXPECT_TRUE(std::regex_match(
        strong.lines[0], std::regex(R"(bestmove \S+ score -?\d+ depth 3 nodes \d+ time \S+)")))
        << strong.lines[0];
}

TEST(BestmoveCommand, LowerSideScoresAreListedInTheBoardsOwnSquares) {
    const CliRun r = cli("bestmove --scores --level 2");
    ASSERT_EQ(r.status, 0);
    ASSERT_GE(r.lines.size(), 2u);
    // The first candidates are the lower side's pieces on rank 7 and below, never the upper side's.
    for (size_t i = 0; i + 1 < r.lines.size(); ++i) {
        const std::string& line = r.lines[i];
        if (line[0] >= '1' && line[0] <= '9') {
            EXPECT_GE(line[1], '6') << line;
        }
    }
}

// A command the tool cannot carry out fails with status 2 and a message that names the cause.
TEST(BestmoveCommand, RefusesBadLevelsAndOptionsSayingWhy) {
    const struct {
        const char* arguments;
        const char* cause;
    } refused[] = {
        {"--level 6", "--level needs a number from 1 to 5"},
        {"--level 0", "--level needs a number from 1 to 5"},
        {"--level 4 --scores", "--scores is for levels 1 to 3"},
        {"--level 3 --depth 2", "--movetime and --depth are for levels 4 and 5"},
        {"--level 5 --movetime x", "--movetime needs a number"},
        {"--moves 5755", "illegal move 5755 at ply 1"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.arguments);
        EXPECT_EQ(cli(std::string("bestmove ") + r.arguments).status, 2);
        EXPECT_NE(cliErrors(std::string("bestmove ") + r.arguments).find(r.cause),
                  std::string::npos);
    }
}

TEST(BestmoveCommand, StrongLevelsAtAFixedDepthGiveTheSameAnswerTwice) {
    const CliRun a = cli("bestmove --level 5 --depth 4 --moves '7776 2223'");
    const CliRun b = cli("bestmove --level 5 --depth 4 --moves '7776 2223'");
    ASSERT_EQ(a.lines.size(), 1u);
    ASSERT_EQ(b.lines.size(), 1u);
    // Everything but the time agrees.
    EXPECT_EQ(a.lines[0].substr(0, a.lines[0].find(" time ")),
              b.lines[0].substr(0, b.lines[0].find(" time ")));
}

// Once a king is taken the game is over: every level answers that there is nothing to play, for
// either side to move, with status 0.
TEST(BestmoveCommand, NothingToPlayOnceAKingIsTakenAtEveryLevel) {
    const struct {
        const char* ending;
        std::string options;
    } games[] = {
        {"the lower side took the chess king", std::string("--moves '") + kLowerWon + "'"},
        {"the upper side took the 王", std::string("--chess-hand --moves '") + kFinishedGame + "'"},
    };
    for (const auto& game : games) {
        for (const char* level : {"1", "2", "3", "4", "5"}) {
            SCOPED_TRACE(std::string(game.ending) + ", level " + level);
            const CliRun r = cli(std::string("bestmove --level ") + level + " " + game.options);
            EXPECT_EQ(r.status, 0);
            EXPECT_EQ(r.lines, std::vector<std::string>{"bestmove none"});
        }
    }
}

TEST(SelfplayCommand, NumbersThePliesAndEndsWithTheResult) {
    const CliRun r = cli("selfplay --level 1 --lower-level 2 --max-moves 12 --moves 7776");
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(r.lines.size(), 13u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_TRUE(std::regex_match(r.lines[static_cast<size_t>(i)],
                                     std::regex(std::to_string(i + 1) + R"( \S+)")))
            << r.lines[static_cast<size_t>(i)];
    }
    EXPECT_EQ(r.lines.back(), "result none plies 12");
}

TEST(SelfplayCommand, AFinishedGamePlaysNothing) {
    const CliRun r = cli(std::string("selfplay --chess-hand --moves '") + kFinishedGame + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.lines, std::vector<std::string>{"result GOTE plies 0"});
}

TEST(SelfplayCommand, TakesTheStrongerLevels) {
    const CliRun r = cli("selfplay --level 4 --lower-level 4 --max-moves 3");
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(r.lines.size(), 4u);
    EXPECT_EQ(r.lines.back(), "result none plies 3");
}

TEST(MatchCommand, PlaysEachOpeningWithBothColoursAndSumsUp) {
    const CliRun r = cli("match --level 4 --against 1 --games 2 --depth 1 --max-plies 6");
    EXPECT_EQ(r.status, 0);
    ASSERT_GE(r.lines.size(), 9u);
    EXPECT_TRUE(std::regex_match(r.lines[0], std::regex(R"(game 1 opening 0 A=LEVEL4 lower: .*)")))
        << r.lines[0];
    EXPECT_TRUE(std::regex_match(r.lines[1], std::regex(R"(game 2 opening 0 A=LEVEL4 upper: .*)")))
        << r.lines[1];
    EXPECT_TRUE(
        std::regex_match(r.lines[2], std::regex(R"(games 2: LEVEL4 won \d, lost \d, drew \d .*)")))
        << r.lines[2];
    EXPECT_EQ(r.lines.back(), "illegal moves 0 (every move checked against the legal moves)");
    EXPECT_EQ(cli("match --level 4 --against 9").status, 2);
    EXPECT_EQ(cli("match --level 4 --against 3 --weights nonsense=1").status, 2);
    EXPECT_EQ(cli("match --level 4 --against 3 --openings /nonexistent/file").status, 2);
}

// Openings from a file: comments and blank lines skipped, lines used in turn; an illegal line is
// refused.
TEST(MatchCommand, TakesOpeningsFromAFile) {
    const std::string path = ::testing::TempDir() + "zorvan_openings.txt";
    FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("# two openings\n\n7776 2223\n5756\n", f);
    std::fclose(f);
    const CliRun r =
        cli("match --level 4 --against 4 --depth 1 --games 4 --max-plies 2 --openings " + path);
    EXPECT_EQ(r.status, 0);
    ASSERT_GE(r.lines.size(), 4u);
    EXPECT_EQ(r.lines[3].rfind("game 4 opening 1 A=LEVEL4 upper: 1/2 in 2 plies", 0), 0u)
        << r.lines[3];
    f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("5755\n", f);
    std::fclose(f);
    EXPECT_EQ(cli("match --level 4 --against 4 --depth 1 --games 2 --openings " + path).status, 2);
    std::remove(path.c_str());
}

TEST(SelfplayCommand, AgreesWithBestmoveForTheUpperSide) {
    const CliRun game = cli("selfplay --level 2 --max-moves 8");
    ASSERT_EQ(game.status, 0);
    std::string played;
    for (size_t i = 0; i + 1 < game.lines.size(); ++i) {
        std::istringstream line(game.lines[i]);
        int ply = 0;
        std::string move;
        line >> ply >> move;
        if (ply % 2 == 0) {  // the upper side's move
            const CliRun best = cli("bestmove --level 2 --moves '" + played + "'");
            ASSERT_EQ(best.lines.size(), 1u);
            EXPECT_EQ(best.lines[0].substr(0, 9 + move.size() + 1), "bestmove " + move + " ")
                << played;
        }
        played += (played.empty() ? "" : " ") + move;
    }
}

}  // namespace
