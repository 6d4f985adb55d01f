#include "shell/StatsRows.h"

#include <gtest/gtest.h>

using shell::StatsEntry;
using shell::statsRow;
using shell::statsRows;

TEST(StatsRows, ColumnsSitAtFixedPositions) {
    const std::string row = statsRow({"Anna", 12, 3, 145});
    ASSERT_EQ(row.size(), 48u);
    EXPECT_EQ(row, "Anna                      |    12|     3|   145|");
    for (std::size_t bar : {27u, 34u, 41u, 48u}) EXPECT_EQ(row[bar - 1], '|') << bar;
    EXPECT_EQ(row.substr(27, 6), "    12");
    EXPECT_EQ(row.substr(34, 6), "     3");
    EXPECT_EQ(row.substr(41, 6), "   145");
}

TEST(StatsRows, NameIsTrimmedBeforePadding) {
    EXPECT_EQ(statsRow({"  Bo   ", 0, 0, 0}), "Bo                        |     0|     0|     0|");
}

TEST(StatsRows, TwentyFiveCharacterNameKeepsOneBlank) {
    const std::string name(25, 'x');
    EXPECT_EQ(statsRow({name, 1, 2, 3}).substr(0, 27), name + " |");
}

TEST(StatsRows, WideCountersFillTheirColumnExactly) {
    EXPECT_EQ(statsRow({"Max", 32767, -32768, 0}), "Max                       | 32767|-32768|     0|");
}

TEST(StatsRows, AccentedNamePadsByCharacters) {
    const std::string row = statsRow({"J\u00fcrgen", 1, 0, 0});
    EXPECT_EQ(row, "J\u00fcrgen                    |     1|     0|     0|");
}

TEST(StatsRows, OneRecordGivesOneRowAndNoSeparator) {
    const auto rows = statsRows(std::vector<StatsEntry>{{"Computer", 4, 5, 1}});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], "Computer                  |     4|     5|     1|");
}

TEST(StatsRows, SeparatorStandsBetweenRowsInFileOrder) {
    const auto rows = statsRows(std::vector<StatsEntry>{{"Zed", 1, 0, 0}, {"Computer", 0, 1, 0}, {"Amy", 2, 2, 2}});
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].substr(0, 3), "Zed");
    EXPECT_EQ(rows[1], "--------------------------|------|------|------|");
    EXPECT_EQ(rows[2].substr(0, 8), "Computer");
    EXPECT_EQ(rows[3], rows[1]);
    EXPECT_EQ(rows[4].substr(0, 3), "Amy");
    EXPECT_EQ(rows[1].size(), 48u);
}

TEST(StatsRows, NoPlayerFileShowsNoScoresFound) {
    EXPECT_EQ(statsRows(std::nullopt), std::vector<std::string>{"No Scores Found"});
}

TEST(StatsRows, EmptyPlayerFileShowsNoRows) {
    EXPECT_TRUE(statsRows(std::vector<StatsEntry>{}).empty());
}
