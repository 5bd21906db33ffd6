#include <gtest/gtest.h>

#include "play/perft.h"
#include "rules/players.h"

namespace zorvan {
namespace {

TEST(Perft, StartPosition) {
    GameState g;
    初期設定(g);
    調査_先手後手(g);
    g.TURN = SENTE;
    const std::uint64_t expected[] = {1, 30, 660, 18718};
    for (int depth = 0; depth <= 3; ++depth) EXPECT_EQ(perft(g, depth), expected[depth]) << depth;
    EXPECT_EQ(g.BOARD, g.HISTORY[0]);  // the position is put back
}

}  // namespace
}  // namespace zorvan
