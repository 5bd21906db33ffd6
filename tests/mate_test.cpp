#include "rules/mate.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/influence.h"

namespace zorvan {
namespace {

struct Put {
    int x, y, code;
};

// Hand slots by kind.
constexpr int S_PORN = 1, S_HU = 6, S_KYOU = 7, S_KEI = 8, S_GIN = 9;

// A position of the lower king's side: pieces and the slots of the lower hand (one per piece).
struct MateCase {
    const char* what;
    std::vector<Put> pieces;
    std::vector<int> lowerHand;
    int mated;
};

GameState build(const std::vector<Put>& pieces, const std::vector<int>& lowerHand) {
    GameState g;
    for (const Put& p : pieces) g.BOARD[p.x][p.y] = p.code;
    for (int slot : lowerHand) {
        ++g.OWN_HAND[slot];
        ++g.OWN_HAND_COUNT;
    }
    勢力調査(g);
    return g;
}

// The same position turned round: the board rotated, every code and the hands exchanged, so the
// upper king stands where the lower king stood.
GameState turned(const GameState& g) {
    GameState t;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) t.BOARD[10 - x][10 - y] = -g.BOARD[x][y];
    t.OWN_HAND = g.ENEMY_HAND;
    t.ENEMY_HAND = g.OWN_HAND;
    t.OWN_HAND_COUNT = g.ENEMY_HAND_COUNT;
    t.ENEMY_HAND_COUNT = g.OWN_HAND_COUNT;
    勢力調査(t);
    return t;
}

// King on rank 1 in check along the rank from (1,1); the second rook closes rank 2 and the line
// through the king closes (6,1). Pieces that cannot be dropped on rank 1 cannot block.
const std::vector<Put> kRankOneCheck = {{5, 1, -OU}, {1, 1, +SYA}, {9, 2, +ROOK}};

// King in the corner checked along rank 9 from (5,9); rank 8 is closed by a rook. The lower 歩 on
// files 6, 7 and 8 forbid a 歩 drop on the path.
const std::vector<Put> kCornerCheck = {{9, 9, -OU}, {5, 9, +SYA}, {1, 8, +ROOK}};
const std::vector<Put> kCornerCheckPawns = {{9, 9, -OU}, {5, 9, +SYA}, {1, 8, +ROOK},
                                            {6, 5, -HU}, {7, 5, -HU},  {8, 5, -HU}};

// King boxed in by its own pieces, none of which reaches (6,7): a knight check there is mate.
std::vector<Put> boxedKingCheckedFrom67(int knight) {
    return {{5, 9, -OU},   {4, 8, -HU},   {5, 8, -HU},   {6, 8, -KEI},
            {4, 9, -KYOU}, {6, 9, -KYOU}, {6, 7, knight}};
}

// A gold next to the king, guarded by a lance, covering every flight square.
const std::vector<Put> kGuardedGold = {{5, 9, -OU}, {5, 8, +KIN}, {5, 1, +KYOU}};

std::vector<Put> with(std::vector<Put> pieces, std::initializer_list<Put> more) {
    pieces.insert(pieces.end(), more);
    return pieces;
}

std::vector<MateCase> mateCases() {
    return {
        {"no check, however boxed in",
         {{5, 9, -OU}, {4, 9, -KIN}, {6, 9, -KIN}, {1, 8, +SYA}},
         {},
         OFF},
        {"rank-1 check, empty hand", kRankOneCheck, {}, ON},
        {"rank-1 check, a 銀 can block", kRankOneCheck, {S_GIN}, OFF},
        {"rank-1 check, a 歩 is dead there", kRankOneCheck, {S_HU}, ON},
        {"rank-1 check, a 香 is dead there", kRankOneCheck, {S_KYOU}, ON},
        {"rank-1 check, a 桂 is dead there", kRankOneCheck, {S_KEI}, ON},
        {"rank-1 check, a chess pawn is dead there", kRankOneCheck, {S_PORN, S_HU}, ON},
        {"rank-1 check, 歩 and 銀 in hand", kRankOneCheck, {S_HU, S_GIN}, OFF},
        {"rank-1 check, a free flight square", {{5, 1, -OU}, {1, 1, +SYA}}, {}, OFF},
        {"rank-1 check, a 金 steps into the line", with(kRankOneCheck, {{3, 2, -KIN}}), {}, OFF},
        {"rank-1 check, a 銀 in hand against a second checking line",
         {{5, 1, -OU}, {1, 1, +SYA}, {8, 4, +KAKU}, {9, 2, +ROOK}},
         {S_GIN},
         ON},
        {"corner check, a 歩 drop blocks", kCornerCheck, {S_HU}, OFF},
        {"corner check, two-pawn rule on every path file", kCornerCheckPawns, {S_HU}, ON},
        {"corner check, a 香 may still block", kCornerCheckPawns, {S_HU, S_KYOU}, OFF},
        {"adjacent guarded gold, drop useless", kGuardedGold, {S_GIN}, ON},
        {"adjacent unguarded gold is taken by the king", {{5, 9, -OU}, {5, 8, +KIN}}, {}, OFF},
        {"adjacent gold taken by a 角 from afar", with(kGuardedGold, {{8, 5, -KAKU}}), {}, OFF},
        {"gold taken, but a 桂 checks too",
         with(kGuardedGold, {{8, 5, -KAKU}, {4, 7, +KEI}}),
         {},
         ON},
        {"桂 check cannot be blocked", boxedKingCheckedFrom67(+KEI), {S_GIN}, ON},
        {"chess knight check cannot be blocked", boxedKingCheckedFrom67(+KNIG), {S_GIN}, ON},
        {"chess knight check, the knight is taken",
         with(boxedKingCheckedFrom67(+KNIG), {{7, 8, -HU_N}}),
         {S_GIN},
         OFF},
    };
}

TEST(MateTests, LowerKingCasesAndTheTurnedRoundUpperKing) {
    for (const MateCase& c : mateCases()) {
        GameState g = build(c.pieces, c.lowerHand);
        const Board board = g.BOARD;
        const InfluenceMaps maps = g.maps;
        const FileFlags flags = g.OWN_PAWN_FILE;  // stale on purpose: the test reads the board
        EXPECT_EQ(詰めかMAN(g), c.mated) << c.what;
        EXPECT_EQ(g.BOARD, board) << c.what;
        EXPECT_EQ(g.OWN_PAWN_FILE, flags) << c.what;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                ASSERT_EQ(g.maps.OWN_INFLUENCE[x][y], maps.OWN_INFLUENCE[x][y]) << c.what;
                ASSERT_EQ(g.maps.ENEMY_CHECK_MAP[x][y], maps.ENEMY_CHECK_MAP[x][y]) << c.what;
            }

        GameState t = turned(g);
        const Board turnedBoard = t.BOARD;
        EXPECT_EQ(詰めかCOM(t), c.mated) << "turned round: " << c.what;
        EXPECT_EQ(t.BOARD, turnedBoard) << "turned round: " << c.what;
    }
}

