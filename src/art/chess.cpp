// Chess pieces: our own silhouettes, drawn as paths in a 100 x 100 box and placed on the cell.
#include "art/artwork.h"
#include "model/piece.h"

namespace zorvan::art {

namespace {

Path basePlinth() {
    Path path;
    path.addRoundedRect(22, 81, 56, 12, 3);
    path.addRoundedRect(29, 75, 42, 8, 2);
    return path;
}

Path ellipse(double cx, double cy, double rx, double ry) {
    return Path().addEllipse(cx, cy, rx, ry);
}

Path roundedRect(double x, double y, double w, double h, double r) {
    return Path().addRoundedRect(x, y, w, h, r);
}

// The parts of a piece from back to front, and detail strokes drawn over them.
struct Shape {
    Path parts[6];
    int count = 0;
    Path details;
    void add(Path part) { parts[count++] = std::move(part); }
};

Shape pawn() {
    Shape s;
    s.add(Path()
              .moveTo(30, 77)
              .cubicTo(32, 64, 40, 56, 42, 49)
              .lineTo(58, 49)
              .cubicTo(60, 56, 68, 64, 70, 77)
              .close());
    s.add(roundedRect(34, 42, 32, 8, 4));
    s.add(ellipse(50, 29, 14, 14));
    return s;
}

Shape rook() {
    Shape s;
    s.add(Path().moveTo(31, 77).lineTo(36, 42).lineTo(64, 42).lineTo(69, 77).close());
    Path top;
    top.moveTo(28, 42);
    const Point battlements[] = {{28, 14}, {37, 14}, {37, 22}, {45, 22}, {45, 14}, {55, 14},
                                 {55, 22}, {63, 22}, {63, 14}, {72, 14}, {72, 42}};
    for (const Point& corner : battlements) top.lineTo(corner.x, corner.y);
    s.add(std::move(top.close()));
    s.add(roundedRect(31, 40, 38, 6, 2));
    s.details.moveTo(30, 30).lineTo(70, 30).moveTo(35, 60).lineTo(65, 60);
    return s;
}

Shape bishop() {
    Shape s;
    s.add(Path()
              .moveTo(33, 77)
              .cubicTo(38, 68, 44, 63, 44, 56)
              .lineTo(56, 56)
              .cubicTo(56, 63, 62, 68, 67, 77)
              .close());
    s.add(roundedRect(35, 50, 30, 8, 3));
    s.add(Path()
              .moveTo(50, 14)
              .cubicTo(63, 23, 67, 36, 62, 46)
              .cubicTo(58, 51, 42, 51, 38, 46)
              .cubicTo(33, 36, 37, 23, 50, 14)
              .close());
    s.add(ellipse(50, 10, 5, 5));
    s.details.moveTo(57, 25).lineTo(47, 37);
    return s;
}

Shape queen() {
    Shape s;
    s.add(Path()
              .moveTo(31, 77)
              .cubicTo(36, 64, 40, 54, 38, 44)
              .lineTo(62, 44)
              .cubicTo(60, 54, 64, 64, 69, 77)
              .close());
    Path crown;
    crown.moveTo(32, 48);
    const Point points[] = {{20, 20}, {36, 36}, {38, 13}, {47, 33}, {50, 9},
                            {53, 33}, {62, 13}, {64, 36}, {80, 20}, {68, 48}};
    for (const Point& p : points) crown.lineTo(p.x, p.y);
    s.add(std::move(crown.close()));
    Path balls;
    for (const Point& c :
         {Point{20, 19}, Point{38, 12}, Point{50, 8}, Point{62, 12}, Point{80, 19}})
        balls.addEllipse(c.x, c.y, 4.5, 4.5);
    s.add(std::move(balls));
    s.add(roundedRect(33, 45, 34, 7, 3));
    return s;
}

Shape king() {
    Shape s;
    s.add(Path()
              .moveTo(31, 77)
              .cubicTo(36, 64, 40, 56, 39, 46)
              .lineTo(61, 46)
              .cubicTo(60, 56, 64, 64, 69, 77)
              .close());
    s.add(Path()
              .moveTo(30, 48)
              .cubicTo(20, 32, 34, 22, 50, 31)
              .cubicTo(66, 22, 80, 32, 70, 48)
              .close());
    // The cross: its upright bar and crossbar as four pieces round the square where they
    // meet, which is left open, each piece outlined.
    Path cross;
    const Point pieces[4][4] = {{{46, 5}, {54, 5}, {54, 10}, {46, 10}},
                                {{54, 10}, {54, 17}, {60, 17}, {60, 10}},
                                {{54, 17}, {54, 29}, {46, 29}, {46, 17}},
                                {{46, 17}, {46, 10}, {40, 10}, {40, 17}}};
    for (const auto& piece : pieces) {
        cross.moveTo(piece[0].x, piece[0].y);
        for (int i = 1; i < 4; ++i) cross.lineTo(piece[i].x, piece[i].y);
        cross.close();
    }
    s.add(std::move(cross));
    s.add(roundedRect(33, 44, 34, 7, 3));
    return s;
}

Shape knight() {
    Shape s;
    s.add(Path()
              .moveTo(70, 77)
              .cubicTo(75, 60, 77, 44, 71, 31)
              .cubicTo(67, 23, 63, 18, 59, 15)
              .lineTo(57, 4)
              .lineTo(50, 14)
              .cubicTo(38, 16, 28, 27, 20, 41)
              .cubicTo(16, 47, 17, 53, 21, 57)
              .cubicTo(25, 61, 32, 60, 36, 55)
              .cubicTo(40, 52, 46, 51, 51, 53)
              .cubicTo(44, 61, 37, 69, 34, 77)
              .close());
    s.details.addEllipse(43, 29, 2.6, 2.6);
    s.details.moveTo(63, 21).cubicTo(71, 36, 71, 56, 66, 73);
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

Picture chessPiecePicture(int kind, bool white) {
    Picture picture;
    if (!isChessKind(kind)) return picture;
    Shape shape = shapeOf(kind);
    shape.add(basePlinth());
    // The 100-unit box stands on the cell's foot, centred across it.
    const double scale = 0.36;
    picture.transform(
        Matrix().translate(CELL_DESIGN_W / 2, 39.0).scale(scale, scale).translate(-50, -93));

    const Paint fill =
        white ? Paint::linear(25, 10, 75, 90, {{0, {255, 255, 255}}, {1, {214, 208, 196}}})
              : Paint::linear(25, 10, 75, 90, {{0, {86, 84, 82}}, {1, {18, 18, 20}}});
    const Colour edge = white ? Colour{28, 26, 24} : Colour{0, 0, 0};
    const Colour detail = white ? Colour{40, 36, 32} : Colour{210, 206, 198};

    // A soft shadow to lift the piece off the square.
    Path all;
    for (int i = 0; i < shape.count; ++i) all.addPath(shape.parts[i]);
    picture.fill(all.translated(2.5, 2.5), Paint::solid({30, 16, 0, 70}));

    const Pen outline{3.4, edge, Cap::Round, Join::Round};
    for (int i = 0; i < shape.count; ++i) picture.draw(shape.parts[i], fill, outline);
    if (!shape.details.empty())
        picture.stroke(shape.details, Pen{2.6, detail, Cap::Round, Join::Round});
    return picture;
}

Picture piecePicture(int code) {
    const int kind = kindOf(code);
    if (code == EMPTY || kind > KIND_COUNT) return {};
    if (isShogiKind(kind)) return shogiPiecePicture(code);
    return chessPiecePicture(kind, code < 0);
}

}  // namespace zorvan::art
