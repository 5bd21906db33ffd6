// Entry points of the parts of play control that live beside the game controller: the options and
// their settings file, the clock display switch, record files and replay. Each is a free function
// over the Game; the menu table in game_menu.cpp routes the menu commands to them.
//
// A part that is not in the tree yet is a stand-in that does nothing (see hooks_pending.cpp).
#pragma once

namespace zorvan {

class Game;

void 読込_環境設定ファイル(Game& game);  // apply the settings file (start-up)
void writeSettings(Game& game);            // write the settings file from the check marks
void setBackgroundCheck(Game& game, int code);  // check the one background item of `code`
void backgroundClick(Game& game, int code);     // a background item of the option menu
void SIDOU_Click(Game& game);                   // move guidance on/off
void CHESS_MOCHIKOMA_Click(Game& game);         // the chess side's hand on/off
void BGM_Click(Game& game);                     // background music on/off
void KEIKA_Click(Game& game);                   // show the players' times on/off

}  // namespace zorvan
