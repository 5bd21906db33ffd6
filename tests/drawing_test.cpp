// Drawing procedures and status texts on a recording canvas.
#include "ui/drawing.h"

#include <gtest/gtest.h>

#include "fakes.h"

namespace zorvan {
namespace {

using testing::FakeCanvas;
using Op = FakeCanvas::Op;

struct Painter {
    GameState g;
    FakeCanvas canvas;
    Drawing d{g, &canvas};
    Painter() { 初期設定(g); }
};

TEST(StatusText, ConversionsOfNumbersAndCodes) {
    const struct {
        int value;
        std::string_view text;
    } cases[] = {{101, "１"},       {109, "９"},        {111, "一"},     {119, "九"},
                 {110, ""},         {100, ""},          {120, ""},       {-KAKU_N, "角成"},
                 {+KAKU_N, "角成"}, {-BISH, "ﾋﾞｼｮｯﾌﾟ"}, {+QEEN, "ｸｲｰﾝ"}, {EMPTY, ""},
                 {21, ""},          {-21, ""}};
    for (const auto& c : cases) EXPECT_EQ(文字列変換(c.value), c.text) << c.value;
}

TEST(StatusText, TwoDigitNumbers) {
    EXPECT_EQ(変換_数字から文字(7), "07");
    EXPECT_EQ(変換_数字から文字(0), "00");
    EXPECT_EQ(変換_数字から文字(12), "12");
    EXPECT_EQ(変換_数字から文字(123), "");
}

TEST(StatusText, ClockTexts) {
    const struct {
        double seconds;
        std::string_view text;
    } cases[] = {{0, "00:00:00"},    {59.9, "00:00:59"},  {3599.5, "00:59:59"},
                 {3725, "01:02:05"}, {36000, "10:00:00"}, {360000, ":00:00"},
                 {-5, "00:00:00"},   {1e300, "00:00:00"}};
    for (const auto& c : cases) EXPECT_EQ(調査_時間秒追加結果(c.seconds), c.text) << c.seconds;
}

TEST(StatusText, ElapsedSecondsAcrossMidnight) {
    EXPECT_NEAR(調査_経過秒(86399.5, 0.7), 1.2, 1e-9);
    EXPECT_DOUBLE_EQ(調査_経過秒(100, 107.5), 7.5);
}

TEST(StatusText, MoveCounterStartsFurtherLeftForLongerNumbers) {
    for (const auto& [n, x] : {std::pair{9, 13.2}, {10, 13.1}, {100, 13.0}}) {
        Painter p;
        p.d.描画_手数(n, COLOR_WHITE);
        bool found = false;
        for (const Op& op : p.canvas.ops)
            if (op.kind == Op::Text && op.id == COLOR_WHITE && op.text == std::to_string(n)) {
                EXPECT_DOUBLE_EQ(op.c, x) << n;
                EXPECT_DOUBLE_EQ(op.r, 3.3);
                found = true;
            }
        EXPECT_TRUE(found) << n;
        EXPECT_EQ(p.canvas.textsIn(COLOR_WHITE).back(), "手目");
    }
}

TEST(StatusText, UpperMoveTextAboveTheBoard) {
    Painter p;
    p.d.描画_移動結果(p.g.UPPER_PLAYER, 2, 8, +SYA_N, COLOR_WHITE);
    std::vector<std::string> texts;
    for (const Op& op : p.canvas.ops) {
        if (op.kind == Op::Text && op.id == COLOR_WHITE) {
            texts.push_back(op.text);
            // In the caption cells above the board, high enough for text and shadow to fit.
            EXPECT_GE(op.r, -2.0);
            EXPECT_LE(op.r, -1.6);
        }
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"８", "八", "飛成"}));
    // The old text was erased first: the three caption cells.
    EXPECT_EQ(p.canvas.ops[0].kind, Op::Picture);
    EXPECT_EQ(p.canvas.lastPictureAt(3, -2), EMPTY);
}

