// The game's drawing procedures and status texts, painting the state of one game on a Canvas.
// Without a canvas (the command-line tool, most tests) every procedure does nothing.
//
// Positions are grid cells (see ui/canvas.h): the board squares are cells (1..9, 1..9), the lower
// hand column 11, the upper hand column -1, the caption area row -2, the clocks row 10.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/game_state.h"
#include "ui/canvas.h"

namespace zorvan {

// Colour of labels around the board (light yellow).
constexpr int COLOR_LABEL = 14;

// Colour of the hint's outlines (light cyan), used for nothing else.
constexpr int COLOR_HINT = 11;

// Code of the label "手目" for 描画_文字列.
constexpr int LABEL_MOVES = 99;

// Text of a number or code: 101..109 -> "１".."９", 111..119 -> "一".."九", a piece code of either
// sign -> its name; anything else -> "".
std::string_view 文字列変換(int value);

// A number as two characters: "05" for 5, "12" for 12, "" for anything longer.
std::string 変換_数字から文字(long n);

// Clock text "hh:mm:ss" of a number of seconds; each field as 変換_数字から文字 writes it.
std::string 調査_時間秒追加結果(double seconds);

// Seconds from `start` to `now` (both seconds since midnight), across midnight.
double 調査_経過秒(double start, double now);

// Label of 描画_文字列: the handicap titles for -10..10, "手目" for 99, "" otherwise.
std::string_view labelText(int code);

class Drawing {
public:
    explicit Drawing(GameState& g, Canvas* canvas = nullptr) : m_g(g), m_canvas(canvas) {}
    void setCanvas(Canvas* canvas) { m_canvas = canvas; }
    Canvas* canvas() const { return m_canvas; }

    // ---- board and pieces ----
    void 描画_絵(int picture, double x, double y);                   // paint one cell
    void 描画_絵駒(int shade, int code, double x, double y);         // paint a piece picture
    void 描画_絵_チェス駒(int shade, int code, double x, double y);  // paint a chess piece
    void 描画_盤();                                                  // all 81 squares with outlines
    void 描画_自持盤();                                              // the lower hand
    void 描画_敵持盤();                                              // the upper hand
    void 描画_背景(int background);                                  // tiles around the board
    void 描画_桝輪郭(int colour, double x, double y);                // outline one cell
    void 描画_将棋盤桝();                                            // outline the 81 squares
    void 描画_移動可能桝色(int x, int y, int colour, int code);      // guidance marks

    // ---- status texts ----
    void 描画_移動駒種類(double x, double y, std::string_view text, int colour);  // size 12 text
    void 描画_数値(double x, double y, long n, int colour, int mode, int size);   // a number
    void 描画_数値(double x, double y, std::string_view text, int colour, int mode, int size);
    void 描画_文字列(double x, double y, int code, int colour, int size);  // a label
    void 描画_移動結果(int player, int x, int y, int code, int colour);    // last move text
    void 消去_移動結果(int player);                                        // erase it
    void 描画_手数(int n, int colour);                                     // move counter
    void 描画_桝_数値();                                                   // file/rank labels
    void 描画_レベル(int level);                                           // "LEVEL n"
    void 消去_レベル();                                                    // erase it
    void 描画_ハンデレベル(int level);                                     // handicap title
    void 描画_所有時間(int player, double seconds);                        // a player's time
    void 消去_所有時間(int player);                                        // erase it
    void 描画_思考中();                                                    // thinking caption
    void 描画_棋譜読込み部分消去();  // clear the record display around the board

    // A loaded record's names: the game's, the upper and the lower side's player. Each has a band
    // of its own around the board, clear of the clocks, the captions and the move texts; full
    // redraws show them again until 描画_棋譜読込み部分消去 (a game started) takes them away.
    void showRecordNames(std::string_view gameName, std::string_view upper, std::string_view lower);

    // Redraw the whole screen, with the move counter and the move texts as they stood.
    void 画面_再描画();
    // A new game shows no move counter and no move texts: forget those shown.
    void forgetStatusTexts();

    // Push what was painted to the screen at once.
    void refresh();

private:
    void shadowed(double x, double y, std::string_view text, int colour, int size);

    // A move text as it was drawn, above the board (upper side) or right of it (lower side).
    struct ShownMove {
        bool shown = false;
        int x = 0, y = 0, code = 0, colour = 0;
    };
    void drawMoveText(bool upper, const ShownMove& move);
    void redrawStatusTexts();
    void drawRecordNames();
    void eraseRecordNameBands();

    GameState& m_g;
    Canvas* m_canvas;
    ShownMove m_upperMove, m_lowerMove;
    bool m_thinkingShown = false;
    bool m_counterShown = false;
    int m_counter = 0;
    std::array<std::string, 3> m_recordNames;  // game, upper player, lower player
    bool m_recordNamesShown = false;
};

}  // namespace zorvan
