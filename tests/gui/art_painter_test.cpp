// The window's painter for the pictures described in src/art: it replays their steps as they are
// meant (kept states, maps, fill rules, fill before stroke) and shows the background tiles made
// pixel by pixel unchanged.
#include "platform/art_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <vector>

#include "art/artwork.h"
#include "art/backgrounds.h"
#include "model/game_state.h"

namespace zorvan {
namespace {

QImage drawn(const art::Picture& picture, double scale = 1) {
    QImage image(int(20 * scale), int(20 * scale), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(scale, scale);
    paintPicture(p, picture);
    return image;
}

TEST(ArtPainter, KeptStatesAndMapsApplyToTheStepsBetweenThem) {
    art::Picture picture;
    picture.save();
    picture.transform(art::Matrix().translate(10, 0).scale(2, 1));
    picture.fill(art::Path().addRect(0, 0, 4, 5), art::Paint::solid({255, 0, 0}));
    picture.restore();
    picture.fill(art::Path().addRect(0, 10, 5, 5), art::Paint::solid({0, 0, 255, 128}));
    for (double scale : {1.0, 2.0}) {
        const QImage image = drawn(picture, scale);
        const auto at = [&](int x, int y) { return image.pixel(int(x * scale), int(y * scale)); };
        EXPECT_EQ(at(17, 2), qRgb(255, 0, 0)) << "drawn under the map, stretched";
        EXPECT_EQ(qAlpha(at(2, 2)), 0) << "not where it would be without the map";
        EXPECT_EQ(qBlue(at(2, 12)), qAlpha(at(2, 12))) << "after the state is brought back, no map";
        EXPECT_NEAR(qAlpha(at(2, 12)), 128, 1);
    }
}

TEST(ArtPainter, FillRulesAndPensAreTheStepsOwn) {
    // Two squares one inside the other, drawn the same way round.
    art::Path nested = art::Path().addRect(2, 2, 16, 16).addRect(6, 6, 8, 8);
    struct Case {
        art::FillRule rule;
        bool holeFilled;
    };
    for (const Case& c :
         {Case{art::FillRule::EvenOdd, false}, Case{art::FillRule::NonZero, true}}) {
        nested.rule = c.rule;
        art::Picture picture;
        picture.draw(nested, art::Paint::solid({0, 128, 0}), art::Pen{});
        const QImage image = drawn(picture);
        EXPECT_EQ(qAlpha(image.pixel(10, 10)) == 255, c.holeFilled);
        EXPECT_EQ(image.pixel(4, 10), qRgb(0, 128, 0));
    }
    // The pen strokes after the fill, over it; no pen strokes nothing.
    art::Picture picture;
    picture.draw(art::Path().addRect(4, 4, 12, 12), art::Paint::solid({255, 255, 255}),
                 art::Pen{2, {0, 0, 0}, art::Cap::Square, art::Join::Miter});
    picture.draw(art::Path().addRect(0, 0, 3, 3), art::Paint::solid({255, 0, 0}), art::Pen{});
    const QImage image = drawn(picture);
    EXPECT_EQ(image.pixel(10, 4), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(2, 1), qRgb(255, 0, 0)) << "the fill reaches the edge, no pen beyond";
    EXPECT_EQ(qAlpha(image.pixel(3, 1)), 0);
}

TEST(ArtPainter, BackgroundTilesAreTheRasterisersPixels) {
    for (int id = BG_MIDORI; id <= BG_RENGA; ++id) {
        const QSize size(46, 57);
        const QImage tile = renderBackgroundTile(id, size, 1);
        ASSERT_EQ(tile.size(), size);
        EXPECT_EQ(tile.format(), QImage::Format_RGB32);
        std::vector<uint8_t> rgba(size_t(size.width()) * size.height() * 4);
        art::renderBackground(id, 1, size.width(), size.height(), rgba.data());
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const uint8_t* p = &rgba[(size_t(y) * size.width() + x) * 4];
                ASSERT_EQ(tile.pixel(x, y), qRgb(p[0], p[1], p[2])) << id << " " << x << "," << y;
            }
    }
    EXPECT_EQ(renderBackgroundTile(BG_UCHU, QSize(0, -3), 0).size(), QSize(1, 1));
}

TEST(ArtPainter, TheIconComesInTheUsualSizes) {
    const QIcon icon = gameIcon();
    EXPECT_EQ(icon.availableSizes().size(), 7);
    const QImage small = icon.pixmap(16).toImage();
    ASSERT_FALSE(small.isNull());
    int painted = 0;
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x) painted += qAlpha(small.pixel(x, y)) > 0;
    EXPECT_GT(painted, 16 * 16 / 3) << "the two kings fill much of even the smallest icon";
}

}  // namespace
}  // namespace zorvan
