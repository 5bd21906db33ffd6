// The window in English: menus, message boxes, the move counter and the move texts, the record
// panel, Qt's own buttons, and every status text inside the cells its eraser repaints, in every
// language the game speaks.
#include <QAction>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <functional>

#include "platform/fonts.h"
#include "platform/language.h"
#include "platform/piece_choice_dialog.h"
#include "platform/record_panel.h"
#include "text/catalogue_data.h"
#include "ui/drawing.h"
#include "ui/menu_tree.h"
#include "window_fixture.h"

namespace zorvan {
namespace {

// A window started in a language (the language is set before the window makes its menus).
struct LanguageWindow {
    explicit LanguageWindow(std::string_view code, QSize board = QSize(640, 700))
        : scope(code), f(board) {}
    LanguageScope scope;
    WindowFixture f;
};

// Texts drawn on the board since the display list had `from` entries.
std::vector<QString> textsSince(const BoardView& view, size_t from) {
    std::vector<QString> texts;
    const auto& ops = view.displayList().ops();
    for (size_t i = from; i < ops.size(); ++i)
        if (ops[i].kind == PaintOp::Kind::Text) texts.push_back(ops[i].text);
    return texts;
}

bool contains(const std::vector<QString>& texts, const QString& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(EnglishWindow, MenusSpeakEnglishWithTheSameItemsAndMarks) {
    LanguageWindow w("en");
    QStringList bar;
    for (QAction* a : w.f.window.menuBar()->actions()) bar << a->text();
    EXPECT_EQ(bar, QStringList({"Game", "Position", "Back", "Forward", "△", "▽", "Record",
                                "Options", "About"}));
    for (const MenuEntry& e : menuTree()) {
        QAction* a = w.f.window.action(QString::fromUtf8(e.name));
        ASSERT_NE(a, nullptr) << e.name;
        EXPECT_EQ(a->text(), uiText(e.caption)) << e.name;
        EXPECT_EQ(a->isCheckable(), e.checkable) << e.name;
    }
    EXPECT_EQ(w.f.window.action("START2")->text(), "Against the computer");
    EXPECT_EQ(w.f.window.action("OWARI")->text(), "Quit");
    EXPECT_TRUE(w.f.window.action("LEVEL3")->isChecked());
    EXPECT_TRUE(w.f.window.action("MIDORI")->isChecked());
}

// The English game as its player sees it: the refusal before a game, the turn's box, then the
// move counter and the move texts of the player's move and of the computer's answer.
TEST(EnglishWindow, BoxesCounterAndMoveTexts) {
    LanguageWindow w("en");
    WindowFixture& f = w.f;
    f.press(5, 5);
    ASSERT_EQ(f.boxes.size(), 1u);
    EXPECT_EQ(f.boxes[0].text, "Start a game from the Game menu.");
    EXPECT_EQ(f.boxes[0].title, "Start");
    f.window.action("START2")->trigger();
    ASSERT_EQ(f.boxes.size(), 2u);
    EXPECT_EQ(f.boxes[1].text, "Your move.");
    const size_t before = f.window.board()->displayList().ops().size();
    f.press(7, 7);
    f.press(7, 6);
    ASSERT_EQ(f.state().MOVE_COUNT, 2) << "the computer answered";
    const std::vector<QString> texts = textsSince(*f.window.board(), before);
    EXPECT_TRUE(contains(texts, "Move 1"));
    EXPECT_TRUE(contains(texts, "P37-36"));
    EXPECT_TRUE(contains(texts, "Move 2"));
    const bool chessAnswer = std::any_of(texts.begin(), texts.end(), [](const QString& t) {
        return t.size() >= 6 && QStringLiteral("ⓅⓇⓃⒷⓆⓀ").contains(t[0]) && t.contains('-');
    });
    EXPECT_TRUE(chessAnswer) << "the computer's move text in the notation";
    EXPECT_FALSE(contains(texts, "手目"));
}

// The longest English texts leave nothing behind once erased: the move texts on either side
// (erased by 消去_移動結果) and the move counter (drawn again with a shorter number).
TEST(EnglishWindow, ErasedTextsLeaveNothingBehind) {
    LanguageWindow w("en");
    Drawing& draw = w.f.window.game().drawing();
    GameState& g = w.f.state();
    auto picture = [&w] { return w.f.window.board()->image().copy(); };
    for (const bool upper : {true, false}) {
        const int side = upper ? g.UPPER_PLAYER : g.LOWER_PLAYER;
        const int sign = upper ? +1 : -1;
        draw.画面_再描画();
        draw.消去_移動結果(side);
        const QImage without = picture();
        // A pawn taking on its last rank and becoming a queen: "Ⓟ78x89=Ⓠ".
        g.ensureHistory(1);
        g.HISTORY[0] = {};
        g.HISTORY[0][3][8] = sign * PORN;
        g.HISTORY[0][2][9] = -sign * GIN;
        g.HISTORY[1] = {};
        g.HISTORY[1][2][9] = sign * QEEN;
        g.MOVE_NO = 1;
        draw.画面_再描画();
        const size_t before = w.f.window.board()->displayList().ops().size();
        draw.描画_移動結果(side, 2, 9, sign * QEEN, COLOR_MOVE_TEXT);
        EXPECT_TRUE(contains(textsSince(*w.f.window.board(), before), "Ⓟ78x89=Ⓠ"));
        draw.消去_移動結果(side);
        EXPECT_EQ(picture(), without) << (upper ? "above the board" : "beside the board");
    }
    draw.画面_再描画();
    draw.描画_手数(1, COLOR_WHITE);
    const QImage one = picture();
    draw.画面_再描画();
    draw.描画_手数(488, COLOR_WHITE);
    draw.描画_手数(1, COLOR_WHITE);
    EXPECT_EQ(picture(), one);
}

TEST(EnglishWindow, RecordPanelAndPieceChoiceSpeakEnglishAndFit) {
    LanguageWindow w("en");
    RecordPanel* panel = w.f.window.recordPanel();
    w.f.window.action("KIFU_WRITE")->trigger();
    const struct {
        const char* label;
        const char* text;
    } labels[] = {{"Label_Text2", "Game:"},
                  {"Label_Text3", "First player:"},
                  {"Label_Text4", "Second player:"},
                  {"Label_Text1", "File name:"}};
    for (const auto& l : labels) {
        const QLabel* label = panel->findChild<QLabel*>(l.label);
        ASSERT_NE(label, nullptr) << l.label;
        EXPECT_EQ(label->text(), l.text);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width()) << l.text;
    }
    const QPushButton* button = panel->findChild<QPushButton*>("Command1");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Save");
    const PieceChoiceDialog dialog(w.f.window.board()->pictures(), [](double) {}, &w.f.window);
    EXPECT_EQ(dialog.windowTitle(), "New piece");
}

// Qt's own buttons follow the language: Japanese from Qt's translation, English by itself.
TEST(QtButtons, FollowTheLanguage) {
    auto yes = [] {
        QMessageBox box(QMessageBox::NoIcon, "t", "x", QMessageBox::Yes | QMessageBox::No);
        return box.button(QMessageBox::Yes)->text();
    };
    applyLanguage("ja");
    EXPECT_EQ(language(), "ja");
    EXPECT_TRUE(yes().startsWith(QStringLiteral("はい"))) << yes().toStdString();
    applyLanguage("en");
    EXPECT_EQ(yes(), "&Yes");
    setLanguage("ja");  // as the other tests expect it: Japanese, Qt untranslated
}

// The game's font draws every character of every catalogue (the chess army's circled letters
// among them).
TEST(Translations, TheGamesFontDrawsEveryCharacter) {
    for (size_t i = 0; i < catalogue::LANGUAGE_COUNT; ++i) {
        const catalogue::Language& lang = catalogue::LANGUAGES[i];
        QString all;
        for (size_t k = 0; k < lang.size; ++k)
            all += QString::fromUtf8(lang.entries[k].text.data(),
                                     static_cast<qsizetype>(lang.entries[k].text.size()));
        all.remove(QChar('\r')).remove(QChar('\n'));
        EXPECT_TRUE(fontCovers(gameFonts().sans, all, QFont::Bold)) << std::string(lang.code);
    }
}

}  // namespace
}  // namespace zorvan
