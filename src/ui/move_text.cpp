#include "ui/move_text.h"

#include <vector>

#include "text/catalogue.h"
#include "ui/drawing.h"

namespace zorvan {

namespace {

std::string square(int x, int y) {
    std::string text(trc("file", 文字列変換(110 - x)));
    text += trc("rank", 文字列変換(110 + y));
    return text;
}

std::string_view letter(int code) {
    return trc("piece", displayText(code));
}

int signOfCode(int code) {
    return code < 0 ? -1 : (code > 0 ? 1 : 0);
}

struct Square {
    int x, y;
};

}  // namespace

bool takesPiece(const Board& board, const Move& m) {
    if (m.isDrop()) return false;
    if (board[m.toX][m.toY] != EMPTY) return true;
    return kindOf(m.codeBefore) == PORN && m.fromX != m.toX;
}

std::string moveText(const Move& m, bool capture) {
    std::string text(letter(m.codeBefore));
    if (m.isDrop()) {
        text += '*';
        text += square(m.toX, m.toY);
        return text;
    }
    text += square(m.fromX, m.fromY);
    text += capture ? 'x' : '-';
    text += square(m.toX, m.toY);
    if (m.promotes()) {
        if (kindOf(m.codeBefore) == PORN) {
            text += '=';
            text += letter(m.codeAfter);
        } else {
            text += '+';
        }
    }
    return text;
}

bool movePlayed(const GameState& g, int n, Move& m, bool& capture) {
    if (n < 1 || static_cast<size_t>(n) >= g.HISTORY.size()) return false;
    const Board& before = g.HISTORY[static_cast<size_t>(n) - 1];
    const Board& after = g.HISTORY[static_cast<size_t>(n)];
    // The mover's pieces that arrived on a square, and those that left one.
    std::vector<Square> arrived, left;
    int side = 0;
    int opponentsBefore = 0, opponentsAfter = 0;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (after[x][y] == before[x][y] || after[x][y] == EMPTY) continue;
            if (side != 0 && signOfCode(after[x][y]) != side) return false;
            side = signOfCode(after[x][y]);
            arrived.push_back({x, y});
        }
    }
    if (side == 0) return false;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (signOfCode(before[x][y]) == side && after[x][y] != before[x][y])
                left.push_back({x, y});
            opponentsBefore += signOfCode(before[x][y]) == -side;
            opponentsAfter += signOfCode(after[x][y]) == -side;
        }
    }
    // Castling moves two pieces: the king's move is the one written.
    if (arrived.size() == 2 && left.size() == 2) {
        auto king = [](const Board& b, std::vector<Square>& squares) {
            if (kindOf(b[squares[1].x][squares[1].y]) == KING) std::swap(squares[0], squares[1]);
            return kindOf(b[squares[0].x][squares[0].y]) == KING;
        };
        if (!king(after, arrived) || !king(before, left)) return false;
        arrived.resize(1);
        left.resize(1);
    }
    if (arrived.size() != 1 || left.size() > 1) return false;
    const Square to = arrived[0];
    const int code = after[to.x][to.y];
    if (left.empty()) {
        const int slot = handSlotOf(code);
        if (slot == 0) return false;
        m = {side < 0 ? LOWER_HAND_COLUMN : UPPER_HAND_COLUMN, slot, to.x, to.y, code, code};
    } else {
        m = {left[0].x, left[0].y, to.x, to.y, before[left[0].x][left[0].y], code};
    }
    capture = opponentsAfter < opponentsBefore;
    return true;
}

}  // namespace zorvan
