#include <cstdio>
#include <string>

#include "cli.h"

namespace {

void usage() {
    std::fputs(
        "usage: zorvan-cli <command> [options]\n"
        "commands:\n"
        "  show      print the position\n",
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
    usage();
    return 2;
}
