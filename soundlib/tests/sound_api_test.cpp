// The sound library's calls as the game uses them, on SDL's dummy (or disk) audio driver. Which
// sounds are playing is read back from SDL_mixer, whose state the library shares in-process.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <csignal>
#include <cstdlib>
#include <string>

#include "wav_builder.h"
#include "zorvan_sound.h"

namespace {

using wavtest::Bytes;
using wavtest::pcm16Wav;

// Sounds playing: effects on their channels, and the music stream.
int playing() {
    return Mix_Playing(-1) + Mix_PlayingMusic();
}

bool deviceOpen() {
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    return Mix_QuerySpec(&rate, &format, &channels) != 0;
}

class SoundLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        device = dsInitialize(0);
        ASSERT_NE(device, 0) << dsLastError();
    }
    void TearDown() override {
        dsTerminate(device);
        EXPECT_FALSE(deviceOpen());
    }
    std::int32_t create(const Bytes& image, std::int32_t flags = DS_FLAGS_EFFECT) {
        return dsCreateDSB(device, image.data(), image.size(), flags);
    }

    std::int32_t device = 0;
    // Long enough that a sound started by a test is still sounding when the test looks.
    const Bytes longSound = pcm16Wav(22050 * 20);
    const Bytes shortSound = pcm16Wav(2205);
};

TEST_F(SoundLibrary, InitializeOpensAndTerminateClosesTheDevice) {
    EXPECT_TRUE(deviceOpen());
    EXPECT_STREQ(dsLastError(), "");
    EXPECT_EQ(dsTerminate(device), 1);
    EXPECT_FALSE(deviceOpen());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_EQ(dsTerminate(device), 0);
}

// SIGINT and SIGTERM stay with the program: an open device leaves their handlers alone.
TEST_F(SoundLibrary, LeavesTheProgramsSignalsAlone) {
    for (int sig : {SIGINT, SIGTERM}) {
        struct sigaction current {};
        ASSERT_EQ(sigaction(sig, nullptr, &current), 0);
        EXPECT_EQ(current.sa_handler, SIG_DFL) << sig;
    }
}

TEST_F(SoundLibrary, ASecondDeviceIsRefusedWhileOneIsOpen) {
    EXPECT_EQ(dsInitialize(0), 0);
    EXPECT_STRNE(dsLastError(), "");
    EXPECT_NE(create(shortSound), 0);
}

TEST_F(SoundLibrary, ReopeningGivesANewDeviceHandle) {
    const std::int32_t old = device;
    const std::int32_t buffer = create(longSound);
    ASSERT_EQ(dsTerminate(old), 1);
    device = dsInitialize(0);
    ASSERT_NE(device, 0);
    EXPECT_NE(device, old);
    EXPECT_EQ(dsCreateDSB(old, shortSound.data(), shortSound.size(), DS_FLAGS_EFFECT), 0);
    EXPECT_EQ(dsPlayLooping(buffer), 0);
    EXPECT_EQ(dsTerminate(old), 0);
    EXPECT_TRUE(deviceOpen());
}

TEST_F(SoundLibrary, KeepsItsOwnCopyOfTheImage) {
    std::int32_t buffer = 0;
    {
        Bytes image = longSound;
        buffer = create(image, DS_FLAGS_MUSIC);
        std::fill(image.begin(), image.end(), 0xEE);
    }
    ASSERT_NE(buffer, 0);
    EXPECT_EQ(dsPlayLooping(buffer), 1);
    EXPECT_EQ(playing(), 1);
}

