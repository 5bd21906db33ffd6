// The moves of the search's position, exactly the legal moves of the rules engine (this game has
// no check rule: leaving one's king attacked is legal and loses it next move), split into the
// noisy moves (captures, en passant, promotions) and the quiet ones (every other board move,
// castling and the drops), so that a search can look at the noisy ones first.
#pragma once

#include "search/position.h"

namespace zorvan::search {

// Room for every move of a position (drops of twelve kinds on every empty square plus the board
// moves with all their promotion choices).
constexpr int MAX_SMOVES = 2048;

enum class GenMode { All, Noisy, Quiet };

// Writes the moves of the side to move into `out` and returns their number; none once a king has
// been captured.
int generateMoves(const Position& p, SMove* out, GenMode mode);

// Does a piece of `bySide` attack square `s` (could it move there, capturing whatever stands on
// it)?
bool attacked(const Position& p, int s, int bySide);

// Can the side to move capture the opposing king right now?
inline bool canTakeKing(const Position& p) {
    const int k = p.kingSq[static_cast<size_t>(1 - p.side)];
    return k != 0 && attacked(p, k, p.side);
}

// Is the king of the side to move attacked?
inline bool inCheck(const Position& p) {
    const int k = p.kingSq[static_cast<size_t>(p.side)];
    return k != 0 && attacked(p, k, 1 - p.side);
}

// Is `m` a move the position could have (a cheap guard for moves from the transposition table)?
bool plausible(const Position& p, SMove m);

}  // namespace zorvan::search
