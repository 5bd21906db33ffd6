#include "search/position.h"

namespace zorvan::search {

namespace {

constexpr int HAND_MAX = 64;  // hand counts beyond this share the last key

struct Keys {
    std::array<std::uint64_t, SQUARES * 41> square{};
    std::array<std::array<std::array<std::uint64_t, HAND_MAX>, HAND_SLOTS + 1>, 2> hand{};
    std::array<std::uint64_t, SQUARES> ep{};
    std::uint64_t side = 0;

    Keys() {
        std::uint64_t s = 0x9E3779B97F4A7C15ull;
        auto next = [&s] {
            // splitmix64: a fixed sequence, so keys (and node counts) are the same on every run.
            std::uint64_t z = (s += 0x9E3779B97F4A7C15ull);
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            return z ^ (z >> 31);
        };
        for (auto& k : square) k = next();
        for (auto& bySide : hand)
            for (auto& bySlot : bySide)
                for (auto& k : bySlot) k = next();
        for (auto& k : ep) k = next();
        side = next();
    }
};

const Keys& keys() {
    static const Keys k;
    return k;
}

// Centipawn values of the kinds on the board, index = kind.
constexpr std::array<int, KIND_COUNT + 1> kValue = {
    0,    // EMPTY
    90,   // HU
    480,  // HU_N
    100,  // PORN
    260,  // KYOU
    470,  // KYOU_N
    300,  // KEI
    470,  // KEI_N
    500,  // ROOK
    420,  // GIN
    460,  // GIN_N
    320,  // KNIG
    330,  // BISH
    480,  // KIN
    600,  // KAKU
    850,  // KAKU_N
    700,  // SYA
    980,  // SYA_N
    950,  // QEEN
    0,    // KING
    0,    // OU
};

// Value of a piece in hand, index = slot: a drop puts it anywhere, so it is worth a little more
// than the same piece on the board.
constexpr std::array<int, HAND_SLOTS + 1> kHandValue = {0,   110, 560, 360, 370, 1000, 120,
                                                        300, 340, 470, 520, 680, 800};

constexpr int absInt(int v) {
    return v < 0 ? -v : v;
}

std::uint64_t handKey(int side, int slot, int count) {
    return keys().hand[static_cast<size_t>(side)][static_cast<size_t>(slot)]
                      [static_cast<size_t>(count < HAND_MAX ? count : HAND_MAX - 1)];
}

int handScore(const Position& p, int side, int slot, int count) {
    const int v = p.mayDrop[static_cast<size_t>(side)][static_cast<size_t>(slot)]
                      ? kHandValue[static_cast<size_t>(slot)]
                      : 0;
    return sideSign(side) * v * count;
}

}  // namespace

const std::array<std::uint64_t, SQUARES * 41>& squareKeys() {
    return keys().square;
}

int pieceValue(int kind) {
    return kValue[static_cast<size_t>(kind)];
}

int handValue(int slot) {
    return kHandValue[static_cast<size_t>(slot)];
}

int placement(int code, int s) {
    const int x = fileOf(s);
    const int y = rankOf(s);
    const int advance = code < 0 ? 9 - y : y - 1;  // 0 on the own back rank
    const int centre = 4 - absInt(x - 5);
    switch (absKind(code)) {
        case HU:
            return 4 * advance;
        case PORN:
            return 5 * advance + (advance >= 5 ? 15 * (advance - 4) : 0);
        case KEI:
        case KNIG:
            return 6 * centre + 3 * advance;
        case GIN:
        case KIN:
            return 3 * centre + 3 * advance;
        case HU_N:
        case KYOU_N:
        case KEI_N:
        case GIN_N:
            return 3 * centre + 5 * advance;
        case KING:
        case OU:
            return -8 * advance;
        case KYOU:
            return 0;
        default:
            return 2 * centre + advance;
    }
}

namespace {

// Puts a code on an empty square, keeping key, score, king squares and 歩 files.
inline void put(Position& p, int s, int code) {
    p.board[static_cast<size_t>(s)] = static_cast<std::int8_t>(code);
    p.setOcc(sideOfCode(code), s);
    p.key ^= keys().square[static_cast<size_t>(s * 41 + code + 20)];
    const int kind = absKind(code);
    const int side = sideOfCode(code);
    p.score += sideSign(side) * (kValue[static_cast<size_t>(kind)] + placement(code, s));
    if (kind == HU) ++p.huOnFile[static_cast<size_t>(side)][static_cast<size_t>(fileOf(s))];
    if (kind == KING || kind == OU) p.kingSq[static_cast<size_t>(side)] = s;
}

// Takes the code off a square (the square becomes empty).
inline void take(Position& p, int s) {
    const int code = p.board[static_cast<size_t>(s)];
    p.board[static_cast<size_t>(s)] = EMPTY;
    p.clearOcc(sideOfCode(code), s);
    p.key ^= keys().square[static_cast<size_t>(s * 41 + code + 20)];
    const int kind = absKind(code);
    const int side = sideOfCode(code);
    p.score -= sideSign(side) * (kValue[static_cast<size_t>(kind)] + placement(code, s));
    if (kind == HU) --p.huOnFile[static_cast<size_t>(side)][static_cast<size_t>(fileOf(s))];
}

inline void addHand(Position& p, int side, int slot, int delta) {
    auto& count = p.hand[static_cast<size_t>(side)][static_cast<size_t>(slot)];
    if (count) p.key ^= handKey(side, slot, count);
    p.score -= handScore(p, side, slot, count);
    count = static_cast<std::uint8_t>(count + delta);
    if (count) p.key ^= handKey(side, slot, count);
    p.score += handScore(p, side, slot, count);
}

inline void setEp(Position& p, int s) {
    if (p.ep) p.key ^= keys().ep[static_cast<size_t>(p.ep)];
    p.ep = s;
    if (p.ep) p.key ^= keys().ep[static_cast<size_t>(p.ep)];
}

// Files a captured code into the captor's hand, or ends the game for a king.
inline void capture(Position& p, int code) {
    const int kind = absKind(code);
    if (kind == KING || kind == OU) {
        p.over = true;
        return;
    }
    addHand(p, 1 - sideOfCode(code), handSlotOf(code), +1);
}

}  // namespace

void Position::set(const GameState& g) {
    board.fill(static_cast<std::int8_t>(OFF_BOARD));
    for (auto& h : hand) h.fill(0);
    for (auto& f : huOnFile) f.fill(0);
    kingSq = {0, 0};
    occ = {};
    key = 0;
    score = 0;
    ep = 0;
    for (int slot = 1; slot <= HAND_SLOTS; ++slot) {
        mayDrop[LOWER][static_cast<size_t>(slot)] = mayUseHandSlot(g, Side::Lower, slot);
        mayDrop[UPPER][static_cast<size_t>(slot)] = mayUseHandSlot(g, Side::Upper, slot);
    }
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            board[static_cast<size_t>(sq(x, y))] = EMPTY;
            if (g.BOARD[x][y] != EMPTY && isValidPiece(g.BOARD[x][y]))
                put(*this, sq(x, y), g.BOARD[x][y]);
        }
    for (int slot = 1; slot <= HAND_SLOTS; ++slot) {
        const int own = g.OWN_HAND[slot] > 0 ? g.OWN_HAND[slot] : 0;
        const int enemy = g.ENEMY_HAND[slot] > 0 ? g.ENEMY_HAND[slot] : 0;
        if (own) addHand(*this, LOWER, slot, own);
        if (enemy) addHand(*this, UPPER, slot, enemy);
    }
    side = sideToMove(g) == Side::Upper ? UPPER : LOWER;
    if (side == UPPER) key ^= keys().side;
    over = g.WINNER != NO_SIDE || sideToMove(g) == Side::None;
    const int n = g.MOVE_NO;
    if (n >= 0 && static_cast<size_t>(n) < g.MOVE_CODE.size() &&
        g.MOVE_CODE[static_cast<size_t>(n)] == -sideSign(side) * PORN) {
        const int x = g.MOVE_TO_X[static_cast<size_t>(n)];
        const int y = g.MOVE_TO_Y[static_cast<size_t>(n)];
        if (onBoard(x, y)) setEp(*this, sq(x, y));
    }
}

