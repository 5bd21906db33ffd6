#include "position.h"

#include <cstdio>
#include <sstream>

#include "play/line_play.h"
#include "rules/legal_moves.h"
#include "rules/players.h"
#include "ui/drawing.h"

namespace zorvan::cli {

int usageError(const std::string& message) {
    std::fprintf(stderr, "zorvan-cli: %s\n", message.c_str());
    return 2;
}

int setUpPosition(const Args& args, GameState& g, Args& rest) {
    std::string moves;
    bool chessHand = false;
    rest.clear();
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--moves") {
            if (i + 1 >= args.size()) return usageError("--moves needs a list of moves");
            moves = args[++i];
        } else if (args[i] == "--chess-hand") {
            chessHand = true;
        } else {
            rest.push_back(args[i]);
        }
    }

    // A game between persons from the standard start: the owner of 王 is SENTE and moves first.
    初期設定(g);
    g.checks.CHESS_MOCHIKOMA = chessHand;
    g.GAME_MODE = MODE_MAN;
    g.KIFU_MODE = OFF;
    調査_先手後手(g);
    g.TURN = SENTE;

    Drawing silent(g);
    std::istringstream list(moves);
    std::string text;
    for (int ply = 1; list >> text; ++ply) {
        Move m;
        if (!findLegalMove(g, text, m)) {
            std::fprintf(stderr, "illegal move %s at ply %d\n", text.c_str(), ply);
            return 2;
        }
        playMove(g, silent, m);
    }
    return 0;
}

}  // namespace zorvan::cli
