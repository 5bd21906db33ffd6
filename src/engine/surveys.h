// Small board questions the computer's evaluation asks again and again. The first five answer on
// the position after a candidate move; the last two fill maps once per turn, before the search.
// None of them leaves the board changed.
#pragma once

#include "model/game_state.h"

namespace zorvan {

// Safe move count: squares the piece c could move to from (x, y) that the other side does not
// bear on. The piece need not stand on (x, y).
int 調査_移動可場所数(GameState& g, int x, int y, int c);

// Knight target: what a 桂 dropped beside the computer's 歩 on (x2, y2) would win when the 歩 is
// attacked by the person's 角, 馬, 飛 or 竜 and a big piece stands two files away.
int 調査_桂狙い(GameState& g, int x2, int y2);

// Lance target: what a 香 in front of the computer's 歩 on (x2, y2) would win further down the
// file.
int 調査_香狙い(GameState& g, int x2, int y2);

// Covered from behind: ON when a person's 香, 飛 or 竜 below (x, y) on its file reaches (x, y)
// with the piece on (x, y) lifted.
int 調査_自守駒MAN_直進駒(GameState& g, int x, int y);

// Surroundings: minus the number of the computer's big pieces (code 14 and up) next to (x, y).
int 調査_周辺状況(const GameState& g, int x, int y);

// Bishop-drop check squares: fills BISHOP_CHECK_MAP with the empty squares from which a person's
// 角 would attack the computer's king and which the computer does not hold firmly.
void 調査_持角狙座標(GameState& g);

// Pinned pieces: fills OWN_PINNED_MAP, ENEMY_PINNED_MAP and ENEMY_PINNED with the pieces that
// shield their king from one of the other side's 香, 角, 馬, 飛 or 竜.
void 調査_移動不可駒(GameState& g);

}  // namespace zorvan
