// The game-over dialog: what it says after a win and after a draw, play again, stop, and how it
// keeps itself in front.
#include "engine/GameOverSeam.h"
#include "engine/State.h"
#include "platform/help/HelpFile.h"
#include "platform/ui/Desktop.h"
#include "shell/PlayMore.h"
#include "tests/support/GameScene.h"
#include "window/MainWindow.h"

#include <gtest/gtest.h>

namespace ui = platform::ui;
using testing_support::GameScene;

namespace {

struct DialogScene : GameScene {
    window::MainWindow& w = main();

    explicit DialogScene(const std::vector<std::pair<std::string, std::string>>& words = {
                             {"word", "A unit of language."}, {"able", "Having the power to do something."}})
        : GameScene(words) {
        engine::setGameOverDialog(&shell::playMoreDialog());
        w.Left = 1500;
        w.Top = 900;
        w.Show();
    }

    void put(int cell, char letter) {
        w.Hole(cell).Picture = w.Pics.red(letter - 'a').Picture.get();
        w.Hole(cell).Tag = std::string(1, letter);
    }
    // The player completes "word" along the bottom row.
    void playerMakesWord() {
        startComputerGame("abcdefgh");
        put(0, 'w');
        put(1, 'o');
        put(2, 'r');
        w.Image4.Visible = false;
        w.Hole_DragDrop(45, w.Image4, 0, 0);
    }
    shell::PlayMore* dialog() { return shell::playmoreIfLoaded(); }
};

} // namespace

TEST(GameOverDialog, WinNamesWinnerWordAndDefinitionLeftAligned) {
    DialogScene scene;
    scene.playerMakesWord();
    ASSERT_NE(scene.dialog(), nullptr);
    shell::PlayMore& d = *scene.dialog();
    EXPECT_TRUE(d.Visible);
    EXPECT_EQ(d.Caption.get(), "Game Over");
    EXPECT_EQ(d.Label2.Caption.get(), "Game Over. Would You Like To Play Again?");
    EXPECT_EQ(d.Label1.Caption.get(), "Winner is Alice with word: word - A unit of language.");
    EXPECT_EQ(d.Label1.Alignment.get(), ui::LeftJustify);
    EXPECT_EQ(d.Width.get(), 6555);
    EXPECT_EQ(d.Height.get(), 1215);
    EXPECT_EQ(d.Left.get(), 1500 + 2280);
    EXPECT_EQ(d.Top.get(), 900 + 4710);
}

TEST(GameOverDialog, WordIsShownAsTheDictionarySpellsItAndTheLastRecordCounts) {
    DialogScene scene({{"able", "Having the power to do something."}, {"WoRd", "Spelt oddly, last in the file."}});
    scene.playerMakesWord();
    EXPECT_EQ(scene.dialog()->Label1.Caption.get(), "Winner is Alice with word: WoRd - Spelt oddly, last in the file.");
}

TEST(GameOverDialog, WithoutTheDictionaryFileWordAndDefinitionAreEmpty) {
    DialogScene scene;
    std::filesystem::remove(scene.folder / "wordlist.dic");   // the words stay loaded in memory
    scene.playerMakesWord();
    EXPECT_EQ(scene.dialog()->Label1.Caption.get(), "Winner is Alice with word:  - ");
}

TEST(GameOverDialog, DrawSaysNoWinnerCentred) {
    DialogScene scene;
    engine::setGameOverDialog(&shell::playMoreDialog());
    scene.startComputerGame("abcdefgh");
    for (int cell = 0; cell < 41; ++cell) scene.put(cell, cell % 2 ? 'q' : 'z');
    scene.w.Image2.Visible = false;
    scene.w.Hole_DragDrop(48, scene.w.Image2, 0, 0);
    ASSERT_NE(scene.dialog(), nullptr);
    EXPECT_EQ(scene.dialog()->Label1.Caption.get(), "Game Over. No Winner.");
    EXPECT_EQ(scene.dialog()->Label1.Alignment.get(), ui::Center);
}

TEST(GameOverDialog, WordOnTheLastFreeCellIsAWinNotNoWinner) {
    DialogScene scene;
    scene.startComputerGame("abcdefgh");
    for (int cell = 0; cell < 41; ++cell) scene.put(cell, cell % 2 ? 'q' : 'z');
    scene.put(38, 'w');
    scene.put(39, 'o');
    scene.put(40, 'r');
    scene.w.Image4.Visible = false;
    scene.w.Hole_DragDrop(48, scene.w.Image4, 0, 0);   // "d" into cell 41, the last free one
    ASSERT_NE(scene.dialog(), nullptr);
    EXPECT_EQ(scene.dialog()->Label1.Caption.get(), "Winner is Alice with word: word - A unit of language.");
    EXPECT_EQ(scene.dialog()->Label1.Alignment.get(), ui::LeftJustify);
}

