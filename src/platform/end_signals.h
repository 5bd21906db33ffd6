// Ending the program from outside: `kill <pid>` and a desktop logout (SIGTERM) and Ctrl+C in the
// terminal that started it (SIGINT). The signal handler only writes to a pipe; the window's
// event loop reads it and ends the game as its own 終わり command does.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace zorvan {

class EndSignals : public QObject {
    Q_OBJECT

public:
    // Takes over SIGTERM and SIGINT for this process; one instance at a time.
    explicit EndSignals(QObject* parent = nullptr);
    ~EndSignals() override;
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

    // False when the pipe or the handlers could not be set up (the signals then act as before).
    bool active() const { return m_notifier != nullptr; }

signals:
    // The program was asked to end (the signal's number), delivered on the event loop's thread.
    void endRequested(int signal);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace zorvan
