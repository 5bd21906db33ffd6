// The game's sounds over the run-time loaded sound library, on SDL's dummy audio driver.
#include "platform/sound/library_sound.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace zorvan {
namespace {

namespace fs = std::filesystem;

class LibrarySoundTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    std::vector<std::string> warnings;
    std::function<void(std::string_view)> warn = [this](std::string_view t) {
        warnings.emplace_back(t);
    };
};

TEST_F(LibrarySoundTest, LoadsTheLibraryAndTheSixSounds) {
    LibrarySound sound({ZORVAN_SOUND_LIB_PATH}, {ZORVAN_RUN_DIR});
    sound.start(warn);
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    ASSERT_TRUE(sound.libraryLoaded());
    EXPECT_NE(sound.device(), 0);
    for (int i = 0; i < 6; ++i) EXPECT_NE(sound.buffer(static_cast<SoundId>(i)), 0) << i;
    sound.play(SoundId::ShogiMove);
    sound.playLooping(SoundId::Bgm);
    sound.stop(SoundId::Bgm);
    sound.close();
    EXPECT_EQ(sound.device(), 0);
    sound.play(SoundId::ShogiMove);  // after closing: ignored
    sound.close();                   // twice: harmless
}

// The program of a build, started from a folder without sounds, finds the build's sounds and
// library from its own place.
TEST_F(LibrarySoundTest, TheBuildsProgramFindsItsSoundsFromAnyFolder) {
    const std::string programDir = fs::path(ZORVAN_CLI_PATH).parent_path().string();
    const fs::path before = fs::current_path();
    const fs::path elsewhere =
        fs::temp_directory_path() / ("zorvan-elsewhere-" + std::to_string(getpid()));
    fs::create_directories(elsewhere);
    fs::current_path(elsewhere);
    LibrarySound sound(defaultSoundLibraryPaths(programDir), defaultSoundFolders(programDir));
    sound.start(warn);
    fs::current_path(before);
    fs::remove_all(elsewhere);
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    ASSERT_TRUE(sound.libraryLoaded());
    for (int i = 0; i < 6; ++i) EXPECT_NE(sound.buffer(static_cast<SoundId>(i)), 0) << i;
    sound.close();
}

TEST_F(LibrarySoundTest, WithoutTheLibraryTheGameIsSilentAfterOneWarning) {
    LibrarySound sound({"/nonexistent/libZORVAN.so"}, {ZORVAN_RUN_DIR});
    sound.start(warn);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "Direct Soundインターフェースが作成できません。");
    EXPECT_FALSE(sound.libraryLoaded());
    sound.play(SoundId::Forbidden);
    sound.playLooping(SoundId::Bgm);
    sound.stop(SoundId::Bgm);
    sound.close();
}

TEST_F(LibrarySoundTest, WithoutADeviceEveryBufferStaysEmpty) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    LibrarySound sound({ZORVAN_SOUND_LIB_PATH}, {ZORVAN_RUN_DIR});
    sound.start(warn);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "Direct Soundインターフェースが作成できません。");
    for (int i = 0; i < 6; ++i) EXPECT_EQ(sound.buffer(static_cast<SoundId>(i)), 0);
    sound.play(SoundId::Other);
    sound.close();
}

TEST_F(LibrarySoundTest, MissingFilesAreSilentAndBadFilesWarn) {
    const fs::path dir = fs::temp_directory_path() / ("zorvan-sounds-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / fs::u8path("禁止.wav"), std::ios::binary) << "RIFF\x10\0\0\0WAVEjunk";
    LibrarySound sound({ZORVAN_SOUND_LIB_PATH}, {dir.string()});
    sound.start(warn);
    ASSERT_EQ(warnings.size(), 1u) << "only the broken file is reported";
    EXPECT_FALSE(warnings[0].empty());
    for (int i = 0; i < 6; ++i) EXPECT_EQ(sound.buffer(static_cast<SoundId>(i)), 0);
    sound.play(SoundId::Forbidden);
    sound.close();
    fs::remove_all(dir);
}

}  // namespace
}  // namespace zorvan
