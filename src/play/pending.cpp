// TEMPORARY stand-ins; see pending.h.
#include "play/pending.h"

namespace zorvan {

int 詰めかCOM(GameState&) {
    return OFF;
}
int 詰めかMAN(GameState&) {
    return OFF;
}

}  // namespace zorvan
