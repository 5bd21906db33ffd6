#include "model/piece.h"

#include <array>

#include "text/catalogue.h"

namespace zorvan {

namespace {

// Kind filed in each hand slot, index = slot.
constexpr std::array<int, HAND_SLOTS + 1> kSlotKind = {0,    PORN, ROOK, KNIG, BISH, QEEN, HU,
                                                       KYOU, KEI,  GIN,  KIN,  KAKU, SYA};

// Hand slot of each kind, index = kind; 0 for the kings.
constexpr std::array<int, KIND_COUNT + 1> kKindSlot = {
    0,   // EMPTY
    6,   // HU
    6,   // HU_N
    1,   // PORN
    7,   // KYOU
    7,   // KYOU_N
    8,   // KEI
    8,   // KEI_N
    2,   // ROOK
    9,   // GIN
    9,   // GIN_N
    3,   // KNIG
    4,   // BISH
    10,  // KIN
    11,  // KAKU
    11,  // KAKU_N
    12,  // SYA
    12,  // SYA_N
    5,   // QEEN
    0,   // KING
    0,   // OU
};

// The pieces' names in the game's move texts; other languages write their letters (see
// ui/move_text.h).
constexpr std::array<Msg, KIND_COUNT + 1> kDisplay = {
    // TRANSLATORS: "piece": the piece's letter in a move text (P77-76, Ⓝ*55): P L N S G B R K,
    // +P +L +N +S D H for the shogi army; the chess army's letters circled so they differ.
    Msg{nullptr, ""},        NC_("piece", "歩"),   NC_("piece", "と"),   NC_("piece", "ポーン"),
    NC_("piece", "香"),      NC_("piece", "香成"), NC_("piece", "桂"),   NC_("piece", "桂成"),
    NC_("piece", "ルーク"),  NC_("piece", "銀"),   NC_("piece", "銀成"), NC_("piece", "ナイト"),
    NC_("piece", "ﾋﾞｼｮｯﾌﾟ"), NC_("piece", "金"),   NC_("piece", "角"),   NC_("piece", "角成"),
    NC_("piece", "飛"),      NC_("piece", "飛成"), NC_("piece", "ｸｲｰﾝ"), NC_("piece", "キング"),
    NC_("piece", "王")};

constexpr std::array<std::string_view, KIND_COUNT + 1> kNames = {
    "",     "HU",   "HU_N", "PORN", "KYOU",   "KYOU_N", "KEI",   "KEI_N", "ROOK", "GIN", "GIN_N",
    "KNIG", "BISH", "KIN",  "KAKU", "KAKU_N", "SYA",    "SYA_N", "QEEN",  "KING", "OU"};

}  // namespace

int handSlotOf(int code) {
    if (!isValidPiece(code)) return 0;
    return kKindSlot[static_cast<size_t>(kindOf(code))];
}

int slotKind(int slot) {
    if (slot < 1 || slot > HAND_SLOTS) return 0;
    return kSlotKind[static_cast<size_t>(slot)];
}

std::string_view displayText(int code) {
    if (!isValidPiece(code)) return {};
    return kDisplay[static_cast<size_t>(kindOf(code))].id;
}

std::string_view kindName(int kind) {
    if (kind < 1 || kind > KIND_COUNT) return {};
    return kNames[static_cast<size_t>(kind)];
}

}  // namespace zorvan