TEST(MateTests, UpperKingDefencesAreChosenByTheCheckMapAskedAbout) {
    // The 銀 on (4,1) is pinned by the 飛 on (1,1): its block on (5,2) opens a check along rank 1.
    // Its trial survey clears the check marks of the 飛 on (5,9); the rook's block on (5,5) must
    // still be tried, and saves the king.
    GameState g = build({{5, 1, +OU},
                         {4, 1, +GIN},
                         {4, 2, +PORN},
                         {6, 1, +PORN},
                         {6, 2, +PORN},
                         {9, 5, +ROOK},
                         {1, 1, -SYA},
                         {5, 9, -SYA},
                         {1, 9, -OU}},
                        {});
    const Board board = g.BOARD;
    EXPECT_EQ(詰めかCOM(g), OFF);
    EXPECT_EQ(g.BOARD, board);
    // The maps are those of the last trial: the rook on (5,5).
    GameState last = g;
    last.BOARD[9][5] = EMPTY;
    last.BOARD[5][5] = +ROOK;
    勢力調査(last);
    EXPECT_EQ(g.maps.OWN_INFLUENCE, last.maps.OWN_INFLUENCE);
    EXPECT_EQ(g.maps.ENEMY_GUARD_CODE, last.maps.ENEMY_GUARD_CODE);
    // Without the rook nothing saves the king.
    g.BOARD[9][5] = EMPTY;
    勢力調査(g);
    EXPECT_EQ(詰めかCOM(g), ON);
}

TEST(MateTests, UpperSideReachesTheLowerKing) {
    const struct {
        const char* what;
        std::vector<Put> pieces;
        int answer;
    } cases[] = {
        {"nothing near", {{5, 9, -OU}, {5, 1, +KING}}, OFF},
        {"a 香 down an open file", {{5, 9, -OU}, {5, 1, +KYOU}}, ON},
        {"a 香 behind a blocker", {{5, 9, -OU}, {5, 1, +KYOU}, {5, 4, -HU}}, OFF},
        {"a chess pawn diagonally", {{5, 9, -OU}, {4, 8, +PORN}}, ON},
        {"a chess pawn straight ahead", {{5, 9, -OU}, {5, 8, +PORN}}, OFF},
        {"a lower piece does not count", {{5, 9, -OU}, {5, 8, -KIN}}, OFF},
    };
    for (const auto& c : cases) {
        GameState g = build(c.pieces, {});
        EXPECT_EQ(詰めかMAN_COM移動(g), c.answer) << c.what;
    }
}

TEST(MateTests, EscapeSquaresAreEmptyNeighboursNoUpperPieceBearsOn) {
    const struct {
        const char* what;
        std::vector<Put> pieces;
        int count;
        std::vector<Put> marked;  // code unused
    } cases[] = {
        {"corner, all free", {{1, 9, -OU}}, 3, {{1, 8, 0}, {2, 8, 0}, {2, 9, 0}}},
        {"own piece and an unguarded enemy piece do not count",
         {{5, 9, -OU}, {4, 9, -KIN}, {6, 9, +KIN}},
         2,
         {{4, 8, 0}, {5, 8, 0}}},
        {"a rook closes rank 8", {{5, 9, -OU}, {1, 8, +ROOK}}, 2, {{4, 9, 0}, {6, 9, 0}}},
    };
    for (const auto& c : cases) {
        GameState g = build(c.pieces, {});
        g.maps.ESCAPE_MAP = SquareMap{};
        EXPECT_EQ(調査_自王逃道(g), c.count) << c.what;
        int marks = 0;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) marks += g.maps.ESCAPE_MAP[x][y];
        EXPECT_EQ(marks, c.count) << c.what;
        for (const Put& p : c.marked) EXPECT_EQ(g.maps.ESCAPE_MAP[p.x][p.y], 1) << c.what;
    }
}

}  // namespace
}  // namespace zorvan
