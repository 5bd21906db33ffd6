// Board squares and shogi piece tiles.
#include <algorithm>
#include <cmath>

#include "art/artwork.h"
#include "art/outline_data.h"
#include "model/piece.h"

namespace zorvan::art {

namespace {

struct ShogiFace {
    int kind;
    char16_t character;
    double size;  // tile size relative to the king's: the greater pieces are the larger tiles
    bool promoted;
};

constexpr ShogiFace kFaces[] = {
    {HU, u'歩', 0.86, false},    {HU_N, u'と', 0.86, true},   {KYOU, u'香', 0.89, false},
    {KYOU_N, u'杏', 0.89, true}, {KEI, u'桂', 0.91, false},   {KEI_N, u'圭', 0.91, true},
    {GIN, u'銀', 0.94, false},   {GIN_N, u'全', 0.94, true},  {KIN, u'金', 0.94, false},
    {KAKU, u'角', 0.97, false},  {KAKU_N, u'馬', 0.97, true}, {SYA, u'飛', 0.97, false},
    {SYA_N, u'龍', 0.97, true},  {OU, u'王', 1.0, false},
};

const ShogiFace* faceOf(int kind) {
    for (const ShogiFace& f : kFaces)
        if (f.kind == kind) return &f;
    return nullptr;
}

// Wood grain: a few faint wavy strokes across the cell, the same on every square of a shade.
void addGrain(Picture& picture, Colour colour, double phase) {
    const Pen pen{0.6, colour};
    for (int i = 0; i < 7; ++i) {
        const double y = 3.0 + i * 5.7 + 1.3 * std::sin(phase + i * 1.7);
        Path line;
        line.moveTo(0, y).cubicTo(11, y - 1.2 * std::sin(phase + i), 22, y + 1.4, CELL_DESIGN_W,
                                  y + 0.6 * std::cos(phase * 2 + i));
        picture.stroke(std::move(line), pen);
    }
}

}  // namespace

bool isShogiKind(int kind) {
    return faceOf(kind) != nullptr;
}

Picture squarePicture(Ground ground) {
    Picture picture;
    Path cell;
    cell.addRect(0, 0, CELL_DESIGN_W, CELL_DESIGN_H);
    if (ground == Ground::Pressed) {
        picture.fill(cell, Paint::radial(CELL_DESIGN_W / 2, CELL_DESIGN_H / 2, 26,
                                         {{0, {255, 244, 170}}, {1, {226, 150, 40}}}));
        Path rim;
        rim.addRect(0.8, 0.8, CELL_DESIGN_W - 0.8 - 0.8, CELL_DESIGN_H - 0.8 - 0.8);
        picture.stroke(std::move(rim), Pen{1.6, {150, 80, 10}});
        return picture;
    }
    const bool light = ground == Ground::Shade1;
    picture.fill(cell, Paint::linear(0, 0, CELL_DESIGN_W, CELL_DESIGN_H,
                                     {{0, light ? Colour{236, 203, 140} : Colour{190, 134, 72}},
                                      {1, light ? Colour{226, 188, 120} : Colour{174, 118, 60}}}));
    addGrain(picture, light ? Colour{170, 120, 60, 60} : Colour{100, 60, 20, 70},
             light ? 0.4 : 2.1);
    return picture;
}

Picture shogiPiecePicture(int code) {
    Picture picture;
    const ShogiFace* face = faceOf(kindOf(code));
    if (!face) return picture;
    if (code > 0) {  // the upper side's pieces face down the board
        picture.transform(Matrix().translate(CELL_DESIGN_W, CELL_DESIGN_H).scale(-1, -1));
    }
    const double cx = CELL_DESIGN_W / 2;
    const double base = 38.6;
    const double height = 36.0 * face->size;
    const double half = 13.6 * face->size;
    const double top = base - height;
    Path tile;
    tile.moveTo(cx, top)
        .lineTo(cx + half * 0.74, top + height * 0.17)
        .lineTo(cx + half, base)
        .lineTo(cx - half, base)
        .lineTo(cx - half * 0.74, top + height * 0.17)
        .close();

    // Shadow, tile body, bevel light and edge.
    picture.fill(tile.translated(0.9, 0.9), Paint::solid({40, 20, 0, 90}));
    picture.draw(
        tile,
        Paint::linear(cx - half, top, cx + half, base,
                      {{0, {252, 234, 188}}, {0.55, {240, 210, 148}}, {1, {222, 184, 116}}}),
        Pen{0.7, {112, 72, 28}});
    const double bevelY = base - height * 0.45;
    picture.stroke(
        tile.transformed(Matrix().translate(cx, bevelY).scale(0.86, 0.88).translate(-cx, -bevelY)),
        Pen{0.6, {255, 248, 225, 150}});

    // The character, centred in the body of the tile.
    const Path& glyph = pieceCharacterOutline(face->character);
    const Box box = glyph.bounds();
    const double glyphSize = 17.5 * face->size;
    const double scale = glyphSize / std::max(box.width(), box.height());
    const Matrix place = Matrix()
                             .translate(cx, top + height * 0.58)
                             .scale(scale, scale)
                             .translate(-box.centre().x, -box.centre().y);
    picture.fill(glyph.transformed(place),
                 Paint::solid(face->promoted ? Colour{196, 16, 12} : Colour{24, 16, 10}));
    return picture;
}

}  // namespace zorvan::art
