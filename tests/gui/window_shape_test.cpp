// The window may take any shape: the background reaches every edge of it.
#include <QAction>
#include <QBackingStore>
#include <QSignalSpy>

#include "platform/palette.h"
#include "window_fixture.h"

namespace zorvan {
namespace {

// Pixels of exactly the window colour (the flat green under everything) in the part of the
// picture right of x and below y, both in twips.
int flatPixelsBeyond(BoardView& view, double xTwips, double yTwips) {
    const QImage& img = view.image();
    const double s = view.devicePixelsPerTwip();
    const QRgb flat = paletteColour(COLOR_GRID).rgb();
    int n = 0;
    for (int y = static_cast<int>(yTwips * s); y < img.height(); ++y)
        for (int x = static_cast<int>(xTwips * s); x < img.width(); ++x)
            n += img.pixel(x, y) == flat;
    return n;
}

TEST(WindowShape, TheBackgroundCoversWideAndTallWindows) {
    const struct {
        const char* shape;
        QSize board;
    } shapes[] = {
        {"wide", QSize(1600, 700)}, {"tall", QSize(640, 1600)}, {"large", QSize(1900, 1900)}};
    for (const auto& shape : shapes) {
        SCOPED_TRACE(shape.shape);
        WindowFixture f(shape.board);
        for (const char* background : {"TATAMI", "RENGA"}) {
            SCOPED_TRACE(background);
            f.window.action(background)->trigger();
            // Right of the lower hand's column and below the clocks' row, where the game paints
            // nothing but its background.
            EXPECT_EQ(flatPixelsBeyond(*f.window.board(), BOARD_LEFT + 13 * SQUARE_W, 0), 0);
            EXPECT_EQ(flatPixelsBeyond(*f.window.board(), 0, BOARD_TOP + 11 * SQUARE_H), 0);
        }
        // A resize keeps it so.
        f.resizeBoard(shape.board + QSize(300, 200));
        QTest::qWait(200);
        EXPECT_EQ(flatPixelsBeyond(*f.window.board(), BOARD_LEFT + 13 * SQUARE_W, 0), 0);
    }
}

// Made larger for a moment and smaller again, the window's picture store is made again (made
// tiny for a moment so the X server's shared memory is made anew at the size the window has):
// afterwards it has the window's size again and the window is painted anew.
TEST(WindowShape, TheStoreFitsTheWindowAgainAfterItShrinks) {
    WindowFixture f;
    QBackingStore* store = f.window.backingStore();
    ASSERT_NE(store, nullptr);
    const QSize normal = f.window.size();
    f.resizeBoard(QSize(800, 875));
    QTest::qWait(600);
    ASSERT_EQ(store->size(), f.window.size());
    f.resizeBoard(QSize(640, 700));
    QSignalSpy painted(f.window.board(), &BoardView::painted);
    QTRY_VERIFY_WITH_TIMEOUT(painted.count() > 0 && store->size() == normal, 3000);
    EXPECT_EQ(store->size(), f.window.size());
}

}  // namespace
}  // namespace zorvan
