#pragma once
// The upright board: seven columns by six rows, cell = row * 7 + column with row 0 at the bottom,
// and the drop row 42..48 above it where an arriving tile is first shown. A filled cell's tag is
// its letter "a".."z"; an empty cell's tag is "xx". The thirteen four-cell word windows through
// a cell live in one table here, and every rule that reads words walks them through
// windowsThrough(), so the word check and the computer's letter search always agree.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace engine {

inline constexpr int BoardColumns = 7;
inline constexpr int BoardRows = 6;
inline constexpr int CellCount = BoardColumns * BoardRows;    // cells 0..41
inline constexpr int DropRowFirst = CellCount;                // Hole(42 + column)
inline constexpr int HoleCount = DropRowFirst + BoardColumns; // 49 Hole controls in all
inline constexpr int LetterCount = 26;
inline constexpr std::string_view EmptyTag = "xx";

// The tags of the 42 board cells, cell index order.
using BoardTags = std::array<std::string, CellCount>;

// Column number 1..7 (from the left) and row from top 1..6 of a board cell; 0 outside 0..41.
int columnNumber(int cell);
int rowFromTop(int cell);

// Hole index of the drop-row cell above a column 0..6.
constexpr int dropCell(int column) { return DropRowFirst + column; }

// The lowest empty cell of a column 0..6, or -1 when the column is full.
int landingCell(const BoardTags& tags, int column);

// "a".."z" for letter index 0..25; empty outside.
std::string letterTag(int letterIndex);
// 0..25 for the tags "a".."z"; -1 for anything else ("xx" included).
int letterIndex(std::string_view tag);
inline bool isEmptyTag(std::string_view tag) { return tag == EmptyTag; }

enum class WindowDirection : std::uint8_t { Horizontal, Vertical, FallingDiagonal, RisingDiagonal };

// One row of the window table: the four cells relative to the cell c in reading order, and the
// column numbers and rows from top of c for which the window would leave the board or wrap.
struct WindowShape {
    int number;                        // 1..13, the order the windows are always taken in
    WindowDirection direction;
    std::array<int, 4> offsets;        // cell = c + offset, reading order
    std::array<int, 3> excludedColumns;  // column numbers of c; 0 = no entry
    std::array<int, 3> excludedRows;     // rows from top of c; 0 = no entry
};

// The thirteen windows, in the order every user walks them.
inline constexpr std::array<WindowShape, 13> WindowTable{{
    {1, WindowDirection::Horizontal, {0, 1, 2, 3}, {5, 6, 7}, {0, 0, 0}},
    {2, WindowDirection::Horizontal, {-1, 0, 1, 2}, {1, 6, 7}, {0, 0, 0}},
    {3, WindowDirection::Horizontal, {-2, -1, 0, 1}, {1, 2, 7}, {0, 0, 0}},
    {4, WindowDirection::Horizontal, {-3, -2, -1, 0}, {1, 2, 3}, {0, 0, 0}},
    {5, WindowDirection::Vertical, {0, -7, -14, -21}, {0, 0, 0}, {4, 5, 6}},
    {6, WindowDirection::FallingDiagonal, {0, -6, -12, -18}, {5, 6, 7}, {4, 5, 6}},
    {7, WindowDirection::FallingDiagonal, {6, 0, -6, -12}, {1, 6, 7}, {1, 5, 6}},
    {8, WindowDirection::FallingDiagonal, {12, 6, 0, -6}, {1, 2, 7}, {1, 2, 6}},
    {9, WindowDirection::FallingDiagonal, {18, 12, 6, 0}, {1, 2, 3}, {1, 2, 3}},
    {10, WindowDirection::RisingDiagonal, {0, 8, 16, 24}, {5, 6, 7}, {1, 2, 3}},
    {11, WindowDirection::RisingDiagonal, {-8, 0, 8, 16}, {1, 6, 7}, {1, 2, 6}},
    {12, WindowDirection::RisingDiagonal, {-16, -8, 0, 8}, {1, 2, 7}, {1, 5, 6}},
    {13, WindowDirection::RisingDiagonal, {-24, -16, -8, 0}, {1, 2, 3}, {4, 5, 6}},
}};

// A window placed on the board through one cell.
struct WordWindow {
    int number;                  // 1..13
    std::array<int, 4> cells;    // reading order
    int place;                   // 0..3: where the cell itself stands in the reading order
};

// The windows through a cell whose guard holds, in table order; empty outside 0..41.
std::span<const WordWindow> windowsThrough(int cell);

// Reads a window's four tags in reading order into word. False (word unspecified) when one of
// the four cells is empty: such a window is never looked up.
template <class TagOf>
bool readWindowWord(const WordWindow& window, TagOf&& tagOf, std::string& word) {
    word.clear();
    for (int cell : window.cells) {
        const auto& tag = tagOf(cell);   // a tag handed back by value lives to the loop's end
        if (isEmptyTag(tag)) return false;
        word.append(tag);
    }
    return true;
}

inline bool readWindowWord(const WordWindow& window, const BoardTags& tags, std::string& word) {
    return readWindowWord(window, [&tags](int cell) -> std::string_view { return tags[cell]; }, word);
}

// A board with every cell empty.
BoardTags emptyBoard();

} // namespace engine
