// The local move on the main window: the refused drops in their order, the fall of the tile,
// the rack refill and the hand-over of the turn.
#include "engine/Board.h"
#include "engine/GameOverSeam.h"
#include "tests/netplay/LanFixture.h"
#include "tests/support/RecordingGameOver.h"
#include "window/LocalMove.h"
#include "window/MainWindow.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ui = platform::ui;

namespace {

// A main window whose session object stands on a scripted network, so that whatever a move
// sends over the LAN is seen, in a LAN game and in any other.
struct MoveScene : testing_support::LanScene {
    testing_support::RecordingGameOver gameOver;
    window::MainWindow& w = main();

    MoveScene() {
        engine::setGameOverDialog(&gameOver);
        w.Show();
    }

    // A game against the computer with the player to move and the rack "abcdefgh".
    void playersTurn() { startComputerGame("abcdefgh"); }

    void put(int cell, char letter, bool red = false) {
        const ui::Image& tile = red ? w.Pics.red(letter - 'a') : w.Pics.blue(letter - 'a');
        w.Hole(cell).Picture = tile.Picture.get();
        w.Hole(cell).Tag = tile.Tag.get();
    }
    bool blank(int cell) { return w.Hole(cell).Picture.get() == w.Blank.Picture.get() && tag(cell) == "xx"; }
    bool blueTile(int cell, char letter) {
        return w.Hole(cell).Picture.get() == w.Pics.blue(letter - 'a').Picture.get() && tag(cell) == std::string(1, letter);
    }
    std::string board() {
        std::string all;
        for (int cell = 0; cell < engine::HoleCount; ++cell) all += tag(cell) + ",";
        return all;
    }
    // The tile is let go over a cell without passing the bar (the drag manager's own drop).
    void dropUnhidden(ui::Image& tile, int cell) { w.Hole_DragDrop(cell, tile, 0, 0); }
    // The tile has left the rack over the bar and is let go over a cell.
    void drop(ui::Image& tile, int cell) {
        tile.Visible = false;
        w.Hole_DragDrop(cell, tile, 0, 0);
    }
    const std::vector<std::string>& status() { return w.StatusText.items(); }
    std::vector<std::string> sounds() {
        std::vector<std::string> names;
        for (const std::string& path : doubles.sound.played) names.push_back(std::filesystem::path(path).filename().string());
        return names;
    }
};

} // namespace

TEST(LocalMoveRefusals, TileThatNeverLeftTheRackIsRefusedFirst) {
    MoveScene scene;
    scene.playersTurn();
    engine::state().GameOver = 1;
    engine::state().TurnName = "Computer";
    scene.put(10, 'q');
    const std::string before = scene.board();
    scene.dropUnhidden(scene.w.Image1, 10);
    EXPECT_EQ(scene.status().back(), "OOPS! You grabbed a game piece before your turn. Try again!");
    EXPECT_TRUE(scene.rackShown());
    EXPECT_EQ(scene.sounds(), std::vector<std::string>{"missed.wav"});
    EXPECT_EQ(scene.board(), before);
}

TEST(LocalMoveRefusals, EmptyRackSlotIsRefusedWithoutALine) {
    MoveScene scene;
    const int lines = scene.w.StatusText.ListCount();
    engine::state().GameOver = 1;   // even a finished game gives no line for an empty slot
    scene.drop(scene.w.Image3, 3);
    EXPECT_EQ(scene.w.StatusText.ListCount(), lines);
    EXPECT_TRUE(scene.rackShown());
    EXPECT_EQ(scene.sounds(), std::vector<std::string>{"missed.wav"});
    EXPECT_TRUE(scene.blank(3));
}

TEST(LocalMoveRefusals, GameOverComesBeforeTheTurn) {
    MoveScene scene;
    scene.playersTurn();
    engine::state().GameOver = 1;
    engine::state().TurnName = "Computer";
    scene.drop(scene.w.Image2, 44);
    EXPECT_EQ(scene.status().back(), "Player Error: This game is over!");
    EXPECT_TRUE(scene.rackShown());
    EXPECT_TRUE(scene.blank(2));
}

