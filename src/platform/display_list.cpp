#include "platform/display_list.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/game_state.h"

namespace zorvan {

namespace {

// The cells the game ever paints: columns -3..28 and rows -3..15 of the grid.
constexpr int kMinC = -3, kMaxC = 28, kMinR = -3, kMaxR = 15;
constexpr int kCols = kMaxC - kMinC + 1, kRows = kMaxR - kMinR + 1;

int cellColumn(double x) {
    return static_cast<int>(std::floor((x - BOARD_LEFT) / SQUARE_W));
}
int cellRow(double y) {
    return static_cast<int>(std::floor((y - BOARD_TOP) / SQUARE_H));
}

}  // namespace

bool coversWholeCell(const PaintOp& op) {
    return op.kind == PaintOp::Kind::Picture && op.picture != TITLE_PICTURE &&
           op.c == std::floor(op.c) && op.r == std::floor(op.r);
}

void DisplayList::compact() {
    std::array<std::array<bool, kRows>, kCols> covered{};
    auto isCovered = [&](const QRectF& b) {
        // The last twip inside the box decides its last cell.
        const int c0 = cellColumn(b.left()), c1 = cellColumn(b.right() - 1e-6);
        const int r0 = cellRow(b.top()), r1 = cellRow(b.bottom() - 1e-6);
        if (c0 < kMinC || c1 > kMaxC || r0 < kMinR || r1 > kMaxR) return false;
        for (int c = c0; c <= c1; ++c)
            for (int r = r0; r <= r1; ++r)
                if (!covered[size_t(c - kMinC)][size_t(r - kMinR)]) return false;
        return true;
    };
    // A cell outlined again later is painted over by that later outline, line for line (the
    // guidance outlines every square at each pick, and nothing else may ever cover them).
    std::array<std::array<bool, kRows>, kCols> outlined{};
    auto outlinedLater = [&](const PaintOp& op) {
        if (op.kind != PaintOp::Kind::Outline || op.c != std::floor(op.c) ||
            op.r != std::floor(op.r))
            return false;
        const int c = static_cast<int>(op.c), r = static_cast<int>(op.r);
        if (c < kMinC || c > kMaxC || r < kMinR || r > kMaxR) return false;
        bool& seen = outlined[size_t(c - kMinC)][size_t(r - kMinR)];
        const bool hidden = seen;
        seen = true;
        return hidden;
    };
    std::vector<PaintOp> kept;
    kept.reserve(m_ops.size());
    for (auto it = m_ops.rbegin(); it != m_ops.rend(); ++it) {
        if (isCovered(it->bounds) || outlinedLater(*it)) continue;
        if (coversWholeCell(*it)) {
            const int c = static_cast<int>(it->c), r = static_cast<int>(it->r);
            if (c >= kMinC && c <= kMaxC && r >= kMinR && r <= kMaxR)
                covered[size_t(c - kMinC)][size_t(r - kMinR)] = true;
        }
        kept.push_back(std::move(*it));
    }
    std::reverse(kept.begin(), kept.end());
    kept.shrink_to_fit();  // room for what was dropped is not kept
    m_ops = std::move(kept);
    // Entries nothing covers (texts off the grid) stay; don't compact again at every add.
    m_limit = std::max(kCompactAt, 2 * m_ops.size());
}

}  // namespace zorvan
