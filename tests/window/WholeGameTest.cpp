// Whole games against the computer on the main window, started as the menu starts them, played
// with the mouse and the turn timer, to a win and to a draw, with the counters in players.dat.
#include "engine/GameOverSeam.h"
#include "engine/State.h"
#include "shell/GameStart.h"
#include "shell/PlayMore.h"
#include "tests/engine/playerfile/GoldenRecords.h"
#include "tests/support/GameScene.h"
#include "window/MainWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using testing_support::GameScene;

namespace {

struct WholeGame : GameScene {
    window::MainWindow& w = main();

    WholeGame() {
        folder.write("players.dat", golden::profile("Alice", "pw12", "Leeds") + golden::computer({4, 1, 2, 1}));
        engine::setGameOverDialog(&shell::playMoreDialog());
        w.Show();
    }

    // The player drags a rack tile onto the drop row above a column; the refill draws `next`.
    void playerPlays(platform::ui::Image& tile, int column, char next) {
        ASSERT_EQ(engine::state().TurnName, "Alice");
        refillWith(next);
        dragTileTo(tile, w.Hole(engine::dropCell(column)));
    }
    // The computer plays `letter` into `column` on the next tick.
    void computerPlays(char letter, int column) {
        ASSERT_EQ(engine::state().TurnName, "Computer");
        computerWillPlay(letter, {column});
        tick();
    }
    std::string players() { return folder.read("players.dat"); }
    std::string dialogText() {
        shell::PlayMore* d = shell::playmoreIfLoaded();
        return d ? d->Label1.Caption.get() : "(no dialog)";
    }
};

} // namespace

TEST(WholeGameAgainstComputer, PlayerSpellsAWordAndTheComputersRecordCountsTheLoss) {
    WholeGame game;
    game.dealNext("ablezzzz");
    shell::mnuplaycomputer_Click();
    EXPECT_EQ(game.w.Label7.Caption.get(), "Computer");
    EXPECT_EQ(game.w.Label9.Caption.get(), "4");
    EXPECT_EQ(game.w.Label13.Caption.get(), "Your Turn!");
    game.tick();   // the player's turn: the timer leaves the board alone
    EXPECT_EQ(game.tag(6), "xx");

    platform::ui::Image* tiles[4] = {&game.w.Image1, &game.w.Image2, &game.w.Image3, &game.w.Image4};
    for (int column = 0; column < 4; ++column) {
        game.playerPlays(*tiles[column], column, 'q');
        if (engine::state().GameOver == 1) break;
        EXPECT_EQ(game.w.Label13.Caption.get(), "Opponents Turn");
        game.computerPlays('x', 6);
        EXPECT_EQ(game.w.Label13.Caption.get(), "Your Turn");
    }

    EXPECT_EQ(game.tag(0) + game.tag(1) + game.tag(2) + game.tag(3), "able");
    for (int cell : {6, 13, 20}) EXPECT_EQ(game.tag(cell), "x") << cell;   // the computer's three answers
    EXPECT_EQ(game.tag(27), "xx");
    EXPECT_EQ(game.w.StatusText.Text(), "Alice made word able. Game Over. Winner is Alice");
    EXPECT_EQ(game.w.Label13.Caption.get(), "Game Over");
    EXPECT_FALSE(game.w.lantimer.Enabled.get());
    EXPECT_EQ(game.w.Label9.Caption.get(), "5");
    EXPECT_EQ(game.w.Label11.Caption.get(), "3");
    EXPECT_EQ(game.dialogText(), "Winner is Alice with word: able - Having the power to do something.");
    // Only the computer's record counts a game against it.
    EXPECT_EQ(game.players(), golden::profile("Alice", "pw12", "Leeds") + golden::computer({5, 1, 3, 1}));
    if (const char* keep = std::getenv("TESSARINE_KEEP_PLAYERS"))
        std::filesystem::copy_file(game.folder / "players.dat", keep, std::filesystem::copy_options::overwrite_existing);

    // A move after the end is refused and counts nothing.
    game.w.Image5.Visible = false;
    game.w.Hole_DragDrop(46, game.w.Image5, 0, 0);
    EXPECT_EQ(game.w.StatusText.Text(), "Player Error: This game is over!");

    // Play again: the computer starts the next round.
    game.dealNext("bcdfghjk");
    shell::playmore().Command1.click();
    EXPECT_EQ(shell::playmoreIfLoaded(), nullptr);
    EXPECT_EQ(game.tag(0), "xx");
    game.computerPlays('z', 2);
    EXPECT_EQ(game.tag(2), "z");
    EXPECT_EQ(engine::state().TurnName, "Alice");
    EXPECT_EQ(game.rackLetters(), "bcdfghjk");
}

TEST(WholeGameAgainstComputer, FullBoardWithoutAWordIsATieOnTheComputersRecord) {
    WholeGame game;
    game.dealNext("aqqqqqqq");
    shell::mnuplaycomputer_Click();
    char inHand = 'q';   // the letter on Image2, the tile the player always plays
    for (int move = 0; move < engine::CellCount; move += 2) {
        const int column = move / engine::BoardRows;
        const char next = inHand == 'q' ? 'z' : 'q';
        game.playerPlays(game.w.Image2, column, next);
        inHand = next;
        game.computerPlays('x', column);
    }
    for (int cell = 0; cell < engine::CellCount; ++cell) EXPECT_NE(game.tag(cell), "xx") << cell;
    EXPECT_EQ(engine::state().GameOver, 1);
    EXPECT_FALSE(game.w.lantimer.Enabled.get());
    EXPECT_EQ(game.dialogText(), "Game Over. No Winner.");
    EXPECT_EQ(game.w.Label9.Caption.get(), "5");
    EXPECT_EQ(game.w.Label12.Caption.get(), "2");
    EXPECT_EQ(game.players(), golden::profile("Alice", "pw12", "Leeds") + golden::computer({5, 1, 2, 2}));

    // Stop: the program goes idle.
    shell::playmore().Command2.click();
    EXPECT_EQ(engine::state().ComputerGame, 0);
    EXPECT_FALSE(game.w.lantimer.Enabled.get());
    EXPECT_EQ(game.w.Label7.Caption.get(), "");
    EXPECT_EQ(game.w.StatusText.Text(), "Ready");
    EXPECT_EQ(game.tag(20), "xx");
}
