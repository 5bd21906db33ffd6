// The stronger computer (levels 4 and 5) and the hint. The search runs away from the game over a
// copy of the position (on the host's worker thread, or in the page's Web Worker) while the window
// stays alive; its answer comes back on the window's thread and counts only when it belongs to
// the latest search and the position is still the one searched. The computer's move is then
// played exactly as the levels 1-3 move is.
#include <algorithm>
#include <memory>

#include "play/game.h"
#include "play/turn_order.h"
#include "rules/players.h"

namespace zorvan {

namespace {

// Menu commands that may change the position, the game or its rules: a search running when one
// of them is chosen is stopped first. The computer's turn is held meanwhile and goes on when the
// command was refused (resumeComputer). (A level change and the chess side's hand switch stop it
// too, and then start it again: restartAfter.)
constexpr std::string_view kStoppingCommands[] = {
    "MATCH_MAN", "START2", "OWARI",     "CANCEL",  "REVERSE",
    "REPLAY",    "AFTER",  "KIFU_READ", "LBEL_UP", "LEBEL_DOWN",
};

// The cell a move starts from: its board square, or the hand cell of a drop (the upper hand's
// slot s is shown on row 10 - s).
void originCell(const Move& m, int& c, int& r) {
    c = m.fromX;
    r = m.fromX == UPPER_HAND_COLUMN ? 10 - m.fromY : m.fromY;
}

// Is `m` one of the legal moves of the side to move in `g`?
bool isLegal(const GameState& g, const Move& m) {
    GameState copy = g;
    auto moves = std::make_unique<MoveList>();
    generateLegalMoves(copy, *moves);
    return std::find(moves->begin(), moves->end(), m) != moves->end();
}

}  // namespace

Game::~Game() {
    // The host may be gone already: only the flag tells the search to stop.
    if (m_bg.stop) m_bg.stop->store(true);
}

Game::PositionKey Game::keyOf(const GameState& g) const {
    PositionKey k;
    k.board = g.BOARD;
    k.own = g.OWN_HAND;
    k.enemy = g.ENEMY_HAND;
    k.moveNo = g.MOVE_NO;
    k.turn = g.TURN;
    k.lower = g.LOWER_PLAYER;
    k.chessHand = g.checks.CHESS_MOCHIKOMA ? 1 : 0;
    k.mode = g.GAME_MODE;
    return k;
}

void Game::strongComTurn() {
    cancelThinking();
    startComClock();
    m_draw.描画_思考中();
    m_draw.refresh();
    thinkInBackground(Thinking::Computer, search::levelLimits(m_g.COM_LEVEL));
}

void Game::hint() {
    if (m_bg.what == Thinking::Hint) return;  // already thinking about it
    if (m_bg.what == Thinking::Computer) return refuse("思考中はできません", "ﾋﾝﾄ");
    if (m_g.KIFU_MODE == ON) return refuse("棋譜ﾓｰﾄﾞではできません", "ﾋﾝﾄ");
    if (m_g.TURN != NO_SIDE && m_g.WINNER == NO_SIDE) {
        // Whose turn it is, as the next press will see it.
        調査_先手後手(m_g);
        m_g.TURN = 調査_先番(m_g, m_g.MOVE_NO);
    }
    if (m_g.TURN == NO_SIDE || m_g.WINNER != NO_SIDE)
        return refuse("「対局」で始めて下さい", "開始");
    if (m_g.GAME_MODE == MODE_COM && m_g.TURN == m_g.UPPER_PLAYER)
        return refuse("COMの番です", "ﾋﾝﾄ");
    // A half-entered move is dropped, so that no pick or guidance mark mixes with the hint.
    if (m_g.CLICK_PHASE == 1) {
        const auto pick = [this](int field) {
            return static_cast<int>(m_g.PICK[static_cast<size_t>(field)]);
        };
        const int fromX = pick(FROM_X);
        const int fromY = pick(FROM_Y);
        m_g.CLICK_PHASE = 0;
        m_draw.描画_移動可能桝色(fromX, fromY, COLOR_UNPICK, pick(PICK_CODE));
        m_draw.描画_桝輪郭(COLOR_UNPICK, fromX, fromY);
    }
    clearHint();
    thinkInBackground(Thinking::Hint, search::levelLimits(5));
}

void Game::thinkInBackground(Thinking what, search::Limits limits) {
    m_bg.what = what;
    m_bg.ticket += 1;
    m_bg.stop = std::make_shared<std::atomic<bool>>(false);
    m_bg.key = keyOf(m_g);
    limits.stop = m_bg.stop.get();

    // Everything the search reads is its own: a copy of the position, the limits, the search and
    // the stop flag they point to.
    auto job = std::make_shared<Host::SearchJob>(Host::SearchJob{
        m_g, limits, m_bg.stop, m_strongSearch ? m_strongSearch : StrongSearch(search::think)});
    const unsigned ticket = m_bg.ticket;
    m_host.searchInBackground(std::move(job),
                              [this, ticket](const search::Result& result, double readyAt) {
                                  thinkingDone(ticket, result, readyAt);
                              });
}

void Game::cancelThinking() {
    if (m_bg.stop) {
        m_bg.stop->store(true);
        m_host.stopSearch();
    }
    m_bg.stop.reset();
    m_bg.what = Thinking::None;
}

void Game::thinkingDone(unsigned ticket, const search::Result& result, double readyAt) {
    if (m_ended || ticket != m_bg.ticket || m_bg.what == Thinking::None) return;
    const Thinking what = m_bg.what;
    m_bg.what = Thinking::None;
    m_bg.stop.reset();
    if (keyOf(m_g) != m_bg.key) return;  // not the position searched: the answer is not for it

    const bool legal = result.found && isLegal(m_g, result.move);
    if (what == Thinking::Hint) {
        if (legal) {
            showHint(result.move);
        } else {
            forbidden();  // nothing to suggest
        }
        return;
    }

    if (m_g.GAME_MODE != MODE_COM || m_g.TURN != m_g.UPPER_PLAYER || m_g.WINNER != NO_SIDE) return;
    // The time the answer waited to be taken (behind a box of the game) is not the computer's.
    m_g.MOVE_START_TIME += 調査_経過秒(readyAt, m_host.now());
    if (result.found && !legal) {
        // A search that answers what the rules refuse must not spoil the game: the computer of
        // the game's own levels moves instead.
        const int level = m_g.COM_LEVEL;
        m_g.COM_LEVEL = 3;
        com_ban();
        m_g.COM_LEVEL = level;
        return;
    }
    ComMove best;  // nothing found: the empty move, with which the computer resigns
    if (result.found) {
        best.fromX = result.move.fromX;
        best.fromY = result.move.fromY;
        best.toX = result.move.toX;
        best.toY = result.move.toY;
        best.before = result.move.codeBefore;
        best.after = result.move.codeAfter;
        best.score = result.score;
    }
    playComMove(best);
}

void Game::stopThinkingFor(std::string_view control) {
    const auto* end = std::end(kStoppingCommands);
    if (std::find(std::begin(kStoppingCommands), end, control) == end) return;
    clearHint();
    holdComputer();
    cancelThinking();
}

void Game::holdComputer() {
    if (m_bg.what != Thinking::Computer) return;
    m_draw.消去_移動結果(m_g.UPPER_PLAYER);  // the caption
    cancelThinking();
    const double thought = moveSeconds();
    setTimer(false);
    // The clock stands at the time thought so far; the total holds it until the turn goes on.
    m_g.UPPER_TIME += thought;
    m_draw.描画_所有時間(m_g.UPPER_PLAYER, m_g.UPPER_TIME);
    m_held = HeldTurn{keyOf(m_g), thought, m_g.RESUME_PENDING};
}

bool Game::heldTurnStands() const {
    return m_held && keyOf(m_g) == m_held->key && m_g.GAME_MODE == MODE_COM &&
           m_g.TURN == m_g.UPPER_PLAYER && m_g.WINNER == NO_SIDE && m_g.KIFU_MODE == OFF;
}

void Game::resumeComputer() {
    if (!m_held || m_ended) return;
    if (!heldTurnStands()) {
        // The game has left that turn (its clock stays where it stood). Still against the
        // computer, the next press announces whose turn it is and starts that side's clock, as
        // after a step through the moves.
        m_held.reset();
        if (m_g.GAME_MODE == MODE_COM && m_g.KIFU_MODE == OFF && m_g.WINNER == NO_SIDE)
            m_g.RESUME_PENDING = ON;
        return;
    }
    if (m_fileListShown || m_bg.what != Thinking::None) return;
    m_g.RESUME_PENDING = m_held->resumePending;
    com_ban();
}

void Game::startComClock() {
    m_g.MOVE_START_TIME = m_host.now();
    if (m_held) {
        if (heldTurnStands()) {
            // The same turn goes on: the time it stood still is not its own.
            m_g.UPPER_TIME -= m_held->thought;
            m_g.MOVE_START_TIME -= m_held->thought;
        }
        m_held.reset();
    }
    if (m_g.checks.KEIKA) setTimer(true);
}

void Game::restartAfter(const std::function<void()>& change) {
    const Thinking was = m_bg.what;
    holdComputer();
    cancelThinking();
    change();
    if (m_ended) return;
    if (was == Thinking::Computer) com_ban();
    if (was == Thinking::Hint) hint();
}

void Game::showHint(const Move& m) {
    originCell(m, m_hintCells[0], m_hintCells[1]);
    m_hintCells[2] = m.toX;
    m_hintCells[3] = m.toY;
    m_hintShown = true;
    m_draw.描画_桝輪郭(COLOR_HINT, m_hintCells[0], m_hintCells[1]);
    m_draw.描画_桝輪郭(COLOR_HINT, m_hintCells[2], m_hintCells[3]);
    m_draw.refresh();
}

void Game::clearHint() {
    if (!m_hintShown) return;
    m_hintShown = false;
    m_draw.描画_桝輪郭(COLOR_GRID, m_hintCells[0], m_hintCells[1]);
    m_draw.描画_桝輪郭(COLOR_GRID, m_hintCells[2], m_hintCells[3]);
}

}  // namespace zorvan
