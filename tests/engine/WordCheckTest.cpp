#include "engine/WordCheck.h"
#include "engine/playerfile/PlayerFile.h"
#include "tests/engine/RulesFixture.h"
#include "tests/engine/playerfile/GoldenRecords.h"

#include <algorithm>

using engine::CheckForWord;
using engine::GameEnding;
using namespace rules_test;

namespace {

// A full board, bottom up, whose windows through cell 41 read no word of the list below.
const std::initializer_list<const char*> FullRows = {"qwrtyps", "dfghjkl", "zxcvbnm", "qwrtyps", "dfghjkl",
                                                     "zxcvbn."};

} // namespace

class WordCheck : public WindowRulesTest {
protected:
    void SetUp() override {
        WindowRulesTest::SetUp();
        seatAliceAgainstComputer();
        engine::State& s = engine::state();
        s.TurnName = "Alice";
        s.ComputerGame = 1;
        controls.lantimer.Enabled = true;
        controls.Label9.Caption = "4";
        controls.Label10.Caption = "1";
        controls.Label11.Caption = "2";
        controls.Label12.Caption = "1";
        folder.write("players.dat", golden::profile("Alice", "", "A") + golden::computer({4, 1, 2, 1}));
    }
    std::string playersFile() const { return folder.read("players.dat"); }
};

TEST_F(WordCheck, FirstWindowInTableOrderWins) {
    useWords({"able", "ears"});
    // e lands in cell 3: window 1 reads "ears" (cells 3..6), window 4 "able" (cells 0..3).
    lay({"ablears"});
    CheckForWord(3);
    EXPECT_EQ(engine::state().WinningWord, "ears");
    EXPECT_EQ(statusLines().back(), "Alice made word ears. Game Over. Winner is Alice");
    EXPECT_EQ(statusLines().size(), 1u);
    for (int cell : {3, 4, 5, 6}) EXPECT_TRUE(yellow(cell)) << cell;
    for (int cell : {0, 1, 2}) EXPECT_FALSE(yellow(cell)) << cell;
    EXPECT_EQ(engine::state().GameOver, 1);
    EXPECT_EQ(engine::state().MoveEndedGame, 1);
    EXPECT_EQ(controls.Label13.Caption.get(), "Game Over");
    EXPECT_FALSE(controls.lantimer.Enabled);
    EXPECT_EQ(gameOver.shown, std::vector<GameEnding>{GameEnding::Win});
}

TEST_F(WordCheck, LaterWindowCountsWhenEarlierOnesHaveNoWord) {
    useWords({"able"});
    lay({"ablexyz"});
    CheckForWord(3);
    EXPECT_EQ(engine::state().WinningWord, "able");
    for (int cell : {0, 1, 2, 3}) EXPECT_TRUE(yellow(cell)) << cell;
}

TEST_F(WordCheck, GapIsNeverLookedUp) {
    useWords({"ab"});
    // "ab" plus two gaps would be "abxx" if a gap were read; nothing at all happens.
    lay({"ab....."});
    CheckForWord(1);
    EXPECT_EQ(engine::state().GameOver, 0);
    EXPECT_TRUE(statusLines().empty());
    EXPECT_TRUE(gameOver.shown.empty());
}

TEST_F(WordCheck, ColumnReadsTopDown) {
    useWords({"word"});
    lay({"d......", "r......", "o......", "w......"});
    CheckForWord(21);
    EXPECT_EQ(engine::state().WinningWord, "word");
}

TEST_F(WordCheck, NoWordChangesNothing) {
    useWords({"able"});
    lay({"abc...."});
    const std::string before = playersFile();
    CheckForWord(2);
    EXPECT_EQ(engine::state().GameOver, 0);
    EXPECT_EQ(engine::state().MoveEndedGame, 0);
    EXPECT_TRUE(controls.lantimer.Enabled);
    EXPECT_EQ(controls.Label9.Caption.get(), "4");
    EXPECT_EQ(playersFile(), before);
}

TEST_F(WordCheck, LocalWinAgainstComputerCountsComputerLoss) {
    useWords({"able"});
    lay({"able..."});
    CheckForWord(3);
    EXPECT_EQ(controls.Label9.Caption.get(), "5");
    EXPECT_EQ(controls.Label11.Caption.get(), "3");
    EXPECT_EQ(controls.Label10.Caption.get(), "1");
    EXPECT_EQ(playersFile(), golden::profile("Alice", "", "A") + golden::computer({5, 1, 3, 1}));
}

