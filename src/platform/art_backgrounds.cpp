// The five background tiles: green baize, tatami, a bamboo fence, space and brick. Each tile is
// one cell; variants differ only away from the edges (stars, brick faces, bamboo nodes), so any
// neighbours meet without a seam.
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/game_state.h"
#include "platform/artwork.h"

namespace zorvan {

namespace {

constexpr double W = CELL_DESIGN_W;
constexpr double H = CELL_DESIGN_H;

// A small integer hash giving repeatable "random" values for texture.
uint32_t hash3(uint32_t a, uint32_t b, uint32_t c) {
    uint32_t h =
        a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

double unit(uint32_t h) {
    return (h & 0xFFFFFF) / double(0x1000000);
}

// Adds fine grain to every pixel: +-amount on each channel, the same on all three.
void addNoise(QImage& image, int amount, uint32_t key) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int d =
                int(hash3(uint32_t(x), uint32_t(y), key) % uint32_t(2 * amount + 1)) - amount;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255),
                           std::clamp(qBlue(c) + d, 0, 255));
        }
    }
}

void paintBaize(QPainter& p) {
    p.fillRect(QRectF(0, 0, W, H), QColor(28, 104, 52));
    // A faint woven diamond that closes on the tile's edges.
    p.setPen(QPen(QColor(255, 255, 255, 14), 0.8));
    p.drawLine(QPointF(0, 0), QPointF(W, H));
    p.drawLine(QPointF(W, 0), QPointF(0, H));
}

void paintTatami(QPainter& p, int variant) {
    p.fillRect(QRectF(0, 0, W, H), QColor(186, 184, 112));
    // Rushes: 20 rows of woven straw across the tile.
    const int rows = 20;
    const double rh = H / rows;
    for (int i = 0; i < rows; ++i) {
        QLinearGradient rush(0, i * rh, 0, (i + 1) * rh);
        const int tint = (i % 2) ? 8 : 0;
        rush.setColorAt(0, QColor(150 + tint, 150 + tint, 84));
        rush.setColorAt(0.45, QColor(206 + tint, 202 + tint, 132));
        rush.setColorAt(1, QColor(160 + tint, 158 + tint, 90));
        p.fillRect(QRectF(0, i * rh, W, rh), rush);
    }
    // Warp threads, and a dry rush here and there.
    p.setPen(QPen(QColor(110, 104, 56, 110), 0.5));
    p.drawLine(QPointF(0.25, 0), QPointF(0.25, H));
    p.drawLine(QPointF(W / 2, 0), QPointF(W / 2, H));
    const int dry = 2 + int(hash3(uint32_t(variant), 7, 1) % 16);
    p.fillRect(QRectF(2, dry * rh + rh * 0.3, W - 4, rh * 0.4), QColor(222, 210, 150, 90));
}

void paintBamboo(QPainter& p, int variant) {
    p.fillRect(QRectF(0, 0, W, H), QColor(40, 36, 16));
    // One culm per tile, side by side like a fence.
    const double left = 1.4, right = W - 1.4;
    QLinearGradient culm(left, 0, right, 0);
    culm.setColorAt(0, QColor(56, 80, 24));
    culm.setColorAt(0.28, QColor(140, 166, 72));
    culm.setColorAt(0.45, QColor(110, 138, 50));
    culm.setColorAt(1, QColor(40, 60, 16));
    p.fillRect(QRectF(left, 0, right - left, H), culm);
    // A node at a height that changes from tile to tile.
    const double node = 8 + 24 * unit(hash3(uint32_t(variant), 3, 9));
    QLinearGradient ring(0, node - 1.6, 0, node + 1.6);
    ring.setColorAt(0, QColor(40, 58, 14, 0));
    ring.setColorAt(0.45, QColor(40, 58, 14, 200));
    ring.setColorAt(0.6, QColor(214, 226, 150, 200));
    ring.setColorAt(1, QColor(214, 226, 150, 0));
    p.fillRect(QRectF(left, node - 1.6, right - left, 3.2), ring);
    p.setPen(QPen(QColor(255, 255, 220, 40), 0.6));
    p.drawLine(QPointF(left + 8, 0), QPointF(left + 8, H));
}

