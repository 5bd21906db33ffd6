#include "engine/danger.h"

#include <algorithm>
#include <cstdlib>

#include "engine/surveys.h"
#include "rules/move_check.h"

namespace zorvan {

namespace {

// Hand slots the danger terms look at.
constexpr int SLOT_PORN = 1;
constexpr int SLOT_ROOK = 2;
constexpr int SLOT_KNIG = 3;
constexpr int SLOT_BISH = 4;
constexpr int SLOT_QEEN = 5;
constexpr int SLOT_KAKU = 11;

bool personHoldsBishopOrQueen(const GameState& g) {
    return g.OWN_HAND[SLOT_BISH] > 0 || g.OWN_HAND[SLOT_QEEN] > 0;
}

// The terms of each kind of square are added to the running sum d one by one, in their order, so
// that the sum rounds the same way whoever adds it up.

// An empty square: weak spots the person covers, and what a drop from the person's hand would do.
void emptySquare(GameState& g, int x, int y, double& d) {
    const InfluenceMaps& m = g.maps;
    const int cx = g.ENEMY_KING_X;
    const int cy = g.ENEMY_KING_Y;
    const int own = m.OWN_INFLUENCE[x][y];
    const int enemy = m.ENEMY_INFLUENCE[x][y];

    if (own > 0) {
        if (std::abs(x - cx) < 2 && std::abs(y - cy) < 2) {
            if (enemy == 1 && own > 1) d -= 10;
            if (personHoldsBishopOrQueen(g)) d -= 10;
        }
        if (enemy == 0 && y < 4) {
            d -= 0.1;
            if (調査_自守駒MAN_直進駒(g, x, y) == ON) d -= 10;
        }
        if (y < 4 && g.BOARD[x][y + 1] == -HU && own >= enemy) {
            d -= 30;
            if (調査_自守駒MAN_直進駒(g, x, y + 1) == ON) d -= 70;
        }
    }

    if (g.OWN_HAND_COUNT > 0) {
        // A rook dropped here would skewer two computer pieces up the file.
        if (g.OWN_HAND[SLOT_ROOK] > 0 && y > 2 && g.BOARD[x][y - 1] > +KYOU &&
            (own > 0 || enemy == 0)) {
            for (int r = y - 2; r >= 1; --r) {
                if (g.BOARD[x][r] == EMPTY) continue;
                if (g.BOARD[x][r] > +KYOU) d -= 100 + g.BOARD[x][r] / 2.0;
                break;
            }
        }
        // A knight dropped here would fork two computer pieces.
        if (g.OWN_HAND[SLOT_KNIG] > 0 &&
            (enemy == 0 || (own > 0 && m.ENEMY_ATTACKER_CODE[x][y] > 6)) && y > 2 && x > 1 &&
            x < 9 && g.BOARD[x - 1][y - 2] > 1 && g.BOARD[x + 1][y - 2] > 1) {
            d -= 20;
        }
        // A bishop or queen dropped among the computer's big pieces.
        if (personHoldsBishopOrQueen(g) && enemy <= 1) {
            if (調査_周辺状況(g, x, y) < -1) d -= 5;
            if (enemy == 0 && 調査_周辺状況(g, x, y) < 0) {
                d -= 1;
                if (y < 4) d -= 10;
            }
        }
        if (enemy == 0) {
            if (y == 2 && g.BOARD[x][1] == +KEI) d -= 5;
            if (y < 4) d -= 0.1;
            if (g.OWN_HAND[SLOT_BISH] > 0 && x > 1 && x < 9 && y > 1 && y < 9) {
                // A bishop dropped here would fork two unguarded pieces on one diagonal.
                if (g.BOARD[x - 1][y - 1] >= 1 && g.BOARD[x + 1][y + 1] >= 1 &&
                    m.ENEMY_INFLUENCE[x - 1][y - 1] == 0 && m.ENEMY_INFLUENCE[x + 1][y + 1] == 0) {
                    d -= 20;
                }
                if (g.BOARD[x - 1][y + 1] >= 1 && g.BOARD[x + 1][y - 1] >= 1 &&
                    m.ENEMY_INFLUENCE[x - 1][y + 1] == 0 && m.ENEMY_INFLUENCE[x + 1][y - 1] == 0) {
                    d -= 20;
                }
            }
        }
    }
}

// A computer piece Q: a boxed-in king, pieces the person attacks, hanging pieces.
void computerPiece(GameState& g, int x, int y, double& d) {
    const InfluenceMaps& m = g.maps;
    const ComMemory& c = g.com;
    const int q = g.BOARD[x][y];
    const int own = m.OWN_INFLUENCE[x][y];
    const int enemy = m.ENEMY_INFLUENCE[x][y];

    if (q == +OU && y == 1 && m.OWN_INFLUENCE[x][2] > 0) {
        d -= 50;
        if (m.OWN_INFLUENCE[x][2] >= m.ENEMY_INFLUENCE[x][2]) d -= 250;
        if (personHoldsBishopOrQueen(g)) d -= 700;
    } else if (q == +HU && m.OWN_ATTACKER_CODE[x][y] == -SYA && g.OWN_HAND[SLOT_PORN] > 0 &&
               own >= enemy && y < 9 && m.ENEMY_INFLUENCE[x][y + 1] == 1) {
        d -= 5;
    }

    if (own > 0) {
        const int ax = m.OWN_ATTACKER_X[x][y];
        const int ay = m.OWN_ATTACKER_Y[x][y];
        const int a = std::abs(m.OWN_ATTACKER_CODE[x][y]);
        const bool attackerFree = c.OWN_PINNED_MAP[ax][ay] == 0;
        if (m.ENEMY_GUARD_CODE[x][y] == +OU && (own > 1 || q > a)) d -= 100;
        if (attackerFree && q > a) d += a - q;
        if (enemy > 0 && attackerFree) {
            if (own > enemy && m.ENEMY_GUARD_CODE[x][y] >= a) d -= q;
            if (y <= 3 && own == enemy && g.BOARD[x][y + 1] != EMPTY &&
                調査_自守駒MAN_直進駒(g, x, y + 1) == ON) {
                d -= q + std::abs(m.OWN_ATTACKER_CODE[x][y + 1]);
            }
        }
        if (enemy == 0) {
            d -= q;
            if (y <= 3) d -= 10;
            if (c.BOARD_BEFORE[x][y] <= -1) d += std::abs(c.BOARD_BEFORE[x][y]);
            const int cheapest = m.OWN_ATTACKER_CODE[x][y];
            if (y < 4 && (cheapest == -HU || cheapest == -KYOU)) d -= 20;
        }
    }
}

// Fork bookkeeping of the walk over the person's pieces.
struct Forks {
    int count = 0;
    int smallest = 9999;
};

// A person's piece R: newly attacked pieces, loose knights and line pieces, and forks by P.
void personPiece(GameState& g, int x, int y, int P, int x2, int y2, Forks& forks, double& d) {
    const InfluenceMaps& m = g.maps;
    const ComMemory& c = g.com;
    const int r = g.BOARD[x][y];
    const int cx = g.ENEMY_KING_X;
    const int cy = g.ENEMY_KING_Y;

    if (c.ENEMY_INFLUENCE_BEFORE[x][y] == 0 && m.ENEMY_INFLUENCE[x][y] > 0) {
        if (r == -KEI && y > 2 && m.OWN_INFLUENCE[x][y - 1] == 0) {
            const int above = g.BOARD[x][y - 1];
            if (above == +GIN || above == +SYA_N || above == +KAKU_N) d += 1;
        }
        if (std::abs(x - cx) < 3 && std::abs(y - cy) < 3) d += 15;
    }

    if (r == -KEI && y >= 5 && g.BOARD[x][y - 4] >= +GIN) {
        // Squares the 桂 could jump to without being taken.
        if (x > 1 && g.BOARD[x - 1][y - 2] >= EMPTY && m.ENEMY_INFLUENCE[x - 1][y - 2] == 0) d -= 1;
        if (x < 9 && g.BOARD[x + 1][y - 2] >= EMPTY && m.ENEMY_INFLUENCE[x + 1][y - 2] == 0) d -= 1;
    } else if ((r == -SYA || r == -SYA_N || r == -KYOU) && x == cx) {
        d -= 1;
    }

    if (m.OWN_INFLUENCE[x2][y2] == 0 &&
        (m.OWN_INFLUENCE[x][y] == 0 || (x == g.OWN_KING_X && y == g.OWN_KING_Y)) &&
        移動チェック(g, x2, y2, x, y, P) == ON) {
        d += 0.1;
        ++forks.count;
        forks.smallest = std::min(forks.smallest, std::abs(r));
    }
}

}  // namespace

double 盤評価_COM危険座標(GameState& g, int P, int x2, int y2) {
    double d = 0;
    Forks forks;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            const int q = g.BOARD[x][y];
            if (q == EMPTY) {
                emptySquare(g, x, y, d);
            } else if (q >= 1) {
                computerPiece(g, x, y, d);
            } else {
                personPiece(g, x, y, P, x2, y2, forks, d);
            }
        }
    }
    if (forks.count > 1) d += forks.smallest;
    return d;
}

int 盤評価_自角注意_COM(GameState& g, int x2, int y2, int P) {
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (g.com.BISHOP_CHECK_MAP[x][y] != 1) continue;
            if (移動チェック(g, x2, y2, x, y, -KAKU) != ON &&
                移動チェック(g, x2, y2, x, y, -KAKU_N) != ON) {
                continue;
            }
            // The first square on a bishop line through (x2, y2) decides.
            for (int u = 1; u <= 9; ++u) {
                for (int v = 1; v <= 9; ++v) {
                    const int b = g.BOARD[u][v];
                    if ((b == -KAKU || b == -KAKU_N) && 移動チェック(g, u, v, x, y, b) == ON) {
                        return P;
                    }
                }
            }
            if (g.OWN_HAND[SLOT_KAKU] > 0 &&
                移動チェック(g, LOWER_HAND_COLUMN, SLOT_KAKU, x, y, -KAKU) == ON) {
                return P;
            }
            return 0;
        }
    }
    return 0;
}

}  // namespace zorvan
