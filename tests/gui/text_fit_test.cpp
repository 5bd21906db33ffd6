// Every status text of every language inside the cells its eraser repaints: each text is
// measured with the font it is drawn in, at the window's scale, against the cells the procedure
// that draws it paints first (or, for the level caption, the cells 消去_レベル paints). A text
// that stood out of them would stay on the screen when it is erased.
#include <QFontMetricsF>
#include <functional>

#include "platform/fonts.h"
#include "rules/legal_moves.h"
#include "text/catalogue.h"
#include "ui/drawing.h"
#include "window_fixture.h"

namespace zorvan {
namespace {

struct Case {
    std::string what;
    std::function<void(Drawing&)> draw;
    double fromColumn = -100;  // only the texts from this grid column on are measured
};

class TextFitTest : public ::testing::TestWithParam<std::tuple<std::string, QSize>> {
protected:
    TextFitTest() : scope(std::get<0>(GetParam())), f(std::get<1>(GetParam())) {}
    LanguageScope scope;
    WindowFixture f;

    // Draws a case and checks each text's ink, shadow included, against the cells painted in
    // the same call (in device pixels).
    void expectInside(const Case& c) {
        BoardView& view = *f.window.board();
        view.clearAll();  // the list then holds this case alone
        const size_t from = 0;
        c.draw(f.window.game().drawing());
        const auto& ops = view.displayList().ops();
        const double s = view.devicePixelsPerTwip();
        std::vector<QRectF> cells;
        for (size_t i = from; i < ops.size(); ++i)
            if (ops[i].kind == PaintOp::Kind::Picture)
                cells.push_back(QRectF(ops[i].x * s, ops[i].y * s, SQUARE_W * s, SQUARE_H * s));
        int texts = 0;
        for (size_t i = from; i < ops.size(); ++i) {
            const PaintOp& op = ops[i];
            if (op.kind != PaintOp::Kind::Text || op.x < BOARD_LEFT + c.fromColumn * SQUARE_W)
                continue;
            ++texts;
            const QFont font = textFont(op.size * 20 * s, op.bold);
            const QFontMetricsF metrics(font);
            const QRectF ink = metrics.tightBoundingRect(op.text).translated(
                op.x * s, op.y * s + metrics.ascent());
            // Every pixel the text may touch lies in one of the cells.
            for (double y = std::floor(ink.top()); y < ink.bottom(); y += 1)
                for (double x = std::floor(ink.left()); x < ink.right(); x += 1) {
                    const QRectF pixel(x, y, 1, 1);
                    const bool covered =
                        std::any_of(cells.begin(), cells.end(), [&](const QRectF& r) {
                            return r.adjusted(-0.01, -0.01, 0.01, 0.01).contains(pixel);
                        });
                    ASSERT_TRUE(covered)
                        << c.what << ": \"" << op.text.toStdString() << "\" reaches pixel (" << x
                        << ", " << y << ") outside the cells its eraser paints";
                }
        }
        EXPECT_GT(texts, 0) << c.what;
    }

    // Puts `m` into the history as the last move, so that the move text shows it.
    void lastMoveIs(const Move& m, bool capture) {
        GameState& g = f.state();
        Board before{}, after{};
        if (!m.isDrop()) before[m.fromX][m.fromY] = m.codeBefore;
        if (capture) before[m.toX][m.toY] = m.codeBefore < 0 ? +GIN : -GIN;
        after[m.toX][m.toY] = m.codeAfter;
        g.ensureHistory(1);
        g.HISTORY[0] = before;
        g.HISTORY[1] = after;
        g.MOVE_NO = 1;
    }
};

// Every piece of either side, as the widest text its moves can have: a capture, with each
// promotion it can make; and every drop.
std::vector<std::pair<Move, bool>> widestMoves() {
    std::vector<std::pair<Move, bool>> moves;
    for (int sign : {-1, +1}) {
        for (int kind = 1; kind <= KIND_COUNT; ++kind) {
            const int code = sign * kind;
            std::vector<int> after{code};
            if (isPromotableShogi(kind)) after.push_back(sign * (kind + 1));
            if (kind == PORN)
                for (int chosen : {ROOK, KNIG, BISH, QEEN}) after.push_back(sign * chosen);
            for (int a : after) moves.push_back({Move{2, 2, 1, 3, code, a}, true});
            if (handSlotOf(code) != 0) {
                const int column = sign < 0 ? LOWER_HAND_COLUMN : UPPER_HAND_COLUMN;
                moves.push_back({Move{column, handSlotOf(code), 8, 8, code, code}, false});
            }
        }
    }
    return moves;
}

TEST_P(TextFitTest, EveryStatusTextStaysInsideTheCellsItsEraserPaints) {
    std::vector<Case> cases;
    const GameState& g = f.state();
    for (const auto& widest : widestMoves()) {
        const Move m = widest.first;
        const bool capture = widest.second;
        const int player = m.codeAfter > 0 ? g.UPPER_PLAYER : g.LOWER_PLAYER;
        cases.push_back(
            {std::string("move ").append(formatMove(m)), [this, m, capture, player](Drawing& d) {
                 lastMoveIs(m, capture);
                 d.描画_移動結果(player, m.toX, m.toY, m.codeAfter, COLOR_MOVE_TEXT);
             }});
    }
    for (int n = 1; n <= 500; ++n)
        cases.push_back({std::string("counter ").append(std::to_string(n)),
                         [n](Drawing& d) { d.描画_手数(n, 0); }});
    for (int level = -10; level <= 10; ++level)
        cases.push_back({std::string("handicap ").append(std::to_string(level)),
                         [level](Drawing& d) { d.描画_ハンデレベル(level); }});
    for (int level = 1; level <= 5; ++level)
        cases.push_back({std::string("level ").append(std::to_string(level)), [level](Drawing& d) {
                             d.消去_レベル();
                             d.描画_レベル(level);
                         }});
    cases.push_back({"thinking", [](Drawing& d) { d.描画_思考中(); }});
    // The ranks beside the board (the file numbers above it are digits in every language).
    cases.push_back({"rank labels", [](Drawing& d) { d.描画_桝_数値(); }, 10});
    const int lower = g.LOWER_PLAYER, upper = g.UPPER_PLAYER;
    f.state().checks.KEIKA = true;  // the clocks are shown
    for (double seconds : {0.0, 359999.0})
        cases.push_back({"clocks", [=](Drawing& d) {
                             d.描画_所有時間(lower, seconds);
                             d.描画_所有時間(upper, seconds);
                         }});
    for (const Case& c : cases) {
        expectInside(c);
        if (HasFatalFailure()) return;
    }
}

std::vector<std::string> allLanguages() {
    std::vector<std::string> codes;
    for (std::string_view code : languages()) codes.emplace_back(code);
    return codes;
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndScales, TextFitTest,
                         ::testing::Combine(::testing::ValuesIn(allLanguages()),
                                            ::testing::Values(QSize(640, 700), QSize(1280, 1400))),
                         [](const auto& info) {
                             return std::get<0>(info.param) + "_" +
                                    std::to_string(std::get<1>(info.param).width());
                         });

}  // namespace
}  // namespace zorvan
