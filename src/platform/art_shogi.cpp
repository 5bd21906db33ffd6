// Board squares and shogi piece tiles.
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "model/piece.h"
#include "platform/artwork.h"
#include "platform/outline_data.h"

namespace zorvan {

namespace {

struct ShogiFace {
    int kind;
    const char16_t* character;  // one character
    double size;  // tile size relative to the king's: the greater pieces are the larger tiles
    bool promoted;
};

constexpr ShogiFace kFaces[] = {
    {HU, u"歩", 0.86, false},    {HU_N, u"と", 0.86, true},   {KYOU, u"香", 0.89, false},
    {KYOU_N, u"杏", 0.89, true}, {KEI, u"桂", 0.91, false},   {KEI_N, u"圭", 0.91, true},
    {GIN, u"銀", 0.94, false},   {GIN_N, u"全", 0.94, true},  {KIN, u"金", 0.94, false},
    {KAKU, u"角", 0.97, false},  {KAKU_N, u"馬", 0.97, true}, {SYA, u"飛", 0.97, false},
    {SYA_N, u"龍", 0.97, true},  {OU, u"王", 1.0, false},
};

const ShogiFace* faceOf(int kind) {
    for (const ShogiFace& f : kFaces)
        if (f.kind == kind) return &f;
    return nullptr;
}

// Wood grain: a few faint wavy strokes across the cell, the same on every square of a shade.
void paintGrain(QPainter& p, const QColor& colour, double phase) {
    QPen pen(colour, 0.6);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 7; ++i) {
        const double y = 3.0 + i * 5.7 + 1.3 * std::sin(phase + i * 1.7);
        QPainterPath line(QPointF(0, y));
        line.cubicTo(QPointF(11, y - 1.2 * std::sin(phase + i)), QPointF(22, y + 1.4),
                     QPointF(CELL_DESIGN_W, y + 0.6 * std::cos(phase * 2 + i)));
        p.drawPath(line);
    }
}

}  // namespace

bool isShogiKind(int kind) {
    return faceOf(kind) != nullptr;
}

void paintSquare(QPainter& p, Ground ground) {
    const QRectF cell(0, 0, CELL_DESIGN_W, CELL_DESIGN_H);
    p.save();
    p.setPen(Qt::NoPen);
    if (ground == Ground::Pressed) {
        QRadialGradient glow(cell.center(), 26);
        glow.setColorAt(0, QColor(255, 244, 170));
        glow.setColorAt(1, QColor(226, 150, 40));
        p.fillRect(cell, glow);
        p.setPen(QPen(QColor(150, 80, 10), 1.6));
        p.drawRect(cell.adjusted(0.8, 0.8, -0.8, -0.8));
        p.restore();
        return;
    }
    const bool light = ground == Ground::Shade1;
    QLinearGradient wood(0, 0, CELL_DESIGN_W, CELL_DESIGN_H);
    wood.setColorAt(0, light ? QColor(236, 203, 140) : QColor(190, 134, 72));
    wood.setColorAt(1, light ? QColor(226, 188, 120) : QColor(174, 118, 60));
    p.fillRect(cell, wood);
    paintGrain(p, light ? QColor(170, 120, 60, 60) : QColor(100, 60, 20, 70), light ? 0.4 : 2.1);
    p.restore();
}

void paintShogiPiece(QPainter& p, int code) {
    const ShogiFace* face = faceOf(kindOf(code));
    if (!face) return;
    p.save();
    if (code > 0) {  // the upper side's pieces face down the board
        p.translate(CELL_DESIGN_W, CELL_DESIGN_H);
        p.rotate(180);
    }
    const double cx = CELL_DESIGN_W / 2;
    const double base = 38.6;
    const double height = 36.0 * face->size;
    const double half = 13.6 * face->size;
    const double top = base - height;
    QPainterPath tile;
    tile.moveTo(cx, top);
    tile.lineTo(cx + half * 0.74, top + height * 0.17);
    tile.lineTo(cx + half, base);
    tile.lineTo(cx - half, base);
    tile.lineTo(cx - half * 0.74, top + height * 0.17);
    tile.closeSubpath();

    // Shadow, tile body, bevel light and edge.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 20, 0, 90));
    p.drawPath(tile.translated(0.9, 0.9));
    QLinearGradient wood(cx - half, top, cx + half, base);
    wood.setColorAt(0, QColor(252, 234, 188));
    wood.setColorAt(0.55, QColor(240, 210, 148));
    wood.setColorAt(1, QColor(222, 184, 116));
    p.setBrush(wood);
    p.setPen(QPen(QColor(112, 72, 28), 0.7));
    p.drawPath(tile);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 248, 225, 150), 0.6));
    QTransform inset;
    inset.translate(cx, base - height * 0.45);
    inset.scale(0.86, 0.88);
    inset.translate(-cx, -(base - height * 0.45));
    p.drawPath(inset.map(tile));

    // The character, centred in the body of the tile.
    const QPainterPath& glyph = pieceCharacterOutline(face->character[0]);
    const QRectF box = glyph.boundingRect();
    const double glyphSize = 17.5 * face->size;
    const double scale = glyphSize / qMax(box.width(), box.height());
    QTransform place;
    place.translate(cx, top + height * 0.58);
    place.scale(scale, scale);
    place.translate(-box.center().x(), -box.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(face->promoted ? QColor(196, 16, 12) : QColor(24, 16, 10));
    p.drawPath(place.map(glyph));
    p.restore();
}

}  // namespace zorvan