TEST(LocalMoveRefusals, NotYourTurnComparesNamesExactly) {
    MoveScene scene;
    scene.playersTurn();
    engine::state().TurnName = "alice";
    scene.drop(scene.w.Image2, 2);
    EXPECT_EQ(scene.status().back(), "Player Error: It's Not your turn. Please wait!");
    EXPECT_TRUE(scene.rackShown());
    EXPECT_TRUE(scene.blank(2));
    EXPECT_EQ(scene.sounds(), std::vector<std::string>{"missed.wav"});
}

TEST(LocalMoveRefusals, OccupiedCellIsRefusedWithoutALine) {
    MoveScene scene;
    scene.playersTurn();
    scene.put(9, 'q', true);
    const int lines = scene.w.StatusText.ListCount();
    scene.drop(scene.w.Image4, 9);
    EXPECT_EQ(scene.w.StatusText.ListCount(), lines);
    EXPECT_TRUE(scene.rackShown());
    EXPECT_EQ(scene.tag(9), "q");
    EXPECT_TRUE(scene.blank(2));
    EXPECT_EQ(engine::state().TurnName, "Alice");
}

TEST(LocalMoveRefusals, DropRowAboveAFullColumnIsRefusedWithoutALine) {
    MoveScene scene;
    scene.playersTurn();
    for (int row = 0; row < engine::BoardRows; ++row) scene.put(row * 7 + 5, 'q');
    const int lines = scene.w.StatusText.ListCount();
    scene.drop(scene.w.Image1, 47);
    EXPECT_EQ(scene.w.StatusText.ListCount(), lines);
    EXPECT_TRUE(scene.rackShown());
    EXPECT_EQ(scene.tag(47), "");   // the drop row keeps its design state
    EXPECT_EQ(scene.tag(40), "q");
}

TEST(LocalMoveGravity, DropRowTileFallsToLowestEmptyCellOfItsColumn) {
    MoveScene scene;
    scene.playersTurn();
    scene.put(3, 'q', true);
    scene.put(10, 'q', true);
    scene.drop(scene.w.Image3, 45);   // "c" above column 3
    EXPECT_TRUE(scene.blueTile(17, 'c'));
    for (int cell : {24, 31, 38}) EXPECT_TRUE(scene.blank(cell)) << cell;
    EXPECT_EQ(scene.tag(45), "");
    EXPECT_EQ(scene.sounds(), std::vector<std::string>{"dropped.wav"});
}

TEST(LocalMoveGravity, TileOnAnEmptyUpperCellFallsToTheBottom) {
    MoveScene scene;
    scene.playersTurn();
    scene.drop(scene.w.Image5, 30);   // row 4, column 2
    EXPECT_TRUE(scene.blueTile(2, 'e'));
    for (int cell : {9, 16, 23, 30, 37}) EXPECT_TRUE(scene.blank(cell)) << cell;
}

TEST(LocalMoveGravity, TileOnTheBottomRowStaysThere) {
    MoveScene scene;
    scene.playersTurn();
    scene.drop(scene.w.Image6, 4);
    EXPECT_TRUE(scene.blueTile(4, 'f'));
}

TEST(LocalMoveGravity, DropRowOverAColumnWithOneFreeCellFillsItsTop) {
    MoveScene scene;
    scene.playersTurn();
    for (int row = 0; row < 5; ++row) scene.put(row * 7 + 6, 'q', true);
    scene.drop(scene.w.Image8, 48);
    EXPECT_TRUE(scene.blueTile(41, 'h'));
    EXPECT_EQ(scene.tag(34), "q");
}

TEST(LocalMoveRefill, EmptiedSlotGetsTheDrawnLetterInTheLocalColour) {
    MoveScene scene;
    scene.playersTurn();
    scene.refillWith('c');   // refused: the letter just played
    scene.refillWith('k');
    scene.drop(scene.w.Image3, 44);
    EXPECT_EQ(scene.rackLetters(), "abkdefgh");
    EXPECT_TRUE(scene.rackShown());
    EXPECT_TRUE(scene.w.Image3.Picture.get() == scene.w.Pics.blue(10).Picture.get());
    for (ui::Image* tile : scene.w.rack()) EXPECT_TRUE(tile->DragIcon.get() == tile->Picture.get());
}

