#include "ui/drawing.h"

namespace zorvan {

// The bodies below are the minimal versions; the window work fills in the full procedures.

void Drawing::描画_絵(int picture, double x, double y) {
    if (!m_canvas) return;
    const bool square = x >= 1 && x <= 9 && y >= 1 && y <= 9 && x == static_cast<int>(x) &&
                        y == static_cast<int>(y);
    const int shade = square ? m_g.SQUARE_SHADE[static_cast<int>(x)][static_cast<int>(y)] : 0;
    m_canvas->picture(picture, shade, x, y);
}

void Drawing::描画_絵駒(int shade, int code, double x, double y) {
    if (m_canvas) m_canvas->picture(code, shade, x, y);
}

void Drawing::描画_桝輪郭(int colour, double x, double y) {
    if (m_canvas) m_canvas->outline(colour, x, y);
}

void Drawing::描画_自持盤() {}

void Drawing::描画_敵持盤() {}

}  // namespace zorvan
