// The record panel on the real window: writing a record after a few moves, loading it from the
// file list and stepping through it, the folder and drive lists, and the settings file the option
// menu writes. Every test works in a temporary current folder of its own.
#include "platform/record_panel.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <optional>

#include "window_fixture.h"

namespace zorvan {
namespace {

// Makes a fresh temporary folder the current folder for as long as it lives.
class TemporaryCurrentFolder {
public:
    TemporaryCurrentFolder() : m_old(QDir::currentPath()) {
        EXPECT_TRUE(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
    }
    ~TemporaryCurrentFolder() { QDir::setCurrent(m_old); }
    QString path() const { return QDir::cleanPath(QDir(m_dir.path()).absolutePath()); }
    QString file(const QString& name) const { return QDir(path()).filePath(name); }

private:
    QString m_old;
    QTemporaryDir m_dir;
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Types text as an input method delivers it (the way Japanese reaches a text box).
void typeInto(QLineEdit* box, const char* utf8) {
    ASSERT_NE(box, nullptr);
    QInputMethodEvent event;
    event.setCommitString(QString::fromUtf8(utf8));
    QApplication::sendEvent(box, &event);
}

QListWidgetItem* itemNamed(QListWidget* list, const QString& name) {
    const auto found = list->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

void clickItem(QListWidget* list, QListWidgetItem* item) {
    ASSERT_NE(item, nullptr);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void doubleClickItem(QListWidget* list, QListWidgetItem* item) {
    ASSERT_NE(item, nullptr);
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QApplication::processEvents();  // the folder opens once the list's event is over
}

QStringList itemTexts(QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
}

// Lines of a file split at CR LF; false when a line break is not CR LF.
bool splitCrLf(const QByteArray& bytes, QList<QByteArray>& lines) {
    lines = bytes.split('\n');
    if (lines.isEmpty() || !lines.last().isEmpty()) return false;
    lines.removeLast();
    for (QByteArray& line : lines) {
        if (!line.endsWith('\r')) return false;
        line.chop(1);
        if (line.contains('\r')) return false;
    }
    return true;
}

class RecordPanelTest : public ::testing::Test {
protected:
    RecordPanel& panel() { return *f.window.recordPanel(); }
    void menu(const char* control) { f.window.action(control)->trigger(); }
    void clearBoxes() { f.boxes.clear(); }

    // A game between persons with three moves: 歩 7六, the chess pawn's double step, 歩 3六.
    void playThreeMoves() {
        menu("MATCH_MAN");
        f.press(3, 7);
        f.press(3, 6);
        f.press(5, 2);
        f.press(5, 4);
        f.press(7, 7);
        f.press(7, 6);
        ASSERT_EQ(f.state().RECORD_END, 3);
        clearBoxes();
    }

    // Writes the game as "第一局" with names typed into the panel.
    void writeRecord() {
        menu("KIFU_WRITE");
        typeInto(panel().box("Text2"), "名人戦");
        typeInto(panel().box("Text3"), "太郎");
        typeInto(panel().box("Text4"), "花子");
        typeInto(panel().box("Text1"), "第一局");
        QTest::mouseClick(panel().returnButton(), Qt::LeftButton);
    }

    TemporaryCurrentFolder folder;
    WindowFixture f;
};

TEST_F(RecordPanelTest, StartsHiddenInTheCurrentFolder) {
    EXPECT_FALSE(panel().isVisible());
    EXPECT_EQ(panel().folder(), folder.path());
}

TEST_F(RecordPanelTest, WritingShowsTheFolderListsAndTheNameBoxesButNoFileList) {
    menu("KIFU_WRITE");
    ASSERT_TRUE(panel().isVisible());
    EXPECT_TRUE(panel().driveList()->isVisible());
    EXPECT_TRUE(panel().folderList()->isVisible());
    EXPECT_FALSE(panel().fileList()->isVisible());
    EXPECT_TRUE(panel().returnButton()->isVisible());
    EXPECT_EQ(panel().returnButton()->text(), QStringLiteral("RETURN"));
    // The four labelled boxes, stacked from top to bottom in this order.
    const char* names[] = {"Text2", "Text3", "Text4", "Text1"};
    const char* labels[] = {"対 局 名：", "先    手 ：", "後    手 ：", "ﾌｧｲﾙ名 ："};
    int lastTop = -1;
    for (int i = 0; i < 4; ++i) {
        QLineEdit* box = panel().box(names[i]);
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isVisible());
        EXPECT_GT(box->y(), lastTop) << names[i];
        lastTop = box->y();
        auto* label = panel().findChild<QLabel*>(QStringLiteral("Label_") + names[i]);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(labels[i]));
        EXPECT_TRUE(label->isVisible());
        EXPECT_LT(label->x(), box->x());
    }
}

TEST_F(RecordPanelTest, ReadingShowsTheRecordFilesOnlyAndEmptiesTheHiddenBoxes) {
    QDir(folder.path()).mkdir(QStringLiteral("棋譜集"));
    writeBytes(folder.file(QStringLiteral("b.棋譜")), "x\r\n");
    writeBytes(folder.file(QStringLiteral("a.棋譜")), "x\r\n");
    writeBytes(folder.file(QStringLiteral("notes.txt")), "x\r\n");
    menu("KIFU_WRITE");
    typeInto(panel().box("Text2"), "名人戦");
    menu("KIFU_READ");
    EXPECT_TRUE(panel().fileList()->isVisible());
    EXPECT_FALSE(panel().box("Text2")->isVisible());
    EXPECT_TRUE(panel().box("Text2")->text().isEmpty());
    EXPECT_EQ(itemTexts(panel().fileList()), QStringList({"a.棋譜", "b.棋譜"}));
    EXPECT_EQ(itemTexts(panel().folderList()), QStringList({"..", "棋譜集"}));
}

TEST_F(RecordPanelTest, ReturnWritesTheRecordInTheJapaneseCodePageWithCrLf) {
    playThreeMoves();
    writeRecord();
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text, QStringLiteral("棋譜を書き込みました"));
    EXPECT_EQ(f.boxes[0].title, QStringLiteral("  "));
    EXPECT_FALSE(panel().isVisible());

    QList<QByteArray> lines;
    ASSERT_TRUE(splitCrLf(readAll(folder.file(QStringLiteral("第一局.棋譜"))), lines));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QByteArray("\x96\xbc\x90\x6c\x90\xed"));  // 名人戦
    // The shogi army below moves first: line 2 names the second player, line 3 the first.
    EXPECT_EQ(lines[1], QByteArray("\x89\xd4\x8e\x71"));  // 花子
    EXPECT_EQ(lines[2], QByteArray("\x91\xbe\x98\x59"));  // 太郎
    for (int k = 3; k < 6; ++k) EXPECT_EQ(lines[k].size(), 287) << k;
    // After the first move the 歩 stands on (3, 6): the cell at column 1 + 3 * (9 * 2 + 5).
    EXPECT_EQ(lines[3].mid(69, 3), QByteArray(" -1"));
    EXPECT_EQ(lines[3].mid(72, 3), QByteArray("  0"));
}

TEST_F(RecordPanelTest, ReturnWithoutAFileNameWritesNothingAndKeepsThePanel) {
    playThreeMoves();
    menu("KIFU_WRITE");
    typeInto(panel().box("Text2"), "名人戦");
    QTest::mouseClick(panel().returnButton(), Qt::LeftButton);
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text, QStringLiteral("ﾌｧｲﾙ名が入力されていません"));
    EXPECT_EQ(f.boxes[0].title, QStringLiteral("  "));
    EXPECT_TRUE(panel().box("Text1")->isVisible());
    EXPECT_EQ(panel().box("Text2")->text(), QStringLiteral("名人戦"));
    EXPECT_TRUE(QDir(folder.path()).entryList({"*.棋譜"}, QDir::Files).isEmpty());
}

TEST_F(RecordPanelTest, EnterInTheFileNameBoxPressesReturn) {
    playThreeMoves();
    menu("KIFU_WRITE");
    QLineEdit* name = panel().box("Text1");
    typeInto(name, "enter");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("enter.棋譜"))));
}

