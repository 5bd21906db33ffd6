// TEMPORARY: declarations of procedures that other parts of the game provide, with the
// signatures they will have. Removed as soon as those parts are in the tree.
#pragma once

#include "model/game_state.h"

namespace zorvan {

class Drawing;

int 移動チェック(const GameState& g, int fromX, int fromY, int toX, int toY, int code);
int 調査_駒成(GameState& g, int fromX, int fromY, int toX, int toY, int code);
int 移動後チェック(const GameState& g, int toY, int code);
int 調査_駒成人選(const GameState& g, int fromX, int fromY, int toX, int toY, int code);
void 調査_2歩フラグ設定(GameState& g);
void 調査_先手後手(GameState& g);
void 駒移動(GameState& g, Drawing& d, int fromX, int fromY, int toX, int toY, int code);
void 手順保存(GameState& g, int fromX, int fromY, int toX, int toY, int codeBefore, int codeAfter,
              int captured, double lowerBefore, double lowerAfter, double upperBefore,
              double upperAfter);
void 勢力調査(GameState& g);
int 詰めかCOM(GameState& g);
int 詰めかMAN(GameState& g);

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