TEST(GameOverDialog, PlayAgainClearsTheBoardAndTheOtherPlayerStarts) {
    DialogScene scene;
    scene.playerMakesWord();
    scene.dealNext("stuvwxyz");
    scene.dialog()->Command1.click();
    EXPECT_EQ(scene.dialog(), nullptr);
    for (int cell = 0; cell < 42; ++cell) EXPECT_EQ(scene.tag(cell), "xx") << cell;
    EXPECT_EQ(scene.rackLetters(), "stuvwxyz");
    EXPECT_EQ(engine::state().TurnName, "Computer");
    EXPECT_EQ(scene.w.Label13.Caption.get(), "Opponents Turn!");
    EXPECT_EQ(engine::state().GameOver, 0);
    EXPECT_TRUE(scene.w.lantimer.Enabled.get());
    EXPECT_EQ(engine::state().ComputerGame, 1);
}

TEST(GameOverDialog, StopSwitchesBothTimersOffAndLeavesNoModeSet) {
    DialogScene scene;
    scene.playerMakesWord();
    // Whatever was left running, nothing may tick on in the idle program.
    scene.w.lantimer.Enabled = true;
    scene.w.inettimer.Enabled = true;
    engine::state().LanGame = 1;
    engine::state().InetState = engine::InetPlaying;
    scene.dialog()->Command2.click();
    EXPECT_EQ(scene.dialog(), nullptr);
    const engine::State& s = engine::state();
    EXPECT_EQ(s.ComputerGame, 0);
    EXPECT_EQ(s.LanGame, 0);
    EXPECT_EQ(s.InetState, engine::InetIdle);
    EXPECT_FALSE(scene.w.lantimer.Enabled.get());
    EXPECT_FALSE(scene.w.inettimer.Enabled.get());
    for (ui::Label* label : {&scene.w.Label7, &scene.w.Label8, &scene.w.Label9, &scene.w.Label10, &scene.w.Label11,
                             &scene.w.Label12, &scene.w.Label13})
        EXPECT_EQ(label->Caption.get(), "") << label->name();
    EXPECT_TRUE(scene.w.Picture1.Picture.get() == scene.w.Pics.photona.Picture.get());
    EXPECT_EQ(scene.w.StatusText.Text(), "Ready");
    for (int cell = 0; cell < 42; ++cell) EXPECT_EQ(scene.tag(cell), "xx") << cell;
    // The rack is empty again: dragging a slot is refused without a word.
    scene.tick();
    scene.w.Image1.Visible = false;
    scene.w.Hole_DragDrop(44, scene.w.Image1, 0, 0);
    EXPECT_EQ(scene.w.StatusText.Text(), "Ready");
}

// The dialog comes back to the front until it is answered, but leaves the keyboard with the main
// window the player clicked; the window manager's close button does not close it.
TEST(GameOverDialog, StaysInFrontUntilAButtonIsClickedWithoutTakingTheKeyboard) {
    DialogScene scene;
    scene.playerMakesWord();
    ui::Desktop& desktop = ui::Desktop::instance();
    ASSERT_EQ(desktop.activeForm(), scene.dialog());
    EXPECT_EQ(scene.dialog()->owner(), &scene.w);
    desktop.activate(scene.w);   // the player clicks the main window
    EXPECT_EQ(desktop.activeForm(), &scene.w);
    EXPECT_EQ(desktop.frontForm(), scene.dialog());
    EXPECT_TRUE(scene.dialog()->Visible);
    EXPECT_FALSE(scene.dialog()->closeByUser());
    ASSERT_NE(scene.dialog(), nullptr);
    scene.dialog()->Command2.click();
    EXPECT_EQ(scene.dialog(), nullptr);
    EXPECT_EQ(desktop.activeForm(), &scene.w);
    EXPECT_TRUE(scene.w.MenuButton.Enabled.get());
}

// The help tells the player which button does what, by the names the dialog's buttons show.
TEST(GameOverDialog, HelpNamesTheButtonsAsTheDialogShowsThem) {
    DialogScene scene;
    scene.playerMakesWord();
    ASSERT_NE(scene.dialog(), nullptr);
    std::vector<std::string> boldWords;
    const auto help = platform::help::HelpFile::load(TESSARINE_HELP_SOURCE);
    for (const auto& topic : help.topics())
        for (const auto& block : topic.body)
            if (block.kind == platform::help::BlockKind::Bullet && !block.spans.empty() && block.spans[0].bold &&
                topic.title.find("Winning") != std::string::npos)
                boldWords.push_back(block.spans[0].text);
    EXPECT_EQ(boldWords, (std::vector<std::string>{scene.dialog()->Command1.Caption.get(), scene.dialog()->Command2.Caption.get()}));
}
