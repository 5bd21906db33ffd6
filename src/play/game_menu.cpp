// Menu commands: starting games, the computer's level, the hint, handicaps, the about box and
// leaving.
#include <array>
#include <string>

#include "play/game.h"
#include "play/hooks.h"
#include "play/turn_order.h"
#include "rules/players.h"
#include "text/catalogue.h"

namespace zorvan {

namespace {

using Handler = void (*)(Game&);

struct MenuEntry {
    std::string_view control;
    Handler handler;
};

// Menu commands handled beside the game controller. A null handler is a command whose part is
// not in the tree yet: it does nothing.
constexpr std::array<MenuEntry, 16> kOtherMenus = {{
    {"AFTER", AFTER_Click},
    {"REPLAY", REPLAY_Click},
    {"CANCEL", CANCEL_Click},
    {"REVERSE", REVERSE_Click},
    {"KIFU_READ", KIFU_READ_Click},
    {"KIFU_WRITE", KIFU_WRITE_Click},
    {"MIDORI", [](Game& g) { backgroundClick(g, BG_MIDORI); }},
    {"TATAMI", [](Game& g) { backgroundClick(g, BG_TATAMI); }},
    {"TAKE", [](Game& g) { backgroundClick(g, BG_TAKE); }},
    {"UCHU", [](Game& g) { backgroundClick(g, BG_UCHU); }},
    {"RENGA", [](Game& g) { backgroundClick(g, BG_RENGA); }},
    {"SIDOU", SIDOU_Click},
    {"KEIKA", KEIKA_Click},
    {"BGM", BGM_Click},
    {"HAIKEI_GA", nullptr},
    {"Command1", Command1_Click},
}};

// One handicap step: the square a level owns, the code reaching it puts there and the code
// leaving it downwards puts back. Levels -9..7.
struct HandicapStep {
    int x, y, up, down;
};
constexpr int HANDICAP_MIN = -10;
constexpr int HANDICAP_MAX = 7;
constexpr std::array<HandicapStep, 17> kHandicapSteps = {{
    {6, 9, -KIN, EMPTY},   // -9
    {4, 9, -KIN, EMPTY},   // -8
    {7, 9, -GIN, EMPTY},   // -7
    {3, 9, -GIN, EMPTY},   // -6
    {8, 9, -KEI, EMPTY},   // -5
    {2, 9, -KEI, EMPTY},   // -4
    {9, 9, -KYOU, EMPTY},  // -3
    {1, 9, -KYOU, EMPTY},  // -2
    {8, 8, -SYA, EMPTY},   // -1
    {2, 8, -KAKU, EMPTY},  // 0
    {2, 1, EMPTY, +ROOK},  // 1
    {9, 1, EMPTY, +ROOK},  // 2
    {3, 1, EMPTY, +KNIG},  // 3
    {8, 1, EMPTY, +KNIG},  // 4
    {4, 1, EMPTY, +BISH},  // 5
    {7, 1, EMPTY, +BISH},  // 6
    {5, 1, EMPTY, +QEEN},  // 7
}};

// The step a level owns; null for a level that owns none.
const HandicapStep* stepOf(int level) {
    if (level < HANDICAP_MIN + 1 || level > HANDICAP_MAX) return nullptr;
    return &kHandicapSteps[static_cast<size_t>(level - HANDICAP_MIN - 1)];
}

}  // namespace

void Game::menu(std::string_view control) {
    if (m_ended) return;
    openSounds();
    stopThinkingFor(control);
    if (control == "TAIKYOKU" || control == "STOP" || control == "OPTION") {
        hideRecordPanel();
    } else if (control == "MATCH_MAN") {
        matchMan();
    } else if (control == "START2") {
        matchCom();
    } else if (control.size() == 6 && control.starts_with("LEVEL") && control[5] >= '1' &&
               control[5] <= '5') {
        levelClick(control[5] - '0');
    } else if (control == "HINT") {
        hint();
    } else if (control == "OWARI") {
        終了処理();
        endProgram();
    } else if (control == "VER") {
        about();
    } else if (control == "LBEL_UP") {
        handicapStep(true);
    } else if (control == "LEBEL_DOWN") {
        handicapStep(false);
    } else if (control == "CHESS_MOCHIKOMA") {
        // The rules change under the search: the computer starts its move again.
        restartAfter([this] {
            clearHint();
            CHESS_MOCHIKOMA_Click(*this);
        });
    } else {
        for (const MenuEntry& entry : kOtherMenus)
            if (entry.control == control && entry.handler) entry.handler(*this);
    }
    resumeComputer();
}

void Game::matchMan() {
    m_draw.描画_棋譜読込み部分消去();
    m_draw.描画_将棋盤桝();
    startClock();
    m_g.GAME_MODE = MODE_MAN;
    m_g.KIFU_MODE = OFF;
    調査_先手後手(m_g);
    m_g.TURN = 調査_先番(m_g, m_g.MOVE_NO);
    if (endIfKingTaken()) return;
    if (m_g.TURN == SENTE) m_host.message(tr("先手の番です"), " ");
    if (m_g.TURN == GOTE) m_host.message(tr("後手の番です"), " ");
    m_g.RESUME_PENDING = OFF;
}

void Game::matchCom() {
    m_draw.描画_棋譜読込み部分消去();
    m_draw.描画_レベル(m_g.COM_LEVEL);
    m_draw.描画_将棋盤桝();
    m_g.CLICK_PHASE = 0;
    m_g.GAME_MODE = MODE_COM;
    m_g.KIFU_MODE = OFF;
    m_g.RECORD_END = m_g.MOVE_COUNT;
    // The clock runs against the computer whether or not the times are shown.
    m_g.MOVE_START_TIME = m_host.now();
    setTimer(true);
    調査_先手後手(m_g);
    m_g.TURN = 調査_先番(m_g, m_g.MOVE_NO);
    if (endIfKingTaken()) return;
    if (m_g.TURN == m_g.LOWER_PLAYER) {
        m_host.message(tr("MANの番です"), " ");
        m_g.RESUME_PENDING = OFF;
    } else if (m_g.TURN == m_g.UPPER_PLAYER) {
        com_ban();
    }
}

bool Game::endIfKingTaken() {
    if (!settleTakenKing(m_g)) return false;
    setTimer(false);
    if (m_g.GAME_MODE == MODE_COM)
        終了(m_g.WINNER == m_g.LOWER_PLAYER ? tr("あなた") : tr("ｺﾝﾋﾟｭｰﾀ"));
    else
        終了(m_g.WINNER == SENTE ? tr("先手") : tr("後手"));
    return true;
}

void Game::about() {
    hideRecordPanel();
    m_sound->play(SoundId::Other);
    m_host.message("  Version 1.0\r\n\r\nZORVAN project  2026-12", "ZORVAN",
                   MessageIcon::Information);
}

void Game::levelClick(int n) {
    // A level chosen while the computer thinks applies to the move it is thinking about: that
    // search is dropped and the computer starts again at the new level.
    restartAfter([this, n] {
        m_draw.消去_レベル();
        レベル_設定(n);
    });
}

void Game::レベル_設定(int n) {
    m_g.checks.LEVEL1 = n == 1;
    m_g.checks.LEVEL2 = n == 2;
    m_g.checks.LEVEL3 = n == 3;
    m_g.checks.LEVEL4 = n == 4;
    m_g.checks.LEVEL5 = n == 5;
    if (n >= 1 && n <= 5) m_g.COM_LEVEL = n;
    setChecks();
    if (m_g.GAME_MODE == MODE_COM) m_draw.描画_レベル(m_g.COM_LEVEL);
}

void Game::描画_メッセージ(int kind) {
    std::string_view line;
    switch (kind) {
        case 1:
            line = tr("棋譜ﾓｰﾄﾞではできません");
            break;
        case 2:
            line = tr("対局途中ではできません");
            break;
        case 3:
            line = tr("反転後ではできません");
            break;
        default:
            return;
    }
    std::string text(line);
    text.append("\r\r").append(tr("局面→最初にして下さい"));
    m_host.message(text, tr("ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定"));
}

void Game::handicapStep(bool up) {
    hideRecordPanel();
    int refusal = 0;
    if (m_g.KIFU_MODE == ON) {
        refusal = 1;
    } else if (m_g.MOVE_NO > 0) {
        refusal = 2;
    } else if (m_g.REVERSED == ON) {
        refusal = 3;
    }
    if (refusal != 0) {
        forbidden();
        描画_メッセージ(refusal);
        return;
    }
    m_g.RECORD_END = 0;

    const int level = m_g.HANDICAP_LEVEL;
    const bool moves = up ? level < HANDICAP_MAX : level > HANDICAP_MIN;
    if (moves) {
        m_g.HANDICAP_LEVEL = up ? level + 1 : level - 1;
        m_draw.描画_ハンデレベル(m_g.HANDICAP_LEVEL);
        // Going up applies the step of the level reached, going down takes back the one left.
        if (const HandicapStep* step = stepOf(up ? m_g.HANDICAP_LEVEL : level)) {
            const int code = up ? step->up : step->down;
            m_g.BOARD[step->x][step->y] = code;
            // The game starts from the handicapped position: taking moves back returns to it.
            m_g.ensureHistory(0);
            m_g.HISTORY[0] = m_g.BOARD;
            m_g.OWN_HAND_HISTORY[0] = m_g.OWN_HAND;
            m_g.ENEMY_HAND_HISTORY[0] = m_g.ENEMY_HAND;
            m_draw.描画_絵(code, step->x, step->y);
            m_draw.描画_桝輪郭(COLOR_GRID, step->x, step->y);
            駒移動音(code);
        }
    }
    m_g.HANDICAP_ON = ON;
}

}  // namespace zorvan
