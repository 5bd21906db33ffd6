// Status texts: square labels, the move counter, the last move, captions, clocks.
#include <array>
#include <cmath>
#include <string>

#include "ui/drawing.h"

namespace zorvan {

namespace {

constexpr std::array<std::string_view, 10> kFullWidthDigits = {"",   "１", "２", "３", "４",
                                                               "５", "６", "７", "８", "９"};
constexpr std::array<std::string_view, 10> kKanjiNumerals = {"",   "一", "二", "三", "四",
                                                             "五", "六", "七", "八", "九"};

// Handicap titles for -10..10.
constexpr std::array<std::string_view, 21> kHandicapTitles = {
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級"};

// Rows of the move texts: high enough in their cells that text and shadow (0.1 row lower) stay
// inside the cells their eraser repaints, with our font at any scale. (Lower, they would leave
// their last pixel rows on the row below: the level caption's and the move counter's.)
constexpr double kUpperMoveRow = -1.7;
constexpr double kLowerMoveRow = 2.3;

// Twips from a grid position to where a label starts.
constexpr double kLabelDx = 120.0 / SQUARE_W;
constexpr double kLabelDy = 160.0 / SQUARE_H;

}  // namespace

std::string_view 文字列変換(int value) {
    if (value >= 101 && value <= 109) return kFullWidthDigits[static_cast<size_t>(value - 100)];
    if (value >= 111 && value <= 119) return kKanjiNumerals[static_cast<size_t>(value - 110)];
    return displayText(value);
}

std::string 変換_数字から文字(long n) {
    std::string text = std::to_string(n);
    if (text.size() == 1) return "0" + text;
    if (text.size() == 2) return text;
    return {};
}

std::string 調査_時間秒追加結果(double seconds) {
    // Keep the arithmetic in range whatever the clock held.
    double s = (seconds >= 0 && seconds < 1e9) ? seconds : 0;
    long h = 0;
    if (s >= 3600) {
        h = static_cast<long>(std::floor(s / 3600));
        s -= 3600.0 * static_cast<double>(h);
    }
    const long m = static_cast<long>(std::floor(s / 60));
    const double sec = s - 60.0 * static_cast<double>(m);
    return 変換_数字から文字(h) + ":" + 変換_数字から文字(m) + ":" +
           変換_数字から文字(static_cast<long>(std::floor(sec)));
}

double 調査_経過秒(double start, double now) {
    return start <= now ? now - start : now + 86400 - start;
}

std::string_view labelText(int code) {
    if (code >= -10 && code <= 10) return kHandicapTitles[static_cast<size_t>(code + 10)];
    if (code == LABEL_MOVES) return "手目";
    return {};
}

void Drawing::描画_移動駒種類(double x, double y, std::string_view text, int colour) {
    if (m_canvas && !text.empty()) m_canvas->text(x, y, text, colour, 12);
}

void Drawing::描画_数値(double x, double y, long n, int colour, int mode, int size) {
    if (!m_canvas) return;
    if (mode == 0) {
        m_canvas->text(x, y, std::to_string(n), colour, size);
    } else if (n >= 1 && n <= 9) {
        m_canvas->text(x, y, kKanjiNumerals[static_cast<size_t>(n)], colour, size);
    }
}

void Drawing::描画_数値(double x, double y, std::string_view text, int colour, int mode, int size) {
    if (m_canvas && mode == 0 && !text.empty()) m_canvas->text(x, y, text, colour, size);
}

void Drawing::描画_文字列(double x, double y, int code, int colour, int size) {
    const std::string_view label = labelText(code);
    if (m_canvas && !label.empty()) m_canvas->text(x + kLabelDx, y + kLabelDy, label, colour, size);
}

void Drawing::shadowed(double x, double y, std::string_view text, int colour, int size) {
    if (!m_canvas || text.empty()) return;
    m_canvas->text(x + 0.1, y + 0.1, text, COLOR_BLACK, size);
    m_canvas->text(x, y, text, colour, size);
}

void Drawing::描画_移動結果(int player, int x, int y, int code, int colour) {
    消去_移動結果(player);
    if (player != m_g.UPPER_PLAYER && player != m_g.LOWER_PLAYER) return;
    const bool upper = player == m_g.UPPER_PLAYER;
    ShownMove& shown = upper ? m_upperMove : m_lowerMove;
    shown = {true, x, y, code, colour};
    drawMoveText(upper, shown);
}

void Drawing::drawMoveText(bool upper, const ShownMove& move) {
    const double fx = upper ? 1.1 : 13.4;
    const double fy = upper ? kUpperMoveRow : kLowerMoveRow;
    // File counted from the right, rank as a numeral, then the piece after the move.
    shadowed(fx, fy, 文字列変換(110 - move.x), move.colour, 12);
    shadowed(fx + 0.4, fy, 文字列変換(110 + move.y), move.colour, 12);
    shadowed(fx + 1.0, fy, 文字列変換(move.code), move.colour, 12);
}

void Drawing::消去_移動結果(int player) {
    if (player == m_g.UPPER_PLAYER) {
        m_upperMove.shown = false;
        m_thinkingShown = false;
        for (int x = 1; x <= 3; ++x) 描画_絵(EMPTY, x, -2);
        if (m_g.checks.CHESS_MOCHIKOMA) 描画_桝輪郭(COLOR_GRID, -1, 7);
        描画_桝輪郭(COLOR_GRID, 1, 8);
    } else if (player == m_g.LOWER_PLAYER) {
        m_lowerMove.shown = false;
        for (int x = 13; x <= 16; ++x) 描画_絵(EMPTY, x, 2);
    }
}

void Drawing::描画_手数(int n, int /*colour*/) {
    m_counterShown = true;
    m_counter = n;
    描画_絵(EMPTY, 13, 3);
    描画_絵(EMPTY, 14, 3);
    const double x = n < 10 ? 13.2 : (n < 100 ? 13.1 : 13.0);
    描画_数値(x + 0.1, 3.4, n, COLOR_BLACK, 0, 12);
    描画_数値(x, 3.3, n, COLOR_WHITE, 0, 12);
    描画_文字列(13.9, 3.2, LABEL_MOVES, COLOR_BLACK, 10);
    描画_文字列(13.8, 3.1, LABEL_MOVES, COLOR_WHITE, 10);
}

void Drawing::描画_桝_数値() {
    for (int i = 1; i <= 9; ++i) {
        描画_絵(EMPTY, i, 0);
        描画_数値(i + 0.2, 0.5, 10 - i, COLOR_BLACK, 0, 16);
        描画_数値(i + 0.1, 0.4, 10 - i, COLOR_LABEL, 0, 16);
        描画_絵(EMPTY, 10, i);
        描画_数値(10.2, i + 0.4, i, COLOR_BLACK, 1, 12);
        描画_数値(10.1, i + 0.3, i, COLOR_LABEL, 1, 12);
        描画_桝輪郭(COLOR_GRID, 9, i);
    }
}

void Drawing::描画_レベル(int level) {
    描画_数値(1, -0.7, "LEVEL", COLOR_BLACK, 0, 10);
    描画_数値(1, -0.8, "LEVEL", COLOR_WHITE, 0, 10);
    描画_数値(2.4, -0.7, level, COLOR_BLACK, 0, 10);
    描画_数値(2.3, -0.8, level, COLOR_WHITE, 0, 10);
}

// The caption "LEVEL n" and its shadow stand on the two cells above files 9 and 8, whatever the
// digit; they show the background.
void Drawing::消去_レベル() {
    for (int x = 1; x <= 2; ++x) 描画_絵(m_g.BACKGROUND, x, -1);
}

void Drawing::描画_ハンデレベル(int level) {
    for (int x = 12; x <= 15; ++x) 描画_絵(EMPTY, x, 0);
    描画_文字列(12.1, 0.1, level, COLOR_BLACK, 10);
    描画_文字列(12, 0, level, COLOR_WHITE, 10);
}

void Drawing::描画_所有時間(int player, double seconds) {
    if (!m_g.checks.KEIKA) return;
    const std::string text = 調査_時間秒追加結果(seconds);
    if (player == m_g.LOWER_PLAYER) {
        消去_所有時間(player);
        描画_数値(13.1, 10.3, text, COLOR_BLACK, 0, 12);
        描画_数値(13, 10.2, text, COLOR_WHITE, 0, 12);
    } else if (player == m_g.UPPER_PLAYER) {
        消去_所有時間(player);
        描画_数値(-1.5, 10.3, text, COLOR_BLACK, 0, 12);
        描画_数値(-1.6, 10.2, text, COLOR_WHITE, 0, 12);
        描画_桝輪郭(COLOR_GRID, 1, 9);
    }
}

void Drawing::消去_所有時間(int player) {
    if (player == m_g.LOWER_PLAYER) {
        for (int x = 13; x <= 15; ++x) 描画_絵(m_g.BACKGROUND, x, 10);
    } else if (player == m_g.UPPER_PLAYER) {
        for (int x = -2; x <= 0; ++x) 描画_絵(m_g.BACKGROUND, x, 10);
    }
}

void Drawing::描画_思考中() {
    m_upperMove.shown = false;
    m_thinkingShown = true;
    for (int x = 1; x <= 3; ++x) 描画_絵(EMPTY, x, -2);
    if (m_g.checks.CHESS_MOCHIKOMA) 描画_桝輪郭(COLOR_GRID, -1, 7);
    描画_数値(1.2, kUpperMoveRow, "思考中", COLOR_BLACK, 0, 12);
    描画_数値(1.1, kUpperMoveRow - 0.1, "思考中", COLOR_MOVE_TEXT, 0, 12);
    描画_桝輪郭(COLOR_GRID, 1, 8);
}

void Drawing::forgetStatusTexts() {
    m_recordNamesShown = false;
    m_upperMove.shown = false;
    m_lowerMove.shown = false;
    m_thinkingShown = false;
    m_counterShown = false;
}

// The counter, the move texts and a record's names after the whole screen was painted anew.
void Drawing::redrawStatusTexts() {
    if (m_recordNamesShown) drawRecordNames();
    if (m_counterShown) 描画_手数(m_counter, COLOR_WHITE);
    if (m_thinkingShown) {
        描画_思考中();
    } else if (m_upperMove.shown) {
        for (int x = 1; x <= 3; ++x) 描画_絵(EMPTY, x, -2);
        drawMoveText(true, m_upperMove);
    }
    if (m_lowerMove.shown) {
        for (int x = 13; x <= 16; ++x) 描画_絵(EMPTY, x, 2);
        drawMoveText(false, m_lowerMove);
    }
}

}  // namespace zorvan
