#include "position.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "play/line_play.h"
#include "play/turn_order.h"
#include "rules/hand_rules.h"
#include "rules/players.h"
#include "ui/drawing.h"

namespace zorvan::cli {

int usageError(const std::string& message) {
    std::fprintf(stderr, "zorvan-cli: %s\n", message.c_str());
    return 2;
}

namespace {

// The position after move N of a record: its snapshot on the board and in the hands, MOVE_NO = N,
// and the sides and the turn as the next press on the board would find them.
int startFromRecord(const std::string& path, const std::string& at, GameState& g) {
    int moves = 0;
    if (const int status = loadRecordFile(path, g, moves)) return status;
    char* end = nullptr;
    const long n = std::strtol(at.c_str(), &end, 10);
    if (at.empty() || *end != '\0' || n < 0 || n > moves)
        return usageError("--at must be a move number from 0 to " + std::to_string(moves));
    const auto k = static_cast<size_t>(n);
    g.BOARD = g.HISTORY[k];
    g.OWN_HAND = g.OWN_HAND_HISTORY[k];
    g.ENEMY_HAND = g.ENEMY_HAND_HISTORY[k];
    g.MOVE_NO = static_cast<int>(n);
    g.MOVE_COUNT = g.MOVE_NO;
    g.RECORD_END = moves;
    調査_先手後手(g);
    // The last position of a finished game: a king was taken, nothing more is played.
    settleTakenKing(g);
    g.OWN_HAND_COUNT = 調査_持駒数(g, g.LOWER_PLAYER);
    g.ENEMY_HAND_COUNT = 調査_持駒数(g, g.UPPER_PLAYER);
    g.TURN = 調査_先番(g, g.MOVE_NO);
    return 0;
}

}  // namespace

int setUpPosition(const Args& args, GameState& g, Args& rest) {
    std::string moves;
    std::string record;
    std::string at;
    bool chessHand = false;
    rest.clear();
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--moves" || args[i] == "--record" || args[i] == "--at") {
            if (i + 1 >= args.size()) return usageError(args[i] + " needs a value");
            std::string& value =
                args[i] == "--moves" ? moves : (args[i] == "--record" ? record : at);
            value = args[++i];
        } else if (args[i] == "--chess-hand") {
            chessHand = true;
        } else {
            rest.push_back(args[i]);
        }
    }

    startGameBetweenPersons(g);
    g.checks.CHESS_MOCHIKOMA = chessHand;
    if (record.empty() != at.empty()) return usageError("--record and --at go together");
    if (!record.empty()) {
        if (const int status = startFromRecord(record, at, g)) return status;
    }
    Drawing silent(g);
    std::string refused;
    if (const int ply = playLine(g, silent, moves, &refused)) {
        if (g.WINNER != NO_SIDE)
            return usageError("move " + refused + " at ply " + std::to_string(ply) +
                              ": the game is over, a king was taken");
        std::fprintf(stderr, "illegal move %s at ply %d\n", refused.c_str(), ply);
        return 2;
    }
    return 0;
}

}  // namespace zorvan::cli
