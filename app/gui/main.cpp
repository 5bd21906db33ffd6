// ZORVAN: a shogi army against a chess army on one board. The program's window.
#include <QApplication>
#include <QDir>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/end_signals.h"
#include "platform/main_window.h"
#include "platform/sound/library_sound.h"

int main(int argc, char** argv) {
#ifdef __GLIBC__
    // Large blocks (the window's pictures, the sounds) come from and go back to the system as
    // they are made and freed; otherwise, after the first one is freed, glibc serves them from
    // its heap, which a resize there and back leaves megabytes larger for good.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZORVAN"));
    zorvan::applyGameFont();

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
