#include "engine/RackRefill.h"
#include "tests/engine/RulesFixture.h"

using engine::drawRefillLetter;
using namespace rules_test;

namespace {

std::array<std::string, 8> rack(const char* letters) {
    std::array<std::string, 8> tags;
    for (int i = 0; i < 8; ++i) tags[i] = std::string(1, letters[i]);
    return tags;
}

char refill(testing_support::ScriptedRandom& random, const char* played, const char* rackLetters,
            std::initializer_list<char> draws) {
    for (char d : draws) random.draws.push_back(letterDraw(d));
    return static_cast<char>('a' + drawRefillLetter(played, rack(rackLetters), random));
}

} // namespace

class RackRefill : public RulesTest {};

TEST_F(RackRefill, PlayedLetterIsDrawnAgain) {
    EXPECT_EQ(refill(doubles.random, "t", "tabcdefg", {'t', 't', 'm'}), 'm');
    EXPECT_EQ(doubles.random.reseeds, 3);   // every draw starts from a fresh seed
}

TEST_F(RackRefill, SameLetterElsewhereInRackIsNoReason) {
    EXPECT_EQ(refill(doubles.random, "t", "tbbcdaef", {'b'}), 'b');
}

TEST_F(RackRefill, FourVowelsLeftRefuseAnotherVowel) {
    // Played t; the other seven hold a e i o: vowels are redrawn, a consonant is taken.
    EXPECT_EQ(refill(doubles.random, "t", "taeiobcd", {'u', 'a', 'k'}), 'k');
}

TEST_F(RackRefill, PlayedVowelDoesNotCountTowardsLimit) {
    // Played a from a rack of a e i o + consonants: three vowels remain, so a vowel is fine.
    EXPECT_EQ(refill(doubles.random, "a", "aeiobcdf", {'u'}), 'u');
}

TEST_F(RackRefill, ThreeVowelsLeftStillAcceptAVowel) {
    EXPECT_EQ(refill(doubles.random, "t", "taeibcdf", {'o'}), 'o');
}

TEST_F(RackRefill, NoVowelLeftForcesTheVowelOfTheRange) {
    EXPECT_EQ(refill(doubles.random, "t", "tbcdfghj", {'y'}), 'u');
    EXPECT_EQ(refill(doubles.random, "t", "tbcdfghj", {'k'}), 'e');
    EXPECT_EQ(refill(doubles.random, "t", "tbcdfghj", {'p'}), 'i');
    EXPECT_EQ(refill(doubles.random, "t", "tbcdfghj", {'q'}), 'o');
    EXPECT_EQ(refill(doubles.random, "t", "tbcdfghj", {'f'}), 'a');
    EXPECT_EQ(refill(doubles.random, "t", "tbcdfghj", {'o'}), 'o');
}

TEST_F(RackRefill, ForcedVowelMayRepeatThePlayedVowel) {
    // The only vowel was the a just played; a drawn c becomes an a again.
    EXPECT_EQ(refill(doubles.random, "a", "abcdfghj", {'c'}), 'a');
}

class RackRefillOnWindow : public WindowRulesTest {
protected:
    void SetUp() override {
        WindowRulesTest::SetUp();
        engine::state().MyColour = "blue";
        const char* letters = "tbcdaefg";
        int i = 0;
        for (auto* tile : controls.rack()) {
            tile->Picture = engine::Pics().blue(letters[i] - 'a').Picture;
            tile->Tag = std::string(1, letters[i++]);
        }
    }
};

TEST_F(RackRefillOnWindow, HiddenSlotGetsNewTileInPlayersColour) {
    controls.Image1.Visible = false;   // the played t
    doubles.random.draws.push_back(letterDraw('m'));
    engine::RefillRack("t");
    EXPECT_TRUE(controls.Image1.Visible);
    EXPECT_EQ(controls.Image1.Tag.get(), "m");
    EXPECT_TRUE(controls.Image1.Picture == engine::Pics().blue(12).Picture);
    EXPECT_TRUE(controls.Image1.DragIcon == controls.Image1.Picture);
    EXPECT_EQ(controls.Image2.Tag.get(), "b");
}

TEST_F(RackRefillOnWindow, EveryHiddenSlotGetsTheSameLetter) {
    controls.Image1.Visible = false;
    controls.Image4.Visible = false;
    doubles.random.draws.push_back(letterDraw('m'));
    engine::RefillRack("t");
    EXPECT_EQ(controls.Image1.Tag.get(), "m");
    EXPECT_EQ(controls.Image4.Tag.get(), "m");
}

TEST_F(RackRefillOnWindow, RedPlayerGetsRedTile) {
    engine::state().MyColour = "red";
    controls.Image1.Visible = false;
    doubles.random.draws.push_back(letterDraw('m'));
    engine::RefillRack("t");
    EXPECT_TRUE(controls.Image1.Picture == engine::Pics().red(12).Picture);
}

TEST_F(RackRefillOnWindow, UnknownColourFillsNothing) {
    engine::state().MyColour = "green";
    controls.Image1.Visible = false;
    doubles.random.draws.push_back(letterDraw('m'));
    engine::RefillRack("t");
    EXPECT_FALSE(controls.Image1.Visible);
    EXPECT_EQ(controls.Image1.Tag.get(), "t");
}
