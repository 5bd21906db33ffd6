#include "records/record_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "records/history.h"
#include "text/catalogue.h"

namespace zorvan {

// The texts are the game's own; the caller shows them in the player's language.
RecordMessage recordErrorMessage(RecordError e) {
    switch (e) {
        case RecordError::None:
            return {"", ""};
        case RecordError::NoFileName:
            return {N_("ﾌｧｲﾙ名が入力されていません"), "  "};
        case RecordError::BadFileName:
            return {N_("ﾌｧｲﾙ名に使えない文字があります"), N_("棋譜保存")};
        case RecordError::NoData:
            return {N_("保存するデータがありません"), N_("棋譜保存")};
        case RecordError::HandTooLarge:
            return {N_("持駒が10枚以上あるため棋譜に保存できません"), N_("棋譜保存")};
        case RecordError::NotEncodable:
            return {N_("名前に使えない文字があります"), N_("棋譜保存")};
        case RecordError::NameTooLong:
            return {N_("名前が長すぎます"), N_("棋譜保存")};
        case RecordError::WriteFailed:
            return {N_("棋譜を書き込めませんでした"), N_("棋譜保存")};
        case RecordError::ReadFailed:
            return {N_("棋譜ﾌｧｲﾙを読み込めませんでした"), N_("棋譜")};
        case RecordError::TooLarge:
            return {N_("棋譜ﾌｧｲﾙが大きすぎます"), N_("棋譜")};
        case RecordError::BadCode:
        case RecordError::BadHand:
        case RecordError::BadPosition:
            return {N_("棋譜ﾌｧｲﾙが壊れています"), N_("棋譜")};
    }
    return {"", ""};
}

namespace {

// The value in decimal, right-aligned in `width` characters with leading blanks (a wider value
// takes the room it needs), written at `out`, which moves past it.
void putPadded(char*& out, long long value, int width) {
    char digits[24];
    char* d = digits + sizeof digits;
    auto u = static_cast<unsigned long long>(value);
    if (value < 0) u = 0ULL - u;
    do {
        *--d = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (value < 0) *--d = '-';
    const auto n = static_cast<int>(digits + sizeof digits - d);
    for (int i = n; i < width; ++i) *out++ = ' ';
    std::memcpy(out, d, static_cast<size_t>(n));
    out += n;
}

long long wholeSeconds(double seconds) {
    if (!(seconds > 0)) return 0;  // also catches NaN
    if (seconds > RECORD_MAX_CLOCK) return static_cast<long long>(RECORD_MAX_CLOCK);
    return static_cast<long long>(std::floor(seconds));
}

// A field read as a decimal number: leading blanks skipped, an optional sign, then digits up to
// the first other character. Anything else reads as 0.
long long fieldValue(std::string_view line, size_t column, size_t width) {
    if (column >= line.size()) return 0;
    const char* p = line.data() + column;
    const char* const end = p + std::min(width, line.size() - column);
    while (p != end && *p == ' ') ++p;
    bool negative = false;
    if (p != end && (*p == '-' || *p == '+')) negative = *p++ == '-';
    long long v = 0;
    for (; p != end; ++p) {
        const unsigned digit = static_cast<unsigned char>(*p) - static_cast<unsigned>('0');
        if (digit > 9) break;
        v = v * 10 + digit;
    }
    return negative ? -v : v;
}

// Hands out the lines of a file one by one; a line ends with CR LF, a bare LF or a bare CR.
// The next CR and the next LF are each found once (memchr), so a file is scanned in linear time.
class LineReader {
public:
    explicit LineReader(std::string_view bytes)
        : m_bytes(bytes), m_cr(find('\r')), m_lf(find('\n')) {}
    bool next(std::string_view& line) {
        if (m_at >= m_bytes.size()) return false;
        if (m_cr < m_at) m_cr = find('\r');
        if (m_lf < m_at) m_lf = find('\n');
        const size_t end = std::min(m_cr, m_lf);
        line = m_bytes.substr(m_at, end - m_at);
        if (end == m_bytes.size())
            m_at = end;
        else
            m_at = end + (end == m_cr && m_lf == end + 1 ? 2 : 1);
        return true;
    }

private:
    // The position of the next `c` from the current one, or the end.
    size_t find(char c) const {
        if (m_at >= m_bytes.size()) return m_bytes.size();
        const void* p = std::memchr(m_bytes.data() + m_at, c, m_bytes.size() - m_at);
        return p ? static_cast<size_t>(static_cast<const char*>(p) - m_bytes.data())
                 : m_bytes.size();
    }

    std::string_view m_bytes;
    size_t m_at = 0;
    size_t m_cr, m_lf;  // the next CR and LF at or after m_at (or the end)
};

constexpr size_t kHandColumn = 243;
constexpr size_t kClockColumn = 267;

}  // namespace

RecordError formatMoveLine(const GameState& g, int k, std::string& line) {
    // Built in one buffer with room for the widest values, then handed out whole.
    char buffer[81 * 24 + 2 * HAND_SLOTS + 4 * 24];
    char* out = buffer;
    const auto n = static_cast<size_t>(k);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) putPadded(out, g.HISTORY[n][x][y], 3);
    for (int s = 1; s <= HAND_SLOTS; ++s) {
        for (int count : {g.OWN_HAND_HISTORY[n][s], g.ENEMY_HAND_HISTORY[n][s]}) {
            if (count < 0 || count > 9) {
                line.clear();
                return RecordError::HandTooLarge;
            }
            *out++ = static_cast<char>('0' + count);
        }
    }
    for (double clock : {g.CLOCK_LOWER_BEFORE[n], g.CLOCK_LOWER_AFTER[n], g.CLOCK_UPPER_BEFORE[n],
                         g.CLOCK_UPPER_AFTER[n]})
        putPadded(out, wholeSeconds(clock), 5);
    line.assign(buffer, static_cast<size_t>(out - buffer));
    return RecordError::None;
}

RecordError buildRecord(const GameState& g, const RecordNames& names, const TextCodec& codec,
                        std::string& bytes) {
    bytes.clear();
    if (g.RECORD_END < 1) return RecordError::NoData;
    if (static_cast<size_t>(g.RECORD_END) >= g.HISTORY.size()) return RecordError::NoData;
    // Line 2 names the upper side's player, line 3 the lower side's.
    const std::string* header[3] = {&names.gameName, &names.gote, &names.sente};
    if (g.LOWER_PLAYER != SENTE) std::swap(header[1], header[2]);
    std::string encoded;
    for (const std::string* text : header) {
        if (!codec.encode(*text, encoded)) return RecordError::NotEncodable;
        if (encoded.find_first_of("\r\n") != std::string::npos) return RecordError::NotEncodable;
        if (encoded.size() > RECORD_HEADER_LIMIT) return RecordError::NameTooLong;
        bytes += encoded;
        bytes += "\r\n";
    }
    std::string line;
    for (int k = 1; k <= g.RECORD_END; ++k) {
        if (RecordError e = formatMoveLine(g, k, line); e != RecordError::None) {
            bytes.clear();
            return e;
        }
        bytes += line;
        bytes += "\r\n";
    }
    return RecordError::None;
}

RecordError recordPath(const std::string& folder, std::string_view typedName, std::string& path) {
    // Blanks around the name go: spaces, tabs and the ideographic space, each a whole character
    // (a byte-wise trim would cut the first byte off a name such as "あいう").
    constexpr std::string_view kWide = "\u3000";
    std::string_view name = typedName;
    for (;;) {
        if (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
            name.remove_prefix(1);
        else if (name.substr(0, kWide.size()) == kWide)
            name.remove_prefix(kWide.size());
        else
            break;
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
    if (name.empty()) return RecordError::NoFileName;
    if (name.find_first_of("/\\") != std::string_view::npos || name == "." || name == "..")
        return RecordError::BadFileName;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20) return RecordError::BadFileName;
    path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
    path += RECORD_EXTENSION;
    return RecordError::None;
}

RecordError readWholeFile(const std::string& path, std::string& bytes, size_t limit) {
    bytes.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return RecordError::ReadFailed;
    // A regular file tells its size: one that is too large is refused before it is read.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        if (static_cast<unsigned long long>(info.st_size) > limit) return RecordError::TooLarge;
        bytes.reserve(static_cast<size_t>(info.st_size));
    }
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        const auto got = static_cast<size_t>(in.gcount());
        if (bytes.size() + got > limit) {
            bytes.clear();
            bytes.shrink_to_fit();
            return RecordError::TooLarge;
        }
        bytes.append(buffer, got);
    }
    if (in.bad()) return RecordError::ReadFailed;
    return RecordError::None;
}

