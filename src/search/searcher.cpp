#include "search/searcher.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

namespace zorvan::search {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int TT_BITS = 20;       // a search's own table: 16 MB
constexpr int KEPT_TT_BITS = 22;  // the table kept from one search to the next: 64 MB
// Share of the move time after which no new iteration starts (the next one would seldom finish),
// and the share at which a running one is abandoned.
constexpr double SOFT_SHARE = 0.55;
constexpr double HARD_SHARE = 0.97;
// A drop of the choice's score, from one iteration to the next, that counts as failing low.
constexpr int FAIL_LOW_MARGIN = 30;
constexpr std::uint8_t BOUND_EXACT = 3, BOUND_LOWER = 1, BOUND_UPPER = 2;

// A move with its ordering score.
struct Scored {
    SMove move;
    int score;
};

// The moves of one ply, in the order they are to be tried.
struct Ply {
    SMove moves[MAX_SMOVES];
    int scores[MAX_SMOVES];
    SMove killers[2] = {0, 0};
};

// The transposition table, shared by the threads of one search. An entry is two words, its data
// and its key mixed with the data, so that an entry two threads wrote at once reads as a miss
// rather than as another position's.
class Table {
public:
    // The calling thread's own table, emptied.
    static Table& cleared() {
        static thread_local Table table;
        table.resize(TT_BITS);
        table.clear();
        return table;
    }

    // The table kept from one search to the next, emptied when `signature` (what else the
    // scores depend on) differs from the last search's; locked by `lock`. Null while another
    // search holds it.
    static Table* kept(std::uint64_t signature, int bits, std::unique_lock<std::mutex>& lock) {
        static std::mutex mutex;
        static Table table;
        static std::uint64_t last = 0;
        lock = std::unique_lock<std::mutex>(mutex, std::try_to_lock);
        if (!lock.owns_lock()) return nullptr;
        if (table.resize(bits) || signature != last) table.clear();
        last = signature;
        return &table;
    }

    bool probe(std::uint64_t key, TTEntry& e) const {
        const Slot& s = slots_[key & mask_];
        const std::uint64_t data = s.data.load(std::memory_order_relaxed);
        if ((s.check.load(std::memory_order_relaxed) ^ data) != key) return false;
        e.move = static_cast<SMove>(data & 0xFFFFFFFFu);
        e.score = static_cast<std::int16_t>(static_cast<std::uint16_t>(data >> 32));
        e.depth = static_cast<std::int8_t>(static_cast<std::uint8_t>(data >> 48));
        e.bound = static_cast<std::uint8_t>(data >> 56);
        return true;
    }

    void store(std::uint64_t key, const TTEntry& e) {
        const std::uint64_t data = std::uint64_t{e.move} |
                                   std::uint64_t{static_cast<std::uint16_t>(e.score)} << 32 |
                                   std::uint64_t{static_cast<std::uint8_t>(e.depth)} << 48 |
                                   std::uint64_t{e.bound} << 56;
        Slot& s = slots_[key & mask_];
        s.check.store(key ^ data, std::memory_order_relaxed);
        s.data.store(data, std::memory_order_relaxed);
    }

private:
    struct Slot {
        std::atomic<std::uint64_t> check{0};
        std::atomic<std::uint64_t> data{0};
    };
    std::unique_ptr<Slot[]> slots_;
    std::size_t mask_ = 0;

    // True when the table was (re)allocated.
    bool resize(int bits) {
        const std::size_t size = std::size_t{1} << bits;
        if (slots_ && mask_ == size - 1) return false;
        slots_ = std::make_unique<Slot[]>(size);
        mask_ = size - 1;
        return true;
    }

