// The main window's menu tree and its signals.
#include "platform/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFontInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainterPath>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "art/outline_data.h"
#include "platform/art_painter.h"
#include "platform/deferred_icons.h"
#include "platform/fonts.h"
#include "platform/menu_tree.h"
#include "platform/qt_host.h"

namespace zorvan {
namespace {

TEST(MenuTree, EveryControlHasAnActionWithItsCaption) {
    MainWindow w;
    for (const MenuEntry& e : menuTree()) {
        QAction* a = w.action(QString::fromUtf8(e.name));
        ASSERT_NE(a, nullptr) << e.name;
        EXPECT_EQ(a->objectName(), QString::fromUtf8(e.name));
        EXPECT_EQ(a->text(), QString::fromUtf8(e.caption)) << e.name;
        EXPECT_EQ(a->isCheckable(), e.checkable) << e.name;
    }
}

TEST(MenuTree, MenuBarHoldsTheTopLevelItemsInOrder) {
    MainWindow w;
    QStringList names;
    for (QAction* a : w.menuBar()->actions()) names << a->objectName();
    EXPECT_EQ(names, QStringList({"TAIKYOKU", "STOP", "REPLAY", "AFTER", "LBEL_UP", "LEBEL_DOWN",
                                  "KIFU", "OPTION", "VER"}));
    // The single items act when clicked; the others open menus.
    for (const char* command : {"REPLAY", "AFTER", "LBEL_UP", "LEBEL_DOWN", "VER"})
        EXPECT_EQ(w.action(command)->menu(), nullptr) << command;
    EXPECT_NE(w.action("OPTION")->menu(), nullptr);
}

TEST(MenuTree, ChoosingAnItemReportsItsControlName) {
    MainWindow w;
    w.host().setAnswerer([](const HostMessage&) { return true; });
    QSignalSpy spy(&w, &MainWindow::menuCommand);
    for (const char* name : {"MATCH_MAN", "START2", "LEVEL2", "REPLAY", "LBEL_UP", "UCHU", "VER"})
        w.action(name)->trigger();
    ASSERT_EQ(spy.count(), 7);
    EXPECT_EQ(spy[0][0].toString(), "MATCH_MAN");
    EXPECT_EQ(spy[2][0].toString(), "LEVEL2");
    EXPECT_EQ(spy[5][0].toString(), "UCHU");
}

TEST(MenuTree, ClickingATopLevelCommandOnTheMenuBarReportsIt) {
    MainWindow w;
    w.host().setAnswerer([](const HostMessage&) { return true; });
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QSignalSpy spy(&w, &MainWindow::menuCommand);
    const QRect where = w.menuBar()->actionGeometry(w.action("AFTER"));
    QTest::mouseClick(w.menuBar(), Qt::LeftButton, {}, where.center());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toString(), "AFTER");
}

TEST(MenuTree, OpeningAMenuReportsTheMenu) {
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QSignalSpy spy(&w, &MainWindow::menuCommand);
    QMenu* menu = w.action("TAIKYOKU")->menu();
    menu->popup(w.mapToGlobal(QPoint(10, 10)));
    menu->close();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toString(), "TAIKYOKU");
}

TEST(MenuTree, CheckMarksShowTheOptions) {
    MainWindow w;
    OptionChecks c;
    c.MIDORI = false;
    c.RENGA = true;
    c.SIDOU = true;
    c.LEVEL3 = false;
    c.LEVEL1 = true;
    w.showChecks(c);
    EXPECT_TRUE(w.action("RENGA")->isChecked());
    EXPECT_FALSE(w.action("MIDORI")->isChecked());
    EXPECT_TRUE(w.action("SIDOU")->isChecked());
    EXPECT_TRUE(w.action("LEVEL1")->isChecked());
    EXPECT_FALSE(w.action("LEVEL3")->isChecked());
    EXPECT_FALSE(w.action("BGM")->isChecked());
}

TEST(MainWindow, EscAndTheCloseBoxAreReported) {
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QSignalSpy esc(&w, &MainWindow::escapePressed);
    QSignalSpy closing(&w, &MainWindow::closing);
    QTest::keyClick(w.board(), Qt::Key_Escape);
    EXPECT_EQ(esc.count(), 1);
    QTest::keyClick(w.board(), Qt::Key_A);
    EXPECT_EQ(esc.count(), 1);
    w.close();
    EXPECT_EQ(closing.count(), 1);
}

