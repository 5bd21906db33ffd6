#include "art/raster.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace zorvan::art {

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

void paintAt(const Paint& paint, Point p, float out[4]) {
    const auto premultiplied = [out](const Colour& c) {
        const float a = c.a / 255.0f;
        out[0] = c.r / 255.0f * a;
        out[1] = c.g / 255.0f * a;
        out[2] = c.b / 255.0f * a;
        out[3] = a;
    };
    if (paint.kind == Paint::Kind::None) {
        out[0] = out[1] = out[2] = out[3] = 0;
        return;
    }
    if (paint.kind == Paint::Kind::Solid || paint.stops.empty()) {
        premultiplied(paint.colour);
        return;
    }
    double t;
    if (paint.kind == Paint::Kind::Linear) {
        const double dx = paint.to.x - paint.from.x, dy = paint.to.y - paint.from.y;
        const double length2 = dx * dx + dy * dy;
        t = length2 > 0 ? ((p.x - paint.from.x) * dx + (p.y - paint.from.y) * dy) / length2 : 0;
    } else {
        t = paint.radius > 0 ? std::hypot(p.x - paint.from.x, p.y - paint.from.y) / paint.radius
                             : 1;
    }
    const std::vector<Stop>& stops = paint.stops;
    if (t <= stops.front().at) return premultiplied(stops.front().colour);
    if (t >= stops.back().at) return premultiplied(stops.back().colour);
    size_t i = 0;
    while (i + 2 < stops.size() && t >= stops[i + 1].at) ++i;
    float a[4], b[4];
    premultiplied(stops[i].colour);
    std::copy(out, out + 4, a);
    premultiplied(stops[i + 1].colour);
    std::copy(out, out + 4, b);
    const double span = stops[i + 1].at - stops[i].at;
    const float f = span > 0 ? float((t - stops[i].at) / span) : 1.0f;
    for (int k = 0; k < 4; ++k) out[k] = a[k] + (b[k] - a[k]) * f;
}

Raster::Raster(int width, int height, double scaleX, double scaleY, Colour ground)
    : m_width(std::max(width, 1)),
      m_height(std::max(height, 1)),
      m_scaleX(scaleX),
      m_scaleY(scaleY),
      m_rgb(size_t(m_width) * m_height * 3),
      m_cover(size_t(m_width + 2) * m_height, 0.0f) {
    for (size_t i = 0; i < m_rgb.size(); i += 3) {
        m_rgb[i] = ground.r;
        m_rgb[i + 1] = ground.g;
        m_rgb[i + 2] = ground.b;
    }
}

// An edge in pixels. The parts left and right of the image are laid along its sides, where they
// still count for the winding of the pixels inside.
void Raster::addEdge(Point a, Point b) {
    const double w = m_width;
    std::vector<double> cuts{0.0, 1.0};
    if (a.x != b.x) {
        for (double side : {0.0, w}) {
            const double t = (side - a.x) / (b.x - a.x);
            if (t > 0 && t < 1) cuts.push_back(t);
        }
    }
    std::sort(cuts.begin(), cuts.end());
    const auto at = [&](double t) {
        return Point{std::clamp(a.x + (b.x - a.x) * t, 0.0, w), a.y + (b.y - a.y) * t};
    };
    for (size_t i = 0; i + 1 < cuts.size(); ++i) addClippedEdge(at(cuts[i]), at(cuts[i + 1]));
}

// Accumulates the signed area an edge (x within the image) adds to each pixel of its rows; a
// running sum along a row then gives each pixel's covered area.
void Raster::addClippedEdge(Point a, Point b) {
    if (a.y == b.y) return;
    const double dir = a.y < b.y ? 1.0 : -1.0;
    const Point top = a.y < b.y ? a : b, bottom = a.y < b.y ? b : a;
    const double dxdy = (bottom.x - top.x) / (bottom.y - top.y);
    double x = top.x, y0 = top.y;
    if (y0 < 0) {
        x -= y0 * dxdy;
        y0 = 0;
    }
    const double y1 = std::min(bottom.y, double(m_height));
    if (y0 >= y1) return;
    const int first = int(std::floor(y0)), last = int(std::ceil(y1));
    m_top = std::min(m_top, first);
    m_bottom = std::max(m_bottom, last);
    const size_t stride = size_t(m_width) + 2;
    for (int y = first; y < last; ++y) {
        float* row = &m_cover[size_t(y) * stride];
        const double dy = std::min(double(y + 1), y1) - std::max(double(y), y0);
        const double xnext = x + dxdy * dy;
        const double d = dy * dir;
        const double x0 = std::min(x, xnext), x1 = std::max(x, xnext);
        const double x0floor = std::floor(x0);
        const int x0i = int(x0floor);
        const int x1i = int(std::ceil(x1));
        if (x1i <= x0i + 1) {
            const double xmf = 0.5 * (x + xnext) - x0floor;
            row[x0i] += float(d - d * xmf);
            row[x0i + 1] += float(d * xmf);
        } else {
            const double s = 1.0 / (x1 - x0);
            const double x0f = x0 - x0floor;
            const double a0 = 0.5 * s * (1 - x0f) * (1 - x0f);
            const double x1f = x1 - x1i + 1;
            const double am = 0.5 * s * x1f * x1f;
            row[x0i] += float(d * a0);
            if (x1i == x0i + 2) {
                row[x0i + 1] += float(d * (1 - a0 - am));
            } else {
                const double a1 = s * (1.5 - x0f);
                row[x0i + 1] += float(d * (a1 - a0));
                for (int xi = x0i + 2; xi < x1i - 1; ++xi) row[xi] += float(d * s);
                const double a2 = a1 + (x1i - x0i - 3) * s;
                row[x1i - 1] += float(d * (1 - a2 - am));
            }
            row[x1i] += float(d * am);
        }
        x = xnext;
    }
}