// Sounds read by the library from their files: effects and music play as from an image; music
// in a plain file plays from the file, music in any other WAV file from a clean copy (so it
// plays on when the file goes); files that are missing or no WAV files are refused with a reason.
TEST_F(SoundLibrary, ReadsSoundsFromTheirFiles) {
    char folder[] = "/tmp/zorvan-sound-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const auto write = [&](const std::string& name, const Bytes& bytes) {
        const std::string path = std::string(folder) + "/" + name;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        return path;
    };
    Bytes padded = longSound;
    padded.insert(padded.end(), 40, 0);  // bytes after the RIFF: not a plain file
    const std::string plain = write("plain.wav", longSound);
    const std::string other = write("other.wav", padded);
    const std::string effect = write("effect.wav", shortSound);
    const std::string broken =
        write("broken.wav", Bytes(longSound.begin(), longSound.begin() + 30));

    const std::int32_t streamed = dsCreateDSBFromFile(device, plain.c_str(), DS_FLAGS_MUSIC);
    const std::int32_t copied = dsCreateDSBFromFile(device, other.c_str(), DS_FLAGS_MUSIC);
    const std::int32_t click = dsCreateDSBFromFile(device, effect.c_str(), DS_FLAGS_EFFECT);
    ASSERT_NE(streamed, 0) << dsLastError();
    ASSERT_NE(copied, 0) << dsLastError();
    ASSERT_NE(click, 0) << dsLastError();
    EXPECT_EQ(dsPlayLooping(streamed), 1);
    EXPECT_EQ(dsPlay(click), 1);
    EXPECT_EQ(playing(), 2);
    EXPECT_EQ(dsPlayLooping(copied), 1);
    std::remove(other.c_str());
    SDL_Delay(50);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    EXPECT_EQ(dsFree(streamed), 1);

    for (const std::string& bad : {broken, std::string(folder) + "/missing.wav"}) {
        EXPECT_EQ(dsCreateDSBFromFile(device, bad.c_str(), DS_FLAGS_MUSIC), 0);
        EXPECT_STRNE(dsLastError(), "");
    }
    EXPECT_EQ(dsCreateDSBFromFile(device, nullptr, DS_FLAGS_EFFECT), 0);
    EXPECT_EQ(dsCreateDSBFromFile(0, plain.c_str(), DS_FLAGS_EFFECT), 0);
    for (const std::string& path : {plain, effect, broken}) std::remove(path.c_str());
    rmdir(folder);
}

TEST_F(SoundLibrary, RefusesImagesThatAreNotPlayableWavFiles) {
    Bytes truncated = pcm16Wav(1000);
    truncated.resize(truncated.size() / 2);
    Bytes hugeData = pcm16Wav(10);
    hugeData[40] = hugeData[41] = hugeData[42] = 0xFF;  // data size 0xFFxxxxxx
    const Bytes garbage = {'M', 'Z', 0x90, 0x00, 0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00};
    for (const Bytes& bad : {truncated, hugeData, garbage}) {
        EXPECT_EQ(create(bad), 0);
        EXPECT_STRNE(dsLastError(), "");
    }
    EXPECT_EQ(dsCreateDSB(device, nullptr, 100, DS_FLAGS_EFFECT), 0);
    EXPECT_EQ(dsCreateDSB(device, shortSound.data(), 0, DS_FLAGS_EFFECT), 0);
    EXPECT_EQ(dsCreateDSB(0, shortSound.data(), shortSound.size(), DS_FLAGS_EFFECT), 0);
    EXPECT_STRNE(dsLastError(), "");
    // The device is still fine, and a success clears the error text.
    EXPECT_NE(create(shortSound), 0);
    EXPECT_STREQ(dsLastError(), "");
}

TEST_F(SoundLibrary, IgnoresZeroUnknownAndForeignHandles) {
    const std::int32_t buffer = create(longSound);
    ASSERT_NE(buffer, 0);
    ASSERT_EQ(dsPlayLooping(buffer), 1);
    for (const std::int32_t h :
         {0, -1, INT_MIN, INT_MAX, buffer + 1, buffer + DS_MAX_BUFFERS, device}) {
        SCOPED_TRACE(h);
        EXPECT_EQ(dsPlay(h), 0);
        EXPECT_EQ(dsPlayLooping(h), 0);
        EXPECT_EQ(dsStop(h), 0);
        EXPECT_EQ(dsFree(h), 0);
    }
    for (const std::int32_t d : {0, -1, buffer, device + 1}) EXPECT_EQ(dsTerminate(d), 0);
    EXPECT_EQ(playing(), 1);
    EXPECT_TRUE(deviceOpen());
}

TEST_F(SoundLibrary, AFreedHandleStaysInvalidWhenItsPlaceIsReused) {
    const std::int32_t stale = create(longSound);
    ASSERT_EQ(dsFree(stale), 1);
    const std::int32_t fresh = create(longSound);  // takes the freed place
    ASSERT_NE(fresh, 0);
    EXPECT_NE(fresh, stale);
    ASSERT_EQ(dsPlayLooping(fresh), 1);
    EXPECT_EQ(dsStop(stale), 0);
    EXPECT_EQ(dsFree(stale), 0);
    EXPECT_EQ(dsPlay(stale), 0);
    EXPECT_EQ(playing(), 1);
    EXPECT_EQ(dsFree(fresh), 1);
    EXPECT_EQ(dsFree(fresh), 0);
}

