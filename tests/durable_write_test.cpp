// Durable writes of records and of the settings file, and the size limits of the record reader:
// a write whose flush to the disk fails is a failed write, and files too large for a record are
// refused before they are read.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fakes.h"
#include "platform/text/cp932_codec.h"
#include "play/hooks.h"
#include "records/record_file.h"

namespace zorvan {
namespace {

namespace fs = std::filesystem;
using testing::Rig;
using testing::Shown;

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Flushes that fail or succeed as a test says, counting the calls.
struct Flushes {
    static inline bool fileFails = false, folderFails = false;
    static inline int fileCalls = 0, folderCalls = 0;
    static int file(int fd) {
        ++fileCalls;
        if (!fileFails) return ::fsync(fd);
        errno = EIO;
        return -1;
    }
    static int folder(int fd) {
        ++folderCalls;
        if (!folderFails) return ::fsync(fd);
        errno = EIO;
        return -1;
    }
};

class DurableWrite : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zorvan-durable-" + std::to_string(static_cast<long>(getpid())) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        Flushes::fileFails = Flushes::folderFails = false;
        Flushes::fileCalls = Flushes::folderCalls = 0;
        old = setFileFlushCalls({&Flushes::file, &Flushes::folder});
    }
    void TearDown() override {
        setFileFlushCalls(old);
        fs::remove_all(dir);
    }
    std::vector<std::string> namesInDir() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    // A game of one move, with the record panel set to write "game.棋譜" into the folder.
    void playOneMove(Rig& rig) {
        rig.game.setFiles(rig.settingsPath, &codec);
        rig.game.menu("MATCH_MAN");
        rig.move(7, 7, 7, 6);
        ASSERT_EQ(rig.g().RECORD_END, 1);
        rig.host.panel = {dir.string(), "対局", "先手", "後手", "game"};
        rig.forget();
    }
    fs::path dir;
    Cp932Codec codec;
    FileFlushCalls old{};
};

TEST_F(DurableWrite, ARecordIsFlushedWithItsFolderBeforeItIsReported) {
    Rig rig;
    playOneMove(rig);
    rig.game.menu("Command1");
    EXPECT_EQ(rig.host.messages.back(), (Shown{"棋譜を書き込みました", "  "}));
    EXPECT_EQ(Flushes::fileCalls, 1);
    EXPECT_EQ(Flushes::folderCalls, 1);
    EXPECT_EQ(namesInDir(), std::vector<std::string>{"game.棋譜"});
}

TEST_F(DurableWrite, AFailedFlushKeepsTheOldRecordAndSaysSo) {
    struct Case {
        const char* what;
        bool fileFails, folderFails, oldRecord;
    };
    for (const Case& c : {Case{"file, over a record", true, false, true},
                          Case{"folder, over a record", false, true, true},
                          Case{"file, new record", true, false, false},
                          Case{"folder, new record", false, true, false}}) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir);
        fs::create_directories(dir);
        const fs::path path = dir / "game.棋譜";
        if (c.oldRecord) std::ofstream(path, std::ios::binary) << "the old record";
        Rig rig;
        playOneMove(rig);
        Flushes::fileFails = c.fileFails;
        Flushes::folderFails = c.folderFails;
        rig.game.menu("Command1");
        EXPECT_EQ(rig.host.messages.back(), (Shown{"棋譜を書き込めませんでした", "棋譜保存"}));
        EXPECT_EQ(rig.host.fileListRefreshes, 0);
        if (c.oldRecord) {
            EXPECT_EQ(fileBytes(path), "the old record");
            EXPECT_EQ(namesInDir(), std::vector<std::string>{"game.棋譜"}) << "nothing left over";
        } else {
            EXPECT_TRUE(namesInDir().empty()) << "nothing left over";
        }
    }
}

