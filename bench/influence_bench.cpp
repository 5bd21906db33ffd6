// Cost of one influence survey: the computer runs it once per candidate move.
#include <benchmark/benchmark.h>

#include "engine/influence.h"

namespace {

using namespace zorvan;

void BM_SurveyStandardPosition(benchmark::State& state) {
    GameState g;
    初期設定(g);
    for (auto _ : state) {
        勢力調査(g);
        benchmark::DoNotOptimize(g.maps);
    }
}
BENCHMARK(BM_SurveyStandardPosition);

// An open middle game: long lines reach far, several checks and many contested squares.
void BM_SurveyOpenPosition(benchmark::State& state) {
    GameState g;
    const struct {
        int x, y, code;
    } pieces[] = {
        {1, 9, -KYOU}, {3, 8, -GIN},  {4, 9, -KIN},   {5, 8, -OU},   {6, 8, -KIN},  {8, 7, -KEI},
        {9, 9, -KYOU}, {2, 5, -KAKU}, {7, 4, -SYA_N}, {1, 6, -HU},   {3, 6, -HU},   {4, 6, -HU},
        {6, 6, -HU},   {9, 6, -HU},   {5, 5, -QEEN},  {2, 1, +ROOK}, {4, 3, +KNIG}, {6, 1, +KING},
        {7, 2, +BISH}, {5, 2, +PORN}, {6, 3, +PORN},  {8, 3, +PORN}, {9, 4, +QEEN}, {3, 4, +KAKU_N},
        {7, 6, +HU_N}, {2, 2, +PORN}, {8, 1, +ROOK},  {4, 1, +BISH},
    };
    for (const auto& p : pieces) g.BOARD[p.x][p.y] = p.code;
    for (auto _ : state) {
        勢力調査(g);
        benchmark::DoNotOptimize(g.maps);
    }
}
BENCHMARK(BM_SurveyOpenPosition);

// The reset of the maps alone.
void BM_SurveyEmptyBoard(benchmark::State& state) {
    GameState g;
    for (auto _ : state) {
        勢力調査(g);
        benchmark::DoNotOptimize(g.maps);
    }
}
BENCHMARK(BM_SurveyEmptyBoard);

}  // namespace
