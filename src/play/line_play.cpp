#include "play/line_play.h"

#include <sstream>

#include "play/move_execution.h"
#include "records/history.h"
#include "rules/players.h"

namespace zorvan {

void startGameBetweenPersons(GameState& g) {
    初期設定(g);
    g.GAME_MODE = MODE_MAN;
    g.KIFU_MODE = OFF;
    調査_先手後手(g);
    g.TURN = SENTE;
}

void passTurn(GameState& g) {
    if (g.TURN == SENTE)
        g.TURN = GOTE;
    else if (g.TURN == GOTE)
        g.TURN = SENTE;
}

void playMove(GameState& g, Drawing& d, const Move& m) {
    const int captured = onBoard(m.toX, m.toY) ? g.BOARD[m.toX][m.toY] : EMPTY;
    駒移動(g, d, m.fromX, m.fromY, m.toX, m.toY, m.codeAfter);
    g.MOVE_NO += 1;
    手順保存(g, m.fromX, m.fromY, m.toX, m.toY, m.codeBefore, m.codeAfter, captured, g.LOWER_TIME,
             g.LOWER_TIME, g.UPPER_TIME, g.UPPER_TIME);
    g.MOVE_COUNT += 1;
    passTurn(g);
}

int playLine(GameState& g, Drawing& d, std::string_view moves, std::string* refused) {
    std::istringstream list{std::string(moves)};
    std::string text;
    for (int ply = 1; list >> text; ++ply) {
        Move m;
        if (!findLegalMove(g, text, m)) {
            if (refused) *refused = text;
            return ply;
        }
        playMove(g, d, m);
    }
    return 0;
}

namespace {

void keepSquare(const GameState& g, MoveUndo& u, int x, int y) {
    u.squares[static_cast<size_t>(u.squareCount++)] = {x, y, g.BOARD[x][y]};
}

}  // namespace

void makeMove(GameState& g, const Move& m, MoveUndo& u) {
    u.squareCount = 0;
    keepSquare(g, u, m.toX, m.toY);
    if (!m.isDrop()) {
        keepSquare(g, u, m.fromX, m.fromY);
        const int dx = m.toX - m.fromX;
        if (kindOf(m.codeBefore) == PORN && (dx == 1 || dx == -1)) {
            keepSquare(g, u, m.toX, m.fromY);  // the pawn an en passant step takes
        } else if (kindOf(m.codeBefore) == KING && (dx == 2 || dx == -2)) {
            // The castling rook's corner and new square, as move execution moves them.
            if (m.codeBefore > 0) {
                keepSquare(g, u, m.toX == 8 ? 9 : 2, 1);
                keepSquare(g, u, m.toX == 8 ? 7 : 5, 1);
            } else {
                keepSquare(g, u, m.toX == 6 ? 8 : 1, 9);
                keepSquare(g, u, m.toX == 6 ? 5 : 3, 9);
            }
        }
    }
    u.ownHand = g.OWN_HAND;
    u.enemyHand = g.ENEMY_HAND;
    u.ownHandCount = g.OWN_HAND_COUNT;
    u.enemyHandCount = g.ENEMY_HAND_COUNT;
    u.ownKingX = g.OWN_KING_X;
    u.ownKingY = g.OWN_KING_Y;
    u.winner = g.WINNER;
    u.turn = g.TURN;

    Drawing quiet(g);  // no canvas: draws nothing
    駒移動(g, quiet, m.fromX, m.fromY, m.toX, m.toY, m.codeAfter);

    g.MOVE_NO += 1;
    g.ensureHistory(g.MOVE_NO);  // grows only when a line goes past the tables' end
    const auto n = static_cast<size_t>(g.MOVE_NO);
    u.moveToX = g.MOVE_TO_X[n];
    u.moveToY = g.MOVE_TO_Y[n];
    u.moveCode = g.MOVE_CODE[n];
    g.MOVE_TO_X[n] = m.toX;
    g.MOVE_TO_Y[n] = m.toY;
    g.MOVE_CODE[n] = m.codeAfter;
    passTurn(g);
}

void unmakeMove(GameState& g, const MoveUndo& u) {
    const auto n = static_cast<size_t>(g.MOVE_NO);
    g.MOVE_TO_X[n] = u.moveToX;
    g.MOVE_TO_Y[n] = u.moveToY;
    g.MOVE_CODE[n] = u.moveCode;
    g.MOVE_NO -= 1;
    for (int i = u.squareCount - 1; i >= 0; --i) {
        const auto& s = u.squares[static_cast<size_t>(i)];
        g.BOARD[s.x][s.y] = s.code;
    }
    g.OWN_HAND = u.ownHand;
    g.ENEMY_HAND = u.enemyHand;
    g.OWN_HAND_COUNT = u.ownHandCount;
    g.ENEMY_HAND_COUNT = u.enemyHandCount;
    g.OWN_KING_X = u.ownKingX;
    g.OWN_KING_Y = u.ownKingY;
    g.WINNER = u.winner;
    g.TURN = u.turn;
}

}  // namespace zorvan
