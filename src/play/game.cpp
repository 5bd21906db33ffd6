#include "play/game.h"

#include <cmath>
#include <string>

#include "play/hooks.h"

namespace zorvan {

Game::Game(Host& host, Canvas* canvas, SoundPort* sound)
    : m_host(host),
      m_draw(m_g, canvas),
      m_deferred(sound ? *sound : m_silent),
      m_sound(&m_deferred),
      m_search([](GameState& g, ComPorts& ports) { return comSearch(g, ports); }) {}

void Game::startUp(bool openSoundsNow) {
    if (openSoundsNow) openSounds();

    m_g.KIFU_MODE = OFF;
    m_g.GUIDE_ON = OFF;
    m_g.COM_LEVEL = 3;
    m_g.checks.LEVEL1 = false;
    m_g.checks.LEVEL2 = false;
    m_g.checks.LEVEL3 = true;
    m_g.LOWER_PLAYER = SENTE;
    m_g.UPPER_PLAYER = GOTE;
    m_g.COLOR_GUIDE = COLOR_GRID;
    fillSquareShade(m_g);
    setChecks();

    初期設定();
    読込_環境設定ファイル(*this);
    画面_再描画();
}

void Game::openSounds() {
    if (m_ended || m_deferred.settled()) return;
    m_deferred.start([this](std::string_view text) {
        m_host.message(text, "ZORVAN.dll", MessageIcon::Warning);
    });
}

void Game::keyPress(int key) {
    if (m_ended || key != KEY_ESC) return;
    openSounds();
    終了処理();
    endProgram();
}

void Game::close() {
    if (m_ended) return;
    cancelThinking();
    終了処理();
    m_ended = true;
}

void Game::tick() {
    if (m_ended || !m_g.clockRunning) return;
    m_g.MOVE_ELAPSED = 調査_経過秒(m_g.MOVE_START_TIME, m_host.now());
    const int whole = static_cast<int>(std::floor(m_g.MOVE_ELAPSED));
    if (whole == m_g.SHOWN_SECOND) return;
    m_g.SHOWN_SECOND = whole;
    if (m_g.TURN == m_g.UPPER_PLAYER) {
        m_draw.描画_所有時間(m_g.UPPER_PLAYER, m_g.UPPER_TIME + m_g.MOVE_ELAPSED);
    } else if (m_g.TURN == m_g.LOWER_PLAYER) {
        m_draw.描画_所有時間(m_g.LOWER_PLAYER, m_g.LOWER_TIME + m_g.MOVE_ELAPSED);
    }
    m_draw.refresh();
}

void Game::初期設定() {
    cancelThinking();  // a new game: no answer of a search may reach it
    m_held.reset();
    m_hintShown = false;
    zorvan::初期設定(m_g);
    m_host.setTimer(false);
    m_draw.forgetStatusTexts();
    画面_再描画();
}

void Game::画面_再描画() {
    m_draw.画面_再描画();
    // What the background thinking shows stays on the screen.
    if (m_bg.what == Thinking::Computer) m_draw.描画_思考中();
    if (m_hintShown) {
        m_draw.描画_桝輪郭(COLOR_HINT, m_hintCells[0], m_hintCells[1]);
        m_draw.描画_桝輪郭(COLOR_HINT, m_hintCells[2], m_hintCells[3]);
    }
}

void Game::終了(std::string_view winner) {
    m_host.message(std::string(winner) + "の勝ちです", "終了");
    if (m_host.ask("続けますか？", "再ゲーム")) {
        初期設定();
    } else {
        終了処理();
        endProgram();
    }
}

void Game::終了処理() {
    m_sound->close();
}

void Game::endProgram() {
    cancelThinking();
    m_ended = true;
    m_host.quit();
}

void Game::駒移動音(int code) {
    if (code == EMPTY) {
        m_sound->play(SoundId::Vanish);
        return;
    }
    switch (kindOf(code)) {
        case PORN:
        case ROOK:
        case KNIG:
        case BISH:
        case QEEN:
        case KING:
            m_sound->play(SoundId::ChessMove);
            break;
        default:
            m_sound->play(SoundId::ShogiMove);
    }
}

void Game::forbidden() {
    m_sound->play(SoundId::Forbidden);
}

void Game::refuse(std::string_view text, std::string_view title) {
    forbidden();
    m_host.message(text, title);
}

void Game::setTimer(bool enabled) {
    m_g.clockRunning = enabled;
    m_host.setTimer(enabled);
}

void Game::startClock() {
    m_g.MOVE_START_TIME = m_host.now();
    if (m_g.checks.KEIKA) setTimer(true);
}

bool Game::clockMayRun() const {
    if (m_g.TURN != SENTE && m_g.TURN != GOTE) return false;
    if (m_g.KIFU_MODE == ON || m_g.WINNER != NO_SIDE || m_g.RESUME_PENDING == ON) return false;
    if (m_g.GAME_MODE == MODE_MAN) return true;
    if (m_g.GAME_MODE != MODE_COM) return false;
    return m_g.TURN == m_g.LOWER_PLAYER || m_bg.what == Thinking::Computer;
}

double Game::moveSeconds() {
    return 調査_経過秒(m_g.MOVE_START_TIME, m_host.now());
}

void Game::setChecks() {
    m_host.checksChanged();
}

void Game::描画_可視(bool drive, bool directory, bool file) {
    m_fileListShown = file;
    m_host.setFileListsVisible(drive, directory, file);
}

void Game::描画_棋譜_IO(int mode) {
    m_host.setRecordInputVisible(mode == 0);
}

void Game::hideRecordPanel() {
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
}

void Game::pieceChoiceDialog(DialogPlace place) {
    m_g.PROMOTE_CODE = OFF;
    const PieceSet shown = setOfPlayer(m_g.TURN);
    const int kind = m_host.choosePiece(shown, place);
    if (shown == PieceSet::None) return;  // no button was there to press
    switch (kind) {
        case PORN:
        case ROOK:
        case KNIG:
        case BISH:
        case QEEN:
        case KING:
            m_g.PROMOTE_CODE = shown == PieceSet::White ? -kind : kind;
            break;
        default:
            break;
    }
}

void Game::描画_桝駒成アニメ(int code) {
    const int kind = kindOf(code);
    if (kind != PORN && kind != ROOK && kind != KNIG && kind != BISH && kind != QEEN &&
        kind != KING)
        return;
    const PieceSet pressed = code < 0 ? PieceSet::White : PieceSet::Black;
    m_host.showPieceChoice(setOfPlayer(m_g.TURN), pressed, kind, DialogPlace{50, 1400});
    m_g.PROMOTE_CODE = code;
}

PieceSet Game::setOfPlayer(int player) {
    if (player == SENTE) return PieceSet::White;
    if (player == GOTE) return PieceSet::Black;
    return PieceSet::None;
}

}  // namespace zorvan
