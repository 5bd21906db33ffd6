// The stronger computer (levels 4 and 5) and the hint as the game controller sees them: the
// search runs as a background job of the host, which the fake host completes when the test says
// so; the search itself is scripted.
#include <gtest/gtest.h>

#include <functional>

#include "fakes.h"

namespace zorvan {
namespace {

using testing::Rig;

// A search that answers a fixed result and remembers what it was asked.
struct StrongScript {
    search::Result answer;
    struct Call {
        int turn;
        bool hadStop;
        bool stopped;  // the stop flag was set when the search ran
    };
    std::vector<Call> calls;
    Game::StrongSearch search() {
        return [this](const GameState& g, const search::Limits& l) {
            calls.push_back({g.TURN, l.stop != nullptr, l.stop != nullptr && l.stop->load()});
            return answer;
        };
    }
};

search::Result answer(int fx, int fy, int tx, int ty, int code) {
    search::Result r;
    r.found = true;
    r.move = Move{fx, fy, tx, ty, code, code};
    return r;
}

// A level-5 game from the start position in which the person has moved a 歩: the computer is
// thinking about its answer.
void startThinking(Rig& rig, StrongScript& script) {
    script.answer = answer(5, 2, 5, 3, +PORN);
    rig.game.setStrongSearch(script.search());
    rig.game.menu("LEVEL5");
    rig.game.menu("START2");
    rig.move(3, 7, 3, 6);
}

TEST(StrongComputer, ThinksInTheBackgroundThenPlaysItsMoveLikeTheOtherLevels) {
    Rig rig;
    StrongScript script;
    startThinking(rig, script);
    const auto white = rig.canvas.textsIn(COLOR_WHITE);
    EXPECT_NE(std::find(white.begin(), white.end(), "5"), white.end());  // "LEVEL 5"
    EXPECT_NE(std::find(white.begin(), white.end(), "思考中"), white.end());
    EXPECT_EQ(rig.game.thinking(), Game::Thinking::Computer);
    ASSERT_EQ(rig.host.jobs.size(), 1u);
    EXPECT_EQ(rig.g().MOVE_NO, 1);  // nothing played yet
    EXPECT_EQ(rig.g().BOARD[5][3], EMPTY);

    // The board is the computer's while it thinks: a press is refused with the sound only.
    rig.forget();
    rig.press(3, 6);
    rig.press(5, 2);
    EXPECT_EQ(rig.sound.played, (std::vector<SoundId>{SoundId::Forbidden, SoundId::Forbidden}));
    EXPECT_TRUE(rig.host.messages.empty());
    EXPECT_EQ(rig.canvas.count(testing::FakeCanvas::Op::Outline), 0);
    EXPECT_EQ(rig.g().CLICK_PHASE, 0);

    rig.host.finishJob();
    ASSERT_EQ(script.calls.size(), 1u);
    EXPECT_EQ(script.calls[0].turn, rig.g().UPPER_PLAYER);
    EXPECT_TRUE(script.calls[0].hadStop);
    EXPECT_FALSE(script.calls[0].stopped);
    EXPECT_EQ(rig.game.thinking(), Game::Thinking::None);
    EXPECT_EQ(rig.g().BOARD[5][3], +PORN);
    EXPECT_EQ(rig.g().MOVE_NO, 2);
    EXPECT_EQ(rig.g().HISTORY[2], rig.g().BOARD);
    EXPECT_EQ(rig.g().TURN, rig.g().LOWER_PLAYER);
    const auto shown = rig.canvas.textsIn(COLOR_WHITE);
    EXPECT_EQ(std::vector<std::string>(shown.end() - 3, shown.end()),
              (std::vector<std::string>{"５", "三", "ポーン"}));
    EXPECT_EQ(rig.sound.played.back(), SoundId::ChessMove);

    rig.move(3, 6, 3, 5);  // the person's turn again, and the computer thinks again
    EXPECT_EQ(rig.g().MOVE_NO, 3);
    EXPECT_EQ(rig.game.thinking(), Game::Thinking::Computer);
}

// Every way of changing the position or ending the program while the computer thinks stops the
// search, and its answer, arriving later, changes nothing.
TEST(StrongComputer, ChangingThePositionStopsTheSearchAndItsAnswerIsDropped) {
    const std::vector<std::pair<std::string, std::function<void(Game&)>>> cases = {
        {"最初", [](Game& g) { g.menu("CANCEL"); }},
        {"戻", [](Game& g) { g.menu("REPLAY"); }},
        {"反転", [](Game& g) { g.menu("REVERSE"); }},
        {"読込", [](Game& g) { g.menu("KIFU_READ"); }},
        {"対局(人間)", [](Game& g) { g.menu("MATCH_MAN"); }},
        {"終わり", [](Game& g) { g.menu("OWARI"); }},
        {"Esc", [](Game& g) { g.keyPress(KEY_ESC); }},  // at once: no question, no waiting
        {"close box", [](Game& g) { g.close(); }},
    };
    for (const auto& [name, command] : cases) {
        SCOPED_TRACE(name);
        Rig rig;
        StrongScript script;
        startThinking(rig, script);
        command(rig.game);
        EXPECT_EQ(rig.game.thinking(), Game::Thinking::None);
        const Board board = rig.g().BOARD;
        const int moveNo = rig.g().MOVE_NO;
        rig.forget();
        rig.host.finishJob();
        ASSERT_EQ(script.calls.size(), 1u);
        EXPECT_TRUE(script.calls[0].stopped);
        EXPECT_EQ(rig.host.searchStops, 1) << "a host searching elsewhere hears of the stop";
        EXPECT_EQ(rig.g().BOARD, board);
        EXPECT_EQ(rig.g().MOVE_NO, moveNo);
        EXPECT_TRUE(rig.sound.played.empty());
        EXPECT_TRUE(rig.host.messages.empty());
    }
}

// A front end without threads sends the search away as text and hands the answer back: the
// request describes the game's position and the level's limits, and the answer is played.
TEST(StrongComputer, SearchedElsewhereFromItsRequestTextItPlaysTheAnswer) {
    Rig rig;
    rig.host.searchesElsewhere = true;
    StrongScript script;
    startThinking(rig, script);
    ASSERT_EQ(rig.host.requests.size(), 1u);
    EXPECT_TRUE(rig.host.jobs.empty());

    GameState asked;
    search::Limits limits;
    ASSERT_TRUE(search::decodeRequest(rig.host.requests[0].text, asked, limits));
    const search::Limits level = search::levelLimits(5);
    EXPECT_EQ(limits.movetimeMs, level.movetimeMs);
    EXPECT_EQ(limits.keepTable, level.keepTable);
    EXPECT_EQ(asked.BOARD, rig.g().BOARD);
    EXPECT_EQ(asked.TURN, rig.g().UPPER_PLAYER);

    search::Result answered;
    ASSERT_TRUE(search::decodeResult(search::encodeResult(answer(5, 2, 5, 3, +PORN)), answered));
    rig.host.requests[0].done(answered, rig.host.now());
    EXPECT_EQ(rig.game.thinking(), Game::Thinking::None);
    EXPECT_EQ(rig.g().BOARD[5][3], +PORN);
    EXPECT_EQ(rig.g().MOVE_NO, 2);
    EXPECT_EQ(rig.host.searchStops, 0);
}

TEST(StrongComputer, SearchedElsewhereAStoppedSearchsLateAnswerChangesNothing) {
    Rig rig;
    rig.host.searchesElsewhere = true;
    StrongScript script;
    startThinking(rig, script);
    rig.game.menu("CANCEL");  // 最初
    EXPECT_EQ(rig.host.searchStops, 1);
    const Board board = rig.g().BOARD;
    rig.host.requests[0].done(answer(5, 2, 5, 3, +PORN), rig.host.now());  // a worker that answered anyway
    EXPECT_EQ(rig.g().BOARD, board);
    EXPECT_EQ(rig.g().MOVE_NO, 0);
}

TEST(StrongComputer, ALevelChangeStartsAgainAndTheOldAnswerIsNotApplied) {
    Rig rig;
    StrongScript script;
    startThinking(rig, script);
    rig.game.menu("LEVEL4");
    EXPECT_TRUE(rig.g().checks.LEVEL4);
    EXPECT_EQ(rig.game.thinking(), Game::Thinking::Computer);
    ASSERT_EQ(rig.host.jobs.size(), 2u);

    rig.host.finishJob();  // the level-5 search, told to stop, answers 5,2 -> 5,3
    EXPECT_TRUE(script.calls[0].stopped);
    EXPECT_EQ(rig.g().BOARD[5][3], EMPTY);
    EXPECT_EQ(rig.g().MOVE_NO, 1);
    EXPECT_EQ(rig.game.thinking(), Game::Thinking::Computer);

    script.answer = answer(4, 2, 4, 4, +PORN);
    rig.host.finishJob();  // the level-4 search
    EXPECT_FALSE(script.calls[1].stopped);
    EXPECT_EQ(rig.g().BOARD[4][4], +PORN);
    EXPECT_EQ(rig.g().BOARD[5][3], EMPTY);
    EXPECT_EQ(rig.g().MOVE_NO, 2);
}

TEST(StrongComputer, ChangingToAGameLevelMovesAtOnceAndTheSearchsAnswerIsDropped) {
    Rig rig;
    StrongScript script;
    startThinking(rig, script);
    ComMove quick;
    quick.fromX = 9;
    quick.fromY = 2;
    quick.toX = 9;
    quick.toY = 3;
    quick.before = quick.after = +PORN;
    rig.game.setSearch([&](GameState&, ComPorts&) { return quick; });
    rig.game.menu("LEVEL2");
    EXPECT_EQ(rig.game.thinking(), Game::Thinking::None);
    EXPECT_EQ(rig.g().BOARD[9][3], +PORN);
    EXPECT_EQ(rig.g().MOVE_NO, 2);

    rig.host.finishJob();
    EXPECT_EQ(rig.g().BOARD[5][3], EMPTY);
    EXPECT_EQ(rig.g().MOVE_NO, 2);
}

// The chess side's hand changes which moves are legal: whatever was being thought about starts
// again under the new rule, and only the new answer counts.
TEST(StrongComputer, TheChessHandSwitchStartsTheComputerAndTheHintAgain) {
    for (const bool hint : {false, true}) {
        SCOPED_TRACE(hint ? "hint" : "computer");
        Rig rig;
        StrongScript script;
        if (hint) {
            script.answer = answer(3, 7, 3, 6, -HU);
            rig.game.setStrongSearch(script.search());
            rig.game.menu("MATCH_MAN");
            rig.game.menu("HINT");
        } else {
            startThinking(rig, script);
        }
        rig.game.menu("CHESS_MOCHIKOMA");
        EXPECT_TRUE(rig.g().checks.CHESS_MOCHIKOMA);
        ASSERT_EQ(rig.host.jobs.size(), 2u);
        rig.host.finishJob();
        EXPECT_TRUE(script.calls[0].stopped);
        EXPECT_EQ(rig.g().MOVE_NO, hint ? 0 : 1);
        EXPECT_FALSE(rig.game.hintShown());
        rig.host.finishJob();
        EXPECT_FALSE(script.calls[1].stopped);
        EXPECT_EQ(rig.game.hintShown(), hint);
        EXPECT_EQ(rig.g().MOVE_NO, hint ? 0 : 2);
    }
}

TEST(StrongComputer, AHarmlessCommandKeepsTheSearchAndItsCaption) {
    Rig rig;
    StrongScript script;
    startThinking(rig, script);
    rig.forget();
    rig.game.menu("TATAMI");  // the whole screen is drawn again
    const auto white = rig.canvas.textsIn(COLOR_MOVE_TEXT);
    EXPECT_NE(std::find(white.begin(), white.end(), "思考中"), white.end());
    rig.host.finishJob();
    EXPECT_EQ(rig.g().BOARD[5][3], +PORN);
}

TEST(StrongComputer, AnAnswerTheRulesRefuseLetsTheGamesOwnComputerMove) {
    Rig rig;
    StrongScript script;
    startThinking(rig, script);
    script.answer = answer(5, 2, 5, 6, +PORN);  // no pawn moves four squares
    int ownCalls = 0;
    rig.game.setSearch([&](GameState& g, ComPorts& ports) {
        ++ownCalls;
        return comSearch(g, ports);
    });
    rig.host.finishJob();
    EXPECT_EQ(ownCalls, 1);
    EXPECT_EQ(rig.g().BOARD[5][6], EMPTY);
    EXPECT_EQ(rig.g().MOVE_NO, 2);
    EXPECT_EQ(rig.g().COM_LEVEL, 5);
}

TEST(StrongComputer, WithoutAnAnswerTheComputerResigns) {
    Rig rig;
    StrongScript script;
    startThinking(rig, script);
    script.answer = search::Result{};
    rig.host.answers = {true};
    rig.forget();
    rig.host.finishJob();
    ASSERT_FALSE(rig.host.messages.empty());
    EXPECT_EQ(rig.host.messages[0].text, "あなたの勝ちです");
}

TEST(StrongComputer, APressThatResumesItsTurnOnlyStartsItsThinking) {
    Rig rig;
    StrongScript script;
    startThinking(rig, script);
    rig.game.menu("REPLAY");  // stops the search; the person's move is taken back
    rig.game.menu("AFTER");   // and made again: the computer is to move, nothing thinks
    EXPECT_EQ(rig.game.thinking(), Game::Thinking::None);
    rig.forget();
    rig.press(2, 7);
    EXPECT_EQ(rig.host.texts(), (std::vector<std::string>{"OKですか？"}));
    EXPECT_EQ(rig.game.thinking(), Game::Thinking::Computer);
    EXPECT_EQ(rig.g().CLICK_PHASE, 0);  // the press went to the computer's turn, not to a pick
    rig.host.finishJob();               // the stopped search
    rig.host.finishJob();
    EXPECT_EQ(rig.g().BOARD[5][3], +PORN);
    EXPECT_EQ(rig.g().MOVE_NO, 2);
}

// ---- the hint ----

struct HintCase {
    const char* name;
    Move move;
    int originC, originR;
};

TEST(Hint, OutlinesOriginAndTargetWithoutPlayingAndAPressClearsThem) {
    const HintCase cases[] = {
        {"board move", {3, 7, 3, 6, -HU, -HU}, 3, 7},
        {"drop from the lower hand", {11, 1, 5, 5, -PORN, -PORN}, 11, 1},
        {"drop from the upper hand", {-1, 6, 5, 5, +HU, +HU}, -1, 4},
    };
    for (const HintCase& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        if (c.move.fromX == UPPER_HAND_COLUMN) {
            // Turned round: the upper shogi army owns the 王 and moves first, and may drop.
            rig.setBoard({{5, 9, -KING}, {5, 1, +OU}});
            rig.g().ENEMY_HAND[6] = 1;
            rig.g().ENEMY_HAND_COUNT = 1;
        } else if (c.move.fromX == LOWER_HAND_COLUMN) {
            rig.setBoard({{5, 9, -OU}, {5, 1, +KING}});
            rig.g().OWN_HAND[1] = 1;
            rig.g().OWN_HAND_COUNT = 1;
        }
        StrongScript script;
        script.answer.found = true;
        script.answer.move = c.move;
        rig.game.setStrongSearch(script.search());
        rig.game.menu("MATCH_MAN");
        rig.press(7, 7);  // a pick where a piece stands; the hint drops it
        rig.forget();
        const Board board = rig.g().BOARD;

        rig.game.menu("HINT");
        EXPECT_EQ(rig.game.thinking(), Game::Thinking::Hint);
        rig.host.finishJob();
        ASSERT_EQ(script.calls.size(), 1u);
        EXPECT_EQ(script.calls[0].turn, rig.g().TURN);
        EXPECT_TRUE(rig.game.hintShown());
        EXPECT_EQ(rig.canvas.lastOutlineAt(c.originC, c.originR), COLOR_HINT);
        EXPECT_EQ(rig.canvas.lastOutlineAt(c.move.toX, c.move.toY), COLOR_HINT);
        EXPECT_EQ(rig.g().BOARD, board);
        EXPECT_EQ(rig.g().MOVE_NO, 0);
        EXPECT_EQ(rig.g().CLICK_PHASE, 0);
        EXPECT_TRUE(rig.sound.played.empty());

        rig.press(1, 5);  // an empty square: nothing but the outlines' clearing
        EXPECT_FALSE(rig.game.hintShown());
        EXPECT_EQ(rig.canvas.lastOutlineAt(c.originC, c.originR), COLOR_GRID);
        EXPECT_EQ(rig.canvas.lastOutlineAt(c.move.toX, c.move.toY), COLOR_GRID);
    }
}

TEST(Hint, WorksForThePersonInAGameAgainstTheComputer) {
    Rig rig;
    StrongScript script;
    script.answer = answer(3, 7, 3, 6, -HU);
    rig.game.setStrongSearch(script.search());
    rig.game.menu("START2");
    rig.game.menu("HINT");
    rig.host.finishJob();
    EXPECT_TRUE(rig.game.hintShown());
    EXPECT_EQ(script.calls[0].turn, rig.g().LOWER_PLAYER);
    rig.move(3, 7, 3, 6);  // the person takes it: the outlines go, the move is made
    EXPECT_FALSE(rig.game.hintShown());
    EXPECT_EQ(rig.g().BOARD[3][6], -HU);
}

// Refused, like every refusal of the game, with the forbidden sound and a box saying why; the
// computer thinking goes on thinking.
TEST(Hint, IsRefusedWithAReasonWithoutAGameAndOnTheComputersTurn) {
    const struct {
        const char* name;
        std::function<void(Rig&)> setUp;
        testing::Shown box;
    } cases[] = {
        {"no game", [](Rig&) {}, {"「対局」で始めて下さい", "開始"}},
        {"record stepping",
         [](Rig& rig) {
             rig.game.menu("MATCH_MAN");
             rig.g().KIFU_MODE = ON;
         },
         {"棋譜ﾓｰﾄﾞではできません", "ﾋﾝﾄ"}},
        {"the computer thinking",
         [](Rig& rig) {
             rig.game.menu("LEVEL5");
             rig.game.menu("START2");
             rig.move(3, 7, 3, 6);
         },
         {"思考中はできません", "ﾋﾝﾄ"}},
        {"the computer to move after stepping back",
         [](Rig& rig) {
             rig.game.menu("START2");
             rig.move(3, 7, 3, 6);
             rig.game.menu("REPLAY");
         },
         {"COMの番です", "ﾋﾝﾄ"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        StrongScript script;
        script.answer = answer(5, 2, 5, 3, +PORN);
        rig.game.setStrongSearch(script.search());
        c.setUp(rig);
        const size_t jobs = rig.host.jobs.size();
        const Game::Thinking thinking = rig.game.thinking();
        rig.forget();
        rig.game.menu("HINT");
        EXPECT_EQ(rig.sound.played, (std::vector<SoundId>{SoundId::Forbidden}));
        EXPECT_EQ(rig.host.messages, (std::vector<testing::Shown>{c.box}));
        EXPECT_EQ(rig.host.jobs.size(), jobs);
        EXPECT_EQ(rig.game.thinking(), thinking);
        EXPECT_FALSE(rig.game.hintShown());
    }
}

TEST(Hint, APressWhileItThinksCancelsIt) {
    Rig rig;
    StrongScript script;
    script.answer = answer(3, 7, 3, 6, -HU);
    rig.game.setStrongSearch(script.search());
    rig.game.menu("MATCH_MAN");
    rig.game.menu("HINT");
    rig.press(3, 7);  // picks the 歩
    EXPECT_EQ(rig.game.thinking(), Game::Thinking::None);
    rig.host.finishJob();
    EXPECT_TRUE(script.calls[0].stopped);
    EXPECT_FALSE(rig.game.hintShown());
    EXPECT_EQ(rig.g().CLICK_PHASE, 1);
}

}  // namespace
}  // namespace zorvan
