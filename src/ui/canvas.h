// The canvas port: what the drawing procedures need from a window. The platform implements it with
// Qt; tests implement it with recording fakes. Positions are grid cells (see the screen geometry in
// model/game_state.h); the platform turns them into twips and pixels.
#pragma once

namespace zorvan {

class Canvas {
public:
    virtual ~Canvas() = default;
    // Paints picture `picture` (a piece code, a background or title identifier, or EMPTY for an
    // empty square) with the given square shade (0 or 1) at grid cell (c, r), top-left aligned.
    virtual void picture(int picture, int shade, double c, double r) = 0;
    // Outlines grid cell (c, r) in a palette colour.
    virtual void outline(int colour, double c, double r) = 0;
};

}  // namespace zorvan
