#include "search/request.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace zorvan::search {

namespace {

constexpr std::string_view kRequestTag = "ZSQ1";
constexpr std::string_view kResultTag = "ZSR1";
constexpr int kMaxHandCount = 99;  // far above the pieces there are

// Numbers separated by single spaces, written and read back.
class Writer {
public:
    explicit Writer(std::string_view tag) : m_text(tag) {}
    Writer& operator<<(long long v) {
        m_text += ' ';
        m_text += std::to_string(v);
        return *this;
    }
    std::string text() && { return std::move(m_text); }

private:
    std::string m_text;
};

class Reader {
public:
    Reader(std::string_view text, std::string_view tag) : m_text(text) {
        m_ok = m_text.substr(0, tag.size()) == tag;
        m_at = tag.size();
    }
    // The next number if it lies in [low, high]; otherwise the reader fails.
    template <typename T>
    T next(T low, T high) {
        T v{};
        if (!m_ok || m_at >= m_text.size() || m_text[m_at] != ' ') return fail<T>();
        const char* begin = m_text.data() + m_at + 1;
        const char* end = m_text.data() + m_text.size();
        const auto [ptr, ec] = std::from_chars(begin, end, v);
        if (ec != std::errc() || ptr == begin || v < low || v > high) return fail<T>();
        m_at = static_cast<size_t>(ptr - m_text.data());
        return v;
    }
    int side() { return next(GOTE, SENTE); }  // GOTE, NO_SIDE or SENTE
    bool finished() const { return m_ok && m_at == m_text.size(); }

private:
    template <typename T>
    T fail() {
        m_ok = false;
        return T{};
    }
    std::string_view m_text;
    size_t m_at = 0;
    bool m_ok = false;
};

bool validCode(int code) {
    return code == EMPTY || isValidPiece(code);
}

}  // namespace

std::string encodeRequest(const GameState& g, const Limits& limits) {
    Writer w(kRequestTag);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) w << g.BOARD[x][y];
    for (int slot = 1; slot <= HAND_SLOTS; ++slot) w << g.OWN_HAND[slot] << g.ENEMY_HAND[slot];
    w << g.TURN << g.LOWER_PLAYER << g.UPPER_PLAYER << g.WINNER
      << (g.checks.CHESS_MOCHIKOMA ? 1 : 0);
    // The last move, for en passant.
    const int n = g.MOVE_NO;
    const bool last = n >= 0 && static_cast<size_t>(n) < g.MOVE_CODE.size();
    const auto at = static_cast<size_t>(last ? n : 0);
    w << (last ? g.MOVE_CODE[at] : 0) << (last ? g.MOVE_TO_X[at] : 0)
      << (last ? g.MOVE_TO_Y[at] : 0);
    w << limits.depth << limits.movetimeMs << limits.unsettledPercent << limits.threads
      << (limits.keepTable ? 1 : 0) << limits.keptTableBits;
    return std::move(w).text();
}

bool decodeRequest(std::string_view text, GameState& g, Limits& limits) {
    Reader r(text, kRequestTag);
    g = GameState();
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            g.BOARD[x][y] = r.next(-KIND_COUNT, KIND_COUNT);
            if (!validCode(g.BOARD[x][y])) return false;
        }
    for (int slot = 1; slot <= HAND_SLOTS; ++slot) {
        g.OWN_HAND[slot] = r.next(0, kMaxHandCount);
        g.ENEMY_HAND[slot] = r.next(0, kMaxHandCount);
    }
    g.TURN = r.side();
    g.LOWER_PLAYER = r.side();
    g.UPPER_PLAYER = r.side();
    g.WINNER = r.side();
    g.checks.CHESS_MOCHIKOMA = r.next(0, 1) == 1;
    g.MOVE_NO = 0;
    g.MOVE_CODE[0] = r.next(-KIND_COUNT, KIND_COUNT);
    g.MOVE_TO_X[0] = r.next(0, 9);
    g.MOVE_TO_Y[0] = r.next(0, 9);
    limits = Limits{};
    limits.depth = r.next(0, 1000);
    limits.movetimeMs = r.next(0, 24 * 3600 * 1000);
    limits.unsettledPercent = r.next(0, 1000);
    limits.threads = r.next(1, 64);
    limits.keepTable = r.next(0, 1) == 1;
    limits.keptTableBits = r.next(0, 22);
    if (limits.keptTableBits != 0 && limits.keptTableBits < 16) return false;
    const bool players = (g.LOWER_PLAYER == SENTE && g.UPPER_PLAYER == GOTE) ||
                         (g.LOWER_PLAYER == GOTE && g.UPPER_PLAYER == SENTE);
    return r.finished() && players;
}

std::string encodeResult(const Result& r) {
    Writer w(kResultTag);
    w << (r.found ? 1 : 0) << r.move.fromX << r.move.fromY << r.move.toX << r.move.toY
      << r.move.codeBefore << r.move.codeAfter << r.score << r.depth
      << static_cast<long long>(r.nodes) << std::llround(r.seconds * 1e6) << (r.searched ? 1 : 0);
    return std::move(w).text();
}

bool decodeResult(std::string_view text, Result& out) {
    Reader r(text, kResultTag);
    out = Result{};
    out.found = r.next(0, 1) == 1;
    out.move.fromX = r.next(-1, 11);
    out.move.fromY = r.next(0, 12);
    out.move.toX = r.next(0, 9);
    out.move.toY = r.next(0, 9);
    out.move.codeBefore = r.next(-KIND_COUNT, KIND_COUNT);
    out.move.codeAfter = r.next(-KIND_COUNT, KIND_COUNT);
    out.score = r.next(-1000000, 1000000);
    out.depth = r.next(0, 1000);
    out.nodes = static_cast<std::uint64_t>(r.next<long long>(0, INT64_MAX));
    out.seconds = static_cast<double>(r.next<long long>(0, INT64_MAX)) / 1e6;
    out.searched = r.next(0, 1) == 1;
    return r.finished();
}

}  // namespace zorvan::search
