#include "engine/Board.h"

#include <gtest/gtest.h>

#include <vector>

using namespace engine;

namespace {

struct Derived {
    int number;
    std::vector<int> cells;
    int place;
};

// The windows through a cell worked out by walking the board in (row, column) steps: a line of
// four cells in one direction, the cell in each place in turn, kept when all four lie on the board.
std::vector<Derived> deriveWindows(int cell) {
    const int row = cell / 7;
    const int col = cell % 7;
    struct Line {
        int rowStep;   // per cell in reading order; rows count up from the bottom
        int colStep;
        int places;    // how many places the cell itself may take
    };
    // Rows read left to right; the column top down from the cell, which is the column's top tile;
    // the falling diagonal from its upper-left end; the rising one from its lower-left end.
    const Line lines[] = {{0, 1, 4}, {-1, 0, 1}, {-1, 1, 4}, {1, 1, 4}};
    std::vector<Derived> out;
    int number = 0;
    for (const Line& line : lines) {
        for (int place = 0; place < line.places; ++place) {
            ++number;
            std::vector<int> cells;
            for (int k = 0; k < 4; ++k) {
                const int r = row + (k - place) * line.rowStep;
                const int c = col + (k - place) * line.colStep;
                if (r < 0 || r > 5 || c < 0 || c > 6) break;
                cells.push_back(r * 7 + c);
            }
            if (cells.size() == 4) out.push_back({number, cells, place});
        }
    }
    return out;
}

std::vector<int> numbersThrough(int cell) {
    std::vector<int> numbers;
    for (const WordWindow& w : windowsThrough(cell)) numbers.push_back(w.number);
    return numbers;
}

std::string wordOf(const WordWindow& window, const BoardTags& tags) {
    std::string word;
    return readWindowWord(window, tags, word) ? word : std::string("<gap>");
}

const WordWindow* windowNumbered(int cell, int number) {
    for (const WordWindow& w : windowsThrough(cell))
        if (w.number == number) return &w;
    return nullptr;
}

} // namespace

TEST(BoardNumbering, ColumnNumberAndRowFromTopFollowTheCellIndex) {
    const std::vector<std::vector<int>> columns = {{0, 7, 14, 21, 28, 35}, {1, 8, 15, 22, 29, 36},
        {2, 9, 16, 23, 30, 37}, {3, 10, 17, 24, 31, 38}, {4, 11, 18, 25, 32, 39},
        {5, 12, 19, 26, 33, 40}, {6, 13, 20, 27, 34, 41}};
    for (int n = 0; n < 7; ++n)
        for (int cell : columns[n]) EXPECT_EQ(columnNumber(cell), n + 1) << cell;
    for (int cell = 35; cell <= 41; ++cell) EXPECT_EQ(rowFromTop(cell), 1);
    for (int cell = 14; cell <= 20; ++cell) EXPECT_EQ(rowFromTop(cell), 4);
    for (int cell = 0; cell <= 6; ++cell) EXPECT_EQ(rowFromTop(cell), 6);
}

TEST(BoardNumbering, CellsOutsideTheBoardHaveNoCoordinatesAndNoWindows) {
    for (int cell : {-1, 42, 48, 100}) {
        EXPECT_EQ(columnNumber(cell), 0);
        EXPECT_EQ(rowFromTop(cell), 0);
        EXPECT_TRUE(windowsThrough(cell).empty());
    }
}

TEST(BoardNumbering, DropRowStandsAboveEachColumn) {
    EXPECT_EQ(dropCell(0), 42);
    EXPECT_EQ(dropCell(6), 48);
    EXPECT_EQ(HoleCount, 49);
}

TEST(BoardTiles, TagsAreLowerCaseLettersAndEmptyIsXx) {
    EXPECT_EQ(letterTag(0), "a");
    EXPECT_EQ(letterTag(25), "z");
    EXPECT_EQ(letterTag(26), "");
    EXPECT_EQ(letterIndex("e"), 4);
    EXPECT_EQ(letterIndex("xx"), -1);
    EXPECT_EQ(letterIndex("E"), -1);
    EXPECT_TRUE(isEmptyTag(emptyBoard()[17]));
}

TEST(BoardTiles, ATileLandsInTheLowestEmptyCellOfItsColumn) {
    BoardTags tags = emptyBoard();
    EXPECT_EQ(landingCell(tags, 3), 3);
    tags[3] = "a";
    tags[10] = "b";
    EXPECT_EQ(landingCell(tags, 3), 17);
    for (int cell = 5; cell < 42; cell += 7) tags[cell] = "c";
    EXPECT_EQ(landingCell(tags, 5), -1);
}

