// A real main window with a started game, message boxes answered by the test, and helpers that
// press on grid cells and read the rendered picture.
#pragma once

#include <gtest/gtest.h>

#include <QMenuBar>
#include <QTest>
#include <vector>

#include "model/game_state.h"
#include "platform/main_window.h"
#include "platform/qt_host.h"
#include "play/game.h"

namespace zorvan {

// A sound port that only counts what it is told.
class CountingSound final : public SoundPort {
public:
    void start(const std::function<void(std::string_view)>&) override { ++starts; }
    void play(SoundId id) override { played.push_back(id); }
    void playLooping(SoundId id) override { played.push_back(id); }
    void stop(SoundId) override {}
    void close() override { ++closes; }
    int starts = 0;
    int closes = 0;
    std::vector<SoundId> played;
};

class WindowFixture {
public:
    explicit WindowFixture(QSize board = QSize(640, 700)) : window(&sound) {
        window.host().setAnswerer([this](const HostMessage& m) {
            boxes.push_back(m);
            return answer;
        });
        window.show();
        resizeBoard(board);
        window.startUp();
    }

    // Resizes the window so that the board view gets the given size.
    void resizeBoard(QSize board) {
        window.resize(board.width(), board.height() + window.menuBar()->height());
        QApplication::processEvents();
    }

    // Logical position of a point of grid cell (c, r), as fractions of the cell.
    QPoint at(double c, double r, double fx = 0.5, double fy = 0.5) {
        const QPointF twips(BOARD_LEFT + (c + fx) * SQUARE_W, BOARD_TOP + (r + fy) * SQUARE_H);
        return window.board()->logicalOf(twips).toPoint();
    }

    void press(double c, double r, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(window.board(), button, {}, at(c, r));
    }

    // True when the inside of cell (c, r) shows exactly the picture set's picture.
    bool cellShows(int picture, int shade, int c, int r) {
        BoardView& v = *window.board();
        const QImage& img = v.image();
        const QImage& pic = v.pictures().cell(picture, shade);
        const double s = v.devicePixelsPerTwip();
        const int x0 = static_cast<int>(std::lround((BOARD_LEFT + c * SQUARE_W) * s));
        const int y0 = static_cast<int>(std::lround((BOARD_TOP + r * SQUARE_H) * s));
        const int margin = 2 + static_cast<int>(15 * s);  // clear of the outlines
        for (int y = margin; y < pic.height() - margin; ++y)
            for (int x = margin; x < pic.width() - margin; ++x)
                if (img.pixel(x0 + x, y0 + y) != pic.pixel(x, y)) return false;
        return true;
    }

    // Pixels of exactly a palette colour inside grid cell (c, r).
    int countInCell(double c, double r, QColor colour) {
        BoardView& v = *window.board();
        const QImage& img = v.image();
        const double s = v.devicePixelsPerTwip();
        int n = 0;
        for (int y = int((BOARD_TOP + r * SQUARE_H) * s);
             y < int((BOARD_TOP + (r + 1) * SQUARE_H) * s); ++y)
            for (int x = int((BOARD_LEFT + c * SQUARE_W) * s);
                 x < int((BOARD_LEFT + (c + 1) * SQUARE_W) * s); ++x)
                if (img.valid(x, y) && img.pixelColor(x, y) == colour) ++n;
        return n;
    }

    GameState& state() { return window.game().state(); }

    CountingSound sound;
    MainWindow window;
    std::vector<HostMessage> boxes;
    bool answer = true;
};

}  // namespace zorvan
