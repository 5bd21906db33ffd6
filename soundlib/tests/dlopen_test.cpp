// The game binds the library by name at run time: load the built file the way the game does and
// play a sound through the bound functions. This program does not link the library.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "wav_builder.h"
#include "zorvan_sound.h"

namespace {

class Bound : public ::testing::Test {
protected:
    void SetUp() override {
        // Kept loaded, as the game keeps it for the whole run: unloading would also unload SDL
        // and leave its bookkeeping unreachable.
        handle = dlopen(ZORVAN_SOUND_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        ASSERT_NE(handle, nullptr) << dlerror();
    }
    void TearDown() override {
        if (handle != nullptr) dlclose(handle);
    }
    template <typename Fn>
    Fn bind(const char* name) {
        return reinterpret_cast<Fn>(dlsym(handle, name));
    }
    void* handle = nullptr;
};

TEST(LibraryFile, HasTheNameTheGameLoads) {
    const std::string path = ZORVAN_SOUND_LIBRARY_PATH;
    EXPECT_EQ(path.substr(path.rfind('/') + 1), ZORVAN_SOUND_LIBRARY_NAME);
}

TEST_F(Bound, EveryFunctionIsFoundByName) {
    for (const char* name : {"dsInitialize", "dsCreateDSB", "dsPlay", "dsPlayLooping", "dsStop",
                             "dsFree", "dsTerminate", "dsLastError", "dsCreateDSBFromFile"}) {
        EXPECT_NE(dlsym(handle, name), nullptr) << name;
    }
}

TEST_F(Bound, PlaysThroughTheBoundFunctions) {
    const auto initialize = bind<DsInitializeFn>("dsInitialize");
    const auto createDsb = bind<DsCreateDSBFn>("dsCreateDSB");
    const auto playLooping = bind<DsPlayLoopingFn>("dsPlayLooping");
    const auto play = bind<DsPlayFn>("dsPlay");
    const auto stop = bind<DsStopFn>("dsStop");
    const auto release = bind<DsFreeFn>("dsFree");
    const auto terminate = bind<DsTerminateFn>("dsTerminate");
    const auto lastError = bind<DsLastErrorFn>("dsLastError");
    ASSERT_TRUE(initialize && createDsb && playLooping && play && stop && release && terminate &&
                lastError);

    const std::int32_t device = initialize(0);
    ASSERT_NE(device, 0) << lastError();
    const auto image = wavtest::pcm16Wav(4410);
    const std::int32_t buffer = createDsb(device, image.data(), image.size(), DS_FLAGS_MUSIC);
    ASSERT_NE(buffer, 0) << lastError();
    EXPECT_EQ(playLooping(buffer), 1);
    EXPECT_EQ(stop(buffer), 1);
    EXPECT_EQ(play(buffer), 1);
    EXPECT_EQ(release(buffer), 1);
    EXPECT_EQ(play(buffer), 0);
    EXPECT_EQ(terminate(device), 1);
}

}  // namespace
