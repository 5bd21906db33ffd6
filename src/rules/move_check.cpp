#include "rules/move_check.h"

namespace zorvan {

namespace {

constexpr int absOf(int v) {
    return v < 0 ? -v : v;
}
constexpr int signOfInt(int v) {
    return (v > 0) - (v < 0);
}

// Both path walks assume source and target are board squares.
int diagonalPath(const GameState& g, int fromX, int fromY, int toX, int toY) {
    const int dx = toX - fromX;
    const int dy = toY - fromY;
    if (dx != dy && dx != -dy) return OFF;
    const int sx = signOfInt(dx);
    const int sy = signOfInt(dy);
    for (int i = 1; i < absOf(dx); ++i)
        if (g.BOARD[fromX + i * sx][fromY + i * sy] != EMPTY) return OFF;
    return ON;
}

int orthogonalPath(const GameState& g, int fromX, int fromY, int toX, int toY) {
    if (fromX != toX && fromY != toY) return OFF;
    const int sx = signOfInt(toX - fromX);
    const int sy = signOfInt(toY - fromY);
    const int steps = absOf(toX - fromX) + absOf(toY - fromY);
    for (int i = 1; i < steps; ++i)
        if (g.BOARD[fromX + i * sx][fromY + i * sy] != EMPTY) return OFF;
    return ON;
}

// A drop onto an empty square: the two-pawn rule for 歩 and the dead rows of 歩, 香, 桂 and the
// chess pawn (rows from which they could never move again).
int dropCheck(const GameState& g, int toX, int toY, int code, int target) {
    if (target != EMPTY) return OFF;
    const bool lower = code < 0;
    switch (kindOf(code)) {
        case HU:
            if ((lower ? g.OWN_PAWN_FILE[toX] : g.ENEMY_PAWN_FILE[toX]) == 1) return OFF;
            return (lower ? toY == 1 : toY == 9) ? OFF : ON;
        case KYOU:
            return (lower ? toY == 1 : toY == 9) ? OFF : ON;
        case KEI:
        case PORN:
            return (lower ? toY <= 2 : toY >= 8) ? OFF : ON;
        default:
            return ON;
    }
}

// The chess pawn: a step forward onto an empty square, a diagonal capture, en passant right after
// the opposing pawn's move ended beside it, and the double step from the start row.
int pawnCheck(const GameState& g, int fromX, int fromY, int toX, int toY, int code, int target) {
    const bool lower = code < 0;
    const int dx = toX - fromX;
    const int f = lower ? fromY - toY : toY - fromY;
    if (dx == 0 && target != EMPTY) return OFF;
    if (f == 1) {
        if (dx == 0) return ON;
        if (absOf(dx) != 1) return OFF;
        if (target != EMPTY) return ON;
        const int passedPawn = lower ? +PORN : -PORN;
        if (fromY != (lower ? 4 : 6) || g.BOARD[toX][fromY] != passedPawn) return OFF;
        const int n = g.MOVE_NO;
        if (n < 0 || static_cast<size_t>(n) >= g.MOVE_CODE.size()) return OFF;
        return (g.MOVE_TO_X[n] == toX && g.MOVE_TO_Y[n] == fromY && g.MOVE_CODE[n] == passedPawn)
                   ? ON
                   : OFF;
    }
    if (dx == 0 && f == 2 && fromY == (lower ? 8 : 2)) {
        const int passed = lower ? 7 : 3;
        return g.BOARD[fromX][passed] == EMPTY ? ON : OFF;  // the target is empty (tested above)
    }
    return OFF;
}

// Castling: the king on its home square moves two files towards its own rook on the corner, over
// empty squares. Whether king or rook moved before, or the king is attacked, does not matter.
int castlingCheck(const GameState& g, int fromX, int fromY, int toX, int toY, int code) {
    const auto& b = g.BOARD;
    if (code == +KING && fromX == 6 && fromY == 1 && toY == 1) {
        if (toX == 8) return (b[7][1] == EMPTY && b[8][1] == EMPTY && b[9][1] == +ROOK) ? ON : OFF;
        if (toX == 4)
            return (b[3][1] == EMPTY && b[4][1] == EMPTY && b[5][1] == EMPTY && b[2][1] == +ROOK)
                       ? ON
                       : OFF;
    }
    if (code == -KING && fromX == 4 && fromY == 9 && toY == 9) {
        if (toX == 6)
            return (b[5][9] == EMPTY && b[6][9] == EMPTY && b[7][9] == EMPTY && b[8][9] == -ROOK)
                       ? ON
                       : OFF;
        if (toX == 2) return (b[2][9] == EMPTY && b[3][9] == EMPTY && b[1][9] == -ROOK) ? ON : OFF;
    }
    return OFF;
}

// 金 and the pieces that move as 金 (と, 香成, 桂成, 銀成).
constexpr bool goldStep(int dx, int f) {
    return (absOf(dx) <= 1 && (f == 0 || f == 1)) || (dx == 0 && f == -1);
}

}  // namespace

int 移動チェック(const GameState& g, int fromX, int fromY, int toX, int toY, int code) {
    if (toX < 1 || toX > 9 || toY < 1 || toY > 9) return OFF;
    if (fromX == toX && fromY == toY) return OFF;
    if (!isValidPiece(code)) return OFF;
    const int target = g.BOARD[toX][toY];
    if (code > 0 ? target > 0 : target < 0) return OFF;  // never onto a piece of the same side
    if (isHandColumn(fromX)) return dropCheck(g, toX, toY, code, target);
    if (!onBoard(fromX, fromY)) return OFF;

    const int dx = toX - fromX;
    const int dy = toY - fromY;
    const int f = code < 0 ? -dy : dy;  // forward distance of the mover
    const bool adjacent = absOf(dx) <= 1 && absOf(dy) <= 1;
    switch (kindOf(code)) {
        case HU:
            return (dx == 0 && f == 1) ? ON : OFF;
        case KYOU:
            return (dx == 0 && f >= 1) ? orthogonalPath(g, fromX, fromY, toX, toY) : OFF;
        case KEI:
            return (absOf(dx) == 1 && f == 2) ? ON : OFF;
        case GIN:
            return (absOf(dx) <= 1 && (f == 1 || (f == -1 && dx != 0))) ? ON : OFF;
        case KIN:
        case HU_N:
        case KYOU_N:
        case KEI_N:
        case GIN_N:
            return goldStep(dx, f) ? ON : OFF;
        case KAKU:
        case BISH:
            return diagonalPath(g, fromX, fromY, toX, toY);
        case KAKU_N:
            return adjacent ? ON : diagonalPath(g, fromX, fromY, toX, toY);
        case SYA:
        case ROOK:
            return orthogonalPath(g, fromX, fromY, toX, toY);
        case SYA_N:
            return adjacent ? ON : orthogonalPath(g, fromX, fromY, toX, toY);
        case OU:
            return adjacent ? ON : OFF;
        case KNIG:
            return ((absOf(dx) == 1 && absOf(dy) == 2) || (absOf(dx) == 2 && absOf(dy) == 1)) ? ON
                                                                                              : OFF;
        case QEEN:
            return (orthogonalPath(g, fromX, fromY, toX, toY) == ON ||
                    diagonalPath(g, fromX, fromY, toX, toY) == ON)
                       ? ON
                       : OFF;
        case KING:
            return adjacent ? ON : castlingCheck(g, fromX, fromY, toX, toY, code);
        case PORN:
            return pawnCheck(g, fromX, fromY, toX, toY, code, target);
        default:
            return OFF;
    }
}

int 移動チェックビショ(const GameState& g, int fromX, int fromY, int toX, int toY) {
    if (!onBoard(fromX, fromY) || !onBoard(toX, toY)) return OFF;
    return diagonalPath(g, fromX, fromY, toX, toY);
}

int 移動チェック角(const GameState& g, int fromX, int fromY, int toX, int toY) {
    return 移動チェックビショ(g, fromX, fromY, toX, toY);
}

int 移動チェックルーク(const GameState& g, int fromX, int fromY, int toX, int toY) {
    if (!onBoard(fromX, fromY) || !onBoard(toX, toY)) return OFF;
    return orthogonalPath(g, fromX, fromY, toX, toY);
}

int 移動チェック飛車(const GameState& g, int fromX, int fromY, int toX, int toY) {
    return 移動チェックルーク(g, fromX, fromY, toX, toY);
}

}  // namespace zorvan
