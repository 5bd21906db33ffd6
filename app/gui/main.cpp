// ZORVAN: a shogi army against a chess army on one board. The program's window.
#include <QApplication>

#include "platform/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZORVAN"));
    zorvan::applyGameFont();
    zorvan::MainWindow window;
    window.show();
    return QApplication::exec();
}
