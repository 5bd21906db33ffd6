// Replays the record reader's fuzz corpus: every file loads or is refused cleanly.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/text/cp932_codec.h"
#include "records/record_file.h"

namespace zorvan {
namespace {

TEST(RecordCorpus, EveryFileLoadsOrIsRefusedWithoutHarm) {
    const std::filesystem::path dir =
        std::filesystem::path(ZORVAN_SOURCE_DIR) / "fuzz/corpus/records";
    ASSERT_TRUE(std::filesystem::is_directory(dir)) << dir;
    Cp932Codec codec;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::string bytes;
        ASSERT_EQ(readWholeFile(entry.path().string(), bytes, 64u << 20), RecordError::None);
        GameState g;
        初期設定(g);
        RecordHeaders headers;
        int moves = 0;
        const RecordError e = parseRecord(bytes, codec, g, headers, moves);
        EXPECT_TRUE(e == RecordError::None || e == RecordError::BadCode) << entry.path();
        for (int k = 0; k <= moves; ++k)
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y) {
                    EXPECT_GE(g.HISTORY[k][x][y], -20);
                    EXPECT_LE(g.HISTORY[k][x][y], 20);
                }
        ++files;
    }
    EXPECT_GE(files, 10);
}

}  // namespace
}  // namespace zorvan