void Position::make(SMove m, Undo& u) {
    u.key = key;
    u.score = score;
    u.ep = ep;
    u.over = over;
    u.captured = EMPTY;
    u.capturedSq = 0;
    u.rookFrom = u.rookTo = 0;
    const int to = moveTo(m);
    const int sign = sideSign(side);
    const int after = sign * moveKind(m);
    int newEp = 0;
    if (isDropMove(m)) {
        addHand(*this, side, moveSlot(m), -1);
        put(*this, to, after);
        if (absKind(after) == PORN) newEp = to;
    } else {
        const int from = moveFrom(m);
        const int before = board[static_cast<size_t>(from)];
        u.moved = before;
        const int target = board[static_cast<size_t>(to)];
        if (target != EMPTY) {
            u.captured = target;
            u.capturedSq = to;
            take(*this, to);
            capture(*this, target);
        }
        take(*this, from);
        const int kind = absKind(before);
        const int dx = fileOf(to) - fileOf(from);
        if (kind == PORN) {
            if (target == EMPTY && dx != 0) {    // en passant: the passed pawn goes into the hand
                const int passedSq = from + dx;  // beside the origin, on the target's file
                const int passed = board[static_cast<size_t>(passedSq)];
                if (passed == -sign * PORN) {
                    u.captured = passed;
                    u.capturedSq = passedSq;
                    take(*this, passedSq);
                    capture(*this, passed);
                }
            }
        } else if (kind == KING && (dx == 2 || dx == -2)) {
            const int y = rankOf(from);
            int rf, rt;
            if (before > 0) {
                rf = fileOf(to) == 8 ? 9 : 2;
                rt = fileOf(to) == 8 ? 7 : 5;
            } else {
                rf = fileOf(to) == 6 ? 8 : 1;
                rt = fileOf(to) == 6 ? 5 : 3;
            }
            u.rookFrom = sq(rf, y);
            u.rookTo = sq(rt, y);
            const int rook = board[static_cast<size_t>(u.rookFrom)];
            take(*this, u.rookFrom);
            put(*this, u.rookTo, rook);
        }
        put(*this, to, after);
        if (absKind(after) == PORN) newEp = to;
    }
    setEp(*this, newEp);
    side ^= 1;
    key ^= keys().side;
}

