#include "rules/promotion.h"

#include "rules/move_check.h"

namespace zorvan {

int promotedCode(int fromX, int fromY, int /*toX*/, int toY, int code) {
    if (isHandColumn(fromX)) return EMPTY;
    switch (code) {
        case -HU:
        case -KYOU:
        case -KEI:
            return toY <= 3 ? code - 1 : EMPTY;
        case -GIN:
        case -KAKU:
        case -SYA:
            return (toY <= 3 || fromY <= 3) ? code - 1 : EMPTY;
        case +HU:
        case +KYOU:
        case +KEI:
            return toY >= 7 ? code + 1 : EMPTY;
        case +GIN:
        case +KAKU:
        case +SYA:
            return (toY >= 7 || fromY >= 7) ? code + 1 : EMPTY;
        case +PORN:
            return toY >= 8 ? +QEEN : EMPTY;
        case -PORN:
            return toY <= 2 ? -QEEN : EMPTY;
        default:
            return EMPTY;
    }
}

int 調査_駒成(GameState& g, int fromX, int fromY, int toX, int toY, int code) {
    const int promoted = promotedCode(fromX, fromY, toX, toY, code);
    if (promoted == EMPTY) return OFF;
    g.PROMOTE_CODE = promoted;
    return ON;
}

int 移動後チェック(const GameState& /*g*/, int toY, int code) {
    switch (code) {
        case +HU:
        case +KYOU:
        case +PORN:
            return toY == 9 ? OFF : ON;
        case +KEI:
            return toY >= 8 ? OFF : ON;
        case -HU:
        case -KYOU:
        case -PORN:
            return toY == 1 ? OFF : ON;
        case -KEI:
            return toY <= 2 ? OFF : ON;
        default:
            return ON;
    }
}

int 調査_駒成人選(const GameState& /*g*/, int /*fromX*/, int /*fromY*/, int /*toX*/, int toY,
                  int code) {
    if (code == -PORN) return toY <= 2 ? ON : OFF;
    if (code == +PORN) return toY >= 8 ? ON : OFF;
    return OFF;
}

}  // namespace zorvan