TEST(MainWindow, OpensAtTheDefaultScaleOrFitsTheScreenKeepingTheBoardsShape) {
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QSize board = w.board()->size();
    const QRect screen = w.screen()->availableGeometry();
    if (screen.height() >= 800) {
        EXPECT_EQ(board, QSize(640, 700));
    }
    EXPECT_NEAR(board.width() * 700.0 / 640.0, board.height(), 2.0);
    EXPECT_LE(w.frameGeometry().height(), screen.height());
    EXPECT_DOUBLE_EQ(w.pixelsPerTwip(), w.board()->zoom() / 15.0);
}

TEST(Fonts, TheChosenFamiliesHoldEveryJapaneseGlyphTheGamePrints) {
    const QString texts = QStringLiteral(
        "「対局」で始めて下さい先手の番です後手の番ですMANの番です続けますか？再ゲーム"
        "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人ｸｲｰﾝﾋﾞｼｮｯﾌﾟキングナイトルークポーン手目１２３一二三");
    EXPECT_TRUE(fontCovers(gameFonts().sans, texts)) << gameFonts().sans.toStdString();
}

// The menu bar's overflow arrow is read only when the arrow shows, and is the style's own.
TEST(DeferredIcons, TheOverflowArrowComesWhenItShows) {
    const std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("fusion")));
    const std::unique_ptr<QStyle> late(makeDeferredIconStyle(QStringLiteral("fusion")));
    QMainWindow w;
    QMenuBar* bar = w.menuBar();
    bar->setNativeMenuBar(false);
    bar->setStyle(late.get());
    giveOverflowArrowWhenShown(bar);
    auto* arrow = bar->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
    ASSERT_NE(arrow, nullptr);
    EXPECT_TRUE(
        late->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, nullptr, bar).isNull());
    arrow->setIcon(QIcon());  // as a menu bar made under the wrapped style has it
    for (int i = 0; i < 12; ++i) bar->addMenu(QStringLiteral("対局オプション%1").arg(i));
    w.resize(200, 100);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(arrow->isVisible());
    QTRY_VERIFY(!arrow->icon().isNull());
    const QIcon own =
        plain->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, nullptr, bar);
    EXPECT_EQ(arrow->icon().pixmap(16).toImage(), own.pixmap(16).toImage());
    bar->setStyle(nullptr);
}

// The pieces and the title are drawn from kept outlines; they are exactly the outlines the
// mincho face gives (so the pictures are the same pixels as when the face itself was used).
TEST(Outlines, AreExactlyWhatTheMinchoFaceGives) {
    QFont font(QStringLiteral("Noto Serif CJK JP"));
    font.setPixelSize(100);
    font.setWeight(QFont::Black);
    if (QFontInfo(font).family() != font.family()) GTEST_SKIP() << "no Noto Serif CJK JP here";
    const auto same = [](const art::outline_data::Outline& kept, const QPainterPath& drawn) {
        if (kept.count != drawn.elementCount() ||
            (kept.winding == 1) != (drawn.fillRule() == Qt::WindingFill))
            return false;
        for (int i = 0; i < kept.count; ++i) {
            const QPainterPath::Element b = drawn.elementAt(i);
            const art::outline_data::OutlineElement& a = kept.elements[i];
            if (a.type != int(b.type) || a.x != b.x || a.y != b.y) return false;
        }
        return true;
    };
    const QString characters = QStringLiteral("歩と香杏桂圭銀全金角馬飛龍王");
    ASSERT_EQ(art::outline_data::kPieceCharacterCount, characters.size());
    for (int i = 0; i < characters.size(); ++i) {
        const QChar c = characters[i];
        QPainterPath glyph;
        glyph.addText(0, 0, font, QString(c));
        const art::outline_data::Outline& kept = art::outline_data::kPieceCharacters[i];
        EXPECT_EQ(kept.character, c.unicode());
        EXPECT_TRUE(same(kept, glyph)) << QString(c).toStdString();
        // Drawn, the kept outline is the face's path, its contours closed where they end.
        EXPECT_EQ(toPainterPath(art::pieceCharacterOutline(c.unicode())), glyph)
            << QString(c).toStdString();
    }
    font.setLetterSpacing(QFont::PercentageSpacing, 104);
    QPainterPath word;
    word.addText(0, 0, font, QStringLiteral("ZORVAN"));
    EXPECT_TRUE(same(art::outline_data::kTitle, word));
    EXPECT_EQ(toPainterPath(art::titleWordOutline()), word);
    EXPECT_TRUE(art::pieceCharacterOutline(u'x').empty());
}

}  // namespace
}  // namespace zorvan
