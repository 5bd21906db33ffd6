// The play controller: one game window's state, its drawing and its ports, and the entry points
// the window calls for its events (start-up, mouse presses, menu commands, keys, clock ticks,
// closing). Everything runs on the window's one thread. The computer of levels 1-3 moves inside
// the event that started its turn; the stronger levels and the hint think on the host's worker
// thread over a copy of the position, and their answer comes back as an event of its own.
#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/search.h"
#include "model/game_state.h"
#include "play/deferred_sound.h"
#include "play/host.h"
#include "records/text_codec.h"
#include "search/think.h"
#include "ui/canvas.h"
#include "ui/drawing.h"
#include "ui/sound_port.h"

namespace zorvan {

constexpr int KEY_ESC = 27;

class Game {
public:
    // The ports must outlive the game. Without a canvas nothing is painted; without a sound port
    // the game is silent.
    explicit Game(Host& host, Canvas* canvas = nullptr, SoundPort* sound = nullptr);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    GameState& state() { return m_g; }
    const GameState& state() const { return m_g; }
    Drawing& drawing() { return m_draw; }
    Host& host() { return m_host; }
    SoundPort& sound() { return *m_sound; }

    // ---- window events ----

    // Window load: opens the sounds, sets the start-up values, resets a new game, applies the
    // settings file and draws the whole screen. (Placing the window is the platform's.) With
    // `openSoundsNow` false the sounds open later, by openSounds(): the window opens them once
    // its first picture is on the screen, so the player need not wait for them.
    void startUp(bool openSoundsNow = true);
    // Opens the sounds if start-up left them for later (and the program has not ended): reports
    // what fails as start-up would, and starts the music if the settings file asked for it.
    // Every player's action opens them first, so no sound it makes is lost.
    void openSounds();
    // A mouse press at (x, y) twips of the window's client area; button BUTTON_LEFT or
    // BUTTON_RIGHT (any other value is ignored).
    void mousePress(int button, double xTwips, double yTwips);
    // A key press; only Esc (27) does something: it ends the program.
    void keyPress(int key);
    // A menu command by its control name ("MATCH_MAN", "START2", "LEVEL1", "LBEL_UP", "VER", ...).
    // The top-level menus "TAIKYOKU", "STOP" and "OPTION" are reported when they are opened.
    // Unknown names do nothing.
    void menu(std::string_view control);
    // The clock timer's tick (also called by the computer while it thinks).
    void tick();
    // The window's close box: releases the sounds; the window then closes.
    void close();

    // True once the program has been told to end (Host::quit was called); later events are
    // ignored.
    bool ended() const { return m_ended; }

    // ---- procedures shared with the other parts of play control ----

    void 初期設定();                     // new game: reset, clock stopped, whole screen redrawn
    void 画面_再描画();                  // redraw the whole screen
    void 終了(std::string_view winner);  // announce the winner, offer a new game
    void 終了処理();                     // release the sounds
    void endProgram();                   // end the program after this event (Host::quit)
    void com_ban();                      // the computer plays one move (or starts thinking)
    void レベル_設定(int n);             // set the computer's level and its check mark
    void 描画_メッセージ(int kind);      // refusal message of the handicap steps
    void 描画_可視(bool drive, bool directory, bool file);  // record panel lists
    void 描画_棋譜_IO(int mode);       // record input panel: 0 shows it, else hides and empties
    void 描画_桝駒成アニメ(int code);  // the computer's chess promotion shown in the dialog
    void 駒移動音(int code);           // sound of a placed piece
    void forbidden();                  // the forbidden sound
    void refuse(std::string_view text, std::string_view title);  // forbidden sound + message
    void startClock();  // MOVE_START_TIME <- now, timer on if KEIKA checked
    // The computer's turn begins: its clock runs from now, or on from where it stood when the turn
    // was held for a command that left the game as it was.
    void startComClock();
    // Whether the clock of the side to move runs now: in a running game that is not waiting for
    // the press that resumes it after a step, and on the computer's turn only while it thinks.
    bool clockMayRun() const;
    // The computer's turn held by a command (its search stopped, its clock standing) goes on when
    // the game is still at that turn and the file list is closed; a turn the game has left is let
    // go. Menu commands end with it; a record file the reader refuses too.
    void resumeComputer();
    double moveSeconds();         // seconds since MOVE_START_TIME
    void setTimer(bool enabled);  // the clock timer on/off (state and host)
    void setChecks();             // tell the host the check marks changed

