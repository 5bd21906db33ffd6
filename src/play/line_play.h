// Playing moves of the legal-move list on a game between persons: the full path (execution,
// snapshot, counters, turn) used by the command-line tool and tests, and a light make/take-back
// pair for counting move trees.
#pragma once

#include <string>
#include <string_view>

#include "model/game_state.h"
#include "rules/legal_moves.h"
#include "ui/drawing.h"

namespace zorvan {

// A new game between persons from the standard start (new-game reset, players taken from the
// board, the owner of 王 — SENTE — to move). Options are kept.
void startGameBetweenPersons(GameState& g);

// The turn passes: SENTE ↔ GOTE; NO_SIDE stays.
void passTurn(GameState& g);

// Plays a legal move as a game between persons does: 駒移動, MOVE_NO + 1, 手順保存 (clocks as they
// stand), MOVE_COUNT + 1, and the turn passes (also after a king was taken).
void playMove(GameState& g, Drawing& d, const Move& m);

// Plays moves written in the game's notation, separated by blanks, each with playMove. Returns 0
// when every move was one of the legal moves where it was played; otherwise the ply (1 for the
// first move of the line) of the first that was not, whose text goes to `refused`; nothing after
// it is played.
int playLine(GameState& g, Drawing& d, std::string_view moves, std::string* refused = nullptr);

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
// target and code the en passant rule reads, and passes the turn.
void makeMove(GameState& g, const Move& m, MoveUndo& undo);

// Takes back the move made by makeMove with this undo record.
void unmakeMove(GameState& g, const MoveUndo& undo);

}  // namespace zorvan