TEST(WordWindows, EveryCellHasExactlyTheWindowsThatFitOnTheBoard) {
    for (int cell = 0; cell < CellCount; ++cell) {
        const std::vector<Derived> expected = deriveWindows(cell);
        const auto actual = windowsThrough(cell);
        ASSERT_EQ(actual.size(), expected.size()) << "cell " << cell;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(actual[i].number, expected[i].number) << "cell " << cell;
            EXPECT_EQ(std::vector<int>(actual[i].cells.begin(), actual[i].cells.end()), expected[i].cells)
                << "cell " << cell << " window " << expected[i].number;
            EXPECT_EQ(actual[i].place, expected[i].place) << "cell " << cell;
        }
    }
}

TEST(WordWindows, CornerEdgeAndCentreCellsHaveTheirWindows) {
    EXPECT_EQ(numbersThrough(0), (std::vector<int>{1, 10}));
    EXPECT_EQ(numbersThrough(6), (std::vector<int>{4, 9}));
    EXPECT_EQ(numbersThrough(21), (std::vector<int>{1, 5, 6}));
    EXPECT_EQ(numbersThrough(38), (std::vector<int>{1, 2, 3, 4, 5, 6, 13}));
    EXPECT_EQ(numbersThrough(24), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13}));
}

TEST(WordWindows, NoCellHasMoreThanEleven) {
    std::size_t most = 0;
    for (int cell = 0; cell < CellCount; ++cell) most = std::max(most, windowsThrough(cell).size());
    EXPECT_EQ(most, 11u);
}

TEST(WordWindows, OnlyTheTopThreeRowsHaveTheVerticalWindow) {
    for (int cell = 0; cell < CellCount; ++cell) {
        const auto numbers = numbersThrough(cell);
        const auto vertical = std::count(numbers.begin(), numbers.end(), 5);
        EXPECT_EQ(vertical, cell >= 21 ? 1 : 0) << cell;
    }
}

TEST(WordWindows, ARowReadsLeftToRightWhicheverTileLandedLast) {
    BoardTags tags = emptyBoard();
    tags[3] = "w"; tags[4] = "o"; tags[5] = "r"; tags[6] = "d";
    EXPECT_EQ(wordOf(*windowNumbered(3, 1), tags), "word");
    EXPECT_EQ(wordOf(*windowNumbered(4, 2), tags), "word");
    EXPECT_EQ(wordOf(*windowNumbered(5, 3), tags), "word");
    EXPECT_EQ(wordOf(*windowNumbered(6, 4), tags), "word");
    tags[3] = "d"; tags[4] = "r"; tags[5] = "o"; tags[6] = "w";
    EXPECT_EQ(wordOf(*windowNumbered(3, 1), tags), "drow");
    EXPECT_EQ(wordOf(*windowNumbered(6, 4), tags), "drow");
}

TEST(WordWindows, AColumnReadsTopDownFromTheLandedTile) {
    BoardTags tags = emptyBoard();
    tags[2] = "d"; tags[9] = "r"; tags[16] = "o"; tags[23] = "w";
    EXPECT_EQ(wordOf(*windowNumbered(23, 5), tags), "word");
}

TEST(WordWindows, DiagonalsReadFromTheirLeftEnd) {
    BoardTags tags = emptyBoard();
    // Rising from cell 0 to 24, falling from cell 21 to 3.
    tags[0] = "a"; tags[8] = "b"; tags[16] = "l"; tags[24] = "e";
    tags[21] = "m"; tags[15] = "i"; tags[9] = "n"; tags[3] = "t";
    EXPECT_EQ(wordOf(*windowNumbered(16, 12), tags), "able");
    EXPECT_EQ(wordOf(*windowNumbered(24, 13), tags), "able");
    EXPECT_EQ(wordOf(*windowNumbered(9, 8), tags), "mint");
    EXPECT_EQ(wordOf(*windowNumbered(21, 6), tags), "mint");
}

TEST(WordWindows, AWindowWithAnEmptyCellGivesNoWord) {
    BoardTags tags = emptyBoard();
    tags[0] = "a"; tags[1] = "b"; tags[2] = "l";
    EXPECT_EQ(wordOf(*windowNumbered(0, 1), tags), "<gap>");
    std::string word;
    const auto reader = [&tags](int cell) { return cell == 3 ? std::string("e") : tags[cell]; };
    EXPECT_TRUE(readWindowWord(*windowNumbered(0, 1), reader, word));
    EXPECT_EQ(word, "able");
}