    void clear() {
        for (std::size_t i = 0; i <= mask_; ++i) {
            slots_[i].check.store(0, std::memory_order_relaxed);
            slots_[i].data.store(0, std::memory_order_relaxed);
        }
    }
};

// Late-move reductions: a quiet move tried late, at a depth to spare, is first searched this
// many plies shallower; more the later it comes and the deeper the search.
int lateMoveReduction(int depth, int played) {
    static const auto table = [] {
        std::array<std::array<std::uint8_t, 64>, 64> t{};
        for (int d = 1; d < 64; ++d)
            for (int m = 1; m < 64; ++m)
                t[static_cast<size_t>(d)][static_cast<size_t>(m)] =
                    static_cast<std::uint8_t>(1.0 + std::log(d) * std::log(m) / 2.0);
        return t;
    }();
    const auto d = static_cast<size_t>(std::min(depth, 63));
    return table[d][static_cast<size_t>(std::min(played, 63))];
}

// What a kept table's scores depend on besides the position's key: the drop permissions and
// the evaluation weights.
std::uint64_t signature(const Position& p, const SearchLimits& l) {
    const EvalWeights& w = l.weights ? *l.weights : defaultWeights();
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211ull; };
    for (const auto& side : p.mayDrop)
        for (const bool may : side) mix(may ? 1 : 0);
    for (const int v : {w.tempo, w.attackerNear, w.defenderNear, w.openNearHand, w.handExtra})
        mix(static_cast<std::uint32_t>(v));
    return h;
}

int scoreToTT(int s, int ply) {
    return s >= WIN_BOUND ? s + ply : (s <= -WIN_BOUND ? s - ply : s);
}
int scoreFromTT(int s, int ply) {
    return s >= WIN_BOUND ? s - ply : (s <= -WIN_BOUND ? s + ply : s);
}

class Searcher {
public:
    // `helper` is 0 for the main thread and 1, 2... for the helpers, which search until
    // `finished` is set.
    Searcher(Position& p, const SearchLimits& l, Table& table, int helper = 0,
             const std::atomic<bool>* finished = nullptr)
        : pos_(p), limits_(l), tt_(table), helper_(helper), finished_(finished) {
        weights_ = l.weights ? l.weights : &defaultWeights();
        plies_ = std::make_unique<Ply[]>(MAX_PLY + 8);
        std::memset(history_, 0, sizeof history_);
        start_ = Clock::now();
        // The helpers are stopped by the main thread; their own limit is only a safeguard.
        hardMs_ = helper_ == 0 ? settledMs() : unsettledMs();
    }

    SearchOutcome run();
    void help();
    std::uint64_t nodes() const { return nodes_; }

private:
    Position& pos_;
    SearchLimits limits_;
    const EvalWeights* weights_;
    Table& tt_;
    int helper_;
    const std::atomic<bool>* finished_;
    std::unique_ptr<Ply[]> plies_;
    int history_[2][SQUARES][32];
    Clock::time_point start_;
    std::uint64_t nodes_ = 0;
    bool aborted_ = false;
    int rootDepth_ = 0;
    double hardMs_ = 0;        // a running iteration is abandoned after this long
    int failLowBelow_ = -INF;  // the first root move scoring below this fails low

    // When a running iteration is abandoned: normally, and once the choice has failed low.
    double settledMs() const { return limits_.movetimeMs * HARD_SHARE; }
    double unsettledMs() const {
        return limits_.movetimeMs * std::max(limits_.unsettledPercent, 100) / 100.0 * HARD_SHARE;
    }

    double elapsedMs() const {
        return std::chrono::duration<double, std::milli>(Clock::now() - start_).count();
    }

    bool shouldStop() {
        if (aborted_) return true;
        if (limits_.stop && limits_.stop->load(std::memory_order_relaxed)) aborted_ = true;
        if (finished_ && finished_->load(std::memory_order_relaxed)) aborted_ = true;
        // A little short of the budget, so that handing the move back stays within it.
        if ((nodes_ & 1023) == 0 && limits_.movetimeMs > 0 &&
            elapsedMs() >= hardMs_)
            aborted_ = true;
        return aborted_;
    }

    // Value of what the move takes (a pawn for en passant).
    int captureValue(SMove m) const {
        if (isDropMove(m)) return 0;
        const int victim = pos_.board[static_cast<size_t>(moveTo(m))];
        if (victim != EMPTY) return pieceValue(absKind(victim));
        const bool passing = absKind(pos_.board[static_cast<size_t>(moveFrom(m))]) == PORN &&
                             fileOf(moveTo(m)) != fileOf(moveFrom(m));
        return passing ? pieceValue(PORN) : 0;
    }

