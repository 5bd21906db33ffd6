// The computer's turn: the thinking caption, the search, and the chosen move played through the
// same steps as a person's move, followed by the check and mate announcements. The stronger
// levels think in the background (background_think.cpp) and come back to playComMove.
#include "engine/influence.h"
#include "play/game.h"
#include "play/move_execution.h"
#include "records/history.h"
#include "rules/mate.h"

namespace zorvan {

namespace {

bool isChessKind(int kind) {
    return kind == PORN || kind == ROOK || kind == KNIG || kind == BISH || kind == QEEN ||
           kind == KING;
}

// What the search shows while it runs: the caption, and the clock kept moving.
class ThinkingDisplay final : public ComPorts {
public:
    explicit ThinkingDisplay(Game& game) : m_game(game) {}
    void beginThinking() override {
        m_game.startComClock();
        m_game.drawing().描画_思考中();
    }
    void captionReady() override { m_game.drawing().refresh(); }
    void tick() override { m_game.tick(); }

private:
    Game& m_game;
};

}  // namespace

void Game::com_ban() {
    if (m_ended) return;
    if (m_g.COM_LEVEL >= 4) {
        strongComTurn();
        return;
    }
    ThinkingDisplay display(*this);
    playComMove(m_search(m_g, display));
}

void Game::playComMove(const ComMove& best) {
    if (!best.exists() || !onBoard(best.toX, best.toY)) {
        // Nothing is legal: the computer resigns.
        setTimer(false);
        終了("あなた");
        return;
    }

    const int x = best.fromX;
    const int y = best.fromY;
    const int x2 = best.toX;
    const int y2 = best.toY;
    if (x > 0 && best.after != best.before && best.before == +PORN) 描画_桝駒成アニメ(best.after);

    const int captured = m_g.BOARD[x2][y2];
    m_g.MOVE_ELAPSED = moveSeconds();
    駒移動(m_g, m_draw, x, y, x2, y2, best.after);
    駒移動音(best.after);

    m_g.MOVE_NO += 1;
    手順保存(m_g, x, y, x2, y2, best.before, best.after, captured, m_g.LOWER_TIME, m_g.LOWER_TIME,
             m_g.UPPER_TIME, m_g.UPPER_TIME + m_g.MOVE_ELAPSED);
    m_g.MOVE_COUNT += 1;
    m_draw.描画_手数(m_g.MOVE_COUNT, COLOR_WHITE);

    setTimer(false);
    勢力調査(m_g);

    if (m_g.WINNER == m_g.UPPER_PLAYER) {
        終了("ｺﾝﾋﾟｭｰﾀ");
        return;
    }

    if (詰めかMAN(m_g) == ON) {
        m_host.message("よし！!", "詰め ?");
    } else if (onBoard(m_g.OWN_KING_X, m_g.OWN_KING_Y) &&
               m_g.maps.ENEMY_INFLUENCE[m_g.OWN_KING_X][m_g.OWN_KING_Y] > 0) {
        const bool chess = best.after >= HU && isChessKind(kindOf(best.after));
        m_host.message(chess ? "   ** チェック **" : "   ** 王手 **", "");
    }
    m_draw.描画_移動結果(m_g.UPPER_PLAYER, x2, y2, best.after, COLOR_WHITE);
    m_draw.描画_桝輪郭(COLOR_WHITE, x2, y2);

    m_g.UPPER_TIME += m_g.MOVE_ELAPSED;
    m_g.MOVE_START_TIME = m_host.now();
    m_g.TURN = m_g.LOWER_PLAYER;
    if (m_g.checks.KEIKA) setTimer(true);
}

}  // namespace zorvan
