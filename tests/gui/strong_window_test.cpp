// The stronger computer and the hint in the real window: the search runs on the host's worker
// thread while the window goes on handling events, and its answer comes back to the window's
// thread. The search is a stand-in the test holds back and lets go.
#include <QAction>
#include <QSignalSpy>
#include <QThread>
#include <atomic>
#include <chrono>
#include <thread>

#include "platform/palette.h"
#include "ui/drawing.h"
#include "window_fixture.h"

namespace zorvan {
namespace {

constexpr int kPatienceMs = 30000;  // how long a test waits for the other thread at most

search::Result answer(int fx, int fy, int tx, int ty, int code) {
    search::Result r;
    r.found = true;
    r.move = Move{fx, fy, tx, ty, code, code};
    return r;
}

// A search held back until the test releases it or the game stops it. The n-th search answers
// answers[n] (the last one again when there are fewer).
struct HeldSearch {
    std::vector<search::Result> answers;
    std::atomic<bool> release{false};
    std::atomic<int> started{0};
    std::atomic<int> stopped{0};  // searches that ended because the game stopped them
    std::atomic<bool> offMainThread{true};
    QThread* mainThread = QThread::currentThread();

    Game::StrongSearch search() {
        return [this](const GameState&, const search::Limits& l) {
            const int n = started++;
            if (QThread::currentThread() == mainThread) offMainThread = false;
            for (;;) {
                if (l.stop && l.stop->load()) {
                    ++stopped;
                    break;
                }
                if (release) break;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            return answers[std::min<size_t>(static_cast<size_t>(n), answers.size() - 1)];
        };
    }
};

// A level-5 game in the window in which the person has moved a 歩; the computer thinks.
void startThinking(WindowFixture& f, HeldSearch& held) {
    f.window.game().setStrongSearch(held.search());
    f.window.action("LEVEL5")->trigger();
    f.window.action("START2")->trigger();
    f.press(3, 7);
    f.press(3, 6);
    ASSERT_TRUE(QTest::qWaitFor([&] { return held.started == 1; }, kPatienceMs));
}

TEST(StrongComputerWindow, TheWindowStaysAliveWhileTheComputerThinksOnAnotherThread) {
    HeldSearch held;
    held.answers = {answer(5, 2, 5, 3, +PORN)};
    WindowFixture f;
    f.state().checks.KEIKA = true;  // the times are shown
    startThinking(f, held);
    EXPECT_TRUE(f.window.action("LEVEL5")->isChecked());
    EXPECT_FALSE(f.window.action("LEVEL3")->isChecked());
    EXPECT_EQ(f.window.game().thinking(), Game::Thinking::Computer);
    EXPECT_TRUE(f.window.clockRunning());

    // The thinking caption is on the picture, and the computer's clock goes on being drawn
    // (left of the board) while the search runs.
    const auto& ops = f.window.board()->displayList().ops();
    EXPECT_TRUE(std::any_of(ops.begin(), ops.end(), [](const PaintOp& op) {
        return op.kind == PaintOp::Kind::Text && op.text == QStringLiteral("思考中");
    }));
    auto upperClockTexts = [&] {
        return std::count_if(ops.begin(), ops.end(), [](const PaintOp& op) {
            return op.kind == PaintOp::Kind::Text && op.text.contains(':') && op.x < BOARD_LEFT;
        });
    };
    const auto clocks = upperClockTexts();
    ASSERT_TRUE(QTest::qWaitFor([&] { return upperClockTexts() > clocks; }, kPatienceMs));
    EXPECT_EQ(held.started, 1);
    EXPECT_EQ(f.state().MOVE_NO, 1);

    // A press on the board is refused with the sound only.
    f.sound.played.clear();
    const size_t boxes = f.boxes.size();
    f.press(5, 2);
    EXPECT_EQ(f.sound.played, (std::vector<SoundId>{SoundId::Forbidden}));
    EXPECT_EQ(f.boxes.size(), boxes);
    EXPECT_EQ(f.state().BOARD[5][3], EMPTY);

    held.release = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.state().MOVE_NO == 2; }, kPatienceMs));
    EXPECT_TRUE(held.offMainThread);
    EXPECT_EQ(f.state().BOARD[5][3], +PORN);
    EXPECT_TRUE(f.cellShows(+PORN, f.state().SQUARE_SHADE[5][3], 5, 3));
    EXPECT_EQ(f.state().TURN, f.state().LOWER_PLAYER);
    EXPECT_EQ(f.window.game().thinking(), Game::Thinking::None);
}

