// The stronger computer's choices: tactics it must find at a fixed depth, the same answer on every
// run, and a search that stops at once when told to.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "play/line_play.h"
#include "play/self_play.h"
#include "position_helper.h"
#include "search/think.h"

namespace zorvan::search {
namespace {

using test::position;

// Can the side to move of `g` take a king?
bool kingCanBeTaken(GameState& g) {
    MoveList moves;
    generateLegalMoves(g, moves);
    for (const Move& m : moves)
        if (!m.isDrop() &&
            (kindOf(g.BOARD[m.toX][m.toY]) == OU || kindOf(g.BOARD[m.toX][m.toY]) == KING))
            return true;
    return false;
}

Result atDepth(const GameState& g, int depth) {
    Limits l;
    l.depth = depth;
    return think(g, l);
}

struct Tactic {
    const char* name;
    const char* diagram;
    int turn;
    int lowerHandSlot;  // a piece in the lower hand (0: none)
    const char* expected;
    int depth;
};

const Tactic kTactics[] = {
    {"take the king in one",
     ". . . . . . . . .  . . . . +KING . . . .  . . . . . . . . .  . . . . . . . . . "
     ". . . . -OU . . . +ROOK  . . . . . . . . .  . . -HU . . . . . .  . . . . . . . . . "
     ". . . . . . . . .",
     GOTE, 0, "9555", 4},
    {"win the 飛 with a knight fork",
     ". . . . . . . . +KING  . . . +KNIG . . . . .  . . . . . . . . .  . . . . . . . . . "
     "-SYA . . . -OU . . . .  . . . . . . . . .  . . . . . . . . .  . . . . . . . . . "
     ". . . . . . . . .",
     GOTE, 0, "4234", 4},
    {"a drop that wins the king in two",
     ". . . +ROOK +KING +KNIG . . .  . . . +PORN . +PORN . . .  . . . . -HU . . . . "
     ". . . . . . . . .  . . . . . . . . .  . . . . . . . . .  . . . . . . . . . "
     ". . . . . . . . .  . . . . -OU . . . .",
     SENTE, 5, "QEEN*52", 4},
};

TEST(SearchTactics, FoundAtFixedDepth) {
    for (const Tactic& t : kTactics) {
        GameState g = position(t.diagram, t.turn);
        if (t.lowerHandSlot) {
            g.OWN_HAND[t.lowerHandSlot] = 1;
            g.OWN_HAND_COUNT = 1;
        }
        const Result r = atDepth(g, t.depth);
        ASSERT_TRUE(r.found) << t.name;
        EXPECT_EQ(formatMove(r.move), t.expected) << t.name;
        EXPECT_TRUE(r.searched) << t.name;
    }
}

// The 王 stands on the file of a rook; taking the queen with the 飛 looks good but loses the king.
TEST(SearchTactics, AvoidsLosingTheKingInOne) {
    GameState g = position(
        "+QEEN . . . +ROOK . . . +KING  . . . . . . . . .  . . . . . . . . .  . . . . . . . . . "
        ". . . . -OU . . . .  . . . . . . . . .  . . . . . . . . .  -SYA . . . . . . . . "
        ". . . . . . . . .",
        SENTE);
    for (int depth = 2; depth <= 5; ++depth) {
        const Result r = atDepth(g, depth);
        ASSERT_TRUE(r.found);
        GameState after = g;
        Drawing silent(after);
        after.ensureHistory(after.MOVE_NO + 1);
        playMove(after, silent, r.move);
        EXPECT_FALSE(kingCanBeTaken(after)) << "depth " << depth << ": " << formatMove(r.move);
    }
}

TEST(SearchTactics, NoMoveOnceTheGameIsOver) {
    GameState g = test::emptyBoard(GOTE);
    g.BOARD[5][1] = +KING;
    g.BOARD[5][2] = -HU;
    g.WINNER = SENTE;  // the 王 has been taken
    EXPECT_FALSE(atDepth(g, 3).found);
}

GameState middleGame(bool chessHand) {
    GameState g;
    startGameBetweenPersons(g);
    g.checks.CHESS_MOCHIKOMA = chessHand;
    Drawing silent(g);
    playLine(g, silent,
             "6958 7273 5948 6264 5756 4243 9998 9294 8786 7135 4857 3513 4938 1346 7776 4637 "
             "7978 HU*18 8977 5254");
    return g;
}

TEST(SearchDeterminism, SameMoveScoreAndNodesAtAFixedDepth) {
    for (bool chessHand : {false, true}) {
        const GameState g = middleGame(chessHand);
        const Result a = atDepth(g, 6);
        const Result b = atDepth(g, 6);
        ASSERT_TRUE(a.found);
        EXPECT_EQ(a.move, b.move);
        EXPECT_EQ(a.score, b.score);
        EXPECT_EQ(a.nodes, b.nodes);
        EXPECT_EQ(a.depth, 6);
    }
}

// The armies' rules mirror each other, so the turned position (with both hands usable) gets the
// turned move and the same score. (The trees differ in size: moves of equal rank are tried in
// board order, which the half turn reverses.)
TEST(SearchSymmetry, TheTurnedPositionGetsTheTurnedAnswer) {
    for (int plies : {20, 21}) {
        GameState g = middleGame(true);
        Drawing silent(g);
        MoveList moves;
        while (g.MOVE_NO < plies) {
            generateLegalMoves(g, moves);
            playMove(g, silent, moves[moves.size / 2]);
        }
        GameState turned;
        turnPosition(g, turned);
        turned.TURN = turned.playerOf(g.sideOf(g.TURN) == Side::Upper ? Side::Lower : Side::Upper);
        const Result a = atDepth(g, 5);
        const Result b = atDepth(turned, 5);
        ASSERT_TRUE(a.found);
        EXPECT_EQ(formatMove(turnBack(b.move)), formatMove(a.move)) << plies;
        EXPECT_EQ(a.score, b.score) << plies;
    }
}

// Searches `g` on another thread with neither depth nor time limit, until the flag is set a
// tenth of a second later; the answer must be one of the position's legal moves.
void expectLegalAnswerWhenStopped(const GameState& g, int threads) {
    std::atomic<bool> stop{false};
    Limits l;
    l.stop = &stop;
    l.threads = threads;
    Result r;
    std::thread worker([&] { r = think(g, l); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    stop = true;
    worker.join();
    ASSERT_TRUE(r.found);
    EXPECT_TRUE(r.searched);
    GameState copy = g;
    Move found;
    EXPECT_TRUE(findLegalMove(copy, formatMove(r.move), found));
    // Set before the search starts, the flag still leaves a legal answer.
    EXPECT_TRUE(think(g, l).found);
}

TEST(SearchCancel, StopsWhenToldAndStillAnswersWithALegalMove) {
    expectLegalAnswerWhenStopped(middleGame(true), 1);
}

// More threads are for searches a time or the flag ends: limited by depth alone, the search
// keeps to one thread and gives the same answer and node count as with one.
TEST(SearchThreads, AFixedDepthStaysOnOneThread) {
    const GameState g = middleGame(false);
    Limits one;
    one.depth = 5;
    Limits two = one;
    two.threads = 2;
    const Result a = think(g, one);
    const Result b = think(g, two);
    EXPECT_EQ(a.move, b.move);
    EXPECT_EQ(a.score, b.score);
    EXPECT_EQ(a.nodes, b.nodes);
}

// With a helper thread sharing the table, the flag still ends the whole search, the answer is
// legal, and the helper's nodes are counted.
TEST(SearchThreads, HelpersStopWithTheFlagAndTheAnswerStaysLegal) {
    for (bool chessHand : {false, true}) {
        const GameState g = middleGame(chessHand);
        expectLegalAnswerWhenStopped(g, 2);

        // Time-limited, the helpers end with the main thread.
        Limits timed;
        timed.movetimeMs = 150;
        timed.threads = 3;
        const Result t = think(g, timed);
        ASSERT_TRUE(t.found);
        EXPECT_TRUE(t.searched);
        EXPECT_GT(t.nodes, 0u);
    }
}

// A table kept from one search to the next serves whichever search holds it, and another search
// that wants it meanwhile searches with a table of its own: searches on two threads at once, over
// games with and without the chess army's drops, all answer with legal moves of their own search.
TEST(SearchThreads, SearchesAtOnceShareNoKeptTable) {
    auto play = [](bool chessHand, int& searched) {
        GameState g = middleGame(chessHand);
        Drawing silent(g);
        for (int ply = 0; ply < 6; ++ply) {
            Limits l;
            l.movetimeMs = 60;
            l.threads = 2;
            l.keepTable = true;
            const Result r = think(g, l);
            if (!r.found) break;
            if (r.searched) ++searched;
            g.ensureHistory(g.MOVE_NO + 1);
            playMove(g, silent, r.move);
        }
    };
    int a = 0, b = 0;
    std::thread other([&] { play(true, a); });
    play(false, b);
    other.join();
    EXPECT_EQ(a, 6);
    EXPECT_EQ(b, 6);
}

// The king within reach is taken whatever the threads.
TEST(SearchThreads, TakeTheKingInOneWithHelpers) {
    const Tactic& t = kTactics[0];
    const GameState g = position(t.diagram, t.turn);
    Limits l;
    l.movetimeMs = 200;
    l.threads = 2;
    const Result r = think(g, l);
    ASSERT_TRUE(r.found);
    EXPECT_EQ(formatMove(r.move), t.expected);
}

}  // namespace
}  // namespace zorvan::search
