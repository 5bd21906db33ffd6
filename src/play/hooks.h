// Entry points of the parts of play control that live beside the game controller: the options and
// their settings file, the clock display switch, record files and replay. Each is a free function
// over the Game; the menu table in game_menu.cpp routes the menu commands to them.
//
// A menu command whose part is not in the tree yet has no handler in that table.
#pragma once

#include <string>

#include "model/game_state.h"
#include "records/history.h"  // 調査_移動結果

namespace zorvan {

class Game;

void 読込_環境設定ファイル(Game& game);         // apply the settings file (start-up)
void writeSettings(Game& game);                 // write the settings file from the check marks
void setBackgroundCheck(Game& game, int code);  // check the one background item of `code`
void backgroundClick(Game& game, int code);     // a background item of the option menu
void SIDOU_Click(Game& game);                   // move guidance on/off
void CHESS_MOCHIKOMA_Click(Game& game);         // the chess side's hand on/off
void BGM_Click(Game& game);                     // background music on/off
void KEIKA_Click(Game& game);                   // show the players' times on/off

void AFTER_Click(Game& game);    // 進: one move forward
void REPLAY_Click(Game& game);   // 戻: one move back
void CANCEL_Click(Game& game);   // 最初: back to a new game
void REVERSE_Click(Game& game);  // 反転: turn the board round

void KIFU_WRITE_Click(Game& game);                      // 書込: show the record panel for writing
void KIFU_READ_Click(Game& game);                       // 読込: show the record panel's file list
void Command1_Click(Game& game);                        // "RETURN": write the record file
void File1_Click(Game& game, const std::string& path);  // load the chosen record file

}  // namespace zorvan