TEST_F(DurableWrite, AFailedFlushOfTheSettingsFileKeepsItAndFallsBackToTheDefaults) {
    Rig rig;
    const fs::path settings = dir / "ZORVAN.ini";
    const std::string before = Rig::quietSettings();
    std::ofstream(settings, std::ios::binary) << before;
    rig.game.setFiles(settings.string(), nullptr);
    Flushes::fileFails = true;
    rig.game.menu("CHESS_MOCHIKOMA");
    // Both writes failed: the file is as it was, the check marks went to the defaults.
    EXPECT_EQ(fileBytes(settings), before);
    EXPECT_EQ(namesInDir(), std::vector<std::string>{"ZORVAN.ini"});
    EXPECT_FALSE(rig.g().checks.CHESS_MOCHIKOMA);
    EXPECT_TRUE(rig.g().checks.KEIKA);
    EXPECT_TRUE(rig.host.messages.empty());
    // Once the disk answers again, the next click is written.
    Flushes::fileFails = false;
    rig.game.menu("CHESS_MOCHIKOMA");
    EXPECT_NE(fileBytes(settings).find("チェス側持駒OK=ON"), std::string::npos);
}

TEST_F(DurableWrite, RecordsTooLargeForTheFormatAreRefusedBeforeTheyAreRead) {
    // A sparse file one byte over the limit: refused from its size, without reading 28 MB.
    const fs::path big = dir / "big.棋譜";
    {
        const int fd = ::open(big.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(RECORD_FILE_LIMIT + 1)), 0);
        ::close(fd);
    }
    std::string bytes = "untouched";
    EXPECT_EQ(readWholeFile(big.string(), bytes, RECORD_FILE_LIMIT), RecordError::TooLarge);
    EXPECT_TRUE(bytes.empty());
    EXPECT_LT(bytes.capacity(), 1u << 20) << "nothing of the file was held";

    Rig rig;
    rig.game.menu("MATCH_MAN");
    const GameState before = rig.g();
    File1_Click(rig.game, big.string());
    EXPECT_EQ(rig.host.messages.back(), (Shown{"棋譜ﾌｧｲﾙが大きすぎます", "棋譜"}));
    EXPECT_EQ(rig.g().KIFU_MODE, before.KIFU_MODE);
    EXPECT_EQ(rig.g().MOVE_NO, before.MOVE_NO);
}

TEST_F(DurableWrite, TheLongestNamesAndTheMostMovesStillMakeALoadableRecord) {
    // Three names as long as a name box takes, all two-byte characters, and the most moves.
    const std::string longest = [] {
        std::string s;
        for (int i = 0; i < 32767; ++i) s += "駒";
        return s;
    }();
    GameState g;
    初期設定(g);
    g.HISTORY[1] = g.HISTORY[0];
    g.RECORD_END = 1;
    std::string bytes;
    ASSERT_EQ(buildRecord(g, {longest, longest, longest}, codec, bytes), RecordError::None);
    const std::string moveLine = bytes.substr(bytes.size() - RECORD_LINE_WIDTH - 2);
    bytes.reserve(RECORD_FILE_LIMIT);
    for (int k = 2; k <= RECORD_MAX_MOVES; ++k) bytes += moveLine;
    EXPECT_LE(bytes.size(), RECORD_FILE_LIMIT);
    LoadedRecord record;
    ASSERT_EQ(readRecord(bytes, codec, record), RecordError::None);
    EXPECT_EQ(record.moves.size(), static_cast<size_t>(RECORD_MAX_MOVES));
    EXPECT_EQ(record.headers.lines[0], longest);

    // One character more than a header line can hold: refused when written and when read.
    const std::string tooLong = longest + "駒駒";
    EXPECT_EQ(buildRecord(g, {tooLong, "", ""}, codec, bytes), RecordError::NameTooLong);
    std::string encoded;
    ASSERT_TRUE(codec.encode(tooLong, encoded));
    EXPECT_EQ(readRecord(encoded + "\r\nb\r\nc\r\n", codec, record), RecordError::TooLarge);
    EXPECT_TRUE(record.moves.empty());
}

}  // namespace
}  // namespace zorvan
