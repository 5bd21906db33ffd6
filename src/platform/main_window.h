// The game's main window. It owns the game and the platform objects and wires them in one
// place: menu choices go to the game by control name, presses on the board in twips, Esc and the
// close box end the program through the game, and the clock timer ticks it. The window also
// reports the player's actions as signals, which the tests watch.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <memory>

#include "model/game_state.h"
#include "platform/board_view.h"
#include "platform/text/cp932_codec.h"

class QAction;
class QTimer;

namespace zorvan {

class Game;
class QtHost;
class RecordPanel;
class SoundPort;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // `sound` must outlive the window; without it the game is silent.
    explicit MainWindow(SoundPort* sound = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window's load: the game's start-up (sounds, settings file, the first picture).
    void startUp();

    BoardView* board() const { return m_board; }
    Game& game() { return *m_game; }
    QtHost& host() { return *m_host; }
    // The record panel over the board (lists, name boxes and the RETURN button).
    RecordPanel* recordPanel() const { return m_recordPanel; }

    // The menu action of a control name ("MATCH_MAN", "LEVEL3", "TAIKYOKU", ...); nullptr for an
    // unknown name. For a menu that opens a sub-menu this is the menu's own action.
    QAction* action(const QString& control) const { return m_actions.value(control); }

    // Shows the check marks of the options, the background choice and the level.
    void showChecks(const OptionChecks& checks);

    // Pixels per twip of the window at its current scale.
    double pixelsPerTwip() const;

    // The clock timer (it ticks the game several times a second while it runs).
    void setClockRunning(bool running);
    bool clockRunning() const;

    // Closes the window once the current event is over (the game has ended the program).
    void endAfterThisEvent();

    // The program was asked from outside to end (SIGTERM, SIGINT): ends it as 終わり does, the
    // sounds released, and leaves any message box or dialog that is open.
    void endFromOutside();

signals:
    // A menu item was chosen, or one of the top-level menus was opened.
    void menuCommand(const QString& control);
    // The Esc key.
    void escapePressed();
    // The close box (or any other close request) — the window is about to close.
    void closing();
    // The game ended the program (the window closes after the current event).
    void programEnded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void fitToScreen();
    void wireGame();

    BoardView* m_board;
    QHash<QString, QAction*> m_actions;
    Cp932Codec m_codec;  // the settings and record files are in the Japanese code page
    std::unique_ptr<QtHost> m_host;
    std::unique_ptr<Game> m_game;
    QTimer* m_clock;
    RecordPanel* m_recordPanel;
    QTimer* m_fitStore;        // once a size has stood a moment: see resizeEvent
    qint64 m_storeArea = 0;    // the largest area the window has had since the store last fit
    QTimer* m_releaseFonts;    // a moment after painting: see eventFilter
};

// Makes the game's CJK font the application font, so menus and dialogs show Japanese text.
void applyGameFont();

}  // namespace zorvan
