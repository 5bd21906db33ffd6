#include "platform/menu_tree.h"

namespace zorvan {

namespace {

constexpr MenuEntry kTree[] = {
    {"TAIKYOKU", "対局", nullptr, false},
    {"MATCH_MAN", "対局(人間)", "TAIKYOKU", false},
    {"START2", "対局(COM)", "TAIKYOKU", false},
    {"LEVEL", "COM対局ﾚﾍﾞﾙ", "TAIKYOKU", false},
    {"LEVEL1", "LEVEL1", "LEVEL", true},
    {"LEVEL2", "LEVEL2", "LEVEL", true},
    {"LEVEL3", "LEVEL3", "LEVEL", true},
    {"LEVEL4", "LEVEL4", "LEVEL", true},
    {"LEVEL5", "LEVEL5", "LEVEL", true},
    {"HINT", "ﾋﾝﾄ", "TAIKYOKU", false},
    {"OWARI", "終わり", "TAIKYOKU", false},
    {"STOP", "局面", nullptr, false},
    {"CANCEL", "最初", "STOP", false},
    {"REVERSE", "反転", "STOP", false},
    {"REPLAY", "戻", nullptr, false},
    {"AFTER", "進", nullptr, false},
    {"LBEL_UP", "△", nullptr, false},
    {"LEBEL_DOWN", "▽", nullptr, false},
    {"KIFU", "棋譜", nullptr, false},
    {"KIFU_READ", "読込", "KIFU", false},
    {"KIFU_WRITE", "書込", "KIFU", false},
    {"OPTION", "ｵﾌﾟｼｮﾝ", nullptr, false},
    {"HAIKEI_GA", "背景画", "OPTION", false},
    {"MIDORI", "緑", "HAIKEI_GA", true},
    {"TATAMI", "畳", "HAIKEI_GA", true},
    {"TAKE", "竹", "HAIKEI_GA", true},
    {"UCHU", "宇宙", "HAIKEI_GA", true},
    {"RENGA", "煉瓦", "HAIKEI_GA", true},
    {"SIDOU", "移動指導", "OPTION", true},
    {"KEIKA", "経過時間", "OPTION", true},
    {"CHESS_MOCHIKOMA", "ﾁｪｽ側持駒OK", "OPTION", true},
    {"BGM", "BGM", "OPTION", true},
    {"VER", "その他", nullptr, false},
};

}  // namespace

std::span<const MenuEntry> menuTree() {
    return kTree;
}

}  // namespace zorvan
