// The native game driven by the events a page test gives the page, for the comparison of what
// both show: the same presses, menu commands, answers and record panel texts go to the core's
// Game over recording ports, and the program prints, as JSON, every box shown, every text drawn on
// the board and the final position (web/position_text.h). A record written with "RETURN" goes
// into the folder given. The clock stands still (as the page's clock does in that test).
//
//   zorvan-page-replay SCRIPT FOLDER
//
// SCRIPT has one event a line:
//   press BUTTON X Y          a press on the board (twips)
//   menu NAME                 a menu command by control name
//   answer yes|no             the answer to the next question (Yes when none is left)
//   choose KIND               the piece pressed in the next piece choice dialog
//   panel N TEXT              record panel box N (1 game name, 2 first player, 3 second player,
//                             4 file name) holds TEXT
//   open PATH                 the record file PATH chosen in the record panel
//   language CODE             the game's language from now on (the screen drawn again)
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "../fakes.h"
#include "play/game.h"
#include "play/hooks.h"
#include "text/catalogue.h"
#include "records/cp932_table_codec.h"
#include "web/page_texts.h"
#include "web/position_text.h"

namespace {

using namespace zorvan;

// Exactly the double, as JSON.parse reads it back.
std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: zorvan-page-replay SCRIPT FOLDER\n";
        return 2;
    }
    std::ifstream script(argv[1]);
    if (!script) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 2;
    }
    const std::string folder = argv[2];
    testing::FakeHost host;
    testing::FakeCanvas canvas;
    testing::FakeSound sound;
    Cp932TableCodec codec;
    host.panel.folder = folder;
    Game game(host, &canvas, &sound);
    game.setFiles(folder + "/ZORVAN.ini", &codec);
    game.startUp();

    for (std::string line; std::getline(script, line);) {
        std::istringstream in(line);
        std::string event;
        in >> event;
        if (event == "press") {
            int button = 0;
            double x = 0, y = 0;
            in >> button >> x >> y;
            game.mousePress(button, x, y);
        } else if (event == "menu") {
            std::string name;
            in >> name;
            game.menu(name);
        } else if (event == "answer") {
            std::string a;
            in >> a;
            host.answers.push_back(a == "yes");
        } else if (event == "choose") {
            int kind = 0;
            in >> kind;
            host.choices.push_back(kind);
        } else if (event == "panel") {
            int field = 0;
            in >> field;
            std::string text;
            std::getline(in >> std::ws, text);
            std::string* box[] = {&host.panel.gameName, &host.panel.sente, &host.panel.gote,
                                  &host.panel.fileName};
            if (field >= 1 && field <= 4) *box[field - 1] = text;
        } else if (event == "open") {
            std::string path;
            std::getline(in >> std::ws, path);
            if (!game.ended()) File1_Click(game, path);
        } else if (event == "language") {
            std::string code;
            in >> code;
            setLanguage(code);
            if (!game.ended()) game.画面_再描画();  // as the page draws itself again
        } else if (!event.empty()) {
            std::cerr << "unknown event: " << line << "\n";
            return 2;
        }
    }

    std::cout << "{\"messages\":[";
    for (size_t i = 0; i < host.messages.size(); ++i)
        std::cout << (i ? "," : "") << "{\"text\":" << web::jsonString(host.messages[i].text)
                  << ",\"title\":" << web::jsonString(host.messages[i].title)
                  << ",\"question\":" << (host.isQuestion[i] ? "true" : "false") << "}";
    std::cout << "],\"texts\":[";
    bool first = true;
    for (const auto& op : canvas.ops) {
        if (op.kind != testing::FakeCanvas::Op::Text || op.text.empty()) continue;
        std::cout << (first ? "" : ",") << "{\"c\":" << number(op.c) << ",\"r\":" << number(op.r)
                  << ",\"text\":" << web::jsonString(op.text) << ",\"colour\":" << op.id
                  << ",\"size\":" << op.size << "}";
        first = false;
    }
    std::cout << "],\"position\":" << web::jsonString(web::positionText(game.state())) << "}\n";
    return 0;
}
