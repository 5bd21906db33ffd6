// The strongest level's piece-by-piece knowledge: one block per kind of the moved piece, much of it
// about particular squares of the opening against the standard set-up.
#include <cstdlib>

#include "engine/evaluation.h"
#include "engine/surveys.h"
#include "rules/move_check.h"

namespace zorvan {

namespace {

constexpr int SLOT_PORN = 1;
constexpr int SLOT_ROOK = 2;
constexpr int SLOT_HU = 6;
constexpr int SLOT_KYOU = 7;
constexpr int SLOT_KEI = 8;

// Everything a block reads, gathered once.
struct Ctx {
    GameState& g;
    const InfluenceMaps& m;
    const ComMemory& c;
    int captured, P, x, y, x2, y2;
    bool drop;

    int B(int u, int v) const { return g.BOARD[u][v]; }
    int OI(int u, int v) const { return m.OWN_INFLUENCE[u][v]; }
    int EI(int u, int v) const { return m.ENEMY_INFLUENCE[u][v]; }
    int OIB(int u, int v) const { return c.OWN_INFLUENCE_BEFORE[u][v]; }
    int EIB(int u, int v) const { return c.ENEMY_INFLUENCE_BEFORE[u][v]; }
    int EGC(int u, int v) const { return m.ENEMY_GUARD_CODE[u][v]; }
    int OGC(int u, int v) const { return m.OWN_GUARD_CODE[u][v]; }
    int OAC(int u, int v) const { return m.OWN_ATTACKER_CODE[u][v]; }
};

double chessPawn(const Ctx& k, double S) {
    if (k.x2 == 4 && k.y2 == 3) S += 5;
    if (k.x2 == 6 && k.y2 == 3) S += 5;
    if (k.y == 2 && k.y2 == 4 && (k.x2 == 2 || k.x2 == 9)) return S + 2;
    return S;
}

// The 歩 as a board move: support from behind, what stands in front, and captures with it.
double pawnBoardMove(const Ctx& k, double S) {
    const int x = k.x, y = k.y, x2 = k.x2, y2 = k.y2;
    S -= 0.1;
    if (k.EGC(x2, y2) == +KIN || k.EGC(x2, y2) == +GIN) S += 0.6;
    if (y2 < 8) {
        if (k.EGC(x2, y2) == +KYOU) {
            S += 1;
        } else if (k.EGC(x2, y2) == +SYA && k.m.ENEMY_GUARD_X[x2][y2] == x2 &&
                   k.EI(x2, y2) >= k.OI(x2, y2) && k.m.ENEMY_GUARD_Y[x2][y2] < y2) {
            S += 2;  // the 飛 backs the 歩 from behind
        }
        if (k.OI(x2, y2 + 1) == 0 && k.B(x2, y2 + 2) <= -KEI) S += 1;
        if (y2 < 7) {
            if (k.B(x2, y2 + 1) == -HU && k.OI(x2, y2 + 1) > 0) S -= 5;
            if (x2 < 9 && k.B(x2 + 1, y2) == +KAKU && k.B(x2 + 1, y2 + 2) == -HU) S += 5;
            if (x2 > 1) {
                if (x2 == 7 && y2 == 4 && k.B(8, 2) == +KAKU && k.OI(x2, y2) == 0) S += 10;
                if (k.B(x2 - 1, y2) == +KAKU && k.B(x2 - 1, y2 + 2) == -HU) S += 5;
            }
        }
    }
    if (k.captured <= -1 && k.EI(x, y) == 1) {
        if (y2 > 2 && k.OAC(x2, y2) == -KYOU && k.B(x2, y2 - 2) == +KAKU) {
            S -= 5;
        } else {
            S += 5;
        }
        if (k.captured == -HU && (k.OAC(x2, y2) == -KYOU || k.OAC(x2, y2) == -SYA) &&
            k.EI(x, y) < 2) {
            S += 50;
        }
    }
    const int front = k.B(x2, y2 + 1);
    if (front <= -1) {
        if (k.EI(x2, y2) > k.OI(x2, y2)) return S + 1;
        if (front == -HU) return S - 5;
        if (k.EI(x2, y2) > 0) {
            if (k.EIB(x2, y2 + 1) > 0 && k.OIB(x2, y2 + 1) == 0) return S - 1;
            if (k.EI(x2, y2) >= k.OI(x2, y2)) return S + 5;
        } else if (k.OI(x2, y2) == 0) {
            return S + 1;
        }
    }
    return S;
}

double pawn(const Ctx& k, double S) {
    GameState& g = k.g;
    const int x2 = k.x2, y2 = k.y2;
    if (g.ENEMY_HAND[SLOT_KYOU] > 0) S += 調査_香狙い(g, x2, y2);
    if (g.ENEMY_HAND[SLOT_KEI] > 0) S += 調査_桂狙い(g, x2, y2);
    if (y2 < 9) {
        const int front = k.B(x2, y2 + 1);
        if (front == +SYA) S -= 1;
        // A person's piece other than a 歩 right in front that cannot step away.
        if (front < -1 && 調査_移動可場所数(g, x2, y2 + 1, front) == 0) S += std::abs(front);
    }
    if (k.EI(x2, y2) > 0 && x2 > 1 && x2 < 9 &&
        (k.B(x2 + 1, y2) == +SYA || k.B(x2 - 1, y2) == +SYA)) {
        S -= 1;
    }
    if (!k.drop) return pawnBoardMove(k, S);

    if (k.EI(x2, y2) > 0 && y2 > 1 && k.B(x2, y2 - 1) >= +GIN &&
        (g.OWN_HAND[SLOT_PORN] > 0 || g.OWN_HAND[SLOT_ROOK] > 0)) {
        S += 6;
    }
    if (k.B(2, 8) == -KAKU && x2 == 2 && y2 == 7 && (k.OI(2, 7) != 0 || k.EI(2, 7) > 0)) S += 30;
    // A 歩 dropped in front of a 飛 or 香 that attacks it along the file.
    const int ax = k.m.OWN_ATTACKER_X[x2][y2];
    const int ay = k.m.OWN_ATTACKER_Y[x2][y2];
    if (!(k.EIB(ax, ay) > 0 && k.OI(ax, ay) == 0) && k.EI(x2, y2) > 0 && ax == x2 &&
        (k.OAC(x2, y2) == -SYA || k.OAC(x2, y2) == -KYOU) && ay > y2) {
        return S + 120;
    }
    return S;
}

double lance(const Ctx& k, double S) {
    GameState& g = k.g;
    const int x2 = k.x2, y2 = k.y2;
    if (g.ENEMY_HAND[SLOT_KEI] > 0) S += 調査_桂狙い(g, x2, y2);
    if (k.drop && y2 < 8) {
        if (g.OWN_HAND[SLOT_HU] > 0 && k.OI(x2, y2 + 1) > 0 && k.OI(x2, y2) == 0) S -= 10;
        if (k.B(x2, y2 + 1) <= -KYOU && (k.OI(x2, y2) == 0 || k.EI(x2, y2) >= k.OI(x2, y2))) {
            // A skewer: the piece behind the attacked one.
            for (int r = y2 + 2; r <= 9; ++r) {
                if (k.B(x2, r) == EMPTY) continue;
                if (移動チェック(g, x2, y2 + 1, x2, r, +KYOU) == ON && k.B(x2, r) < -KYOU) {
                    return S + std::abs(k.B(x2, r));
                }
                break;
            }
        }
    }
    if (!k.drop && k.captured == EMPTY) return S - 0.9;
    return S;
}

double knight(const Ctx& k, double S) {
    const int x2 = k.x2, y2 = k.y2;
    S -= 0.1;
    if (k.OI(x2, y2 + 1) > 0) S -= 1;
    if (y2 < 8 && x2 > 1 && x2 < 9) {
        if (k.OI(x2 - 1, y2 + 2) > 0 && k.OI(x2 + 1, y2 + 2) > 0) S -= 1;
        if (x2 == 7 && y2 == 3 && k.B(8, 4) == +KAKU) return S - 5;
    }
    return S;
}

double silver(const Ctx& k, double S) {
    if (k.y2 <= 1) return S;
    if (k.y2 > k.y && k.x2 == k.x) S -= 0.1;
    if (k.x2 == 7 && k.y2 == 3 && k.B(8, 3) == +HU && k.B(8, 5) == -HU) return S + 115;
    return S;
}

double gold(const Ctx& k, double S) {
    const int x2 = k.x2, y2 = k.y2;
    if (y2 == 4) {
        if (k.B(6, 4) == +KAKU && k.OI(6, 4) > 0) return S - 5;
    } else if (y2 == 2) {
        if (k.B(8, 3) == +HU && k.B(8, 6) == -HU && x2 == 7 && k.OGC(8, 6) == -SYA) S += 10;
        if (k.g.OWN_HAND[SLOT_HU] > 0 && k.EIB(x2, y2 + 1) == 0 && k.B(x2, y2 + 1) >= 1) {
            S += 2;
            if (k.EIB(x2, y2 + 2) == 1 && k.B(x2, y2 + 2) == +KAKU) return S + 125;
        }
    }
    return S;
}

double bishop(const Ctx& k, double S) {
    GameState& g = k.g;
    const int x = k.x, y = k.y, x2 = k.x2, y2 = k.y2;
    S += 調査_周辺状況(g, x2, y2);
    if (y2 < 9) {
        if (y2 == 3 && x2 == 9 && k.B(9, 4) == +HU && k.B(9, 6) == -HU && k.B(9, 9) == -KYOU)
            S -= 10;
        if (y2 == 3 && x2 == 7 && k.B(8, 5) == -HU && k.OGC(8, 5) == -SYA) S += 9;
        if (k.OI(x2, y2 + 1) > 0) {
            if (調査_移動可場所数(g, x2, y2, +KAKU) == 0) S -= 100;
            if (y2 < 8 && k.B(x2, y2 + 2) == -HU) S -= 1;
        }
    }
    if (y == 3) {
        if (x == 9 && k.B(9, 4) == +HU && k.B(9, 6) == -HU && k.OGC(9, 6) == -KYOU) return S + 10;
        if (x == 7 && k.B(8, 5) == -HU && k.OGC(8, 5) == -SYA && k.EI(8, 4) < k.EIB(8, 4)) {
            return S - 10;
        }
    }
    return S;
}

// Next to the person's king on its file or rank, out of reach or only the king attacks.
bool rookNearKing(const Ctx& k) {
    const int kx = k.g.OWN_KING_X, ky = k.g.OWN_KING_Y;
    return (k.x2 == kx || k.y2 == ky) && std::abs(k.x2 - kx) < 3 && std::abs(k.y2 - ky) < 3;
}

bool rookSafe(const Ctx& k) {
    return k.OI(k.x2, k.y2) == 0 || (k.EI(k.x2, k.y2) > 0 && k.OAC(k.x2, k.y2) == -OU);
}

double rook(const Ctx& k, double S) {
    GameState& g = k.g;
    const int x = k.x, y = k.y, x2 = k.x2, y2 = k.y2;
    S += 調査_周辺状況(g, x2, y2);
    if (k.drop) {
        if (y2 == 9 && k.B(x2, 8) == -GIN && x2 > 1 && x2 < 9 &&
            ((k.B(x2 - 1, 9) != EMPTY && k.B(x2 + 1, 8) == -KIN) ||
             (k.B(x2 + 1, 9) != EMPTY && k.B(x2 - 1, 8) == -KIN))) {
            return S - 1;
        }
        return S;
    }
    if (k.OI(x2, y2) == 0 && x2 == 3 && y2 == 4 && k.B(3, 7) == -KAKU && k.B(3, 6) == -HU &&
        k.B(3, 5) == EMPTY) {
        S += 7;
    }
    if (y2 < 8) {
        if (k.OI(x2, y2 + 1) > 0) {
            S -= 1;
            if (k.B(x2, y2 + 2) == -HU && y2 == y) S -= 5;
        }
        if (y < 9 && k.B(8, y + 1) == -HU && k.OGC(8, y + 1) == -SYA) {
            if (k.EI(8, y) < k.EIB(8, y)) S -= 11;
            if (k.B(7, y) == +HU && y2 != y) S -= 11;
        }
        if (k.OI(x, y) == 0 && x == 2 && y == 2 && x2 == 2 && y2 == 3) S -= 1;
    }
    if (rookSafe(k)) {
        if (調査_移動可場所数(g, x2, y2, +SYA) <= 1) return S - 35;
        if (rookNearKing(k)) return S + 100;
    }
    return S;
}

double dragon(const Ctx& k, double S) {
    const int x = k.x, y = k.y, x2 = k.x2, y2 = k.y2;
    S += 調査_周辺状況(k.g, x2, y2);
    if (k.B(x2, y2 - 1) == -GIN && x2 > 1 && x2 < 9 &&
        ((k.B(x2 - 1, y2) != EMPTY && k.B(x2 + 1, y2 - 1) == -KIN) ||
         (k.B(x2 + 1, y2) != EMPTY && k.B(x2 - 1, y2 - 1) == -KIN))) {
        S -= 10;
    }
    if (y == 9 && k.B(x, 8) == -GIN) {
        if (x > 1 && k.B(x - 1, 8) == -KIN) S += 2;
        if (x < 9 && k.B(x + 1, 8) == -KIN) S += 2;
    }
    if (y2 == 9 && k.B(x2, 8) <= -1 &&
        ((x2 == 3 && k.B(2, 9) <= -1 && k.B(4, 8) == -KIN) ||
         (x2 == 7 && k.B(8, 9) <= -1 && k.B(6, 8) == -KIN))) {
        S -= 150;
    }
    if (rookSafe(k) && rookNearKing(k)) return S + 100;
    return S;
}

double king(const Ctx& k, double S) {
    if (k.c.ENEMY_PINNED == ON) S += 10;
    if (k.EI(k.x2, k.y2) > k.EIB(k.x2, k.y2)) S += 1;
    if (調査_移動可場所数(k.g, k.x2, k.y2, +OU) < 2) return S - 20;
    return S;
}

}  // namespace

double 盤評価_駒別(GameState& g, double S, int captured, int P, int x, int y, int x2, int y2) {
    const Ctx k{g, g.maps, g.com, captured, P, x, y, x2, y2, x == UPPER_HAND_COLUMN};
    switch (P) {
        case +PORN:
            return chessPawn(k, S);
        case +HU:
            return pawn(k, S);
        case +HU_N:
            return k.EI(x2, y2) >= k.OI(x2, y2) ? S + 1 : S;
        case +KYOU:
            return lance(k, S);
        case +KEI:
            return knight(k, S);
        case +GIN:
            return silver(k, S);
        case +KIN:
            return gold(k, S);
        case +KAKU:
            return bishop(k, S);
        case +KAKU_N:
            return S + 調査_周辺状況(g, x2, y2);
        case +SYA:
            return rook(k, S);
        case +SYA_N:
            return dragon(k, S);
        case +OU:
            return king(k, S);
        default:
            return S;  // promoted 香 桂 銀 and the chess pieces other than the pawn
    }
}

}  // namespace zorvan
