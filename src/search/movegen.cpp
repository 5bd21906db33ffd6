#include "search/movegen.h"

#include <vector>

namespace zorvan::search {

namespace {

constexpr int off(int dx, int dy) {
    return dx + dy * BOARD_W;
}

// Offsets of the pieces, written for the lower side (forward = towards rank 1); the upper side's
// are the same with the rank turned round.
struct Offsets {
    int n = 0;
    std::array<int, 8> d{};
};

struct Tables {
    std::array<std::array<Offsets, KIND_COUNT + 1>, 2> steps{};
    std::array<std::array<Offsets, KIND_COUNT + 1>, 2> slides{};
    // For the attack test: every step offset any piece has, and the kinds stepping that way.
    std::vector<int> stepList;
    std::array<std::vector<std::array<bool, KIND_COUNT + 1>>, 2> stepKinds;
    std::array<int, 8> slideDirs{};
    std::array<std::array<std::array<bool, KIND_COUNT + 1>, 8>, 2> slideKinds{};
    std::array<std::array<int, SQUARES>, 2> relRank{};  // 1 = the far rank, 9 = the own back rank

    void addStep(int kind, int dx, int dy) {
        for (int side = 0; side < 2; ++side) {
            const int o = off(dx, side == LOWER ? dy : -dy);
            auto& s = steps[static_cast<size_t>(side)][static_cast<size_t>(kind)];
            s.d[static_cast<size_t>(s.n++)] = o;
        }
    }
    void addSlide(int kind, int dx, int dy) {
        for (int side = 0; side < 2; ++side) {
            const int o = off(dx, side == LOWER ? dy : -dy);
            auto& s = slides[static_cast<size_t>(side)][static_cast<size_t>(kind)];
            s.d[static_cast<size_t>(s.n++)] = o;
        }
    }

