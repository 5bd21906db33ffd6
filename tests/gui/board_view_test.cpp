// The board view: pictures, outlines and texts land on the right pixels at any window scale, and
// presses come back as twips.
#include "platform/board_view.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "model/game_state.h"
#include "platform/palette.h"

namespace zorvan {
namespace {

double cellLeft(double c) {
    return BOARD_LEFT + c * SQUARE_W;
}
double cellTop(double r) {
    return BOARD_TOP + r * SQUARE_H;
}

// Mean colour of the inner part of a cell (away from the outline).
QColor meanOfCell(BoardView& view, double c, double r) {
    long red = 0, green = 0, blue = 0, n = 0;
    for (double fx = 0.2; fx < 0.85; fx += 0.05)
        for (double fy = 0.2; fy < 0.85; fy += 0.05) {
            const QColor k =
                view.colourAtTwips(cellLeft(c) + fx * SQUARE_W, cellTop(r) + fy * SQUARE_H);
            red += k.red(), green += k.green(), blue += k.blue(), ++n;
        }
    return QColor(int(red / n), int(green / n), int(blue / n));
}

// Number of pixels of exactly `colour` inside a rectangle of twips.
int countColour(BoardView& view, QRectF twips, QColor colour) {
    const double s = view.devicePixelsPerTwip();
    const QImage& img = view.image();
    int n = 0;
    for (int y = int(twips.top() * s); y < int(twips.bottom() * s); ++y)
        for (int x = int(twips.left() * s); x < int(twips.right() * s); ++x)
            if (img.valid(x, y) && img.pixelColor(x, y) == colour) ++n;
    return n;
}

class BoardViewTest : public ::testing::TestWithParam<QSize> {
protected:
    void SetUp() override {
        view.resize(GetParam());
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    BoardView view;
};

TEST_P(BoardViewTest, WhiteAndBlackChessPiecesDifferFromTheEmptySquare) {
    view.picture(EMPTY, 1, 2, 2);
    view.picture(-QEEN, 1, 3, 2);  // white
    view.picture(+QEEN, 1, 4, 2);  // black
    const QColor empty = meanOfCell(view, 2, 2);
    const QColor white = meanOfCell(view, 3, 2);
    const QColor black = meanOfCell(view, 4, 2);
    EXPECT_GT(white.lightness(), black.lightness() + 40);
    EXPECT_NE(empty, white);
    EXPECT_GT(empty.lightness(), black.lightness());
}

TEST_P(BoardViewTest, TheTwoShadesOfTheEmptySquareDiffer) {
    view.picture(EMPTY, 0, 5, 5);
    view.picture(EMPTY, 1, 6, 5);
    EXPECT_GT(meanOfCell(view, 6, 5).lightness(), meanOfCell(view, 5, 5).lightness() + 20);
}

TEST_P(BoardViewTest, OutlineRunsAlongTheCellEdgesInItsPaletteColour) {
    for (int c = 1; c <= 3; ++c) view.picture(EMPTY, 0, c, 1);
    view.outline(COLOR_WHITE, 2, 1);
    const QColor white = paletteColour(COLOR_WHITE);
    const double mid = cellTop(1) + SQUARE_H / 2;
    EXPECT_EQ(view.colourAtTwips(cellLeft(2), mid), white);                        // left edge
    EXPECT_EQ(view.colourAtTwips(cellLeft(3), mid), white);                        // right edge
    EXPECT_EQ(view.colourAtTwips(cellLeft(2) + SQUARE_W / 2, cellTop(1)), white);  // top
    EXPECT_EQ(view.colourAtTwips(cellLeft(2) + SQUARE_W / 2, cellTop(2)), white);  // bottom
    EXPECT_NE(view.colourAtTwips(cellLeft(2) + SQUARE_W / 2, mid), white);         // not inside
}

TEST_P(BoardViewTest, TextIsPrintedInItsColourBelowAndRightOfItsPosition) {
    view.picture(EMPTY, 0, 12, 3);
    view.textAtCell(12, 3.2, QStringLiteral("7"), COLOR_PICK, 12, true);
    const QRectF cell(cellLeft(12), cellTop(3), SQUARE_W, SQUARE_H);
    EXPECT_GT(countColour(view, cell, paletteColour(COLOR_PICK)), 0);
    EXPECT_EQ(countColour(view, QRectF(cellLeft(12), cellTop(2), SQUARE_W, SQUARE_H),
                          paletteColour(COLOR_PICK)),
              0);
}

TEST_P(BoardViewTest, PressIsReportedInTwipsWithItsButton) {
    QSignalSpy spy(&view, &BoardView::pressed);
    const QPointF target(cellLeft(4) + 200, cellTop(7) + 300);
    QTest::mouseClick(&view, Qt::RightButton, {}, view.logicalOf(target).toPoint());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toInt(), BUTTON_RIGHT);
    // Within a pixel's worth of twips, and in the same cell.
    const double tolerance = 15.0 / view.zoom() + 1;
    EXPECT_NEAR(spy[0][1].toDouble(), target.x(), tolerance);
    EXPECT_NEAR(spy[0][2].toDouble(), target.y(), tolerance);
}

TEST_P(BoardViewTest, WhatWasPaintedSurvivesAResize) {
    auto paint = [](BoardView& v) {
        v.picture(BG_RENGA, 0, 0, 1);
        v.picture(-KING, 1, 1, 1);
        v.outline(COLOR_WHITE, 1, 1);
        v.textAtCell(1, 1, QStringLiteral("手目"), COLOR_WHITE, 10, true);
    };
    paint(view);
    view.image();
    const QSize larger = GetParam() * 3 / 2;
    view.resize(larger);
    BoardView fresh;
    fresh.resize(larger);
    paint(fresh);
    EXPECT_EQ(view.image(), fresh.image());
    EXPECT_EQ(view.colourAtTwips(cellLeft(1), cellTop(1) + 300), paletteColour(COLOR_WHITE));
}

INSTANTIATE_TEST_SUITE_P(Sizes, BoardViewTest,
                         ::testing::Values(QSize(640, 700), QSize(1000, 900), QSize(333, 380)));

TEST(BoardView, ScaleIsUniformAndFollowsTheNarrowerSide) {
    BoardView view;
    view.resize(1280, 700);  // wide: the height decides
    EXPECT_DOUBLE_EQ(view.zoom(), 1.0);
    view.resize(1280, 1400);
    EXPECT_DOUBLE_EQ(view.zoom(), 2.0);
    EXPECT_EQ(view.twipsOf(QPointF(100, 100)), QPointF(750, 750));
}

TEST(BoardView, LongGamesKeepTheDisplayListBoundedAndTheImageExact) {
    BoardView view;
    view.resize(320, 350);
    // Many full redraws and single-cell repaints, as a long game makes.
    for (int round = 0; round < 12; ++round) {
        for (int x = -3; x <= 28; ++x)
            for (int y = -3; y <= 15; ++y) view.picture(BG_MIDORI + round % 5, 0, x, y);
        for (int i = 0; i < 300; ++i) {
            view.picture(i % 2 ? -HU : EMPTY, i % 2, 1 + i % 9, 1 + (i / 9) % 9);
            view.outline(COLOR_GRID, 1 + i % 9, 1 + (i / 9) % 9);
        }
        view.textAtCell(13, 3.3, QString::number(round), COLOR_WHITE, 12, true);
    }
    EXPECT_LT(view.displayList().ops().size(), DisplayList::kCompactAt);
    const QImage incremental = view.image().copy();
    // A resize to the same scale paints the kept list from scratch.
    view.resize(321, 351);
    view.resize(320, 350);
    EXPECT_EQ(view.image(), incremental);
}

TEST(BoardView, OutlinesDrawnAgainAndAgainKeepTheDisplayListBounded) {
    // Guidance outlines every square at each pick, and the squares' pictures seldom change.
    BoardView view;
    view.resize(320, 350);
    for (int pick = 0; pick < 400; ++pick) {
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                view.outline((x + y + pick) % 3 ? COLOR_GRID : COLOR_WHITE, x, y);
        view.picture(pick % 2 ? -HU : EMPTY, pick % 2, 1 + pick % 9, 1 + (pick / 9) % 9);
    }
    EXPECT_LT(view.displayList().ops().size(), DisplayList::kCompactAt);
    const QImage incremental = view.image().copy();
    view.resize(321, 351);
    view.resize(320, 350);
    EXPECT_EQ(view.image(), incremental);
}

}  // namespace
}  // namespace zorvan

