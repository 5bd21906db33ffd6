// The game's languages: the catalogue's lookups and composed texts, the choice of a language
// from the locale variables, and the game speaking English through its ports while the Japanese
// game and its files stay as they are.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "fakes.h"
#include "records/record_file.h"
#include "text/catalogue.h"
#include "text/locale_choice.h"
#include "ui/drawing.h"

namespace zorvan {
namespace {

using testing::Rig;
using testing::Shown;

TEST(Catalogue, ComposedTextsFillTheirNamedParts) {
    const struct {
        const char* pattern;
        const char* text;
    } cases[] = {
        {"{winner} won.", "You won."},
        {"{n} 手目", "12 手目"},
        {"Move {n} of {winner}", "Move 12 of You"},
        {"{n}{n}", "1212"},
        {"{other} {n}", "{other} 12"},  // a name with no value stays as written
        {"{n", "{n"},
        {"}{n}{", "}12{"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format(c.pattern, {{"n", "12"}, {"winner", "You"}}), c.text) << c.pattern;
}

TEST(Catalogue, JapaneseIsTheCodesOwnTextsAndEnglishTheCatalogues) {
    EXPECT_EQ(language(), "ja");  // until a front end chooses
    EXPECT_TRUE(speaksSource());
    EXPECT_EQ(tr("続けますか？"), "続けますか？");
    EXPECT_EQ(trc("menu", "終わり"), "終わり");
    {
        const LanguageScope english("en");
        EXPECT_FALSE(speaksSource());
        EXPECT_EQ(tr("続けますか？"), "Play again?");
        // One Japanese text, two meanings.
        EXPECT_EQ(trc("menu", "終わり"), "Quit");
        EXPECT_EQ(tr("終わり"), "The end of the record.");
        EXPECT_EQ(tr(NC_("piece", "飛成")), "D");
        // A text the catalogue does not have is shown as it is.
        EXPECT_EQ(tr("どこにもない"), "どこにもない");
    }
    EXPECT_EQ(language(), "ja");
    EXPECT_FALSE(setLanguage("xx"));
    EXPECT_EQ(language(), "ja");
    const std::vector<std::string_view> spoken = languages();
    EXPECT_NE(std::find(spoken.begin(), spoken.end(), "en"), spoken.end());
}

TEST(LanguageChoice, TheLocaleVariablesInGettextsOrder) {
    const struct {
        std::map<std::string, std::string> env;
        const char* language;
    } cases[] = {
        {{}, "en"},
        {{{"LANG", "ja_JP.UTF-8"}}, "ja"},
        {{{"LANG", "en_US.UTF-8"}}, "en"},
        {{{"LANG", "de_DE.UTF-8"}}, "en"},  // a language the game does not speak
        {{{"LANG", "C.UTF-8"}}, "en"},
        {{{"LANG", "ja_JP.eucJP"}}, "ja"},
        {{{"LANG", "ja"}}, "ja"},
        {{{"LC_MESSAGES", "ja_JP.UTF-8"}, {"LANG", "en_US.UTF-8"}}, "ja"},
        {{{"LC_ALL", "en_GB.UTF-8"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}, "en"},
        {{{"LC_ALL", ""}, {"LANG", "ja_JP.UTF-8"}}, "ja"},  // an empty variable counts as unset
        {{{"LANGUAGE", "ja"}, {"LANG", "en_US.UTF-8"}}, "ja"},
        {{{"LANGUAGE", "de:fr:ja:en"}, {"LANG", "en_US.UTF-8"}}, "ja"},
        {{{"LANGUAGE", "de:fr"}, {"LANG", "ja_JP.UTF-8"}}, "ja"},
        {{{"LANGUAGE", "en_US:ja"}, {"LANG", "ja_JP.UTF-8"}}, "en"},
        {{{"LANGUAGE", "POSIX"}, {"LANG", "ja_JP.UTF-8"}}, "en"},
        {{{"LANG", "JA_jp"}}, "ja"},
    };
    for (const auto& c : cases) {
        auto getenv = [&c](const char* name) -> const char* {
            const auto found = c.env.find(name);
            return found == c.env.end() ? nullptr : found->second.c_str();
        };
        std::string what;
        for (const auto& [name, value] : c.env) what += name + "=" + value + " ";
        EXPECT_EQ(chooseLanguage(environmentWishes(getenv)), c.language) << what;
    }
    // A browser's wishes.
    EXPECT_EQ(chooseLanguage({"en-US", "ja"}), "en");
    EXPECT_EQ(chooseLanguage({"fr-FR", "ja-JP"}), "ja");
}

// The texts an English player meets, made by the game itself: its message boxes, the move
// counter and the move text.
TEST(EnglishGame, BoxesCounterAndMoveTextSpeakEnglish) {
    const LanguageScope english("en");
    Rig rig;
    rig.press(5, 7);
    EXPECT_EQ(rig.host.messages,
              (std::vector<Shown>{{"Start a game from the Game menu.", "Start"}}));
    rig.forget();
    rig.game.menu("MATCH_MAN");
    EXPECT_EQ(rig.host.messages,
              (std::vector<Shown>{{"The first player (shogi army) to move.", " "}}));
    rig.forget();
    auto shown = [&rig](const std::string& text) {
        const std::vector<std::string> white = rig.canvas.textsIn(COLOR_WHITE);
        return std::find(white.begin(), white.end(), text) != white.end();
    };
    rig.move(7, 7, 7, 6);
    EXPECT_TRUE(shown("Move 1"));
    EXPECT_TRUE(shown("P37-36"));
    rig.move(5, 2, 5, 4);
    EXPECT_TRUE(shown("Move 2"));
    EXPECT_TRUE(shown("Ⓟ52-54"));
}

TEST(EnglishGame, TheWinnerAndTheHandicapTitlesAreComposed) {
    const LanguageScope english("en");
    Rig rig;
    rig.host.answers = {true};
    rig.game.終了(tr("あなた"));
    EXPECT_EQ(rig.host.messages,
              (std::vector<Shown>{{"You won.", "Game over"}, {"Play again?", "New game"}}));
    EXPECT_EQ(labelText(-10), "Handicap: Meijin");
    EXPECT_EQ(labelText(-2), "Handicap: 1 dan");
    EXPECT_EQ(labelText(-9), "Handicap: 8 dan");
    EXPECT_EQ(labelText(10), "Handicap: 12 kyu");
    EXPECT_EQ(labelText(LABEL_MOVES), "Move");
}

TEST(EnglishGame, TheJapaneseTextsAreTheGamesOwn) {
    Rig rig;
    rig.host.answers = {true};
    rig.game.終了(tr("あなた"));
    EXPECT_EQ(rig.host.messages,
              (std::vector<Shown>{{"あなたの勝ちです", "終了"}, {"続けますか？", "再ゲーム"}}));
    for (int level = -10; level <= 10; ++level)
        EXPECT_EQ(labelText(level).rfind("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:", 0), 0u) << level;
    EXPECT_EQ(labelText(-2), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段");
    EXPECT_EQ(labelText(1), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級");
    EXPECT_EQ(labelText(9), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級");
}

// The record file is the same whichever language the game was played in, and the settings file
// keeps its Japanese lines.
TEST(EnglishGame, FilesDoNotChangeWithTheLanguage) {
    auto play = [](std::string_view code) {
        const LanguageScope scope(code);
        Rig rig;
        rig.game.menu("MATCH_MAN");
        rig.move(7, 7, 7, 6);
        rig.move(5, 2, 5, 4);
        rig.game.menu("SIDOU");  // writes the settings file
        std::string bytes;
        const RecordNames names{"game", "first", "second"};
        EXPECT_EQ(buildRecord(rig.g(), names, rig.game.codec(), bytes), RecordError::None);
        std::ifstream in(rig.settingsPath, std::ios::binary);
        const std::string settings{std::istreambuf_iterator<char>(in), {}};
        return std::pair{bytes, settings};
    };
    const auto japanese = play("ja");
    const auto english = play("en");
    EXPECT_EQ(english.first, japanese.first);
    EXPECT_EQ(english.second, japanese.second);
    EXPECT_NE(japanese.second.find("移動指導=ON"), std::string::npos);
}

}  // namespace
}  // namespace zorvan
