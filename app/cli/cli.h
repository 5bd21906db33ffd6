// zorvan-cli: a headless front end over the game core. Each subcommand lives in its own file.
#pragma once

#include <string>
#include <vector>

namespace zorvan::cli {

using Args = std::vector<std::string>;

// Subcommands: take the arguments after the subcommand's name, return the exit status.
int runShow(const Args& args);      // show [position options]
int runPerft(const Args& args);     // perft DEPTH [--divide] [position options]
int runSurvey(const Args& args);    // survey [position options]
int runBestmove(const Args& args);  // bestmove [--level L] [--scores] [position options]
int runSelfplay(const Args& args);  // selfplay [--level L] [--lower-level L] [--max-moves N] ...
int runBench(const Args& args);     // bench
int runMatch(const Args& args);     // match --level A --against B [--games N] ...

int runRecord(
    const Args& args);  // record FILE [--name N] [--sente S] [--gote G] [position options]
int runArt(const Args& args);  // art --json [--out FILE]

}  // namespace zorvan::cli
