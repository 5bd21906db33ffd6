// Chess pieces: our own silhouettes, drawn as paths in a 100 x 100 box and placed on the cell.
#include <QLinearGradient>
#include <QPainterPath>

#include "model/piece.h"
#include "platform/artwork.h"

namespace zorvan {

namespace {

QPainterPath basePlinth() {
    QPainterPath path;
    path.addRoundedRect(QRectF(22, 81, 56, 12), 3, 3);
    path.addRoundedRect(QRectF(29, 75, 42, 8), 2, 2);
    return path;
}

QPainterPath ellipse(double cx, double cy, double rx, double ry) {
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), rx, ry);
    return path;
}

QPainterPath roundedRect(double x, double y, double w, double h, double r) {
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), r, r);
    return path;
}

// The parts of a piece from back to front, and detail strokes drawn over them.
struct Shape {
    QPainterPath parts[6];
    int count = 0;
    QPainterPath details;
    void add(const QPainterPath& part) { parts[count++] = part; }
};

Shape pawn() {
    Shape s;
    QPainterPath body(QPointF(30, 77));
    body.cubicTo(32, 64, 40, 56, 42, 49);
    body.lineTo(58, 49);
    body.cubicTo(60, 56, 68, 64, 70, 77);
    body.closeSubpath();
    s.add(body);
    s.add(roundedRect(34, 42, 32, 8, 4));
    s.add(ellipse(50, 29, 14, 14));
    return s;
}

Shape rook() {
    Shape s;
    QPainterPath body(QPointF(31, 77));
    body.lineTo(36, 42);
    body.lineTo(64, 42);
    body.lineTo(69, 77);
    body.closeSubpath();
    s.add(body);
    QPainterPath top(QPointF(28, 42));
    const QPointF battlements[] = {{28, 14}, {37, 14}, {37, 22}, {45, 22}, {45, 14}, {55, 14},
                                   {55, 22}, {63, 22}, {63, 14}, {72, 14}, {72, 42}};
    for (const QPointF& corner : battlements) top.lineTo(corner);
    top.closeSubpath();
    s.add(top);
    s.add(roundedRect(31, 40, 38, 6, 2));
    s.details.moveTo(30, 30);
    s.details.lineTo(70, 30);
    s.details.moveTo(35, 60);
    s.details.lineTo(65, 60);
    return s;
}

Shape bishop() {
    Shape s;
    QPainterPath body(QPointF(33, 77));
    body.cubicTo(38, 68, 44, 63, 44, 56);
    body.lineTo(56, 56);
    body.cubicTo(56, 63, 62, 68, 67, 77);
    body.closeSubpath();
    s.add(body);
    s.add(roundedRect(35, 50, 30, 8, 3));
    QPainterPath mitre(QPointF(50, 14));
    mitre.cubicTo(63, 23, 67, 36, 62, 46);
    mitre.cubicTo(58, 51, 42, 51, 38, 46);
    mitre.cubicTo(33, 36, 37, 23, 50, 14);
    mitre.closeSubpath();
    s.add(mitre);
    s.add(ellipse(50, 10, 5, 5));
    s.details.moveTo(57, 25);
    s.details.lineTo(47, 37);
    return s;
}

Shape queen() {
    Shape s;
    QPainterPath body(QPointF(31, 77));
    body.cubicTo(36, 64, 40, 54, 38, 44);
    body.lineTo(62, 44);
    body.cubicTo(60, 54, 64, 64, 69, 77);
    body.closeSubpath();
    s.add(body);
    QPainterPath crown(QPointF(32, 48));
    crown.lineTo(20, 20);
    crown.lineTo(36, 36);
    crown.lineTo(38, 13);
    crown.lineTo(47, 33);
    crown.lineTo(50, 9);
    crown.lineTo(53, 33);
    crown.lineTo(62, 13);
    crown.lineTo(64, 36);
    crown.lineTo(80, 20);
    crown.lineTo(68, 48);
    crown.closeSubpath();
    s.add(crown);
    QPainterPath balls;
    for (const QPointF& c :
         {QPointF(20, 19), QPointF(38, 12), QPointF(50, 8), QPointF(62, 12), QPointF(80, 19)})
        balls.addEllipse(c, 4.5, 4.5);
    s.add(balls);
    s.add(roundedRect(33, 45, 34, 7, 3));
    return s;
}

