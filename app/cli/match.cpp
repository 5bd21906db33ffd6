// `match`: two levels of the computer play a series of games from varied openings, each opening
// once with either level on each side, every move checked against the rules engine's legal moves.
// One line per game, then the score with its 95 % interval, the Elo difference, the draws, and the
// time per move and search speed of each level.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli.h"
#include "openings.h"
#include "play/line_play.h"
#include "play/self_play.h"
#include "position.h"
#include "search/think.h"

namespace zorvan::cli {

namespace {

struct MatchOptions {
    int levelA = 4;
    int levelB = 3;
    int games = 100;
    int maxPlies = 300;
    int movetime = 0;  // 0: each level's own
    int movetimeB = 0;  // 0: as --movetime
    int depthA = 0;    // 0: no fixed depth
    int depthB = 0;
    int threadsA = 0;  // 0: the level's own
    int threadsB = 0;
    int unsettledA = 0;  // 0: the level's own
    int unsettledB = 0;
    int firstOpening = 0;
    bool chessHand = false;
    bool bothOptions = false;  // alternate "ﾁｪｽ側持駒OK" from one opening to the next
    bool quiet = false;
    std::string openingsFile;
    search::EvalWeights weightsA = search::defaultWeights();
    search::EvalWeights weightsB = search::defaultWeights();
};

// What one player did over the match.
struct PlayerFigures {
    std::vector<double> seconds;  // per move
    std::uint64_t nodes = 0;
    double searchSeconds = 0;
    std::vector<double> depths;  // per searched move: the last completed iteration
};

// A whole number from `text` in [low, high], or -1.
int parseCount(const std::string& text, int low, int high) {
    if (text.empty() || text.size() > 9) return -1;
    long n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n >= low && n <= high ? static_cast<int>(n) : -1;
}

int parseMatchOptions(const Args& args, MatchOptions& o) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--chess-hand") {
            o.chessHand = true;
            continue;
        }
        if (a == "--both-options") {
            o.bothOptions = true;
            continue;
        }
        if (a == "--quiet") {
            o.quiet = true;
            continue;
        }
        if (i + 1 >= args.size()) return usageError("match: " + a + " needs a value");
        const std::string& v = args[++i];
        int* target = nullptr;
        int low = 0, high = 0;
        if (a == "--openings") {
            o.openingsFile = v;
            continue;
        }
        if (a == "--weights" || a == "--against-weights") {
            if (!search::parseWeights(v.c_str(), a == "--weights" ? o.weightsA : o.weightsB))
                return usageError("match: " + a +
                                  " takes name=value,... (tempo, attacker, "
                                  "defender, open, hand)");
            continue;
        }
        if (a == "--level")
            target = &o.levelA, low = 1, high = 5;
        else if (a == "--against")
            target = &o.levelB, low = 1, high = 5;
        else if (a == "--games")
            target = &o.games, low = 1, high = 100000;
        else if (a == "--max-plies")
            target = &o.maxPlies, low = 1, high = 100000;
        else if (a == "--movetime")
            target = &o.movetime, low = 1, high = 600000;
        else if (a == "--against-movetime")
            target = &o.movetimeB, low = 1, high = 600000;
        else if (a == "--depth")
            target = &o.depthA, low = 1, high = 40;
        else if (a == "--against-depth")
            target = &o.depthB, low = 1, high = 40;
        else if (a == "--threads")
            target = &o.threadsA, low = 1, high = 64;
        else if (a == "--against-threads")
            target = &o.threadsB, low = 1, high = 64;
        else if (a == "--unsettled")
            target = &o.unsettledA, low = 100, high = 1000;
        else if (a == "--against-unsettled")
            target = &o.unsettledB, low = 100, high = 1000;
        else if (a == "--first-opening")
            target = &o.firstOpening, low = 0, high = 1000000;
        else
            return usageError("match: unexpected argument '" + a + "'");
        const int n = parseCount(v, low, high);
        if (n < 0)
            return usageError("match: " + a + " needs a number from " + std::to_string(low) +
                              " to " + std::to_string(high));
        *target = n;
    }
    if (o.depthB == 0) o.depthB = o.depthA;
    if (o.movetimeB == 0) o.movetimeB = o.movetime;
    return 0;
}

// The move of `level` for the side to move; found is false when it has none.
Move chooseMove(GameState& g, GameState& scratch, int level, int movetime, int depth,
                int threads, int unsettled, const search::EvalWeights& weights,
                PlayerFigures& fig, bool& found) {
    const auto start = std::chrono::steady_clock::now();
    Move m;
    if (level >= 4) {
        search::Limits limits = search::levelLimits(level);
        if (movetime > 0) limits.movetimeMs = movetime;
        if (depth > 0) {
            limits.depth = depth;
            if (movetime <= 0) limits.movetimeMs = 0;
        }
        if (threads > 0) limits.threads = threads;
        if (unsettled > 0) limits.unsettledPercent = unsettled;
        limits.weights = &weights;
        const search::Result r = search::think(g, limits);
        found = r.found;
        m = r.move;
        fig.nodes += r.nodes;
        fig.searchSeconds += r.seconds;
        if (r.found) fig.depths.push_back(r.depth);
    } else {
        ComPorts quiet;
        ComMove searched;
        m = computerMove(g, scratch, level, quiet, found, searched);
    }
    fig.seconds.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return m;
}

