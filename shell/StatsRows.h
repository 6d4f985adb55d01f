#pragma once
// The statistics table: one fixed-width text row per player, in the order the player file holds
// them, so the columns line up in a fixed-pitch list.
#include <optional>
#include <string>
#include <vector>

namespace shell {

// One player's line of the table, as read from his record.
struct StatsEntry {
    std::string name;  // UTF-8; blanks at either end are dropped
    int wins = 0;
    int losses = 0;
    int ties = 0;
};

// Column layout, 1-based character positions: 1-26 name, 27 "|", 28-33 wins, 34 "|",
// 35-40 losses, 41 "|", 42-47 ties, 48 "|".
inline constexpr int kStatsNameWidth = 26;
inline constexpr int kStatsCountWidth = 6;
inline constexpr const char* kStatsSeparator = "--------------------------|------|------|------|";
inline constexpr const char* kNoScoresFound = "No Scores Found";

// One player's row.
std::string statsRow(const StatsEntry& entry);

// Every row of the list: the players' rows with a separator row between each two; with no player
// file at all (nullopt) the single row "No Scores Found".
std::vector<std::string> statsRows(const std::optional<std::vector<StatsEntry>>& entries);

} // namespace shell
