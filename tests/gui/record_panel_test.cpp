// The record panel: a game written through the input panel's "RETURN" appears in the file list,
// and a click on it loads it for stepping through.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "window_fixture.h"

namespace zorvan {
namespace {

template <class W>
W* control(MainWindow& w, const char* name) {
    return w.board()->findChild<W*>(QString::fromLatin1(name));
}

TEST(RecordPanel, MenusShowTheirControls) {
    WindowFixture f;
    auto* file = control<QListWidget>(f.window, "File1");
    auto* input = control<QLineEdit>(f.window, "Text1");
    f.window.action("KIFU_WRITE")->trigger();
    EXPECT_TRUE(control<QWidget>(f.window, "Drive1")->isVisible());
    EXPECT_TRUE(control<QWidget>(f.window, "Dir1")->isVisible());
    EXPECT_FALSE(file->isVisible());
    EXPECT_TRUE(input->isVisible());
    input->setText("abc");
    f.window.action("KIFU_READ")->trigger();
    EXPECT_TRUE(file->isVisible());
    EXPECT_FALSE(input->isVisible());
    EXPECT_TRUE(input->text().isEmpty());  // hiding the input panel empties it
}

TEST(RecordPanel, WrittenGameIsListedAndLoadsForReplay) {
    WindowFixture f;
    f.window.action("MATCH_MAN")->trigger();
    f.press(3, 7);
    f.press(3, 6);
    f.press(5, 2);
    f.press(5, 4);
    f.boxes.clear();

    f.window.action("KIFU_WRITE")->trigger();
    control<QLineEdit>(f.window, "Text2")->setText(QStringLiteral("練習対局"));
    control<QLineEdit>(f.window, "Text1")->setText(QStringLiteral("window-test"));
    control<QPushButton>(f.window, "Command1")->click();
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text, QStringLiteral("棋譜を書き込みました"));
    EXPECT_EQ(f.boxes[0].title, QStringLiteral("  "));
    EXPECT_TRUE(QFile::exists(QDir::current().filePath(QStringLiteral("window-test.棋譜"))));

    f.window.action("KIFU_READ")->trigger();
    auto* list = control<QListWidget>(f.window, "File1");
    const auto found = list->findItems(QStringLiteral("window-test.棋譜"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    f.boxes.clear();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found[0]).center());
    ASSERT_EQ(f.boxes.size(), 2u);
    EXPECT_EQ(f.boxes[0].text, QStringLiteral(" 読み込みました"));
    EXPECT_EQ(f.boxes[1].text, QStringLiteral("棋譜を '進 'で進めて下さい"));
    EXPECT_EQ(f.state().KIFU_MODE, ON);
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(f.cellShows(-HU, f.state().SQUARE_SHADE[3][7], 3, 7));  // back at the start

    f.window.action("AFTER")->trigger();  // 進: the first move again
    EXPECT_TRUE(f.cellShows(-HU, f.state().SQUARE_SHADE[3][6], 3, 6));
    EXPECT_TRUE(f.cellShows(EMPTY, f.state().SQUARE_SHADE[3][7], 3, 7));
}

TEST(RecordPanel, EmptyFileNameIsRefused) {
    WindowFixture f;
    f.window.action("KIFU_WRITE")->trigger();
    control<QPushButton>(f.window, "Command1")->click();
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text, QStringLiteral("ﾌｧｲﾙ名が入力されていません"));
}

TEST(RecordPanel, ControlsScaleWithTheWindow) {
    WindowFixture f;
    f.window.action("KIFU_READ")->trigger();
    const QRect small = control<QWidget>(f.window, "File1")->geometry();
    f.resizeBoard(QSize(1280, 1400));
    const QRect large = control<QWidget>(f.window, "File1")->geometry();
    EXPECT_NEAR(large.width(), 2 * small.width(), 2);
    EXPECT_NEAR(large.top(), 2 * small.top(), 2);
}

}  // namespace
}  // namespace zorvan