    int noisyOrder(SMove m) const {
        const int before =
            isDropMove(m) ? moveKind(m) : absKind(pos_.board[static_cast<size_t>(moveFrom(m))]);
        const int gain = pieceValue(moveKind(m)) - pieceValue(before);
        return captureValue(m) * 16 - pieceValue(before) / 8 + gain * 8 + 1000000;
    }

    // History is kept per side, target and kind; drops apart from board moves (slot + 20).
    static int historyIndex(SMove m) { return isDropMove(m) ? 19 + moveSlot(m) : moveKind(m); }

    int quietOrder(SMove m, const Ply& ply) const {
        if (m == ply.killers[0]) return 900000;
        if (m == ply.killers[1]) return 800000;
        return history_[pos_.side][moveTo(m)][historyIndex(m)];
    }

    int& historyOf(SMove m) { return history_[pos_.side][moveTo(m)][historyIndex(m)]; }

    // A capture or a promotion (the noisy moves of the generator).
    bool isNoisy(SMove m) const {
        if (isDropMove(m)) return false;
        const int before = pos_.board[static_cast<size_t>(moveFrom(m))];
        if (pos_.board[static_cast<size_t>(moveTo(m))] != EMPTY) return true;
        if (moveKind(m) != absKind(before)) return true;
        return absKind(before) == PORN && fileOf(moveTo(m)) != fileOf(moveFrom(m));
    }

    static SMove pickBest(SMove* moves, int* scores, int i, int n) {
        int best = i;
        for (int j = i + 1; j < n; ++j)
            if (scores[j] > scores[best]) best = j;
        std::swap(moves[i], moves[best]);
        std::swap(scores[i], scores[best]);
        return moves[i];
    }

    int quiesce(int alpha, int beta, int ply, int qdepth);
    int pvs(int alpha, int beta, int depth, int ply, bool pvNode, bool allowNull);
    int searchRoot(SMove* moves, int* order, int n, int depth, int alpha, int beta, SMove& best);
    int iterate(std::vector<SMove>& moves, std::vector<int>& scores, int n, int depth, SMove& best);
    int rootMoves(std::vector<SMove>& moves);
};

int Searcher::quiesce(int alpha, int beta, int ply, int qdepth) {
    ++nodes_;
    if (shouldStop()) return 0;
    if (canTakeKing(pos_)) return WIN - ply;
    if (ply >= MAX_PLY) return evaluate(pos_, *weights_);
    Ply& P = plies_[static_cast<size_t>(ply)];
    const bool checked = qdepth < 2 && inCheck(pos_);
    int best = -INF;
    int n;
    if (checked) {
        n = generateMoves(pos_, P.moves, GenMode::All);
        if (n == 0) return -WIN + ply;
        for (int i = 0; i < n; ++i) {
            const SMove m = P.moves[i];
            const bool capture = pos_.board[static_cast<size_t>(moveTo(m))] != EMPTY;
            P.scores[i] = capture ? noisyOrder(m) : (isDropMove(m) ? 0 : 1);
        }
    } else {
        const int stand = evaluate(pos_, *weights_);
        if (stand >= beta) return stand;
        if (stand > alpha) alpha = stand;
        best = stand;
        n = generateMoves(pos_, P.moves, GenMode::Noisy);
        int kept = 0;
        for (int i = 0; i < n; ++i) {
            const SMove m = P.moves[i];
            const int kind = moveKind(m);
            const int before = absKind(pos_.board[static_cast<size_t>(moveFrom(m))]);
            if (before == PORN && kind != PORN && kind != QEEN) continue;  // under-promotions
            const int victim = captureValue(m);
            const int gain = victim + pieceValue(kind) - pieceValue(before);
            if (stand + gain + 150 <= alpha) continue;  // cannot raise alpha
            // A capture by a piece worth more than its victim, on a square the opponent guards,
            // seldom wins anything: left to the full-width search.
            if (pieceValue(before) > victim + 50 && attacked(pos_, moveTo(m), 1 - pos_.side))
                continue;
            P.moves[kept] = m;
            P.scores[kept++] = noisyOrder(m);
        }
        n = kept;
    }
    for (int i = 0; i < n; ++i) {
        const SMove m = pickBest(P.moves, P.scores, i, n);
        Undo u;
        pos_.make(m, u);
        const int score = -quiesce(-beta, -alpha, ply + 1, qdepth + 1);
        pos_.unmake(m, u);
        if (aborted_) return 0;
        if (score > best) {
            best = score;
            if (score > alpha) {
                alpha = score;
                if (score >= beta) break;
            }
        }
    }
    return best;
}