namespace zorvan {
namespace {

TEST(PictureSet, PicturesAreMadeOncePerScaleAndFitTheCell) {
    PictureSet set;
    set.setScale(2.0 / 15.0);  // 66 x 82 device pixels a cell
    const QImage& first = set.cell(-KAKU, 1);
    EXPECT_EQ(first.size(), QSize(66, 82));
    const int held = set.renderedCount();
    EXPECT_EQ(set.cell(-KAKU, 1).constBits(), first.constBits());
    EXPECT_EQ(set.renderedCount(), held);
    set.setScale(1.37 / 15.0);  // a fractional scale rounds the cell up
    EXPECT_EQ(set.renderedCount(), 0);
    EXPECT_EQ(set.cell(-KAKU, 1).size(), QSize(46, 57));
    EXPECT_EQ(set.cell(BG_UCHU, 0, 3).size(), QSize(46, 57));
}

TEST(PictureSet, OnlyTheBackgroundShownKeepsItsTiles) {
    PictureSet set;
    set.setScale(1.0 / 15.0);
    set.cell(KAKU, 0);
    const QImage uchu = set.cell(BG_UCHU, 0, 1).copy();
    const int withUchu = set.renderedCount();
    set.cell(BG_RENGA, 0, 1);
    set.cell(BG_RENGA, 0, 2);
    EXPECT_EQ(set.renderedCount(), withUchu + 1);  // the space tile went, two brick tiles came
    EXPECT_EQ(set.cell(BG_UCHU, 0, 1), uchu);  // made again, the same picture
}

TEST(PictureSet, EveryPieceHasItsOwnPictureOnBothShades) {
    PictureSet set;
    set.setScale(1.0 / 15.0);
    std::vector<QImage> seen;
    for (int kind = 1; kind <= KIND_COUNT; ++kind)
        for (int sign : {-1, 1})
            for (int shade : {0, 1}) {
                const QImage& img = set.cell(sign * kind, shade);
                for (const QImage& other : seen) ASSERT_NE(img, other) << sign * kind;
                seen.push_back(img);
            }
}

TEST(BoardView, IdentifiersOutsideThePictureSetPaintNothing) {
    BoardView view;
    view.resize(640, 700);
    for (int id : {27, -21, 99, 40, -100}) view.picture(id, 0, 2, 2);
    EXPECT_TRUE(view.displayList().ops().empty());
    view.picture(TITLE_PICTURE, 0, 10.8, -1);
    view.picture(BG_RENGA, 0, 0, 0);
    EXPECT_EQ(view.displayList().ops().size(), 2u);
}

}  // namespace
}  // namespace zorvan
