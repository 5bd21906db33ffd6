// The page's module (zorvan-page): the game as the page's scripts drive it. Each exported
// function is one event of the window (start-up, a press on the board, a menu command, a key, a
// clock tick, the record panel's file and button, the worker's answer) or a question the page
// asks between events (the menu tree and its marks, the texts, the pictures). The page calls one
// at a time and never while a box of the game is open (the module waits inside it).
//
// The settings file "ZORVAN.ini" and the records live in the module's file system, in the
// current folder; the page keeps them in the browser's storage between visits.
#include <emscripten/emscripten.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "art/art_json.h"
#include "art/backgrounds.h"
#include "play/game.h"
#include "play/hooks.h"
#include "records/cp932_table_codec.h"
#include "records/record_file.h"
#include "text/catalogue.h"
#include "text/locale_choice.h"
#include "web/page_ports.h"
#include "web/page_texts.h"
#include "web/position_text.h"

namespace {

using namespace zorvan;

struct Page {
    Cp932TableCodec codec;
    web::PageHost host;
    web::PageCanvas canvas;
    web::PageSound sound;
    std::unique_ptr<Game> game;
};

Page& page() {
    static Page p;
    return p;
}

Game* game() {
    Game* g = page().game.get();
    return g && !g->ended() ? g : nullptr;
}

// The text an export returns stays valid until the next call that returns one.
const char* answer(std::string text) {
    static std::string kept;
    kept = std::move(text);
    return kept.c_str();
}

}  // namespace

extern "C" {

// Start-up in `language` (a code of the game's languages; another leaves Japanese): the game is
// made, the settings file read and the whole screen drawn. The sounds open at the player's first
// action. Called once.
EMSCRIPTEN_KEEPALIVE void zorvan_page_start(const char* language) {
    Page& p = page();
    if (p.game) return;
    setLanguage(language ? language : "");
    p.game = std::make_unique<Game>(p.host, &p.canvas, &p.sound);
    p.game->setFiles("ZORVAN.ini", &p.codec);
    p.host.setChecks(&p.game->state().checks);
    p.game->startUp(false);
    p.host.checksChanged();
}

// The computer's level kept from an earlier visit (1..5), set as start-up left the game.
EMSCRIPTEN_KEEPALIVE void zorvan_page_set_level(int level) {
    if (Game* g = game(); g && level >= 1 && level <= 5) g->レベル_設定(level);
}

// A press on the board at (x, y) twips; button 1 left, 2 right.
EMSCRIPTEN_KEEPALIVE void zorvan_page_press(int button, double x, double y) {
    if (Game* g = game()) g->mousePress(button, x, y);
}

// A menu command, or a top-level menu opened, by its control name.
EMSCRIPTEN_KEEPALIVE void zorvan_page_menu(const char* control) {
    if (Game* g = game()) g->menu(control ? control : "");
}

EMSCRIPTEN_KEEPALIVE void zorvan_page_key(int key) {
    if (Game* g = game()) g->keyPress(key);
}

EMSCRIPTEN_KEEPALIVE void zorvan_page_tick() {
    if (Game* g = game()) g->tick();
}

// A record file of the panel's list, or one the player opened from disk, by its path in the
// module's file system.
EMSCRIPTEN_KEEPALIVE void zorvan_page_open_record(const char* path) {
    if (Game* g = game()) File1_Click(*g, path ? path : "");
}

// The largest record file the game reads: a larger one is refused from its size alone, so the
// page hands the module no more of it than that and one byte.
EMSCRIPTEN_KEEPALIVE double zorvan_page_record_limit() {
    return static_cast<double>(RECORD_FILE_LIMIT);
}

// The worker's answer to search `id` ("" when it failed).
EMSCRIPTEN_KEEPALIVE void zorvan_page_search_done(int id, const char* result, double readyAt) {
    if (!game()) return;
    page().host.searchDone(id, result ? result : "", readyAt);
}

// Makes `code` the language of every text and draws the screen again in it; false for a language
// the game does not speak.
EMSCRIPTEN_KEEPALIVE int zorvan_page_set_language(const char* code) {
    if (!setLanguage(code ? code : "")) return 0;
    if (Game* g = game()) g->画面_再描画();
    return 1;
}

EMSCRIPTEN_KEEPALIVE const char* zorvan_page_language() {
    return answer(std::string(language()));
}

// The language for a browser's preferred languages (one per line, the most wanted first).
EMSCRIPTEN_KEEPALIVE const char* zorvan_page_choose_language(const char* wishes) {
    std::vector<std::string> list;
    std::istringstream lines(wishes ? wishes : "");
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) list.push_back(line);
    return answer(std::string(chooseLanguage(list)));
}

EMSCRIPTEN_KEEPALIVE const char* zorvan_page_languages() {
    return answer(web::languagesJson());
}

EMSCRIPTEN_KEEPALIVE const char* zorvan_page_menu_tree() {
    return answer(web::menuTreeJson());
}

EMSCRIPTEN_KEEPALIVE const char* zorvan_page_texts() {
    return answer(web::pageTextsJson());
}

EMSCRIPTEN_KEEPALIVE const char* zorvan_page_checks() {
    const Game* g = page().game.get();
    return answer(web::PageHost::checksJson(g ? g->state().checks : OptionChecks{}));
}

// 1 once the game has ended the program (終わり, Esc, "No" to continue).
EMSCRIPTEN_KEEPALIVE int zorvan_page_ended() {
    const Game* g = page().game.get();
    return g && g->ended() ? 1 : 0;
}

// Every picture's drawing steps (art/art_json.h).
EMSCRIPTEN_KEEPALIVE const char* zorvan_page_artwork() {
    return answer(art::artworkJson());
}

// A background tile of `width` x `height` pixels (RGBA, rows from the top), valid until the next
// call.
EMSCRIPTEN_KEEPALIVE const uint8_t* zorvan_page_background(int id, int variant, int width,
                                                           int height) {
    static std::vector<uint8_t> pixels;
    width = width < 1 ? 1 : width;
    height = height < 1 ? 1 : height;
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    art::renderBackground(id, variant, width, height, pixels.data());
    return pixels.data();
}

// The position as the game holds it (web/position_text.h), for the page's tests.
EMSCRIPTEN_KEEPALIVE const char* zorvan_page_position() {
    const Game* g = page().game.get();
    return answer(g ? web::positionText(g->state()) : std::string());
}

}  // extern "C"
