#include "rules/legal_moves.h"

#include "rules/hand_rules.h"
#include "rules/move_check.h"
#include "rules/promotion.h"

namespace zorvan {

namespace {

// The chess pieces a pawn may become, in the order they are offered.
constexpr std::array<int, 4> kPawnChoices = {QEEN, ROOK, BISH, KNIG};

// Adds the variants of one legal board move: the plain move unless the piece would be stuck, then
// the promotions.
void addBoardMove(const GameState& g, MoveList& out, int fx, int fy, int tx, int ty, int code) {
    const Move plain{fx, fy, tx, ty, code, code};
    const int kind = kindOf(code);
    if (isPromotableShogi(kind)) {
        const int promoted = promotedCode(fx, fy, tx, ty, code);
        if (promoted == EMPTY) {
            out.push(plain);
            return;
        }
        if (移動後チェック(g, ty, code) == ON) out.push(plain);
        out.push(Move{fx, fy, tx, ty, code, promoted});
        return;
    }
    if (kind == PORN && 調査_駒成人選(g, fx, fy, tx, ty, code) == ON) {
        if (移動後チェック(g, ty, code) == ON) out.push(plain);
        const int sign = code < 0 ? -1 : 1;
        for (int choice : kPawnChoices) out.push(Move{fx, fy, tx, ty, code, sign * choice});
        return;
    }
    out.push(plain);
}

}  // namespace

bool mayUseHandSlot(const GameState& g, Side side, int slot) {
    if (slot < 1 || slot > HAND_SLOTS) return false;
    if (g.checks.CHESS_MOCHIKOMA) return true;
    const bool shogiBelow = g.LOWER_PLAYER == SENTE;
    if (side == Side::Lower) return shogiBelow && slot <= 5;
    if (side == Side::Upper) return !shogiBelow;
    return false;
}

void generateLegalMoves(GameState& g, MoveList& out) {
    out.clear();
    const Side side = sideToMove(g);
    if (side == Side::None || g.WINNER != NO_SIDE) return;
    const bool lower = side == Side::Lower;

    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            const int code = g.BOARD[x][y];
            if (lower ? code >= 0 : code <= 0) continue;
            for (int tx = 1; tx <= 9; ++tx)
                for (int ty = 1; ty <= 9; ++ty)
                    if (移動チェック(g, x, y, tx, ty, code) == ON)
                        addBoardMove(g, out, x, y, tx, ty, code);
        }
    }

    調査_2歩フラグ設定(g);
    const Hand& hand = lower ? g.OWN_HAND : g.ENEMY_HAND;
    const int column = lower ? LOWER_HAND_COLUMN : UPPER_HAND_COLUMN;
    for (int slot = 1; slot <= HAND_SLOTS; ++slot) {
        if (hand[slot] <= 0 || !mayUseHandSlot(g, side, slot)) continue;
        const int code = dropCode(side, slot);
        for (int tx = 1; tx <= 9; ++tx)
            for (int ty = 1; ty <= 9; ++ty)
                if (移動チェック(g, column, slot, tx, ty, code) == ON)
                    out.push(Move{column, slot, tx, ty, code, code});
    }
}

std::string formatMove(const Move& m) {
    std::string text;
    if (m.isDrop()) {
        text += kindName(kindOf(m.codeAfter));
        text += '*';
    } else {
        text += static_cast<char>('0' + m.fromX);
        text += static_cast<char>('0' + m.fromY);
    }
    text += static_cast<char>('0' + m.toX);
    text += static_cast<char>('0' + m.toY);
    if (!m.isDrop() && m.promotes()) {
        if (kindOf(m.codeBefore) == PORN) {
            text += '=';
            text += kindName(kindOf(m.codeAfter));
        } else {
            text += '+';
        }
    }
    return text;
}

bool findLegalMove(GameState& g, std::string_view text, Move& out) {
    static thread_local MoveList moves;
    generateLegalMoves(g, moves);
    for (const Move& m : moves) {
        if (formatMove(m) == text) {
            out = m;
            return true;
        }
    }
    return false;
}

}  // namespace zorvan