TEST(StrongComputerWindow, EscEndsTheProgramAtOnceAndStopsTheSearch) {
    HeldSearch held;
    held.answers = {answer(5, 2, 5, 3, +PORN)};
    WindowFixture f;
    startThinking(f, held);
    QSignalSpy ended(&f.window, &MainWindow::programEnded);
    QTest::keyClick(f.window.board(), Qt::Key_Escape);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(f.sound.closes, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return held.stopped == 1; }, kPatienceMs));
    QApplication::processEvents();
    EXPECT_FALSE(f.window.isVisible());
    EXPECT_EQ(f.state().BOARD[5][3], EMPTY);
}

TEST(StrongComputerWindow, TheCloseBoxEndsTheProgramWhileItThinks) {
    HeldSearch held;
    held.answers = {answer(5, 2, 5, 3, +PORN)};
    WindowFixture f;
    startThinking(f, held);
    f.window.close();
    EXPECT_TRUE(f.window.game().ended());
    EXPECT_EQ(f.sound.closes, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return held.stopped == 1; }, kPatienceMs));
}

TEST(StrongComputerWindow, SaishoStopsTheSearchAndItsAnswerIsNotPlayed) {
    HeldSearch held;
    held.answers = {answer(5, 2, 5, 3, +PORN)};
    WindowFixture f;
    startThinking(f, held);
    f.window.action("CANCEL")->trigger();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return f.window.host().answersDelivered() == 1; }, kPatienceMs));
    EXPECT_EQ(held.stopped, 1);
    EXPECT_EQ(f.state().MOVE_NO, 0);
    EXPECT_EQ(f.state().BOARD[5][3], EMPTY);
    EXPECT_EQ(f.state().BOARD[3][7], -HU);  // a new game
}

TEST(StrongComputerWindow, AfterALevelChangeOnlyTheNewLevelsMoveIsPlayed) {
    HeldSearch held;
    held.answers = {answer(5, 2, 5, 3, +PORN), answer(4, 2, 4, 4, +PORN)};
    WindowFixture f;
    startThinking(f, held);
    f.window.action("LEVEL4")->trigger();
    EXPECT_TRUE(f.window.action("LEVEL4")->isChecked());
    ASSERT_TRUE(QTest::qWaitFor([&] { return held.started == 2; }, kPatienceMs));
    // The stopped level-5 search answers first; the window must not play that.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return f.window.host().answersDelivered() == 1; }, kPatienceMs));
    EXPECT_EQ(f.state().MOVE_NO, 1);
    EXPECT_EQ(f.window.game().thinking(), Game::Thinking::Computer);

    held.release = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.state().MOVE_NO == 2; }, kPatienceMs));
    EXPECT_EQ(f.state().BOARD[4][4], +PORN);
    EXPECT_EQ(f.state().BOARD[5][3], EMPTY);
}

TEST(StrongComputerWindow, TheBuiltInSearchPlaysAtLevelFour) {
    WindowFixture f;
    f.window.action("LEVEL4")->trigger();
    f.window.action("START2")->trigger();
    f.press(3, 7);
    f.press(3, 6);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.state().MOVE_NO == 2; }, kPatienceMs));
    EXPECT_EQ(f.state().TURN, f.state().LOWER_PLAYER);
}

