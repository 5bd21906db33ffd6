#include "engine/search.h"

#include <algorithm>
#include <cstdlib>

#include "engine/evaluation.h"
#include "engine/influence.h"
#include "engine/surveys.h"
#include "rules/hand_rules.h"
#include "rules/mate.h"
#include "rules/move_check.h"
#include "rules/promotion.h"

namespace zorvan {

void prepareSearch(GameState& g) {
    ComMemory& c = g.com;
    g.PICK[BEST_SCORE] = SCORE_NONE;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            c.BOARD_BEFORE[x][y] = g.BOARD[x][y];
            g.maps.ESCAPE_MAP[x][y] = EMPTY;
        }
    }
    c.KING_DISTANCE = 0;

    調査_2歩フラグ設定(g);
    勢力調査(g);
    // The person's king's flight squares are counted on the fresh maps of this position.
    c.ESCAPE_BASE = 調査_自王逃道(g);
    調査_持角狙座標(g);
    調査_移動不可駒(g);

    c.ENEMY_HAND_COUNT_BEFORE = g.ENEMY_HAND_COUNT;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            c.OWN_INFLUENCE_BEFORE[x][y] = g.maps.OWN_INFLUENCE[x][y];
            c.ENEMY_INFLUENCE_BEFORE[x][y] = g.maps.ENEMY_INFLUENCE[x][y];
            c.ENEMY_ATTACKER_X_BEFORE[x][y] = g.maps.ENEMY_ATTACKER_X[x][y];
            c.ENEMY_ATTACKER_Y_BEFORE[x][y] = g.maps.ENEMY_ATTACKER_Y[x][y];
        }
    }
}

namespace {

// A candidate scoring strictly more than the best so far becomes the best move.
bool improves(GameState& g, ComMove& best, int x, int y, int x2, int y2, int before, int after,
              double score) {
    if (!(score > g.PICK[BEST_SCORE])) return false;
    g.PICK[BEST_SCORE] = score;
    best = ComMove{x, y, x2, y2, before, after, score, best.candidates};
    return true;
}

// The candidate on the board is surveyed and scored.
double scoreHere(GameState& g, ComPorts& ports, ComMove& best, int captured, int code, int x, int y,
                 int x2, int y2) {
    勢力調査(g);
    const double score = 盤評価(g, captured, code, x, y, x2, y2);
    ++best.candidates;
    ports.scored(x, y, x2, y2, g.com.TRY_PIECE, code, score);
    return score;
}

// Tries one legal board move; returns true when it captured the person's 王 as the new best move,
// which ends the search.
bool tryBoardMove(GameState& g, ComPorts& ports, ComMove& best, int x, int y, int x2, int y2) {
    ComMemory& c = g.com;
    const int piece = g.BOARD[x][y];
    c.TRY_PIECE = piece;
    c.KING_DISTANCE = std::max(std::abs(x - g.OWN_KING_X), std::abs(y - g.OWN_KING_Y));
    const int captured = g.BOARD[x2][y2];
    g.BOARD[x][y] = EMPTY;
    g.BOARD[x2][y2] = piece;

    double score;
    int after = piece;
    if (調査_駒成(g, x, y, x2, y2, piece) == OFF) {
        score = scoreHere(g, ports, best, captured, piece, x, y, x2, y2);
    } else if (移動後チェック(g, y2, piece) == OFF) {
        // The piece could never move again unpromoted.
        after = g.PROMOTE_CODE;
        g.BOARD[x2][y2] = after;
        score = scoreHere(g, ports, best, captured, after, x, y, x2, y2);
    } else {
        score = scoreHere(g, ports, best, captured, piece, x, y, x2, y2);
        const int promoted = g.PROMOTE_CODE;
        g.BOARD[x2][y2] = promoted;
        const double promotedScore = scoreHere(g, ports, best, captured, promoted, x, y, x2, y2);
        if (promotedScore > score) {
            score = promotedScore;
            after = promoted;
        }
        // The 歩, 角 and 飛 always promote when they may: they lose nothing by it.
        if (piece == +HU || piece == +KAKU || piece == +SYA) after = promoted;
    }

    g.BOARD[x2][y2] = captured;
    g.BOARD[x][y] = piece;

    // Taking the person's 王 ends the search at once.
    return improves(g, best, x, y, x2, y2, piece, after, score) && captured == -OU;
}

// Board moves of every upper piece; returns true on the early exit.
bool boardMoves(GameState& g, ComPorts& ports, ComMove& best) {
    for (int x = 1; x <= 9; ++x) {
        ports.tick();
        for (int y = 1; y <= 9; ++y) {
            if (g.BOARD[x][y] < 1) continue;
            for (int x2 = 1; x2 <= 9; ++x2) {
                for (int y2 = 1; y2 <= 9; ++y2) {
                    if (移動チェック(g, x, y, x2, y2, g.BOARD[x][y]) != ON) continue;
                    if (tryBoardMove(g, ports, best, x, y, x2, y2)) return true;
                }
            }
        }
    }
    return false;
}

// Drops from the computer's hand, when its army may use the hand.
void drops(GameState& g, ComPorts& ports, ComMove& best) {
    ComMemory& c = g.com;
    const bool handUsable = g.checks.CHESS_MOCHIKOMA || g.LOWER_PLAYER == GOTE;
    if (!handUsable || c.ENEMY_HAND_COUNT_BEFORE <= 0) return;
    for (int slot = 1; slot <= HAND_SLOTS; ++slot) {
        ports.tick();
        if (g.ENEMY_HAND[slot] <= 0) continue;
        c.TRY_PIECE = dropCode(Side::Upper, slot);
        for (int x2 = 1; x2 <= 9; ++x2) {
            for (int y2 = 1; y2 <= 9; ++y2) {
                if (移動チェック(g, UPPER_HAND_COLUMN, slot, x2, y2, c.TRY_PIECE) != ON) continue;
                const int piece = c.TRY_PIECE;
                g.BOARD[x2][y2] = piece;
                const double score =
                    scoreHere(g, ports, best, EMPTY, piece, UPPER_HAND_COLUMN, slot, x2, y2);
                g.BOARD[x2][y2] = EMPTY;
                if (improves(g, best, UPPER_HAND_COLUMN, slot, x2, y2, piece, piece, score) &&
                    g.PICK[BEST_SCORE] >= SCORE_MATE) {
                    return;  // a mating drop ends the search
                }
            }
        }
    }
}

}  // namespace

ComMove comSearch(GameState& g, ComPorts& ports) {
    ComMove best;
    ports.beginThinking();
    prepareSearch(g);
    ports.captionReady();
    if (!boardMoves(g, ports, best)) drops(g, ports, best);
    return best;
}

ComMove comSearch(GameState& g) {
    ComPorts none;
    return comSearch(g, none);
}

}  // namespace zorvan
