// Playing moves of the legal-move list on a game between persons: the full path (execution,
// snapshot, counters, turn) used by the command-line tool and tests, and a light make/take-back
// pair for counting move trees.
#pragma once

#include <cstdint>

#include "model/game_state.h"
#include "rules/legal_moves.h"
#include "ui/drawing.h"

namespace zorvan {

// The turn passes: SENTE ↔ GOTE; NO_SIDE stays.
void passTurn(GameState& g);

// Plays a legal move as a game between persons does: 駒移動, MOVE_NO + 1, 手順保存 (clocks as they
// stand), MOVE_COUNT + 1, and the turn passes (also after a king was taken).
void playMove(GameState& g, Drawing& d, const Move& m);

// What makeMove changed, so that unmakeMove can put it back. Only the squares and values a move
// can touch are kept, never a whole snapshot.
struct MoveUndo {
    struct Square {
        int x, y, code;
    };
    std::array<Square, 4> squares;  // target, origin, passed pawn or castling rook squares
    int squareCount = 0;
    Hand ownHand, enemyHand;
    int ownHandCount, enemyHandCount;
    int ownKingX, ownKingY;
    int winner, turn;
    int moveToX, moveToY, moveCode;  // the overwritten last-move entry
};

// Makes a legal move for counting: executes it without drawing, raises MOVE_NO, records the
// target and code the en passant rule reads, and passes the turn. The history tables must already
// have room for MOVE_NO + 1 (see ensureHistory).
void makeMove(GameState& g, const Move& m, MoveUndo& undo);

// Takes back the move made by makeMove with this undo record.
void unmakeMove(GameState& g, const MoveUndo& undo);

}  // namespace zorvan