// Lays the shape accumulated so far onto the image and clears it.
void Raster::composite(const Paint& paint) {
    const size_t stride = size_t(m_width) + 2;
    for (int y = m_top; y < m_bottom; ++y) {
        float* row = &m_cover[size_t(y) * stride];
        double sum = 0;
        for (int x = 0; x < m_width; ++x) {
            sum += row[x];
            const double cover = std::min(1.0, std::abs(sum));
            if (cover < 1.0 / 512) continue;
            float colour[4];
            paintAt(paint, {(x + 0.5) / m_scaleX, (y + 0.5) / m_scaleY}, colour);
            const double keep = 1 - colour[3] * cover;
            uint8_t* p = pixel(x, y);
            for (int k = 0; k < 3; ++k)
                p[k] = uint8_t(
                    std::clamp(std::lround(p[k] * keep + colour[k] * cover * 255), 0L, 255L));
        }
        std::fill(row, row + stride, 0.0f);
    }
    m_top = m_height;
    m_bottom = 0;
}

void Raster::fillPolygon(const std::vector<Point>& corners, const Paint& paint) {
    std::vector<Point> device = corners;
    for (Point& p : device) p = {p.x * m_scaleX, p.y * m_scaleY};
    fillDevicePolygon(device, paint);
}

void Raster::fillDevicePolygon(const std::vector<Point>& corners, const Paint& paint) {
    if (corners.size() < 3) return;
    m_top = m_height;
    m_bottom = 0;
    for (size_t i = 0; i < corners.size(); ++i)
        addEdge(corners[i], corners[(i + 1) % corners.size()]);
    composite(paint);
}

void Raster::fillRect(double x, double y, double w, double h, const Paint& paint) {
    fillPolygon({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, paint);
}

void Raster::fillEllipse(double cx, double cy, double rx, double ry, const Paint& paint) {
    // Enough corners that no side strays a tenth of a pixel from the curve.
    const double radius = std::max(rx * m_scaleX, ry * m_scaleY);
    const int sides = std::clamp(
        int(std::ceil(kPi / std::acos(1 - std::min(0.1 / std::max(radius, 0.1), 1.0)))), 12, 256);
    std::vector<Point> corners;
    corners.reserve(size_t(sides));
    for (int i = 0; i < sides; ++i) {
        const double angle = 2 * kPi * i / sides;
        corners.push_back({cx + rx * std::cos(angle), cy + ry * std::sin(angle)});
    }
    fillPolygon(corners, paint);
}

void Raster::strokeLine(Point from, Point to, double width, Colour colour) {
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    if (length == 0) return;
    const bool even = std::abs(m_scaleX - m_scaleY) <= 1e-12 * std::max(m_scaleX, m_scaleY);
    const double deviceWidth = width * m_scaleX;
    if (even && deviceWidth <= 1) {
        hairline({from.x * m_scaleX, from.y * m_scaleY}, {to.x * m_scaleX, to.y * m_scaleY}, colour,
                 std::floor(256 * deviceWidth) / 256);
        return;
    }
    const double half = width / 2;
    const double ux = dx / length * half, uy = dy / length * half;  // along, half the width
    fillPolygon({{from.x - ux + uy, from.y - uy - ux},
                 {to.x + ux + uy, to.y + uy - ux},
                 {to.x + ux - uy, to.y + uy + ux},
                 {from.x - ux - uy, from.y - uy + ux}},
                Paint::solid(colour));
}

// Under an even scale, Qt's painter draws a line no wider than a pixel as a hairline: a pixel wide
// across the way it mostly runs, taken at the far edge of each pixel step along it and shared by
// the two nearest pixels, reaching half a pixel beyond each end, its colour weakened by its width.
// Drawn the same way here, the tiles keep the look they have always had in the window.
void Raster::hairline(Point a, Point b, Colour colour, double opacity) {
    const bool down = std::abs(b.x - a.x) < std::abs(b.y - a.y);  // runs mostly up and down
    // Along (major) and across (minor) coordinates.
    double a0 = down ? a.y : a.x, a1 = down ? a.x : a.y;
    double b0 = down ? b.y : b.x, b1 = down ? b.x : b.y;
    if (a0 > b0) {
        std::swap(a0, b0);
        std::swap(a1, b1);
    }
    const int alongSize = down ? m_height : m_width, acrossSize = down ? m_width : m_height;
    const double slope = (b1 - a1) / (b0 - a0);
    const double from = a0 - 0.5, to = b0 + 0.5;
    const double strength = colour.a / 255.0 * opacity;
    const auto blend = [&](int along, int across, double amount) {
        if (across < 0 || across >= acrossSize || amount <= 0) return;
        uint8_t* p = down ? pixel(across, along) : pixel(along, across);
        const double alpha = strength * amount;
        const uint8_t rgb[3] = {colour.r, colour.g, colour.b};
        for (int k = 0; k < 3; ++k)
            p[k] = uint8_t(std::clamp(std::lround(p[k] * (1 - alpha) + rgb[k] * alpha), 0L, 255L));
    };
    for (int i = std::max(0, int(std::floor(from))); i < std::min(alongSize, int(std::ceil(to)));
         ++i) {
        const double along = std::min(i + 1.0, to) - std::max(double(i), from);
        const double centre = a1 + slope * (i + 1 - a0) - 0.5;
        const double first = std::floor(centre), share = centre - first;
        blend(i, int(first), along * (1 - share));
        blend(i, int(first) + 1, along * share);
    }
}

}  // namespace zorvan::art