int Searcher::pvs(int alpha, int beta, int depth, int ply, bool pvNode, bool allowNull) {
    if (canTakeKing(pos_)) return WIN - ply;
    const bool checked = inCheck(pos_);
    if (checked && ply < 2 * rootDepth_ + 4) ++depth;
    if (depth <= 0) return quiesce(alpha, beta, ply, 0);
    ++nodes_;
    if (shouldStop()) return 0;
    if (ply >= MAX_PLY) return evaluate(pos_, *weights_);

    // Mate-distance pruning: nothing here beats a king capture already found nearer the root.
    alpha = std::max(alpha, -WIN + ply);
    beta = std::min(beta, WIN - ply - 1);
    if (alpha >= beta) return alpha;

    TTEntry e;
    SMove ttMove = 0;
    if (tt_.probe(pos_.key, e)) {
        ttMove = e.move;
        const int s = scoreFromTT(e.score, ply);
        if (!pvNode && e.depth >= depth) {
            if (e.bound == BOUND_EXACT || (e.bound == BOUND_LOWER && s >= beta) ||
                (e.bound == BOUND_UPPER && s <= alpha))
                return s;
        }
    }

    const int stand = checked ? -INF : evaluate(pos_, *weights_);
    if (!pvNode && !checked) {
        // Reverse futility: far above beta near the leaves.
        if (depth <= 3 && stand - 110 * depth >= beta && stand < WIN_BOUND) return stand;
        // Null move: passing still holds beta.
        if (allowNull && depth >= 3 && stand >= beta) {
            Undo u;
            pos_.makeNull(u);
            const int r = 3 + depth / 6;
            const int s = -pvs(-beta, -beta + 1, depth - 1 - r, ply + 1, false, false);
            pos_.unmakeNull(u);
            if (aborted_) return 0;
            if (s >= beta && s < WIN_BOUND) return beta;
        }
    }

    Ply& P = plies_[static_cast<size_t>(ply)];
    const int alphaStart = alpha;
    int best = -INF;
    SMove bestMove = 0;
    int played = 0;
    int quietsPlayed = 0;

    auto tryMove = [&](SMove m, bool quiet) -> bool {  // true on a beta cut-off
        Undo u;
        pos_.make(m, u);
        int score;
        if (played == 0) {
            score = -pvs(-beta, -alpha, depth - 1, ply + 1, pvNode, true);
        } else {
            int reduction = 0;
            if (quiet && depth >= 3 && played >= 2 && !checked)
                reduction = std::clamp(lateMoveReduction(depth, played) - (pvNode ? 1 : 0), 0,
                                       depth - 2);
            score = -pvs(-alpha - 1, -alpha, depth - 1 - reduction, ply + 1, false, true);
            if (score > alpha && reduction > 0)
                score = -pvs(-alpha - 1, -alpha, depth - 1, ply + 1, false, true);
            if (score > alpha && score < beta && pvNode)
                score = -pvs(-beta, -alpha, depth - 1, ply + 1, true, true);
        }
        pos_.unmake(m, u);
        ++played;
        if (aborted_) return true;
        if (score > best) {
            best = score;
            bestMove = m;
            if (score > alpha) {
                alpha = score;
                if (score >= beta) {
                    if (quiet) {
                        if (P.killers[0] != m) {
                            P.killers[1] = P.killers[0];
                            P.killers[0] = m;
                        }
                        historyOf(m) += depth * depth;
                    }
                    return true;
                }
            }
        }
        return false;
    };

    bool cut = false;
    if (ttMove && plausible(pos_, ttMove)) {
        cut = tryMove(ttMove, !isNoisy(ttMove));
    } else {
        ttMove = 0;
    }
    if (!cut) {
        int n = generateMoves(pos_, P.moves, GenMode::Noisy);
        for (int i = 0; i < n; ++i) P.scores[i] = noisyOrder(P.moves[i]);
        for (int i = 0; i < n && !cut; ++i) {
            const SMove m = pickBest(P.moves, P.scores, i, n);
            if (m == ttMove) continue;
            cut = tryMove(m, false);
        }
        if (!cut) {
            n = generateMoves(pos_, P.moves, GenMode::Quiet);
            for (int i = 0; i < n; ++i) P.scores[i] = quietOrder(P.moves[i], P);
            const int lmpLimit = 8 + 4 * depth * depth;
            for (int i = 0; i < n && !cut; ++i) {
                const SMove m = pickBest(P.moves, P.scores, i, n);
                if (m == ttMove) continue;
                if (!pvNode && !checked && depth <= 3 && quietsPlayed >= lmpLimit &&
                    best > -WIN_BOUND)
                    break;
                ++quietsPlayed;
                cut = tryMove(m, true);
            }
        }
    }
    if (aborted_) return 0;
    if (played == 0) return -WIN + ply;  // no move at all: the side resigns

    e.move = bestMove;
    e.score = static_cast<std::int16_t>(scoreToTT(best, ply));
    e.depth = static_cast<std::int8_t>(depth);
    e.bound = best >= beta ? BOUND_LOWER : (best > alphaStart ? BOUND_EXACT : BOUND_UPPER);
    tt_.store(pos_.key, e);
    return best;
}

