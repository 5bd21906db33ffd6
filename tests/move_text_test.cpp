// The English move texts: what they say for each kind of move, that each names exactly one legal
// move of its position, and that the text of a move read back from the history is the text of
// the move played.
#include "ui/move_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "play/line_play.h"
#include "text/catalogue.h"

namespace zorvan {
namespace {

// A move text taken apart by a reader who knows only the notation: the piece's letter, the
// origin (none for a drop), the target, the promotion written after it.
struct ReadMove {
    std::string piece;
    int fromFile = 0, fromRank = 0;  // 0 for a drop
    bool drop = false, capture = false;
    int toFile = 0, toRank = 0;
    std::string promotion;  // "", "+" or "=" and a letter
};

// The pieces' letters as a reader meets them: one character, or "+" and one, or a circled one.
std::optional<std::string> readLetter(std::string_view& text) {
    for (const char* letter : {"+P", "+L", "+N", "+S", "P", "L", "N", "S", "G", "B",
                               "R",  "K",  "D",  "H",  "Ⓟ", "Ⓡ", "Ⓝ", "Ⓑ", "Ⓠ", "Ⓚ"}) {
        if (text.starts_with(letter)) {
            text.remove_prefix(std::string_view(letter).size());
            return letter;
        }
    }
    return std::nullopt;
}

bool readSquare(std::string_view& text, int& file, int& rank) {
    if (text.size() < 2 || text[0] < '1' || text[0] > '9' || text[1] < '1' || text[1] > '9')
        return false;
    file = text[0] - '0';
    rank = text[1] - '0';
    text.remove_prefix(2);
    return true;
}

std::optional<ReadMove> readMoveText(std::string_view text) {
    ReadMove r;
    const auto piece = readLetter(text);
    if (!piece) return std::nullopt;
    r.piece = *piece;
    if (text.starts_with("*")) {
        r.drop = true;
        text.remove_prefix(1);
    } else {
        if (!readSquare(text, r.fromFile, r.fromRank) || text.empty()) return std::nullopt;
        if (text[0] != '-' && text[0] != 'x') return std::nullopt;
        r.capture = text[0] == 'x';
        text.remove_prefix(1);
    }
    if (!readSquare(text, r.toFile, r.toRank)) return std::nullopt;
    if (text.starts_with("+")) {
        text.remove_prefix(1);
        r.promotion.push_back('+');
    } else if (text.starts_with("=")) {
        text.remove_prefix(1);
        const auto chosen = readLetter(text);
        if (!chosen) return std::nullopt;
        r.promotion.push_back('=');
        r.promotion.append(*chosen);
    }
    if (!text.empty()) return std::nullopt;
    return r;
}

// Does the read text name move `m`? Letters are compared with the catalogue's, squares as the
// game numbers them (file 10 - x, rank y).
bool names(const ReadMove& r, const Move& m) {
    auto letter = [](int code) { return std::string(trc("piece", displayText(code))); };
    if (r.piece != letter(m.codeBefore) || r.drop != m.isDrop()) return false;
    if (!m.isDrop() && (r.fromFile != 10 - m.fromX || r.fromRank != m.fromY)) return false;
    if (r.toFile != 10 - m.toX || r.toRank != m.toY) return false;
    std::string promotion;
    if (m.promotes() && kindOf(m.codeBefore) == PORN) {
        promotion.push_back('=');
        promotion.append(letter(m.codeAfter));
    } else if (m.promotes()) {
        promotion.push_back('+');
    }
    return r.promotion == promotion;
}

TEST(MoveText, WhatEachKindOfMoveWrites) {
    const LanguageScope english("en");
    const struct {
        Move move;
        bool capture;
        const char* text;
    } cases[] = {
        {{3, 7, 3, 6, -HU, -HU}, false, "P77-76"},
        {{8, 8, 2, 2, -KAKU, -KAKU_N}, true, "B28x82+"},
        {{2, 2, 1, 1, -KAKU_N, -KAKU_N}, true, "H82x91"},
        {{5, 5, 5, 2, -SYA_N, -SYA_N}, false, "D55-52"},
        {{4, 3, 4, 2, -HU_N, -HU_N}, false, "+P63-62"},
        {{LOWER_HAND_COLUMN, 6, 5, 5, -HU, -HU}, false, "P*55"},
        {{LOWER_HAND_COLUMN, 3, 5, 5, -KNIG, -KNIG}, false, "Ⓝ*55"},
        {{UPPER_HAND_COLUMN, 8, 4, 4, +KEI, +KEI}, false, "N*64"},
        {{3, 8, 3, 9, +PORN, +QEEN}, false, "Ⓟ78-79=Ⓠ"},
        {{3, 8, 2, 9, +PORN, +KNIG}, true, "Ⓟ78x89=Ⓝ"},
        {{6, 1, 8, 1, +KING, +KING}, false, "Ⓚ41-21"},
        {{5, 9, 5, 8, -OU, -OU}, false, "K59-58"},
        {{4, 9, 4, 8, -KIN, -KIN}, false, "G69-68"},
    };
    for (const auto& c : cases) EXPECT_EQ(moveText(c.move, c.capture), c.text) << c.text;
}

// Random games from the start, with and without the chess army's drops: at every position each
// legal move's text is read back by the notation alone and names that move and no other; and
// once played, the move read back from the history has the same text.
TEST(MoveText, EveryLegalMoveHasATextNamingItAlone) {
    const LanguageScope english("en");
    std::mt19937 random(20261209);
    int positions = 0;
    int moves = 0;
    for (int game = 0; game < 24; ++game) {
        GameState g;
        g.checks.CHESS_MOCHIKOMA = game % 2 == 1;
        startGameBetweenPersons(g);
        Drawing silent(g);
        for (int ply = 0; ply < 120; ++ply) {
            MoveList legal;
            generateLegalMoves(g, legal);
            if (legal.size == 0) break;
            ++positions;
            for (const Move& m : legal) {
                const std::string text = moveText(m, takesPiece(g.BOARD, m));
                const auto read = readMoveText(text);
                ASSERT_TRUE(read) << text << " is not in the notation";
                int named = 0;
                for (const Move& other : legal) named += names(*read, other);
                ASSERT_EQ(named, 1) << text << " (game " << game << ", ply " << ply << ")";
                ASSERT_TRUE(names(*read, m)) << text << " names another move";
                ++moves;
            }
            const Move& chosen =
                legal[std::uniform_int_distribution<int>(0, legal.size - 1)(random)];
            const std::string expected = moveText(chosen, takesPiece(g.BOARD, chosen));
            playMove(g, silent, chosen);
            Move played;
            bool capture = false;
            ASSERT_TRUE(movePlayed(g, g.MOVE_NO, played, capture)) << expected;
            EXPECT_EQ(moveText(played, capture), expected) << "game " << game << ", ply " << ply;
        }
    }
    EXPECT_GT(positions, 1000);
    EXPECT_GT(moves, 50000);
}

// The history shows castling and en passant as the one move that was played.
TEST(MoveText, TheHistoryShowsCastlingAndEnPassantAsOneMove) {
    const LanguageScope english("en");
    const struct {
        const char* line;
        const char* last;
    } cases[] = {
        {"1716 8283 1615 8193 1514 7182 9796 6181", "Ⓚ41-21"},
        {"5756 5254 5655 6263 5554 6364 PORN*44 3234 4433", "Ⓟ64x73"},
    };
    for (const auto& c : cases) {
        GameState g;
        startGameBetweenPersons(g);
        Drawing silent(g);
        std::string refused;
        ASSERT_EQ(playLine(g, silent, c.line, &refused), 0) << c.line << ": " << refused;
        Move m;
        bool capture = false;
        ASSERT_TRUE(movePlayed(g, g.MOVE_NO, m, capture)) << c.line;
        EXPECT_EQ(moveText(m, capture), c.last) << c.line;
    }
}

}  // namespace
}  // namespace zorvan
