// The option menu and its settings file "ZORVAN.ini": five positional lines in the Japanese code
// page with CR LF line ends. The check marks are the options' state; every change is written at
// once, through a temporary file renamed over the settings file so a crash or a full disk never
// leaves half a file behind.
#include <array>
#include <fstream>
#include <string>
#include <vector>

#include "play/game.h"
#include "play/hooks.h"
#include "records/record_file.h"

namespace zorvan {

namespace {

struct BackgroundLine {
    const char* text;
    int code;
};
// In the order the reader tests them.
constexpr std::array<BackgroundLine, 5> kBackgroundLines = {{{"背景画=緑", BG_MIDORI},
                                                             {"背景画=竹", BG_TAKE},
                                                             {"背景画=畳", BG_TATAMI},
                                                             {"背景画=宇宙", BG_UCHU},
                                                             {"背景画=煉瓦", BG_RENGA}}};

constexpr const char* kGuideOn = "移動指導=ON";
constexpr const char* kClockOn = "経過時間=ON";
constexpr const char* kChessHandOn = "チェス側持駒OK=ON";
constexpr const char* kBgmOn = "BGM=ON";

constexpr size_t kSettingsLimit = 64 * 1024;  // a larger file is not a settings file

bool& backgroundCheck(OptionChecks& c, int code) {
    switch (code) {
        case BG_TATAMI:
            return c.TATAMI;
        case BG_TAKE:
            return c.TAKE;
        case BG_UCHU:
            return c.UCHU;
        case BG_RENGA:
            return c.RENGA;
        default:
            return c.MIDORI;
    }
}

// The lines of the settings file, decoded; false when it cannot be read at all.
bool readSettingsLines(Game& game, std::vector<std::string>& lines) {
    std::string bytes;
    if (readWholeFile(game.settingsPath(), bytes, kSettingsLimit) != RecordError::None)
        return false;
    // Only the first five lines say anything; the rest are not even decoded.
    constexpr size_t kLinesRead = 5;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size() && lines.size() < kLinesRead; ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            lines.push_back(game.codec().decode(std::string_view(bytes).substr(start, i - start)));
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < bytes.size() && lines.size() < kLinesRead)
        lines.push_back(game.codec().decode(std::string_view(bytes).substr(start)));
    return true;
}

// The five lines as the check marks say.
std::vector<std::string> settingsLines(const OptionChecks& c) {
    std::vector<std::string> lines;
    const std::pair<bool, const char*> backgrounds[] = {{c.MIDORI, "背景画=緑"},
                                                        {c.TAKE, "背景画=竹"},
                                                        {c.TATAMI, "背景画=畳"},
                                                        {c.UCHU, "背景画=宇宙"},
                                                        {c.RENGA, "背景画=煉瓦"}};
    for (const auto& [checked, text] : backgrounds) {
        if (checked) {
            lines.emplace_back(text);
            break;
        }
    }
    lines.emplace_back(c.SIDOU ? "移動指導=ON" : "移動指導=OFF");
    lines.emplace_back(c.KEIKA ? "経過時間=ON" : "経過時間=OFF");
    lines.emplace_back(c.CHESS_MOCHIKOMA ? "チェス側持駒OK=ON" : "チェス側持駒OK=OFF");
    lines.emplace_back(c.BGM ? "BGM=ON" : "BGM=OFF");
    return lines;
}

bool writeSettingsFile(Game& game, const std::vector<std::string>& lines) {
    std::string bytes, encoded;
    for (const std::string& line : lines) {
        if (!game.codec().encode(line, encoded)) return false;
        bytes += encoded;
        bytes += "\r\n";
    }
    std::string error;
    return writeFileAtomically(game.settingsPath(), bytes, error);
}

void setDefaultChecks(OptionChecks& c) {
    c.MIDORI = true;
    c.TATAMI = c.TAKE = c.UCHU = c.RENGA = false;
    c.SIDOU = false;
    c.KEIKA = true;
    c.CHESS_MOCHIKOMA = false;
    c.BGM = true;
}

// The settings file could not be read completely: apply the defaults and write them.
void recreateWithDefaults(Game& game) {
    GameState& g = game.state();
    setBackgroundCheck(game, BG_MIDORI);
    game.drawing().描画_背景(BG_MIDORI);
    g.BACKGROUND = BG_MIDORI;
    OptionChecks& c = g.checks;
    c.SIDOU = false;
    c.KEIKA = true;
    c.CHESS_MOCHIKOMA = false;
    c.BGM = true;  // checked, but the music is not started
    game.setChecks();
    writeSettingsFile(game, settingsLines(c));
}

}  // namespace