TEST(StatusText, UnknownSidesAndLabelsDrawNothing) {
    Painter p;
    p.d.描画_移動結果(NO_SIDE, 2, 8, +HU, COLOR_WHITE);
    p.d.描画_文字列(0, 0, 11, COLOR_WHITE, 10);
    p.d.描画_文字列(0, 0, -11, COLOR_WHITE, 10);
    p.d.描画_数値(0, 0, 10, COLOR_WHITE, 1, 12);  // numerals only for 1..9
    EXPECT_TRUE(p.canvas.ops.empty());
    EXPECT_EQ(labelText(10), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級");
    EXPECT_EQ(labelText(-10), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人");
}

TEST(StatusText, TimesOnlyWithTheOption) {
    Painter p;
    p.g.checks.KEIKA = false;
    p.d.描画_所有時間(p.g.LOWER_PLAYER, 61);
    EXPECT_TRUE(p.canvas.ops.empty());
    p.g.checks.KEIKA = true;
    p.d.描画_所有時間(p.g.LOWER_PLAYER, 61);
    EXPECT_EQ(p.canvas.textsIn(COLOR_WHITE), (std::vector<std::string>{"00:01:01"}));
    EXPECT_EQ(p.canvas.lastPictureAt(15, 10), p.g.BACKGROUND);
}

TEST(BoardDrawing, SquaresAreShadedLikeACheckerboardAndHandsAreLight) {
    Painter p;
    p.d.描画_盤();
    for (const Op& op : p.canvas.ops) {
        if (op.kind != Op::Picture) continue;
        const int x = static_cast<int>(op.c);
        const int y = static_cast<int>(op.r);
        EXPECT_EQ(op.shade, (x + y) % 2 == 0 ? 1 : 0) << x << "," << y;
    }
    EXPECT_EQ(p.canvas.count(Op::Picture), 81);
    EXPECT_EQ(p.canvas.count(Op::Outline), 81);
    p.canvas.clear();
    p.d.描画_絵(-QEEN, 11, 5);
    EXPECT_EQ(p.canvas.ops[0].shade, 0);
}

TEST(BoardDrawing, FirstPlayersChessPiecesAreWhiteInEitherOrientation) {
    // Shogi army below (first player): a chess piece it dropped is white, the chess army black.
    Painter p;
    p.d.描画_絵(+KING, 6, 1);
    p.d.描画_絵(-QEEN, 5, 5);
    EXPECT_EQ(p.canvas.lastPictureAt(6, 1), +KING);  // black
    EXPECT_EQ(p.canvas.lastPictureAt(5, 5), -QEEN);  // white
    // Turned round: the chess army below is second player and still black.
    Painter r;
    r.g.BOARD[5][9] = EMPTY;
    r.g.BOARD[4][9] = -KING;
    r.g.BOARD[5][1] = +OU;
    r.d.描画_絵(-ROOK, 1, 9);
    r.d.描画_絵(+QEEN, 5, 5);
    r.d.描画_絵(+OU, 5, 1);
    EXPECT_EQ(r.canvas.lastPictureAt(1, 9), +ROOK);  // black
    EXPECT_EQ(r.canvas.lastPictureAt(5, 5), -QEEN);  // white
    EXPECT_EQ(r.canvas.lastPictureAt(5, 1), +OU);    // shogi tiles keep their side
    EXPECT_EQ(r.g.LOWER_PLAYER, GOTE);
}

TEST(BoardDrawing, HandsWithTheOptionOff) {
    Painter p;
    p.g.OWN_HAND.fill(2);
    p.g.ENEMY_HAND.fill(2);
    p.d.描画_自持盤();
    p.d.描画_敵持盤();
    int maxRow = 0;
    for (const Op& op : p.canvas.ops) {
        EXPECT_NE(op.c, -1) << "the upper hand stays empty";
        if (op.kind == Op::Picture && op.c == 11) maxRow = std::max(maxRow, int(op.r));
    }
    EXPECT_EQ(maxRow, 5);
    EXPECT_EQ(p.canvas.lastPictureAt(11, 5), -QEEN);
    EXPECT_EQ(p.canvas.textsIn(COLOR_PICK).size(), 5u);
}

TEST(BoardDrawing, UpperHandSlotsRunUpFromTheLowerEdge) {
    Painter p;
    p.g.checks.CHESS_MOCHIKOMA = true;
    p.g.ENEMY_HAND[1] = 3;
    p.g.ENEMY_HAND[12] = 1;
    p.d.描画_敵持盤();
    EXPECT_EQ(p.canvas.lastPictureAt(-1, 9), +PORN);
    EXPECT_EQ(p.canvas.lastPictureAt(-1, -2), +SYA);
    EXPECT_EQ(p.canvas.lastPictureAt(-1, 0), EMPTY);
    EXPECT_EQ(p.canvas.lastPictureAt(0, 4), p.g.BACKGROUND);
    EXPECT_EQ(p.canvas.textsIn(COLOR_PICK), (std::vector<std::string>{"1", "3"}));
}

TEST(BoardDrawing, WholeScreenInOrderWithLevelAndHandicapOnlyWhenWanted) {
    Painter p;
    p.d.画面_再描画();
    auto white = p.canvas.textsIn(COLOR_WHITE);
    EXPECT_EQ(std::count(white.begin(), white.end(), "LEVEL"), 0);
    EXPECT_EQ(p.canvas.ops.back().id, PICTURE_TITLE);
    // The background never covers a board square.
    for (const Op& op : p.canvas.ops) {
        if (op.kind == Op::Picture && op.id == p.g.BACKGROUND) {
            EXPECT_FALSE(onBoard(int(op.c), int(op.r)) && op.c == int(op.c) && op.r == int(op.r));
        }
    }
    p.canvas.clear();
    p.g.GAME_MODE = MODE_COM;
    p.g.HANDICAP_ON = ON;
    p.g.HANDICAP_LEVEL = -2;
    p.d.画面_再描画();
    white = p.canvas.textsIn(COLOR_WHITE);
    EXPECT_EQ(std::count(white.begin(), white.end(), "LEVEL"), 1);
    EXPECT_EQ(std::count(white.begin(), white.end(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段"), 1);
}

TEST(BoardDrawing, NoCanvasPaintsNothingAndStillSettlesThePlayers) {
    GameState g;
    初期設定(g);
    g.BOARD[5][9] = EMPTY;
    g.BOARD[4][9] = -KING;
    g.BOARD[5][1] = +OU;
    Drawing d(g);
    d.画面_再描画();
    EXPECT_EQ(g.LOWER_PLAYER, GOTE);
}

}  // namespace
}  // namespace zorvan
