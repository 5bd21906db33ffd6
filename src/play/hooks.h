// Entry points of the parts of play control that live beside the game controller: the options and
// their settings file, the clock display switch, record files and replay. Each is a free function
// over the Game; the menu table in game_menu.cpp routes the menu commands to them.
//
// A part that is not in the tree yet is a stand-in that does nothing (see hooks_pending.cpp).
#pragma once

namespace zorvan {

class Game;

void 読込_環境設定ファイル(Game& game);  // apply the settings file (start-up)

}  // namespace zorvan
