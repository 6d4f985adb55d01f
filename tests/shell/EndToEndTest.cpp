// A whole first run: from a program folder without players.dat a new player is created through
// the profile editor, a game against the computer is started from the menu and played to its end
// by dragging tiles, and players.dat then holds both records with the right counters.
#include "tests/shell/ShellScene.h"

#include "engine/GameOverSeam.h"
#include "shell/PlayMore.h"
#include "shell/Startup.h"
#include "tests/support/CyclingRandom.h"
#include "tests/support/TileHand.h"

#include <gtest/gtest.h>

namespace {

using namespace shelltest;
namespace ui = platform::ui;

ui::Image* rackTileWith(window::MainWindow& w, const std::string& letter) {
    for (ui::Image* tile : w.rack())
        if (tile->Visible && tile->Tag.get() == letter) return tile;
    return nullptr;
}

TEST(EndToEnd, NewPlayerBeatsTheComputerAndBothRecordsAreCounted) {
    ShellScene scene;
    // The only word is "aaaa"; the rack deals a, b, a, b, ... and the computer always plays column 0.
    scene.folder.write("wordlist.dic", "aaaa  " + std::string(240, ' '));
    testing_support::CyclingRandom random({0.0, 0.04});
    engine::state().services.random = &random;
    engine::setGameOverDialog(&shell::playMoreDialog());

    shell::startProgram();
    shell::setProviderSource([] { return std::vector<std::string>{}; });
    ASSERT_NE(shell::loginIfLoaded(), nullptr);
    EXPECT_EQ(shell::login().Combo1.ListCount(), 0);
    shell::login().Combo1.Text = "Alice";
    shell::login().Command1.click();

    shell::Settings& editor = shell::settings();
    EXPECT_FALSE(editor.Command3.Enabled);
    editor.Text2.Text = "Oslo";
    editor.SSTab1.Tab = 1;
    editor.Option3.Value = true;   // Beginner
    editor.Command2.click();
    ASSERT_EQ(scene.players().size(), 2u);

    window::MainWindow& m = window::main();
    EXPECT_TRUE(m.Visible);
    EXPECT_EQ(m.Caption.get(), "Tessarine v1.1 - Alice Logged On");
    m.MenuButton.click();
    shell::menuform().mnuplaycomputer.click();
    EXPECT_EQ(shell::menuformIfLoaded(), nullptr);
    EXPECT_EQ(m.Label7.Caption.get(), "Computer");
    EXPECT_EQ(m.Label9.Caption.get(), "0");
    EXPECT_EQ(m.Label13.Caption.get(), "Your Turn!");

    for (int move = 0; move < 4 && engine::state().GameOver != 1; ++move) {
        ui::Image* tile = rackTileWith(m, "a");
        ASSERT_NE(tile, nullptr) << "move " << move;
        testing_support::dragTileTo(m, *tile, m.Hole(38));   // the top cell of column 3
        scene.timers.advance(50);          // the computer answers on the next tick
    }
    const engine::State& s = engine::state();
    ASSERT_EQ(s.GameOver, 1);
    EXPECT_EQ(s.TurnName, "Alice");
    for (int cell : {3, 10, 17, 24}) EXPECT_EQ(m.Hole(cell).Tag.get(), "a") << cell;
    EXPECT_EQ(m.Label9.Caption.get(), "1");    // the computer's panel: one game played, one lost
    EXPECT_EQ(m.Label11.Caption.get(), "1");
    ASSERT_NE(shell::playmoreIfLoaded(), nullptr);
    shell::playmore().Command2.click();
    EXPECT_EQ(s.ComputerGame, 0);

    const auto records = scene.players();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].trimmed(PlayerField::Name), "Alice");
    EXPECT_EQ(records[0].trimmed(PlayerField::Location), "Oslo");
    EXPECT_EQ(records[0].number(PlayerField::Skill), 1);
    for (PlayerField f : {PlayerField::Played, PlayerField::Won, PlayerField::Lost, PlayerField::Tied})
        EXPECT_EQ(records[0].number(f), 0);
    EXPECT_EQ(records[1].trimmed(PlayerField::Name), "Computer");
    EXPECT_EQ(records[1].number(PlayerField::Played), 1);
    EXPECT_EQ(records[1].number(PlayerField::Won), 0);
    EXPECT_EQ(records[1].number(PlayerField::Lost), 1);
    EXPECT_EQ(records[1].number(PlayerField::Tied), 0);
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
    engine::setGameOverDialog(nullptr);
}

} // namespace
