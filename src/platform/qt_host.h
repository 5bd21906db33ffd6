// The host port over Qt: modal message boxes with the game's texts, the piece choice dialog, waits
// that keep the window painting, the time of day, the clock timer and the program's end.
//
// For tests the message boxes can be answered without showing them (setAnswerer), and the piece
// choice can be made without the dialog (setPieceChooser).
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <thread>

#include "play/host.h"

namespace zorvan {

class MainWindow;

// A message box as the game asked for it.
struct HostMessage {
    QString text;  // line breaks as "\n"
    QString title;
    MessageIcon icon = MessageIcon::None;
    bool question = false;  // Yes/No rather than OK
};

class QtHost final : public Host {
public:
    explicit QtHost(MainWindow& window);
    ~QtHost() override;  // waits for a background job (the game has told it to stop)

    void message(std::string_view text, std::string_view title, MessageIcon icon) override;
    bool ask(std::string_view text, std::string_view title) override;
    int choosePiece(PieceSet shown, DialogPlace place) override;
    void showPieceChoice(PieceSet shown, PieceSet pressed, int kind, DialogPlace place) override;
    void wait(double seconds) override;
    double now() override;
    void setTimer(bool enabled) override;
    void quit() override;
    void setFileListsVisible(bool drive, bool directory, bool file) override;
    void setRecordInputVisible(bool visible) override;
    RecordPanel recordPanel() override;
    void refreshFileList() override;
    void checksChanged() override;
    void runInBackground(std::function<void()> job, std::function<void()> done) override;

    // Answers message boxes without showing them: the function gets each box and returns the
    // answer to a question (ignored for an OK box). An empty function shows real boxes again.
    void setAnswerer(std::function<bool(const HostMessage&)> answerer) {
        m_answerer = std::move(answerer);
    }
    // Makes the person's piece choice without the dialog: gets the set shown, returns a kind or 0.
    void setPieceChooser(std::function<int(PieceSet)> chooser) { m_chooser = std::move(chooser); }

    // True while the game waits inside a host call (a box, the dialog, a wait): the clock timer's
    // ticks are held back then, as they would be in a busy procedure.
    bool busy() const { return m_busy > 0; }

    // How many answers of background jobs have been handed to the game so far.
    int answersDelivered() const { return m_delivered; }

    // Converts a game text to a display text: "\r\n", "\r" and "\n" each start a new line.
    static QString displayText(std::string_view text);

    // Where a dialog placed at `place` (twips from the main window's top-left) goes on screen.
    QPoint screenPlace(DialogPlace place) const;

private:
    void deliver(std::function<void()> done);

    MainWindow& m_window;
    QObject m_receiver;    // answers of background jobs are delivered through it
    std::thread m_worker;  // the background job's thread
    std::function<bool(const HostMessage&)> m_answerer;
    std::function<int(PieceSet)> m_chooser;
    int m_busy = 0;
    int m_delivered = 0;
};

}  // namespace zorvan
