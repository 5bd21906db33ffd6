// ZORVAN: a shogi army against a chess army on one board. The program's window.
#include <QApplication>
#include <QDir>

#include "platform/end_signals.h"
#include "platform/main_window.h"
#include "platform/sound/library_sound.h"

int main(int argc, char** argv) {
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
    // As a window's load: start-up runs (and may warn about the sound) before the window shows,
    // which then opens with its first picture.
    window.startUp();
    window.show();
    return QApplication::exec();
}
