// The Qt host: real modal boxes with the game's texts, the piece choice dialog and its place,
// the computer's promotion shown while the window keeps painting, and the ways out.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include "platform/piece_choice_dialog.h"
#include "window_fixture.h"

namespace zorvan {
namespace {

// Runs `look` on the modal widget as soon as one is up.
void whenModal(std::function<void(QWidget*)> look) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, look] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            look(w);
        }
    });
    poll->start();
}

QAbstractButton* buttonOf(QMessageBox* box, QMessageBox::StandardButton which) {
    return box ? box->button(which) : nullptr;
}

class HostTest : public ::testing::Test {
protected:
    HostTest() { f.window.host().setAnswerer({}); }  // real boxes
    WindowFixture f;
};

TEST_F(HostTest, MessageBoxShowsTheTextAndTitleWithLineBreaks) {
    QString text, title;
    whenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        text = box->text();
        title = box->windowTitle();
        buttonOf(box, QMessageBox::Ok)->click();
    });
    f.window.host().message("対局途中ではできません\r\r局面→最初にして下さい", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定",
                            MessageIcon::None);
    EXPECT_EQ(text, QStringLiteral("対局途中ではできません\n\n局面→最初にして下さい"));
    EXPECT_EQ(title, QStringLiteral("ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定"));
}

TEST_F(HostTest, QuestionAnswersYesOrNoAndEscapeMeansNo) {
    const struct {
        QMessageBox::StandardButton press;  // NoButton: the Esc key
        bool answer;
    } cases[] = {
        {QMessageBox::Yes, true}, {QMessageBox::No, false}, {QMessageBox::NoButton, false}};
    for (const auto& c : cases) {
        QString title;
        whenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            if (c.press == QMessageBox::NoButton)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                buttonOf(box, c.press)->click();
        });
        EXPECT_EQ(f.window.host().ask("続けますか？", "再ゲーム"), c.answer);
        EXPECT_EQ(title, QStringLiteral("再ゲーム"));
    }
}

TEST_F(HostTest, PersonsPromotionChoosesInTheDialogBesideTheLowerHand) {
    f.state().TURN = SENTE;
    QPoint where;
    QStringList visible;
    QString title;
    whenModal([&](QWidget* w) {
        ASSERT_EQ(w->objectName(), "Form2");
        title = w->windowTitle();
        where = w->pos();
        for (auto* b : w->findChildren<PieceButton*>())
            if (b->isVisible() && b->set() == PieceSet::White) visible << b->objectName();
        w->findChild<QAbstractButton*>("QEEN")->click();
    });
    f.window.game().pieceChoiceDialog(DialogPlace{7020, 1400});
    EXPECT_EQ(f.state().PROMOTE_CODE, -QEEN);
    EXPECT_EQ(title, "ZORVAN");
    visible.sort();
    EXPECT_EQ(visible, QStringList({"BISYO", "KING", "NIGT", "PORN", "QEEN", "ROOK"}));
    const double px = f.window.pixelsPerTwip();
    const QPoint expected =
        f.window.frameGeometry().topLeft() + QPoint(int(7020 * px), int(1400 * px));
    EXPECT_EQ(where, expected);
}

TEST_F(HostTest, ClosingTheDialogWithoutAPressChoosesNothing) {
    whenModal([](QWidget* w) { w->close(); });
    EXPECT_EQ(f.window.host().choosePiece(PieceSet::Black, DialogPlace{50, 1400}), 0);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

TEST_F(HostTest, ComputersPromotionShowsTheDialogWhileTheWindowKeepsPainting) {
    PaintCounter counter;
    f.window.board()->installEventFilter(&counter);
    bool dialogUp = false;
    QStringList blackButtons;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        f.window.board()->update();  // something to paint while the game waits
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "Form2" && w->isVisible()) {
                dialogUp = true;
                blackButtons.clear();
                for (auto* b : w->findChildren<PieceButton*>())
                    if (b->isVisible() && b->set() == PieceSet::Black)
                        blackButtons << b->objectName();
            }
    });
    probe.start(100);
    f.window.host().showPieceChoice(PieceSet::Black, PieceSet::Black, ROOK, DialogPlace{50, 1400});
    probe.stop();
    EXPECT_GT(counter.paints, 5);
    EXPECT_TRUE(dialogUp);
    EXPECT_EQ(blackButtons.size(), 6);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName() == "Form2" && w->isVisible());
}