int Searcher::searchRoot(SMove* moves, int* order, int n, int depth, int alpha, int beta,
                         SMove& bestOut) {
    int best = -INF;
    for (int i = 0; i < n; ++i) {
        const SMove m = moves[i];
        Undo u;
        pos_.make(m, u);
        int score;
        if (i == 0) {
            score = -pvs(-beta, -alpha, depth - 1, 1, true, true);
            // The last iteration's choice has turned out worse: time to find a better one.
            if (!aborted_ && helper_ == 0 && score < failLowBelow_) hardMs_ = unsettledMs();
        } else {
            score = -pvs(-alpha - 1, -alpha, depth - 1, 1, false, true);
            if (score > alpha && score < beta && !aborted_)
                score = -pvs(-beta, -alpha, depth - 1, 1, true, true);
        }
        pos_.unmake(m, u);
        if (aborted_) break;
        order[i] = score;
        if (score > best) {
            best = score;
            bestOut = m;
            if (score > alpha) alpha = score;
        }
    }
    return best;
}


// Sorts the moves by their keys, highest first, keeping the order of equal keys.
void sortByKeys(std::vector<SMove>& moves, const std::vector<int>& keys, int n) {
    std::vector<std::pair<int, SMove>> tmp;
    for (int i = 0; i < n; ++i)
        tmp.push_back({keys[static_cast<size_t>(i)], moves[static_cast<size_t>(i)]});
    std::stable_sort(tmp.begin(), tmp.end(), [](auto& a, auto& b) { return a.first > b.first; });
    for (int i = 0; i < n; ++i) moves[static_cast<size_t>(i)] = tmp[static_cast<size_t>(i)].second;
}

// The next iteration's order: the best first, the rest by this iteration's scores.
void reorder(std::vector<SMove>& moves, std::vector<int>& scores, SMove best, int n) {
    for (int i = 0; i < n; ++i)
        if (moves[static_cast<size_t>(i)] == best) scores[static_cast<size_t>(i)] = INF;
    sortByKeys(moves, scores, n);
}


int Searcher::rootMoves(std::vector<SMove>& moves) {
    moves.resize(MAX_SMOVES);
    const int n = generateMoves(pos_, moves.data(), GenMode::All);
    // First ordering: captures by value, then the rest in generation order.
    std::vector<int> keys(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const SMove m = moves[static_cast<size_t>(i)];
        keys[static_cast<size_t>(i)] = isNoisy(m) ? noisyOrder(m) : -i;
    }
    sortByKeys(moves, keys, n);
    return n;
}

// One iteration: every root move searched to `depth`; unless stopped, the moves are then put in
// the order for the next one.
int Searcher::iterate(std::vector<SMove>& moves, std::vector<int>& scores, int n, int depth,
                      SMove& best) {
    rootDepth_ = depth;
    std::fill(scores.begin(), scores.end(), -INF);
    const int score = searchRoot(moves.data(), scores.data(), n, depth, -INF, INF, best);
    if (!aborted_) reorder(moves, scores, best, n);
    return score;
}

