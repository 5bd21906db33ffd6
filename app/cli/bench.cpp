// `bench`: the computer's search timed over a fixed set of positions, the start and every position
// of a fixed self-play game at level 3, each searched for the side to move; then the stronger
// levels' search at a fixed depth over a fixed set of positions, with its speed and a node-count
// signature that changes whenever the search's behaviour changes. With --requests, the stronger
// search's positions and limits as the requests a search elsewhere takes (the page's worker), so
// that the page's search is timed on the same work.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "cli.h"
#include "openings.h"
#include "play/line_play.h"
#include "play/self_play.h"
#include "position.h"
#include "search/request.h"
#include "search/think.h"

namespace zorvan::cli {

namespace {

constexpr int BENCH_LEVEL = 3;
constexpr int BENCH_PLIES = 300;
// Each position is searched this many times and its fastest time kept, so that a time slice lost
// to another process on a busy machine does not pass for the search's own cost.
constexpr int BENCH_REPEATS = 5;

constexpr int SEARCH_BENCH_DEPTH = 8;

// Middle games of both option settings, reached by lines that cover drops, promotions and the
// chess army's hand.
const struct {
    const char* line;
    bool chessHand;
} kBenchLines[] = {
    {"6958 7273 5948 6264 5756 4243 9998 9294 8786 7135 4857 3513 4938 1346 7776 4637 7978 HU*18 "
     "8977 5254 1716 1819+ 7887 KYOU*24 8889 2427+ 2819 HU*45 HU*25 3152",
     true},
    {"7978 6264 3736 2223 1716 9293 5958 9192 1615 7144 3635 6162 2864 9394 6442 5142 PORN*68 "
     "KAKU*84 PORN*66 6263 6979 8473 3938 7319+ 8898 KYOU*76 5848 7677+ 8977 HU*33",
     true},
    {"5968 6264 9796 6162 6859 6263 3948 6374 7968 7485 2726 5184 2625 8576 6979 2224 9998 9293 "
     "5969 7687 2524 2122 PORN*44 2224 4443 3234 4352 7162 5241=KNIG 8796",
     false},
    {"2726 4243 9796 8173 3736 3234 2873 2224 KNIG*53 4114 7362+ 6162 5958 7274 5361 6261 6959 "
     "5162 PORN*13 3123 9997 6267 1312=BISH 7135 1223 6141 KNIG*81 6766 2314 9294",
     false},
};

// The stronger search at a fixed depth from the start, twelve built-in openings and the middle
// games above: nodes, time and the node-count signature; or, with `requests`, one request line
// for each of them ("request <text>") and no search.
int searchBench(int depth, int threads, bool requests) {
    std::vector<GameState> positions;
    auto add = [&positions](const std::string& line, bool chessHand) {
        GameState g;
        startGameBetweenPersons(g);
        g.checks.CHESS_MOCHIKOMA = chessHand;
        Drawing silent(g);
        if (playLine(g, silent, line) == 0) positions.push_back(g);
    };
    add("", false);
    for (int i = 0; i < 12; ++i) add(builtInOpening(i, i % 2 == 1), i % 2 == 1);
    for (const auto& b : kBenchLines) add(b.line, b.chessHand);

    search::Limits limits;
    limits.depth = depth;
    if (threads > 1) {
        // A search limited by depth alone keeps to one thread: the time limit, far beyond what
        // the depth takes, lets it use more.
        limits.threads = threads;
        limits.movetimeMs = 3600 * 1000;
    }
    if (requests) {
        for (const GameState& g : positions)
            std::printf("request %s\n", search::encodeRequest(g, limits).c_str());
        return 0;
    }
    std::uint64_t nodes = 0;
    double seconds = 0;
    const std::clock_t cpuStart = std::clock();
    for (const GameState& g : positions) {
        const search::Result r = search::think(g, limits);
        nodes += r.nodes;
        seconds += r.seconds;
    }
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    std::printf(
        "search positions %zu at depth %d, threads %d\nsearch nodes %llu\n"
        "search time %.3f s (cpu %.3f s)\n"
        "search nodes/s %.0f (per cpu second %.0f)\nsearch signature %llu\n",
        positions.size(), depth, threads, static_cast<unsigned long long>(nodes), seconds, cpu,
        seconds > 0 ? static_cast<double>(nodes) / seconds : 0.0,
        cpu > 0 ? static_cast<double>(nodes) / cpu : 0.0, static_cast<unsigned long long>(nodes));
    return 0;
}

}  // namespace

int runBench(const Args& args) {
    GameState g;
    Args rest;
    if (const int status = setUpPosition(args, g, rest)) return status;
    bool searchOnly = false;
    bool requests = false;
    int depth = SEARCH_BENCH_DEPTH;
    int threads = 1;
    for (size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == "--search") {
            searchOnly = true;
        } else if (rest[i] == "--requests") {
            requests = true;
        } else if (rest[i] == "--depth" && i + 1 < rest.size()) {
            depth = std::atoi(rest[++i].c_str());
            if (depth < 1 || depth > 40) return usageError("bench: --depth needs 1 to 40");
        } else if (rest[i] == "--threads" && i + 1 < rest.size()) {
            threads = std::atoi(rest[++i].c_str());
            if (threads < 1 || threads > 64) return usageError("bench: --threads needs 1 to 64");
        } else {
            return usageError("bench: unexpected argument '" + rest[i] + "'");
        }
    }
    if (requests && !searchOnly) return usageError("bench: --requests goes with --search");
    if (searchOnly) return searchBench(depth, threads, requests);

    using Clock = std::chrono::steady_clock;
    GameState scratch;
    Drawing silent(g);
    ComPorts quiet;
    std::vector<double> millis;  // per position: the fastest of the repeated searches
    millis.reserve(BENCH_PLIES);
    double slowestSingle = 0;
    long candidates = 0;
    g.GAME_MODE = MODE_COM;
    while (static_cast<int>(millis.size()) < BENCH_PLIES && g.WINNER == NO_SIDE &&
           g.sideOf(g.TURN) != Side::None) {
        bool found = false;
        ComMove searched;
        Move m;
        double fastest = 0;
        for (int r = 0; r < BENCH_REPEATS; ++r) {
            const auto start = Clock::now();
            m = computerMove(g, scratch, BENCH_LEVEL, quiet, found, searched);
            const double t =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            fastest = r == 0 ? t : std::min(fastest, t);
            slowestSingle = std::max(slowestSingle, t);
        }
        millis.push_back(fastest);
        candidates += searched.candidates;
        if (!found) break;
        playComputerMove(g, silent, m);
        if (g.WINNER != NO_SIDE) break;
        passTurn(g);
    }
    if (millis.empty()) {
        std::printf("positions 0\n");
        return 0;
    }
    double total = 0;
    for (double t : millis) total += t;
    std::vector<double> sorted = millis;
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    const double median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    std::printf(
        "positions %zu\ncandidates %ld\ntotal %.3f ms\nmedian %.3f ms per move\n"
        "max %.3f ms per move\nslowest single search %.3f ms (of %d per position)\n",
        n, candidates, total, median, sorted.back(), slowestSingle, BENCH_REPEATS);
    return searchBench(depth, threads, false);
}

}  // namespace zorvan::cli
