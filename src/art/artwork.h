// The game's pictures, described once for every front end: the two board squares and the lit
// ground of a pressed button, shogi piece tiles of both sides, white and black chess pieces, the
// title lettering and the window icon. (The background tiles are made pixel by pixel: see
// backgrounds.h.)
//
// Every picture is drawn in a design box measured in pixels of the default window scale (15
// twips a pixel): a cell is 33 x 41, the title 161 x 39, the icon 41 x 41. A front end maps the
// box onto the device pixels it wants.
#pragma once

#include "art/picture.h"

namespace zorvan::art {

constexpr double CELL_DESIGN_W = 33.0;
constexpr double CELL_DESIGN_H = 41.0;
constexpr double TITLE_DESIGN_W = 161.0;
constexpr double TITLE_DESIGN_H = 39.0;
constexpr double ICON_DESIGN_SIZE = 41.0;

// Look of a cell's ground: the two board shades, and the lit ground of a pressed dialog button.
enum class Ground { Shade0, Shade1, Pressed };

inline Ground groundOfShade(int shade) {
    return shade == 1 ? Ground::Shade1 : Ground::Shade0;
}

// An empty board square (also the plate under the hand cells and the texts around the board),
// opaque over the whole cell.
Picture squarePicture(Ground ground);

// A shogi piece tile of code (sign = side: negative points up the board, positive is turned
// round); promoted kinds carry their red promoted character. Empty for other codes.
Picture shogiPiecePicture(int code);

// A chess piece of kind (KING, QEEN, ROOK, BISH, KNIG, PORN), white or black.
Picture chessPiecePicture(int kind, bool white);

// The piece of any code on a transparent ground, to lay on a square: a shogi tile, or a chess
// piece (negative codes white, positive black). Empty for EMPTY and every other value.
Picture piecePicture(int code);

// True for the shogi kinds (promoted or not) and the chess kinds.
bool isShogiKind(int kind);
bool isChessKind(int kind);

// The title lettering on a transparent ground.
Picture titlePicture();

// The window icon: the shogi king's tile with a black chess king in front of it.
Picture iconPicture();

}  // namespace zorvan::art
