// A search asked for in text (by the page, of its worker) searches exactly the position it was
// asked about, within the same limits; its answer comes back unchanged; a text that is not a
// request or an answer is refused.
#include <gtest/gtest.h>

#include <string>

#include "play/line_play.h"
#include "play/perft.h"
#include "position_helper.h"
#include "rules/players.h"
#include "search/position.h"
#include "search/request.h"

namespace zorvan::search {
namespace {

using test::started;

// The board turned round as 反転 turns it: the chess army comes below, the turn stays with the
// same army.
void turnRound(GameState& g) {
    const Board old = g.BOARD;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) g.BOARD[10 - x][10 - y] = -old[x][y];
    std::swap(g.OWN_HAND, g.ENEMY_HAND);
    const auto n = static_cast<size_t>(g.MOVE_NO);
    g.MOVE_TO_X[n] = 10 - g.MOVE_TO_X[n];
    g.MOVE_TO_Y[n] = 10 - g.MOVE_TO_Y[n];
    g.MOVE_CODE[n] = -g.MOVE_CODE[n];
    調査_先手後手(g);
    g.TURN = -g.TURN;
}

struct Asked {
    const char* name;
    const char* moves;
    bool chessHand;
    bool chessBelow;  // the board turned round: the chess army is the lower side
    bool won;         // a king was taken: the game is over
};

const Asked kPositions[] = {
    {"start", "", false, false, false},
    {"en passant available", "5756 5254 5655 6263 5554 6364 PORN*44 3234", false, false, false},
    {"castling available", "1716 8283 1615 8193 1514 7182 9796", false, false, false},
    {"both armies drop, promoted lance taken",
     "6958 7273 5948 6264 5756 4243 9998 9294 8786 7135 4857 3513 4938 1346 7776 4637 7978 HU*18 "
     "8977 5254 1716 1819+ 7887 KYOU*24 8889 2427+ 2819 HU*45 HU*25 3152",
     true, false, false},
    {"pawn promoted to a knight, chess pieces in hand",
     "5968 6264 9796 6162 6859 6263 3948 6374 7968 7485 2726 5184 2625 8576 6979 2224 9998 9293 "
     "5969 7687 2524 2122 PORN*44 2224 4443 3234 4352 7162 5241=KNIG 8796",
     false, true, false},
    {"the game is over", "7776 4243", false, false, true},
};

TEST(SearchRequest, TheAskedPositionSearchesAsTheGamesOwn) {
    for (const Asked& a : kPositions) {
        SCOPED_TRACE(a.name);
        GameState g = started(a.moves, a.chessHand);
        if (a.chessBelow) {
            turnRound(g);
            ASSERT_EQ(g.LOWER_PLAYER, GOTE);
        }
        if (a.won) g.WINNER = g.LOWER_PLAYER;
        Limits limits;
        limits.depth = 3;
        const std::string text = encodeRequest(g, limits);

        GameState asked;
        Limits askedLimits;
        ASSERT_TRUE(decodeRequest(text, asked, askedLimits));
        EXPECT_EQ(encodeRequest(asked, askedLimits), text);

        MoveList original, copy;
        GameState scratch = g;
        generateLegalMoves(scratch, original);
        generateLegalMoves(asked, copy);
        ASSERT_EQ(copy.size, original.size);
        for (int i = 0; i < original.size; ++i) EXPECT_EQ(copy[i], original[i]);
        scratch = g;
        EXPECT_EQ(perft(asked, 2), perft(scratch, 2));
        Position p, q;
        p.set(g);
        q.set(asked);
        EXPECT_EQ(q.key, p.key);

        const Result mine = think(g, limits);
        const Result theirs = think(asked, askedLimits);
        EXPECT_EQ(theirs.found, mine.found);
        EXPECT_EQ(theirs.move, mine.move);
        EXPECT_EQ(theirs.score, mine.score);
        EXPECT_EQ(theirs.nodes, mine.nodes);
    }
}

TEST(SearchRequest, LimitsAndAnswersComeBackUnchanged) {
    for (const int level : {4, 5}) {
        Limits l = levelLimits(level);
        l.threads = level;  // whatever the machine's cores made of it
        l.keptTableBits = level == 5 ? 20 : 0;  // the page's smaller kept table, or the game's
        GameState g = started("", false);
        GameState asked;
        Limits back;
        ASSERT_TRUE(decodeRequest(encodeRequest(g, l), asked, back));
        EXPECT_EQ(back.depth, l.depth);
        EXPECT_EQ(back.movetimeMs, l.movetimeMs);
        EXPECT_EQ(back.unsettledPercent, l.unsettledPercent);
        EXPECT_EQ(back.threads, l.threads);
        EXPECT_EQ(back.keepTable, l.keepTable);
        EXPECT_EQ(back.keptTableBits, l.keptTableBits);
        EXPECT_EQ(back.stop, nullptr);
    }

    Result none;
    none.found = false;
    Result drop;
    drop.found = true;
    drop.move = Move{UPPER_HAND_COLUMN, 5, 4, 4, +PORN, +PORN};
    drop.score = -29990;
    drop.depth = 17;
    drop.nodes = 12345678901234ULL;
    drop.seconds = 2.25;
    Result promotion = drop;
    promotion.move = Move{2, 8, 2, 2, -SYA, -SYA_N};
    promotion.score = 1013;
    promotion.searched = false;
    for (const Result& r : {none, drop, promotion}) {
        Result back;
        ASSERT_TRUE(decodeResult(encodeResult(r), back)) << encodeResult(r);
        EXPECT_EQ(back.found, r.found);
        EXPECT_EQ(back.move, r.move);
        EXPECT_EQ(back.score, r.score);
        EXPECT_EQ(back.depth, r.depth);
        EXPECT_EQ(back.nodes, r.nodes);
        EXPECT_DOUBLE_EQ(back.seconds, r.seconds);
        EXPECT_EQ(back.searched, r.searched);
    }
}

TEST(SearchRequest, TextsThatAreNoRequestOrAnswerAreRefused) {
    const std::string request = encodeRequest(started("7776", false), Limits{});
    const std::string answer = encodeResult(Result{});
    const auto replaced = [](std::string text, size_t field, const std::string& value) {
        size_t at = 0;
        for (size_t i = 0; i < field; ++i) at = text.find(' ', at) + 1;
        const size_t end = text.find(' ', at);
        return text.replace(at, end == std::string::npos ? std::string::npos : end - at, value);
    };
    const std::string badRequests[] = {
        "",
        "ZSQ1",
        request.substr(0, request.size() - 2),  // cut short
        request + " 0",                         // a number too many
        request + " ",
        "ZSR1" + request.substr(4),  // an answer's tag
        replaced(request, 1, "21"),  // no piece has the code 21
        replaced(request, 1, "x"),
        replaced(request, 1, "+3"),
        replaced(request, 82, "-1"),   // a hand count below nothing
        replaced(request, 82, "100"),  // far more than there are pieces
        replaced(request, 108, "1"),   // both sides SENTE
        replaced(request, 107, "2"),   // no such player
        replaced(request, 119, "12"),  // a kept table too small to be worth keeping
        replaced(request, 119, "23"),  // larger than the game's own
    };
    for (const std::string& text : badRequests) {
        GameState g;
        Limits l;
        EXPECT_FALSE(decodeRequest(text, g, l)) << text;
    }
    const std::string badAnswers[] = {
        "",
        "ZSR1",
        answer + " 1",
        "ZSQ1" + answer.substr(4),
        replaced(answer, 1, "2"),
        replaced(answer, 2, "12"),
    };
    for (const std::string& text : badAnswers) {
        Result r;
        EXPECT_FALSE(decodeResult(text, r)) << text;
    }
}

}  // namespace
}  // namespace zorvan::search
