#include "engine/influence.h"

namespace zorvan {

namespace {

// A threshold no code reaches: the handler has no such step.
constexpr int NEVER = 1000;

constexpr bool isUpperKing(int code) {
    return code == +OU || code == +KING;
}
constexpr bool isLowerKing(int code) {
    return code == -OU || code == -KING;
}

// One lower-side piece of code c on (x, y) bears on (tx, ty); squares off the board are skipped.
// It counts, guards a lower piece, or attacks an upper piece of code >= E (and marks its own
// square when that piece is the upper king; a 桂 marks the king's square too).
template <int E, bool Checks, bool KeiMark = false>
inline void ownTouch(const Board& b, InfluenceMaps& m, int c, int x, int y, int tx, int ty) {
    if (!onBoard(tx, ty)) return;
    const int t = b[tx][ty];
    m.OWN_INFLUENCE[tx][ty] += 1;
    if (t <= -1) {
        if (m.OWN_GUARD_CODE[tx][ty] > c) m.OWN_GUARD_CODE[tx][ty] = c;
    } else if (t >= E) {
        if (m.OWN_ATTACKER_CODE[tx][ty] < c) {
            m.OWN_ATTACKER_CODE[tx][ty] = c;
            m.OWN_ATTACKER_X[tx][ty] = x;
            m.OWN_ATTACKER_Y[tx][ty] = y;
        }
        if (Checks && isUpperKing(t)) {
            m.OWN_CHECK_MAP[x][y] = CHECK_PIECE;
            if (KeiMark) m.OWN_CHECK_MAP[tx][ty] = CHECK_PIECE;
        }
    }
}

// One upper-side piece of code c on (x, y) bears on (tx, ty). It guards an upper piece of code
// >= G, attacks a lower piece of code <= -A (NEVER: no such step), stores the guard's or the
// attacker's square only where the handler keeps them, and marks checks of the lower king.
template <int G, int A, bool GuardSq, bool AttackerSq, bool Checks, bool KeiMark = false>
inline void enemyTouch(const Board& b, InfluenceMaps& m, int c, int x, int y, int tx, int ty) {
    if (!onBoard(tx, ty)) return;
    const int t = b[tx][ty];
    m.ENEMY_INFLUENCE[tx][ty] += 1;
    if (t >= G) {
        if (m.ENEMY_GUARD_CODE[tx][ty] > c) {
            m.ENEMY_GUARD_CODE[tx][ty] = c;
            if (GuardSq) {
                m.ENEMY_GUARD_X[tx][ty] = x;
                m.ENEMY_GUARD_Y[tx][ty] = y;
            }
        }
    } else if (t <= -A) {
        if (m.ENEMY_ATTACKER_CODE[tx][ty] > c) {
            m.ENEMY_ATTACKER_CODE[tx][ty] = c;
            if (AttackerSq) {
                m.ENEMY_ATTACKER_X[tx][ty] = x;
                m.ENEMY_ATTACKER_Y[tx][ty] = y;
            }
        }
    }
    if (Checks && isLowerKing(t)) {
        m.ENEMY_CHECK_MAP[x][y] = CHECK_PIECE;
        if (KeiMark) m.ENEMY_CHECK_MAP[tx][ty] = CHECK_PIECE;
    }
}

// Marks a check line: CHECK_PATH on every square strictly between (x, y) and (kx, ky) along the
// step (dx, dy), CHECK_PIECE on the checking piece's square.
inline void markCheckLine(SquareMap& check, int x, int y, int dx, int dy, int kx, int ky) {
    for (int px = x + dx, py = y + dy; px != kx || py != ky; px += dx, py += dy)
        check[px][py] = CHECK_PATH;
    check[x][y] = CHECK_PIECE;
}

// A lower-side line from (x, y) along (dx, dy), recording code c.
inline void ownLine(const Board& b, InfluenceMaps& m, int c, int x, int y, int dx, int dy) {
    for (int tx = x + dx, ty = y + dy; onBoard(tx, ty); tx += dx, ty += dy) {
        const int t = b[tx][ty];
        m.OWN_INFLUENCE[tx][ty] += 1;
        if (t == EMPTY) continue;
        if (t <= -1) {
            if (m.OWN_GUARD_CODE[tx][ty] > c) m.OWN_GUARD_CODE[tx][ty] = c;
            return;
        }
        if (m.OWN_ATTACKER_CODE[tx][ty] < c) {
            m.OWN_ATTACKER_CODE[tx][ty] = c;
            m.OWN_ATTACKER_X[tx][ty] = x;
            m.OWN_ATTACKER_Y[tx][ty] = y;
        }
        if (!isUpperKing(t)) return;
        markCheckLine(m.OWN_CHECK_MAP, x, y, dx, dy, tx, ty);  // and see through the king
    }
}

// An upper-side line from (x, y) along (dx, dy), recording code c; T is the threshold of both the
// guarded (>= T) and the attacked (<= -T) pieces.
template <int T>
inline void enemyLine(const Board& b, InfluenceMaps& m, int c, int x, int y, int dx, int dy) {
    for (int tx = x + dx, ty = y + dy; onBoard(tx, ty); tx += dx, ty += dy) {
        const int t = b[tx][ty];
        m.ENEMY_INFLUENCE[tx][ty] += 1;
        if (t == EMPTY) continue;
        if (t >= T) {
            if (m.ENEMY_GUARD_CODE[tx][ty] > c) {
                m.ENEMY_GUARD_CODE[tx][ty] = c;
                m.ENEMY_GUARD_X[tx][ty] = x;
                m.ENEMY_GUARD_Y[tx][ty] = y;
            }
        } else if (t <= -T) {
            if (m.ENEMY_ATTACKER_CODE[tx][ty] > c) {
                m.ENEMY_ATTACKER_CODE[tx][ty] = c;
                m.ENEMY_ATTACKER_X[tx][ty] = x;
                m.ENEMY_ATTACKER_Y[tx][ty] = y;
            }
        }
        if (!isLowerKing(t)) return;
        markCheckLine(m.ENEMY_CHECK_MAP, x, y, dx, dy, tx, ty);  // and see through the king
    }
}

// Rays of a rook-like piece, in the order down, up, right, left.
inline void ownRays(const Board& b, InfluenceMaps& m, int c, int x, int y) {
    ownLine(b, m, c, x, y, 0, +1);
    ownLine(b, m, c, x, y, 0, -1);
    ownLine(b, m, c, x, y, +1, 0);
    ownLine(b, m, c, x, y, -1, 0);
}
inline void enemyRays(const Board& b, InfluenceMaps& m, int c, int x, int y) {
    enemyLine<1>(b, m, c, x, y, 0, +1);
    enemyLine<1>(b, m, c, x, y, 0, -1);
    enemyLine<1>(b, m, c, x, y, +1, 0);
    enemyLine<1>(b, m, c, x, y, -1, 0);
}

// Diagonals, in the order towards (1,1), (9,1), (1,9), (9,9).
inline void ownDiagonals(const Board& b, InfluenceMaps& m, int c, int x, int y) {
    ownLine(b, m, c, x, y, -1, -1);
    ownLine(b, m, c, x, y, +1, -1);
    ownLine(b, m, c, x, y, -1, +1);
    ownLine(b, m, c, x, y, +1, +1);
}
template <int T>
inline void enemyDiagonals(const Board& b, InfluenceMaps& m, int c, int x, int y) {
    enemyLine<T>(b, m, c, x, y, -1, -1);
    enemyLine<T>(b, m, c, x, y, +1, -1);
    enemyLine<T>(b, m, c, x, y, -1, +1);
    enemyLine<T>(b, m, c, x, y, +1, +1);
}

// Gold squares: the lower side's three forward (towards rank 1), one back, two sideways; the upper
// side's one back (towards rank 1), three forward, two sideways.
inline void ownGold(const Board& b, InfluenceMaps& m, int c, int x, int y) {
    ownTouch<1, true>(b, m, c, x, y, x, y - 1);
    ownTouch<1, true>(b, m, c, x, y, x - 1, y - 1);
    ownTouch<1, true>(b, m, c, x, y, x + 1, y - 1);
    ownTouch<1, true>(b, m, c, x, y, x, y + 1);
    ownTouch<1, true>(b, m, c, x, y, x - 1, y);
    ownTouch<1, true>(b, m, c, x, y, x + 1, y);
}
inline void enemyGold(const Board& b, InfluenceMaps& m, int x, int y) {
    // Every upper gold-like piece records +KIN; no guard square, no attack step.
    const auto touch = [&](int tx, int ty) {
        enemyTouch<1, NEVER, false, false, true>(b, m, +KIN, x, y, tx, ty);
    };
    touch(x, y - 1);
    touch(x, y + 1);
    touch(x - 1, y + 1);
    touch(x + 1, y + 1);
    touch(x - 1, y);
    touch(x + 1, y);
}

// The eight knight squares, file by file: (x-2, y-1), (x-2, y+1), (x-1, y-2), ..., (x+2, y+1).
constexpr int kKnightDx[8] = {-2, -2, -1, -1, +1, +1, +2, +2};
constexpr int kKnightDy[8] = {-1, +1, -2, +2, -2, +2, -1, +1};

// The 王's eight neighbours in its visiting order.
constexpr int kOuDx[8] = {0, -1, +1, 0, -1, +1, -1, +1};
constexpr int kOuDy[8] = {-1, -1, -1, +1, +1, +1, 0, 0};

// Handlers of the lower side's pieces.
void ownPiece(GameState& g, const Board& b, InfluenceMaps& m, int c, int x, int y) {
    switch (c) {
        case -HU:
            ownTouch<1, true>(b, m, c, x, y, x, y - 1);
            break;
        case -HU_N:
        case -KYOU_N:
        case -KEI_N:
        case -GIN_N:
        case -KIN:
            ownGold(b, m, c, x, y);
            break;
        case -PORN:
            ownTouch<3, true>(b, m, c, x, y, x - 1, y - 1);
            ownTouch<3, true>(b, m, c, x, y, x + 1, y - 1);
            break;
        case -KYOU:
            ownLine(b, m, c, x, y, 0, -1);
            break;
        case -KEI:
            ownTouch<1, true, true>(b, m, c, x, y, x - 1, y - 2);
            ownTouch<1, true, true>(b, m, c, x, y, x + 1, y - 2);
            break;
        case -ROOK:
        case -SYA:
            ownRays(b, m, c, x, y);
            break;
        case -GIN:
            ownTouch<1, true>(b, m, c, x, y, x, y - 1);
            ownTouch<1, true>(b, m, c, x, y, x - 1, y - 1);
            ownTouch<1, true>(b, m, c, x, y, x + 1, y - 1);
            ownTouch<1, true>(b, m, c, x, y, x - 1, y + 1);
            ownTouch<1, true>(b, m, c, x, y, x + 1, y + 1);
            break;
        case -KNIG:
            for (int k = 0; k < 8; ++k)
                ownTouch<1, true>(b, m, c, x, y, x + kKnightDx[k], y + kKnightDy[k]);
            break;
        case -BISH:
            ownDiagonals(b, m, -BISH, x, y);
            break;
        case -KAKU:
            ownDiagonals(b, m, -KAKU, x, y);
            break;
        case -KAKU_N:
            ownTouch<1, true>(b, m, c, x, y, x, y - 1);
            ownTouch<1, true>(b, m, c, x, y, x, y + 1);
            ownTouch<1, true>(b, m, c, x, y, x - 1, y);
            ownTouch<1, true>(b, m, c, x, y, x + 1, y);
            ownDiagonals(b, m, -KAKU, x, y);
            break;
        case -SYA_N:
            ownRays(b, m, c, x, y);
            ownTouch<1, true>(b, m, c, x, y, x - 1, y - 1);
            ownTouch<1, true>(b, m, c, x, y, x + 1, y - 1);
            ownTouch<1, true>(b, m, c, x, y, x - 1, y + 1);
            ownTouch<1, true>(b, m, c, x, y, x + 1, y + 1);
            break;
        case -QEEN:
            ownRays(b, m, c, x, y);
            ownDiagonals(b, m, -QEEN, x, y);
            break;
        case -KING:
            g.OWN_KING_X = x;
            g.OWN_KING_Y = y;
            for (int i = x - 1; i <= x + 1; ++i)
                for (int j = y - 1; j <= y + 1; ++j)
                    if (i != x || j != y) ownTouch<3, false>(b, m, c, x, y, i, j);
            break;
        case -OU:
            g.OWN_KING_X = x;
            g.OWN_KING_Y = y;
            for (int k = 0; k < 8; ++k)
                ownTouch<1, false>(b, m, c, x, y, x + kOuDx[k], y + kOuDy[k]);
            break;
        default:
            break;
    }
}

// Handlers of the upper side's pieces. Template arguments of enemyTouch: guard threshold, attack
// threshold (NEVER: no attack step), guard square kept, attacker square kept, marks checks.
void enemyPiece(GameState& g, const Board& b, InfluenceMaps& m, int c, int x, int y) {
    switch (c) {
        case +HU:
            enemyTouch<1, 1, false, false, true>(b, m, c, x, y, x, y + 1);
            break;
        case +HU_N:
        case +KYOU_N:
        case +KEI_N:
        case +GIN_N:
        case +KIN:
            enemyGold(b, m, x, y);
            break;
        case +PORN:
            enemyTouch<3, 3, false, false, true>(b, m, c, x, y, x - 1, y + 1);
            enemyTouch<3, 3, false, false, true>(b, m, c, x, y, x + 1, y + 1);
            break;
        case +KYOU:
            enemyLine<1>(b, m, c, x, y, 0, +1);
            break;
        case +KEI:
            enemyTouch<1, NEVER, true, false, true, true>(b, m, c, x, y, x - 1, y + 2);
            enemyTouch<1, NEVER, true, false, true, true>(b, m, c, x, y, x + 1, y + 2);
            break;
        case +ROOK:
        case +SYA:
            enemyRays(b, m, c, x, y);
            break;
        case +GIN:
            enemyTouch<1, NEVER, true, false, true>(b, m, c, x, y, x, y + 1);
            enemyTouch<1, NEVER, true, false, true>(b, m, c, x, y, x - 1, y + 1);
            enemyTouch<1, NEVER, true, false, true>(b, m, c, x, y, x + 1, y + 1);
            enemyTouch<1, NEVER, true, false, true>(b, m, c, x, y, x - 1, y - 1);
            enemyTouch<1, NEVER, true, false, true>(b, m, c, x, y, x + 1, y - 1);
            break;
        case +KNIG:
            for (int k = 0; k < 8; ++k)
                enemyTouch<3, NEVER, true, false, true>(b, m, c, x, y, x + kKnightDx[k],
                                                        y + kKnightDy[k]);
            break;
        case +BISH:
            enemyDiagonals<3>(b, m, c, x, y);
            break;
        case +KAKU:
            enemyDiagonals<1>(b, m, c, x, y);
            break;
        case +KAKU_N:
            // Its straight steps count and give check, but neither guard nor attack.
            enemyTouch<NEVER, NEVER, false, false, true>(b, m, c, x, y, x, y - 1);
            enemyTouch<NEVER, NEVER, false, false, true>(b, m, c, x, y, x, y + 1);
            enemyTouch<NEVER, NEVER, false, false, true>(b, m, c, x, y, x - 1, y);
            enemyTouch<NEVER, NEVER, false, false, true>(b, m, c, x, y, x + 1, y);
            enemyDiagonals<1>(b, m, c, x, y);
            break;
        case +SYA_N:
            enemyRays(b, m, c, x, y);
            enemyTouch<1, 1, true, true, true>(b, m, c, x, y, x - 1, y - 1);
            enemyTouch<1, 1, true, true, true>(b, m, c, x, y, x + 1, y - 1);
            enemyTouch<1, 1, true, true, true>(b, m, c, x, y, x - 1, y + 1);
            enemyTouch<1, 1, true, true, true>(b, m, c, x, y, x + 1, y + 1);
            break;
        case +QEEN:
            enemyRays(b, m, c, x, y);
            enemyDiagonals<3>(b, m, +QEEN, x, y);
            break;
        case +KING:
            g.ENEMY_KING_X = x;
            g.ENEMY_KING_Y = y;
            for (int i = x - 1; i <= x + 1; ++i)
                for (int j = y - 1; j <= y + 1; ++j)
                    if (i != x || j != y)
                        enemyTouch<3, NEVER, false, false, false>(b, m, c, x, y, i, j);
            break;
        case +OU:
            g.ENEMY_KING_X = x;
            g.ENEMY_KING_Y = y;
            for (int k = 0; k < 8; ++k)
                enemyTouch<1, NEVER, false, false, false>(b, m, c, x, y, x + kOuDx[k],
                                                          y + kOuDy[k]);
            break;
        default:
            break;
    }
}

// Sets every square of a map (and the unused index 0) to one value. Copying a whole column at a
// time lets the compiler use wide stores; this reset is a good part of a survey's cost.
template <int Value>
inline void fill(SquareMap& map) {
    constexpr std::array<int, 10> column = {Value, Value, Value, Value, Value,
                                            Value, Value, Value, Value, Value};
    for (auto& c : map) c = column;
}

}  // namespace

void 勢力調査(GameState& g) {
    InfluenceMaps& m = g.maps;
    fill<0>(m.OWN_INFLUENCE);
    fill<0>(m.ENEMY_INFLUENCE);
    fill<NO_GUARD>(m.OWN_GUARD_CODE);
    fill<NO_GUARD>(m.ENEMY_GUARD_CODE);
    fill<0>(m.ENEMY_GUARD_X);
    fill<0>(m.ENEMY_GUARD_Y);
    fill<NO_OWN_ATTACKER>(m.OWN_ATTACKER_CODE);
    fill<0>(m.OWN_ATTACKER_X);
    fill<0>(m.OWN_ATTACKER_Y);
    fill<NO_ENEMY_ATTACKER>(m.ENEMY_ATTACKER_CODE);
    fill<0>(m.ENEMY_ATTACKER_X);
    fill<0>(m.ENEMY_ATTACKER_Y);
    fill<0>(m.OWN_CHECK_MAP);
    fill<0>(m.ENEMY_CHECK_MAP);

    const Board& b = g.BOARD;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            const int c = b[x][y];
            if (c <= -1)
                ownPiece(g, b, m, c, x, y);
            else if (c >= 1)
                enemyPiece(g, b, m, c, x, y);
        }
    }
}

