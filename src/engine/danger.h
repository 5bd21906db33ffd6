// Two scoring procedures of the computer's evaluation that look over the whole board after a
// candidate move: the weaknesses around the computer's position (with forks as a bonus), and the
// threat of a person's 角 giving check while attacking the piece that just moved.
#pragma once

#include "model/game_state.h"

namespace zorvan {

// Danger squares for the computer: a number, usually zero or negative, for the moved piece P now
// standing on (x2, y2). Charges drop squares, hanging or overloaded pieces and a boxed-in king;
// rewards newly attacked person's pieces and forks.
double 盤評価_COM危険座標(GameState& g, int P, int x2, int y2);

// Bishop watch: P when the person could put a 角 on a square that checks the computer's king and
// lies on a bishop line through (x2, y2), by moving one there or by dropping one; else 0.
int 盤評価_自角注意_COM(GameState& g, int x2, int y2, int P);

}  // namespace zorvan
