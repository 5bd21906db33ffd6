// The stronger computer's own position and move generator against the rules engine: the same
// legal moves in every position of many random games (both settings of "ﾁｪｽ側持駒OK"), the same
// move-tree counts, and make/unmake that keep the key and score exactly as a fresh computation.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "play/line_play.h"
#include "play/perft.h"
#include "search/movegen.h"

namespace zorvan::search {
namespace {

std::uint64_t countTree(Position& p, int depth) {
    if (depth == 0) return 1;
    std::vector<SMove> moves(MAX_SMOVES);
    const int n = generateMoves(p, moves.data(), GenMode::All);
    if (depth == 1) return static_cast<std::uint64_t>(n);
    std::uint64_t total = 0;
    for (int i = 0; i < n; ++i) {
        Undo u;
        p.make(moves[static_cast<size_t>(i)], u);
        total += countTree(p, depth - 1);
        p.unmake(moves[static_cast<size_t>(i)], u);
    }
    return total;
}

std::vector<std::string> searchMoves(const Position& p) {
    std::vector<SMove> moves(MAX_SMOVES);
    const int n = generateMoves(p, moves.data(), GenMode::All);
    std::vector<std::string> texts;
    for (int i = 0; i < n; ++i)
        texts.push_back(formatMove(p.toRulesMove(moves[static_cast<size_t>(i)])));
    std::sort(texts.begin(), texts.end());
    return texts;
}

std::vector<std::string> rulesMoves(GameState& g) {
    MoveList list;
    generateLegalMoves(g, list);
    std::vector<std::string> texts;
    for (const Move& m : list) texts.push_back(formatMove(m));
    std::sort(texts.begin(), texts.end());
    return texts;
}

// The noisy and quiet moves together are all the moves, each once.
void expectSplitIsExact(const Position& p) {
    std::vector<SMove> all(MAX_SMOVES), noisy(MAX_SMOVES), quiet(MAX_SMOVES);
    const int n = generateMoves(p, all.data(), GenMode::All);
    const int a = generateMoves(p, noisy.data(), GenMode::Noisy);
    const int b = generateMoves(p, quiet.data(), GenMode::Quiet);
    std::vector<SMove> joined(noisy.begin(), noisy.begin() + a);
    joined.insert(joined.end(), quiet.begin(), quiet.begin() + b);
    std::vector<SMove> whole(all.begin(), all.begin() + n);
    std::sort(joined.begin(), joined.end());
    std::sort(whole.begin(), whole.end());
    EXPECT_EQ(joined, whole);
}

// The occupancy bit sets as they follow from the board.
std::array<std::array<std::uint64_t, 2>, 2> occupancyOf(const Position& p) {
    std::array<std::array<std::uint64_t, 2>, 2> occ{};
    for (int i = 0; i < 81; ++i) {
        const int code = p.board[static_cast<size_t>(square81(i))];
        if (code != EMPTY)
            occ[static_cast<size_t>(sideOfCode(code))][static_cast<size_t>(i / 64)] |=
                std::uint64_t{1} << (i % 64);
    }
    return occ;
}

// Every move of the position, made and unmade: the key and score after the move equal a fresh
// computation, and unmaking restores the position byte for byte.
void expectMakeUnmakeExact(Position& p) {
    std::vector<SMove> moves(MAX_SMOVES);
    const int n = generateMoves(p, moves.data(), GenMode::All);
    const Position before = p;
    for (int i = 0; i < n; ++i) {
        const SMove m = moves[static_cast<size_t>(i)];
        Undo u;
        p.make(m, u);
        ASSERT_EQ(p.key, p.computeKey()) << formatMove(before.toRulesMove(m));
        ASSERT_EQ(p.score, p.computeScore()) << formatMove(before.toRulesMove(m));
        ASSERT_EQ(p.occ, occupancyOf(p)) << formatMove(before.toRulesMove(m));
        p.unmake(m, u);
        ASSERT_EQ(p.board, before.board);
        ASSERT_EQ(p.hand, before.hand);
        ASSERT_EQ(p.huOnFile, before.huOnFile);
        ASSERT_EQ(p.kingSq, before.kingSq);
        ASSERT_EQ(p.occ, before.occ);
        ASSERT_EQ(p.key, before.key);
        ASSERT_EQ(p.score, before.score);
        ASSERT_EQ(p.ep, before.ep);
        ASSERT_EQ(p.side, before.side);
        ASSERT_EQ(p.over, before.over);
    }
}

TEST(SearchMoves, PerftFromTheStartEqualsTheRulesEngine) {
    GameState g;
    startGameBetweenPersons(g);
    Position p;
    p.set(g);
    for (int depth = 1; depth <= 4; ++depth)
        EXPECT_EQ(countTree(p, depth), perft(g, depth)) << depth;
}

// Random games lean towards captures, drops and promotions so that en passant, castling, hands
// and promotions of both armies come up; each position is compared move for move.
TEST(SearchMoves, RandomGamesHaveTheRulesEnginesMovesEverywhere) {
    std::mt19937 rng(20261208);
    int positions = 0;
    int withPerft = 0;
    for (int game = 0; game < 24; ++game) {
        GameState g;
        startGameBetweenPersons(g);
        g.checks.CHESS_MOCHIKOMA = game % 2 == 1;
        Drawing silent(g);
        for (int ply = 0; ply < 80; ++ply) {
            Position p;
            p.set(g);
            ASSERT_EQ(p.key, p.computeKey());
            const auto expected = rulesMoves(g);
            ASSERT_EQ(searchMoves(p), expected) << "game " << game << " ply " << ply;
            expectSplitIsExact(p);
            expectMakeUnmakeExact(p);
            if (ply % 16 == 5) {
                EXPECT_EQ(countTree(p, 2), perft(g, 2)) << "game " << game << " ply " << ply;
                ++withPerft;
            }
            ++positions;
            if (expected.empty()) break;
            MoveList list;
            generateLegalMoves(g, list);
            std::vector<double> weights;
            for (const Move& m : list) {
                double w = 1;
                if (m.isDrop()) w = 3;
                if (m.promotes()) w = 4;
                const int target = g.BOARD[m.toX][m.toY];
                if (target != EMPTY)
                    w *= (kindOf(target) == OU || kindOf(target) == KING) ? 0.05 : 5;
                if (kindOf(m.codeBefore) == PORN || kindOf(m.codeBefore) == KING) w *= 2;
                weights.push_back(w);
            }
            std::discrete_distribution<int> pick(weights.begin(), weights.end());
            playMove(g, silent, list[pick(rng)]);
        }
    }
    EXPECT_GE(positions, 1000);
    EXPECT_GE(withPerft, 80);
}

// Lines of the rules engine's own perft table: en passant, castling, promotions to a knight and a
// bishop, drops by both armies.
TEST(SearchMoves, PerftOfSpecialPositionsEqualsTheRulesEngine) {
    const struct {
        const char* line;
        bool chessHand;
    } rows[] = {
        {"5756 5254 5655 6263 5554 6364 PORN*44 3234", false},
        {"1716 8283 1615 8193 1514 7182 9796", false},
        {"5968 6264 9796 6162 6859 6263 3948 6374 7968 7485 2726 5184 2625 8576 6979 2224 9998 "
         "9293 5969 7687 2524 2122 PORN*44 2224 4443 3234 4352 7162 5241=KNIG 8796",
         false},
        {"6958 7273 5948 6264 5756 4243 9998 9294 8786 7135 4857 3513 4938 1346 7776 4637 7978 "
         "HU*18 8977 5254 1716 1819+ 7887 KYOU*24 8889 2427+ 2819 HU*45 HU*25 3152",
         true},
        {"7978 6264 3736 2223 1716 9293 5958 9192 1615 7144 3635 6162 2864 9394 6442 5142 PORN*68 "
         "KAKU*84 PORN*66 6263 6979 8473 3938 7319+ 8898 KYOU*76 5848 7677+ 8977 HU*33",
         true},
    };
    for (const auto& row : rows) {
        GameState g;
        startGameBetweenPersons(g);
        g.checks.CHESS_MOCHIKOMA = row.chessHand;
        Drawing silent(g);
        ASSERT_EQ(playLine(g, silent, row.line), 0) << row.line;
        Position p;
        p.set(g);
        for (int depth = 1; depth <= 3; ++depth)
            EXPECT_EQ(countTree(p, depth), perft(g, depth)) << row.line << " depth " << depth;
    }
}

}  // namespace
}  // namespace zorvan::search
