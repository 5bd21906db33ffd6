#include "platform/main_window.h"

#include <QAction>
#include <QBackingStore>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/art_painter.h"
#include "platform/deferred_icons.h"
#include "platform/files/mapped_pages.h"
#include "platform/fonts.h"
#include "platform/language.h"
#include "platform/qt_host.h"
#include "platform/record_panel.h"
#include "play/game.h"
#include "play/hooks.h"
#include "ui/menu_tree.h"

namespace zorvan {

namespace {

constexpr int kTickMs = 250;
// How long start-up waits at most for the first picture before it opens the sounds.
constexpr int kOpenSoundsAnywayMs = 1000;
// How long the first picture stands alone before the sounds open: a warning that they cannot
// open (which can come within milliseconds) follows the board rather than racing it to the
// screen. Any action of the player opens them at once.
constexpr int kOpenSoundsAfterPictureMs = 150;
// How long after a paint the font files' pages are given back (at most this often).
constexpr int kReleaseFontsAfterPaintMs = 500;

}  // namespace

MainWindow::MainWindow(SoundPort* sound, QWidget* parent)
    : QMainWindow(parent),
      m_board(new BoardView(this)),
      m_host(std::make_unique<QtHost>(*this)),
      m_game(std::make_unique<Game>(*m_host, m_board, sound)),
      m_clock(new QTimer(this)),
      m_recordPanel(new RecordPanel(*m_board, *m_host)),
      m_fitStore(new QTimer(this)),
      m_releaseFonts(new QTimer(this)) {
    setObjectName("Form1");
    setWindowTitle(QStringLiteral("ZORVAN"));
    setWindowIcon(gameIcon());
    setCentralWidget(m_board);
    buildMenus();
    m_board->setFocus();
    fitToScreen();
    wireGame();
    m_fitStore->setSingleShot(true);
    m_fitStore->setInterval(400);
    connect(m_fitStore, &QTimer::timeout, this, [this] {
        const qint64 area = qint64(width()) * height();
        if (area < m_storeArea && backingStore()) {
            // The window's picture store stays at the largest size the window ever had (the X
            // backing store keeps its shared memory until the window shrinks to half); made
            // tiny for a moment, it is made again at the size the window has now.
            backingStore()->resize(QSize(1, 1));
            update();
        }
        m_storeArea = area;
    });
    m_releaseFonts->setSingleShot(true);
    m_releaseFonts->setInterval(kReleaseFontsAfterPaintMs);
    connect(m_releaseFonts, &QTimer::timeout, this, [] { releaseFontPages(); });
    qApp->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Whatever painted (the board, a menu, a message box) has its new glyphs in Qt's cache by
    // now; the font files' pages FreeType read them from are given back a moment later.
    if (event->type() == QEvent::Paint && !m_releaseFonts->isActive()) m_releaseFonts->start();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    m_storeArea = std::max(m_storeArea, qint64(width()) * height());
    m_fitStore->start();
}

MainWindow::~MainWindow() = default;

void MainWindow::wireGame() {
    // The settings file and the records are read and written in the current folder.
    m_game->setFiles("ZORVAN.ini", &m_codec);
    auto sync = [this] { showChecks(m_game->state().checks); };
    connect(this, &MainWindow::menuCommand, this, [this, sync](const QString& control) {
        m_game->menu(control.toStdString());
        sync();  // a refused change leaves the marks as the game has them
    });
    connect(m_board, &BoardView::pressed, this,
            [this](int button, double x, double y) { m_game->mousePress(button, x, y); });
    connect(this, &MainWindow::escapePressed, this, [this] { m_game->keyPress(KEY_ESC); });
    // The record panel: a file of the list loads, "RETURN" writes the game.
    connect(m_recordPanel, &RecordPanel::fileChosen, this, [this, sync](const QString& path) {
        if (m_game->ended()) return;
        File1_Click(*m_game, path.toStdString());
        sync();
    });
    connect(m_recordPanel, &RecordPanel::returnPressed, this, [this] { m_game->menu("Command1"); });
    m_clock->setInterval(kTickMs);
    connect(m_clock, &QTimer::timeout, this, [this] {
        if (!m_host->busy()) m_game->tick();
    });
    sync();
}

void MainWindow::startUp() {
    // The sounds open once the first picture is on the screen (any action of the player opens
    // them first, and they open anyway should the window not be painted soon).
    m_game->startUp(false);
    showChecks(m_game->state().checks);
    auto open = [this] {
        m_game->openSounds();
#ifdef __GLIBC__
        // Start-up is over: what it used only for a moment (font tables, decoded sounds,
        // conversions) goes back to the system instead of waiting in the heap.
        malloc_trim(0);
#endif
    };
    connect(
        m_board, &BoardView::painted, this,
        [this, open] { QTimer::singleShot(kOpenSoundsAfterPictureMs, this, open); },
        Qt::SingleShotConnection);
    QTimer::singleShot(kOpenSoundsAnywayMs, this, open);
}

void MainWindow::setClockRunning(bool running) {
    if (running && !m_clock->isActive()) m_clock->start();
    if (!running) m_clock->stop();
}

bool MainWindow::clockRunning() const {
    return m_clock->isActive();
}

void MainWindow::endAfterThisEvent() {
    m_clock->stop();
    emit programEnded();
    QTimer::singleShot(0, this, &QWidget::close);
}

void MainWindow::endFromOutside() {
    m_game->menu("OWARI");
    // Every event loop ends, a modal one included; none starts any more.
    QCoreApplication::exit(0);
}

void MainWindow::fitToScreen() {
    // The default scale, unless the screen is too small for it; the window manager places it.
    QSize board = m_board->sizeHint();
    const int menu = menuBar()->sizeHint().height();
    if (const QScreen* s = screen()) {
        const QSize room = s->availableGeometry().size() - QSize(16, 48 + menu);
        if (board.width() > room.width() || board.height() > room.height()) {
            // Shrink both sides alike, so the board keeps its shape.
            const double k = std::max(0.5, std::min(double(room.width()) / board.width(),
                                                    double(room.height()) / board.height()));
            board = (QSizeF(board) * k).toSize();
        }
    }
    resize(board.width(), board.height() + menu);
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setNativeMenuBar(false);  // the menu belongs to the game window on every desktop
    giveOverflowArrowWhenShown(bar);
    QHash<QString, QMenu*> menus;
    // An entry that has children is a menu; the others are commands.
    QHash<QString, bool> hasChildren;
    for (const MenuEntry& e : menuTree())
        if (e.parent) hasChildren[QString::fromUtf8(e.parent)] = true;

    for (const MenuEntry& e : menuTree()) {
        const QString name = QString::fromUtf8(e.name);
        const QString caption = uiText(e.caption);
        QMenu* parent = e.parent ? menus.value(QString::fromUtf8(e.parent)) : nullptr;
        QAction* action = nullptr;
        if (hasChildren.value(name)) {
            QMenu* menu = parent ? parent->addMenu(caption) : bar->addMenu(caption);
            menu->setObjectName(name);
            menus[name] = menu;
            action = menu->menuAction();
            // The game hears of the top-level menus when they open.
            if (!parent)
                connect(menu, &QMenu::aboutToShow, this, [this, name] { emit menuCommand(name); });
        } else {
            action = parent ? parent->addAction(caption) : bar->addAction(caption);
            action->setCheckable(e.checkable);
            connect(action, &QAction::triggered, this, [this, name] { emit menuCommand(name); });
        }
        action->setObjectName(name);
        m_actions[name] = action;
    }
}

void MainWindow::showChecks(const OptionChecks& c) {
    for (const auto& [name, on] : checkMarks(c))
        if (QAction* a = action(QString::fromUtf8(name))) a->setChecked(on);
}

double MainWindow::pixelsPerTwip() const {
    return m_board->zoom() / 15.0;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit escapePressed();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    emit closing();
    m_clock->stop();
    m_game->close();  // releases the sounds, unless the game has ended the program already
    event->accept();
}

void applyGameFont() {
    QFont font = QApplication::font();
    font.setFamilies({gameFonts().sans});
    QApplication::setFont(font);
}

}  // namespace zorvan
