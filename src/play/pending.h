// TEMPORARY: declarations of procedures that other parts of the game provide, with the
// signatures they will have. Removed as soon as those parts are in the tree.
#pragma once

#include "model/game_state.h"
#include "rules/mate.h"

namespace zorvan {

constexpr double SCORE_NONE = -99999;
struct ComMove {
    int fromX = 0;
    int fromY = 0;
    int toX = 0;
    int toY = 0;
    int before = EMPTY;
    int after = EMPTY;
    double score = SCORE_NONE;
    int candidates = 0;
    bool exists() const { return before != EMPTY; }
};
class ComPorts {
public:
    virtual ~ComPorts() = default;
    virtual void beginThinking() {}
    virtual void captionReady() {}
    virtual void tick() {}
    virtual void scored(int, int, int, int, int, int, double) {}
};
ComMove comSearch(GameState& g, ComPorts& ports);

}  // namespace zorvan