TEST(LocalMoveRefill, RackWithoutVowelsGetsAVowel) {
    MoveScene scene;
    scene.startComputerGame("abcdfghj");
    scene.refillWith('m');   // a consonant from the stretch "l".."p" becomes "i"
    scene.drop(scene.w.Image1, 42);
    EXPECT_EQ(scene.rackLetters(), "ibcdfghj");
}

TEST(LocalMoveTurn, TheTurnPassesAndOnlyALanOpponentIsSentTheMoveFromTheOwnSeatToTheOther) {
    for (int seat : {0, 1, 2}) {   // 0: against the computer; 1 hosting, 2 joined a LAN game
        SCOPED_TRACE(seat);
        MoveScene scene;
        if (seat == 0) {
            scene.playersTurn();
        } else {
            scene.setUp(seat == 1, "Bob");
            engine::state().TurnName = "Alice";
        }
        scene.refillWith('s');
        scene.drop(scene.w.Image3, 45);   // "c" falls down column 3 to cell 3
        EXPECT_EQ(scene.w.Label13.Caption.get(), "Opponents Turn");
        EXPECT_EQ(engine::state().TurnName, seat == 0 ? "Computer" : "Bob");
        EXPECT_EQ(scene.lastSent(), seat == 0 ? "" : seat == 1 ? "1 to 2, flags 0: Mc3" : "2 to 1, flags 0: Mc3");
        EXPECT_TRUE(scene.doubles.http.requests.empty());
        EXPECT_FALSE(scene.w.inettimer.Enabled.get());
        // Every further drop is the opponent's turn now, and sends nothing.
        scene.drop(scene.w.Image2, 44);
        EXPECT_EQ(scene.status().back(), "Player Error: It's Not your turn. Please wait!");
        EXPECT_EQ(scene.sends(), seat == 0 ? 0 : 1);
    }
}

TEST(LocalMoveTurn, WinningMoveKeepsTheTurnWithTheMaker) {
    MoveScene scene;
    scene.playersTurn();
    scene.put(0, 'w', true);
    scene.put(1, 'o', true);
    scene.put(2, 'r', true);
    scene.drop(scene.w.Image4, 45);   // "d" completes "word" along the bottom row
    EXPECT_EQ(scene.w.Label13.Caption.get(), "Game Over");
    EXPECT_EQ(engine::state().TurnName, "Alice");
    EXPECT_EQ(engine::state().GameOver, 1);
    EXPECT_EQ(scene.status().back(), "Alice made word word. Game Over. Winner is Alice");
    EXPECT_EQ(scene.gameOver.shown, std::vector<engine::GameEnding>{engine::GameEnding::Win});
}

TEST(LocalMoveTurn, MoveThatFillsTheBoardWithoutAWordIsADrawAndKeepsTheCaption) {
    MoveScene scene;
    scene.playersTurn();
    for (int cell = 0; cell < 41; ++cell) scene.put(cell, cell % 2 ? 'q' : 'z', true);
    scene.drop(scene.w.Image2, 48);
    EXPECT_EQ(scene.tag(41), "b");
    EXPECT_EQ(scene.w.Label13.Caption.get(), "Opponents Turn");
    EXPECT_EQ(engine::state().TurnName, "Alice");
    EXPECT_EQ(engine::state().GameOver, 1);
    EXPECT_EQ(scene.gameOver.shown, std::vector<engine::GameEnding>{engine::GameEnding::Draw});
}

TEST(LocalMoveTurn, DraggedWithTheMouseOntoTheDropRow) {
    MoveScene scene;
    scene.playersTurn();
    ASSERT_EQ(scene.w.controlAt(scene.w.placeOf(scene.w.Hole(46)).left + 240, scene.w.placeOf(scene.w.Hole(46)).top + 240),
              &scene.w.Hole(46));
    scene.refillWith('z');
    scene.dragTileTo(scene.w.Image4, scene.w.Hole(46));
    EXPECT_TRUE(scene.blueTile(4, 'd'));
    EXPECT_EQ(scene.rackLetters(), "abczefgh");
    EXPECT_EQ(engine::state().TurnName, "Computer");
}

