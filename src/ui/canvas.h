// The canvas port: what the drawing procedures need from a window. The platform implements it with
// Qt; tests implement it with recording fakes.
//
// Positions are grid cells of the board grid, fractions allowed: cell (c, r) is the rectangle of
// SQUARE_W by SQUARE_H twips whose top-left corner is (BOARD_LEFT + c*SQUARE_W,
// BOARD_TOP + r*SQUARE_H) (see model/game_state.h); c and r may be negative (the upper hand is
// column -1, the caption area row -2). The platform turns them into twips and pixels.
//
// Colours are indices 0..15 of the 16-colour console palette (0 black, 2 green, 12 light red,
// 14 light yellow, 15 bright white).
#pragma once

#include <string_view>

namespace zorvan {

// Picture identifiers understood by Canvas::picture.
//   EMPTY (0)          the empty square picture
//   -20..-1, 1..20     a piece picture. Shogi kinds: a negative identifier is the lower side's tile
//                      (pointing up the board), a positive one the upper side's (pointing down).
//                      Chess kinds (PORN, ROOK, KNIG, BISH, QEEN, KING): a negative identifier is
//                      the white piece, a positive one the black piece. (The drawing procedures
//                      choose the sign so that the first player's chess pieces are always white.)
//   21                 the title picture (161 by 39 pixels at 15 twips a pixel, i.e. about
//                      4.9 cells wide and 0.95 cell high)
//   22..26             the background tiles: green, tatami, bamboo, space, brick (one cell each)
// Any other identifier paints nothing.
constexpr int PICTURE_TITLE = 21;

class Canvas {
public:
    virtual ~Canvas() = default;

    // Paints picture `picture` (see above) with the given square shade (0 or 1; pieces and the
    // empty square come in a light and a dark version) at grid cell (c, r), top-left aligned, at
    // its own size (one cell for pieces, the empty square and the background tiles).
    virtual void picture(int picture, int shade, double c, double r) = 0;

    // Outlines grid cell (c, r) (a one-pixel rectangle along the cell's edges) in a palette colour.
    virtual void outline(int colour, double c, double r) = 0;

    // Prints UTF-8 text with its top-left corner at grid position (c, r), in a palette colour and
    // a font size in points (10, 12 or 16). All texts use the window's bold font. The canvas
    // draws nothing behind the text: what stood there stays until the cell is painted again.
    virtual void text(double c, double r, std::string_view text, int colour, int size) = 0;

    // Shows what was painted so far at once, even while the game is busy inside one event (the
    // computer's thinking caption, the clock during its search).
    virtual void refresh() = 0;
};

}  // namespace zorvan