TEST(PieceChoiceDialog, APressLightsItsButtonDuringTheShortWait) {
    PictureSet pictures;
    bool lit = false;
    int hiddenOthers = 0;
    PieceChoiceDialog* d = nullptr;
    PieceChoiceDialog dialog(
        pictures,
        [&](double seconds) {
            EXPECT_DOUBLE_EQ(seconds, 0.3);
            lit = d->button(KNIG)->showsPressed() && d->button(KNIG)->set() == PieceSet::Black;
            for (int k : {PORN, ROOK, BISH, QEEN, KING}) hiddenOthers += d->button(k)->isVisible();
        },
        nullptr);
    d = &dialog;
    dialog.showSet(PieceSet::White);
    dialog.show();
    dialog.press(PieceSet::Black, KNIG);  // the computer presses the other set's button
    EXPECT_TRUE(lit);
    EXPECT_EQ(hiddenOthers, 5);  // the shown set stays until the wait is over
    EXPECT_EQ(dialog.chosenKind(), KNIG);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ProgramEnd, EscEndsTheProgramAfterReleasingTheSounds) {
    WindowFixture f;
    QSignalSpy ended(&f.window, &MainWindow::programEnded);
    QTest::keyClick(f.window.board(), Qt::Key_Escape);
    EXPECT_EQ(f.sound.closes, 1);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(f.boxes.empty());  // no question asked
    QApplication::processEvents();
    EXPECT_FALSE(f.window.isVisible());
    EXPECT_EQ(f.sound.closes, 1);  // closing the window does not release them twice
}

TEST(ProgramEnd, TheCloseBoxReleasesTheSounds) {
    WindowFixture f;
    f.window.close();
    EXPECT_EQ(f.sound.closes, 1);
    EXPECT_TRUE(f.window.game().ended());
}

TEST(ProgramEnd, NoToAnotherGameEndsTheProgram) {
    WindowFixture f;
    f.answer = false;
    QSignalSpy ended(&f.window, &MainWindow::programEnded);
    f.window.game().終了("後手");
    ASSERT_EQ(f.boxes.size(), 2u);
    EXPECT_EQ(f.boxes[0].text, QStringLiteral("後手の勝ちです"));
    EXPECT_EQ(f.boxes[0].title, QStringLiteral("終了"));
    EXPECT_TRUE(f.boxes[1].question);
    EXPECT_EQ(f.boxes[1].text, QStringLiteral("続けますか？"));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(f.sound.closes, 1);
}

TEST(ProgramEnd, TheMenuItemEndsTheProgram) {
    WindowFixture f;
    QSignalSpy ended(&f.window, &MainWindow::programEnded);
    f.window.action("OWARI")->trigger();
    EXPECT_EQ(ended.count(), 1);
    QApplication::processEvents();
    EXPECT_FALSE(f.window.isVisible());
}

}  // namespace
}  // namespace zorvan

namespace zorvan {
namespace {

TEST(ClockTimer, TicksTheGameButNotWhileItWaitsInsideAnEvent) {
    WindowFixture f;
    GameState& g = f.state();
    g.TURN = g.LOWER_PLAYER;
    g.MOVE_START_TIME = f.window.host().now() - 5;
    f.window.game().setTimer(true);
    EXPECT_TRUE(f.window.clockRunning());
    f.window.host().wait(0.6);  // the game is busy: its clock stands still
    EXPECT_EQ(g.SHOWN_SECOND, 0);
    for (int i = 0; i < 100 && g.SHOWN_SECOND == 0; ++i) QTest::qWait(50);
    EXPECT_GE(g.SHOWN_SECOND, 5);
    f.window.game().setTimer(false);
    EXPECT_FALSE(f.window.clockRunning());
}

}  // namespace
}  // namespace zorvan
