#include "ui/menu_tree.h"

namespace zorvan {

namespace {

constexpr MenuEntry kTree[] = {
    {"TAIKYOKU", NC_("menu", "対局"), nullptr, false},
    {"MATCH_MAN", NC_("menu", "対局(人間)"), "TAIKYOKU", false},
    {"START2", NC_("menu", "対局(COM)"), "TAIKYOKU", false},
    {"LEVEL", NC_("menu", "COM対局ﾚﾍﾞﾙ"), "TAIKYOKU", false},
    {"LEVEL1", NC_("menu", "LEVEL1"), "LEVEL", true},
    {"LEVEL2", NC_("menu", "LEVEL2"), "LEVEL", true},
    {"LEVEL3", NC_("menu", "LEVEL3"), "LEVEL", true},
    {"LEVEL4", NC_("menu", "LEVEL4"), "LEVEL", true},
    {"LEVEL5", NC_("menu", "LEVEL5"), "LEVEL", true},
    {"HINT", NC_("menu", "ﾋﾝﾄ"), "TAIKYOKU", false},
    {"OWARI", NC_("menu", "終わり"), "TAIKYOKU", false},
    {"STOP", NC_("menu", "局面"), nullptr, false},
    {"CANCEL", NC_("menu", "最初"), "STOP", false},
    {"REVERSE", NC_("menu", "反転"), "STOP", false},
    {"REPLAY", NC_("menu", "戻"), nullptr, false},
    {"AFTER", NC_("menu", "進"), nullptr, false},
    {"LBEL_UP", NC_("menu", "△"), nullptr, false},
    {"LEBEL_DOWN", NC_("menu", "▽"), nullptr, false},
    {"KIFU", NC_("menu", "棋譜"), nullptr, false},
    {"KIFU_READ", NC_("menu", "読込"), "KIFU", false},
    {"KIFU_WRITE", NC_("menu", "書込"), "KIFU", false},
    {"OPTION", NC_("menu", "ｵﾌﾟｼｮﾝ"), nullptr, false},
    {"HAIKEI_GA", NC_("menu", "背景画"), "OPTION", false},
    {"MIDORI", NC_("menu", "緑"), "HAIKEI_GA", true},
    {"TATAMI", NC_("menu", "畳"), "HAIKEI_GA", true},
    {"TAKE", NC_("menu", "竹"), "HAIKEI_GA", true},
    {"UCHU", NC_("menu", "宇宙"), "HAIKEI_GA", true},
    {"RENGA", NC_("menu", "煉瓦"), "HAIKEI_GA", true},
    {"SIDOU", NC_("menu", "移動指導"), "OPTION", true},
    {"KEIKA", NC_("menu", "経過時間"), "OPTION", true},
    {"CHESS_MOCHIKOMA", NC_("menu", "ﾁｪｽ側持駒OK"), "OPTION", true},
    {"BGM", NC_("menu", "BGM"), "OPTION", true},
    {"VER", NC_("menu", "その他"), nullptr, false},
};

}  // namespace

std::span<const MenuEntry> menuTree() {
    return kTree;
}

}  // namespace zorvan
