// The game's drawing procedures, painting the state of one game on a Canvas. Without a canvas
// (the command-line tool, most tests) every procedure does nothing.
#pragma once

#include "model/game_state.h"
#include "ui/canvas.h"

namespace zorvan {

class Drawing {
public:
    explicit Drawing(GameState& g, Canvas* canvas = nullptr) : m_g(g), m_canvas(canvas) {}
    void setCanvas(Canvas* canvas) { m_canvas = canvas; }
    Canvas* canvas() const { return m_canvas; }

    void 描画_絵(int picture, double x, double y);            // paint one cell
    void 描画_絵駒(int shade, int code, double x, double y);  // paint a piece picture
    void 描画_桝輪郭(int colour, double x, double y);         // outline one cell
    void 描画_自持盤();                                       // paint the lower hand
    void 描画_敵持盤();                                       // paint the upper hand

private:
    GameState& m_g;
    Canvas* m_canvas;
};

}  // namespace zorvan