TEST_F(RecordPanelTest, AClickOnARecordLoadsItAndStepForwardReplaysIt) {
    playThreeMoves();
    writeRecord();
    menu("CANCEL");  // back to a new game
    clearBoxes();

    menu("KIFU_READ");
    clickItem(panel().fileList(), itemNamed(panel().fileList(), QStringLiteral("第一局.棋譜")));
    ASSERT_EQ(f.boxes.size(), 2u);
    EXPECT_EQ(f.boxes[0].text, QStringLiteral(" 読み込みました"));
    EXPECT_EQ(f.boxes[1].text, QStringLiteral("棋譜を '進 'で進めて下さい"));
    EXPECT_EQ(f.boxes[1].title, QStringLiteral("棋譜"));
    EXPECT_FALSE(panel().isVisible());
    const GameState& g = f.state();
    EXPECT_EQ(g.KIFU_MODE, ON);
    EXPECT_EQ(g.RECORD_END, 3);
    EXPECT_EQ(g.MOVE_NO, 0);
    EXPECT_TRUE(f.cellShows(-HU, g.SQUARE_SHADE[3][7], 3, 7));

    menu("AFTER");
    EXPECT_EQ(g.MOVE_NO, 1);
    EXPECT_EQ(g.BOARD[3][6], -HU);
    EXPECT_TRUE(f.cellShows(-HU, g.SQUARE_SHADE[3][6], 3, 6));
    menu("AFTER");
    menu("AFTER");
    EXPECT_EQ(g.BOARD[7][6], -HU);
    clearBoxes();
    menu("AFTER");
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text, QStringLiteral("終わり"));
    EXPECT_EQ(f.boxes[0].title, QStringLiteral("進む"));
}

