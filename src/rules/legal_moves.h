// The legal moves of the side to move, in a fixed order, and their written form.
//
// Order: the board pieces of the side to move (files 1..9 outer, ranks 1..9 inner), each with its
// targets in the same order and, per target, the plain move (unless the piece could never move
// again from there) followed by its promotions; then the drops, hand slots 1..12, targets in the
// same order. A position in which a king has been captured has no moves.
//
// Written form: a board move is four digits x1y1x2y2 ("5756"); a shogi promotion adds "+"
// ("2822+"), a chess pawn's new piece "=QEEN", "=ROOK", "=BISH" or "=KNIG"; a drop is the slot's
// kind name, "*" and the target ("QEEN*55", "HU*53"). Castling is the king's two-file move.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/game_state.h"

namespace zorvan {

struct Move {
    int fromX = 0;  // 1..9, or 11 / -1 for a drop from the lower / upper hand
    int fromY = 0;  // rank, or the hand slot of a drop
    int toX = 0;
    int toY = 0;
    int codeBefore = EMPTY;  // the code on the origin (for a drop, the dropped code)
    int codeAfter = EMPTY;   // the code on the target after the move (promoted or chosen)

    bool isDrop() const { return fromX == LOWER_HAND_COLUMN || fromX == UPPER_HAND_COLUMN; }
    bool promotes() const { return codeAfter != codeBefore; }
    bool operator==(const Move&) const = default;
};

// Room for every move a position can have (drops of twelve kinds on every empty square plus the
// board moves with all promotion choices stay well below it).
constexpr int MAX_MOVES = 4096;

// A fixed-capacity move list: generation never allocates.
struct MoveList {
    std::array<Move, MAX_MOVES> moves;
    int size = 0;

    void clear() { size = 0; }
    void push(const Move& m) {
        if (size < MAX_MOVES) moves[static_cast<size_t>(size++)] = m;
    }
    const Move& operator[](int i) const { return moves[static_cast<size_t>(i)]; }
    const Move* begin() const { return moves.data(); }
    const Move* end() const { return moves.data() + size; }
};

// May `side` drop from hand slot `slot`? With "ﾁｪｽ側持駒OK" on, every slot; with it off the shogi
// army below only slots 1..5 (captured chess pieces), the chess army never, the shogi army above
// every slot.
bool mayUseHandSlot(const GameState& g, Side side, int slot);

// Side whose turn it is (None when no game runs or TURN names no side).
inline Side sideToMove(const GameState& g) {
    return g.sideOf(g.TURN);
}

// Fills `out` with the legal moves of the side to move, in the order above. Refreshes the
// pawn-file flags from the board; PROMOTE_CODE is left as it was.
void generateLegalMoves(GameState& g, MoveList& out);

// Writes a move in the notation above.
std::string formatMove(const Move& m);

// Finds the legal move of the side to move written as `text` (exactly as formatMove writes it).
// Returns false when `text` is not one of them.
bool findLegalMove(GameState& g, std::string_view text, Move& out);

}  // namespace zorvan
