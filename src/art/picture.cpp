#include "art/picture.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace zorvan::art {

namespace {

// The length of a quarter circle's control arms, as a fraction of the radius.
constexpr double kKappa = 0.5522847498;

// Widens `box` to hold the extremes of one coordinate of a cubic curve between its ends.
void curveExtremes(double p0, double p1, double p2, double p3, double& low, double& high) {
    // The derivative is 3 (a t^2 + b t + c); its roots in (0, 1) are the turning points.
    const double a = -p0 + 3 * p1 - 3 * p2 + p3;
    const double b = 2 * (p0 - 2 * p1 + p2);
    const double c = p1 - p0;
    const auto take = [&](double t) {
        if (!(t > 0 && t < 1)) return;
        const double u = 1 - t;
        const double v = u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
        low = std::min(low, v);
        high = std::max(high, v);
    };
    if (std::abs(a) < 1e-12) {
        if (std::abs(b) > 1e-12) take(-c / b);
        return;
    }
    const double disc = b * b - 4 * a * c;
    if (disc < 0) return;
    const double root = std::sqrt(disc);
    take((-b + root) / (2 * a));
    take((-b - root) / (2 * a));
}

}  // namespace

Matrix& Matrix::translate(double dx, double dy) {
    e += dx * a + dy * c;
    f += dx * b + dy * d;
    return *this;
}

Matrix& Matrix::scale(double sx, double sy) {
    a *= sx;
    b *= sx;
    c *= sy;
    d *= sy;
    return *this;
}

Point Matrix::map(Point p) const {
    return {a * p.x + c * p.y + e, b * p.x + d * p.y + f};
}

Path& Path::moveTo(double x, double y) {
    verbs.push_back(Verb::Move);
    points.push_back({x, y});
    return *this;
}

Path& Path::lineTo(double x, double y) {
    verbs.push_back(Verb::Line);
    points.push_back({x, y});
    return *this;
}

Path& Path::cubicTo(double x1, double y1, double x2, double y2, double x, double y) {
    verbs.push_back(Verb::Cubic);
    points.push_back({x1, y1});
    points.push_back({x2, y2});
    points.push_back({x, y});
    return *this;
}

Path& Path::close() {
    verbs.push_back(Verb::Close);
    return *this;
}

Path& Path::addRect(double x, double y, double w, double h) {
    return moveTo(x, y).lineTo(x + w, y).lineTo(x + w, y + h).lineTo(x, y + h).close();
}

// Clockwise from the top of the left edge: four quarter curves joined by the straight edges
// (an edge of no length left out).
Path& Path::addRoundedRect(double x, double y, double w, double h, double radius) {
    const double rx = std::min(radius, w / 2), ry = std::min(radius, h / 2);
    if (rx <= 0 || ry <= 0) return addRect(x, y, w, h);
    const double kx = rx * kKappa, ky = ry * kKappa;
    const double right = x + w - 2 * rx, bottom = y + h - 2 * ry;  // the far corners' boxes
    const auto lineIfApart = [this](double px, double py) {
        const Point last = points.back();
        if (last.x != px || last.y != py) lineTo(px, py);
    };
    moveTo(x, y + ry);
    cubicTo(x, y + ry - ky, x + rx - kx, y, x + rx, y);
    lineIfApart(right + rx, y);
    cubicTo(right + rx + kx, y, right + 2 * rx, y + ry - ky, right + 2 * rx, y + ry);
    lineIfApart(right + 2 * rx, bottom + ry);
    cubicTo(right + 2 * rx, bottom + ry + ky, right + rx + kx, bottom + 2 * ry, right + rx,
            bottom + 2 * ry);
    lineIfApart(x + rx, bottom + 2 * ry);
    cubicTo(x + rx - kx, bottom + 2 * ry, x, bottom + ry + ky, x, bottom + ry);
    return close();
}

