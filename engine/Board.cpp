#include "engine/Board.h"

#include <algorithm>

namespace engine {

namespace {

constexpr bool listed(const std::array<int, 3>& values, int value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

constexpr int columnOf(int cell) { return cell % BoardColumns + 1; }
constexpr int rowFromTopOf(int cell) { return BoardRows - cell / BoardColumns; }

// Every cell's windows worked out once from the table, so a move's check costs no guard tests.
struct CellWindows {
    std::array<WordWindow, WindowTable.size()> windows{};
    int count = 0;
};

constexpr std::array<CellWindows, CellCount> buildWindowsByCell() {
    std::array<CellWindows, CellCount> all{};
    for (int cell = 0; cell < CellCount; ++cell) {
        CellWindows& mine = all[cell];
        for (const WindowShape& shape : WindowTable) {
            if (listed(shape.excludedColumns, columnOf(cell)) || listed(shape.excludedRows, rowFromTopOf(cell)))
                continue;
            WordWindow window{shape.number, {}, 0};
            for (int i = 0; i < 4; ++i) {
                window.cells[i] = cell + shape.offsets[i];
                if (shape.offsets[i] == 0) window.place = i;
            }
            mine.windows[mine.count++] = window;
        }
    }
    return all;
}

constexpr std::array<CellWindows, CellCount> WindowsByCell = buildWindowsByCell();

} // namespace

int columnNumber(int cell) {
    return cell >= 0 && cell < CellCount ? columnOf(cell) : 0;
}

int rowFromTop(int cell) {
    return cell >= 0 && cell < CellCount ? rowFromTopOf(cell) : 0;
}

int landingCell(const BoardTags& tags, int column) {
    if (column < 0 || column >= BoardColumns) return -1;
    for (int cell = column; cell < CellCount; cell += BoardColumns)
        if (isEmptyTag(tags[cell])) return cell;
    return -1;
}

std::string letterTag(int letterIndex) {
    if (letterIndex < 0 || letterIndex >= LetterCount) return {};
    return std::string(1, static_cast<char>('a' + letterIndex));
}

int letterIndex(std::string_view tag) {
    if (tag.size() != 1 || tag[0] < 'a' || tag[0] > 'z') return -1;
    return tag[0] - 'a';
}

std::span<const WordWindow> windowsThrough(int cell) {
    if (cell < 0 || cell >= CellCount) return {};
    const CellWindows& mine = WindowsByCell[cell];
    return {mine.windows.data(), static_cast<std::size_t>(mine.count)};
}

BoardTags emptyBoard() {
    BoardTags tags;
    tags.fill(std::string(EmptyTag));
    return tags;
}

} // namespace engine
