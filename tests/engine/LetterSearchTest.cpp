#include "engine/LetterSearch.h"
#include "tests/engine/RulesFixture.h"

using engine::winningLetterAt;
using namespace rules_test;

class LetterSearch : public RulesTest {};

TEST_F(LetterSearch, EmptyBoardHasNoLetter) {
    useWords({"able", "word"});
    EXPECT_EQ(winningLetterAt(engine::emptyBoard(), 3), -1);
    EXPECT_EQ(engine::state().WordFound, 0);
}

TEST_F(LetterSearch, TriesLettersInOrderOnFirstCompleteWindow) {
    useWords({"abls", "able"});
    // a b l in cells 0..2: windows 1 to 3 through cell 3 have gaps; window 4 reads "abl?".
    EXPECT_EQ(winningLetterAt(board({"abl...."}), 3), 4);   // e before s
    EXPECT_EQ(engine::state().WordFound, 1);
}

TEST_F(LetterSearch, EarlierWindowBeatsEarlierLetter) {
    useWords({"abcd", "ware"});
    // Cell 3: window 1 reads "?are" (cells 3..6), window 4 reads "abc?" (cells 0..3).
    EXPECT_EQ(winningLetterAt(board({"abc.are"}), 3), 'w' - 'a');
}

TEST_F(LetterSearch, WindowWithGapIsNeverCompleted) {
    useWords({"abed", "abxd"});
    EXPECT_EQ(winningLetterAt(board({"ab....."}), 3), -1);
    EXPECT_EQ(winningLetterAt(board({"a.c...."}), 3), -1);
}

TEST_F(LetterSearch, ColumnIsReadTopDown) {
    useWords({"drow", "word"});
    // d r o stacked bottom up in column 0: the cell on top reads "?ord".
    EXPECT_EQ(winningLetterAt(board({"d......", "r......", "o......"}), 21), 'w' - 'a');
}

TEST_F(LetterSearch, CaseOfTheListDoesNotMatter) {
    useWords({"ABLE"});
    EXPECT_EQ(winningLetterAt(board({"abl...."}), 3), 4);
}

TEST_F(LetterSearch, EmptyListNeverAnswers) {
    // A list emptied after one that held the word: nothing of the old list may answer.
    useWords({"able"});
    ASSERT_EQ(winningLetterAt(board({"abl...."}), 3), 4);
    useWords({});
    EXPECT_EQ(winningLetterAt(board({"abl...."}), 3), -1);
    EXPECT_EQ(engine::state().WordFound, 0);
}

class LetterSearchOnMainBoard : public WindowRulesTest {};

TEST_F(LetterSearchOnMainBoard, HitLeavesTheLetterInChosenLetter) {
    useWords({"able"});
    lay({"abl...."});
    EXPECT_TRUE(engine::FindWinningLetter(3));
    EXPECT_EQ(engine::state().ChosenLetter, 4);
    EXPECT_EQ(tag(3), "xx");   // the search places nothing
}

TEST_F(LetterSearchOnMainBoard, MissLeavesChosenLetterAlone) {
    useWords({"able"});
    lay({"ab....."});
    engine::state().ChosenLetter = 99;
    EXPECT_FALSE(engine::FindWinningLetter(3));
    EXPECT_EQ(engine::state().ChosenLetter, 99);
    EXPECT_EQ(engine::state().WordFound, 0);
}
