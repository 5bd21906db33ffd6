// The influence survey: rebuilds the influence maps (g.maps) and the four king squares from BOARD.
//
// For every square the maps say how many pieces of each side bear on it, the cheapest guard and
// attacker and where they stand, and which pieces check the opposing king along which squares.
// The computer player scores every candidate from these maps and the mate tests read them, so the
// survey runs hundreds of times per computer move: it is one pass over the board, allocates nothing
// and touches each square a piece reaches once.
//
// Lower side = own (negative codes), upper side = enemy (positive codes). The code maps keep the
// first piece that reaches the winning value (strict comparisons), so ties go to the piece met
// first: lower file, then lower rank, and within one piece the order its squares are visited.
#pragma once

#include "model/game_state.h"

namespace zorvan {

// Reset values of the code maps.
constexpr int NO_GUARD = 999;           // OWN_GUARD_CODE / ENEMY_GUARD_CODE: nobody guards
constexpr int NO_ENEMY_ATTACKER = 999;  // ENEMY_ATTACKER_CODE: no upper attacker
constexpr int NO_OWN_ATTACKER = -999;   // OWN_ATTACKER_CODE: no lower attacker

// Resets every map but ESCAPE_MAP, then adds the influence of every piece on the board, file by
// file (x outer, y inner). Sets OWN_KING_X/Y and ENEMY_KING_X/Y to the kings it meets (a side
// without a king keeps its old values).
void 勢力調査(GameState& g);  // influence survey

// The line procedures: the influence of a long-range piece of code c standing on (x, y) along one
// file or rank. A line stops at the first occupied square (counted) unless that square holds the
// opposing king: then the squares in between are marked as its check path and the line goes on.
// c <= -1 walks for the lower side, any other c for the upper side.
void 勢力確定上直進(GameState& g, int c, int x, int y);  // towards rank 1
void 勢力確定下直進(GameState& g, int c, int x, int y);  // towards rank 9
void 勢力確定右直進(GameState& g, int c, int x, int y);  // towards file 9
void 勢力確定左直進(GameState& g, int c, int x, int y);  // towards file 1

// The four diagonals of a chess bishop or queen (the queen's lines come from the four procedures
// above). The lower side's record -BISH / -QEEN; the upper side's ignore pawns and promoted pawns
// as guarded or attacked pieces (codes of magnitude below 3), though they still stop on them.
void 勢力確定自ビショ(GameState& g, int x, int y);         // lower chess bishop, records -BISH
void 勢力確定敵ビショ(GameState& g, int c, int x, int y);  // upper chess bishop, records c
void 勢力確定自クイーン(GameState& g, int x, int y);       // lower queen's diagonals, -QEEN
void 勢力確定敵クイーン(GameState& g, int x, int y);       // upper queen's diagonals, +QEEN

// The shogi bishop's diagonals (also a promoted bishop's) and the gold-like pieces' six squares.
void 勢力確定自角(GameState& g, int x, int y);         // lower 角 or 馬 diagonals, records -KAKU
void 勢力確定敵角(GameState& g, int c, int x, int y);  // upper 角 or 馬 diagonals, records c
void 勢力確定自金(GameState& g, int c, int x, int y);  // lower gold-like piece, records c
void 勢力確定敵金(GameState& g, int x, int y);         // upper gold-like piece, records +KIN

}  // namespace zorvan
