// The game's main window: the menu bar and the board view. It reports the player's actions as
// signals (menu commands by control name, presses in twips, Esc, closing) and shows the option
// check marks it is given; the game behind it is wired in one place (see game_window.h).
#pragma once

#include <QHash>
#include <QMainWindow>

#include "model/game_state.h"
#include "platform/board_view.h"

class QAction;

namespace zorvan {

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    BoardView* board() const { return m_board; }

    // The menu action of a control name ("MATCH_MAN", "LEVEL3", "TAIKYOKU", ...); nullptr for an
    // unknown name. For a menu that opens a sub-menu this is the menu's own action.
    QAction* action(const QString& control) const { return m_actions.value(control); }

    // Shows the check marks of the options, the background choice and the level.
    void showChecks(const OptionChecks& checks);

    // Pixels per twip of the window at its current scale.
    double pixelsPerTwip() const;

signals:
    // A menu item was chosen, or one of the top-level menus was opened.
    void menuCommand(const QString& control);
    // The Esc key.
    void escapePressed();
    // The close box (or any other close request) — the window is about to close.
    void closing();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void fitToScreen();

    BoardView* m_board;
    QHash<QString, QAction*> m_actions;
};

// Makes the game's CJK font the application font, so menus and dialogs show Japanese text.
void applyGameFont();

}  // namespace zorvan
