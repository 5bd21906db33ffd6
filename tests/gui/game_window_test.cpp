// The real main window with the game behind it: menus by control name, presses on squares at
// several window sizes, and what the rendered picture shows.
#include <QAction>
#include <QFile>

#include "platform/palette.h"
#include "window_fixture.h"

namespace zorvan {
namespace {

class GameWindowTest : public ::testing::TestWithParam<QSize> {
protected:
    WindowFixture f{GetParam()};
};

TEST_P(GameWindowTest, StartUpShowsTheStandardPosition) {
    // The sounds open once the first picture has been painted.
    EXPECT_TRUE(QTest::qWaitFor([this] { return f.sound.starts == 1; }, 5000));
    EXPECT_TRUE(f.cellShows(-OU, f.state().SQUARE_SHADE[5][9], 5, 9));
    EXPECT_TRUE(f.cellShows(+QEEN, f.state().SQUARE_SHADE[5][1], 5, 1));
    EXPECT_TRUE(f.cellShows(EMPTY, f.state().SQUARE_SHADE[1][1], 1, 1));
    EXPECT_TRUE(f.window.action("LEVEL3")->isChecked());
}

TEST_P(GameWindowTest, PressBeforeAGameIsRefusedWithTheGamesText) {
    f.press(3, 7);
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text, QStringLiteral("「対局」で始めて下さい"));
    EXPECT_EQ(f.boxes[0].title, QStringLiteral("開始"));
}

TEST_P(GameWindowTest, AMovedPieceAppearsOnItsNewSquare) {
    f.window.action("MATCH_MAN")->trigger();
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text, QStringLiteral("先手の番です"));
    EXPECT_EQ(f.boxes[0].title, QStringLiteral(" "));

    f.press(3, 7);  // pick the 歩 ...
    f.press(3, 6);  // ... and move it one square up
    EXPECT_EQ(f.state().BOARD[3][6], -HU);
    EXPECT_TRUE(f.cellShows(-HU, f.state().SQUARE_SHADE[3][6], 3, 6));
    EXPECT_TRUE(f.cellShows(EMPTY, f.state().SQUARE_SHADE[3][7], 3, 7));

    f.press(5, 2);  // the chess pawn's double step
    f.press(5, 4);
    EXPECT_TRUE(f.cellShows(+PORN, f.state().SQUARE_SHADE[5][4], 5, 4));
    EXPECT_EQ(f.boxes.size(), 1u);  // no refusals
}

TEST_P(GameWindowTest, GuidanceOutlinesTheDestinationsInWhite) {
    f.state().GUIDE_ON = ON;
    f.state().COLOR_GUIDE = COLOR_WHITE;
    f.window.action("MATCH_MAN")->trigger();
    f.press(3, 7);
    const QColor white = paletteColour(COLOR_WHITE);
    EXPECT_EQ(
        f.window.board()->colourAtTwips(BOARD_LEFT + 3 * SQUARE_W + 200, BOARD_TOP + 6 * SQUARE_H),
        white);
    // A square the 歩 cannot reach keeps its green grid line.
    EXPECT_EQ(
        f.window.board()->colourAtTwips(BOARD_LEFT + 5 * SQUARE_W + 200, BOARD_TOP + 5 * SQUARE_H),
        paletteColour(COLOR_GRID));
}

TEST_P(GameWindowTest, TheHandsShowTheirCounts) {
    f.state().OWN_HAND[2] = 3;  // two ... three captured rooks in the lower hand
    f.state().OWN_HAND_COUNT = 3;
    f.window.game().画面_再描画();
    EXPECT_TRUE(f.cellShows(-ROOK, 0, 11, 2));
    // The count is printed beside the slot in light red over a black shadow.
    EXPECT_GT(f.countInCell(12, 2, paletteColour(COLOR_PICK)), 0);
    EXPECT_EQ(f.countInCell(12, 3, paletteColour(COLOR_PICK)), 0);
}

TEST_P(GameWindowTest, ResizingKeepsWhatTheGameDrew) {
    f.window.action("MATCH_MAN")->trigger();
    f.press(3, 7);
    f.press(3, 6);
    f.resizeBoard(GetParam() * 5 / 4);
    EXPECT_TRUE(f.cellShows(-HU, f.state().SQUARE_SHADE[3][6], 3, 6));
    f.press(4, 2);  // presses still find their squares at the new size
    f.press(4, 3);
    EXPECT_EQ(f.state().BOARD[4][3], +PORN);
}

INSTANTIATE_TEST_SUITE_P(Sizes, GameWindowTest,
                         ::testing::Values(QSize(640, 700), QSize(960, 1050), QSize(900, 620)));

}  // namespace
}  // namespace zorvan

namespace zorvan {
namespace {

TEST(GameWindow, OptionsAreSavedInTheJapaneseCodePage) {
    QFile::remove("ZORVAN.ini");
    WindowFixture f;
    f.window.action("TATAMI")->trigger();
    EXPECT_TRUE(f.window.action("TATAMI")->isChecked());
    EXPECT_FALSE(f.window.action("MIDORI")->isChecked());
    QFile file("ZORVAN.ini");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray first = file.readLine();
    std::string expected;
    ASSERT_TRUE(Cp932Codec().encode("背景画=畳\r\n", expected));
    EXPECT_EQ(first.toStdString(), expected);
    file.close();
    QFile::remove("ZORVAN.ini");
}

}  // namespace
}  // namespace zorvan
