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
        "  bestmove [--level 1..5] [--scores] [--movetime MS] [--depth D]\n"
        "           [--request | --answer]\n"
        "                              the computer's move for the side to move (levels 4/5:\n"
        "                              --request prints the search request the page's worker\n"
        "                              takes, --answer the answer as the worker gives it)\n"
        "  selfplay [--level L] [--lower-level L] [--max-moves N] [--save FILE]\n"
        "                              the computer plays both sides (levels 1..5)\n"
        "  match --level A --against B [--games N] [--openings FILE] [--movetime MS]\n"
        "        [--against-movetime MS] [--max-plies P] [--depth D] [--against-depth D]\n"
        "        [--threads T] [--against-threads T] [--first-opening K]\n"
        "        [--unsettled PCT] [--against-unsettled PCT]\n"
        "        [--chess-hand | --both-options] [--quiet]\n"
        "                              two levels play each opening with both colours\n"
        "  bench [--search [--depth D] [--threads T] [--requests]]\n"
        "                              time the computer's searches (--search: levels 4/5 only;\n"
        "                              --requests: print their requests for the page's worker)\n"
        "  record FILE [--name N] [--sente S] [--gote G]\n"
        "                              write the game to a record file\n"
        "  art --json [--out FILE]     the game's pictures as drawing steps (JSON)\n"
        "position options (every command):\n"
        "  --moves \"m1 m2 ...\"         play these moves from the start\n"
        "  --chess-hand                the chess army may drop from its hand\n"
        "  --record FILE --at N        start from move N of a record file\n",
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
    if (command == "bestmove") return zorvan::cli::runBestmove(args);
    if (command == "selfplay") return zorvan::cli::runSelfplay(args);
    if (command == "bench") return zorvan::cli::runBench(args);
    if (command == "match") return zorvan::cli::runMatch(args);
    if (command == "record") return zorvan::cli::runRecord(args);
    if (command == "art") return zorvan::cli::runArt(args);
    usage();
    return 2;
}
