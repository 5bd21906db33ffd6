// The search's own position: a padded 13×13 mailbox of the game's signed piece codes, both hands,
// the side to move, the en passant square and the drop permissions, with make/unmake that keep a
// Zobrist key and the material-and-placement score up to date as they go.
//
// Squares: sq(x, y) for the board's x, y in 1..9; two rings of OFF squares around it stop sliders
// and knight jumps. Side 0 is the lower army (negative codes), side 1 the upper (positive codes).
#pragma once

#include <array>
#include <cstdint>

#include "model/game_state.h"
#include "rules/legal_moves.h"

namespace zorvan::search {

constexpr int BOARD_W = 13;
constexpr int SQUARES = BOARD_W * BOARD_W;
constexpr int OFF_BOARD = 100;  // the code of a square outside the board

constexpr int sq(int x, int y) {
    return (y + 1) * BOARD_W + (x + 1);
}
constexpr int fileOf(int s) {
    return s % BOARD_W - 1;
}
constexpr int rankOf(int s) {
    return s / BOARD_W - 1;
}

// Index 0..80 of a board square (x - 1 + 9 * (y - 1)), for the occupancy bit sets.
constexpr int index81(int s) {
    return fileOf(s) - 1 + 9 * (rankOf(s) - 1);
}
constexpr int square81(int i) {
    return sq(i % 9 + 1, i / 9 + 1);
}

constexpr int LOWER = 0;
constexpr int UPPER = 1;

// Sign of a side's codes and the side of a code.
constexpr int sideSign(int side) {
    return side == UPPER ? 1 : -1;
}
constexpr int sideOfCode(int code) {
    return code > 0 ? UPPER : LOWER;
}
constexpr int absKind(int code) {
    return code < 0 ? -code : code;
}

// A move in 32 bits: target square, origin square (0 for a drop), the kind the piece has after the
// move and the hand slot of a drop (0 for a board move). 0 is "no move".
using SMove = std::uint32_t;

constexpr SMove makeBoardMove(int from, int to, int kindAfter) {
    return static_cast<SMove>(to) | (static_cast<SMove>(from) << 8) |
           (static_cast<SMove>(kindAfter) << 16);
}
constexpr SMove makeDrop(int slot, int to, int kind) {
    return static_cast<SMove>(to) | (static_cast<SMove>(kind) << 16) |
           (static_cast<SMove>(slot) << 21);
}
constexpr int moveTo(SMove m) {
    return static_cast<int>(m & 0xFF);
}
constexpr int moveFrom(SMove m) {
    return static_cast<int>((m >> 8) & 0xFF);
}
constexpr int moveKind(SMove m) {
    return static_cast<int>((m >> 16) & 0x1F);
}
constexpr int moveSlot(SMove m) {
    return static_cast<int>((m >> 21) & 0xF);
}
constexpr bool isDropMove(SMove m) {
    return moveSlot(m) != 0;
}

// What unmake needs to put a move back.
struct Undo {
    std::uint64_t key;
    int score;
    int ep;
    int moved;             // code on the origin before the move
    int captured;          // code taken on the target (or the passed pawn of an en passant step)
    int capturedSq;        // where it stood
    int rookFrom, rookTo;  // castling rook, 0 when none
    bool over;
};

struct Position {
    std::array<std::int8_t, SQUARES> board{};
    std::array<std::array<std::uint8_t, HAND_SLOTS + 1>, 2> hand{};  // [side][slot]
    std::array<std::array<std::uint8_t, 10>, 2> huOnFile{};          // unpromoted 歩 per file
    std::array<std::array<bool, HAND_SLOTS + 1>, 2> mayDrop{};       // hand slots a side may use
    std::array<int, 2> kingSq{};                                     // 0 when a side has no king
    std::array<std::array<std::uint64_t, 2>, 2> occ{};  // [side]: squares 0..63, 64..80

    void setOcc(int side, int s) {
        const int i = index81(s);
        occ[static_cast<size_t>(side)][static_cast<size_t>(i >> 6)] |= std::uint64_t{1} << (i & 63);
    }
    void clearOcc(int side, int s) {
        const int i = index81(s);
        occ[static_cast<size_t>(side)][static_cast<size_t>(i >> 6)] &=
            ~(std::uint64_t{1} << (i & 63));
    }
    int side = LOWER;   // to move
    int ep = 0;         // target of the last move when it moved a chess pawn, else 0
    bool over = false;  // a king has been captured
    std::uint64_t key = 0;
    int score = 0;  // material and placement, from the upper side's point of view

    // Builds the position of `g` (its side to move, hands, options and last move).
    void set(const GameState& g);

    void make(SMove m, Undo& u);
    void unmake(SMove m, const Undo& u);

    // Passes the move (for null-move pruning); undone by unmakeNull.
    void makeNull(Undo& u);
    void unmakeNull(const Undo& u);

    // The key computed from scratch (tests compare it with the running one).
    std::uint64_t computeKey() const;
    int computeScore() const;

    // The move as the rules engine writes it.
    Move toRulesMove(SMove m) const;
};

// Zobrist keys and material tables, filled once.
const std::array<std::uint64_t, SQUARES * 41>& squareKeys();
int pieceValue(int kind);  // centipawns on the board
int handValue(int slot);   // centipawns of a piece in hand for a side that may drop it
// Placement bonus of a code on a square, from its owner's point of view.
int placement(int code, int s);

}  // namespace zorvan::search
