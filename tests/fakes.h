// Recording fakes of the window's ports, for driving the game controller without a display.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "model/game_state.h"
#include "play/game.h"
#include "play/host.h"
#include "search/request.h"
#include "ui/canvas.h"
#include "ui/sound_port.h"

namespace zorvan::testing {

struct Shown {
    std::string text;
    std::string title;
    bool operator==(const Shown&) const = default;
};

// Messages and questions in the order they were shown; scripted answers and piece choices.
class FakeHost final : public Host {
public:
    std::vector<Shown> messages;   // message boxes and questions, in order
    std::vector<bool> isQuestion;  // parallel to messages
    std::vector<MessageIcon> icons;
    std::deque<bool> answers;  // answers to questions, first first; Yes when empty
    std::deque<int> choices;   // kinds pressed in the piece dialog; 0 (closed) when empty
    struct Dialog {
        PieceSet shown;
        PieceSet pressed;  // the computer's dialog only
        int kind;
        DialogPlace place;
    };
    std::vector<Dialog> dialogs;
    double clock = 1000.0;  // time of day returned by now()
    bool timer = false;
    int timerCalls = 0;
    bool quitCalled = false;
    int checksCalls = 0;
    bool listsVisible = true;
    bool inputVisible = true;
    std::function<void()> onMessage;  // what happens while a message box is up

    void message(std::string_view text, std::string_view title, MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(title)});
        isQuestion.push_back(false);
        icons.push_back(icon);
        if (onMessage) onMessage();
    }
    bool ask(std::string_view text, std::string_view title) override {
        messages.push_back({std::string(text), std::string(title)});
        isQuestion.push_back(true);
        icons.push_back(MessageIcon::None);
        if (answers.empty()) return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    int choosePiece(PieceSet shown, DialogPlace place) override {
        int kind = 0;
        if (!choices.empty()) {
            kind = choices.front();
            choices.pop_front();
        }
        dialogs.push_back({shown, PieceSet::None, kind, place});
        return kind;
    }
    void showPieceChoice(PieceSet shown, PieceSet pressed, int kind, DialogPlace place) override {
        dialogs.push_back({shown, pressed, kind, place});
    }
    void wait(double) override {}
    double now() override { return clock; }
    void setTimer(bool enabled) override {
        timer = enabled;
        ++timerCalls;
    }
    void quit() override { quitCalled = true; }
    void setFileListsVisible(bool drive, bool directory, bool file) override {
        listsVisible = drive || directory || file;
    }
    void setRecordInputVisible(bool visible) override { inputVisible = visible; }
    void checksChanged() override { ++checksCalls; }
    // Background jobs wait here until the test completes them.
    struct Job {
        std::function<void()> run, done;
    };
    std::deque<Job> jobs;
    void runInBackground(std::function<void()> job, std::function<void()> done) override {
        jobs.push_back({std::move(job), std::move(done)});
    }
    // Runs the oldest job and delivers its answer, as the window would between events; with
    // `waited`, the answer waits that many seconds (behind a box of the game) before it arrives.
    void finishJob(double waited = 0) {
        Job j = std::move(jobs.front());
        jobs.pop_front();
        j.run();
        clock += waited;
        j.done();
    }
    // Finishes every job, the oldest first.
    void finishJobs() {
        while (!jobs.empty()) finishJob();
    }

    // With `searchesElsewhere`, the stronger computer's searches are kept as the request texts
    // a front end without threads (the page) sends to its worker, until the test answers them.
    bool searchesElsewhere = false;
    struct Request {
        std::string text;
        SearchDone done;
    };
    std::deque<Request> requests;
    int searchStops = 0;
    void searchInBackground(std::shared_ptr<SearchJob> job, SearchDone done) override {
        if (!searchesElsewhere) return Host::searchInBackground(std::move(job), std::move(done));
        requests.push_back({search::encodeRequest(job->position, job->limits), std::move(done)});
    }
    void stopSearch() override { ++searchStops; }

    RecordPanel panel;
    int fileListRefreshes = 0;
    RecordPanel recordPanel() override { return panel; }
    void refreshFileList() override { ++fileListRefreshes; }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const Shown& s : messages) out.push_back(s.text);
        return out;
    }
};

// Everything painted, in order.
class FakeCanvas final : public Canvas {
public:
    struct Op {
        enum Kind { Picture, Outline, Text } kind;
        int id;  // picture identifier or colour
        int shade;
        double c, r;
        std::string text;
        int size;
    };
    std::vector<Op> ops;
    int refreshes = 0;

    void picture(int picture, int shade, double c, double r) override {
        ops.push_back({Op::Picture, picture, shade, c, r, {}, 0});
    }
    void outline(int colour, double c, double r) override {
        ops.push_back({Op::Outline, colour, 0, c, r, {}, 0});
    }
    void text(double c, double r, std::string_view text, int colour, int size) override {
        ops.push_back({Op::Text, colour, 0, c, r, std::string(text), size});
    }
    void refresh() override { ++refreshes; }

