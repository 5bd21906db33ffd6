// Stand-ins for the parts of play control that are not in the tree yet. Each disappears when its
// part arrives.
#include "play/hooks.h"

namespace zorvan {

void 読込_環境設定ファイル(Game&) {}

}  // namespace zorvan
