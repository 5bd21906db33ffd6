// Mouse presses: picking a piece on the board or in a hand, naming its destination, promotion by
// the right button and the chess pawn's choice, executing the move and handing the turn over.
#include <cmath>

#include "engine/influence.h"
#include "play/game.h"
#include "play/move_execution.h"
#include "play/turn_order.h"
#include "records/history.h"
#include "rules/hand_rules.h"
#include "rules/mate.h"
#include "rules/move_check.h"
#include "rules/players.h"
#include "rules/promotion.h"
#include "text/catalogue.h"

namespace zorvan {

namespace {

int pickInt(const GameState& g, int field) {
    return static_cast<int>(g.PICK[static_cast<size_t>(field)]);
}

void setPick(GameState& g, int field, int value) {
    g.PICK[static_cast<size_t>(field)] = value;
}

// Grid cell of a twips coordinate; false when the position is not a usable number.
bool cellOf(double twips, int origin, int size, int& cell) {
    if (!std::isfinite(twips)) return false;
    const double c = std::floor((twips - origin) / size);
    if (c < -1000 || c > 1000) return false;
    cell = static_cast<int>(c);
    return true;
}

}  // namespace

void Game::mousePress(int button, double xTwips, double yTwips) {
    if (m_ended || (button != BUTTON_LEFT && button != BUTTON_RIGHT)) return;
    openSounds();
    // While the computer thinks the board is its own; a press cancels a hint still thinking and
    // takes away one shown.
    if (thinking() == Thinking::Computer) {
        forbidden();
        return;
    }
    cancelThinking();
    clearHint();
    hideRecordPanel();

    if (m_g.KIFU_MODE == ON) {
        if (!m_host.ask(tr("棋譜を '進 'で進めて下さい"), tr("棋譜"))) {
            forbidden();
            初期設定();
        }
        return;
    }

    int c = 0;
    int r = 0;
    if (!cellOf(xTwips, BOARD_LEFT, SQUARE_W, c) || !cellOf(yTwips, BOARD_TOP, SQUARE_H, r)) return;

    if (m_g.TURN == NO_SIDE) {
        refuse(tr("「対局」で始めて下さい"), tr("開始"));
        return;
    }

    調査_先手後手(m_g);
    m_g.TURN = 調査_先番(m_g, m_g.MOVE_NO);
    // Stepped forward to the position whose king was taken: the game is over.
    if (endIfKingTaken()) return;

    // Announce the turn again after the position was stepped through.
    if (m_g.GAME_MODE == MODE_MAN && m_g.RESUME_PENDING == ON) {
        m_g.RESUME_PENDING = OFF;
        startClock();
        if (m_g.TURN == SENTE) m_host.message(tr("先手の番です"), tr("対局"));
        if (m_g.TURN == GOTE) m_host.message(tr("後手の番です"), tr("対局"));
    } else if (m_g.GAME_MODE == MODE_COM && m_g.TURN == m_g.UPPER_PLAYER) {
        m_g.RESUME_PENDING = OFF;
        m_host.message(tr("OKですか？"), tr("再開(COM)"));
        com_ban();
        // The stronger computer thinks on after this press; the press was its start.
        if (m_ended || thinking() == Thinking::Computer) return;
    } else if (m_g.GAME_MODE == MODE_COM && m_g.TURN == m_g.LOWER_PLAYER &&
               m_g.RESUME_PENDING == ON) {
        m_g.RESUME_PENDING = OFF;
        startClock();
        m_host.message(tr("MANの番です"), tr("対局"));
    }

    if (onBoard(c, r)) {
        pressBoard(button, c, r);
    } else if (c == LOWER_HAND_COLUMN && r >= 1 && r <= HAND_SLOTS) {
        pressLowerHand(r);
    } else if (c == UPPER_HAND_COLUMN && r >= -2 && r <= 9) {
        pressUpperHand(r);
    }
}

bool Game::isMoversPiece(int code) const {
    return (code <= -HU && m_g.TURN == m_g.LOWER_PLAYER) ||
           (code >= HU && m_g.TURN == m_g.UPPER_PLAYER);
}

void Game::pressBoard(int button, int c, int r) {
    if (m_g.CLICK_PHASE != 0) {
        pressDestination(button, c, r);
        return;
    }
    const int code = m_g.BOARD[c][r];
    if (code == EMPTY) return;
    setPick(m_g, FROM_X, c);
    setPick(m_g, FROM_Y, r);
    setPick(m_g, PICK_CODE, code);
    // The guidance marks show for any piece pressed; only the mover's pieces are picked.
    m_draw.描画_移動可能桝色(c, r, m_g.COLOR_GUIDE, code);
    if (isMoversPiece(code)) {
        m_g.CLICK_PHASE = 1;
        m_draw.描画_桝輪郭(COLOR_PICK, c, r);
    } else {
        m_draw.描画_桝輪郭(m_g.COLOR_GUIDE, c, r);
    }
}

void Game::pressDestination(int button, int c, int r) {
    setPick(m_g, TO_X, c);
    setPick(m_g, TO_Y, r);
    const int fromX = pickInt(m_g, FROM_X);
    const int fromY = pickInt(m_g, FROM_Y);
    int code = pickInt(m_g, PICK_CODE);

    // Another piece of the mover: the pick moves to it.
    const int target = m_g.BOARD[c][r];
    if (isMoversPiece(target)) {
        if (!m_g.checks.CHESS_MOCHIKOMA && m_g.TURN == m_g.LOWER_PLAYER &&
            fromX == LOWER_HAND_COLUMN && fromY > 5)
            return;
        m_draw.描画_桝輪郭(COLOR_UNPICK, fromX, fromY);
        setPick(m_g, FROM_X, c);
        setPick(m_g, FROM_Y, r);
        setPick(m_g, PICK_CODE, target);
        m_draw.描画_移動可能桝色(c, r, m_g.COLOR_GUIDE, target);
        m_draw.描画_桝輪郭(COLOR_PICK, c, r);
        return;
    }

    if (移動チェック(m_g, fromX, fromY, c, r, code) == OFF) {
        forbidden();
        m_g.CLICK_PHASE = 0;
        m_draw.描画_将棋盤桝();
        return;
    }

    // A piece that could never move again from there must promote: the right button asks for it.
    if (移動後チェック(m_g, r, code) == OFF && button == BUTTON_LEFT) {
        refuse(tr("マウスの右をクリックして下さい"), tr("成り"));
        return;
    }

    const int codeBefore = code;
    if (button == BUTTON_RIGHT) {
        const int kind = kindOf(code);
        if (kind == PORN) {
            if (調査_駒成人選(m_g, fromX, fromY, c, r, code) == ON) {
                pieceChoiceDialog(DialogPlace{m_g.TURN == m_g.LOWER_PLAYER ? 7020 : 50, 1400});
                const int chosen = kindOf(m_g.PROMOTE_CODE);
                if (chosen == KING) {
                    refuse(tr("キングには成れません"), tr("エラー"));
                    return;
                }
                if (chosen == QEEN || chosen == KNIG || chosen == BISH || chosen == ROOK) {
                    // The new piece stays with the side that moved, whatever the button's sign.
                    code = code < 0 ? -chosen : chosen;
                } else {
                    // The pawn itself, or no choice: the pawn stays a pawn where it may.
                    m_g.PROMOTE_CODE = code;
                    if (移動後チェック(m_g, r, code) == OFF) {
                        refuse(tr("別の駒に成って下さい"), tr("エラー"));
                        return;
                    }
                }
            }
        } else if (isPromotableShogi(kind)) {
            if (調査_駒成(m_g, fromX, fromY, c, r, code) == ON) code = m_g.PROMOTE_CODE;
        }
    }
    setPick(m_g, PICK_CODE, code);
    executePersonMove(codeBefore);
}

void Game::executePersonMove(int codeBefore) {
    int fromX = pickInt(m_g, FROM_X);
    int fromY = pickInt(m_g, FROM_Y);
    const int toX = pickInt(m_g, TO_X);
    const int toY = pickInt(m_g, TO_Y);
    const int code = pickInt(m_g, PICK_CODE);

    m_g.ensureHistory(m_g.MOVE_NO + 1);
    m_g.MOVE_CODE[static_cast<size_t>(m_g.MOVE_NO)] = code;
    m_g.CLICK_PHASE = 0;

    m_draw.描画_桝輪郭(COLOR_UNPICK, fromX, fromY);
    m_draw.描画_桝輪郭(COLOR_UNPICK, toX, toY);
    m_draw.描画_移動可能桝色(fromX, fromY, COLOR_UNPICK, code);

    // A pick from the upper hand remembers the row; the move names the slot.
    if (fromX == UPPER_HAND_COLUMN) {
        fromY = 10 - fromY;
        setPick(m_g, FROM_Y, fromY);
    }
    const int captured = m_g.BOARD[toX][toY];
    m_g.MOVE_ELAPSED = moveSeconds();

    駒移動(m_g, m_draw, fromX, fromY, toX, toY, code);
    駒移動音(code);

    m_g.MOVE_NO += 1;
    // The time of this move goes to the clock of the side that made it.
    const bool upperMoved = code >= HU;
    const double lowerAfter = m_g.LOWER_TIME + (upperMoved ? 0 : m_g.MOVE_ELAPSED);
    const double upperAfter = m_g.UPPER_TIME + (upperMoved ? m_g.MOVE_ELAPSED : 0);
    手順保存(m_g, fromX, fromY, toX, toY, codeBefore, code, captured, m_g.LOWER_TIME, lowerAfter,
             m_g.UPPER_TIME, upperAfter);
    m_g.MOVE_COUNT += 1;
    m_draw.描画_手数(m_g.MOVE_COUNT, COLOR_WHITE);
    m_draw.描画_移動結果(code >= HU ? m_g.UPPER_PLAYER : m_g.LOWER_PLAYER, toX, toY, code,
                         COLOR_MOVE_TEXT);

    handOver(code, captured);
}

void Game::handOver(int code, int captured) {
    if (m_g.GAME_MODE == MODE_COM) {
        setTimer(false);
        m_g.LOWER_TIME += m_g.MOVE_ELAPSED;
        勢力調査(m_g);
        if (詰めかCOM(m_g) == ON || captured == +OU || captured == +KING) {
            終了(tr("あなた"));
        } else if (m_g.WINNER == NO_SIDE) {
            m_g.TURN = m_g.UPPER_PLAYER;
            com_ban();
        }
        return;
    }

    if (m_g.WINNER == SENTE) {
        終了(tr("先手"));
    } else if (m_g.WINNER == GOTE) {
        終了(tr("後手"));
    }
    if (m_ended) return;
    // One flip of the turn; after a new game was started from the announcement there is none.
    if (m_g.TURN == SENTE || m_g.TURN == GOTE) {
        m_g.TURN = -m_g.TURN;
        if (code <= -HU) {
            m_g.LOWER_TIME += m_g.MOVE_ELAPSED;
        } else {
            m_g.UPPER_TIME += m_g.MOVE_ELAPSED;
        }
    }
    m_g.MOVE_START_TIME = m_host.now();
}

void Game::pressLowerHand(int slot) {
    if (!m_g.checks.CHESS_MOCHIKOMA) {
        // Without the option the chess army never drops, and the shogi army below only drops
        // the chess pieces it captured.
        if (m_g.LOWER_PLAYER == GOTE) return;
        if (m_g.LOWER_PLAYER == SENTE && slot >= 6) return;
    }
    const int oldCode = pickInt(m_g, PICK_CODE);
    if (oldCode <= -HU) {
        const int fromX = pickInt(m_g, FROM_X);
        const int fromY = pickInt(m_g, FROM_Y);
        m_draw.描画_移動可能桝色(fromX, fromY, COLOR_UNPICK, oldCode);
        m_draw.描画_桝輪郭(COLOR_UNPICK, fromX, fromY);
    }
    if (m_g.OWN_HAND[slot] <= 0) return;

    調査_2歩フラグ設定(m_g);
    const int code = dropCode(Side::Lower, slot);
    setPick(m_g, FROM_X, LOWER_HAND_COLUMN);
    setPick(m_g, FROM_Y, slot);
    setPick(m_g, PICK_CODE, code);
    if (m_g.TURN == m_g.LOWER_PLAYER) {
        m_g.CLICK_PHASE = 1;
        m_draw.描画_桝輪郭(COLOR_PICK, LOWER_HAND_COLUMN, slot);
    } else if (m_g.TURN == m_g.UPPER_PLAYER) {
        m_g.CLICK_PHASE = 0;
        m_draw.描画_桝輪郭(m_g.COLOR_GUIDE, LOWER_HAND_COLUMN, slot);
    }
    m_draw.描画_移動可能桝色(LOWER_HAND_COLUMN, slot, m_g.COLOR_GUIDE, code);
}

void Game::pressUpperHand(int row) {
    if (!m_g.checks.CHESS_MOCHIKOMA && m_g.LOWER_PLAYER == SENTE) return;
    const int slot = 10 - row;
    const int oldCode = pickInt(m_g, PICK_CODE);
    if (oldCode >= HU) {
        const int fromX = pickInt(m_g, FROM_X);
        const int fromY = pickInt(m_g, FROM_Y);
        m_draw.描画_移動可能桝色(fromX, fromY, COLOR_UNPICK, oldCode);
        m_draw.描画_桝輪郭(COLOR_UNPICK, fromX, fromY);
    }
    if (m_g.ENEMY_HAND[slot] <= 0) return;

    調査_2歩フラグ設定(m_g);
    const int code = dropCode(Side::Upper, slot);
    setPick(m_g, FROM_X, UPPER_HAND_COLUMN);
    setPick(m_g, FROM_Y, row);  // the row; it becomes the slot when the move is made
    setPick(m_g, PICK_CODE, code);
    if (m_g.TURN == m_g.UPPER_PLAYER) {
        m_g.CLICK_PHASE = 1;
        m_draw.描画_桝輪郭(COLOR_PICK, UPPER_HAND_COLUMN, row);
    } else if (m_g.TURN == m_g.LOWER_PLAYER) {
        m_g.CLICK_PHASE = 0;
        m_draw.描画_桝輪郭(m_g.COLOR_GUIDE, UPPER_HAND_COLUMN, row);
    }
    m_draw.描画_移動可能桝色(UPPER_HAND_COLUMN, row, m_g.COLOR_GUIDE, code);
}

}  // namespace zorvan
