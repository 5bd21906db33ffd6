// Cost of the mate tests on positions that reach their last step (defences by other pieces).
#include <benchmark/benchmark.h>

#include "engine/influence.h"
#include "rules/mate.h"

namespace {

using namespace zorvan;

struct Put {
    int x, y, code;
};

template <size_t N>
GameState position(const Put (&pieces)[N]) {
    GameState g;
    for (const Put& p : pieces) g.BOARD[p.x][p.y] = p.code;
    勢力調査(g);
    return g;
}

// A guarded gold checks from next to the king; a 角 from afar takes it.
void BM_MateLowerByCapture(benchmark::State& state) {
    const Put pieces[] = {{5, 9, -OU},   {5, 8, +KIN}, {5, 1, +KYOU}, {8, 5, -KAKU},
                          {1, 9, -KYOU}, {2, 7, -HU},  {6, 1, +KING}, {3, 2, +PORN}};
    GameState g = position(pieces);
    for (auto _ : state) benchmark::DoNotOptimize(詰めかMAN(g));
}
BENCHMARK(BM_MateLowerByCapture);

// The upper king's defences are judged by a survey each: a pinned 銀 fails, a rook's block saves.
// Includes the survey that sets up the maps again.
void BM_MateUpperByBlock(benchmark::State& state) {
    const Put pieces[] = {{5, 1, +OU},   {4, 1, +GIN}, {4, 2, +PORN}, {6, 1, +PORN}, {6, 2, +PORN},
                          {9, 5, +ROOK}, {1, 1, -SYA}, {5, 9, -SYA},  {1, 9, -OU}};
    GameState g = position(pieces);
    for (auto _ : state) {
        勢力調査(g);  // the test leaves the maps of its last trial
        benchmark::DoNotOptimize(詰めかCOM(g));
    }
}
BENCHMARK(BM_MateUpperByBlock);

}  // namespace
