// TEMPORARY stand-ins; see pending.h.
#include "play/pending.h"

namespace zorvan {

ComMove comSearch(GameState&, ComPorts&) {
    return {};
}

}  // namespace zorvan
