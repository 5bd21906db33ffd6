// The search's evaluation: material on the board and in hand, placement (kept up to date by the
// position as moves are made), and king safety — the pieces of both sides around each king and
// the drops the opponent holds in hand. From the side to move's point of view, in centipawns.
#pragma once

#include "search/position.h"

namespace zorvan::search {

// Weights of the terms computed at every evaluation (the material and placement tables live with
// the position). Kept in one place so that two versions can be played against each other.
struct EvalWeights {
    int tempo = 12;         // for the side to move
    int attackerNear = 14;  // an enemy piece within two squares of the king
    int defenderNear = 6;   // an own piece next to the king
    int openNearHand = 5;   // an empty square next to the king, per enemy piece in hand
    int handExtra = 0;      // added per piece in hand that its side may drop
};

const EvalWeights& defaultWeights();

// Reads "name=value,name=value" (tempo, attacker, defender, open, hand) over `w`; false on a
// name or value it does not know.
bool parseWeights(const char* text, EvalWeights& w);

int evaluate(const Position& p, const EvalWeights& w);

}  // namespace zorvan::search
