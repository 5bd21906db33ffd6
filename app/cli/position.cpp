#include "position.h"

#include <cstdio>

#include "play/line_play.h"
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

    startGameBetweenPersons(g);
    g.checks.CHESS_MOCHIKOMA = chessHand;
    Drawing silent(g);
    std::string refused;
    if (const int ply = playLine(g, silent, moves, &refused)) {
        std::fprintf(stderr, "illegal move %s at ply %d\n", refused.c_str(), ply);
        return 2;
    }
    return 0;
}

}  // namespace zorvan::cli
