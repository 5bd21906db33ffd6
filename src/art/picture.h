// The pictures' own vocabulary, free of any toolkit: paths, paints, pens, and a picture as a
// short list of drawing steps. The window replays a picture with Qt's painter, the page with the
// browser's 2D canvas, so every picture of the game is described once, here.
//
// The meanings follow what both painters share: a path's subpaths are filled by their fill rule,
// a gradient is laid out in the coordinates in force when it is drawn, a pen's width is measured
// in those coordinates too, and a drawing step fills before it strokes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace zorvan::art {

struct Colour {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

struct Point {
    double x = 0, y = 0;
};

// An affine map: x' = a x + c y + e, y' = b x + d y + f (the order of the canvas's setTransform
// and of QTransform's m11 m12 m21 m22 dx dy). Composed as Qt composes: translate() and scale()
// act before the map already held.
struct Matrix {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    Matrix& translate(double dx, double dy);
    Matrix& scale(double sx, double sy);
    Point map(Point p) const;
};

// The box of a path: the smallest rectangle holding every point of its lines and curves.
struct Box {
    double left = 0, top = 0, right = 0, bottom = 0;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
    Point centre() const { return {left + width() / 2, top + height() / 2}; }
};

enum class Verb : uint8_t { Move, Line, Cubic, Close };
enum class FillRule : uint8_t { EvenOdd, NonZero };

// Subpaths of lines and cubic curves. Move and Line take one point, Cubic three (two control
// points and the end), Close none. Rounded rectangles and ellipses are made of the same quarter
// curves Qt makes them of.
class Path {
public:
    FillRule rule = FillRule::EvenOdd;
    std::vector<Verb> verbs;
    std::vector<Point> points;

    Path& moveTo(double x, double y);
    Path& lineTo(double x, double y);
    Path& cubicTo(double x1, double y1, double x2, double y2, double x, double y);
    Path& close();
    // Closed subpaths, each begun anew.
    Path& addRect(double x, double y, double w, double h);
    Path& addRoundedRect(double x, double y, double w, double h, double radius);
    Path& addEllipse(double cx, double cy, double rx, double ry);
    Path& addPath(const Path& other);

    bool empty() const { return verbs.empty(); }
    Path transformed(const Matrix& m) const;
    Path translated(double dx, double dy) const;
    Box bounds() const;
};

struct Stop {
    double at = 0;  // 0..1 along the gradient
    Colour colour;
};

// What fills a path: nothing, one colour, or a gradient that holds its end colours beyond its
// ends. A linear gradient runs from `from` to `to`; a radial one from the centre `from` out to
// `radius`. Colours between stops are mixed with their alpha applied (premultiplied), as both
// painters mix them.
struct Paint {
    enum class Kind : uint8_t { None, Solid, Linear, Radial };
    Kind kind = Kind::None;
    Colour colour;
    Point from, to;
    double radius = 0;
    std::vector<Stop> stops;

    static Paint solid(Colour colour);
    static Paint linear(double x0, double y0, double x1, double y1, std::vector<Stop> stops);
    static Paint radial(double cx, double cy, double radius, std::vector<Stop> stops);
};

enum class Cap : uint8_t { Butt, Square, Round };
enum class Join : uint8_t { Miter, Bevel, Round };

// What strokes a path; a width of 0 strokes nothing. The defaults are a plain pen's.
struct Pen {
    double width = 0;
    Colour colour;
    Cap cap = Cap::Square;
    Join join = Join::Bevel;
};

struct Op {
    enum class Kind : uint8_t { Save, Restore, Transform, Draw };
    Kind kind = Kind::Draw;
    Matrix matrix;  // Transform: applied before the map in force
    Path path;      // Draw: the path is filled with `fill`, then stroked with `pen`
    Paint fill;
    Pen pen;
};

// A picture: its drawing steps in order, in the coordinates of its design box.
class Picture {
public:
    void save();
    void restore();
    void transform(const Matrix& m);
    void draw(Path path, Paint fill, Pen pen);
    void fill(Path path, Paint paint) { draw(std::move(path), std::move(paint), Pen{}); }
    void stroke(Path path, Pen pen) { draw(std::move(path), Paint{}, pen); }
    // Another picture drawn here under the map `m`, in a state of its own.
    void append(const Picture& other, const Matrix& m);

    const std::vector<Op>& ops() const { return m_ops; }
    bool empty() const { return m_ops.empty(); }

private:
    std::vector<Op> m_ops;
};

}  // namespace zorvan::art
