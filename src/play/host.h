// The host port: what play control needs from the window besides painting. The platform
// implements it with Qt widgets; tests implement it with recording fakes; the command-line tool
// with a silent one.
//
// Texts are UTF-8 and are the game's own texts. A message text may contain line breaks written as
// "\r" (carriage return), "\n" or "\r\n"; each one starts a new line.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "model/game_state.h"
#include "search/think.h"

namespace zorvan {

// Icon of a message box.
enum class MessageIcon { None, Information, Warning, Critical };

// Which of the two button sets of the piece-choice dialog: the white set (shown to the first
// player; its buttons give the lower side's codes -PORN .. -KING) or the black set (shown to the
// second player; its buttons give the upper side's codes +PORN .. +KING).
enum class PieceSet { None, White, Black };

// Where the piece-choice dialog opens, in twips relative to the main window's top-left corner.
struct DialogPlace {
    int left = 0;
    int top = 0;
};

class Host {
public:
    virtual ~Host() = default;

    // A modal message box with an OK button; returns when it is closed.
    virtual void message(std::string_view text, std::string_view title,
                         MessageIcon icon = MessageIcon::None) = 0;

    // A modal Yes/No question; true for Yes. Closing the box without an answer counts as No.
    virtual bool ask(std::string_view text, std::string_view title) = 0;

    // The chess piece choice dialog (window title "ZORVAN"), shown modally at `place`. It shows
    // six picture buttons of `shown` (pawn, rook, knight, bishop, queen, king; nothing when
    // PieceSet::None). A press shows the button's pressed picture for 0.3 seconds and closes the
    // dialog. Returns the kind of the pressed button (PORN, ROOK, KNIG, BISH, QEEN or KING), or 0
    // when the dialog was closed without a press.
    virtual int choosePiece(PieceSet shown, DialogPlace place) = 0;

    // The same dialog for a promotion made by the computer: shows `shown` without waiting for
    // the person, waits 1.5 seconds, then shows the pressed picture of button `kind` of the set
    // `pressed` for 0.3 seconds and closes. The window keeps painting meanwhile.
    virtual void showPieceChoice(PieceSet shown, PieceSet pressed, int kind, DialogPlace place) = 0;

    // Waits the given number of seconds while the window keeps painting (no input is handled).
    virtual void wait(double seconds) = 0;

    // Time of day in seconds since midnight (fractions allowed). Also asked from the worker
    // thread of runInBackground, when a job is done.
    virtual double now() = 0;

    // Enables or disables the periodic clock timer; while enabled the window calls Game::tick
    // several times a second.
    virtual void setTimer(bool enabled) = 0;

    // Ends the program after the current event (the window closes without asking).
    virtual void quit() = 0;

    // The record panel: shows or hides the drive, directory and file lists.
    virtual void setFileListsVisible(bool drive, bool directory, bool file) = 0;
    // Shows the record input panel (four text boxes, their labels and the "RETURN" button), or
    // empties its text boxes and hides it.
    virtual void setRecordInputVisible(bool visible) = 0;

    // What the record panel holds: the folder shown by the directory list and the four text
    // boxes (UTF-8). The default is an empty panel.
    struct RecordPanel {
        std::string folder;
        std::string gameName;  // "対 局 名："
        std::string sente;     // "先    手 ："
        std::string gote;      // "後    手 ："
        std::string fileName;  // "ﾌｧｲﾙ名 ："
    };
    virtual RecordPanel recordPanel() { return {}; }
    // Re-reads the folder shown by the file list (after a record was written).
    virtual void refreshFileList() {}

    // The option and level check marks live in GameState::checks; the game calls this after it
    // changed any of them so that the menu shows the new marks.
    virtual void checksChanged() = 0;

    // Runs `job` on a worker thread while the window stays alive, then `done` on the window's
    // thread between events (never inside a message box, a dialog or a wait of the game). The
    // job touches nothing of the game; it must return promptly once the game has told it to stop,
    // because a new job may wait for the previous one to finish. The default runs both at once,
    // on the caller's thread.
    virtual void runInBackground(std::function<void()> job, std::function<void()> done) {
        job();
        done();
    }

    // A search of the stronger computer: a copy of the position, the limits (whose stop flag is
    // `stop`), and the search to run on them.
    struct SearchJob {
        GameState position;
        search::Limits limits;
        std::shared_ptr<std::atomic<bool>> stop;
        std::function<search::Result(const GameState&, const search::Limits&)> search;
    };
    // Runs `job` away from the game and hands its answer to `done` on the game's thread, as
    // runInBackground does. The default runs job.search through runInBackground. A front end that
    // has no threads (the page) searches the same position within the same limits elsewhere
    // (search::encodeRequest and decodeResult carry them there and back) and may never call
    // `done` for a search it was told to stop. `done` also gets the time of day (as now() tells
    // it) at which the answer was ready: it may have waited behind a box before it was handed on.
    using SearchDone = std::function<void(const search::Result&, double readyAt)>;
    virtual void searchInBackground(std::shared_ptr<SearchJob> job, SearchDone done);
    // The search started last is no longer wanted: its stop flag is set, and its answer, should
    // one still come, is dropped. A front end that searches elsewhere ends it there.
    virtual void stopSearch() {}
};

}  // namespace zorvan