void Position::unmake(SMove m, const Undo& u) {
    side ^= 1;
    const size_t me = static_cast<size_t>(side);
    const size_t them = static_cast<size_t>(1 - side);
    const int to = moveTo(m);
    const int after = board[static_cast<size_t>(to)];
    board[static_cast<size_t>(to)] = EMPTY;
    clearOcc(side, to);
    if (absKind(after) == HU) --huOnFile[me][static_cast<size_t>(fileOf(to))];
    if (isDropMove(m)) {
        ++hand[me][static_cast<size_t>(moveSlot(m))];
    } else {
        const int from = moveFrom(m);
        board[static_cast<size_t>(from)] = static_cast<std::int8_t>(u.moved);
        setOcc(side, from);
        const int kind = absKind(u.moved);
        if (kind == HU) ++huOnFile[me][static_cast<size_t>(fileOf(from))];
        if (kind == KING || kind == OU) kingSq[me] = from;
        if (u.rookFrom) {
            board[static_cast<size_t>(u.rookFrom)] = board[static_cast<size_t>(u.rookTo)];
            board[static_cast<size_t>(u.rookTo)] = EMPTY;
            setOcc(side, u.rookFrom);
            clearOcc(side, u.rookTo);
        }
        if (u.captured != EMPTY) {
            board[static_cast<size_t>(u.capturedSq)] = static_cast<std::int8_t>(u.captured);
            setOcc(1 - side, u.capturedSq);
            const int ck = absKind(u.captured);
            if (ck == HU) ++huOnFile[them][static_cast<size_t>(fileOf(u.capturedSq))];
            if (ck == KING || ck == OU)
                kingSq[them] = u.capturedSq;
            else
                --hand[me][static_cast<size_t>(handSlotOf(u.captured))];
        }
    }
    key = u.key;
    score = u.score;
    ep = u.ep;
    over = u.over;
}

void Position::makeNull(Undo& u) {
    u.key = key;
    u.score = score;
    u.ep = ep;
    u.over = over;
    setEp(*this, 0);
    side ^= 1;
    key ^= keys().side;
}

void Position::unmakeNull(const Undo& u) {
    side ^= 1;
    key = u.key;
    ep = u.ep;
}

std::uint64_t Position::computeKey() const {
    std::uint64_t k = 0;
    for (int s = 0; s < SQUARES; ++s) {
        const int code = board[static_cast<size_t>(s)];
        if (code != EMPTY && code != OFF_BOARD)
            k ^= keys().square[static_cast<size_t>(s * 41 + code + 20)];
    }
    for (int sd = 0; sd < 2; ++sd)
        for (int slot = 1; slot <= HAND_SLOTS; ++slot)
            if (const int c = hand[static_cast<size_t>(sd)][static_cast<size_t>(slot)])
                k ^= handKey(sd, slot, c);
    if (ep) k ^= keys().ep[static_cast<size_t>(ep)];
    if (side == UPPER) k ^= keys().side;
    return k;
}

int Position::computeScore() const {
    int total = 0;
    for (int s = 0; s < SQUARES; ++s) {
        const int code = board[static_cast<size_t>(s)];
        if (code != EMPTY && code != OFF_BOARD)
            total += sideSign(sideOfCode(code)) *
                     (kValue[static_cast<size_t>(absKind(code))] + placement(code, s));
    }
    for (int sd = 0; sd < 2; ++sd)
        for (int slot = 1; slot <= HAND_SLOTS; ++slot)
            total += handScore(*this, sd, slot,
                               hand[static_cast<size_t>(sd)][static_cast<size_t>(slot)]);
    return total;
}

Move Position::toRulesMove(SMove m) const {
    Move r;
    const int sign = sideSign(side);
    r.toX = fileOf(moveTo(m));
    r.toY = rankOf(moveTo(m));
    r.codeAfter = sign * moveKind(m);
    if (isDropMove(m)) {
        r.fromX = side == LOWER ? LOWER_HAND_COLUMN : UPPER_HAND_COLUMN;
        r.fromY = moveSlot(m);
        r.codeBefore = r.codeAfter;
    } else {
        r.fromX = fileOf(moveFrom(m));
        r.fromY = rankOf(moveFrom(m));
        r.codeBefore = board[static_cast<size_t>(moveFrom(m))];
    }
    return r;
}

}  // namespace zorvan::search