TEST(LocalMoveTurn, FlickIsAMoveUnlessTheTileWasGrabbedDuringTheComputersPause) {
    // A press on a rack tile, a little jitter, then equal steps to the left until the pointer is
    // over a board cell, where the tile is let go. Pressed during the computer's pause, the press
    // comes in just as the pause ends and the drag is first seen where the first motion ends:
    // steps that leave the bar behind in that motion are refused, as before.
    struct Row {
        bool rightColumn;
        std::vector<int> jitter;   // pixels to the left of the press, one motion each
        int step;                  // pixels
        const char* duringPause;
    };
    const std::vector<Row> rows = {
        {false, {}, 30, "move"},        {false, {1, 2}, 30, "move"},    {false, {5}, 30, "move"},
        {false, {}, 56, "refused"},     {false, {1, 2}, 56, "refused"}, {false, {5}, 56, "move"},
        {false, {}, 150, "refused"},    {false, {1, 2}, 150, "refused"}, {false, {5}, 150, "move"},
        {true, {}, 30, "move"},         {true, {1, 2}, 30, "move"},     {true, {5}, 30, "move"},
        {true, {}, 56, "move"},         {true, {1, 2}, 56, "move"},     {true, {5}, 56, "move"},
        {true, {}, 150, "refused"},     {true, {1, 2}, 150, "refused"}, {true, {5}, 150, "move"},
    };
    for (const Row& row : rows) {
        std::string name = std::string(row.rightColumn ? "right" : "left") + " column, jitter";
        for (int px : row.jitter) name += " " + std::to_string(px);
        name += ", steps of " + std::to_string(row.step) + " px";
        SCOPED_TRACE(name);
        MoveScene scene;
        scene.playersTurn();
        ui::DragManager& hand = scene.w.drag();
        std::string refills = "kst";
        const auto flick = [&]() -> std::string {
            if (scene.doubles.random.draws.empty()) {
                scene.refillWith(refills.front());
                refills.erase(0, 1);
            }
            ui::Image& tile = row.rightColumn ? scene.w.Image2 : scene.w.Image1;
            const ui::Rect at = scene.w.placeOf(tile);
            int x = at.left + at.width / 2;
            const int y = at.top + at.height / 2, lines = scene.w.StatusText.ListCount();
            const std::string board = scene.board();
            hand.press(x, y);
            for (int px : row.jitter) hand.move(x - px * ui::TwipsPerPixel, y);
            for (int i = 0; i < 20 && scene.w.controlAt(x, y)->name() != "Hole"; ++i) {
                x -= row.step * ui::TwipsPerPixel;
                hand.move(x, y);
            }
            hand.release(x, y);
            if (engine::state().TurnName == "Computer" && scene.w.StatusText.ListCount() == lines && scene.board() != board)
                return "move";
            if (engine::state().TurnName == "Alice" && scene.rackShown() && scene.board() == board &&
                scene.status().back() == "OOPS! You grabbed a game piece before your turn. Try again!")
                return "refused";
            return "neither";
        };
        const auto computerMoves = [&] {
            scene.computerWillPlay('z', {0});
            scene.tick();
            ASSERT_EQ(engine::state().TurnName, "Alice");
            ASSERT_EQ(scene.tag(0), "z");
        };
        EXPECT_EQ(flick(), "move") << "on the own turn";
        computerMoves();
        const std::string during = flick();
        EXPECT_EQ(during, row.duringPause) << "pressed during the computer's pause";
        if (during == "move") computerMoves();
        scene.doubles.clock.ms += 300;
        EXPECT_EQ(flick(), "move") << "pressed 0.3 s after the computer's pause";
    }
}

TEST(LocalMoveTurn, TileLetGoOnThePanelComesBackAndTheNextMoveRefillsOnlyItsOwnSlot) {
    MoveScene scene;
    scene.playersTurn();
    scene.dragTileTo(scene.w.Image5, scene.w.Label12);
    EXPECT_TRUE(scene.rackShown());
    EXPECT_EQ(scene.rackLetters(), "abcdefgh");
    EXPECT_EQ(scene.sounds(), std::vector<std::string>{"missed.wav"});
    scene.refillWith('z');
    scene.dragTileTo(scene.w.Image4, scene.w.Hole(10));   // column 3 falls to the bottom
    EXPECT_TRUE(scene.blueTile(3, 'd'));
    EXPECT_TRUE(scene.blank(10));
    EXPECT_EQ(scene.rackLetters(), "abczefgh");
    EXPECT_TRUE(scene.rackShown());
}