SearchOutcome Searcher::run() {
    SearchOutcome out;
    std::vector<SMove> moves;
    const int n = rootMoves(moves);
    if (n == 0) return out;
    // A king within reach is taken at once.
    const int enemyKing = pos_.kingSq[static_cast<size_t>(1 - pos_.side)];
    for (int i = 0; i < n; ++i) {
        if (enemyKing != 0 && moveTo(moves[static_cast<size_t>(i)]) == enemyKing &&
            !isDropMove(moves[static_cast<size_t>(i)])) {
            out.move = moves[static_cast<size_t>(i)];
            out.score = WIN - 1;
            out.depth = 1;
            out.nodes = 1;
            return out;
        }
    }
    out.move = moves[0];
    const int maxDepth = limits_.depth > 0 ? std::min(limits_.depth, MAX_PLY / 2) : MAX_PLY / 2;
    std::vector<int> rootScores(static_cast<size_t>(n), -INF);
    for (int depth = 1; depth <= maxDepth; ++depth) {
        SMove best = 0;
        const int score = iterate(moves, rootScores, n, depth, best);
        if (aborted_) {
            // A move that beat the finished iteration's choice in this one is kept.
            // (The previous choice is searched first, so `best` beat it with a finished search.)
            if (best != 0 && depth > 1) out.move = best;
            break;
        }
        out.move = best;
        out.score = score;
        out.depth = depth;
        hardMs_ = settledMs();
        const bool decisive = score >= WIN_BOUND || score <= -WIN_BOUND;
        failLowBelow_ = depth >= 4 && !decisive ? score - FAIL_LOW_MARGIN : -INF;
        if (decisive && depth >= 2 && (WIN - (score < 0 ? -score : score)) < depth)
            break;  // decided
        // Stop when the next iteration would not finish in time (each takes a few times longer).
        if (limits_.movetimeMs > 0 && elapsedMs() > limits_.movetimeMs * SOFT_SHARE) break;
    }
    out.nodes = nodes_;
    return out;
}

// A helper's iterations: every other helper one ply ahead of the main thread, so that the two
// seldom search the same node at the same time; until the main thread has its answer.
void Searcher::help() {
    std::vector<SMove> moves;
    const int n = rootMoves(moves);
    if (n == 0) return;
    std::vector<int> rootScores(static_cast<size_t>(n), -INF);
    for (int depth = 1 + helper_ % 2; depth <= MAX_PLY / 2 && !aborted_; ++depth) {
        SMove best = 0;
        iterate(moves, rootScores, n, depth, best);
    }
}

}  // namespace

SearchOutcome searchPosition(Position& root, const SearchLimits& limits) {
    const bool depthAlone = limits.depth > 0 && limits.movetimeMs == 0;
    // A search limited by depth alone starts from an empty table, so that it stays deterministic.
    std::unique_lock<std::mutex> keptLock;
    Table* keptTable = nullptr;
    if (limits.keepTable && !depthAlone)
        keptTable = Table::kept(signature(root, limits),
                                limits.keptTableBits > 0 ? limits.keptTableBits : KEPT_TT_BITS,
                                keptLock);
    Table& table = keptTable ? *keptTable : Table::cleared();
    const int helpers = depthAlone ? 0 : std::clamp(limits.threads, 1, 64) - 1;
    std::atomic<bool> finished{false};
    std::vector<Position> copies(static_cast<size_t>(helpers), root);
    std::vector<std::uint64_t> helperNodes(static_cast<size_t>(helpers), 0);
    std::vector<std::thread> threads;
    for (int h = 0; h < helpers; ++h)
        threads.emplace_back([&, h] {
            Searcher s(copies[static_cast<size_t>(h)], limits, table, h + 1, &finished);
            s.help();
            helperNodes[static_cast<size_t>(h)] = s.nodes();
        });
    Searcher s(root, limits, table);
    SearchOutcome out = s.run();
    finished.store(true, std::memory_order_relaxed);
    for (std::thread& t : threads) t.join();
    for (const std::uint64_t n : helperNodes) out.nodes += n;
    return out;
}

}  // namespace zorvan::search