TEST_F(WordCheck, FullBoardWithoutWordIsADraw) {
    useWords({"able"});
    lay(FullRows);
    put(41, 'q', "red");
    engine::state().TurnName = "Computer";
    CheckForWord(41);
    engine::State& s = engine::state();
    EXPECT_EQ(s.GameOver, 1);
    EXPECT_EQ(s.MoveEndedGame, 1);
    EXPECT_FALSE(controls.lantimer.Enabled);
    EXPECT_EQ(s.WinningWord, "vykq");   // the last window tested: the rising diagonal 17, 25, 33, 41
    EXPECT_EQ(controls.Label9.Caption.get(), "5");
    EXPECT_EQ(controls.Label12.Caption.get(), "2");
    EXPECT_TRUE(statusLines().empty());
    EXPECT_EQ(playersFile(), golden::profile("Alice", "", "A") + golden::computer({5, 1, 2, 2}));
    EXPECT_EQ(gameOver.shown, std::vector<GameEnding>{GameEnding::Draw});
}

TEST_F(WordCheck, DrawInNetworkGameCountsLocalPlayer) {
    useWords({});
    lay(FullRows);
    put(41, 'q', "red");
    engine::state().Player2Name = "Bob";
    engine::state().ComputerGame = 0;
    CheckForWord(41);
    EXPECT_EQ(playersFile(), golden::profile("Alice", "", "A", {1, 0, 0, 1}) + golden::computer({4, 1, 2, 1}));
}

TEST_F(WordCheck, GameAgainstComputerWithoutItsRecordIsToldAndLeavesTheFileAsItWas) {
    // A damaged or foreign file: every game against the computer would vanish unseen.
    const std::string file = golden::profile("Alice", "", "A", {2, 1, 1, 0}) + golden::profile("Bob", "", "B", {3, 1, 1, 1});
    folder.write("players.dat", file);
    const std::string told = "System Message: The game result could not be saved: players.dat has no \"Computer\" record.";
    engine::State& s = engine::state();
    useWords({"able"});
    for (const char* mover : {"Alice", "Computer"}) {
        s.GameOver = 0;
        s.TurnName = mover;
        lay({"able..."});
        CheckForWord(3);
        EXPECT_EQ(statusLines().back(), told) << mover;
    }
    s.GameOver = 0;
    lay(FullRows);
    put(41, 'q', "red");
    CheckForWord(41);
    EXPECT_EQ(gameOver.shown.back(), GameEnding::Draw);
    EXPECT_EQ(statusLines().back(), told);
    EXPECT_EQ(std::count(statusLines().begin(), statusLines().end(), told), 3);
    EXPECT_EQ(playersFile(), file);
}

TEST_F(WordCheck, WordOnLastFreeCellIsAWinNotADraw) {
    useWords({"vbnq"});
    lay(FullRows);
    put(41, 'q');
    CheckForWord(41);
    EXPECT_EQ(engine::state().WinningWord, "vbnq");
    EXPECT_EQ(controls.Label11.Caption.get(), "3");
    EXPECT_EQ(controls.Label12.Caption.get(), "1");
    EXPECT_EQ(gameOver.shown, std::vector<GameEnding>{GameEnding::Win});
}

TEST_F(WordCheck, OneEmptyCellLeftWithoutWordChangesNothing) {
    useWords({});
    lay(FullRows);
    CheckForWord(40);
    EXPECT_EQ(engine::state().GameOver, 0);
    EXPECT_TRUE(gameOver.shown.empty());
}

TEST_F(WordCheck, ReturnsAtOnceAfterGameOver) {
    useWords({"able"});
    lay({"able..."});
    engine::state().GameOver = 1;
    const std::string before = playersFile();
    CheckForWord(3);
    EXPECT_TRUE(statusLines().empty());
    EXPECT_FALSE(yellow(3));
    EXPECT_EQ(controls.Label9.Caption.get(), "4");
    EXPECT_EQ(playersFile(), before);
    EXPECT_TRUE(gameOver.shown.empty());
}

TEST_F(WordCheck, SecondWordAfterTheEndIsNeverASecondWin) {
    useWords({"able", "ably"});
    lay({"able..."});
    CheckForWord(3);
    // A late move that would make another word.
    lay({".......", "ably..."});
    CheckForWord(10);
    EXPECT_EQ(statusLines().size(), 1u);
    EXPECT_EQ(playersFile(), golden::profile("Alice", "", "A") + golden::computer({5, 1, 3, 1}));
    EXPECT_EQ(gameOver.shown.size(), 1u);
}

TEST_F(WordCheck, CounterAtLimitStaysAtLimit) {
    useWords({"able"});
    folder.write("players.dat", golden::computer({32767, 0, 32767, 0}));
    lay({"able..."});
    CheckForWord(3);
    EXPECT_EQ(playersFile(), golden::computer({32767, 0, 32767, 0}));
}

TEST_F(WordCheck, MissingPlayersFileIsNotCreated) {
    useWords({"able"});
    std::filesystem::remove(folder / "players.dat");
    lay({"able..."});
    CheckForWord(3);
    EXPECT_FALSE(std::filesystem::exists(folder / "players.dat"));
    EXPECT_EQ(gameOver.shown.size(), 1u);
}
