// Cost of the computer's move: the whole search, the opening surveys, and one evaluation.
#include <benchmark/benchmark.h>

#include "engine/danger.h"
#include "engine/evaluation.h"
#include "engine/influence.h"
#include "engine/search.h"
#include "play/line_play.h"
#include "play/self_play.h"
#include "rules/players.h"

namespace {

using namespace zorvan;

// The position after `plies` moves of the computer against itself at the strongest level, with
// the upper side (the computer) to move.
void middleGame(GameState& g, int plies) {
    初期設定(g);
    g.checks.CHESS_MOCHIKOMA = true;
    調査_先手後手(g);
    g.TURN = SENTE;
    GameState scratch;
    Drawing silent(g);
    ComPorts quiet;
    for (int i = 0; i < plies && g.WINNER == NO_SIDE; ++i) {
        bool found = false;
        ComMove searched;
        const Move m = computerMove(g, scratch, 3, quiet, found, searched);
        if (!found) break;
        playComputerMove(g, silent, m);
        passTurn(g);
    }
    if (g.sideOf(g.TURN) != Side::Upper) {
        bool found = false;
        ComMove searched;
        const Move m = computerMove(g, scratch, 3, quiet, found, searched);
        if (found) {
            playComputerMove(g, silent, m);
            passTurn(g);
        }
    }
}

void BM_SearchMiddleGame(benchmark::State& state) {
    GameState g;
    middleGame(g, static_cast<int>(state.range(0)));
    int candidates = 0;
    for (auto _ : state) {
        const ComMove best = comSearch(g);
        candidates = best.candidates;
        benchmark::DoNotOptimize(best);
    }
    state.counters["candidates"] = candidates;
}
BENCHMARK(BM_SearchMiddleGame)->Arg(1)->Arg(40)->Arg(80)->Arg(120);

void BM_OpeningSurveys(benchmark::State& state) {
    GameState g;
    middleGame(g, 40);
    for (auto _ : state) {
        prepareSearch(g);
        benchmark::DoNotOptimize(g.com);
    }
}
BENCHMARK(BM_OpeningSurveys);

// One candidate as the search scores it: the influence rebuilt and the evaluation.
void BM_EvaluateCandidate(benchmark::State& state) {
    GameState g;
    middleGame(g, 40);
    const ComMove best = comSearch(g);
    prepareSearch(g);
    g.com.TRY_PIECE = best.before;
    g.BOARD[best.toX][best.toY] = best.after;
    if (best.fromX != UPPER_HAND_COLUMN) g.BOARD[best.fromX][best.fromY] = EMPTY;
    const int captured = g.com.BOARD_BEFORE[best.toX][best.toY];
    for (auto _ : state) {
        勢力調査(g);
        const double s =
            盤評価(g, captured, best.after, best.fromX, best.fromY, best.toX, best.toY);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_EvaluateCandidate);

void BM_DangerSquares(benchmark::State& state) {
    GameState g;
    middleGame(g, 40);
    prepareSearch(g);
    for (auto _ : state) {
        const double d = 盤評価_COM危険座標(g, +QEEN, 5, 5);
        benchmark::DoNotOptimize(d);
    }
}
BENCHMARK(BM_DangerSquares);

}  // namespace
