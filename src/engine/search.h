// The computer's search: one ply over every legal board move and drop of the upper side, each
// scored by the board evaluation. A pure computation over the GameState (every candidate is tried
// on BOARD and put back); executing the chosen move is the caller's business.
#pragma once

#include "model/game_state.h"

namespace zorvan {

// Best score before any candidate.
constexpr double SCORE_NONE = -99999;

// The move the computer chose. A drop has fromX = -1 and fromY = the hand slot; `after` differs
// from `before` when the move promotes. When no legal move exists every field stays 0 and the
// score SCORE_NONE.
struct ComMove {
    int fromX = 0;
    int fromY = 0;
    int toX = 0;
    int toY = 0;
    int before = EMPTY;
    int after = EMPTY;
    double score = SCORE_NONE;
    int candidates = 0;  // positions scored by the evaluation during the search

    bool exists() const { return before != EMPTY; }
};

// What the search tells the world while it thinks. Every method does nothing by default: the window
// shows the thinking caption and keeps the clock running; the command-line tool lists the scores.
class ComPorts {
public:
    virtual ~ComPorts() = default;
    // Before anything else: start the clock of the computer's move and show the thinking caption.
    virtual void beginThinking() {}
    // After the snapshots: repaint so that the caption shows.
    virtual void captionReady() {}
    // Once per origin column and once per hand slot: the clock tick.
    virtual void tick() {}
    // Every scored candidate, in the order of the search: `code` is what stands on (toX, toY).
    virtual void scored(int /*fromX*/, int /*fromY*/, int /*toX*/, int /*toY*/, int /*before*/,
                        int /*code*/, double /*score*/) {}
};

// The opening of the computer's turn: BEST_SCORE reset, the board snapshot, the surveys (two-pawn
// flags, influence, the person's king's flight squares, bishop-drop check squares, pinned pieces)
// and the snapshots of the influence maps the evaluation compares with.
void prepareSearch(GameState& g);

// The computer's turn without its execution: opening surveys and snapshots, board moves, then
// drops, and the best candidate (ties go to the first found). Leaves BOARD as it found it and
// PICK[BEST_SCORE] at the best score; the influence maps are those of the last candidate.
ComMove comSearch(GameState& g, ComPorts& ports);

// The same without ports.
ComMove comSearch(GameState& g);

}  // namespace zorvan
