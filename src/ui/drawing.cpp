#include "ui/drawing.h"

#include "rules/move_check.h"
#include "rules/players.h"

namespace zorvan {

namespace {

bool isBoardCell(double x, double y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

bool isChessKind(int kind) {
    return kind == PORN || kind == ROOK || kind == KNIG || kind == BISH || kind == QEEN ||
           kind == KING;
}

}  // namespace

void Drawing::描画_絵(int picture, double x, double y) {
    if ((picture >= BG_MIDORI && picture <= BG_RENGA) || picture == PICTURE_TITLE) {
        if (m_canvas) m_canvas->picture(picture, 0, x, y);
        return;
    }
    // A code: board squares are shaded like a checkerboard, every other cell is light.
    const int shade =
        isBoardCell(x, y) ? m_g.SQUARE_SHADE[static_cast<int>(x)][static_cast<int>(y)] : 0;
    描画_絵駒(shade, picture, x, y);
}

// Painting a chess piece also settles which player each side is (as every chess picture
// depends on it), with or without a canvas, so that a game behaves the same on and off screen.
void Drawing::描画_絵駒(int shade, int code, double x, double y) {
    if (code == EMPTY) {
        if (m_canvas) m_canvas->picture(EMPTY, shade, x, y);
        return;
    }
    if (!isValidPiece(code)) return;
    if (!isChessKind(kindOf(code))) {
        if (m_canvas) m_canvas->picture(code, shade, x, y);
        return;
    }
    // The first player's chess pieces are always white, the second player's always black.
    調査_先手後手(m_g);
    描画_絵_チェス駒(shade, m_g.LOWER_PLAYER == SENTE ? code : -code, x, y);
}

void Drawing::描画_絵_チェス駒(int shade, int code, double x, double y) {
    // A positive code is the black picture, a negative one the white picture.
    if (m_canvas && isValidPiece(code) && isChessKind(kindOf(code)))
        m_canvas->picture(code, shade, x, y);
}

void Drawing::描画_盤() {
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            描画_絵(m_g.BOARD[x][y], x, y);
            描画_桝輪郭(COLOR_GRID, x, y);
        }
    }
}

void Drawing::描画_自持盤() {
    const bool chessHand = m_g.checks.CHESS_MOCHIKOMA;
    // Without the option the chess army's hand is not shown, and the shogi army shows only the
    // captured chess pieces (slots 1..5).
    if (!chessHand && m_g.LOWER_PLAYER == GOTE) return;
    for (int s = 1; s <= HAND_SLOTS; ++s) {
        if (!chessHand && s >= 6) break;
        描画_絵(EMPTY, LOWER_HAND_COLUMN, s);
        描画_絵(m_g.BACKGROUND, LOWER_HAND_COLUMN + 1, s);
        描画_桝輪郭(COLOR_GRID, LOWER_HAND_COLUMN, s);
        if (m_g.OWN_HAND[s] > 0) {
            描画_絵(dropCode(Side::Lower, s), LOWER_HAND_COLUMN, s);
            描画_桝輪郭(COLOR_GRID, LOWER_HAND_COLUMN, s);
            描画_数値(12.1, s + 0.3, m_g.OWN_HAND[s], COLOR_BLACK, 0, 12);
            描画_数値(12, s + 0.2, m_g.OWN_HAND[s], COLOR_PICK, 0, 12);
        }
    }
}

void Drawing::描画_敵持盤() {
    const bool chessHand = m_g.checks.CHESS_MOCHIKOMA;
    if (!chessHand && m_g.LOWER_PLAYER == SENTE) return;
    // Slot 1 sits at row 9 next to the lower board edge, slot 12 at row -2 above the board.
    for (int k = 1; k <= HAND_SLOTS; ++k) {
        const int r = k - 3;
        const int s = 13 - k;
        if (!chessHand && m_g.UPPER_PLAYER == SENTE && k < 8) continue;
        描画_絵(EMPTY, UPPER_HAND_COLUMN, r);
        描画_絵(m_g.BACKGROUND, UPPER_HAND_COLUMN + 1, r);
        描画_桝輪郭(COLOR_GRID, UPPER_HAND_COLUMN, r);
        if (m_g.ENEMY_HAND[s] > 0) {
            描画_絵(dropCode(Side::Upper, s), UPPER_HAND_COLUMN, r);
            描画_桝輪郭(COLOR_GRID, UPPER_HAND_COLUMN, r);
            描画_数値(0.1, r + 0.3, m_g.ENEMY_HAND[s], COLOR_BLACK, 0, 12);
            描画_数値(0, r + 0.2, m_g.ENEMY_HAND[s], COLOR_PICK, 0, 12);
        }
    }
}

void Drawing::描画_背景(int background) {
    if (!m_canvas) return;
    for (int x = -3; x <= 28; ++x)
        for (int y = -3; y <= 15; ++y)
            if (!isBoardCell(x, y)) 描画_絵(background, x, y);
}

void Drawing::描画_桝輪郭(int colour, double x, double y) {
    if (m_canvas) m_canvas->outline(colour, x, y);
}

void Drawing::描画_将棋盤桝() {
    if (!m_canvas) return;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) 描画_桝輪郭(COLOR_UNPICK, x, y);
}

void Drawing::描画_移動可能桝色(int x, int y, int colour, int code) {
    描画_将棋盤桝();
    if (m_g.GUIDE_ON == OFF || !m_canvas) return;
    for (int tx = 1; tx <= 9; ++tx)
        for (int ty = 1; ty <= 9; ++ty)
            if (移動チェック(m_g, x, y, tx, ty, code) == ON) 描画_桝輪郭(colour, tx, ty);
}

void Drawing::描画_棋譜読込み部分消去() {
    描画_桝_数値();
    // Every band a record's name may stand in, the row below the board among them.
    eraseRecordNameBands();
    for (int x = 1; x <= 9; ++x) 描画_桝輪郭(COLOR_GRID, x, 9);
}

void Drawing::画面_再描画() {
    描画_背景(m_g.BACKGROUND);
    描画_桝_数値();
    描画_自持盤();
    描画_敵持盤();
    描画_盤();
    描画_所有時間(m_g.UPPER_PLAYER, m_g.UPPER_TIME);
    描画_所有時間(m_g.LOWER_PLAYER, m_g.LOWER_TIME);
    if (m_g.GAME_MODE == MODE_COM) 描画_レベル(m_g.COM_LEVEL);
    if (m_g.HANDICAP_ON == ON) 描画_ハンデレベル(m_g.HANDICAP_LEVEL);
    描画_絵(PICTURE_TITLE, 10.8, -1);
    redrawStatusTexts();
}

void Drawing::refresh() {
    if (m_canvas) m_canvas->refresh();
}

}  // namespace zorvan
