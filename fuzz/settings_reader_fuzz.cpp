// The settings file reader: any file leaves exactly the check marks a settings file can say, a
// file it cannot read completely is replaced by a proper one, and the settings written from the
// check marks read back as the same check marks.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "fakes.h"
#include "fuzz_check.h"
#include "fuzz_files.h"
#include "platform/text/cp932_codec.h"
#include "play/hooks.h"

using namespace zorvan;

namespace {

int backgroundChecks(const OptionChecks& c) {
    return c.MIDORI + c.TAKE + c.TATAMI + c.UCHU + c.RENGA;
}

bool sameChecks(const OptionChecks& a, const OptionChecks& b) {
    return a.MIDORI == b.MIDORI && a.TAKE == b.TAKE && a.TATAMI == b.TATAMI && a.UCHU == b.UCHU &&
           a.RENGA == b.RENGA && a.SIDOU == b.SIDOU && a.KEIKA == b.KEIKA &&
           a.CHESS_MOCHIKOMA == b.CHESS_MOCHIKOMA && a.BGM == b.BGM;
}

// The state the reader sets, as a new game has it, so every input starts alike.
void resetSettings(Game& game) {
    GameState& g = game.state();
    g.checks = OptionChecks{};
    g.BACKGROUND = BG_MIDORI;
    g.GUIDE_ON = 0;
    g.COLOR_GUIDE = COLOR_GRID;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Two games kept from one input to the next (building one for every input is slow).
    static const Cp932Codec codec;
    static const std::string path = (fuzz::scratchFolder() / "ZORVAN.ini").string();
    static testing::FakeHost host, host2;
    static Game game(host), again(host2);
    static const bool ready = [] {
        game.setFiles(path, &codec);
        again.setFiles(path, &codec);
        return true;
    }();
    (void)ready;
    resetSettings(game);
    resetSettings(again);
    host.messages.clear();

    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    読込_環境設定ファイル(game);
    const GameState& g = game.state();
    FUZZ_CHECK(backgroundChecks(g.checks) <= 1);
    FUZZ_CHECK(host.messages.empty());
    // A file read completely is kept, and then guidance follows its check mark. (A file cut short
    // is replaced by the defaults, which leave guidance as the lines read so far set it.)
    std::ifstream in(path, std::ios::binary);
    const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (after == std::string_view(reinterpret_cast<const char*>(data), size))
        FUZZ_CHECK(g.GUIDE_ON == (g.checks.SIDOU ? 1 : 0));

    // Written from the check marks and read by the other game: the same check marks.
    writeSettings(game);
    読込_環境設定ファイル(again);
    if (backgroundChecks(g.checks) == 1) FUZZ_CHECK(sameChecks(g.checks, again.state().checks));
    return 0;
}
