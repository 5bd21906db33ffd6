#include <cstdio>
#include <string>

#include "cli.h"

namespace {

void usage() {
    std::fputs(
        "usage: zorvan-cli <command> [options]\n"
        "commands:\n"
        "  show                        print the position\n"
        "  perft DEPTH [--divide]      count the move tree to DEPTH plies\n"
        "  survey                      print the influence maps and the mate tests\n"
        "position options (every command):\n"
        "  --moves \"m1 m2 ...\"         play these moves from the start\n"
        "  --chess-hand                the chess army may drop from its hand\n",
        stderr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        usage();
        return 2;
    }
    const std::string command = argv[1];
    zorvan::cli::Args args(argv + 2, argv + argc);
    if (command == "show") return zorvan::cli::runShow(args);
    if (command == "perft") return zorvan::cli::runPerft(args);
    if (command == "survey") return zorvan::cli::runSurvey(args);
    usage();
    return 2;
}
