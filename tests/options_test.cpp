// The option menu, the settings file and the clock display switch.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "fakes.h"
#include "platform/text/cp932_codec.h"
#include "ui/drawing.h"

namespace zorvan {
namespace {

using testing::Rig;

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string kDefaults =
    "背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nチェス側持駒OK=OFF\r\nBGM=ON\r\n";

TEST(Settings, MissingFileStartsWithTheDefaultsAndWritesThem) {
    Rig rig("");
    const OptionChecks& c = rig.g().checks;
    EXPECT_TRUE(c.MIDORI);
    EXPECT_FALSE(c.SIDOU);
    EXPECT_TRUE(c.KEIKA);
    EXPECT_FALSE(c.CHESS_MOCHIKOMA);
    EXPECT_TRUE(c.BGM);
    EXPECT_EQ(rig.g().BACKGROUND, BG_MIDORI);
    EXPECT_EQ(fileBytes(rig.settingsPath), kDefaults);
    EXPECT_TRUE(rig.host.messages.empty()) << "no message for a missing settings file";
}

TEST(Settings, LinesAreComparedWhole) {
    struct Case {
        std::string file;
        int background;
        bool guide, clock, chessHand, bgm;
    } cases[] = {
        {"背景画=竹\r\n移動指導=ON\r\n経過時間=OFF\r\nチェス側持駒OK=ON\r\nBGM=OFF\r\n", BG_TAKE,
         true, false, true, false},
        // An unknown background keeps start-up's; the other lines are still read.
        {"背景画=紫\r\n移動指導=ON\r\n経過時間=ON\r\nチェス側持駒OK=OFF\r\nBGM=ON\r\n", BG_MIDORI,
         true, true, false, true},
        // Letter case counts: "on" is off.
        {"背景画=宇宙\r\n移動指導=on\r\n経過時間=OFF\r\nチェス側持駒OK=OFF\r\nBGM=OFF\r\n", BG_UCHU,
         false, false, false, false},
    };
    for (const Case& k : cases) {
        Rig rig(k.file);
        const OptionChecks& c = rig.g().checks;
        EXPECT_EQ(rig.g().BACKGROUND, k.background) << k.file;
        EXPECT_EQ(c.SIDOU, k.guide) << k.file;
        EXPECT_EQ(rig.g().GUIDE_ON, k.guide ? 1 : 0) << k.file;
        EXPECT_EQ(rig.g().COLOR_GUIDE, k.guide ? COLOR_WHITE : COLOR_GRID) << k.file;
        EXPECT_EQ(c.KEIKA, k.clock) << k.file;
        EXPECT_EQ(c.CHESS_MOCHIKOMA, k.chessHand) << k.file;
        EXPECT_EQ(c.BGM, k.bgm) << k.file;
        EXPECT_EQ(fileBytes(rig.settingsPath), k.file) << "a complete file is not rewritten";
    }
}

TEST(Settings, AShortFileIsCompletedWithTheDefaults) {
    Rig rig("背景画=煉瓦\r\n移動指導=ON\r\n経過時間=OFF\r\n");
    const OptionChecks& c = rig.g().checks;
    EXPECT_EQ(rig.g().BACKGROUND, BG_MIDORI) << "the background returns to green";
    EXPECT_TRUE(c.MIDORI);
    EXPECT_FALSE(c.RENGA);
    EXPECT_FALSE(c.SIDOU);
    EXPECT_EQ(rig.g().GUIDE_ON, 1) << "guidance's own value keeps what line 2 set";
    EXPECT_TRUE(c.KEIKA);
    EXPECT_EQ(fileBytes(rig.settingsPath), kDefaults);
}

TEST(Settings, OptionClicksAreWrittenAtOnceInTheCodePage) {
    Cp932Codec codec;
    Rig rig;
    rig.game.setFiles(rig.settingsPath, &codec);
    rig.game.menu("TATAMI");
    rig.game.menu("SIDOU");
    rig.game.menu("CHESS_MOCHIKOMA");
    std::string expected;
    ASSERT_TRUE(codec.encode(
        "背景画=畳\r\n移動指導=ON\r\n経過時間=OFF\r\nチェス側持駒OK=ON\r\nBGM=OFF\r\n", expected));
    EXPECT_EQ(fileBytes(rig.settingsPath), expected);
    EXPECT_EQ(rig.g().BACKGROUND, BG_TATAMI);
    EXPECT_TRUE(rig.g().checks.TATAMI);
    EXPECT_FALSE(rig.g().checks.MIDORI);

    // Clicking the checked background rewrites the same file and redraws.
    rig.canvas.clear();
    rig.game.menu("TATAMI");
    EXPECT_EQ(fileBytes(rig.settingsPath), expected);
    EXPECT_GT(rig.canvas.ops.size(), 100u);

    // Read back after a restart.
    Rig again("");
    again.game.setFiles(rig.settingsPath, &codec);
    again.game.startUp();
    EXPECT_EQ(again.g().BACKGROUND, BG_TATAMI);
    EXPECT_TRUE(again.g().checks.SIDOU);
    EXPECT_TRUE(again.g().checks.CHESS_MOCHIKOMA);
}

TEST(Settings, GuidanceOffClearsEveryMark) {
    Rig rig;
    rig.game.menu("SIDOU");
    EXPECT_EQ(rig.g().COLOR_GUIDE, COLOR_WHITE);
    rig.canvas.clear();
    rig.game.menu("SIDOU");
    EXPECT_EQ(rig.g().GUIDE_ON, 0);
    EXPECT_EQ(rig.g().COLOR_GUIDE, COLOR_UNPICK);
    EXPECT_EQ(rig.canvas.lastOutlineAt(5, 5), COLOR_UNPICK);
    EXPECT_EQ(rig.canvas.lastOutlineAt(-1, 7), COLOR_UNPICK);
    EXPECT_EQ(rig.canvas.lastOutlineAt(11, 9), COLOR_UNPICK);
}

TEST(Settings, AnUnwritableFolderLeavesTheGameRunningWithTheDefaults) {
    Rig rig;
    rig.game.setFiles("/nonexistent-folder/ZORVAN.ini", nullptr);
    rig.game.menu("CHESS_MOCHIKOMA");
    rig.game.menu("BGM");
    // Both writes failed: the check marks went back to the defaults and nothing was shown.
    EXPECT_TRUE(rig.g().checks.KEIKA);
    EXPECT_FALSE(rig.g().checks.CHESS_MOCHIKOMA);
    EXPECT_TRUE(rig.host.messages.empty());
}

TEST(Clock, DisplaySwitchShowsAndErasesTheTimes) {
    Rig rig;
    rig.game.menu("MATCH_MAN");
    rig.g().LOWER_TIME = 3725;
    rig.g().UPPER_TIME = 59.9;
    rig.canvas.clear();
    rig.game.menu("KEIKA");
    EXPECT_TRUE(rig.g().checks.KEIKA);
    EXPECT_TRUE(rig.host.timer);
    const auto shown = rig.canvas.textsIn(COLOR_WHITE);
    EXPECT_NE(std::find(shown.begin(), shown.end(), "01:02:05"), shown.end());
    EXPECT_NE(std::find(shown.begin(), shown.end(), "00:00:59"), shown.end());
    rig.canvas.clear();
    rig.game.menu("KEIKA");
    EXPECT_FALSE(rig.host.timer);
    EXPECT_TRUE(rig.canvas.textsIn(COLOR_WHITE).empty());
    EXPECT_EQ(rig.canvas.lastPictureAt(13, 10), BG_MIDORI);
    EXPECT_EQ(rig.canvas.lastPictureAt(-1, 10), BG_MIDORI);
}

TEST(Clock, TextsAndTheMidnightWrap) {
    EXPECT_EQ(調査_時間秒追加結果(0), "00:00:00");
    EXPECT_EQ(調査_時間秒追加結果(3599.5), "00:59:59");
    EXPECT_EQ(調査_時間秒追加結果(36000), "10:00:00");
    EXPECT_EQ(調査_時間秒追加結果(360000), ":00:00");
    EXPECT_NEAR(調査_経過秒(86399.5, 0.7), 1.2, 1e-9);
    EXPECT_DOUBLE_EQ(調査_経過秒(100, 160.5), 60.5);
}

}  // namespace
}  // namespace zorvan