bool isLegal(GameState& g, const Move& m) {
    static MoveList legal;
    generateLegalMoves(g, legal);
    return std::find(legal.begin(), legal.end(), m) != legal.end();
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string eloText(double score) {
    if (score <= 0) return "-inf";
    if (score >= 1) return "+inf";
    char text[32];
    const double elo = -400.0 * std::log10(1.0 / score - 1.0);
    std::snprintf(text, sizeof text, "%+.0f", std::fabs(elo) < 0.5 ? 0.0 : elo);
    return text;
}

void printPlayer(const char* role, int level, int depth, const PlayerFigures& f) {
    const double most =
        f.seconds.empty() ? 0 : *std::max_element(f.seconds.begin(), f.seconds.end());
    std::printf("%s LEVEL%d%s: moves %zu, median %.3f s, max %.3f s per move", role, level,
                depth > 0 && level >= 4 ? (" depth " + std::to_string(depth)).c_str() : "",
                f.seconds.size(), median(f.seconds), most);
    if (level >= 4 && f.searchSeconds > 0)
        std::printf(", nodes %llu, %.0f nodes/s, median depth %.1f",
                    static_cast<unsigned long long>(f.nodes),
                    static_cast<double>(f.nodes) / f.searchSeconds, median(f.depths));
    std::printf("\n");
}

}  // namespace

int runMatch(const Args& args) {
    MatchOptions o;
    if (const int status = parseMatchOptions(args, o)) return status;
    std::vector<std::string> fileLines;
    if (!o.openingsFile.empty()) {
        std::string error;
        if (!readOpenings(o.openingsFile, fileLines, error)) return usageError("match: " + error);
    }

    PlayerFigures figA, figB;
    int wins = 0, losses = 0, draws = 0, illegal = 0;
    int bySide[2][3] = {};  // [A lower, A upper][won, lost, drawn]
    GameState g, scratch;
    for (int game = 0; game < o.games; ++game) {
        const int opening = o.firstOpening + game / 2;
        const bool aLower = game % 2 == 0;  // each opening once with A on either side
        const bool chessHand = o.bothOptions ? opening % 2 == 1 : o.chessHand;
        const std::string line = fileLines.empty()
                                     ? builtInOpening(opening, chessHand)
                                     : fileLines[static_cast<size_t>(opening) % fileLines.size()];
        startGameBetweenPersons(g);
        g.checks.CHESS_MOCHIKOMA = chessHand;
        g.GAME_MODE = MODE_COM;
        Drawing silent(g);
        std::string refused;
        if (playLine(g, silent, line, &refused) != 0)
            return usageError("match: opening '" + line + "': illegal move " + refused);

        int plies = 0;
        double result = 0.5;  // for A
        const char* reason = "plies";
        while (plies < o.maxPlies) {
            const Side side = g.sideOf(g.TURN);
            if (side == Side::None) break;
            const bool aToMove = (side == Side::Lower) == aLower;
            bool found = false;
            const Move m =
                chooseMove(g, scratch, aToMove ? o.levelA : o.levelB,
                           aToMove ? o.movetime : o.movetimeB,
                           aToMove ? o.depthA : o.depthB, aToMove ? o.threadsA : o.threadsB,
                           aToMove ? o.unsettledA : o.unsettledB,
                           aToMove ? o.weightsA : o.weightsB,
                           aToMove ? figA : figB, found);
            if (!found) {
                result = aToMove ? 0 : 1;
                reason = "resigned";
                break;
            }
            if (!isLegal(g, m)) {
                ++illegal;
                std::printf("ILLEGAL move %s by LEVEL%d in game %d after '%s'\n",
                            formatMove(m).c_str(), aToMove ? o.levelA : o.levelB, game + 1,
                            line.c_str());
                result = aToMove ? 0 : 1;
                reason = "illegal";
                break;
            }
            playComputerMove(g, silent, m);
            ++plies;
            if (g.WINNER != NO_SIDE) {
                result = aToMove ? 1 : 0;
                reason = "king";
                break;
            }
            passTurn(g);
        }
        ++bySide[aLower ? 0 : 1][result == 1 ? 0 : (result == 0 ? 1 : 2)];
        if (result == 1)
            ++wins;
        else if (result == 0)
            ++losses;
        else
            ++draws;
        if (!o.quiet)
            std::printf("game %d opening %d%s A=LEVEL%d %s: %s in %d plies (%s)\n", game + 1,
                        opening, chessHand ? " chess-hand" : "", o.levelA,
                        aLower ? "lower" : "upper",
                        result == 1 ? "1-0" : (result == 0 ? "0-1" : "1/2"), plies, reason);
        std::fflush(stdout);
    }

    const int n = wins + losses + draws;
    const double score = (wins + 0.5 * draws) / n;
    const double variance = (wins * (1 - score) * (1 - score) +
                             draws * (0.5 - score) * (0.5 - score) + losses * score * score) /
                            n;
    const double margin = 1.96 * std::sqrt(variance / n);
    std::printf("games %d: LEVEL%d won %d, lost %d, drew %d (%d plies at most)\n", n, o.levelA,
                wins, losses, draws, o.maxPlies);
    std::printf("score %.3f +- %.3f (95%%: %.3f .. %.3f)\n", score, margin,
                std::max(0.0, score - margin), std::min(1.0, score + margin));
    std::printf("elo %s (95%%: %s .. %s)\n", eloText(score).c_str(),
                eloText(score - margin).c_str(), eloText(score + margin).c_str());
    std::printf("draws %d\n", draws);
    std::printf(
        "LEVEL%d with the lower army: won %d, lost %d, drew %d; with the upper army: won %d, "
        "lost %d, drew %d\n",
        o.levelA, bySide[0][0], bySide[0][1], bySide[0][2], bySide[1][0], bySide[1][1],
        bySide[1][2]);
    printPlayer("A", o.levelA, o.depthA, figA);
    printPlayer("B", o.levelB, o.depthB, figB);
    std::printf("illegal moves %d (every move checked against the legal moves)\n", illegal);
    return illegal == 0 ? 0 : 1;
}

}  // namespace zorvan::cli
