// The game's pictures, drawn in code so they stay crisp at any window scale: the two board
// squares, shogi piece tiles of both sides, white and black chess pieces, the five background
// tiles and the title lettering.
//
// Every painter function draws into a design box measured in pixels of the default window scale
// (15 twips a pixel): a cell is 33 x 41, the title 161 x 39. The caller scales the painter to the
// device size it wants.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSize>

namespace zorvan {

constexpr double CELL_DESIGN_W = 33.0;
constexpr double CELL_DESIGN_H = 41.0;
constexpr double TITLE_DESIGN_W = 161.0;
constexpr double TITLE_DESIGN_H = 39.0;

// Look of a cell's ground: the two board shades, and the lit ground of a pressed dialog button.
enum class Ground { Shade0, Shade1, Pressed };

inline Ground groundOfShade(int shade) {
    return shade == 1 ? Ground::Shade1 : Ground::Shade0;
}

// An empty board square (also the plate under the hand cells and the texts around the board).
void paintSquare(QPainter& p, Ground ground);

// A shogi piece tile of code (sign = side: negative points up the board, positive is turned
// round); promoted kinds carry their red promoted character. Draws nothing for other codes.
void paintShogiPiece(QPainter& p, int code);

// A chess piece of kind (KING, QEEN, ROOK, BISH, KNIG, PORN), white or black.
void paintChessPiece(QPainter& p, int kind, bool white);

// True for the shogi kinds (promoted or not) and the chess kinds.
bool isShogiKind(int kind);
bool isChessKind(int kind);

// Number of variants of each background tile. Variants share their edges, so any mix of them
// tiles seamlessly; the window picks one per cell so the pattern does not look like a grid.
constexpr int BACKGROUND_VARIANTS = 4;

// True for the background identifiers 22..26.
bool isBackground(int id);

// A background tile (identifiers 22..26) rendered at a device size.
QImage renderBackgroundTile(int id, QSize deviceSize, int variant);

// The title lettering on a transparent ground, in the 161 x 39 design box.
void paintTitle(QPainter& p);

// The window icon: the two kings.
QIcon gameIcon();

}  // namespace zorvan