TEST_F(SoundLibrary, LoopingLastsUntilStoppedAndCanStartAgain) {
    const std::int32_t music = create(shortSound, DS_FLAGS_MUSIC);
    ASSERT_EQ(dsPlayLooping(music), 1);
    EXPECT_EQ(playing(), 1);
    EXPECT_EQ(dsStop(music), 1);
    EXPECT_EQ(playing(), 0);
    EXPECT_EQ(dsStop(music), 1);  // stopping a silent buffer is harmless
    EXPECT_EQ(dsPlayLooping(music), 1);
    EXPECT_EQ(dsPlayLooping(music), 1);  // starting again restarts the one voice
    EXPECT_EQ(playing(), 1);
    EXPECT_EQ(dsFree(music), 1);
    EXPECT_EQ(playing(), 0);
}

TEST_F(SoundLibrary, BuffersPlayAndStopIndependently) {
    const std::int32_t music = create(longSound, DS_FLAGS_MUSIC);
    const std::int32_t effect = create(longSound);
    ASSERT_EQ(dsPlayLooping(music), 1);
    ASSERT_EQ(dsPlay(effect), 1);
    EXPECT_EQ(dsPlay(effect), 1);
    EXPECT_EQ(playing(), 2);
    EXPECT_EQ(dsStop(effect), 1);
    EXPECT_EQ(playing(), 1);
    EXPECT_EQ(dsFree(effect), 1);
    EXPECT_EQ(playing(), 1);
}

TEST_F(SoundLibrary, OneMusicSoundsAtATime) {
    const std::int32_t first = create(longSound, DS_FLAGS_MUSIC);
    const std::int32_t second = create(longSound, DS_FLAGS_MUSIC);
    ASSERT_EQ(dsPlayLooping(first), 1);
    ASSERT_EQ(dsPlayLooping(second), 1);  // takes over the music
    EXPECT_EQ(playing(), 1);
    EXPECT_EQ(dsStop(first), 1);  // no longer playing: the second goes on
    EXPECT_EQ(dsFree(first), 1);
    EXPECT_EQ(playing(), 1);
    EXPECT_EQ(dsStop(second), 1);
    EXPECT_EQ(playing(), 0);
}

TEST_F(SoundLibrary, TerminateReleasesEveryBuffer) {
    std::int32_t buffers[3];
    for (std::int32_t& b : buffers) b = create(longSound);
    dsPlayLooping(buffers[0]);
    dsPlay(buffers[2]);
    ASSERT_EQ(dsTerminate(device), 1);
    EXPECT_FALSE(deviceOpen());
    for (const std::int32_t b : buffers) {
        EXPECT_EQ(dsPlay(b), 0);
        EXPECT_EQ(dsStop(b), 0);
        EXPECT_EQ(dsFree(b), 0);
    }
    // Every place is free again on the next device.
    device = dsInitialize(0);
    ASSERT_NE(device, 0);
    for (int i = 0; i < DS_MAX_BUFFERS; ++i) ASSERT_NE(create(shortSound), 0) << i;
}

TEST_F(SoundLibrary, RunningOutOfBuffersIsReportedAndRecoverable) {
    std::int32_t last = 0;
    for (int i = 0; i < DS_MAX_BUFFERS; ++i) {
        last = create(shortSound);
        ASSERT_NE(last, 0) << i;
    }
    EXPECT_EQ(create(shortSound), 0);
    EXPECT_STRNE(dsLastError(), "");
    ASSERT_EQ(dsFree(last), 1);
    EXPECT_NE(create(shortSound), 0);
}

// Sets an environment variable for one test and puts the old value back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old, m_had = true;
        setenv(name, value, 1);
    }
    ~ScopedEnv() { m_had ? setenv(m_name, m_old.c_str(), 1) : unsetenv(m_name); }

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

TEST(SoundLibraryWithoutDevice, EveryCallIsHarmlessWhenNoDeviceOpens) {
    const ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    EXPECT_EQ(dsInitialize(0), 0);
    EXPECT_STRNE(dsLastError(), "");
    const Bytes image = pcm16Wav(100);
    EXPECT_EQ(dsCreateDSB(0, image.data(), image.size(), DS_FLAGS_EFFECT), 0);
    EXPECT_EQ(dsPlay(0), 0);
    EXPECT_EQ(dsPlayLooping(0), 0);
    EXPECT_EQ(dsStop(0), 0);
    EXPECT_EQ(dsFree(0), 0);
    EXPECT_EQ(dsTerminate(0), 0);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

}  // namespace
