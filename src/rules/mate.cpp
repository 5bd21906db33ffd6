#include "rules/mate.h"

#include <cstdlib>

#include "engine/influence.h"
#include "rules/hand_rules.h"
#include "rules/move_check.h"

namespace zorvan {

namespace {

// Highest kind that is not a king: defenders other than the king have codes of 1..MAX_DEFENDER.
constexpr int MAX_DEFENDER = QEEN;

// The defending side's view of one mate test: its king, the attacker's influence and check map.
struct MateView {
    Side side;
    int kx, ky;
    const SquareMap& attackerInfluence;
    const SquareMap& check;
};

constexpr bool adjacent(int x, int y, int kx, int ky) {
    return std::abs(x - kx) < 2 && std::abs(y - ky) < 2;
}

constexpr bool isKnight(int code) {
    return kindOf(code) == KEI || kindOf(code) == KNIG;
}

// May some kind in the defender's hand be dropped on (x, y)?
bool someDropFits(const GameState& g, Side side, int x, int y) {
    const Hand& hand = side == Side::Lower ? g.OWN_HAND : g.ENEMY_HAND;
    const int column = side == Side::Lower ? LOWER_HAND_COLUMN : UPPER_HAND_COLUMN;
    for (int slot = 1; slot <= HAND_SLOTS; ++slot)
        if (hand[slot] > 0 && 移動チェック(g, column, slot, x, y, dropCode(side, slot)) == ON)
            return true;
    return false;
}

// Can a piece on a square marked as checking still legally move onto the king?
bool checkerStillReaches(const GameState& g, const MateView& v) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int code = g.BOARD[x][y];
            if (v.check[x][y] == CHECK_PIECE && code != EMPTY &&
                移動チェック(g, x, y, v.kx, v.ky, code) == ON)
                return true;
        }
    return false;
}

// Scans the check map: true when a drop on the check path blocks every check found; false when a
// check comes from next to the king or from a knight, or a path square offers no block that stops
// the checking pieces. The 歩 placed as a stand-in for the dropped piece is taken off again.
bool dropBlocksEveryCheckScan(GameState& g, const MateView& v) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int mark = v.check[x][y];
            if (mark == CHECK_PIECE) {
                if (adjacent(x, y, v.kx, v.ky) || isKnight(g.BOARD[x][y])) return false;
            } else if (mark == CHECK_PATH) {
                if (!someDropFits(g, v.side, x, y)) return false;
                int& square = g.BOARD[x][y];
                const int before = square;
                square = signOf(v.side) * HU;
                const bool stillChecked = checkerStillReaches(g, v);
                square = before;
                if (stillChecked) return false;
            }
        }
    return true;
}

// The drop step, with the pawn-file flags taken from the board as it stands (and put back after).
bool dropBlocksEveryCheck(GameState& g, const MateView& v) {
    const FileFlags ownFlags = g.OWN_PAWN_FILE;
    const FileFlags enemyFlags = g.ENEMY_PAWN_FILE;
    調査_2歩フラグ設定(g);
    const bool blocked = dropBlocksEveryCheckScan(g, v);
    g.OWN_PAWN_FILE = ownFlags;
    g.ENEMY_PAWN_FILE = enemyFlags;
    return blocked;
}

// Can the king step (or capture) onto a neighbour that no attacking piece bears on?
bool kingCanEscape(const GameState& g, const MateView& v) {
    const int code = signOf(v.side) * OU;
    for (int x = v.kx - 1; x <= v.kx + 1; ++x)
        for (int y = v.ky - 1; y <= v.ky + 1; ++y)
            if (onBoard(x, y) && 移動チェック(g, v.kx, v.ky, x, y, code) == ON &&
                v.attackerInfluence[x][y] == 0)
                return true;
    return false;
}

// Tries every legal move of a defender other than the king onto a checking or path square, on the
// board itself; `saves` judges the trial position. True at the first trial that saves the king.
template <typename Saves>
bool pieceDefenceSaves(GameState& g, const MateView& v, Saves saves) {
    const int sign = signOf(v.side);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int code = g.BOARD[x][y];
            const int kind = code * sign;
            if (kind < 1 || kind > MAX_DEFENDER) continue;
            for (int x2 = 1; x2 <= 9; ++x2)
                for (int y2 = 1; y2 <= 9; ++y2) {
                    if ((x2 == x && y2 == y) || v.check[x2][y2] <= 0) continue;
                    if (移動チェック(g, x, y, x2, y2, code) == OFF) continue;
                    const int captured = g.BOARD[x2][y2];
                    g.BOARD[x2][y2] = code;
                    g.BOARD[x][y] = EMPTY;
                    const bool saved = saves(g);
                    g.BOARD[x][y] = code;
                    g.BOARD[x2][y2] = captured;
                    if (saved) return true;
                }
        }
    return false;
}

// The steps both tests share; `saves` judges a trial defence by a piece.
template <typename Saves>
int mateTest(GameState& g, const MateView& v, int handCount, Saves saves) {
    if (!onBoard(v.kx, v.ky) || v.attackerInfluence[v.kx][v.ky] == 0) return OFF;  // no check
    if (handCount > 0 && dropBlocksEveryCheck(g, v)) return OFF;
    if (kingCanEscape(g, v)) return OFF;
    if (pieceDefenceSaves(g, v, saves)) return OFF;
    return ON;
}

}  // namespace

int 詰めかMAN(GameState& g) {
    const MateView v{Side::Lower, g.OWN_KING_X, g.OWN_KING_Y, g.maps.ENEMY_INFLUENCE,
                     g.maps.ENEMY_CHECK_MAP};
    return mateTest(g, v, g.OWN_HAND_COUNT,
                    [](const GameState& t) { return 詰めかMAN_COM移動(t) == OFF; });
}

int 詰めかCOM(GameState& g) {
    // The trial surveys overwrite the maps, so the defences are chosen by a copy of the check map
    // of the position asked about (the influence map is read only before the first trial).
    const SquareMap check = g.maps.OWN_CHECK_MAP;
    const MateView v{Side::Upper, g.ENEMY_KING_X, g.ENEMY_KING_Y, g.maps.OWN_INFLUENCE, check};
    return mateTest(g, v, g.ENEMY_HAND_COUNT, [&v](GameState& t) {
        勢力調査(t);
        return t.maps.OWN_INFLUENCE[v.kx][v.ky] == 0;
    });
}

int 詰めかMAN_COM移動(const GameState& g) {
    const int kx = g.OWN_KING_X, ky = g.OWN_KING_Y;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int code = g.BOARD[x][y];
            if (code >= 1 && 移動チェック(g, x, y, kx, ky, code) == ON) return ON;
        }
    return OFF;
}

int 調査_自王逃道(GameState& g) {
    const int kx = g.OWN_KING_X, ky = g.OWN_KING_Y;
    int count = 0;
    for (int x = kx - 1; x <= kx + 1; ++x)
        for (int y = ky - 1; y <= ky + 1; ++y) {
            if ((x == kx && y == ky) || !onBoard(x, y)) continue;
            if (g.BOARD[x][y] == EMPTY && g.maps.ENEMY_INFLUENCE[x][y] == 0) {
                g.maps.ESCAPE_MAP[x][y] = 1;
                ++count;
            }
        }
    return count;
}

}  // namespace zorvan