    void clear() { ops.clear(); }
    // Texts drawn in a colour, in order.
    std::vector<std::string> textsIn(int colour) const {
        std::vector<std::string> out;
        for (const Op& op : ops)
            if (op.kind == Op::Text && op.id == colour) out.push_back(op.text);
        return out;
    }
    // The last picture painted at cell (c, r), or -999 when none was.
    int lastPictureAt(double c, double r) const {
        for (auto it = ops.rbegin(); it != ops.rend(); ++it)
            if (it->kind == Op::Picture && it->c == c && it->r == r) return it->id;
        return -999;
    }
    // The colour of the last outline of cell (c, r), or -1 when none was drawn.
    int lastOutlineAt(double c, double r) const {
        for (auto it = ops.rbegin(); it != ops.rend(); ++it)
            if (it->kind == Op::Outline && it->c == c && it->r == r) return it->id;
        return -1;
    }
    int count(Op::Kind kind) const {
        int n = 0;
        for (const Op& op : ops) n += op.kind == kind;
        return n;
    }
};

class FakeSound final : public SoundPort {
public:
    std::vector<SoundId> played;
    std::vector<std::string> startWarnings;  // reported by start
    bool closed = false;
    int closeCalls = 0;
    int starts = 0;
    std::vector<std::pair<SoundId, bool>> loops;  // playLooping (true) and stop (false), in order

    void start(const std::function<void(std::string_view)>& warn) override {
        ++starts;
        for (const std::string& w : startWarnings) warn(w);
    }
    void play(SoundId id) override { played.push_back(id); }
    void playLooping(SoundId id) override { loops.emplace_back(id, true); }
    void stop(SoundId id) override { loops.emplace_back(id, false); }
    void close() override {
        closed = true;
        ++closeCalls;
    }
    int count(SoundId id) const {
        int n = 0;
        for (SoundId s : played) n += s == id;
        return n;
    }
};

// The centre of grid cell (c, r) in twips.
inline double cellX(int c) {
    return BOARD_LEFT + c * SQUARE_W + SQUARE_W / 2.0;
}
inline double cellY(int r) {
    return BOARD_TOP + r * SQUARE_H + SQUARE_H / 2.0;
}

// A game with all three fakes, started up.
struct Rig {
    FakeHost host;
    FakeCanvas canvas;
    FakeSound sound;
    Game game{host, &canvas, &sound};

    // Starts with a settings file of its own that leaves every option off, unless told otherwise.
    // With `openSoundsNow` false the sounds are left for Game::openSounds, as the window does.
    explicit Rig(const std::string& settings = quietSettings(), bool openSoundsNow = true) {
        settingsPath = uniqueSettingsPath();
        if (!settings.empty()) std::ofstream(settingsPath, std::ios::binary) << settings;
        game.setFiles(settingsPath, nullptr);
        game.startUp(openSoundsNow);
    }
    ~Rig() { std::remove(settingsPath.c_str()); }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;
    std::string settingsPath;

    static std::string quietSettings() {
        return "背景画=緑\r\n移動指導=OFF\r\n経過時間=OFF\r\nチェス側持駒OK=OFF\r\nBGM=OFF\r\n";
    }
    static std::string uniqueSettingsPath() {
        static int counter = 0;
        return (std::filesystem::temp_directory_path() /
                ("zorvan-settings-" + std::to_string(getpid()) + "-" + std::to_string(++counter) +
                 ".ini"))
            .string();
    }
    GameState& g() { return game.state(); }
    void press(int c, int r, int button = BUTTON_LEFT) {
        game.mousePress(button, cellX(c), cellY(r));
    }
    // A move by two left presses.
    void move(int fx, int fy, int tx, int ty, int button = BUTTON_LEFT) {
        press(fx, fy);
        press(tx, ty, button);
    }
    void forget() {
        host.messages.clear();
        host.isQuestion.clear();
        host.icons.clear();
        canvas.clear();
        sound.played.clear();
    }
    // Empties the board and hands, keeping no game running; then places the given pieces.
    struct Put {
        int x, y, code;
    };
    void setBoard(std::initializer_list<Put> pieces) {
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) g().BOARD[x][y] = EMPTY;
        for (const Put& p : pieces) g().BOARD[p.x][p.y] = p.code;
        for (const Put& p : pieces) {
            if (p.code == -OU || p.code == -KING) {
                g().OWN_KING_X = p.x;
                g().OWN_KING_Y = p.y;
            }
        }
        g().HISTORY[0] = g().BOARD;
    }
};

}  // namespace zorvan::testing
