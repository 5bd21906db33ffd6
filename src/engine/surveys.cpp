#include "engine/surveys.h"

#include <cstdlib>

#include "rules/move_check.h"

namespace zorvan {

namespace {

// The person's 角, 馬, 飛 or 竜 is the cheapest piece attacking the square.
bool bigAttacker(int attackerCode) {
    return attackerCode >= -SYA_N && attackerCode <= -KAKU;
}

bool isOwnLinePiece(int c) {
    return c == -KYOU || c == -KAKU || c == -KAKU_N || c == -SYA || c == -SYA_N;
}
bool isEnemyLinePiece(int c) {
    return c == +KYOU || c == +KAKU || c == +KAKU_N || c == +SYA || c == +SYA_N;
}

}  // namespace

int 調査_移動可場所数(GameState& g, int x, int y, int c) {
    const InfluenceMaps& m = g.maps;
    int count = 0;
    for (int u = 1; u <= 9; ++u) {
        for (int v = 1; v <= 9; ++v) {
            if (移動チェック(g, x, y, u, v, c) != ON) continue;
            if (c >= 1 && m.OWN_INFLUENCE[u][v] == 0) ++count;
            if (c <= -1 && m.ENEMY_INFLUENCE[u][v] == 0) ++count;
        }
    }
    return count;
}

int 調査_桂狙い(GameState& g, int x2, int y2) {
    const InfluenceMaps& m = g.maps;
    int gain = 0;
    if (!bigAttacker(m.OWN_ATTACKER_CODE[x2][y2]) || y2 <= 5) return gain;
    if (x2 > 2 && g.BOARD[x2 - 1][y2 - 2] == EMPTY && m.OWN_INFLUENCE[x2 - 1][y2 - 2] == 0 &&
        g.BOARD[x2 - 2][y2] <= -KAKU && m.OWN_ATTACKER_X[x2][y2] != x2 - 2) {
        gain += std::abs(g.BOARD[x2 - 2][y2]);
    }
    if (x2 < 8 && g.BOARD[x2 + 1][y2 - 2] == EMPTY && m.OWN_INFLUENCE[x2 + 1][y2 - 2] == 0 &&
        g.BOARD[x2 + 2][y2] <= -KAKU && m.OWN_ATTACKER_X[x2][y2] != x2 + 2) {
        gain += std::abs(g.BOARD[x2 + 2][y2]);
    }
    return gain;
}

int 調査_香狙い(GameState& g, int x2, int y2) {
    const InfluenceMaps& m = g.maps;
    if (y2 <= 6 || m.ENEMY_INFLUENCE[x2][y2 - 1] <= 0 || m.OWN_INFLUENCE[x2][y2 - 1] != 0 ||
        !bigAttacker(m.OWN_ATTACKER_CODE[x2][y2])) {
        return 0;
    }
    // The first occupied square below the 歩; an empty file below gives nothing.
    for (int r = y2 + 1; r <= 9; ++r) {
        if (g.BOARD[x2][r] == EMPTY) continue;
        if (移動チェック(g, x2, y2, x2, r, +KYOU) == ON) return std::abs(g.BOARD[x2][r]);
        return 0;
    }
    return 0;
}

int 調査_自守駒MAN_直進駒(GameState& g, int x, int y) {
    const int lifted = g.BOARD[x][y];
    g.BOARD[x][y] = EMPTY;
    int answer = OFF;
    for (int r = y + 1; r <= 9; ++r) {
        const int c = g.BOARD[x][r];
        if (c >= 1) break;
        if (c == -KYOU || c == -SYA || c == -SYA_N) {
            if (移動チェック(g, x, r, x, y, c) == ON) answer = ON;
            break;
        }
    }
    g.BOARD[x][y] = lifted;
    return answer;
}

int 調査_周辺状況(const GameState& g, int x, int y) {
    int n = 0;
    for (int u = x - 1; u <= x + 1; ++u) {
        for (int v = y - 1; v <= y + 1; ++v) {
            if ((u == x && v == y) || !onBoard(u, v)) continue;
            if (g.BOARD[u][v] >= KAKU) --n;
        }
    }
    return n;
}

void 調査_持角狙座標(GameState& g) {
    const InfluenceMaps& m = g.maps;
    ComMemory& c = g.com;
    const int cx = g.ENEMY_KING_X;
    const int cy = g.ENEMY_KING_Y;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            c.BISHOP_CHECK_MAP[x][y] = 0;
            if (g.BOARD[x][y] != EMPTY) continue;
            const int e = m.ENEMY_INFLUENCE[x][y];
            const bool loose = e == 0 || (e == 1 && std::abs(x - cx) < 2 && std::abs(y - cy) < 2);
            if (loose && 移動チェック(g, x, y, cx, cy, -KAKU) == ON) c.BISHOP_CHECK_MAP[x][y] = 1;
        }
    }
}

void 調査_移動不可駒(GameState& g) {
    ComMemory& c = g.com;
    c.ENEMY_PINNED = OFF;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            c.OWN_PINNED_MAP[x][y] = 0;
            c.ENEMY_PINNED_MAP[x][y] = 0;
            const int piece = g.BOARD[x][y];
            if (piece == EMPTY) continue;
            g.BOARD[x][y] = EMPTY;
            for (int u = 1; u <= 9; ++u) {
                for (int v = 1; v <= 9; ++v) {
                    const int p = g.BOARD[u][v];
                    if (piece <= -1 && isEnemyLinePiece(p) &&
                        移動チェック(g, u, v, g.OWN_KING_X, g.OWN_KING_Y, p) == ON) {
                        c.OWN_PINNED_MAP[x][y] = 1;
                    }
                    if (piece >= 1 && isOwnLinePiece(p) &&
                        移動チェック(g, u, v, g.ENEMY_KING_X, g.ENEMY_KING_Y, p) == ON) {
                        c.ENEMY_PINNED_MAP[x][y] = 1;
                        c.ENEMY_PINNED = ON;
                    }
                }
            }
            g.BOARD[x][y] = piece;
        }
    }
}

}  // namespace zorvan