// Clockwise (in y-down coordinates) from the rightmost point.
Path& Path::addEllipse(double cx, double cy, double rx, double ry) {
    const double x = cx - rx, y = cy - ry, w = 2 * rx, h = 2 * ry;
    const double w2 = w / 2, h2 = h / 2, w2k = w2 * kKappa, h2k = h2 * kKappa;
    moveTo(x + w, y + h2);
    cubicTo(x + w, y + h2 + h2k, x + w2 + w2k, y + h, x + w2, y + h);
    cubicTo(x + w2 - w2k, y + h, x, y + h2 + h2k, x, y + h2);
    cubicTo(x, y + h2 - h2k, x + w2 - w2k, y, x + w2, y);
    cubicTo(x + w2 + w2k, y, x + w, y + h2 - h2k, x + w, y + h2);
    return close();
}

Path& Path::addPath(const Path& other) {
    verbs.insert(verbs.end(), other.verbs.begin(), other.verbs.end());
    points.insert(points.end(), other.points.begin(), other.points.end());
    return *this;
}

Path Path::transformed(const Matrix& m) const {
    Path out = *this;
    for (Point& p : out.points) p = m.map(p);
    return out;
}

Path Path::translated(double dx, double dy) const {
    Path out = *this;
    for (Point& p : out.points) p = {p.x + dx, p.y + dy};
    return out;
}

Box Path::bounds() const {
    if (points.empty()) return {};
    Box box{points[0].x, points[0].y, points[0].x, points[0].y};
    const auto take = [&box](Point p) {
        box.left = std::min(box.left, p.x);
        box.right = std::max(box.right, p.x);
        box.top = std::min(box.top, p.y);
        box.bottom = std::max(box.bottom, p.y);
    };
    size_t at = 0;
    for (Verb verb : verbs) {
        switch (verb) {
            case Verb::Move:
            case Verb::Line:
                take(points[at++]);
                break;
            case Verb::Cubic: {
                const Point p0 = at > 0 ? points[at - 1] : points[at];
                const Point p1 = points[at], p2 = points[at + 1], p3 = points[at + 2];
                take(p3);
                curveExtremes(p0.x, p1.x, p2.x, p3.x, box.left, box.right);
                curveExtremes(p0.y, p1.y, p2.y, p3.y, box.top, box.bottom);
                at += 3;
                break;
            }
            case Verb::Close:
                break;
        }
    }
    return box;
}

Paint Paint::solid(Colour colour) {
    Paint p;
    p.kind = Kind::Solid;
    p.colour = colour;
    return p;
}

Paint Paint::linear(double x0, double y0, double x1, double y1, std::vector<Stop> stops) {
    Paint p;
    p.kind = Kind::Linear;
    p.from = {x0, y0};
    p.to = {x1, y1};
    p.stops = std::move(stops);
    return p;
}

Paint Paint::radial(double cx, double cy, double radius, std::vector<Stop> stops) {
    Paint p;
    p.kind = Kind::Radial;
    p.from = {cx, cy};
    p.to = {cx, cy};
    p.radius = radius;
    p.stops = std::move(stops);
    return p;
}

void Picture::save() {
    Op op;
    op.kind = Op::Kind::Save;
    m_ops.push_back(std::move(op));
}

void Picture::restore() {
    Op op;
    op.kind = Op::Kind::Restore;
    m_ops.push_back(std::move(op));
}

void Picture::transform(const Matrix& m) {
    Op op;
    op.kind = Op::Kind::Transform;
    op.matrix = m;
    m_ops.push_back(std::move(op));
}

void Picture::draw(Path path, Paint fill, Pen pen) {
    Op op;
    op.kind = Op::Kind::Draw;
    op.path = std::move(path);
    op.fill = std::move(fill);
    op.pen = pen;
    m_ops.push_back(std::move(op));
}

void Picture::append(const Picture& other, const Matrix& m) {
    save();
    transform(m);
    m_ops.insert(m_ops.end(), other.m_ops.begin(), other.m_ops.end());
    restore();
}

}  // namespace zorvan::art