    Tables() {
        const int orth[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
        const int diag[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
        addStep(HU, 0, -1);
        addSlide(KYOU, 0, -1);
        addStep(KEI, -1, -2);
        addStep(KEI, 1, -2);
        for (auto [dx, dy] : {std::pair{-1, -1}, {0, -1}, {1, -1}, {-1, 1}, {1, 1}})
            addStep(GIN, dx, dy);
        for (int kind : {KIN, HU_N, KYOU_N, KEI_N, GIN_N})
            for (auto [dx, dy] : {std::pair{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {0, 1}})
                addStep(kind, dx, dy);
        for (const auto& d : diag) {
            addSlide(KAKU, d[0], d[1]);
            addSlide(BISH, d[0], d[1]);
            addSlide(KAKU_N, d[0], d[1]);
            addStep(SYA_N, d[0], d[1]);
            addSlide(QEEN, d[0], d[1]);
            addStep(OU, d[0], d[1]);
            addStep(KING, d[0], d[1]);
        }
        for (const auto& d : orth) {
            addSlide(SYA, d[0], d[1]);
            addSlide(ROOK, d[0], d[1]);
            addSlide(SYA_N, d[0], d[1]);
            addStep(KAKU_N, d[0], d[1]);
            addSlide(QEEN, d[0], d[1]);
            addStep(OU, d[0], d[1]);
            addStep(KING, d[0], d[1]);
        }
        for (auto [dx, dy] :
             {std::pair{1, 2}, {2, 1}, {-1, 2}, {-2, 1}, {1, -2}, {2, -1}, {-1, -2}, {-2, -1}})
            addStep(KNIG, dx, dy);

        for (int side = 0; side < 2; ++side)
            for (int kind = 1; kind <= KIND_COUNT; ++kind) {
                const auto& s = steps[static_cast<size_t>(side)][static_cast<size_t>(kind)];
                for (int i = 0; i < s.n; ++i) {
                    const int o = s.d[static_cast<size_t>(i)];
                    size_t idx = 0;
                    while (idx < stepList.size() && stepList[idx] != o) ++idx;
                    if (idx == stepList.size()) {
                        stepList.push_back(o);
                        for (auto& k : stepKinds) k.push_back({});
                    }
                    stepKinds[static_cast<size_t>(side)][idx][static_cast<size_t>(kind)] = true;
                }
            }
        int dir = 0;
        for (const auto& d : orth) slideDirs[static_cast<size_t>(dir++)] = off(d[0], d[1]);
        for (const auto& d : diag) slideDirs[static_cast<size_t>(dir++)] = off(d[0], d[1]);
        for (int side = 0; side < 2; ++side)
            for (int kind = 1; kind <= KIND_COUNT; ++kind) {
                const auto& s = slides[static_cast<size_t>(side)][static_cast<size_t>(kind)];
                for (int i = 0; i < s.n; ++i)
                    for (size_t k = 0; k < 8; ++k)
                        if (slideDirs[k] == s.d[static_cast<size_t>(i)])
                            slideKinds[static_cast<size_t>(side)][k][static_cast<size_t>(kind)] =
                                true;
            }
        for (int y = 1; y <= 9; ++y)
            for (int x = 1; x <= 9; ++x) {
                relRank[LOWER][static_cast<size_t>(sq(x, y))] = y;
                relRank[UPPER][static_cast<size_t>(sq(x, y))] = 10 - y;
            }
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

constexpr std::array<int, 4> kPawnChoices = {QEEN, ROOK, BISH, KNIG};

// Adds the variants of one board move: the plain move unless the piece would be stuck, then the
// promotions. `noisy` says whether the plain move belongs to the noisy set (a capture).
struct Emitter {
    const Position& p;
    const Tables& t;
    SMove* out;
    int n = 0;
    GenMode mode;

    void push(SMove m) { out[n++] = m; }

    void board(int from, int to, int kind, bool capture) {
        const int side = p.side;
        const int rr = t.relRank[static_cast<size_t>(side)][static_cast<size_t>(to)];
        const bool wantNoisy = mode != GenMode::Quiet;
        const bool wantQuiet = mode != GenMode::Noisy;
        const bool plainWanted = capture ? wantNoisy : wantQuiet;
        if (isPromotableShogi(kind)) {
            bool zone = rr <= 3;
            if (!zone && (kind == GIN || kind == KAKU || kind == SYA))
                zone = t.relRank[static_cast<size_t>(side)][static_cast<size_t>(from)] <= 3;
            if (!zone) {
                if (plainWanted) push(makeBoardMove(from, to, kind));
                return;
            }
            const bool dead = ((kind == HU || kind == KYOU) && rr == 1) || (kind == KEI && rr <= 2);
            if (!dead && plainWanted) push(makeBoardMove(from, to, kind));
            if (wantNoisy) push(makeBoardMove(from, to, kind + 1));
            return;
        }
        if (kind == PORN && rr <= 2) {
            if (rr != 1 && plainWanted) push(makeBoardMove(from, to, kind));
            if (wantNoisy)
                for (int c : kPawnChoices) push(makeBoardMove(from, to, c));
            return;
        }
        if (plainWanted) push(makeBoardMove(from, to, kind));
    }
};

inline bool isEnemy(int code, int side) {
    return side == LOWER ? (code > 0 && code != OFF_BOARD) : code < 0;
}

void pawnMoves(Emitter& e, int from, int code) {
    const Position& p = e.p;
    const int side = p.side;
    const int fwd = side == LOWER ? -BOARD_W : BOARD_W;
    const int to = from + fwd;
    if (p.board[static_cast<size_t>(to)] == EMPTY) {
        e.board(from, to, PORN, false);
        const int rr = e.t.relRank[static_cast<size_t>(side)][static_cast<size_t>(from)];
        if (rr == 8 && e.mode != GenMode::Noisy && p.board[static_cast<size_t>(to + fwd)] == EMPTY)
            e.push(makeBoardMove(from, to + fwd, PORN));
    }
    for (int dx : {-1, 1}) {
        const int t = to + dx;
        const int target = p.board[static_cast<size_t>(t)];
        if (isEnemy(target, side)) {
            e.board(from, t, PORN, true);
        } else if (target == EMPTY && p.ep == from + dx && e.mode != GenMode::Quiet &&
                   e.t.relRank[static_cast<size_t>(side)][static_cast<size_t>(from)] == 4 &&
                   p.board[static_cast<size_t>(from + dx)] == -code) {
            e.push(makeBoardMove(from, t, PORN));
        }
    }
}

void castling(Emitter& e, int from, int code) {
    const auto& b = e.p.board;
    auto at = [&b](int x, int y) { return static_cast<int>(b[static_cast<size_t>(sq(x, y))]); };
    if (code == +KING && from == sq(6, 1)) {
        if (at(7, 1) == EMPTY && at(8, 1) == EMPTY && at(9, 1) == +ROOK)
            e.push(makeBoardMove(from, sq(8, 1), KING));
        if (at(3, 1) == EMPTY && at(4, 1) == EMPTY && at(5, 1) == EMPTY && at(2, 1) == +ROOK)
            e.push(makeBoardMove(from, sq(4, 1), KING));
    } else if (code == -KING && from == sq(4, 9)) {
        if (at(5, 9) == EMPTY && at(6, 9) == EMPTY && at(7, 9) == EMPTY && at(8, 9) == -ROOK)
            e.push(makeBoardMove(from, sq(6, 9), KING));
        if (at(2, 9) == EMPTY && at(3, 9) == EMPTY && at(1, 9) == -ROOK)
            e.push(makeBoardMove(from, sq(2, 9), KING));
    }
}

void drops(Emitter& e) {
    const Position& p = e.p;
    const auto side = static_cast<size_t>(p.side);
    std::array<int, 81> empties;
    int count = 0;
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x)
            if (p.board[static_cast<size_t>(sq(x, y))] == EMPTY)
                empties[static_cast<size_t>(count++)] = sq(x, y);
    for (int slot = 1; slot <= HAND_SLOTS; ++slot) {
        if (p.hand[side][static_cast<size_t>(slot)] == 0 ||
            !p.mayDrop[side][static_cast<size_t>(slot)])
            continue;
        const int kind = slotKind(slot);
        int minRank = 1;  // the nearest relative rank a drop may reach
        if (kind == HU || kind == KYOU) minRank = 2;
        if (kind == KEI || kind == PORN) minRank = 3;
        for (int i = 0; i < count; ++i) {
            const int s = empties[static_cast<size_t>(i)];
            if (e.t.relRank[side][static_cast<size_t>(s)] < minRank) continue;
            if (kind == HU && p.huOnFile[side][static_cast<size_t>(fileOf(s))] != 0) continue;
            e.push(makeDrop(slot, s, kind));
        }
    }
}

}  // namespace

int generateMoves(const Position& p, SMove* out, GenMode mode) {
    if (p.over) return 0;
    const Tables& t = tables();
    Emitter e{p, t, out, 0, mode};
    const int side = p.side;
    for (int w = 0; w < 2; ++w) {
        for (std::uint64_t bits = p.occ[static_cast<size_t>(side)][static_cast<size_t>(w)]; bits;
             bits &= bits - 1) {
            const int from = square81(w * 64 + __builtin_ctzll(bits));
            const int code = p.board[static_cast<size_t>(from)];
            const int kind = absKind(code);
            if (kind == PORN) {
                pawnMoves(e, from, code);
                continue;
            }
            const auto& st = t.steps[static_cast<size_t>(side)][static_cast<size_t>(kind)];
            for (int i = 0; i < st.n; ++i) {
                const int to = from + st.d[static_cast<size_t>(i)];
                const int target = p.board[static_cast<size_t>(to)];
                if (target == EMPTY)
                    e.board(from, to, kind, false);
                else if (isEnemy(target, side))
                    e.board(from, to, kind, true);
            }
            const auto& sl = t.slides[static_cast<size_t>(side)][static_cast<size_t>(kind)];
            // Noisy moves of a slider onto empty squares are promotions only.
            const bool quietTargets = mode != GenMode::Noisy || isPromotableShogi(kind);
            for (int i = 0; i < sl.n; ++i) {
                const int d = sl.d[static_cast<size_t>(i)];
                int to = from + d;
                int target;
                while ((target = p.board[static_cast<size_t>(to)]) == EMPTY) {
                    if (quietTargets) e.board(from, to, kind, false);
                    to += d;
                }
                if (isEnemy(target, side)) e.board(from, to, kind, true);
            }
            if (kind == KING && mode != GenMode::Noisy) castling(e, from, code);
        }
    }
    if (mode != GenMode::Noisy) drops(e);
    return e.n;
}

bool attacked(const Position& p, int s, int bySide) {
    const Tables& t = tables();
    const auto side = static_cast<size_t>(bySide);
    const int sign = sideSign(bySide);
    // Chess pawns take diagonally forward.
    const int back = bySide == LOWER ? BOARD_W : -BOARD_W;
    if (p.board[static_cast<size_t>(s + back - 1)] == sign * PORN ||
        p.board[static_cast<size_t>(s + back + 1)] == sign * PORN)
        return true;
    const auto& kinds = t.stepKinds[side];
    for (size_t i = 0; i < t.stepList.size(); ++i) {
        const int code = p.board[static_cast<size_t>(s - t.stepList[i])];
        if (code == EMPTY || code == OFF_BOARD || sideOfCode(code) != bySide) continue;
        if (kinds[i][static_cast<size_t>(absKind(code))]) return true;
    }
    for (size_t k = 0; k < 8; ++k) {
        const int d = t.slideDirs[k];
        int from = s - d;
        int code;
        while ((code = p.board[static_cast<size_t>(from)]) == EMPTY) from -= d;
        if (code == OFF_BOARD || sideOfCode(code) != bySide) continue;
        if (t.slideKinds[side][k][static_cast<size_t>(absKind(code))]) return true;
    }
    return false;
}

bool plausible(const Position& p, SMove m) {
    if (m == 0 || p.over) return false;
    const int to = moveTo(m);
    if (to <= 0 || to >= SQUARES) return false;
    const int target = p.board[static_cast<size_t>(to)];
    if (target == OFF_BOARD) return false;
    if (isDropMove(m)) {
        const auto slot = static_cast<size_t>(moveSlot(m));
        return target == EMPTY && slot <= HAND_SLOTS &&
               p.hand[static_cast<size_t>(p.side)][slot] > 0 &&
               p.mayDrop[static_cast<size_t>(p.side)][slot] && slotKind(moveSlot(m)) == moveKind(m);
    }
    const int code = p.board[static_cast<size_t>(moveFrom(m))];
    if (code == EMPTY || code == OFF_BOARD || sideOfCode(code) != p.side) return false;
    if (target != EMPTY && !isEnemy(target, p.side)) return false;
    const int kind = absKind(code);
    const int after = moveKind(m);
    const bool kindFits =
        after == kind || (isPromotableShogi(kind) && after == kind + 1) ||
        (kind == PORN && (after == QEEN || after == ROOK || after == BISH || after == KNIG));
    if (!kindFits) return false;
    if (kind != PORN && kind != KING) return true;
    // Pawns and the king have moves (en passant, castling) that touch other squares: only a move
    // of the generated list passes.
    SMove list[MAX_SMOVES];
    const int n = generateMoves(p, list, GenMode::All);
    for (int i = 0; i < n; ++i)
        if (list[i] == m) return true;
    return false;
}

}  // namespace zorvan::search
