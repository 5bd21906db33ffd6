#include "play/move_execution.h"

#include "rules/move_check.h"

namespace zorvan {

namespace {

// Takes the piece `captured` for the side opposite to it: raises the captor's total, files the
// piece and redraws the captor's hand.
void capture(GameState& g, Drawing& d, int captured) {
    if (captured <= -1) {
        g.ENEMY_HAND_COUNT += 1;
        駒取得(g, captured);
        d.描画_敵持盤();
    } else if (captured >= 1) {
        g.OWN_HAND_COUNT += 1;
        駒取得(g, captured);
        d.描画_自持盤();
    }
}

// Puts `code` on a square and repaints it with its outline.
void placeAndDraw(GameState& g, Drawing& d, int x, int y, int code) {
    g.BOARD[x][y] = code;
    d.描画_絵(code, x, y);
    d.描画_桝輪郭(COLOR_GRID, x, y);
}

// The rook's part of a castling: from its corner to the square the king passed over.
void castleRook(GameState& g, Drawing& d, int rookFromX, int rookToX, int y, int rook) {
    placeAndDraw(g, d, rookToX, y, rook);
    placeAndDraw(g, d, rookFromX, y, EMPTY);
}

constexpr int distance(int a, int b) {
    return a > b ? a - b : b - a;
}

}  // namespace

void 駒移動(GameState& g, Drawing& d, int fromX, int fromY, int toX, int toY, int code) {
    const bool drop = isHandColumn(fromX);
    if (!onBoard(toX, toY)) return;
    if (drop ? (fromY < 1 || fromY > HAND_SLOTS) : !onBoard(fromX, fromY)) return;

    // Capture on the target, and en passant: a pawn's diagonal step onto an empty square takes
    // the opposing pawn that passed it.
    const int target = g.BOARD[toX][toY];
    capture(g, d, target);
    if (!drop && target == EMPTY && kindOf(code) == PORN && distance(toX, fromX) == 1) {
        const int passed = g.BOARD[toX][fromY];
        if (passed == (code < 0 ? +PORN : -PORN)) {
            capture(g, d, passed);
            placeAndDraw(g, d, toX, fromY, EMPTY);
        }
    }

    // Clear the origin on screen (the upper hand's slot s is drawn in row 10 - s).
    if (fromX == UPPER_HAND_COLUMN) {
        d.描画_絵(EMPTY, fromX, 10 - fromY);
        d.描画_桝輪郭(COLOR_GRID, fromX, 10 - fromY);
    } else {
        d.描画_絵(EMPTY, fromX, fromY);
        d.描画_桝輪郭(COLOR_GRID, fromX, fromY);
    }

    g.BOARD[toX][toY] = code;

    // Kings: the lower king's square, and the rook of a castling (the king's two-file step).
    if (code == -OU || code == -KING) {
        g.OWN_KING_X = toX;
        g.OWN_KING_Y = toY;
    }
    if (code == -KING && distance(toX, fromX) == 2) {
        if (toX == 6)
            castleRook(g, d, 8, 5, 9, -ROOK);
        else
            castleRook(g, d, 1, 3, 9, -ROOK);
    } else if (code == +KING && distance(toX, fromX) == 2) {
        if (toX == 8)
            castleRook(g, d, 9, 7, 1, +ROOK);
        else
            castleRook(g, d, 2, 5, 1, +ROOK);
    }

    // Clear the origin in the data.
    if (fromX == UPPER_HAND_COLUMN) {
        g.ENEMY_HAND_COUNT -= 1;
        g.ENEMY_HAND[fromY] -= 1;
        d.描画_敵持盤();
    } else if (fromX == LOWER_HAND_COLUMN) {
        g.OWN_HAND_COUNT -= 1;
        g.OWN_HAND[fromY] -= 1;
        d.描画_自持盤();
    } else {
        g.BOARD[fromX][fromY] = EMPTY;
    }

    d.描画_絵(code, toX, toY);
    d.描画_桝輪郭(COLOR_GRID, toX, toY);
    d.描画_桝輪郭(COLOR_GRID, toX, toY);
}

void 駒取得(GameState& g, int captured) {
    if (captured == +OU || captured == +KING) {
        g.WINNER = g.LOWER_PLAYER;
        return;
    }
    if (captured == -OU || captured == -KING) {
        g.WINNER = g.UPPER_PLAYER;
        return;
    }
    const int slot = handSlotOf(captured);
    if (slot == 0) return;
    if (captured > 0)
        g.OWN_HAND[slot] += 1;
    else
        g.ENEMY_HAND[slot] += 1;
}

}  // namespace zorvan
