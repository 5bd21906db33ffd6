// How long the window is held by loading record files: each file given is chosen in the record
// panel's file list, and the time from the click until the board has been painted again is
// printed with the message the game showed. Run on Qt's offscreen platform by
// bench/hostile_records.py (make bench-hostile); not a test.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <string>

#include "platform/board_view.h"
#include "platform/main_window.h"
#include "platform/qt_host.h"
#include "play/hooks.h"

namespace {

// Seconds of processor time (user and system) the program has used.
double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zorvan::MainWindow window;
    std::string shown;
    window.host().setAnswerer([&shown](const zorvan::HostMessage& m) {
        if (shown.empty()) shown = m.text.toStdString();
        return true;
    });
    window.show();
    window.startUp();
    QApplication::processEvents();
    for (int i = 1; i < argc; ++i) {
        shown.clear();
        QElapsedTimer timer;
        timer.start();
        const double cpu = cpuSeconds();
        zorvan::File1_Click(window.game(), argv[i]);
        window.board()->repaint();
        QApplication::processEvents();
        std::printf("%s\t%.3f\t%.3f\t%s\n", argv[i], timer.nsecsElapsed() / 1e9, cpuSeconds() - cpu,
                    shown.c_str());
        std::fflush(stdout);
    }
    return 0;
}