void paintSpace(QPainter& p, int variant) {
    p.fillRect(QRectF(0, 0, W, H), QColor(6, 8, 26));
    // Stars kept away from the edges so the tiles meet on plain sky.
    const int stars = 4 + int(hash3(uint32_t(variant), 1, 2) % 4);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < stars; ++i) {
        const double x = 2 + (W - 4) * unit(hash3(uint32_t(variant), uint32_t(i), 11));
        const double y = 2 + (H - 4) * unit(hash3(uint32_t(variant), uint32_t(i), 12));
        const double bright = unit(hash3(uint32_t(variant), uint32_t(i), 13));
        const double r = 0.35 + 0.55 * bright;
        const int warm = int(60 * unit(hash3(uint32_t(variant), uint32_t(i), 14)));
        p.setBrush(QColor(255 - warm / 2, 240, 200 + warm, int(130 + 125 * bright)));
        p.drawEllipse(QPointF(x, y), r, r);
    }
    if (variant == 0) {  // now and then a bright star with a glow
        QRadialGradient glow(QPointF(W * 0.62, H * 0.36), 5);
        glow.setColorAt(0, QColor(200, 220, 255, 200));
        glow.setColorAt(1, QColor(120, 150, 255, 0));
        p.setBrush(glow);
        p.drawEllipse(QPointF(W * 0.62, H * 0.36), 5, 5);
        p.setPen(QPen(QColor(230, 240, 255, 200), 0.35));
        p.drawLine(QPointF(W * 0.62 - 4, H * 0.36), QPointF(W * 0.62 + 4, H * 0.36));
        p.drawLine(QPointF(W * 0.62, H * 0.36 - 4), QPointF(W * 0.62, H * 0.36 + 4));
    }
}

void paintBrick(QPainter& p, int variant) {
    const QColor mortar(176, 166, 150);
    p.fillRect(QRectF(0, 0, W, H), mortar);
    const int courses = 4;
    const double ch = H / courses;
    const double joint = 1.3;
    for (int c = 0; c < courses; ++c) {
        const double y = c * ch;
        // Even courses: one whole brick; odd courses: a brick split by the tile's edge.
        const double offset = (c % 2) ? W / 2 : 0.0;
        for (int b = -1; b <= 1; ++b) {
            const double x = offset + b * W;
            const QRectF face(x + joint / 2, y + joint / 2, W - joint, ch - joint);
            if (!face.intersects(QRectF(0, 0, W, H))) continue;
            // A brick across the edge belongs to two tiles: it keeps one colour in all variants.
            const bool shared = face.left() < 0 || face.right() > W;
            const uint32_t key = shared ? hash3(99, uint32_t(c), 5)
                                        : hash3(uint32_t(variant), uint32_t(c), uint32_t(b + 7));
            const double shade = unit(key);
            const QColor base(int(150 + 40 * shade), int(58 + 22 * shade), int(40 + 14 * shade));
            QLinearGradient light(0, face.top(), 0, face.bottom());
            light.setColorAt(0, base.lighter(112));
            light.setColorAt(1, base.darker(118));
            p.fillRect(face, light);
        }
    }
}

}  // namespace

bool isBackground(int id) {
    return id >= BG_MIDORI && id <= BG_RENGA;
}

QImage renderBackgroundTile(int id, QSize deviceSize, int variant) {
    QImage image(deviceSize.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(image.width() / W, image.height() / H);
    variant = std::clamp(variant, 0, BACKGROUND_VARIANTS - 1);
    switch (id) {
        case BG_TATAMI:
            paintTatami(p, variant);
            break;
        case BG_TAKE:
            paintBamboo(p, variant);
            break;
        case BG_UCHU:
            paintSpace(p, variant);
            break;
        case BG_RENGA:
            paintBrick(p, variant);
            break;
        default:
            paintBaize(p);
            break;
    }
    p.end();
    const int grain = id == BG_UCHU ? 2 : (id == BG_MIDORI ? 5 : 4);
    addNoise(image, grain, uint32_t(id * 16 + variant));
    return image;
}

}  // namespace zorvan
