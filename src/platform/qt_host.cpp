#include "platform/qt_host.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QTime>
#include <QTimer>
#include <mutex>

#include "platform/main_window.h"
#include "platform/message_copy.h"
#include "platform/piece_choice_dialog.h"
#include "platform/record_panel.h"
#include "play/game.h"

namespace zorvan {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon iconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// How soon an answer that arrived inside a busy host call is offered again.
constexpr int kRetryMs = 50;

// Counts a host call as busy for as long as it runs.
struct BusyScope {
    explicit BusyScope(int& n) : count(n) { ++count; }
    ~BusyScope() { --count; }
    int& count;
};

}  // namespace

QtHost::QtHost(MainWindow& window) : m_window(window) {}

QtHost::~QtHost() {
    if (m_worker.joinable()) m_worker.join();
}

QString QtHost::displayText(std::string_view text) {
    QString s = fromUtf8(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QChar('\r'), QChar('\n'));
    return s;
}

void QtHost::message(std::string_view text, std::string_view title, MessageIcon icon) {
    BusyScope busy(m_busy);
    const HostMessage m{displayText(text), fromUtf8(title), icon, false};
    if (m_answerer) {
        m_answerer(m);
        return;
    }
    QMessageBox box(iconOf(icon), m.title, m.text, QMessageBox::Ok, &m_window);
    box.setTextFormat(Qt::PlainText);
    allowCopy(box);
    box.exec();
}

bool QtHost::ask(std::string_view text, std::string_view title) {
    BusyScope busy(m_busy);
    const HostMessage m{displayText(text), fromUtf8(title), MessageIcon::None, true};
    if (m_answerer) return m_answerer(m);
    QMessageBox box(QMessageBox::NoIcon, m.title, m.text, QMessageBox::Yes | QMessageBox::No,
                    &m_window);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    allowCopy(box);
    return box.exec() == QMessageBox::Yes;
}

QPoint QtHost::screenPlace(DialogPlace place) const {
    const double px = m_window.pixelsPerTwip();
    return m_window.frameGeometry().topLeft() +
           QPoint(static_cast<int>(place.left * px), static_cast<int>(place.top * px));
}

int QtHost::choosePiece(PieceSet shown, DialogPlace place) {
    BusyScope busy(m_busy);
    if (m_chooser) return m_chooser(shown);
    PieceChoiceDialog dialog(
        m_window.board()->pictures(), [this](double s) { wait(s); }, &m_window);
    dialog.showSet(shown);
    dialog.move(screenPlace(place));
    dialog.exec();
    return dialog.chosenKind();
}

void QtHost::showPieceChoice(PieceSet shown, PieceSet pressed, int kind, DialogPlace place) {
    BusyScope busy(m_busy);
    PieceChoiceDialog dialog(
        m_window.board()->pictures(), [this](double s) { wait(s); }, &m_window);
    dialog.showSet(shown);
    dialog.move(screenPlace(place));
    dialog.show();
    dialog.repaint();
    wait(1.5);
    dialog.press(pressed, kind);
    dialog.close();
}

void QtHost::wait(double seconds) {
    BusyScope busy(m_busy);
    if (seconds <= 0) return;
    // Paint and run timers meanwhile; presses and keys wait until the game is done.
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

double QtHost::now() {
    // Also asked on the worker thread. The time of day goes through the C library's time-zone
    // state, kept in order by a lock inside the library that ThreadSanitizer cannot see; this
    // lock of our own puts the readings in an order it can.
    static std::mutex clock;
    const std::lock_guard<std::mutex> lock(clock);
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void QtHost::setTimer(bool enabled) {
    m_window.setClockRunning(enabled);
}

void QtHost::quit() {
    m_window.endAfterThisEvent();
}

void QtHost::setFileListsVisible(bool drive, bool directory, bool file) {
    if (zorvan::RecordPanel* panel = m_window.recordPanel())
        panel->setListsVisible(drive, directory, file);
}

void QtHost::setRecordInputVisible(bool visible) {
    if (zorvan::RecordPanel* panel = m_window.recordPanel()) panel->setInputVisible(visible);
}

Host::RecordPanel QtHost::recordPanel() {
    if (zorvan::RecordPanel* panel = m_window.recordPanel()) return panel->contents();
    return {};
}

void QtHost::refreshFileList() {
    if (zorvan::RecordPanel* panel = m_window.recordPanel()) panel->refreshFiles();
}

void QtHost::checksChanged() {
    m_window.showChecks(m_window.game().state().checks);
}

void QtHost::runInBackground(std::function<void()> job, std::function<void()> done) {
    // One worker at a time; a previous job has been told to stop and ends at once.
    if (m_worker.joinable()) m_worker.join();
    m_worker = std::thread([this, job = std::move(job), done = std::move(done)]() mutable {
        job();
        QMetaObject::invokeMethod(
            &m_receiver, [this, done = std::move(done)]() mutable { deliver(std::move(done)); },
            Qt::QueuedConnection);
    });
}

void QtHost::deliver(std::function<void()> done) {
    // Not inside a box, a dialog or a wait of the game: the answer waits until it is over.
    if (busy()) {
        QTimer::singleShot(kRetryMs, &m_receiver,
                           [this, done = std::move(done)]() mutable { deliver(std::move(done)); });
        return;
    }
    ++m_delivered;
    done();
}

}  // namespace zorvan