TEST_F(RecordPanelTest, TheFolderListOpensSubFoldersAndTheRecordGoesThere) {
    QDir(folder.path()).mkdir(QStringLiteral("棋譜集"));
    playThreeMoves();
    menu("KIFU_WRITE");
    doubleClickItem(panel().folderList(),
                    itemNamed(panel().folderList(), QStringLiteral("棋譜集")));
    EXPECT_EQ(panel().folder(), folder.file(QStringLiteral("棋譜集")));
    EXPECT_EQ(itemTexts(panel().folderList()), QStringList({".."}));
    typeInto(panel().box("Text1"), "二局目");
    QTest::mouseClick(panel().returnButton(), Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("棋譜集/二局目.棋譜"))));

    // The file list of the sub-folder shows it; ".." goes back up.
    menu("KIFU_READ");
    EXPECT_EQ(itemTexts(panel().fileList()), QStringList({"二局目.棋譜"}));
    doubleClickItem(panel().folderList(), itemNamed(panel().folderList(), QStringLiteral("..")));
    EXPECT_EQ(panel().folder(), folder.path());
    EXPECT_TRUE(itemTexts(panel().fileList()).isEmpty());
}

TEST_F(RecordPanelTest, APlaceThatCannotBeOpenedShowsTheDeviceMessage) {
    QDir(folder.path()).mkdir(QStringLiteral("disk"));
    panel().setPlaces({{QStringLiteral("here"), folder.path()},
                       {QStringLiteral("gone"), folder.file(QStringLiteral("missing"))},
                       {QStringLiteral("disk"), folder.file(QStringLiteral("disk"))}});
    menu("KIFU_READ");
    QComboBox* drives = panel().driveList();
    EXPECT_EQ(drives->currentIndex(), 0);

    emit drives->activated(1);
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text, QStringLiteral("ﾃﾞﾊﾞｲｽが準備できていません"));
    EXPECT_EQ(f.boxes[0].title, QStringLiteral("ｴﾗｰ"));
    EXPECT_EQ(panel().folder(), folder.path());
    EXPECT_EQ(drives->currentIndex(), 0);

    emit drives->activated(2);
    EXPECT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(panel().folder(), folder.file(QStringLiteral("disk")));
    EXPECT_EQ(drives->currentIndex(), 2);
}

TEST_F(RecordPanelTest, AFolderThatVanishedFallsBackToItsParent) {
    QDir(folder.path()).mkdir(QStringLiteral("short-lived"));
    ASSERT_TRUE(panel().setFolder(folder.file(QStringLiteral("short-lived"))));
    QDir(folder.path()).rmdir(QStringLiteral("short-lived"));
    menu("KIFU_READ");
    EXPECT_EQ(panel().folder(), folder.path());
    EXPECT_FALSE(panel().setFolder(folder.file(QStringLiteral("short-lived"))));
}

TEST_F(RecordPanelTest, OtherCommandsHideThePanel) {
    menu("KIFU_WRITE");
    ASSERT_TRUE(panel().isVisible());
    EXPECT_EQ(f.window.focusWidget(), panel().box("Text2"));  // ready for the game's name
    f.window.game().menu("OPTION");
    EXPECT_FALSE(panel().isVisible());
    EXPECT_EQ(f.window.focusWidget(), f.window.board());  // Esc and keys reach the game again
    menu("KIFU_READ");
    menu("AFTER");
    EXPECT_FALSE(panel().isVisible());
}

TEST_F(RecordPanelTest, ThePanelScalesWithTheWindowAndStaysOnIt) {
    menu("KIFU_WRITE");
    const QRect small = panel().box("Text1")->geometry();
    const QRect card = panel().geometry();
    EXPECT_TRUE(f.window.board()->rect().contains(card));
    f.resizeBoard(QSize(960, 1050));
    const QRect large = panel().box("Text1")->geometry();
    EXPECT_NEAR(large.width(), small.width() * 1.5, 2);
    EXPECT_NEAR(large.height(), small.height() * 1.5, 2);
    EXPECT_NEAR(panel().x(), card.x() * 1.5, 2);
    EXPECT_NEAR(panel().y(), card.y() * 1.5, 2);
    EXPECT_TRUE(f.window.board()->rect().contains(panel().geometry()));
}

