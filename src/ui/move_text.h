// The move texts of the languages beside the game's Japanese: one text that names the piece, the
// square it came from and the square it went to, in the notation English-speaking shogi and
// chess players both read at once:
//
//   P77-76     a piece's letter, its origin, "-", its target (squares as file then rank, the
//              files counted from the right, as the game numbers them)
//   B88x22+    "x" where a piece is taken (en passant too); "+" for a shogi promotion
//   Ⓟ27-28=Ⓠ   a chess pawn's new piece after "="
//   S*55       a drop: the piece, "*" and the target
//
// The letters, file and rank digits are the catalogue's ("piece", "file" and "rank" contexts):
// the shogi army's pieces P L N S G B R K with +P +L +N +S, D (dragon) and H (horse) for the
// promoted ones; the chess army's Q R B N K P, circled (Ⓠ Ⓡ Ⓑ Ⓝ Ⓚ Ⓟ) so that the two armies'
// pieces differ wherever they stand, in either hand too. With its origin always written, a text
// names one legal move of its position.
#pragma once

#include <string>

#include "model/game_state.h"
#include "rules/legal_moves.h"

namespace zorvan {

// True when `m`, played on `board`, takes a piece (a chess pawn's diagonal step to an empty
// square takes en passant).
bool takesPiece(const Board& board, const Move& m);

// The text of move `m` in the current language's letters; `capture` writes "x".
std::string moveText(const Move& m, bool capture);

// The move that led from snapshot n - 1 to snapshot n of the history (a board move, a drop or
// castling) and whether it took a piece. False when the two snapshots do not show one move of
// one side (no such snapshots, or a position turned round between them).
bool movePlayed(const GameState& g, int n, Move& m, bool& capture);

}  // namespace zorvan