void setBackgroundCheck(Game& game, int code) {
    OptionChecks& c = game.state().checks;
    c.MIDORI = c.TATAMI = c.TAKE = c.UCHU = c.RENGA = false;
    if (code >= BG_MIDORI && code <= BG_RENGA) backgroundCheck(c, code) = true;
    game.setChecks();
}

void writeSettings(Game& game) {
    if (writeSettingsFile(game, settingsLines(game.state().checks))) return;
    // Start over once with the defaults; if that fails too the game goes on as it is.
    setDefaultChecks(game.state().checks);
    game.setChecks();
    writeSettingsFile(game, settingsLines(game.state().checks));
}

void 読込_環境設定ファイル(Game& game) {
    GameState& g = game.state();
    OptionChecks& c = g.checks;
    std::vector<std::string> lines;
    if (!readSettingsLines(game, lines) || lines.empty()) return recreateWithDefaults(game);

    for (const BackgroundLine& b : kBackgroundLines) {
        if (lines[0] == b.text) {
            setBackgroundCheck(game, b.code);
            game.drawing().描画_背景(b.code);
            g.BACKGROUND = b.code;
            break;
        }
    }
    if (lines.size() < 2) return recreateWithDefaults(game);
    if (lines[1] == kGuideOn) {
        g.COLOR_GUIDE = COLOR_WHITE;
        c.SIDOU = true;
        g.GUIDE_ON = 1;
    } else {
        g.COLOR_GUIDE = COLOR_GRID;
        c.SIDOU = false;
        g.GUIDE_ON = 0;
    }
    if (lines.size() < 3) return recreateWithDefaults(game);
    c.KEIKA = lines[2] == kClockOn;
    if (lines.size() < 4) return recreateWithDefaults(game);
    c.CHESS_MOCHIKOMA = lines[3] == kChessHandOn;
    game.setChecks();
    game.画面_再描画();
    if (lines.size() < 5) return recreateWithDefaults(game);
    c.BGM = lines[4] == kBgmOn;
    game.setChecks();
    if (c.BGM) game.sound().playLooping(SoundId::Bgm);
}

void backgroundClick(Game& game, int code) {
    GameState& g = game.state();
    if (!backgroundCheck(g.checks, code)) {
        setBackgroundCheck(game, code);
        g.BACKGROUND = code;
    }
    writeSettings(game);
    game.画面_再描画();
}

void SIDOU_Click(Game& game) {
    GameState& g = game.state();
    if (g.checks.SIDOU) {
        Drawing& d = game.drawing();
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) d.描画_桝輪郭(COLOR_UNPICK, x, y);
        for (int k = 1; k <= 7; ++k) {
            d.描画_桝輪郭(COLOR_UNPICK, -1, k);
            d.描画_桝輪郭(COLOR_UNPICK, 11, k + 2);
        }
        g.checks.SIDOU = false;
        g.GUIDE_ON = 0;
        g.COLOR_GUIDE = COLOR_UNPICK;
    } else {
        g.checks.SIDOU = true;
        g.GUIDE_ON = 1;
        g.COLOR_GUIDE = COLOR_WHITE;
    }
    game.setChecks();
    writeSettings(game);
}

void CHESS_MOCHIKOMA_Click(Game& game) {
    GameState& g = game.state();
    g.checks.CHESS_MOCHIKOMA = !g.checks.CHESS_MOCHIKOMA;
    game.setChecks();
    writeSettings(game);
    game.画面_再描画();
}

void BGM_Click(Game& game) {
    GameState& g = game.state();
    if (!g.checks.BGM) {
        g.checks.BGM = true;
        game.sound().playLooping(SoundId::Bgm);
    } else {
        g.checks.BGM = false;
        game.sound().stop(SoundId::Bgm);
    }
    game.setChecks();
    writeSettings(game);
}

void KEIKA_Click(Game& game) {
    GameState& g = game.state();
    Drawing& d = game.drawing();
    if (g.checks.KEIKA) {
        g.checks.KEIKA = false;
        game.setTimer(false);
        d.消去_所有時間(g.LOWER_PLAYER);
        d.消去_所有時間(g.UPPER_PLAYER);
    } else {
        g.checks.KEIKA = true;
        game.setTimer(game.clockMayRun());
        d.描画_所有時間(g.UPPER_PLAYER, g.UPPER_TIME);
        d.描画_所有時間(g.LOWER_PLAYER, g.LOWER_TIME);
    }
    game.setChecks();
    writeSettings(game);
}

}  // namespace zorvan
