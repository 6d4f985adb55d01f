#include "shell/StatsRows.h"

#include "platform/text/Blanks.h"
#include "platform/text/Cp1252.h"

#include <string_view>

namespace shell {
namespace {

using platform::text::trimBlanks;

// Pads to the width on the side given; a longer text stays whole rather than losing digits or
// letters, so a row may then run wider than its column.
std::string padded(std::string_view text, int width, bool right) {
    const auto length = static_cast<int>(platform::text::utf8Length(text));
    const std::string fill(length < width ? static_cast<std::size_t>(width - length) : 0U, ' ');
    return right ? fill + std::string(text) : std::string(text) + fill;
}

} // namespace

std::string statsRow(const StatsEntry& entry) {
    std::string row = padded(trimBlanks(entry.name), kStatsNameWidth, false) + "|";
    for (int count : {entry.wins, entry.losses, entry.ties})
        row += padded(std::to_string(count), kStatsCountWidth, true) + "|";
    return row;
}

std::vector<std::string> statsRows(const std::optional<std::vector<StatsEntry>>& entries) {
    if (!entries) return {kNoScoresFound};
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < entries->size(); ++i) {
        if (i > 0) rows.emplace_back(kStatsSeparator);
        rows.push_back(statsRow((*entries)[i]));
    }
    return rows;
}

} // namespace shell
