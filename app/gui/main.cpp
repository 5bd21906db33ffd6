// ZORVAN: a shogi army against a chess army on one board. The program's window.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/deferred_icons.h"
#include "platform/end_signals.h"
#include "platform/files/user_folder.h"
#include "platform/language.h"
#include "platform/main_window.h"
#include "platform/sound/library_sound.h"

int main(int argc, char** argv) {
    // The usage is answered before Qt starts, so that it needs no display.
    if (zorvan::parseStartOptions(std::vector<std::string>(argv + 1, argv + argc)).help) {
        std::fputs(zorvan::startUsage(), stdout);
        return 0;
    }
#ifdef __GLIBC__
    // Large blocks (the window's pictures, the sounds) come from and go back to the system as
    // they are made and freed; otherwise, after the first one is freed, glibc serves them from
    // its heap, which a resize there and back leaves megabytes larger for good.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
    QApplication app(argc, argv);  // takes Qt's own options out of argv
    QApplication::setApplicationName(QStringLiteral("ZORVAN"));

    const zorvan::StartOptions options =
        zorvan::parseStartOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty()) {
        std::fprintf(stderr, "zorvan: %s\n%s", options.error.c_str(), zorvan::startUsage());
        return 2;
    }
    zorvan::applyLanguage(options.language);
    zorvan::applyGameFont();
    zorvan::deferStandardIcons();
    // Before anything reads "ZORVAN.ini" or the record panel notes its starting folder.
    if (options.userFolder) {
        const std::string error = zorvan::enterFolder(
            zorvan::userFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
        if (!error.empty()) {
            std::fprintf(stderr, "zorvan: %s\n", error.c_str());
            QMessageBox::critical(nullptr, QStringLiteral("ZORVAN"), QString::fromStdString(error));
            return 1;
        }
    }

    const std::string programDir = QDir(QApplication::applicationDirPath()).path().toStdString();
    zorvan::LibrarySound sound(zorvan::defaultSoundLibraryPaths(programDir),
                               zorvan::defaultSoundFolders(programDir));
    zorvan::MainWindow window(&sound);
    // kill, a logout and Ctrl+C end the game as its own 終わり does.
    zorvan::EndSignals endSignals;
    QObject::connect(&endSignals, &zorvan::EndSignals::endRequested, &window,
                     &zorvan::MainWindow::endFromOutside);
    // As a window's load: start-up runs before the window shows, which then opens with its
    // first picture; the sounds open right after it (and may warn then).
    window.startUp();
    window.show();
    return QApplication::exec();
}
