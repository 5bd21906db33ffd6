#include "play/perft.h"

#include <cinttypes>
#include <cstdio>

#include "cli.h"
#include "position.h"

namespace zorvan::cli {

namespace {

// A depth is a plain decimal number 0..PERFT_MAX_DEPTH; anything else gives -1.
int parseDepth(const std::string& text) {
    if (text.empty() || text.size() > 3) return -1;
    int depth = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        depth = depth * 10 + (c - '0');
    }
    return depth <= PERFT_MAX_DEPTH ? depth : -1;
}

}  // namespace

int runPerft(const Args& args) {
    GameState g;
    Args rest;
    if (const int status = setUpPosition(args, g, rest)) return status;

    bool divide = false;
    int depth = -1;
    for (const std::string& a : rest) {
        if (a == "--divide")
            divide = true;
        else if (depth < 0 && parseDepth(a) >= 0)
            depth = parseDepth(a);
        else
            return usageError("perft: unexpected argument '" + a + "'");
    }
    if (depth < 0)
        return usageError("perft: DEPTH (0.." + std::to_string(PERFT_MAX_DEPTH) + ") is missing");

    std::uint64_t nodes = 0;
    if (divide && depth > 0) {
        for (const PerftDivision& d : perftDivide(g, depth)) {
            std::printf("%s %" PRIu64 "\n", formatMove(d.move).c_str(), d.nodes);
            nodes += d.nodes;
        }
    } else {
        nodes = perft(g, depth);
    }
    std::printf("nodes %" PRIu64 "\n", nodes);
    return 0;
}

}  // namespace zorvan::cli
