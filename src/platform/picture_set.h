// The game's pictures rendered at one window scale and kept, so painting a cell is only a copy.
// The set is rebuilt lazily whenever the scale changes.
#pragma once

#include <QImage>
#include <functional>
#include <unordered_map>

namespace zorvan {

// Picture size in twips: one grid cell, and the title.
constexpr double CELL_TWIPS_W = 495.0;
constexpr double CELL_TWIPS_H = 615.0;
constexpr double TITLE_TWIPS_W = 2415.0;
constexpr double TITLE_TWIPS_H = 585.0;

class PictureSet {
public:
    // Device pixels per twip. A change empties the cache.
    void setScale(double devicePixelsPerTwip);
    double scale() const { return m_scale; }

    // The cell picture of `picture` with square shade 0 or 1: EMPTY is the empty square, a shogi
    // code its tile (negative pointing up the board), a chess code its piece (negative codes are
    // the white pieces, positive the black ones), 22..26 a background tile (variant 0..3). Any
    // other value gives the empty square. Sized ceil(cell * scale), so it covers any cell.
    const QImage& cell(int picture, int shade, int variant = 0);

    // A dialog button's lit picture of a chess code (shown while it is pressed).
    const QImage& pressed(int code);

    // The title picture (transparent around the lettering).
    const QImage& title();

    // Number of pictures held since the last scale change (for tests of the cache).
    int renderedCount() const { return static_cast<int>(m_cache.size()); }

private:
    QSize cellSize() const;
    const QImage& cached(int key, const std::function<QImage()>& make);
    const QImage& ground(int ground);
    const QImage& layer(int code);
    const QImage& compose(int code, int ground);

    double m_scale = 1.0 / 15.0;
    std::unordered_map<int, QImage> m_cache;
    int m_background = 0;  // the background whose tiles are kept (0: none yet)
};

}  // namespace zorvan
