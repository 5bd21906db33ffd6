// Each background tile is one cell; variants differ only away from the edges (stars, brick
// faces, bamboo nodes), so any neighbours meet without a seam.
#include "art/backgrounds.h"

#include <algorithm>
#include <cmath>

#include "art/artwork.h"
#include "art/raster.h"
#include "model/game_state.h"

namespace zorvan::art {

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

// A colour's brightness (its HSV value) scaled by factor, hue and saturation kept.
Colour brighter(Colour c, double factor) {
    const auto scaled = [factor](uint8_t v) {
        return uint8_t(std::min(255L, std::lround(v * factor)));
    };
    return {scaled(c.r), scaled(c.g), scaled(c.b), c.a};
}

// Adds fine grain to every pixel: +-amount on each channel, the same on all three.
void addNoise(Raster& image, int amount, uint32_t key) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int d =
                int(hash3(uint32_t(x), uint32_t(y), key) % uint32_t(2 * amount + 1)) - amount;
            uint8_t* p = image.pixel(x, y);
            for (int k = 0; k < 3; ++k) p[k] = uint8_t(std::clamp(p[k] + d, 0, 255));
        }
}

void paintBaize(Raster& r) {
    r.fillRect(0, 0, W, H, Paint::solid({28, 104, 52}));
    // A faint woven diamond that closes on the tile's edges.
    r.strokeLine({0, 0}, {W, H}, 0.8, {255, 255, 255, 14});
    r.strokeLine({W, 0}, {0, H}, 0.8, {255, 255, 255, 14});
}

void paintTatami(Raster& r, int variant) {
    r.fillRect(0, 0, W, H, Paint::solid({186, 184, 112}));
    // Rushes: 20 rows of woven straw across the tile.
    const int rows = 20;
    const double rh = H / rows;
    for (int i = 0; i < rows; ++i) {
        const uint8_t tint = (i % 2) ? 8 : 0;
        r.fillRect(0, i * rh, W, rh,
                   Paint::linear(0, i * rh, 0, (i + 1) * rh,
                                 {{0, {uint8_t(150 + tint), uint8_t(150 + tint), 84}},
                                  {0.45, {uint8_t(206 + tint), uint8_t(202 + tint), 132}},
                                  {1, {uint8_t(160 + tint), uint8_t(158 + tint), 90}}}));
    }
    // Warp threads, and a dry rush here and there.
    r.strokeLine({0.25, 0}, {0.25, H}, 0.5, {110, 104, 56, 110});
    r.strokeLine({W / 2, 0}, {W / 2, H}, 0.5, {110, 104, 56, 110});
    const int dry = 2 + int(hash3(uint32_t(variant), 7, 1) % 16);
    r.fillRect(2, dry * rh + rh * 0.3, W - 4, rh * 0.4, Paint::solid({222, 210, 150, 90}));
}

void paintBamboo(Raster& r, int variant) {
    r.fillRect(0, 0, W, H, Paint::solid({40, 36, 16}));
    // One culm per tile, side by side like a fence.
    const double left = 1.4, right = W - 1.4;
    r.fillRect(left, 0, right - left, H,
               Paint::linear(left, 0, right, 0,
                             {{0, {56, 80, 24}},
                              {0.28, {140, 166, 72}},
                              {0.45, {110, 138, 50}},
                              {1, {40, 60, 16}}}));
    // A node at a height that changes from tile to tile.
    const double node = 8 + 24 * unit(hash3(uint32_t(variant), 3, 9));
    r.fillRect(left, node - 1.6, right - left, 3.2,
               Paint::linear(0, node - 1.6, 0, node + 1.6,
                             {{0, {40, 58, 14, 0}},
                              {0.45, {40, 58, 14, 200}},
                              {0.6, {214, 226, 150, 200}},
                              {1, {214, 226, 150, 0}}}));
    r.strokeLine({left + 8, 0}, {left + 8, H}, 0.6, {255, 255, 220, 40});
}

