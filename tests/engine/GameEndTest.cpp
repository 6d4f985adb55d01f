#include "engine/GameEnd.h"
#include "tests/engine/RulesFixture.h"
#include "tests/engine/playerfile/GoldenRecords.h"

using engine::GameEnding;
using namespace rules_test;

class GameEnd : public WindowRulesTest {
protected:
    void SetUp() override {
        WindowRulesTest::SetUp();
        seatAliceAgainstComputer();
        engine::State& s = engine::state();
        s.GameOver = 1;
        controls.Label9.Caption = "10";
        controls.Label10.Caption = "4";
        controls.Label11.Caption = "5";
        controls.Label12.Caption = "1";
        lay({"word..."});
    }
    void putPlayers(const std::string& bytes) { folder.write("players.dat", bytes); }
    std::string players() const { return folder.read("players.dat"); }
};

TEST_F(GameEnd, ComputerWordCountsComputerWin) {
    engine::state().TurnName = "Computer";
    putPlayers(golden::profile("Alice", "", "A", {2, 1, 1, 0}) + golden::computer({10, 4, 5, 1}));
    engine::ShowWinningWord(0, 1, 2, 3);
    EXPECT_EQ(controls.Label9.Caption.get(), "11");
    EXPECT_EQ(controls.Label10.Caption.get(), "5");
    EXPECT_EQ(controls.Label11.Caption.get(), "5");
    EXPECT_EQ(players(), golden::profile("Alice", "", "A", {2, 1, 1, 0}) + golden::computer({11, 5, 5, 1}));
    EXPECT_EQ(gameOver.shown, std::vector<GameEnding>{GameEnding::Win});
}

TEST_F(GameEnd, ResultThatCannotBeSavedIsToldOnTheStatusLine) {
    engine::state().TurnName = "Computer";
    const std::string before = golden::computer({10, 4, 5, 1});
    putPlayers(before);
    std::filesystem::create_directory(folder.path() / "players.tmp");   // nowhere to write the new file
    engine::ShowWinningWord(0, 1, 2, 3);
    EXPECT_EQ(players(), before);
    ASSERT_GE(controls.StatusText.ListCount(), 1);
    EXPECT_EQ(controls.StatusText.items().back(),
              "System Message: The game result could not be saved: players.dat cannot be written (Is a directory).");
    EXPECT_EQ(gameOver.shown, std::vector<GameEnding>{GameEnding::Win});
}

TEST_F(GameEnd, PlayerWordAgainstComputerLeavesPlayersOwnRecord) {
    engine::state().TurnName = "Alice";
    putPlayers(golden::profile("Alice", "", "A", {2, 1, 1, 0}) + golden::computer({10, 4, 5, 1}));
    engine::ShowWinningWord(0, 1, 2, 3);
    EXPECT_EQ(controls.Label11.Caption.get(), "6");
    EXPECT_EQ(players(), golden::profile("Alice", "", "A", {2, 1, 1, 0}) + golden::computer({11, 4, 6, 1}));
}

TEST_F(GameEnd, NetworkGameCountsOnlyLocalPlayer) {
    engine::State& s = engine::state();
    s.Player2Name = "Bob";
    const std::string bob = golden::profile("Bob", "", "B", {3, 3, 0, 0});
    putPlayers(golden::profile("Alice", "", "A") + bob + golden::computer());
    s.TurnName = "Alice";
    engine::ShowWinningWord(0, 1, 2, 3);
    EXPECT_EQ(players(), golden::profile("Alice", "", "A", {1, 1, 0, 0}) + bob + golden::computer());
    s.GameOver = 1;
    s.TurnName = "Bob";
    engine::ShowWinningWord(0, 1, 2, 3);
    EXPECT_EQ(players(), golden::profile("Alice", "", "A", {2, 1, 1, 0}) + bob + golden::computer());
}

TEST_F(GameEnd, WordTurnsYellowLettersKept) {
    engine::state().TurnName = "Alice";
    engine::ShowWinningWord(0, 1, 2, 3);
    for (int cell : {0, 1, 2, 3}) EXPECT_TRUE(yellow(cell));
    EXPECT_EQ(tag(0) + tag(1) + tag(2) + tag(3), "word");
}

TEST_F(GameEnd, GameNotOverOnlyPaints) {
    engine::state().GameOver = 0;
    engine::state().TurnName = "Alice";
    putPlayers(golden::computer());
    engine::ShowWinningWord(0, 1, 2, 3);
    EXPECT_TRUE(yellow(0));
    EXPECT_EQ(controls.Label9.Caption.get(), "10");
    EXPECT_EQ(players(), golden::computer());
    EXPECT_TRUE(gameOver.shown.empty());
}

TEST_F(GameEnd, PanelFigureIsLeadingNumberPlusOne) {
    platform::ui::Label label{"Label9"};
    label.Caption = "";
    engine::BumpCounterCaption(label);
    EXPECT_EQ(label.Caption.get(), "1");
    label.Caption = " 41 games";
    engine::BumpCounterCaption(label);
    EXPECT_EQ(label.Caption.get(), "42");
    label.Caption = "n/a";
    engine::BumpCounterCaption(label);
    EXPECT_EQ(label.Caption.get(), "1");
}

TEST_F(GameEnd, ResetDuringGameChangesNothing) {
    engine::state().GameOver = 0;
    controls.Image1.Tag = "k";
    engine::ResetBoard();
    EXPECT_EQ(tag(0), "w");
    EXPECT_EQ(controls.Image1.Tag.get(), "k");
}

TEST_F(GameEnd, ResetAfterGameBlanksBoardAndRack) {
    controls.Image1.Tag = "k";
    controls.Image1.Picture = engine::Pics().blue(10).Picture;
    controls.Image2.Visible = false;
    engine::ResetBoard();
    for (int cell = 0; cell < engine::CellCount; ++cell) {
        EXPECT_EQ(tag(cell), "xx");
        EXPECT_TRUE(controls.Hole(cell).Picture == controls.Blank.Picture);
    }
    for (auto* tile : controls.rack()) {
        EXPECT_EQ(tile->Tag.get(), "xx");
        EXPECT_TRUE(tile->Picture == controls.Blank.Picture);
    }
    EXPECT_FALSE(controls.Image2.Visible);   // visibility is not the reset's business
    EXPECT_EQ(engine::state().GameOver, 0);
}
