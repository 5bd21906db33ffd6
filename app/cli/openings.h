// Opening lines for matches and the benchmark: a built-in set (short quiet lines from the start,
// the same on every machine) and lines read from a file.
#pragma once

#include <string>
#include <vector>

namespace zorvan::cli {

// The built-in opening `index` (0, 1, 2, ...): four plies of board moves without captures, drawn
// from the start position by a fixed pseudo-random sequence. Any index gives a line; the same
// index always the same line.
std::string builtInOpening(int index, bool chessHand);

// Move lines of a file, one per line; blank lines and lines starting with '#' are skipped.
// Returns false (with the reason in `error`) when the file cannot be read.
bool readOpenings(const std::string& path, std::vector<std::string>& lines, std::string& error);

}  // namespace zorvan::cli
