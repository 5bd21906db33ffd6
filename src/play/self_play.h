// The computer playing without a person: its move for either side (the lower side's is found on
// the turned position and turned back), executed through the ordinary move path, and whole games
// of the computer against itself. Used by the command-line tool, the benchmark and the tests.
#pragma once

#include "engine/search.h"
#include "model/game_state.h"
#include "rules/legal_moves.h"
#include "ui/drawing.h"

namespace zorvan {

// The chosen move in the notation of the legal-move list.
Move toMove(const ComMove& m);

// The position seen from the other side: the board turned by a half turn with every code negated,
// the hands and their totals exchanged, the last move's target square turned and its code negated,
// the players recomputed from the board, the pawn-file flags and the king squares recomputed.
// Options and the level are copied. `t` is overwritten (its history tables are reused).
void turnPosition(const GameState& g, GameState& t);

// A move of the turned position as a move of the original one.
Move turnBack(const Move& m);

// The computer's move for the side to move of `g` at `level`: levels 1..3 search `g` itself for
// the upper side and the turned position (built in `scratch`) for the lower side; levels 4 and 5
// run the stronger search at their own move time for either side. `found` is false when the
// side has no legal move. The search's own figures (score, candidates) come back in `searched`.
Move computerMove(GameState& g, GameState& scratch, int level, ComPorts& ports, bool& found,
                  ComMove& searched);

// Executes a move the computer chose, as its turn does: 駒移動, the move number, the snapshot, the
// move counter, and the influence maps rebuilt for the new position. The turn is the caller's.
void playComputerMove(GameState& g, Drawing& d, const Move& m);

struct SelfPlayOptions {
    int upperLevel = 3;
    int lowerLevel = 3;
    int maxPlies = 300;
};

struct SelfPlayResult {
    int winner = NO_SIDE;  // the player value of the winner, NO_SIDE when the plies ran out
    int plies = 0;
};

// Hears every executed ply of a self-play game.
class SelfPlayObserver {
public:
    virtual ~SelfPlayObserver() = default;
    virtual void played(int /*ply*/, const Move& /*m*/, const GameState& /*g*/) {}
};

// The computer plays both sides from the position in `g` (its TURN says who moves) until a king is
// captured, the side to move has no legal move (it resigns), or maxPlies plies were played. A game
// already over plays nothing.
SelfPlayResult selfPlay(GameState& g, const SelfPlayOptions& options, SelfPlayObserver& observer);

}  // namespace zorvan
