// The pictures described once for both front ends (src/art): path geometry, where every picture
// lies, the background tiles' edges, and the JSON the page's painter reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "art/art_json.h"
#include "art/artwork.h"
#include "art/backgrounds.h"
#include "model/game_state.h"

namespace zorvan::art {
namespace {

Point cubicAt(Point p0, Point p1, Point p2, Point p3, double t) {
    const double u = 1 - t;
    return {u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
            u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y};
}

// The box of a path's curves, found by walking them in small steps.
Box sampledBounds(const Path& path) {
    Box box{1e9, 1e9, -1e9, -1e9};
    const auto take = [&box](Point p) {
        box.left = std::min(box.left, p.x);
        box.right = std::max(box.right, p.x);
        box.top = std::min(box.top, p.y);
        box.bottom = std::max(box.bottom, p.y);
    };
    size_t at = 0;
    Point last;
    for (Verb verb : path.verbs) {
        if (verb == Verb::Move || verb == Verb::Line) {
            last = path.points[at++];
            take(last);
        } else if (verb == Verb::Cubic) {
            for (int i = 0; i <= 20000; ++i)
                take(cubicAt(last, path.points[at], path.points[at + 1], path.points[at + 2],
                             i / 20000.0));
            last = path.points[at + 2];
            at += 3;
        }
    }
    return box;
}

TEST(ArtPath, BoundsHoldTheCurvesNotTheirControlPoints) {
    const Path shapes[] = {
        Path().moveTo(0, 0).cubicTo(10, -8, 20, 8, 30, 0),  // an S past both ends
        Path().moveTo(5, 5).cubicTo(5, 40, 40, 40, 40, 5),  // a bowl
        Path().addEllipse(50, 29, 14, 9),
        Path().addRoundedRect(22, 81, 56, 12, 3),
        Path().moveTo(1, 1).lineTo(4, 9).cubicTo(0, 0, 9, 9, 2, 3).close(),
    };
    for (const Path& path : shapes) {
        const Box exact = path.bounds(), sampled = sampledBounds(path);
        EXPECT_NEAR(exact.left, sampled.left, 1e-6);
        EXPECT_NEAR(exact.top, sampled.top, 1e-6);
        EXPECT_NEAR(exact.right, sampled.right, 1e-6);
        EXPECT_NEAR(exact.bottom, sampled.bottom, 1e-6);
    }
}

TEST(ArtPath, RoundedRectanglesAndEllipsesFillTheirBoxes) {
    struct Case {
        Path path;
        Box box;
        size_t verbs;
    };
    const Case cases[] = {
        {Path().addRoundedRect(34, 42, 32, 8, 4), {34, 42, 66, 50}, 8},  // straight sides gone
        {Path().addRoundedRect(22, 81, 56, 12, 3), {22, 81, 78, 93}, 9},
        {Path().addRoundedRect(0, 0, 10, 4, 9), {0, 0, 10, 4}, 6},  // radius held to the box
        {Path().addRoundedRect(1, 2, 3, 4, 0), {1, 2, 4, 6}, 5},    // a plain rectangle
        {Path().addEllipse(43, 29, 2.6, 2.6), {40.4, 26.4, 45.6, 31.6}, 6},
    };
    for (const Case& c : cases) {
        const Box b = c.path.bounds();
        EXPECT_NEAR(b.left, c.box.left, 1e-9);
        EXPECT_NEAR(b.top, c.box.top, 1e-9);
        EXPECT_NEAR(b.right, c.box.right, 1e-9);
        EXPECT_NEAR(b.bottom, c.box.bottom, 1e-9);
        EXPECT_EQ(c.path.verbs.size(), c.verbs);
        EXPECT_EQ(c.path.verbs.front(), Verb::Move);
        EXPECT_EQ(c.path.verbs.back(), Verb::Close);
    }
}

// The box every drawing step of a picture reaches, its maps applied, a pen's half width around.
Box reach(const Picture& picture) {
    Box box{1e9, 1e9, -1e9, -1e9};
    std::vector<Matrix> saved;
    Matrix m;
    for (const Op& op : picture.ops()) {
        switch (op.kind) {
            case Op::Kind::Save:
                saved.push_back(m);
                break;
            case Op::Kind::Restore:
                m = saved.back();
                saved.pop_back();
                break;
            case Op::Kind::Transform: {
                const Matrix& t = op.matrix;
                Matrix next;
                next.a = t.a * m.a + t.b * m.c;
                next.b = t.a * m.b + t.b * m.d;
                next.c = t.c * m.a + t.d * m.c;
                next.d = t.c * m.b + t.d * m.d;
                next.e = t.e * m.a + t.f * m.c + m.e;
                next.f = t.e * m.b + t.f * m.d + m.f;
                m = next;
                break;
            }
            case Op::Kind::Draw: {
                const Box b = op.path.transformed(m).bounds();
                const double pen = op.pen.width / 2 * std::sqrt(std::abs(m.a * m.d - m.b * m.c));
                box.left = std::min(box.left, b.left - pen);
                box.top = std::min(box.top, b.top - pen);
                box.right = std::max(box.right, b.right + pen);
                box.bottom = std::max(box.bottom, b.bottom + pen);
                break;
            }
        }
    }
    EXPECT_TRUE(saved.empty()) << "every kept state is brought back";
    return box;
}

TEST(ArtPictures, EveryPieceStaysInsideItsCell) {
    for (int code = -KIND_COUNT; code <= KIND_COUNT; ++code) {
        if (code == EMPTY) continue;
        const Picture picture = piecePicture(code);
        ASSERT_FALSE(picture.empty()) << code;
        const Box b = reach(picture);
        EXPECT_GE(b.left, 0) << code;
        EXPECT_GE(b.top, 0) << code;
        EXPECT_LE(b.right, CELL_DESIGN_W) << code;
        EXPECT_LE(b.bottom, CELL_DESIGN_H) << code;
        // A piece fills a good part of its cell, whichever way it faces.
        EXPECT_GT(b.width() * b.height(), CELL_DESIGN_W * CELL_DESIGN_H / 3) << code;
    }
    for (int code : {EMPTY, KIND_COUNT + 1, -KIND_COUNT - 1, 64})
        EXPECT_TRUE(piecePicture(code).empty()) << code;
}

TEST(ArtPictures, TheUpperSideFacesDownTheBoardOnTheSameTile) {
    for (int kind : {HU, KYOU_N, SYA_N, OU}) {
        const Box up = reach(piecePicture(-kind)), down = reach(piecePicture(kind));
        // Turned about the cell's centre.
        EXPECT_NEAR(down.left, CELL_DESIGN_W - up.right, 1e-9) << kind;
        EXPECT_NEAR(down.top, CELL_DESIGN_H - up.bottom, 1e-9) << kind;
    }
    // A chess piece's colour changes its paint, never its shape.
    const Box white = reach(piecePicture(-KNIG)), black = reach(piecePicture(KNIG));
    EXPECT_EQ(white.left, black.left);
    EXPECT_EQ(white.bottom, black.bottom);
}

TEST(ArtPictures, SquaresTitleAndIconFillTheirBoxes) {
    struct Case {
        const char* name;
        Picture picture;
        double w, h;
    };
    const Case cases[] = {
        {"square 0", squarePicture(Ground::Shade0), CELL_DESIGN_W, CELL_DESIGN_H},
        {"square 1", squarePicture(Ground::Shade1), CELL_DESIGN_W, CELL_DESIGN_H},
        {"pressed", squarePicture(Ground::Pressed), CELL_DESIGN_W, CELL_DESIGN_H},
        {"title", titlePicture(), TITLE_DESIGN_W, TITLE_DESIGN_H},
        {"icon", iconPicture(), ICON_DESIGN_SIZE, ICON_DESIGN_SIZE},
    };
    for (const Case& c : cases) {
        const Box b = reach(c.picture);
        // Strokes may run off the edges, where the box cuts them.
        EXPECT_GE(b.left, -1) << c.name;
        EXPECT_GE(b.top, -1) << c.name;
        EXPECT_LE(b.right, c.w + 1) << c.name;
        EXPECT_LE(b.bottom, c.h + 1) << c.name;
        EXPECT_GT(b.width(), c.w * 0.8) << c.name;
    }
    // A square is opaque: its first step fills the whole cell with a paint of no transparency.
    for (Ground g : {Ground::Shade0, Ground::Shade1, Ground::Pressed}) {
        const Picture square = squarePicture(g);
        const Op& first = square.ops().front();
        const Box b = first.path.bounds();
        EXPECT_EQ(b.width(), CELL_DESIGN_W);
        EXPECT_EQ(b.height(), CELL_DESIGN_H);
        for (const Stop& s : first.fill.stops) EXPECT_EQ(s.colour.a, 255);
    }
}

std::vector<uint8_t> tile(int id, int variant, int w, int h) {
    std::vector<uint8_t> rgba(size_t(w) * h * 4, 0);
    renderBackground(id, variant, w, h, rgba.data());
    return rgba;
}

// True where a pixel of a w x h tile lies on the tile's border, where neighbours meet. The
// brick courses that start at the edge hold whole bricks of each variant's own colour, so there
// only the courses whose bricks run across the side edges count.
bool onSeam(int id, int x, int y, int w, int h) {
    if (id != BG_RENGA) return x == 0 || y == 0 || x == w - 1 || y == h - 1;
    const double course = (y + 0.5) / h * 4;  // 0..4
    const bool crossing =
        int(course) % 2 == 1 && course - int(course) > 0.2 && course - int(course) < 0.8;
    return crossing && (x == 0 || x == w - 1);
}

// Variants differ only away from the edges, so any two meet without a seam: along the border
// they differ by no more than the grain laid over every pixel.
TEST(ArtBackgrounds, VariantsShareTheirEdges) {
    for (int id = BG_MIDORI; id <= BG_RENGA; ++id)
        for (const auto& [w, h] : {std::pair{33, 41}, std::pair{66, 82}, std::pair{46, 57}}) {
            std::vector<std::vector<uint8_t>> variants;
            for (int v = 0; v < BACKGROUND_VARIANTS; ++v) variants.push_back(tile(id, v, w, h));
            int seamPixels = 0, interiorDifferences = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const bool seam = onSeam(id, x, y, w, h);
                    seamPixels += seam;
                    const size_t at = (size_t(y) * w + x) * 4;
                    for (int v = 1; v < BACKGROUND_VARIANTS; ++v)
                        for (int k = 0; k < 3; ++k) {
                            const int d = std::abs(variants[v][at + k] - variants[0][at + k]);
                            if (seam)
                                ASSERT_LE(d, 10)
                                    << id << " variant " << v << " at " << x << "," << y;
                            else if (d > 10)
                                ++interiorDifferences;
                        }
                }
            EXPECT_GT(seamPixels, h / 2) << id;
            if (id != BG_MIDORI) {  // the baize has no features of its own, only grain
                EXPECT_GT(interiorDifferences, 0) << id << ": the variants look alike";
            }
        }
}

TEST(ArtBackgrounds, TilesAreOpaqueRepeatableAndMadeAtAnySize) {
    for (int id : {BG_MIDORI, BG_TATAMI, BG_TAKE, BG_UCHU, BG_RENGA, 0, 99})
        for (const auto& [w, h] : {std::pair{1, 1}, std::pair{3, 200}, std::pair{150, 2}}) {
            const std::vector<uint8_t> a = tile(id, 2, w, h);
            EXPECT_EQ(a, tile(id, 2, w, h)) << id;
            for (size_t i = 3; i < a.size(); i += 4) ASSERT_EQ(a[i], 255) << id;
        }
    // Out of range: the baize (with a grain of its own), and the nearest variant.
    const std::vector<uint8_t> other = tile(99, 0, 33, 41), baize = tile(BG_MIDORI, 0, 33, 41);
    for (size_t i = 0; i < other.size(); ++i) ASSERT_NEAR(other[i], baize[i], 10) << i;
    EXPECT_EQ(tile(BG_UCHU, 9, 33, 41), tile(BG_UCHU, 3, 33, 41));
    EXPECT_EQ(tile(BG_UCHU, -2, 33, 41), tile(BG_UCHU, 0, 33, 41));
    // The tiles are the ones described: the baize green, the night sky.
    EXPECT_NEAR(baize[(20 * 33 + 5) * 4 + 1], 104, 6);
    const std::vector<uint8_t> sky = tile(BG_UCHU, 1, 33, 41);
    EXPECT_LT(sky[2], 40);
}

// The steps as the page's painter reads them (the format of art_json.h).
TEST(ArtJson, StepsAreWrittenInThePaintersFormat) {
    struct Case {
        const char* name;
        Picture picture;
        const char* json;
    };
    std::vector<Case> cases;
    {
        Picture p;
        p.fill(Path().addRect(0, 0, 2, 1.5), Paint::solid({1, 2, 3, 4}));
        cases.push_back({"fill", p,
                         R"([["draw","evenodd",[0,0,0,1,2,0,1,2,1.5,1,0,1.5,3],)"
                         R"(["solid",1,2,3,4],null]])"});
    }
    {
        Picture p;
        Path line;
        line.rule = FillRule::NonZero;
        p.stroke(line.moveTo(-0.25, 1.0 / 3).cubicTo(1, 2, 3, 4, 5, 6),
                 Pen{2.6, {9, 8, 7}, Cap::Round, Join::Round});
        cases.push_back({"stroke", p,
                         R"([["draw","nonzero",[0,-0.25,0.3333,2,1,2,3,4,5,6],null,)"
                         R"([2.6,9,8,7,255,"round","round"]]])"});
    }
    {
        Picture inner;
        inner.fill(Path().moveTo(0, 0).lineTo(1, 0).lineTo(0, 1).close(),
                   Paint::radial(1, 2, 26, {{0, {255, 244, 170}}, {1, {226, 150, 40, 0}}}));
        Picture p;
        p.append(inner, Matrix().translate(33, 41).scale(-1, -1));
        cases.push_back({"nested", p,
                         R"([["save"],["transform",-1,0,0,-1,33,41],)"
                         R"(["draw","evenodd",[0,0,0,1,1,0,1,0,1,3],)"
                         R"(["radial",1,2,26,[[0,255,244,170,255],[1,226,150,40,0]]],null],)"
                         R"(["restore"]])"});
    }
    {
        Picture p;
        p.draw(Path().moveTo(0, 0).lineTo(1, 1),
               Paint::linear(0, 6, 0, 31, {{0.45, {240, 196, 76}}}), Pen{0.9, {74, 40, 6}});
        cases.push_back({"linear", p,
                         R"([["draw","evenodd",[0,0,0,1,1,1],)"
                         R"(["linear",0,6,0,31,[[0.45,240,196,76,255]]],)"
                         R"([0.9,74,40,6,255,"square","bevel"]]])"});
    }
    for (const Case& c : cases) EXPECT_EQ(pictureJson(c.picture), c.json) << c.name;
}

TEST(ArtJson, EveryPictureIsWrittenWithFiniteNumbers) {
    const std::string json = artworkJson();
    for (int code = -KIND_COUNT; code <= KIND_COUNT; ++code)
        if (code != EMPTY) {
            // Built by append: GCC 12's -Wrestrict misreads "literal" + std::string at -O3.
            std::string key = "\"";
            key += std::to_string(code);
            key += "\":[[";
            EXPECT_NE(json.find(key), std::string::npos) << code;
        }
    for (const char* key : {"\"grounds\":[", "\"titlePicture\":[", "\"iconPicture\":[",
                            "\"cell\":[33,41]", "\"title\":[161,39]", "\"format\":1"})
        EXPECT_NE(json.find(key), std::string::npos) << key;
    EXPECT_EQ(json.find("nan"), std::string::npos);
    EXPECT_EQ(json.find("inf"), std::string::npos);
    EXPECT_EQ(std::count(json.begin(), json.end(), '['), std::count(json.begin(), json.end(), ']'));
    EXPECT_EQ(std::count(json.begin(), json.end(), '{'), std::count(json.begin(), json.end(), '}'));
}

}  // namespace
}  // namespace zorvan::art
