// Everything the game remembers, as plain data owned by one GameState.
//
// Names follow the game's own vocabulary: BOARD[x][y] with x = file 1..9 from the left and
// y = rank 1..9 from the top (index 0 is never a square), OWN_* for the lower side (the person),
// ENEMY_* for the upper side (the computer in a game against it). Procedures take the state by
// reference and change it in place; nothing here is global, so tests and the command-line tool
// can hold any number of games side by side.
#pragma once

#include <array>
#include <utility>
#include <vector>

#include "model/com_memory.h"
#include "model/influence_maps.h"
#include "model/piece.h"

namespace zorvan {

using Board = std::array<std::array<int, 10>, 10>;  // [x][y], squares 1..9
using Hand = std::array<int, HAND_SLOTS + 1>;       // [slot], slots 1..12
using FileFlags = std::array<int, 10>;              // [x], files 1..9

// Game modes.
constexpr int MODE_MAN = 0;  // person against person
constexpr int MODE_COM = 1;  // person (lower side) against the computer (upper side)

// Screen geometry in twips: grid cell (c, r) starts at (BOARD_LEFT + c*SQUARE_W, BOARD_TOP +
// r*SQUARE_H).
constexpr int BOARD_LEFT = 1050;
constexpr int BOARD_TOP = 1400;
constexpr int SQUARE_W = 495;
constexpr int SQUARE_H = 615;
constexpr int BOARD_SIZE = 9;
constexpr int WINDOW_W_TWIPS = 9600;
constexpr int WINDOW_H_TWIPS = 10500;

// Palette colour indices (16-colour console palette).
constexpr int COLOR_BLACK = 0;
constexpr int COLOR_GRID = 2;
constexpr int COLOR_UNPICK = 2;
constexpr int COLOR_PICK = 12;
constexpr int COLOR_WHITE = 15;
constexpr int COLOR_MOVE_TEXT = 15;

// Mouse buttons.
constexpr int BUTTON_LEFT = 1;
constexpr int BUTTON_RIGHT = 2;

// Background picture identifiers and the title picture.
constexpr int BG_MIDORI = 22;
constexpr int BG_TATAMI = 23;
constexpr int BG_TAKE = 24;
constexpr int BG_UCHU = 25;
constexpr int BG_RENGA = 26;
constexpr int TITLE_PICTURE = 21;

// Fields of PICK, the move being entered with the mouse.
constexpr int BEST_SCORE = 0;
constexpr int FROM_X = 3;
constexpr int FROM_Y = 4;
constexpr int TO_X = 5;
constexpr int TO_Y = 6;
constexpr int PICK_CODE = 8;

// Check marks of the option menu items; the check marks are the options' state.
struct OptionChecks {
    bool MIDORI = true;  // the five backgrounds: exactly one checked
    bool TATAMI = false;
    bool TAKE = false;
    bool UCHU = false;
    bool RENGA = false;
    bool SIDOU = false;            // move guidance
    bool KEIKA = false;            // show the players' times
    bool CHESS_MOCHIKOMA = false;  // "ﾁｪｽ側持駒OK": the chess side may drop from its hand
    bool BGM = false;              // background music
    bool LEVEL1 = false;
    bool LEVEL2 = false;
    bool LEVEL3 = true;
    bool LEVEL4 = false;  // the stronger computer beyond the game's three levels
    bool LEVEL5 = false;
};

// Every check mark with the name of its menu item, as the menus show them (the window's menu bar
// and the page's).
inline std::array<std::pair<const char*, bool>, 14> checkMarks(const OptionChecks& c) {
    return {{{"MIDORI", c.MIDORI}, {"TATAMI", c.TATAMI},
             {"TAKE", c.TAKE},     {"UCHU", c.UCHU},
             {"RENGA", c.RENGA},   {"SIDOU", c.SIDOU},
             {"KEIKA", c.KEIKA},   {"CHESS_MOCHIKOMA", c.CHESS_MOCHIKOMA},
             {"BGM", c.BGM},       {"LEVEL1", c.LEVEL1},
             {"LEVEL2", c.LEVEL2}, {"LEVEL3", c.LEVEL3},
             {"LEVEL4", c.LEVEL4}, {"LEVEL5", c.LEVEL5}}};
}

struct GameState {
    // --- position ---
    Board BOARD{};
    Board SQUARE_SHADE{};  // 1 where file and rank are both odd or both even
    Hand OWN_HAND{};
    Hand ENEMY_HAND{};
    int OWN_HAND_COUNT = 0;
    int ENEMY_HAND_COUNT = 0;
    int OWN_KING_X = 0;
    int OWN_KING_Y = 0;
    int ENEMY_KING_X = 0;
    int ENEMY_KING_Y = 0;
    FileFlags OWN_PAWN_FILE{};    // 1 where the lower side has an unpromoted 歩 on the file
    FileFlags ENEMY_PAWN_FILE{};  // the same for the upper side
    InfluenceMaps maps;           // rebuilt by the influence survey
    ComMemory com;                // the computer player's snapshots and per-turn maps

