#include "engine/Computer.h"
#include "tests/engine/RulesFixture.h"

#include "platform/seams/Random.h"

#include <set>

using engine::chooseComputerMove;
using engine::ComputerChoice;
using namespace rules_test;

namespace {

// Column 0's landing cell (0) would open cell 7, where "?ble" reads "able" for the player.
const char* const TrapRow0 = ".xyz...";
const char* const TrapRow1 = ".ble...";

} // namespace

class ComputerChoiceTest : public RulesTest {
protected:
    std::optional<ComputerChoice> choose(const engine::BoardTags& tags, std::int16_t skill, char letter,
                                         std::initializer_list<int> columns) {
        doubles.random.draws.push_back(letterDraw(letter));
        for (int c : columns) doubles.random.draws.push_back(columnDraw(c));
        return chooseComputerMove(tags, skill, doubles.random);
    }
};

TEST_F(ComputerChoiceTest, NormalTakesLeftmostWinningColumnWithFirstLetter) {
    useWords({"word", "ford"});
    const auto tags = board({"..d..d.", "..r..r.", "..o..o."});
    const auto choice = chooseComputerMove(tags, engine::Normal, doubles.random);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->dropCell, 44);               // above column 2, not 5
    EXPECT_EQ(choice->letter, 'f' - 'a');          // ford before word
    EXPECT_EQ(engine::state().ChosenLetter, 'f' - 'a');
    EXPECT_EQ(doubles.random.reseeds, 0);          // no random choice was needed
}

TEST_F(ComputerChoiceTest, MasterAlsoTakesAWin) {
    useWords({"word"});
    const auto choice = chooseComputerMove(board({".....d.", ".....r.", ".....o."}), engine::Master, doubles.random);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->dropCell, 47);
    EXPECT_EQ(choice->letter, 'w' - 'a');
}

TEST_F(ComputerChoiceTest, BeginnerNeverLooksForAWin) {
    useWords({"word"});
    const auto choice = choose(board({"..d....", "..r....", "..o...."}), engine::Beginner, 'z', {0});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->letter, 'z' - 'a');
    EXPECT_EQ(choice->dropCell, 42);
    EXPECT_EQ(engine::state().ChosenLetter, 99);   // no search touched it
}

TEST_F(ComputerChoiceTest, NoWinMeansRandomLetterAndColumnEachFromAFreshSeed) {
    useWords({"word"});
    const auto choice = choose(board({"abc...."}), engine::Normal, 'k', {6});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->letter, 'k' - 'a');
    EXPECT_EQ(choice->dropCell, 48);
    EXPECT_EQ(doubles.random.reseeds, 2);
}

TEST_F(ComputerChoiceTest, NormalNeverRejectsAnOpenColumn) {
    useWords({"able"});
    const auto choice = choose(board({TrapRow0, TrapRow1}), engine::Normal, 'q', {0});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->dropCell, 42);
}

TEST_F(ComputerChoiceTest, MasterRejectsColumnThatOpensAWord) {
    useWords({"able"});
    const auto choice = choose(board({TrapRow0, TrapRow1}), engine::Master, 'q', {0, 1});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->dropCell, 43);
    EXPECT_EQ(choice->letter, 'q' - 'a');          // the drawn letter stays
}

TEST_F(ComputerChoiceTest, MasterTakesTheFifthCandidateWhatever) {
    useWords({"able"});
    const auto choice = choose(board({TrapRow0, TrapRow1}), engine::Master, 'q', {0, 0, 0, 0, 0, 1});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->dropCell, 42);
    EXPECT_EQ(doubles.random.draws.size(), 1u);    // the sixth draw was never needed
}

TEST_F(ComputerChoiceTest, FullColumnIsRedrawnAndNotCountedAsCandidate) {
    useWords({"able"});
    const auto tags = board({".xyz..q", ".ble..q", "......q", "......q", "......q", "......q"});
    const auto choice = choose(tags, engine::Master, 'q', {6, 0, 6, 0, 6, 0, 6, 0, 6, 0});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->dropCell, 42);               // the fifth counted candidate
    EXPECT_TRUE(doubles.random.draws.empty());
}

TEST_F(ComputerChoiceTest, LandingInTopRowIsNeverRejected) {
    useWords({"able"});
    const auto tags = board({"a......", "b......", "c......", "d......", "e......"});
    const auto choice = choose(tags, engine::Master, 'q', {0});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->dropCell, 42);
}

TEST_F(ComputerChoiceTest, EveryColumnFullGivesNoMove) {
    useWords({"able"});
    engine::BoardTags tags;
    tags.fill("q");
    EXPECT_FALSE(chooseComputerMove(tags, engine::Master, doubles.random));
    EXPECT_EQ(doubles.random.reseeds, 0);
}

TEST_F(ComputerChoiceTest, StuckGeneratorStillEndsOnAnOpenColumn) {
    // Every draw says column 0, which is full: the move still ends, in an open column.
    const auto tags = board({"q......", "q......", "q......", "q......", "q......", "q......"});
    doubles.random.fallback = 0.0;
    const auto choice = chooseComputerMove(tags, engine::Normal, doubles.random);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->dropCell, 43);
}

TEST(ComputerRandom, ReseedNeverRestartsTheSameSequence) {
    platform::RealRandom random;
    std::set<double> firstDraws;
    for (int i = 0; i < 1000; ++i) {
        random.reseedFromClock();
        firstDraws.insert(random.next());
    }
    EXPECT_EQ(firstDraws.size(), 1000u);
}
