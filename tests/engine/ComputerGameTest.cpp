// The computer's whole turn on the main window, and whole games against it, with scripted random
// numbers and a fake clock.
#include "engine/BoardView.h"
#include "engine/Computer.h"
#include "engine/GameEnd.h"
#include "engine/Round.h"
#include "engine/Shared.h"
#include "engine/WordCheck.h"
#include "tests/engine/RulesFixture.h"
#include "tests/engine/playerfile/GoldenRecords.h"

#include <cstdlib>
#include <filesystem>

using engine::GameEnding;
using namespace rules_test;

class ComputerGame : public WindowRulesTest {
protected:
    void SetUp() override {
        WindowRulesTest::SetUp();
        engine::State& s = engine::state();
        s.UserName = "Alice";
        s.SkillLevel = engine::Beginner;
        folder.write("players.dat", golden::profile("Alice", "pw12", "Leeds") + golden::computer());
        controls.lantimer.onTimer = [] { engine::ComputerTurnTick(); };
    }

    // What the menu does to start a game against the computer.
    void startGame(const char* rack = "abcdefgh") {
        engine::State& s = engine::state();
        s.Player1Name = s.UserName;
        s.Player2Name = "Computer";
        s.PlayerNumber = 1;
        s.MyColour = "blue";
        s.ComputerGame = 1;
        s.LanGame = 0;
        s.InetState = engine::InetIdle;
        controls.Label9.Caption = "0";
        controls.Label10.Caption = "0";
        controls.Label11.Caption = "0";
        controls.Label12.Caption = "0";
        engine::ResetBoard();
        for (const char* l = rack; *l; ++l) doubles.random.draws.push_back(letterDraw(*l));
        engine::StartRound();
    }

    // The player's tile landing in a column, then the check and the turn handed over, as the
    // local move does it.
    void playerDrops(int column, char letter) {
        engine::State& s = engine::state();
        ASSERT_EQ(s.TurnName, s.UserName);
        const int cell = engine::landingCell(engine::boardTags(), column);
        ASSERT_GE(cell, 0);
        put(cell, letter);
        s.MoveEndedGame = 0;
        engine::CheckForWord(cell);
        if (s.MoveEndedGame != 1) {
            controls.Label13.Caption = "Opponents Turn";
            s.TurnName = s.Player2Name;
        }
    }

    // The computer's next random move: a letter, then the column draws.
    void computerWillPlay(char letter, std::initializer_list<int> columns) {
        doubles.random.draws.push_back(letterDraw(letter));
        for (int c : columns) doubles.random.draws.push_back(columnDraw(c));
    }

    std::string players() const { return folder.read("players.dat"); }
};

TEST_F(ComputerGame, MovePausesTwiceThenTileLandsInItsColumn) {
    startGame();
    engine::state().TurnName = "Computer";
    lay({"ab....."});
    computerWillPlay('k', {1});
    const double start = doubles.clock.seconds;
    engine::ComputerMove();
    EXPECT_EQ(tag(8), "k");
    EXPECT_TRUE(controls.Hole(8).Picture == engine::Pics().red(10).Picture);
    EXPECT_EQ(tag(43), "xx");                       // the drop row is empty again
    EXPECT_TRUE(controls.Hole(43).Picture == controls.Blank.Picture);
    EXPECT_GT(doubles.clock.seconds - start, 2.0);  // two pauses of more than a second each
    ASSERT_EQ(doubles.sound.played.size(), 1u);
    EXPECT_EQ(std::filesystem::path(doubles.sound.played[0]).filename(), "dropped2.wav");
    EXPECT_EQ(controls.Label13.Caption.get(), "Your Turn");
    EXPECT_EQ(engine::state().TurnName, "Alice");
}

TEST_F(ComputerGame, MoveInFirstSecondsAfterMidnightHasNoPause) {
    startGame();
    engine::state().TurnName = "Computer";
    doubles.clock.seconds = 1.0;
    doubles.clock.stepPerRead = 0.0;                // the clock stands still: only midnight ends a pause
    computerWillPlay('k', {3});
    engine::ComputerMove();
    EXPECT_EQ(tag(3), "k");
    EXPECT_EQ(doubles.clock.ticks, 0);
}

TEST_F(ComputerGame, PauseBeforeMidnightEndsWhenTheDayTurns) {
    startGame();
    engine::state().TurnName = "Computer";
    int reads = 0;
    // The clock passes midnight after a few turns of the wait.
    struct MidnightClock final : platform::Clock {
        int* reads;
        double secondsSinceMidnight() override { return ++*reads < 4 ? 86399.9 : 0.5; }
        std::int64_t monotonicMs() override { return 0; }
    } clock;
    clock.reads = &reads;
    engine::state().services.clock = &clock;
    computerWillPlay('k', {3});
    engine::ComputerMove();
    EXPECT_EQ(tag(3), "k");
}

TEST_F(ComputerGame, NothingHappensOnceGameIsOver) {
    startGame();
    engine::state().TurnName = "Computer";
    engine::state().GameOver = 1;
    engine::ComputerMove();
    EXPECT_EQ(doubles.clock.reads, 0);
    EXPECT_TRUE(doubles.sound.played.empty());
}

