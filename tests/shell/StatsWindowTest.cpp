// The statistics window: its rows from players.dat, its place on the screen, and how it goes.
#include "engine/State.h"
#include "engine/playerfile/PlayerRecord.h"
#include "platform/ui/Desktop.h"
#include "shell/StatsWindow.h"
#include "tests/support/UiScene.h"

#include <gtest/gtest.h>

namespace ui = platform::ui;
using engine::PlayerField;

namespace {

std::string record(const std::string& name, int won, int lost, int tied) {
    engine::PlayerRecord rec;
    rec.setText(PlayerField::Name, name);
    rec.setNumber(PlayerField::Played, static_cast<std::int16_t>(won + lost + tied));
    rec.setNumber(PlayerField::Won, static_cast<std::int16_t>(won));
    rec.setNumber(PlayerField::Lost, static_cast<std::int16_t>(lost));
    rec.setNumber(PlayerField::Tied, static_cast<std::int16_t>(tied));
    return std::string(rec.view());
}

struct StatsScene : testing_support::UiScene {
    ~StatsScene() {
        if (shell::StatsWindow* w = shell::statsIfLoaded()) w->Unload();
    }
    std::vector<std::string> rows() { return shell::stats().List1.items(); }
};

} // namespace

TEST(StatsWindow, RowsLineUpInFixedColumnsWithSeparatorsBetween) {
    StatsScene scene;
    scene.folder.write("players.dat", record("Alice", 12, 3, 1) + record("Computer", 3, 12, 1) + record("Bob", 0, 0, 0));
    const auto rows = scene.rows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], "Alice                     |    12|     3|     1|");
    EXPECT_EQ(rows[1], "--------------------------|------|------|------|");
    EXPECT_EQ(rows[2], "Computer                  |     3|    12|     1|");
    EXPECT_EQ(rows[3], rows[1]);
    EXPECT_EQ(rows[4], "Bob                       |     0|     0|     0|");
    for (const std::string& row : rows) {
        ASSERT_EQ(row.size(), 48u);
        EXPECT_EQ(row[26], '|');
        EXPECT_EQ(row[33], '|');
        EXPECT_EQ(row[40], '|');
        EXPECT_EQ(row[47], '|');
    }
}

TEST(StatsWindow, OneRecordGivesOneRowAndNoSeparatorWithItsNameTrimmedAndPaddedByCharacters) {
    StatsScene scene;
    scene.folder.write("players.dat", record("  J\u00fcrgen", 0, 0, 0));
    EXPECT_EQ(scene.rows(), std::vector<std::string>{"J\u00fcrgen                    |     0|     0|     0|"});
}

TEST(StatsWindow, LongestNameKeepsOneBlankBeforeTheBarAndWidestCountersFillTheirColumns) {
    StatsScene scene;
    const std::string name(25, 'N');
    scene.folder.write("players.dat", record(name, 32767, -32768, 22));
    EXPECT_EQ(scene.rows().at(0), name + " | 32767|-32768|    22|");
}

TEST(StatsWindow, NoPlayerFileShowsNoScoresFoundAndAnEmptyOneNoRows) {
    StatsScene scene;
    EXPECT_EQ(scene.rows(), std::vector<std::string>{"No Scores Found"});
    shell::stats().Unload();
    scene.folder.write("players.dat", "");
    EXPECT_TRUE(scene.rows().empty());
}

TEST(StatsWindow, OpensCentredWithItsCaptionAndPictureFillingIt) {
    StatsScene scene;
    shell::StatsWindow& w = shell::stats();
    const ui::Desktop& desktop = ui::Desktop::instance();
    EXPECT_EQ(w.Caption.get(), "Tessarine - View Player Stats");
    EXPECT_EQ(w.Left.get(), (desktop.screenWidth() - w.Width) / 2);
    EXPECT_EQ(w.Top.get(), (desktop.screenHeight() - w.Height) / 2);
    EXPECT_EQ(w.kvElastic1.Width.get(), w.Width.get());
    EXPECT_EQ(w.kvElastic1.Height.get(), w.Height.get());
    EXPECT_EQ(w.List1.Font->name, "Courier");
}

TEST(StatsWindow, ClosesWhenAnotherWindowTakesTheFocus) {
    StatsScene scene;
    shell::stats().Show();
    ASSERT_NE(shell::statsIfLoaded(), nullptr);
    ui::Form elsewhere("elsewhere");
    elsewhere.Show();
    ui::Desktop::instance().collect();
    EXPECT_EQ(shell::statsIfLoaded(), nullptr);
}

TEST(StatsWindow, CloseAreaClosesTheWindow) {
    StatsScene scene;
    shell::stats().Show();
    shell::stats().Label1.click();
    EXPECT_EQ(shell::statsIfLoaded(), nullptr);
}