Shape king() {
    Shape s;
    QPainterPath body(QPointF(31, 77));
    body.cubicTo(36, 64, 40, 56, 39, 46);
    body.lineTo(61, 46);
    body.cubicTo(60, 56, 64, 64, 69, 77);
    body.closeSubpath();
    s.add(body);
    QPainterPath crown(QPointF(30, 48));
    crown.cubicTo(20, 32, 34, 22, 50, 31);
    crown.cubicTo(66, 22, 80, 32, 70, 48);
    crown.closeSubpath();
    s.add(crown);
    QPainterPath cross;
    cross.addRect(46, 5, 8, 24);
    cross.addRect(40, 10, 20, 7);
    s.add(cross.simplified());
    s.add(roundedRect(33, 44, 34, 7, 3));
    return s;
}

Shape knight() {
    Shape s;
    QPainterPath head(QPointF(70, 77));
    head.cubicTo(75, 60, 77, 44, 71, 31);
    head.cubicTo(67, 23, 63, 18, 59, 15);
    head.lineTo(57, 4);
    head.lineTo(50, 14);
    head.cubicTo(38, 16, 28, 27, 20, 41);
    head.cubicTo(16, 47, 17, 53, 21, 57);
    head.cubicTo(25, 61, 32, 60, 36, 55);
    head.cubicTo(40, 52, 46, 51, 51, 53);
    head.cubicTo(44, 61, 37, 69, 34, 77);
    head.closeSubpath();
    s.add(head);
    s.details.addEllipse(QPointF(43, 29), 2.6, 2.6);
    s.details.moveTo(63, 21);
    s.details.cubicTo(71, 36, 71, 56, 66, 73);
    return s;
}

Shape shapeOf(int kind) {
    switch (kind) {
        case PORN:
            return pawn();
        case ROOK:
            return rook();
        case BISH:
            return bishop();
        case QEEN:
            return queen();
        case KING:
            return king();
        case KNIG:
            return knight();
        default:
            return {};
    }
}

}  // namespace

bool isChessKind(int kind) {
    return kind == PORN || kind == ROOK || kind == KNIG || kind == BISH || kind == QEEN ||
           kind == KING;
}

void paintChessPiece(QPainter& p, int kind, bool white) {
    if (!isChessKind(kind)) return;
    Shape shape = shapeOf(kind);
    shape.add(basePlinth());
    p.save();
    // The 100-unit box stands on the cell's foot, centred across it.
    const double scale = 0.36;
    p.translate(CELL_DESIGN_W / 2, 39.0);
    p.scale(scale, scale);
    p.translate(-50, -93);

    QLinearGradient fill(25, 10, 75, 90);
    if (white) {
        fill.setColorAt(0, QColor(255, 255, 255));
        fill.setColorAt(1, QColor(214, 208, 196));
    } else {
        fill.setColorAt(0, QColor(86, 84, 82));
        fill.setColorAt(1, QColor(18, 18, 20));
    }
    const QColor edge = white ? QColor(28, 26, 24) : QColor(0, 0, 0);
    const QColor detail = white ? QColor(40, 36, 32) : QColor(210, 206, 198);

    // A soft shadow to lift the piece off the square.
    QPainterPath all;
    for (int i = 0; i < shape.count; ++i) all.addPath(shape.parts[i]);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 16, 0, 70));
    p.drawPath(all.translated(2.5, 2.5));

    p.setPen(QPen(edge, 3.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    for (int i = 0; i < shape.count; ++i) p.drawPath(shape.parts[i]);
    if (!shape.details.isEmpty()) {
        p.setPen(QPen(detail, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(shape.details);
    }
    p.restore();
}

}  // namespace zorvan
