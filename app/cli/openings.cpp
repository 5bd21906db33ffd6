#include "openings.h"

#include <fstream>

#include "play/line_play.h"

namespace zorvan::cli {

namespace {

constexpr int OPENING_PLIES = 4;

// A small fixed generator (the standard library's distributions differ between libraries).
struct Lcg {
    unsigned long long state;
    unsigned next(unsigned bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<unsigned>((state >> 33) % bound);
    }
};

}  // namespace

std::string builtInOpening(int index, bool chessHand) {
    GameState g;
    startGameBetweenPersons(g);
    g.checks.CHESS_MOCHIKOMA = chessHand;
    Drawing silent(g);
    Lcg rng{0x5EED0000ull + static_cast<unsigned long long>(index) * 7919ull};
    std::string line;
    MoveList moves;
    MoveList quiet;
    for (int ply = 0; ply < OPENING_PLIES; ++ply) {
        generateLegalMoves(g, moves);
        quiet.clear();
        for (const Move& m : moves)
            if (!m.isDrop() && !m.promotes() && g.BOARD[m.toX][m.toY] == EMPTY &&
                kindOf(m.codeBefore) != KING && kindOf(m.codeBefore) != OU)
                quiet.push(m);
        if (quiet.size == 0) break;
        const Move& m = quiet[static_cast<int>(rng.next(static_cast<unsigned>(quiet.size)))];
        if (!line.empty()) line += ' ';
        line += formatMove(m);
        playMove(g, silent, m);
    }
    return line;
}

bool readOpenings(const std::string& path, std::vector<std::string>& lines, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        lines.push_back(line.substr(first));
    }
    if (lines.empty()) {
        error = path + " holds no opening line";
        return false;
    }
    return true;
}

}  // namespace zorvan::cli