// LEVEL5's own search: two threads over a shared table, and the table kept from its first move
// for its second.
TEST(StrongComputerWindow, TheBuiltInSearchPlaysTwoMovesAtLevelFive) {
    WindowFixture f;
    f.window.action("LEVEL5")->trigger();
    f.window.action("START2")->trigger();
    f.press(3, 7);
    f.press(3, 6);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.state().MOVE_NO == 2; }, kPatienceMs));
    f.press(7, 7);
    f.press(7, 6);
    ASSERT_EQ(f.state().MOVE_NO, 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.state().MOVE_NO == 4; }, kPatienceMs));
    EXPECT_EQ(f.state().TURN, f.state().LOWER_PLAYER);
    EXPECT_EQ(f.window.game().thinking(), Game::Thinking::None);
}

// An answer that arrives while the game shows a message box waits until the box is closed, so
// the game never handles it inside another of its procedures.
TEST(BackgroundJobs, AnAnswerWaitsUntilTheGamesBoxIsClosed) {
    WindowFixture f;
    QtHost& host = f.window.host();
    int delivered = 0;
    int deliveredInsideTheBox = -1;
    host.setAnswerer([&](const HostMessage&) {
        host.runInBackground([] {}, [&] { ++delivered; });
        // Starting another job waits for the first, so its answer has been posted by now.
        host.runInBackground([] {}, [&] { ++delivered; });
        QCoreApplication::processEvents();
        deliveredInsideTheBox = delivered;
        return true;
    });
    host.message("?", "", MessageIcon::None);
    EXPECT_EQ(deliveredInsideTheBox, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return delivered == 2; }, kPatienceMs));
    EXPECT_EQ(host.answersDelivered(), 2);
}

TEST(HintWindow, OutlinesTheSuggestionInItsOwnColourUntilThePress) {
    HeldSearch held;
    held.answers = {answer(3, 7, 3, 6, -HU)};
    held.release = true;
    WindowFixture f;
    f.window.game().setStrongSearch(held.search());
    f.window.action("HINT")->trigger();  // no game yet
    EXPECT_EQ(f.sound.played.back(), SoundId::Forbidden);
    ASSERT_FALSE(f.boxes.empty());
    EXPECT_EQ(f.boxes.back().text, QStringLiteral("「対局」で始めて下さい"));
    EXPECT_EQ(f.boxes.back().title, QStringLiteral("開始"));
    EXPECT_EQ(held.started, 0);

    f.window.action("MATCH_MAN")->trigger();
    f.window.action("HINT")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.window.game().hintShown(); }, kPatienceMs));
    const QColor hint = paletteColour(COLOR_HINT);
    EXPECT_GT(f.countInCell(3, 7, hint), 0);
    EXPECT_GT(f.countInCell(3, 6, hint), 0);
    EXPECT_EQ(f.state().MOVE_NO, 0);

    f.press(1, 5);  // an empty square
    EXPECT_EQ(f.countInCell(3, 7, hint), 0);
    EXPECT_EQ(f.countInCell(3, 6, hint), 0);
}

// While the computer thinks, the hint and a refused step are refused with their boxes, and the
// computer thinks on and moves.
TEST(StrongComputerWindow, RefusalsWhileItThinksLeaveItThinking) {
    HeldSearch held;
    held.answers = {answer(5, 2, 5, 3, +PORN)};
    WindowFixture f;
    startThinking(f, held);
    f.boxes.clear();
    f.window.action("HINT")->trigger();
    f.window.action("AFTER")->trigger();
    ASSERT_EQ(f.boxes.size(), 2u);
    EXPECT_EQ(f.boxes[0].text, QStringLiteral("思考中はできません"));
    EXPECT_EQ(f.boxes[0].title, QStringLiteral("ﾋﾝﾄ"));
    EXPECT_EQ(f.boxes[1].text, QStringLiteral("できません"));
    EXPECT_EQ(f.window.game().thinking(), Game::Thinking::Computer);
    held.release = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.state().MOVE_NO == 2; }, kPatienceMs));
    EXPECT_EQ(f.state().BOARD[5][3], +PORN);
}

}  // namespace
}  // namespace zorvan
