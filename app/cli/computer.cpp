// The computer player from the command line: `bestmove` (its choice in one position) and
// `selfplay` (the computer against itself).
#include <cstdio>
#include <string>

#include "cli.h"
#include "engine/search.h"
#include "play/self_play.h"
#include "position.h"
#include "search/request.h"
#include "search/think.h"

namespace zorvan::cli {

namespace {

const char* playerName(int player) {
    return player == SENTE ? "SENTE" : (player == GOTE ? "GOTE" : "none");
}

// A whole number in [low, high] from `text`; -1 when it is anything else.
int parseNumber(const std::string& text, int low, int high) {
    if (text.empty() || text.size() > 6) return -1;
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n >= low && n <= high ? n : -1;
}

// Reads "--name VALUE" at rest[i]; returns false (with a usage message) on a bad value.
bool numberOption(const Args& rest, size_t& i, int low, int high, int& out, int& status) {
    const std::string& name = rest[i];
    const int n = i + 1 < rest.size() ? parseNumber(rest[i + 1], low, high) : -1;
    if (n < 0) {
        status = usageError(name + " needs a number from " + std::to_string(low) + " to " +
                            std::to_string(high));
        return false;
    }
    out = n;
    ++i;
    return true;
}

// Lists every scored candidate as it is scored (turned back when the search ran on the turned
// position of the lower side).
class ScoreLister : public ComPorts {
public:
    explicit ScoreLister(bool turned) : turned_(turned) {}
    void scored(int fromX, int fromY, int toX, int toY, int before, int code,
                double score) override {
        const Move m{fromX, fromY, toX, toY, before, code};
        std::printf("%s %.1f\n", formatMove(turned_ ? turnBack(m) : m).c_str(), score);
    }

private:
    bool turned_;
};

// How the stronger levels' answer is given: the usual line, only the request for a search
// elsewhere (the page's worker), or the answer as such a search gives it.
enum class StrongOutput { Line, Request, Answer };

// The stronger levels: their move for the side to move, with the search's figures.
int strongBestmove(const GameState& g, int level, int movetime, int depth, StrongOutput output) {
    search::Limits limits = search::levelLimits(level);
    if (movetime > 0) limits.movetimeMs = movetime;
    if (depth > 0) {
        limits.depth = depth;
        if (movetime <= 0) limits.movetimeMs = 0;  // a fixed depth alone is deterministic
    }
    if (output == StrongOutput::Request) {
        std::printf("request %s\n", search::encodeRequest(g, limits).c_str());
        return 0;
    }
    const search::Result r = search::think(g, limits);
    if (output == StrongOutput::Answer) {
        std::printf("answer %s\n", search::encodeResult(r).c_str());
        return 0;
    }
    if (!r.found) {
        std::printf("bestmove none\n");
        return 0;
    }
    std::printf("bestmove %s score %d depth %d nodes %llu time %.3f\n", formatMove(r.move).c_str(),
                r.score, r.depth, static_cast<unsigned long long>(r.nodes), r.seconds);
    return 0;
}

class Printer : public SelfPlayObserver {
public:
    void played(int ply, const Move& m, const GameState& /*g*/) override {
        std::printf("%d %s\n", ply, formatMove(m).c_str());
    }
};

}  // namespace

int runBestmove(const Args& args) {
    GameState g;
    Args rest;
    if (const int status = setUpPosition(args, g, rest)) return status;
    int level = 3;
    int movetime = 0;
    int depth = 0;
    bool scores = false;
    StrongOutput output = StrongOutput::Line;
    int status = 0;
    for (size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == "--level") {
            if (!numberOption(rest, i, 1, 5, level, status)) return status;
        } else if (rest[i] == "--movetime") {
            if (!numberOption(rest, i, 1, 600000, movetime, status)) return status;
        } else if (rest[i] == "--depth") {
            if (!numberOption(rest, i, 1, 40, depth, status)) return status;
        } else if (rest[i] == "--scores") {
            scores = true;
        } else if (rest[i] == "--request") {
            output = StrongOutput::Request;
        } else if (rest[i] == "--answer") {
            output = StrongOutput::Answer;
        } else {
            return usageError("bestmove: unexpected argument '" + rest[i] + "'");
        }
    }
    if (level >= 4 && scores) return usageError("bestmove: --scores is for levels 1 to 3");
    if (level <= 3 && output != StrongOutput::Line)
        return usageError("bestmove: --request and --answer are for levels 4 and 5");
    if (level <= 3 && (movetime > 0 || depth > 0))
        return usageError("bestmove: --movetime and --depth are for levels 4 and 5");
    // The stronger levels find nothing to play in a game that is over, and say so themselves.
    if (level >= 4) return strongBestmove(g, level, movetime, depth, output);
    // A game that is over (a king taken) has nothing to play, whoever is to move.
    const Side side = g.sideOf(g.TURN);
    if (g.WINNER != NO_SIDE || side == Side::None) {
        std::printf("bestmove none\n");
        return 0;
    }
    // Levels 1..3 answer for the lower side on the turned position, as in selfplay.
    g.GAME_MODE = MODE_COM;
    g.COM_LEVEL = level;
    ScoreLister lister(side == Side::Lower);
    ComPorts quiet;
    GameState scratch;
    bool found = false;
    ComMove best;
    const Move m = computerMove(g, scratch, level, scores ? static_cast<ComPorts&>(lister) : quiet,
                                found, best);
    if (!found) {
        std::printf("bestmove none\n");
    } else {
        std::printf("bestmove %s score %.1f\n", formatMove(m).c_str(), best.score);
    }
    return 0;
}

int runSelfplay(const Args& args) {
    GameState g;
    Args rest;
    if (const int status = setUpPosition(args, g, rest)) return status;
    SelfPlayOptions options;
    int lowerLevel = -1;
    int status = 0;
    std::string save;
    for (size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == "--save") {
            if (i + 1 >= rest.size()) return usageError("selfplay: --save needs a file");
            save = rest[++i];
        } else if (rest[i] == "--level") {
            if (!numberOption(rest, i, 1, 5, options.upperLevel, status)) return status;
        } else if (rest[i] == "--lower-level") {
            if (!numberOption(rest, i, 1, 5, lowerLevel, status)) return status;
        } else if (rest[i] == "--max-moves") {
            if (!numberOption(rest, i, 0, 100000, options.maxPlies, status)) return status;
        } else {
            return usageError("selfplay: unexpected argument '" + rest[i] + "'");
        }
    }
    options.lowerLevel = lowerLevel < 0 ? options.upperLevel : lowerLevel;
    g.GAME_MODE = MODE_COM;
    Printer printer;
    const SelfPlayResult result = selfPlay(g, options, printer);
    std::printf("result %s plies %d\n", playerName(result.winner), result.plies);
    if (!save.empty()) return saveRecordFile(save, g, {"selfplay", "COM", "COM"});
    return 0;
}

}  // namespace zorvan::cli
