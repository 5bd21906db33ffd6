// A search asked for and answered in text, for a front end that runs the stronger computer
// somewhere else than the game (the page's Web Worker, which holds its own copy of the core): the
// position's fields the search reads and the limits, and the answer.
//
// The search reads of a GameState only the board, both hands, whose turn it is, which side is
// below, the winner, the chess side's hand switch and the last move (for en passant): a request
// carries these, and a GameState set up from it searches exactly as the original does.
#pragma once

#include <string>
#include <string_view>

#include "model/game_state.h"
#include "search/think.h"

namespace zorvan::search {

// The request for a search of `g` within `limits` (their stop flag and weights stay behind: the
// one who searches elsewhere stops it there, and the built-in weights are used).
std::string encodeRequest(const GameState& g, const Limits& limits);

// Sets up `g` (which it resets) and `limits` from a request. False, leaving them undefined, when
// `text` is not a well-formed request.
bool decodeRequest(std::string_view text, GameState& g, Limits& limits);

std::string encodeResult(const Result& r);
// False, leaving `r` undefined, when `text` is not a well-formed answer.
bool decodeResult(std::string_view text, Result& r);

}  // namespace zorvan::search
