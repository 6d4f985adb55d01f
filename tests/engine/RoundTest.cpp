#include "engine/Round.h"
#include "engine/GameEnd.h"
#include "tests/engine/RulesFixture.h"

using namespace rules_test;

class Round : public WindowRulesTest {
protected:
    void SetUp() override {
        WindowRulesTest::SetUp();
        seatAliceAgainstComputer();
        engine::State& s = engine::state();
        s.MyColour = "blue";
        s.ComputerGame = 1;
    }
    void deal(const char* letters) {
        for (const char* l = letters; *l; ++l) doubles.random.draws.push_back(letterDraw(*l));
    }
    std::string rackLetters() {
        std::string letters;
        for (auto* tile : controls.rack()) letters += tile->Tag.get();
        return letters;
    }
};

TEST_F(Round, StartersAlternateAcrossRounds) {
    engine::StartRound();
    EXPECT_EQ(engine::state().TurnName, "Alice");
    EXPECT_EQ(controls.Label13.Caption.get(), "Your Turn!");
    EXPECT_EQ(controls.Label7.Caption.get(), "Computer");
    engine::StartRound();
    EXPECT_EQ(engine::state().TurnName, "Computer");
    EXPECT_EQ(controls.Label13.Caption.get(), "Opponents Turn!");
    engine::StartRound();
    EXPECT_EQ(engine::state().TurnName, "Alice");
}

TEST_F(Round, StarterIsRememberedAcrossGamesOfTheRun) {
    engine::StartRound();   // Alice started the last round of an earlier game
    engine::state().GameOver = 1;
    engine::ResetBoard();
    engine::StartRound();   // a new game against the computer in the same run
    EXPECT_EQ(engine::state().TurnName, "Computer");
}

TEST_F(Round, SeatTwoSeesSeatOneAsOpponent) {
    engine::State& s = engine::state();
    s.Player1Name = "Bob";
    s.Player2Name = "Alice";
    engine::StartRound();
    EXPECT_EQ(controls.Label7.Caption.get(), "Bob");
    EXPECT_EQ(controls.Label13.Caption.get(), "Opponents Turn!");
}

TEST_F(Round, DealsEightTilesInPlayersColourRepeatsAllowed) {
    deal("zaaqxmtb");
    controls.Image3.Visible = false;
    engine::StartRound();
    EXPECT_EQ(rackLetters(), "zaaqxmtb");
    EXPECT_EQ(doubles.random.reseeds, 1);
    auto tiles = controls.rack();
    EXPECT_TRUE(tiles[0]->Picture == engine::Pics().blue(25).Picture);
    for (auto* tile : tiles) {
        EXPECT_TRUE(tile->Visible);
        EXPECT_TRUE(tile->DragIcon == tile->Picture);
    }
}

TEST_F(Round, RedPlayerGetsRedTiles) {
    engine::state().MyColour = "red";
    deal("abcdefgh");
    engine::StartRound();
    EXPECT_TRUE(controls.Image8.Picture == engine::Pics().red(7).Picture);
}

TEST_F(Round, ClearsGameOverFlags) {
    engine::state().GameOver = 1;
    engine::state().MoveEndedGame = 1;
    engine::StartRound();
    EXPECT_EQ(engine::state().GameOver, 0);
    EXPECT_EQ(engine::state().MoveEndedGame, 0);
}

TEST_F(Round, SwitchesOnTimerOfTheModeAndNeverOff) {
    engine::StartRound();
    EXPECT_TRUE(controls.lantimer.Enabled);
    EXPECT_FALSE(controls.inettimer.Enabled);

    engine::State& s = engine::state();
    s.ComputerGame = 0;
    s.InetState = engine::InetPlaying;
    engine::StartRound();
    EXPECT_TRUE(controls.inettimer.Enabled);
    EXPECT_TRUE(controls.lantimer.Enabled);   // left running by the earlier game
}

TEST_F(Round, LeavesBoardAlone) {
    lay({"word..."});
    engine::StartRound();
    EXPECT_EQ(tag(0), "w");
}
