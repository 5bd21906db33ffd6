// TEMPORARY stand-ins; see pending.h.
#include "play/pending.h"

namespace zorvan {

int 移動チェック(const GameState&, int, int, int, int, int) { return OFF; }
int 調査_駒成(GameState&, int, int, int, int, int) { return OFF; }
int 移動後チェック(const GameState&, int, int) { return ON; }
int 調査_駒成人選(const GameState&, int, int, int, int, int) { return OFF; }
void 調査_2歩フラグ設定(GameState&) {}
void 調査_先手後手(GameState&) {}
void 駒移動(GameState&, Drawing&, int, int, int, int, int) {}
void 手順保存(GameState&, int, int, int, int, int, int, int, double, double, double, double) {}
void 勢力調査(GameState&) {}
int 詰めかCOM(GameState&) { return OFF; }
int 詰めかMAN(GameState&) { return OFF; }
ComMove comSearch(GameState&, ComPorts&) { return {}; }

}  // namespace zorvan