bool kingsArePlayable(const RecordMove& m, bool last) {
    int lower = 0, upper = 0, ou = 0, king = 0;
    for (const std::int8_t code : m.cells) {
        const int kind = kindOf(code);
        if (kind != OU && kind != KING) continue;
        (code < 0 ? lower : upper) += 1;
        (kind == OU ? ou : king) += 1;
    }
    // At most one king a side and one of each kind, so that two kings are the 王 and the chess
    // king on different sides; both of them until the last snapshot, at least one in it.
    if (lower > 1 || upper > 1 || ou > 1 || king > 1) return false;
    return last ? lower + upper >= 1 : lower + upper == 2;
}

RecordError readRecord(std::string_view bytes, const TextCodec& codec, LoadedRecord& record) {
    record.moves.clear();
    record.refusedMove = 0;
    for (std::string& h : record.headers.lines) h.clear();

    // First the shape: three header lines of a bounded length, at most RECORD_MAX_MOVES moves.
    LineReader lines(bytes);
    std::string_view line, header[3];
    size_t headerCount = 0;
    for (; headerCount < 3 && lines.next(line); ++headerCount) {
        if (line.size() > RECORD_HEADER_LIMIT) return RecordError::TooLarge;
        header[headerCount] = line;
    }
    size_t count = 0;
    while (lines.next(line))
        if (++count > static_cast<size_t>(RECORD_MAX_MOVES)) return RecordError::TooLarge;

    // Then every move line, each checked before the record is handed out.
    std::vector<RecordMove>& moves = record.moves;
    moves.assign(count, RecordMove{});
    lines = LineReader(bytes);
    for (size_t i = 0; i < headerCount; ++i) lines.next(line);
    const auto refuse = [&record](size_t index, RecordError e) {
        record.moves.clear();
        record.refusedMove = static_cast<int>(index) + 1;
        return e;
    };
    for (size_t i = 0; i < count; ++i) {
        RecordMove& m = moves[i];
        lines.next(line);
        // Cells past the end of a short line read as 0, as the moves table starts out.
        const size_t cells = std::min<size_t>(81, (line.size() + 2) / 3);
        for (size_t cell = 0; cell < cells; ++cell) {
            const long long code = fieldValue(line, cell * 3, 3);
            if (code < -KIND_COUNT || code > KIND_COUNT) return refuse(i, RecordError::BadCode);
            m.cells[cell] = static_cast<std::int8_t>(code);
        }
        if (!kingsArePlayable(m, i + 1 == count)) return refuse(i, RecordError::BadPosition);
        if (line.size() <= kHandColumn) continue;
        // A hand count is one digit; the fields past the end of a short line read as 0.
        const size_t hands = std::min<size_t>(2 * HAND_SLOTS, line.size() - kHandColumn);
        for (size_t f = 0; f < hands; ++f) {
            const unsigned digit =
                static_cast<unsigned char>(line[kHandColumn + f]) - static_cast<unsigned>('0');
            if (digit > 9) return refuse(i, RecordError::BadHand);
            (f % 2 == 0 ? m.ownHand : m.enemyHand)[f / 2] = static_cast<std::int8_t>(digit);
        }
        for (size_t c = 0; c < 4; ++c) {
            const long long v = fieldValue(line, kClockColumn + 5 * c, 5);
            m.clocks[c] = static_cast<std::int32_t>(v < 0 ? 0 : v);
        }
    }
    for (size_t i = 0; i < 3; ++i) record.headers.lines[i] = codec.decode(header[i]);
    return RecordError::None;
}