    // --- players and game ---
    int LOWER_PLAYER = SENTE;
    int UPPER_PLAYER = GOTE;
    int TURN = NO_SIDE;
    int WINNER = NO_SIDE;
    int GAME_MODE = MODE_MAN;
    int KIFU_MODE = OFF;
    int RESUME_PENDING = OFF;
    int REVERSED = OFF;
    int HANDICAP_ON = OFF;
    int HANDICAP_LEVEL = 0;
    int COM_LEVEL = 3;
    int GUIDE_ON = OFF;
    int COLOR_GUIDE = COLOR_GRID;
    int PROMOTE_CODE = OFF;
    int BACKGROUND = BG_MIDORI;
    OptionChecks checks;

    // --- the move being entered ---
    int CLICK_PHASE = 0;
    std::array<double, 9> PICK{};

    // --- history: entry n is the position after move n (entry 0 the start) ---
    int MOVE_NO = 0;
    int MOVE_COUNT = 0;
    int RECORD_END = 0;
    std::vector<Board> HISTORY;
    std::vector<Hand> OWN_HAND_HISTORY;
    std::vector<Hand> ENEMY_HAND_HISTORY;
    std::vector<int> MOVE_TO_X;
    std::vector<int> MOVE_TO_Y;
    std::vector<int> MOVE_CODE;
    std::vector<double> CLOCK_LOWER_BEFORE;
    std::vector<double> CLOCK_LOWER_AFTER;
    std::vector<double> CLOCK_UPPER_BEFORE;
    std::vector<double> CLOCK_UPPER_AFTER;

    // --- clock (seconds) ---
    double MOVE_START_TIME = 0;
    double MOVE_ELAPSED = 0;
    int SHOWN_SECOND = 0;
    double LOWER_TIME = 0;
    double UPPER_TIME = 0;
    bool clockRunning = false;  // the tick timer is enabled

    GameState();

    // Makes sure the history tables have an entry n (they grow as a game goes on; a game is never
    // limited to a fixed number of moves). Returns false only for a negative n.
    bool ensureHistory(int n);

    // The hand of a side (lower = OWN_HAND, upper = ENEMY_HAND) and its running total.
    Hand& handOf(Side side) { return side == Side::Lower ? OWN_HAND : ENEMY_HAND; }
    int& handCountOf(Side side) { return side == Side::Lower ? OWN_HAND_COUNT : ENEMY_HAND_COUNT; }

    // Player value of a side and side of a player value.
    int playerOf(Side side) const {
        return side == Side::Lower ? LOWER_PLAYER : (side == Side::Upper ? UPPER_PLAYER : NO_SIDE);
    }
    Side sideOf(int player) const {
        if (player == NO_SIDE) return Side::None;
        if (player == LOWER_PLAYER) return Side::Lower;
        if (player == UPPER_PLAYER) return Side::Upper;
        return Side::None;
    }
};

// Initial number of history entries reserved (a game may grow beyond it).
constexpr int HISTORY_RESERVE = 501;

// True for a board square (1..9, 1..9).
constexpr bool onBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

// Resets a new game: the standard position, empty hands, counters, no game running, HISTORY(0).
// Options and the level are kept. (Stopping the clock timer and redrawing are done by the caller.)
void 初期設定(GameState& g);  // new-game reset

// Fills SQUARE_SHADE (a checkerboard).
void fillSquareShade(GameState& g);

}  // namespace zorvan
