// Piece codes of both armies and the small helpers every layer needs.
//
// A code is a signed integer: its magnitude is the kind, its sign the owner (negative = the lower
// side at the bottom of the window, positive = the upper side). EMPTY (0) is an empty square.
// The magnitude doubles as the piece's value in the computer's evaluation.
#pragma once

#include <string_view>

namespace zorvan {

// Yes/no answers of the rule procedures.
constexpr int ON = 1;
constexpr int OFF = 0;

constexpr int EMPTY = 0;

// Piece kinds (magnitudes). A promoted shogi piece is its base kind + 1.
constexpr int HU = 1;       // shogi pawn
constexpr int HU_N = 2;     // promoted pawn (tokin)
constexpr int PORN = 3;     // chess pawn
constexpr int KYOU = 4;     // lance
constexpr int KYOU_N = 5;   // promoted lance
constexpr int KEI = 6;      // shogi knight
constexpr int KEI_N = 7;    // promoted shogi knight
constexpr int ROOK = 8;     // chess rook
constexpr int GIN = 9;      // silver
constexpr int GIN_N = 10;   // promoted silver
constexpr int KNIG = 11;    // chess knight
constexpr int BISH = 12;    // chess bishop
constexpr int KIN = 13;     // gold
constexpr int KAKU = 14;    // shogi bishop
constexpr int KAKU_N = 15;  // promoted shogi bishop (horse)
constexpr int SYA = 16;     // shogi rook
constexpr int SYA_N = 17;   // promoted shogi rook (dragon)
constexpr int QEEN = 18;    // chess queen
constexpr int KING = 19;    // chess king
constexpr int OU = 20;      // shogi king

constexpr int KIND_COUNT = 20;
constexpr int HAND_SLOTS = 12;  // hand slots 1..12; slot 0 never holds pieces

// Players. The side owning the shogi king moves first.
constexpr int SENTE = 1;
constexpr int GOTE = -1;
constexpr int NO_SIDE = 0;

// Hand columns of the grid: a drop is a move from one of these columns, y = the hand slot.
constexpr int LOWER_HAND_COLUMN = 11;
constexpr int UPPER_HAND_COLUMN = -1;

enum class Side { None, Lower, Upper };

// Owner of a code: lower for codes <= -1, upper for codes >= 1.
constexpr Side ownerOf(int code) {
    return code <= -1 ? Side::Lower : (code >= 1 ? Side::Upper : Side::None);
}

// Kind (magnitude) of a code.
constexpr int kindOf(int code) {
    return code < 0 ? -code : code;
}

// True for every code that names a piece of either side (±1..±20).
constexpr bool isValidPiece(int code) {
    return code != 0 && kindOf(code) <= KIND_COUNT;
}

// Sign of a side's codes: -1 for the lower side, +1 for the upper side.
constexpr int signOf(Side side) {
    return side == Side::Lower ? -1 : (side == Side::Upper ? 1 : 0);
}

// Hand slot in which a captured code is filed (a promoted shogi piece under its base kind);
// 0 for kings, EMPTY and anything that is not a piece.
int handSlotOf(int code);

// Kind held in a hand slot (PORN, ROOK, KNIG, BISH, QEEN, HU, KYOU, KEI, GIN, KIN, KAKU, SYA);
// 0 for a slot outside 1..12.
int slotKind(int slot);

// Code a side drops from a hand slot: the slot's kind with the side's sign.
inline int dropCode(Side side, int slot) {
    return signOf(side) * slotKind(slot);
}

// The game's display text of a code's kind ("歩", "ポーン", "ｸｲｰﾝ", ...); empty for EMPTY.
std::string_view displayText(int code);

// Short Latin name of a kind used by the command-line notation ("HU", "QEEN", ...).
std::string_view kindName(int kind);

// True for the shogi kinds that may promote (歩 香 桂 銀 角 飛) when unpromoted.
constexpr bool isPromotableShogi(int kind) {
    return kind == HU || kind == KYOU || kind == KEI || kind == GIN || kind == KAKU || kind == SYA;
}

}  // namespace zorvan