void storeRecord(const LoadedRecord& record, GameState& g) {
    const int count = static_cast<int>(record.moves.size());
    g.ensureHistory(count);
    for (int k = 1; k <= count; ++k) {
        const RecordMove& m = record.moves[static_cast<size_t>(k - 1)];
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) g.HISTORY[k][x][y] = m.cells[9 * (x - 1) + (y - 1)];
        for (int s = 1; s <= HAND_SLOTS; ++s) {
            g.OWN_HAND_HISTORY[k][s] = m.ownHand[s - 1];
            g.ENEMY_HAND_HISTORY[k][s] = m.enemyHand[s - 1];
        }
        g.CLOCK_LOWER_BEFORE[k] = m.clocks[0];
        g.CLOCK_LOWER_AFTER[k] = m.clocks[1];
        g.CLOCK_UPPER_BEFORE[k] = m.clocks[2];
        g.CLOCK_UPPER_AFTER[k] = m.clocks[3];
    }
    // The file holds no last-move entries: recover them from the snapshots (entry 0 is the
    // start the caller set up), so nothing of an earlier game is read in their place.
    for (int k = 1; k <= count; ++k) recoverMoveTarget(g, k);
}

RecordError parseRecord(std::string_view bytes, const TextCodec& codec, GameState& g,
                        RecordHeaders& headers, int& moves) {
    moves = 0;
    LoadedRecord record;
    if (RecordError e = readRecord(bytes, codec, record); e != RecordError::None) return e;
    storeRecord(record, g);
    headers = std::move(record.headers);
    moves = static_cast<int>(record.moves.size());
    return RecordError::None;
}

double 取得_棋譜のX座標(std::string_view text) {
    // Length in characters: count the bytes that start a UTF-8 sequence.
    int length = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++length;
    return BOARD_LEFT + (3 + (13 - length) / 5.0) * SQUARE_W;
}

}  // namespace zorvan