// ---- the settings file in the current folder ----

TEST_F(RecordPanelTest, AnOptionChangeIsWrittenToTheSettingsFileInTheJapaneseCodePage) {
    menu("TATAMI");
    menu("SIDOU");
    const QByteArray expected =
        "\x94\x77\x8c\x69\x89\xe6\x3d\x8f\xf4\r\n"                  // 背景画=畳
        "\x88\xda\x93\xae\x8e\x77\x93\xb1\x3d\x4f\x4e\r\n"          // 移動指導=ON
        "\x8c\x6f\x89\xdf\x8e\x9e\x8a\xd4\x3d\x4f\x4e\r\n"          // 経過時間=ON
        "\x83\x60\x83\x46\x83\x58\x91\xa4\x8e\x9d\x8b\xee\x4f\x4b"  // チェス側持駒OK
        "\x3d\x4f\x46\x46\r\n"                                      // =OFF
        "BGM=ON\r\n";
    EXPECT_EQ(readAll(folder.file(QStringLiteral("ZORVAN.ini"))), expected);
}

void expectMarksMirror(MainWindow& w) {
    const OptionChecks& c = w.game().state().checks;
    const std::pair<const char*, bool> marks[] = {
        {"MIDORI", c.MIDORI}, {"TATAMI", c.TATAMI},
        {"TAKE", c.TAKE},     {"UCHU", c.UCHU},
        {"RENGA", c.RENGA},   {"SIDOU", c.SIDOU},
        {"KEIKA", c.KEIKA},   {"CHESS_MOCHIKOMA", c.CHESS_MOCHIKOMA},
        {"BGM", c.BGM},       {"LEVEL1", c.LEVEL1},
        {"LEVEL2", c.LEVEL2}, {"LEVEL3", c.LEVEL3}};
    for (const auto& [name, on] : marks) EXPECT_EQ(w.action(name)->isChecked(), on) << name;
}

TEST(SettingsFile, CheckMarksFollowTheFileAtStartUpAndEveryOptionClick) {
    TemporaryCurrentFolder folder;
    writeBytes(folder.file(QStringLiteral("ZORVAN.ini")),
               "\x94\x77\x8c\x69\x89\xe6\x3d\x97\xf9\x8a\xa2\r\n"      // 背景画=煉瓦
               "\x88\xda\x93\xae\x8e\x77\x93\xb1\x3d\x4f\x4e\r\n"      // 移動指導=ON
               "\x8c\x6f\x89\xdf\x8e\x9e\x8a\xd4\x3d\x4f\x46\x46\r\n"  // 経過時間=OFF
               "\x83\x60\x83\x46\x83\x58\x91\xa4\x8e\x9d\x8b\xee\x4f\x4b\x3d\x4f\x4e\r\n"
               "BGM=OFF\r\n");
    WindowFixture f;
    MainWindow& w = f.window;
    EXPECT_TRUE(w.action("RENGA")->isChecked());
    EXPECT_FALSE(w.action("MIDORI")->isChecked());
    EXPECT_TRUE(w.action("SIDOU")->isChecked());
    EXPECT_FALSE(w.action("KEIKA")->isChecked());
    EXPECT_TRUE(w.action("CHESS_MOCHIKOMA")->isChecked());
    EXPECT_FALSE(w.action("BGM")->isChecked());
    expectMarksMirror(w);

    for (const char* option : {"MIDORI", "UCHU", "UCHU", "SIDOU", "KEIKA", "CHESS_MOCHIKOMA", "BGM",
                               "BGM", "BGM", "TAKE", "LEVEL1", "TATAMI", "RENGA"}) {
        SCOPED_TRACE(option);
        w.action(option)->trigger();
        expectMarksMirror(w);
    }
    // The last choices are in the file: 煉瓦, guidance off, clock on, chess hand off, music on.
    EXPECT_EQ(readAll(folder.file(QStringLiteral("ZORVAN.ini"))).left(12),
              QByteArray("\x94\x77\x8c\x69\x89\xe6\x3d\x97\xf9\x8a\xa2\r"));
    EXPECT_TRUE(readAll(folder.file(QStringLiteral("ZORVAN.ini"))).endsWith("BGM=ON\r\n"));
}

}  // namespace
}  // namespace zorvan