TEST_F(ComputerGame, NothingHappensWhenEveryColumnIsFull) {
    startGame();
    engine::state().TurnName = "Computer";
    for (int cell = 0; cell < engine::CellCount; ++cell) put(cell, 'q');
    engine::ComputerMove();
    EXPECT_EQ(doubles.clock.reads, 0);
    EXPECT_TRUE(doubles.sound.played.empty());
    EXPECT_EQ(engine::state().TurnName, "Computer");
}

TEST_F(ComputerGame, TimerTickMovesOnlyOnComputersTurn) {
    startGame();
    EXPECT_TRUE(controls.lantimer.Enabled);
    controls.lantimer.fire();                       // the player's turn: nothing
    EXPECT_EQ(doubles.clock.reads, 0);
    engine::state().TurnName = "Computer";
    computerWillPlay('k', {0});
    controls.lantimer.fire();
    EXPECT_EQ(tag(0), "k");
    engine::state().ComputerGame = 0;
    EXPECT_FALSE(engine::ComputerTurnTick());       // other modes receive instead
}

TEST_F(ComputerGame, ComputerWordIsComputersWin) {
    useWords({"word"});
    startGame();
    engine::state().SkillLevel = engine::Normal;
    lay({".....d.", ".....r.", ".....o."});
    engine::state().TurnName = "Computer";
    controls.lantimer.fire();
    EXPECT_EQ(tag(26), "w");
    EXPECT_EQ(engine::state().TurnName, "Computer");
    EXPECT_EQ(controls.Label13.Caption.get(), "Game Over");
    EXPECT_EQ(statusLines().back(), "Computer made word word. Game Over. Winner is Computer");
    EXPECT_FALSE(controls.lantimer.Enabled);
    EXPECT_EQ(controls.Label10.Caption.get(), "1");
    EXPECT_EQ(players(), golden::profile("Alice", "pw12", "Leeds") + golden::computer({1, 1, 0, 0}));
}

TEST_F(ComputerGame, WholeGameToPlayersWin) {
    useWords({"able"});
    startGame();
    EXPECT_EQ(controls.Label13.Caption.get(), "Your Turn!");
    const char* word = "able";
    for (int turn = 0; turn < 4; ++turn) {
        playerDrops(turn, word[turn]);
        if (engine::state().GameOver == 1) break;
        computerWillPlay('q', {6});
        controls.lantimer.fire();
        EXPECT_EQ(engine::state().TurnName, "Alice");
    }
    EXPECT_EQ(engine::state().GameOver, 1);
    EXPECT_EQ(engine::state().WinningWord, "able");
    EXPECT_EQ(tag(6) + tag(13) + tag(20), "qqq");
    EXPECT_EQ(statusLines().back(), "Alice made word able. Game Over. Winner is Alice");
    EXPECT_EQ(controls.Label9.Caption.get(), "1");
    EXPECT_EQ(controls.Label11.Caption.get(), "1");
    EXPECT_EQ(gameOver.shown, std::vector<GameEnding>{GameEnding::Win});
    EXPECT_EQ(players(), golden::profile("Alice", "pw12", "Leeds") + golden::computer({1, 0, 1, 0}));
    if (const char* keep = std::getenv("TESSARINE_KEEP_PLAYERS"))
        std::filesystem::copy_file(folder / "players.dat", keep, std::filesystem::copy_options::overwrite_existing);

    // Play again: the board is cleared and the computer starts the next round.
    engine::ResetBoard();
    for (char letter : std::string("bbbbbbba")) doubles.random.draws.push_back(letterDraw(letter));
    engine::StartRound();
    computerWillPlay('z', {2});
    EXPECT_EQ(engine::state().TurnName, "Computer");
    controls.lantimer.fire();
    EXPECT_EQ(tag(2), "z");
    EXPECT_EQ(tag(3), "xx");
    EXPECT_EQ(engine::state().TurnName, "Alice");
}

TEST_F(ComputerGame, WholeGameToDrawCountsComputerTie) {
    useWords({"able"});
    startGame();
    lay({"qwrtyps", "dfghjkl", "zxcvbnm", "qwrtyps", "dfghjkl", "zxcvb.."});
    playerDrops(5, 'n');
    EXPECT_EQ(engine::state().GameOver, 0);
    computerWillPlay('q', {5, 6});                  // column 5 is full now: drawn again
    controls.lantimer.fire();
    EXPECT_EQ(tag(41), "q");
    EXPECT_EQ(engine::state().GameOver, 1);
    EXPECT_EQ(engine::state().TurnName, "Computer");
    EXPECT_EQ(controls.Label12.Caption.get(), "1");
    EXPECT_EQ(gameOver.shown, std::vector<GameEnding>{GameEnding::Draw});
    EXPECT_EQ(players(), golden::profile("Alice", "pw12", "Leeds") + golden::computer({1, 0, 0, 1}));
}