void 勢力確定上直進(GameState& g, int c, int x, int y) {
    if (c <= -1)
        ownLine(g.BOARD, g.maps, c, x, y, 0, -1);
    else
        enemyLine<1>(g.BOARD, g.maps, c, x, y, 0, -1);
}

void 勢力確定下直進(GameState& g, int c, int x, int y) {
    if (c <= -1)
        ownLine(g.BOARD, g.maps, c, x, y, 0, +1);
    else
        enemyLine<1>(g.BOARD, g.maps, c, x, y, 0, +1);
}

void 勢力確定右直進(GameState& g, int c, int x, int y) {
    if (c <= -1)
        ownLine(g.BOARD, g.maps, c, x, y, +1, 0);
    else
        enemyLine<1>(g.BOARD, g.maps, c, x, y, +1, 0);
}

void 勢力確定左直進(GameState& g, int c, int x, int y) {
    if (c <= -1)
        ownLine(g.BOARD, g.maps, c, x, y, -1, 0);
    else
        enemyLine<1>(g.BOARD, g.maps, c, x, y, -1, 0);
}

void 勢力確定自ビショ(GameState& g, int x, int y) {
    ownDiagonals(g.BOARD, g.maps, -BISH, x, y);
}

void 勢力確定敵ビショ(GameState& g, int c, int x, int y) {
    enemyDiagonals<3>(g.BOARD, g.maps, c, x, y);
}

void 勢力確定自クイーン(GameState& g, int x, int y) {
    ownDiagonals(g.BOARD, g.maps, -QEEN, x, y);
}

void 勢力確定敵クイーン(GameState& g, int x, int y) {
    enemyDiagonals<3>(g.BOARD, g.maps, +QEEN, x, y);
}

void 勢力確定自角(GameState& g, int x, int y) {
    ownDiagonals(g.BOARD, g.maps, -KAKU, x, y);
}

void 勢力確定敵角(GameState& g, int c, int x, int y) {
    enemyDiagonals<1>(g.BOARD, g.maps, c, x, y);
}

void 勢力確定自金(GameState& g, int c, int x, int y) {
    ownGold(g.BOARD, g.maps, c, x, y);
}

void 勢力確定敵金(GameState& g, int x, int y) {
    enemyGold(g.BOARD, g.maps, x, y);
}

}  // namespace zorvan
