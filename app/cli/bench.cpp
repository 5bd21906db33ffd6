// `bench`: the computer's search timed over a fixed set of positions, the start and every position
// of a fixed self-play game at the strongest level, each searched for the side to move.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "cli.h"
#include "play/line_play.h"
#include "play/self_play.h"
#include "position.h"

namespace zorvan::cli {

namespace {

constexpr int BENCH_LEVEL = 3;
constexpr int BENCH_PLIES = 300;
// Each position is searched this many times and its fastest time kept, so that a time slice lost
// to another process on a busy machine does not pass for the search's own cost.
constexpr int BENCH_REPEATS = 5;

}  // namespace

int runBench(const Args& args) {
    GameState g;
    Args rest;
    if (const int status = setUpPosition(args, g, rest)) return status;
    if (!rest.empty()) return usageError("bench: unexpected argument '" + rest[0] + "'");

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
    return 0;
}

}  // namespace zorvan::cli
