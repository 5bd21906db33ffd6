// Every text the game shows a player, in every language it speaks, one a line:
//   catalogue <language> <text>   a text of the catalogue compiled into the core (for "ja" the
//                                 Japanese keys, for the others their translations)
//   menu <language> <text>        a caption of the menu tree
//   drawn <language> <text>       a text the core drew on the canvas or put into a box (message,
//                                 question, title) while streams of presses, menu commands, clock
//                                 ticks and record steps played games (levels 1 to 5, the hint,
//                                 the handicaps, the options, records written and read back)
// Fields are separated by tabs; a line break inside a text is written "\n". The web tests check
// that the page's font holds every character of these texts.
//
//   zorvan-drawn-texts FILE [EVENTS]     EVENTS per language (default 3000)
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "fakes.h"
#include "play/hooks.h"
#include "rules/legal_moves.h"
#include "search/think.h"
#include "text/catalogue_data.h"
#include "ui/menu_tree.h"

namespace zorvan {
namespace {

using testing::Rig;
using Line = std::pair<std::string, std::string>;  // kind, text

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c != '\r')
            out += c;
    }
    return out;
}

// Everything the fakes saw since the last call, then forgotten.
void collect(Rig& rig, std::set<Line>& seen) {
    for (const auto& op : rig.canvas.ops)
        if (op.kind == testing::FakeCanvas::Op::Text) seen.insert({"drawn", op.text});
    for (const testing::Shown& m : rig.host.messages) {
        seen.insert({"drawn", m.text});
        seen.insert({"drawn", m.title});
    }
    rig.forget();
}

std::unique_ptr<Rig> newGame(const std::filesystem::path& folder) {
    auto rig = std::make_unique<Rig>(
        "背景画=宇宙\r\n移動指導=ON\r\n経過時間=ON\r\nチェス側持駒OK=ON\r\nBGM=OFF\r\n");
    // The stronger levels think one ply deep: their texts, not their strength, are wanted.
    rig->game.setStrongSearch([](const GameState& g, const search::Limits& limits) {
        search::Limits quick = limits;
        quick.depth = 1;
        quick.movetimeMs = 0;
        return search::think(g, quick);
    });
    rig->host.panel.folder = folder.string();
    rig->host.panel.fileName = "drawn";
    // Names too long for their bands, so that they are shown cut short.
    rig->host.panel.gameName = std::string(80, 'g');
    rig->host.panel.sente = std::string(80, 's');
    rig->host.panel.gote = std::string(80, 'w');
    return rig;
}

// A stream of `events` events in the current language.
void play(int events, unsigned seed, const std::filesystem::path& folder, std::set<Line>& seen) {
    std::vector<std::string> commands;
    for (const MenuEntry& e : menuTree()) commands.emplace_back(e.name);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> kind(0, 99);
    std::uniform_int_distribution<int> col(-3, 16);
    std::uniform_int_distribution<int> row(-3, 13);
    std::uniform_int_distribution<size_t> pick(0, commands.size() - 1);
    std::uniform_int_distribution<int> piece(0, KIND_COUNT);
    std::unique_ptr<Rig> rig = newGame(folder);
    auto legal = std::make_unique<MoveList>();
    const std::string record = (folder / "drawn.棋譜").string();
    for (int i = 0; i < events; ++i) {
        if (rig->game.ended()) {
            collect(*rig, seen);
            rig = newGame(folder);
        }
        rig->host.choices = {piece(rng)};
        rig->host.answers = {kind(rng) < 70};
        rig->host.clock += 0.7 + kind(rng) * 40;  // now and then past a minute, an hour
        const int k = kind(rng);
        if (i % 250 == 100) {
            rig->game.menu("Command1");  // the game so far written
        } else if (i % 250 == 200 && std::filesystem::exists(record)) {
            File1_Click(rig->game, record);  // and read back
        } else if (k < 5) {
            rig->game.menu(commands[pick(rng)]);
        } else if (k < 50 && rig->g().TURN != NO_SIDE && rig->g().KIFU_MODE == OFF) {
            generateLegalMoves(rig->g(), *legal);
            if (legal->size == 0) continue;
            const Move& m = (*legal)[std::uniform_int_distribution<int>(0, legal->size - 1)(rng)];
            const int fromRow = m.fromX == UPPER_HAND_COLUMN ? 10 - m.fromY : m.fromY;
            rig->host.choices = {kindOf(m.codeAfter)};
            rig->press(m.fromX, fromRow);
            rig->press(m.toX, m.toY, m.promotes() ? BUTTON_RIGHT : BUTTON_LEFT);
        } else if (k < 62) {
            rig->game.tick();
        } else {
            const int c = k < 85 ? 1 + (col(rng) + 3) % 9 : col(rng);
            const int r = k < 85 ? 1 + (row(rng) + 3) % 9 : row(rng);
            rig->press(c, r, k % 5 == 0 ? BUTTON_RIGHT : BUTTON_LEFT);
        }
        rig->host.finishJobs();
        collect(*rig, seen);
    }
    collect(*rig, seen);
}

}  // namespace
}  // namespace zorvan

int main(int argc, char** argv) {
    using namespace zorvan;
    if (argc < 2) {
        std::fputs("usage: zorvan-drawn-texts FILE [EVENTS]\n", stderr);
        return 2;
    }
    const int events = argc > 2 ? std::stoi(argv[2]) : 3000;
    std::string pattern = (std::filesystem::temp_directory_path() / "zorvan-texts-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    const std::filesystem::path folder = pattern;
    std::ofstream out(argv[1], std::ios::binary);
    for (const std::string_view code : languages()) {
        const LanguageScope scope(code);
        std::set<std::pair<std::string, std::string>> seen;
        for (size_t i = 0; i < catalogue::LANGUAGE_COUNT; ++i) {
            const catalogue::Language& lang = catalogue::LANGUAGES[i];
            for (size_t k = 0; k < lang.size; ++k) {
                if (code == SOURCE_LANGUAGE)
                    seen.insert({"catalogue", std::string(lang.entries[k].id)});
                else if (lang.code == code)
                    seen.insert({"catalogue", std::string(lang.entries[k].text)});
            }
        }
        for (const MenuEntry& e : menuTree()) seen.insert({"menu", std::string(tr(e.caption))});
        play(events, 20261209, folder, seen);
        for (const auto& [kind, text] : seen)
            if (!text.empty()) out << kind << '\t' << code << '\t' << escaped(text) << '\n';
    }
    std::filesystem::remove_all(folder);
    return out ? 0 : 1;
}