void paintSpace(Raster& r, int variant) {
    r.fillRect(0, 0, W, H, Paint::solid({6, 8, 26}));
    // Stars kept away from the edges so the tiles meet on plain sky.
    const int stars = 4 + int(hash3(uint32_t(variant), 1, 2) % 4);
    for (int i = 0; i < stars; ++i) {
        const double x = 2 + (W - 4) * unit(hash3(uint32_t(variant), uint32_t(i), 11));
        const double y = 2 + (H - 4) * unit(hash3(uint32_t(variant), uint32_t(i), 12));
        const double bright = unit(hash3(uint32_t(variant), uint32_t(i), 13));
        const double radius = 0.35 + 0.55 * bright;
        const int warm = int(60 * unit(hash3(uint32_t(variant), uint32_t(i), 14)));
        if (200 + warm > 255) continue;  // bluer than blue: this sky has never shown it
        r.fillEllipse(x, y, radius, radius,
                      Paint::solid({uint8_t(255 - warm / 2), 240, uint8_t(200 + warm),
                                    uint8_t(130 + 125 * bright)}));
    }
    if (variant == 0) {  // now and then a bright star with a glow
        const Point star{W * 0.62, H * 0.36};
        r.fillEllipse(
            star.x, star.y, 5, 5,
            Paint::radial(star.x, star.y, 5, {{0, {200, 220, 255, 200}}, {1, {120, 150, 255, 0}}}));
        r.strokeLine({star.x - 4, star.y}, {star.x + 4, star.y}, 0.35, {230, 240, 255, 200});
        r.strokeLine({star.x, star.y - 4}, {star.x, star.y + 4}, 0.35, {230, 240, 255, 200});
    }
}

void paintBrick(Raster& r, int variant) {
    r.fillRect(0, 0, W, H, Paint::solid({176, 166, 150}));  // mortar
    const int courses = 4;
    const double ch = H / courses;
    const double joint = 1.3;
    for (int c = 0; c < courses; ++c) {
        const double y = c * ch;
        // Even courses: one whole brick; odd courses: a brick split by the tile's edge.
        const double offset = (c % 2) ? W / 2 : 0.0;
        for (int b = -1; b <= 1; ++b) {
            const double left = offset + b * W + joint / 2, right = left + W - joint;
            if (right <= 0 || left >= W) continue;
            // A brick across the edge belongs to two tiles: it keeps one colour in all variants.
            const bool shared = left < 0 || right > W;
            const uint32_t key = shared ? hash3(99, uint32_t(c), 5)
                                        : hash3(uint32_t(variant), uint32_t(c), uint32_t(b + 7));
            const double shade = unit(key);
            const Colour base{uint8_t(150 + 40 * shade), uint8_t(58 + 22 * shade),
                              uint8_t(40 + 14 * shade)};
            const double top = y + joint / 2, bottom = top + ch - joint;
            r.fillRect(left, top, right - left, bottom - top,
                       Paint::linear(0, top, 0, bottom,
                                     {{0, brighter(base, 1.12)}, {1, brighter(base, 1 / 1.18)}}));
        }
    }
}

}  // namespace

bool isBackground(int id) {
    return id >= BG_MIDORI && id <= BG_RENGA;
}

void renderBackground(int id, int variant, int width, int height, uint8_t* rgba) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    Raster r(width, height, width / W, height / H, {0, 0, 0});
    variant = std::clamp(variant, 0, BACKGROUND_VARIANTS - 1);
    switch (id) {
        case BG_TATAMI:
            paintTatami(r, variant);
            break;
        case BG_TAKE:
            paintBamboo(r, variant);
            break;
        case BG_UCHU:
            paintSpace(r, variant);
            break;
        case BG_RENGA:
            paintBrick(r, variant);
            break;
        default:
            paintBaize(r);
            break;
    }
    const int grain = id == BG_UCHU ? 2 : (id == BG_MIDORI ? 5 : 4);
    addNoise(r, grain, uint32_t(id * 16 + variant));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = r.pixel(x, y);
            uint8_t* out = rgba + (size_t(y) * width + x) * 4;
            out[0] = p[0];
            out[1] = p[1];
            out[2] = p[2];
            out[3] = 255;
        }
}

}  // namespace zorvan::art
