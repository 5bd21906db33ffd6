// A small rasteriser for the pictures made pixel by pixel: an opaque image, onto which shapes are
// laid one after another, each pixel taking as much of a shape as the exact area the shape covers
// in it. Shapes are given in design units, mapped onto the pixels by a scale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "art/picture.h"

namespace zorvan::art {

class Raster {
public:
    // An image of width x height pixels (each at least 1), all of `ground`, onto which design
    // unit (x, y) falls at pixel (x * scaleX, y * scaleY).
    Raster(int width, int height, double scaleX, double scaleY, Colour ground);

    int width() const { return m_width; }
    int height() const { return m_height; }

    // A closed polygon (nonzero rule), filled with a solid colour or a gradient.
    void fillPolygon(const std::vector<Point>& corners, const Paint& paint);
    void fillRect(double x, double y, double w, double h, const Paint& paint);
    void fillEllipse(double cx, double cy, double rx, double ry, const Paint& paint);
    // A straight line of a width with square ends (half the width beyond each end). Under an even
    // scale, a line no wider than a pixel is a hairline, as faint as it is thin (see hairline()).
    void strokeLine(Point from, Point to, double width, Colour colour);

    // The pixel at (x, y) as red, green, blue.
    const uint8_t* pixel(int x, int y) const { return &m_rgb[(size_t(y) * m_width + x) * 3]; }
    uint8_t* pixel(int x, int y) { return &m_rgb[(size_t(y) * m_width + x) * 3]; }

private:
    void hairline(Point a, Point b, Colour colour, double opacity);
    void fillDevicePolygon(const std::vector<Point>& corners, const Paint& paint);
    void addEdge(Point a, Point b);
    void addClippedEdge(Point a, Point b);
    void composite(const Paint& paint);

    int m_width, m_height;
    double m_scaleX, m_scaleY;
    std::vector<uint8_t> m_rgb;
    std::vector<float> m_cover;   // signed area accumulated per pixel, a row of width + 2
    int m_top = 0, m_bottom = 0;  // the rows the shape being laid touches
};

// The colour of a paint at a point (design units), with its alpha applied: r, g, b, a in 0..1.
void paintAt(const Paint& paint, Point p, float out[4]);

}  // namespace zorvan::art
