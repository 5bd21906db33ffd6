#include "engine/evaluation.h"

#include <cstdlib>

#include "engine/danger.h"
#include "engine/surveys.h"
#include "rules/mate.h"
#include "rules/move_check.h"

namespace zorvan {

namespace {

constexpr int SLOT_BISH = 4;
constexpr int SLOT_QEEN = 5;

bool isDrop(int x) {
    return x == UPPER_HAND_COLUMN;
}

// Check and mate terms. Returns true with the final score in `result` when the candidate mates.
bool checkTerms(GameState& g, double& S, int P, int x2, int y2, double& result) {
    const InfluenceMaps& m = g.maps;
    const int kx = g.OWN_KING_X;
    const int ky = g.OWN_KING_Y;
    if (m.ENEMY_INFLUENCE[kx][ky] <= 0) return false;
    if (詰めかMAN(g) == ON) {
        // Mate by a 歩 is refused.
        result = P == +HU ? SCORE_REFUSED : SCORE_MATE;
        return true;
    }
    if (m.OWN_ATTACKER_CODE[x2][y2] == -OU && m.ENEMY_INFLUENCE[x2][y2] > 0) S += 100;
    if (m.OWN_INFLUENCE[x2][y2] <= 2 && m.ENEMY_GUARD_CODE[x2][y2] == +SYA_N && x2 != kx &&
        y2 != ky && std::abs(x2 - kx) < 2 && std::abs(y2 - ky) < 2 &&
        (m.ENEMY_GUARD_X[x2][y2] == kx || m.ENEMY_GUARD_Y[x2][y2] == ky)) {
        S += 900;
    }
    if (m.OWN_INFLUENCE[x2][y2] == 0) S += 10;
    return false;
}

// Threat on a pinned attacker: P attacks the piece that attacks it, and that piece may not move.
void pinnedAttackerTerm(GameState& g, double& S, int x, int x2, int y2) {
    const InfluenceMaps& m = g.maps;
    const ComMemory& c = g.com;
    const int kx = g.OWN_KING_X;
    const int ky = g.OWN_KING_Y;
    const int ax = m.OWN_ATTACKER_X[x2][y2];
    const int ay = m.OWN_ATTACKER_Y[x2][y2];
    const int own = m.OWN_INFLUENCE[x2][y2];
    if (m.OWN_INFLUENCE[ax][ay] <= 0 || c.OWN_PINNED_MAP[ax][ay] != 1) return;
    if (!(own == 1 ||
          (m.ENEMY_INFLUENCE[x2][y2] > 0 && own == 2 && m.ENEMY_INFLUENCE[kx][ky] > 0))) {
        return;
    }
    if (!((ax == kx && x2 != kx) || (ay == ky && y2 != ky) ||
          ((x2 == kx || y2 == ky) && ax != kx && ay != ky))) {
        return;
    }
    if (移動チェック(g, x2, y2, ax, ay, c.TRY_PIECE) != ON) return;
    if (isDrop(x)) {
        S += std::abs(g.BOARD[ax][ay]);
        return;
    }
    // No gain when the piece that attacked it before is the one that moved away.
    const int bx = c.ENEMY_ATTACKER_X_BEFORE[ax][ay];
    const int by = c.ENEMY_ATTACKER_Y_BEFORE[ax][ay];
    if (g.BOARD[bx][by] != EMPTY) S += std::abs(g.BOARD[ax][ay]);
}

// Safety of the destination, with the bishop-line caution and the king's escape squares.
void safetyTerm(GameState& g, double& S, int P, int x, int x2, int y2) {
    const InfluenceMaps& m = g.maps;
    const ComMemory& c = g.com;
    const int kx = g.OWN_KING_X;
    const int ky = g.OWN_KING_Y;
    if (m.OWN_INFLUENCE[x2][y2] == 0) {
        if (P != +KAKU && P != +KAKU_N && P != +OU && P != +HU) {
            S -= 盤評価_自角注意_COM(g, x2, y2, P);
        }
        if (P == +KYOU || (P >= KAKU && P <= SYA_N) ||
            (std::abs(x2 - kx) < 3 && std::abs(y2 - ky) < 3)) {
            const int n = 調査_自王逃道(g);
            if (n < c.ESCAPE_BASE) S += c.ESCAPE_BASE - n;
        }
    } else if (m.ENEMY_INFLUENCE[x2][y2] > 0) {
        if ((g.OWN_HAND[SLOT_BISH] > 0 || g.OWN_HAND[SLOT_QEEN] > 0) && x2 > 1 && x2 < 9) {
            const int left = g.BOARD[x2 - 1][y2];
            const int right = g.BOARD[x2 + 1][y2];
            if (((left == -SYA || left == -SYA_N) && right == +OU) ||
                ((right == -SYA || right == -SYA_N) && left == +OU)) {
                S -= P;
            }
        }
        const int attacker = m.OWN_ATTACKER_CODE[x2][y2];
        if (P > std::abs(attacker)) S += std::abs(attacker) - P;
        if ((attacker == -OU || attacker == -KING) && y2 < ky && m.ENEMY_INFLUENCE[kx][ky] > 0) {
            S += P;
        }
    } else {
        S -= P;
        if (isDrop(x)) S -= P + 50;
    }
}

// Captures: the value of the captured piece when it is not simply lost again.
void captureTerm(GameState& g, double& S, int captured, int P, int x, int y, int x2, int y2) {
    if (captured == EMPTY) return;
    const InfluenceMaps& m = g.maps;
    if (m.OWN_INFLUENCE[x2][y2] > 0) {
        if (m.ENEMY_INFLUENCE[x2][y2] > 0) {
            if (g.BOARD[x2][y2] < std::abs(m.OWN_ATTACKER_CODE[x2][y2])) S += std::abs(captured);
        } else if (g.com.OWN_INFLUENCE_BEFORE[x][y] > 0 && 調査_移動可場所数(g, x, y, P) == 0) {
            S += std::abs(captured);
        }
    } else {
        S += std::abs(captured);
        if (captured == -HU_N || captured == -KYOU_N || captured == -KEI_N) S += 50;
    }
}

}  // namespace

double 盤評価(GameState& g, int captured, int P, int x, int y, int x2, int y2) {
    const InfluenceMaps& m = g.maps;
    const ComMemory& c = g.com;

    // Terminal values.
    if (captured == -OU || captured == -KING) return SCORE_KING_TAKEN;
    if (m.OWN_INFLUENCE[g.ENEMY_KING_X][g.ENEMY_KING_Y] >= 1) return SCORE_REFUSED;

    // Every level: check and mate, drop or promotion, danger squares.
    double S = 0;
    double mate = 0;
    if (checkTerms(g, S, P, x2, y2, mate)) return mate;
    if (isDrop(x)) {
        S -= 5;
    } else if (P > c.TRY_PIECE) {
        S += 10;
    }
    S += 盤評価_COM危険座標(g, P, x2, y2);
    if (g.COM_LEVEL < 2) return S;

    // Level 2: approach, pinned attacker, safety, edge-file lance, captures.
    const int dx = std::abs(x2 - g.OWN_KING_X);
    const int dy = std::abs(y2 - g.OWN_KING_Y);
    if (dx > dy && dx < c.KING_DISTANCE) S += 1;
    if (dx <= dy && dy < c.KING_DISTANCE) S += 0.1;
    pinnedAttackerTerm(g, S, x, x2, y2);
    safetyTerm(g, S, P, x, x2, y2);
    if (g.BOARD[x2][9] == -KYOU && (x2 == 1 || x2 == 9) && P != +KYOU && P != +SYA && P != +SYA_N &&
        x != x2) {
        S -= 0.1;
    }
    captureTerm(g, S, captured, P, x, y, x2, y2);
    if (g.COM_LEVEL < 3) return S;

    return 盤評価_駒別(g, S, captured, P, x, y, x2, y2);
}

}  // namespace zorvan
