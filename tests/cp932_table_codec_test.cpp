// The generated CP932 table converts exactly as glibc's iconv does, character for character and
// byte for byte, so the browser and the window read and write the same record files.
#include "records/cp932_table_codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "platform/text/cp932_codec.h"
#include "records/record_file.h"
#include "utf8_encode.h"

namespace zorvan {
namespace {

class Cp932TableCodecTest : public ::testing::Test {
protected:
    // Both codecs on `text`: the same answer and, when they accept it, the same bytes.
    void expectSameEncoding(const std::string& text) {
        std::string fromTable, fromIconv;
        const bool tableOk = table.encode(text, fromTable);
        const bool iconvOk = iconv.encode(text, fromIconv);
        ASSERT_EQ(tableOk, iconvOk) << "text " << ::testing::PrintToString(text);
        if (tableOk) {
            ASSERT_EQ(fromTable, fromIconv) << ::testing::PrintToString(text);
        }
    }
    void expectSameDecoding(const std::string& bytes) {
        ASSERT_EQ(table.decode(bytes), iconv.decode(bytes))
            << "bytes " << ::testing::PrintToString(bytes);
    }
    Cp932TableCodec table;
    Cp932Codec iconv;
};

TEST_F(Cp932TableCodecTest, EncodesEveryCharacterAsTheCLibrary) {
    int encodable = 0;
    std::string out;
    for (char32_t c = 0; c < 0x110000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        expectSameEncoding(utf8Of(c));
        encodable += table.encode(utf8Of(c), out) ? 1 : 0;
    }
    EXPECT_GT(encodable, 7000);
}

TEST_F(Cp932TableCodecTest, DecodesEveryByteAndBytePairAsTheCLibrary) {
    for (int b = 0; b < 256; ++b) expectSameDecoding(std::string(1, static_cast<char>(b)));
    for (int b = 0; b < 0x10000; ++b)
        expectSameDecoding(std::string{static_cast<char>(b >> 8), static_cast<char>(b & 0xFF)});
}

TEST_F(Cp932TableCodecTest, ConvertsMixedAndBrokenTextsAsTheCLibrary) {
    std::mt19937 random(25);
    for (int i = 0; i < 20000; ++i) {
        std::string bytes;
        for (int k = static_cast<int>(random() % 9); k >= 0; --k)
            bytes += static_cast<char>(random() % 2 ? 0x81 + random() % 0x7C : random() % 0x100);
        expectSameDecoding(bytes);
        expectSameEncoding(bytes);  // mostly not UTF-8 at all
    }
    const char32_t samples[] = {U'A', U'あ', U'①',  U'～',   U'〜',  U'ｶ', U'\\',
                                U'¥', U'😀',  U'𠮷', 0xE0041, 0xFFFD, U'∥', U'髙'};
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        for (int k = static_cast<int>(random() % 6); k >= 0; --k)
            text += utf8Of(samples[random() % std::size(samples)]);
        expectSameEncoding(text);
    }
}

TEST_F(Cp932TableCodecTest, KnownCodesOfTheGamesTexts) {
    struct Case {
        const char* text;
        const char* bytes;
    };
    const Case cases[] = {
        {"①", "\x87\x40"},
        {"～", "\x81\x60"},
        {"ｶﾀｶﾅ", "\xB6\xC0\xB6\xC5"},
        {"先手", "\x90\xE6\x8E\xE8"},
        {"ﾌｧｲﾙ名", "\xCC\xA7\xB2\xD9\x96\xBC"},
    };
    for (const Case& c : cases) {
        std::string out;
        ASSERT_TRUE(table.encode(c.text, out)) << c.text;
        EXPECT_EQ(out, c.bytes) << c.text;
        EXPECT_EQ(table.decode(out), c.text);
    }
    std::string out;
    EXPECT_FALSE(table.encode("王😀", out)) << "a character CP932 cannot hold is refused";
    EXPECT_EQ(table.decode("\x82"), "\xEF\xBF\xBD") << "a first byte without its second";
    EXPECT_EQ(table.decode("\x82 A"), "\xEF\xBF\xBD A") << "the next byte starts afresh";
}

TEST_F(Cp932TableCodecTest, WritesTheSameRecordAsTheCLibrary) {
    GameState g;
    初期設定(g);
    g.ensureHistory(1);
    g.HISTORY[1] = g.HISTORY[0];
    g.RECORD_END = 1;
    const RecordNames names{"第①局～ﾃｽﾄ", "先手ｻﾝ①", "後手～さん"};
    std::string fromTable, fromIconv;
    ASSERT_EQ(buildRecord(g, names, table, fromTable), RecordError::None);
    ASSERT_EQ(buildRecord(g, names, iconv, fromIconv), RecordError::None);
    EXPECT_EQ(fromTable, fromIconv);
    const RecordNames refused{"😀", "", ""};
    EXPECT_EQ(buildRecord(g, refused, table, fromTable), RecordError::NotEncodable);
}

}  // namespace
}  // namespace zorvan