    // The chess piece choice dialog for the player to move, at `place`; leaves the chosen code
    // in PROMOTE_CODE (OFF when nothing was chosen).
    void pieceChoiceDialog(DialogPlace place);

    // The computer's search (the engine's by default). Tests put a scripted one in its place.
    using Search = std::function<ComMove(GameState&, ComPorts&)>;
    void setSearch(Search search) { m_search = std::move(search); }

    // The stronger computer's search (levels 4 and 5, and the hint). It runs on the host's worker
    // thread over a copy of the position, so a replacement must be safe to run there and must
    // return soon after `Limits::stop` is set. Tests put a scripted one in its place.
    using StrongSearch = std::function<search::Result(const GameState&, const search::Limits&)>;
    void setStrongSearch(StrongSearch search) { m_strongSearch = std::move(search); }

    // What is being thought about in the background now.
    enum class Thinking { None, Computer, Hint };
    Thinking thinking() const { return m_bg.what; }
    // The hint's outlined cells (origin, then target) while they are shown.
    bool hintShown() const { return m_hintShown; }
    const std::array<int, 4>& hintCells() const { return m_hintCells; }

    // The dialog's button set of a player: White for SENTE, Black for GOTE, else None.
    static PieceSet setOfPlayer(int player);

    // The files of the current folder: where the settings file is, and the code page of the
    // settings and record files (without one, bytes are kept as they are).
    void setFiles(std::string settingsPath, const TextCodec* codec) {
        m_settingsPath = std::move(settingsPath);
        m_codec = codec ? codec : &m_passThrough;
    }
    const std::string& settingsPath() const { return m_settingsPath; }
    const TextCodec& codec() const { return *m_codec; }

private:
    bool isMoversPiece(int code) const;
    void pressBoard(int button, int c, int r);
    void pressDestination(int button, int c, int r);
    void pressLowerHand(int slot);
    void pressUpperHand(int row);
    void executePersonMove(int codeBefore);
    void handOver(int code, int captured);

    void matchMan();
    void matchCom();
    // At a position whose king was taken (the last position of a finished game's record) the game
    // is over: announces the winner and offers a new game, as the capture itself did. True then.
    bool endIfKingTaken();
    void about();
    void levelClick(int n);

    // Background thinking: the computer's move at levels 4 and 5, and the hint.
    struct PositionKey {
        Board board{};
        Hand own{}, enemy{};
        int moveNo = 0, turn = 0, lower = 0, chessHand = 0, mode = 0;
        bool operator==(const PositionKey&) const = default;
    };
    PositionKey keyOf(const GameState& g) const;
    void strongComTurn();
    void hint();
    void thinkInBackground(Thinking what, search::Limits limits);
    void thinkingDone(unsigned ticket, const search::Result& result, double readyAt);
    void cancelThinking();  // stops the search; its answer will be dropped
    void stopThinkingFor(std::string_view control);
    void holdComputer();  // stops the computer's search and its clock until resumeComputer
    bool heldTurnStands() const;
    // Makes a change with any search stopped; the computer's move or the hint that was being
    // thought about is then started again.
    void restartAfter(const std::function<void()>& change);
    void showHint(const Move& m);
    void clearHint();
    void playComMove(const ComMove& best);
    void handicapStep(bool up);
    void hideRecordPanel();

    GameState m_g;
    Host& m_host;
    Drawing m_draw;
    SilentSound m_silent;
    DeferredSound m_deferred;  // the sounds as the game sees them, over the port given
    SoundPort* m_sound;
    bool m_ended = false;
    Search m_search;
    StrongSearch m_strongSearch;
    struct Background {
        Thinking what = Thinking::None;
        unsigned ticket = 0;  // numbers the searches; only the latest one's answer counts
        std::shared_ptr<std::atomic<bool>> stop;
        PositionKey key;  // the position searched
    } m_bg;
    // The computer's turn held while a command runs: the position searched, the seconds it had
    // thought (added to its total while held, so that its clock stands there) and RESUME_PENDING
    // as it was (a refused step sets it).
    struct HeldTurn {
        PositionKey key;
        double thought = 0;
        int resumePending = OFF;
    };
    std::optional<HeldTurn> m_held;
    bool m_fileListShown = false;
    bool m_hintShown = false;
    std::array<int, 4> m_hintCells{};  // origin cell, target cell
    std::string m_settingsPath = "ZORVAN.ini";
    PassThroughCodec m_passThrough;
    const TextCodec* m_codec = &m_passThrough;
};

}  // namespace zorvan
