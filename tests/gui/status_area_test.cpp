// The status texts around the board on the real canvas: erasing a text leaves exactly what was
// under it, and changing the computer's level repaints only its caption.
#include <QAction>

#include "ui/drawing.h"
#include "window_fixture.h"

namespace zorvan {
namespace {

// Board sizes of 1x and 2x the default window.
class StatusAreaTest : public ::testing::TestWithParam<QSize> {
protected:
    WindowFixture f{GetParam()};
    Drawing& draw() { return f.window.game().drawing(); }
    QImage picture() { return f.window.board()->image().copy(); }
};

// The longest move texts of either side and the thinking caption, each erased by the procedure
// that erases it: afterwards the window is as if the text had never been drawn.
TEST_P(StatusAreaTest, ErasedTextsLeaveNothingBehind) {
    const GameState& g = f.state();
    const struct {
        const char* what;
        bool upper;
        int x, y, code;
        bool thinking;
    } cases[] = {
        {"２二ﾋﾞｼｮｯﾌﾟ above the board", true, 8, 2, +BISH, false},
        {"３七ポーン above the board", true, 7, 7, +PORN, false},
        {"思考中", true, 0, 0, 0, true},
        {"２二ﾋﾞｼｮｯﾌﾟ beside the board", false, 8, 2, -BISH, false},
        {"３七ポーン beside the board", false, 7, 7, -PORN, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int side = c.upper ? g.UPPER_PLAYER : g.LOWER_PLAYER;
        draw().画面_再描画();
        draw().消去_移動結果(side);
        const QImage without = picture();

        draw().画面_再描画();
        if (c.thinking) {
            draw().描画_思考中();
        } else {
            draw().描画_移動結果(side, c.x, c.y, c.code, COLOR_MOVE_TEXT);
        }
        ASSERT_NE(picture(), without) << "the text was drawn";
        draw().消去_移動結果(side);
        const QImage after = picture();
        int differing = 0;
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                differing += after.pixel(x, y) != without.pixel(x, y);
        EXPECT_EQ(differing, 0);
    }
}

// Changing the level during a game against the computer and back: the window shows the caption
// as the game's start drew it, and nothing else changed.
TEST_P(StatusAreaTest, ChangingTheLevelRepaintsOnlyItsCaption) {
    f.window.action("START2")->trigger();
    ASSERT_EQ(f.state().GAME_MODE, MODE_COM);
    ASSERT_EQ(f.state().COM_LEVEL, 3);
    const QImage started = picture();
    f.window.action("LEVEL1")->trigger();
    EXPECT_NE(picture(), started);
    f.window.action("LEVEL2")->trigger();
    f.window.action("LEVEL3")->trigger();
    EXPECT_EQ(picture(), started);
}

INSTANTIATE_TEST_SUITE_P(Scales, StatusAreaTest,
                         ::testing::Values(QSize(640, 700), QSize(1280, 1400)));

}  // namespace
}  // namespace zorvan
