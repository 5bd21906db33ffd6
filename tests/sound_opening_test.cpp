// Sounds opened after the first picture: what start-up asked of them is carried over, every
// player's action opens them before it makes a sound, and closing comes first only at the end.
#include <gtest/gtest.h>

#include "fakes.h"
#include "play/deferred_sound.h"

namespace zorvan {
namespace {

using testing::Rig;
using Loops = std::vector<std::pair<SoundId, bool>>;

const char* const kNoDevice = "Direct Soundインターフェースが作成できません。";
const std::string kMusicOn =
    "背景画=緑\r\n移動指導=OFF\r\n経過時間=OFF\r\nチェス側持駒OK=OFF\r\nBGM=ON\r\n";

TEST(SoundOpening, StartUpLeavesTheSoundsForLaterAndTheMusicStartsWhenTheyOpen) {
    struct Case {
        std::string settings;
        Loops loops;  // what reaches the sounds once open
    };
    const Case cases[] = {
        {kMusicOn, {{SoundId::Bgm, true}}},
        {Rig::quietSettings(), {}},
        {"", {}},  // no settings file: the music is checked but not started
    };
    for (const Case& k : cases) {
        Rig rig(k.settings, false);
        EXPECT_EQ(rig.sound.starts, 0);
        EXPECT_TRUE(rig.host.messages.empty());
        EXPECT_TRUE(rig.sound.loops.empty());
        rig.game.openSounds();
        rig.game.openSounds();  // once only
        EXPECT_EQ(rig.sound.starts, 1);
        EXPECT_EQ(rig.sound.loops, k.loops) << k.settings;
    }
}

TEST(SoundOpening, EveryActionOpensTheSoundsBeforeItsOwnSound) {
    struct Case {
        const char* what;
        void (*act)(Game&);
        SoundId expected;
    };
    const Case cases[] = {
        {"a press before a game", [](Game& g) { g.mousePress(BUTTON_LEFT, 3000, 5000); },
         SoundId::Forbidden},
        {"the about box", [](Game& g) { g.menu("VER"); }, SoundId::Other},
    };
    for (const Case& k : cases) {
        Rig rig(kMusicOn, false);
        rig.sound.startWarnings = {kNoDevice};
        k.act(rig.game);
        EXPECT_EQ(rig.sound.starts, 1) << k.what;
        ASSERT_FALSE(rig.host.messages.empty());
        EXPECT_EQ(rig.host.messages[0].text, kNoDevice) << "the warning comes first: " << k.what;
        EXPECT_EQ(rig.sound.played, std::vector<SoundId>{k.expected}) << k.what;
        EXPECT_EQ(rig.sound.loops, (Loops{{SoundId::Bgm, true}})) << k.what;
    }
}

TEST(SoundOpening, AWarningWhileTheSoundsOpenDoesNotOpenThemAgain) {
    Rig rig(kMusicOn, false);
    rig.sound.startWarnings = {kNoDevice};
    // The warning box runs events of its own (a timer that would open the sounds, say).
    rig.host.onMessage = [&rig] { rig.game.openSounds(); };
    rig.game.openSounds();
    EXPECT_EQ(rig.sound.starts, 1);
    EXPECT_EQ(rig.host.messages.size(), 1u);
}

TEST(SoundOpening, EscBeforeTheSoundsOpenedReleasesThemOnceAndNothingOpensAfterwards) {
    Rig rig(kMusicOn, false);
    rig.game.keyPress(KEY_ESC);
    EXPECT_EQ(rig.sound.starts, 1);
    EXPECT_EQ(rig.sound.closeCalls, 1);
    rig.game.openSounds();  // a late opening after the end does nothing
    EXPECT_EQ(rig.sound.starts, 1);

    Rig closed(kMusicOn, false);
    closed.game.close();  // the close box before the first picture
    closed.game.openSounds();
    EXPECT_EQ(closed.sound.starts, 0);
    EXPECT_EQ(closed.sound.closeCalls, 1);
}

TEST(SoundOpening, WaitingSoundsKeepOnlyTheLastLoopingRequest) {
    testing::FakeSound real;
    DeferredSound sound(real);
    sound.playLooping(SoundId::Bgm);
    sound.stop(SoundId::Bgm);
    sound.playLooping(SoundId::Other);
    sound.play(SoundId::Vanish);  // nothing to play it with yet
    sound.start([](std::string_view) {});
    EXPECT_EQ(real.loops, (Loops{{SoundId::Other, true}}));
    EXPECT_TRUE(real.played.empty());
    sound.play(SoundId::Vanish);
    sound.stop(SoundId::Other);
    EXPECT_EQ(real.played, std::vector<SoundId>{SoundId::Vanish});
    EXPECT_EQ(real.loops, (Loops{{SoundId::Other, true}, {SoundId::Other, false}}));
    sound.close();
    sound.start([](std::string_view) {});  // never again after closing
    EXPECT_EQ(real.starts, 1);
}

}  // namespace
}  // namespace zorvan
