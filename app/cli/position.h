// The position options every subcommand takes:
//   --moves "m1 m2 ..."  moves played from the start, in the game's notation
//   --chess-hand         the option "ﾁｪｽ側持駒OK" is on (the chess army may drop)
//   --record FILE --at N the position after N moves of a record file (then --moves go on)
// The start is the standard position after the new-game reset with a game between persons
// started (the side that owns 王 to move).
#pragma once

#include "cli.h"
#include "model/game_state.h"
#include "records/record_file.h"

namespace zorvan::cli {

// Reads the position options out of `args`, leaving every other argument, in order, in `rest`,
// and sets up `g`: the start, the options, then the moves, each played as a game between persons
// plays it. Returns 0 on success; otherwise prints the reason on stderr and returns the exit
// status (2), e.g. "illegal move 5755 at ply 1" for a move that is not legal where it is played.
int setUpPosition(const Args& args, GameState& g, Args& rest);

// Loads the snapshots of a record file into the history tables of `g`; `moves` is their number.
// Returns 0, or prints the reason and returns 2.
int loadRecordFile(const std::string& path, GameState& g, int& moves);

// Writes the game's snapshots 1..RECORD_END to a record file. Returns 0, or prints the reason
// and returns 2.
int saveRecordFile(const std::string& path, const GameState& g, const RecordNames& names);

// Prints "zorvan-cli: <message>" on stderr and returns the exit status of a usage error (2).
int usageError(const std::string& message);

}  // namespace zorvan::cli
