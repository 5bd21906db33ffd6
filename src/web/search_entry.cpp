// The stronger computer's entry point for the page's Web Worker: one request in, one answer out,
// both in the text of search/request.h. The worker holds its own instance of this module; the
// page stops a search by ending the worker.
#include <emscripten/emscripten.h>

#include <string>

#include "search/request.h"

extern "C" {

// Searches the position of `request` within its limits and returns the answer, or an empty text
// when `request` is not a well-formed request. The answer stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* zorvan_search(const char* request) {
    static std::string answer;
    zorvan::GameState g;
    zorvan::search::Limits limits;
    if (!request || !zorvan::search::decodeRequest(request, g, limits)) {
        answer.clear();
        return answer.c_str();
    }
    limits.threads = 1;  // a worker has no threads of its own
    answer = zorvan::search::encodeResult(zorvan::search::think(g, limits));
    return answer.c_str();
}

}  // extern "C"
