#include "records/record_file.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <vector>

#include "records/history.h"

namespace zorvan {

RecordMessage recordErrorMessage(RecordError e) {
    switch (e) {
        case RecordError::None:
            return {"", ""};
        case RecordError::NoFileName:
            return {"ﾌｧｲﾙ名が入力されていません", "  "};
        case RecordError::BadFileName:
            return {"ﾌｧｲﾙ名に使えない文字があります", "棋譜保存"};
        case RecordError::NoData:
            return {"保存するデータがありません", "棋譜保存"};
        case RecordError::HandTooLarge:
            return {"持駒が10枚以上あるため棋譜に保存できません", "棋譜保存"};
        case RecordError::NotEncodable:
            return {"名前に使えない文字があります", "棋譜保存"};
        case RecordError::WriteFailed:
            return {"棋譜を書き込めませんでした", "棋譜保存"};
        case RecordError::ReadFailed:
            return {"棋譜ﾌｧｲﾙを読み込めませんでした", "棋譜"};
        case RecordError::TooLarge:
            return {"棋譜ﾌｧｲﾙが大きすぎます", "棋譜"};
        case RecordError::BadCode:
            return {"棋譜ﾌｧｲﾙが壊れています", "棋譜"};
    }
    return {"", ""};
}

namespace {

void appendPadded(std::string& line, long long value, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%*lld", width, value);
    line.append(buffer);
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
    std::string_view f = line.substr(column, width);
    size_t i = 0;
    while (i < f.size() && f[i] == ' ') ++i;
    bool negative = false;
    if (i < f.size() && (f[i] == '-' || f[i] == '+')) negative = f[i++] == '-';
    long long v = 0;
    for (; i < f.size() && f[i] >= '0' && f[i] <= '9'; ++i) v = v * 10 + (f[i] - '0');
    return negative ? -v : v;
}

// Splits a file into lines ended by CR LF (a bare LF or CR is accepted too).
std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            lines.push_back(bytes.substr(start, i - start));
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

constexpr size_t kHandColumn = 243;
constexpr size_t kClockColumn = 267;

}  // namespace

RecordError formatMoveLine(const GameState& g, int k, std::string& line) {
    line.clear();
    const auto n = static_cast<size_t>(k);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) appendPadded(line, g.HISTORY[n][x][y], 3);
    for (int s = 1; s <= HAND_SLOTS; ++s) {
        for (int count : {g.OWN_HAND_HISTORY[n][s], g.ENEMY_HAND_HISTORY[n][s]}) {
            if (count < 0 || count > 9) return RecordError::HandTooLarge;
            line.push_back(static_cast<char>('0' + count));
        }
    }
    for (double clock : {g.CLOCK_LOWER_BEFORE[n], g.CLOCK_LOWER_AFTER[n], g.CLOCK_UPPER_BEFORE[n],
                         g.CLOCK_UPPER_AFTER[n]})
        appendPadded(line, wholeSeconds(clock), 5);
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
    const auto first = typedName.find_first_not_of(" \t\u3000");
    if (first == std::string_view::npos) return RecordError::NoFileName;
    std::string_view name = typedName.substr(first);
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

bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string temp = path + ".tmp" + std::to_string(static_cast<long>(getpid()));
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "cannot create " + temp;
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            error = "cannot write " + temp;
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        error = "cannot replace " + path;
        return false;
    }
    return true;
}

RecordError readWholeFile(const std::string& path, std::string& bytes, size_t limit) {
    bytes.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return RecordError::ReadFailed;
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        const auto got = static_cast<size_t>(in.gcount());
        if (bytes.size() + got > limit) {
            bytes.clear();
            return RecordError::TooLarge;
        }
        bytes.append(buffer, got);
    }
    if (in.bad()) return RecordError::ReadFailed;
    return RecordError::None;
}

RecordError parseRecord(std::string_view bytes, const TextCodec& codec, GameState& g,
                        RecordHeaders& headers, int& moves) {
    moves = 0;
    const std::vector<std::string_view> lines = splitLines(bytes);
    const size_t count = lines.size() > 3 ? lines.size() - 3 : 0;
    if (count > static_cast<size_t>(RECORD_MAX_MOVES)) return RecordError::TooLarge;

    // Check every board cell first, so a refused file changes nothing.
    for (size_t i = 3; i < lines.size(); ++i) {
        for (size_t cell = 0; cell < 81; ++cell) {
            const long long code = fieldValue(lines[i], cell * 3, 3);
            if (code < -KIND_COUNT || code > KIND_COUNT) return RecordError::BadCode;
        }
    }

    for (size_t i = 0; i < 3; ++i)
        headers.lines[i] = i < lines.size() ? codec.decode(lines[i]) : "";
    g.ensureHistory(static_cast<int>(count));
    for (size_t k = 1; k <= count; ++k) {
        const std::string_view line = lines[k + 2];
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                g.HISTORY[k][x][y] = static_cast<int>(
                    fieldValue(line, static_cast<size_t>(3 * (9 * (x - 1) + (y - 1))), 3));
        for (int s = 1; s <= HAND_SLOTS; ++s) {
            const auto column = kHandColumn + 2 * static_cast<size_t>(s - 1);
            g.OWN_HAND_HISTORY[k][s] = static_cast<int>(fieldValue(line, column, 1));
            g.ENEMY_HAND_HISTORY[k][s] = static_cast<int>(fieldValue(line, column + 1, 1));
        }
        double* clocks[4] = {&g.CLOCK_LOWER_BEFORE[k], &g.CLOCK_LOWER_AFTER[k],
                             &g.CLOCK_UPPER_BEFORE[k], &g.CLOCK_UPPER_AFTER[k]};
        for (size_t c = 0; c < 4; ++c) {
            const long long v = fieldValue(line, kClockColumn + 5 * c, 5);
            *clocks[c] = static_cast<double>(v < 0 ? 0 : v);
        }
    }
    // The file holds no last-move entries: recover them from the snapshots (entry 0 is the
    // start the caller set up), so nothing of an earlier game is read in their place.
    for (size_t k = 1; k <= count; ++k) recoverMoveTarget(g, static_cast<int>(k));
    moves = static_cast<int>(count);
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
