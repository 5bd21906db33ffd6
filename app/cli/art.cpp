// The game's pictures as JSON (`art --json`), for a front end that draws them itself: the page's
// canvas painter reads exactly these steps (see src/art/art_json.h for the format).
#include <cstdio>
#include <string>

#include "art/art_json.h"
#include "cli.h"
#include "position.h"

namespace zorvan::cli {

int runArt(const Args& args) {
    bool json = false;
    std::string out;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--out" && i + 1 < args.size()) {
            out = args[++i];
        } else {
            return usageError("art: unknown option " + args[i]);
        }
    }
    if (!json) return usageError("art: say --json");
    const std::string text = art::artworkJson();
    std::FILE* file = out.empty() ? stdout : std::fopen(out.c_str(), "wb");
    if (!file) return usageError("art: cannot write " + out);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = out.empty() ? std::fflush(file) == 0 : std::fclose(file) == 0;
    if (!written || !closed) {
        std::fprintf(stderr, "art: writing %s failed\n", out.empty() ? "the output" : out.c_str());
        return 1;
    }
    return 0;
}

}  // namespace zorvan::cli
