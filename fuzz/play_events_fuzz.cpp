// A long stream of events against the play controller: presses anywhere, every menu command,
// clock ticks, answers to questions, choices in the piece dialog, record writing and loading.
// Whatever comes, the game never holds an impossible position and never ends on its own.
// Each event takes two bytes of the input.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "fakes.h"
#include "fuzz_check.h"
#include "fuzz_files.h"
#include "play/hooks.h"
#include "records/record_file.h"
#include "search/think.h"

using namespace zorvan;

namespace {

constexpr const char* kMenus[] = {
    "START2",     "MATCH_MAN",       "LEVEL1",     "LEVEL2",    "LEVEL3",   "LBEL_UP",
    "LEBEL_DOWN", "AFTER",           "REPLAY",     "CANCEL",    "REVERSE",  "SIDOU",
    "KEIKA",      "CHESS_MOCHIKOMA", "BGM",        "MIDORI",    "TAKE",     "TATAMI",
    "UCHU",       "RENGA",           "KIFU_WRITE", "KIFU_READ", "Command1", "TAIKYOKU",
    "STOP",       "OPTION",          "HAIKEI_GA",  "VER",       "ZORVAN",   "NO_SUCH_MENU"};
constexpr int kMenuCount = sizeof kMenus / sizeof kMenus[0];

bool positionIsSound(const GameState& g) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (g.BOARD[x][y] != EMPTY && !isValidPiece(g.BOARD[x][y])) return false;
    for (int s = 1; s <= HAND_SLOTS; ++s)
        if (g.OWN_HAND[s] < 0 || g.ENEMY_HAND[s] < 0) return false;
    if (g.MOVE_NO < 0 || g.RECORD_END < 0) return false;
    return g.CLICK_PHASE == 0 || g.CLICK_PHASE == 1;
}

// Paints nothing, but every call must land on a cell the window could show, in a known colour and
// size. (Recording each call, as the tests' canvas does, cost a fifth of the time per input.)
class CheckingCanvas final : public Canvas {
public:
    void picture(int, int shade, double c, double r) override {
        FUZZ_CHECK(shade == 0 || shade == 1);
        onTheGrid(c, r);
    }
    void outline(int, double c, double r) override { onTheGrid(c, r); }
    void text(double c, double r, std::string_view, int, int size) override {
        FUZZ_CHECK(size == 10 || size == 12 || size == 16);
        onTheGrid(c, r);
    }
    void refresh() override {}

private:
    static void onTheGrid(double c, double r) {
        FUZZ_CHECK(std::isfinite(c) && std::isfinite(r));
        FUZZ_CHECK(c > -20 && c < 30 && r > -20 && r < 30);
    }
};

// True when the event just handled asked whether to play again and was told no.
bool declinedAnotherGame(const testing::FakeHost& host) {
    const size_t n = host.messages.size();
    return n > 0 && host.isQuestion[n - 1] && host.messages[n - 1].text == "続けますか？" &&
           n >= 2 && host.messages[n - 2].text.ends_with("の勝ちです");
}

// Names are built by appending: GCC 12 reports a false overlap (-Wrestrict) for a short literal
// joined to a temporary string in an optimised build.
std::string recordName(int n) {
    std::string name = "r";
    name += std::to_string(n);
    return name;
}

std::string recordFile(int n) {
    return (fuzz::scratchFolder() / (recordName(n) + RECORD_EXTENSION)).string();
}

// Is the record file at `path` read without refusal?
bool readsAgain(const std::string& path, const TextCodec& codec) {
    std::string bytes;
    LoadedRecord record;
    return readWholeFile(path, bytes, RECORD_FILE_LIMIT) == RecordError::None &&
           readRecord(bytes, codec, record) == RecordError::None;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Every input starts from the same files: quiet settings and no records.
    const std::string settings = (fuzz::scratchFolder() / "ZORVAN.ini").string();
    std::ofstream(settings, std::ios::binary | std::ios::trunc)
        << "背景画=緑\r\n移動指導=OFF\r\n経過時間=OFF\r\nチェス側持駒OK=OFF\r\nBGM=OFF\r\n";
    for (int n = 0; n < 4; ++n) std::remove(recordFile(n).c_str());

    testing::FakeHost host;
    CheckingCanvas canvas;
    testing::FakeSound sound;
    Game game(host, &canvas, &sound);
    game.setFiles(settings, nullptr);
    // The stronger levels' real search, one ply deep, so that a move takes microseconds.
    game.setStrongSearch([](const GameState& g, const search::Limits& limits) {
        search::Limits shallow = limits;
        shallow.depth = 1;
        shallow.movetimeMs = 0;
        return search::think(g, shallow);
    });
    game.startUp();
    host.panel.folder = fuzz::scratchFolder().string();
    host.panel.gameName = "fuzz";

    for (std::size_t i = 0; i + 1 < size && !game.ended(); i += 2) {
        const int op = data[i] % 16;
        const int arg = data[i + 1];
        if (op <= 4) {
            game.mousePress(BUTTON_LEFT, testing::cellX(1 + arg % 9),
                            testing::cellY(1 + arg / 9 % 9));
        } else if (op == 5) {
            game.mousePress(BUTTON_RIGHT, testing::cellX(1 + arg % 9),
                            testing::cellY(1 + arg / 9 % 9));
        } else if (op == 6) {
            // Anywhere in the window and a little beyond, with any button.
            game.mousePress(arg % 3, (arg % 16) * 700.0 - 500.0, (arg / 16) * 600.0 - 400.0);
        } else if (op <= 9) {
            game.menu(kMenus[arg % kMenuCount]);
        } else if (op == 10) {
            host.clock += arg / 8.0;
            game.tick();
        } else if (op == 11) {
            host.answers.push_back(arg % 2 == 0);
        } else if (op == 12) {
            host.choices.push_back(arg % (KIND_COUNT + 2));
        } else if (op == 13) {
            host.panel.fileName = arg % 8 == 0 ? "" : recordName(arg % 4);
            Command1_Click(game);
            // Every record the game writes reads again.
            if (!host.messages.empty() && host.messages.back().text == "棋譜を書き込みました")
                FUZZ_CHECK(readsAgain(recordFile(arg % 4), game.codec()));
        } else if (op == 14) {
            File1_Click(game, recordFile(arg % 4));
        } else if (arg == KEY_ESC && data[i] >= 240) {
            game.keyPress(KEY_ESC);  // seldom: it ends the program
        } else {
            game.keyPress(arg);
        }
        FUZZ_CHECK(positionIsSound(game.state()));
        // Nothing ends the program but Esc, or "no" to playing again after a game is won.
        FUZZ_CHECK(!game.ended() || (op == 15 && arg == KEY_ESC) || declinedAnotherGame(host));
        host.messages.clear();
        host.isQuestion.clear();
        host.icons.clear();
        sound.played.clear();
    }
    return 0;
}
