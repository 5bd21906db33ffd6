// Mate tests: is a king in check that no single defence saves?
//
// They read the influence maps of the last survey (勢力調査) and the king squares it located, and
// try the one-move defences on BOARD itself: a drop between a checking line piece and the king, a
// king step, one move by another piece onto a checking or blocking square. Every trial is put back
// before the test returns, so the caller sees BOARD exactly as it was. Whatever else saves the
// king (a move that pins, a capture by a piece two moves away) the tests do not look for: they
// call it mate.
#pragma once

#include "model/game_state.h"

namespace zorvan {

// Is the lower (person's) king mated? ON or OFF. Reads the maps as they stand; leaves them as
// they were.
int 詰めかMAN(GameState& g);  // lower king mated?

// Is the upper (computer's) king mated? ON or OFF. Each trial defence by a piece is judged by a
// fresh survey of the trial position, so afterwards the maps are those of the last trial: the
// caller surveys again before reading them.
int 詰めかCOM(GameState& g);  // upper king mated?

// Can some upper piece on the board legally move onto the lower king's square? Squares are tried
// file by file; the first success answers ON.
int 詰めかMAN_COM移動(const GameState& g);  // upper side reaches the lower king?

// Counts the empty neighbours of the lower king that no upper piece bears on, marking each with 1
// in ESCAPE_MAP (the caller clears it beforehand). Squares holding an upper piece do not count.
int 調査_自王逃道(GameState& g);  // escape squares of the lower king

}  // namespace zorvan
