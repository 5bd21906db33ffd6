// The start-up benchmark's second baseline: the least a Qt 6 window of this kind costs, a menu
// bar and one line of Japanese text in the CJK font the game uses. Nothing else.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("baseline"));
    for (const char* caption : {"対局", "局面", "棋譜", "ｵﾌﾟｼｮﾝ", "その他"})
        window.menuBar()->addMenu(QString::fromUtf8(caption))->addAction(QStringLiteral("-"));
    auto* line = new QLabel(QStringLiteral("先手の番です　歩香桂銀金角飛王"));
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(32);
    line->setFont(font);
    line->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(line);
    window.resize(640, 720);
    window.show();
    return QApplication::exec();
}
