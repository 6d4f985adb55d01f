// The main window without a screen: start-up, activation, the window's buttons, the sound toggle
// and where a dragged rack tile may land.
#include "engine/Dictionary.h"
#include "engine/State.h"
#include "platform/ui/Desktop.h"
#include "tests/support/TileHand.h"
#include "tests/support/UiScene.h"
#include "window/MainWindow.h"
#include "window/ShellHooks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace ui = platform::ui;
using testing_support::dragTileTo;
using testing_support::UiScene;

namespace {

// A program folder with the picture store, the board backgrounds and (optionally) a word list.
struct MainScene : UiScene {
    explicit MainScene(bool withFiles = true) {
        if (withFiles) {
            writePictureStore();
            writePicture("Marble.bmp", 618, 449);
            writePicture("woody.bmp", 618, 449);
            std::string word = "word  " + std::string(240, ' ');
            folder.write("wordlist.dic", word);
        }
        engine::state().AppVersion = "1.1";
        engine::state().UserName = "Alice ";
        engine::state().SoundPlayError = "missed.wav";
        engine::state().SoundSystemMessage = "sysmess.wav";
    }
    ~MainScene() {
        if (window::MainWindow* m = window::mainIfLoaded()) m->Unload();
        window::shellHooks() = {};
    }
};

ui::Rect placeOf(window::MainWindow& w, ui::Control& c) { return w.placeOf(c); }

bool rackShown(window::MainWindow& w) {
    for (ui::Image* tile : w.rack())
        if (!tile->Visible) return false;
    return true;
}

} // namespace

TEST(StartUp, CentredCaptionedAndWelcoming) {
    MainScene scene;
    window::MainWindow& w = window::main();
    EXPECT_EQ(w.Caption.get(), "Tessarine v1.1 - Alice Logged On");
    EXPECT_EQ(w.Left.get(), (1024 * 15 - 9270) / 2);
    EXPECT_EQ(w.Top.get(), (768 * 15 - 6735) / 2);
    EXPECT_EQ(w.Width.get(), 9270);
    EXPECT_EQ(w.Height.get(), 6735);
    EXPECT_EQ(w.BorderStyle.get(), ui::vbBSNone);
    ASSERT_EQ(w.StatusText.ListCount(), 2);
    EXPECT_EQ(w.StatusText.List(0), "");
    EXPECT_EQ(w.StatusText.List(1), "Welcome Alice .   Click Menu to begin play.");
    EXPECT_EQ(w.StatusText.ListIndex.get(), 1);
    EXPECT_EQ(engine::state().SoundOn, 1);
    EXPECT_EQ(engine::state().MyColour, "blue");
    EXPECT_EQ(engine::state().controls, &w);
    EXPECT_TRUE(w.Picture1.Picture == w.Pics.photona.Picture);
    EXPECT_TRUE(w.light.Picture == w.Pics.offlight.Picture);
    EXPECT_EQ(w.Image10.ToolTipText.get().rfind("Tessarine v1.1 ", 0), 0u);
}

TEST(StartUp, BoardCellsAreBlankAndRackEmpty) {
    MainScene scene;
    window::MainWindow& w = window::main();
    for (int cell = 0; cell < 42; ++cell) {
        EXPECT_EQ(w.Hole(cell).Tag.get(), "xx");
        EXPECT_TRUE(w.Hole(cell).Picture == w.Blank.Picture);
        EXPECT_TRUE(w.Hole(cell).Picture->isNone());
    }
    EXPECT_EQ(w.Hole(42).Tag.get(), "");
    for (ui::Image* tile : w.rack()) EXPECT_TRUE(tile->Picture->isNone());
}

TEST(StartUp, ProfileWithoutBoardShowsMarble) {
    MainScene scene;
    window::MainWindow& w = window::main();
    EXPECT_EQ(engine::state().BoardFile, "Marble.bmp");
    EXPECT_FALSE(w.main1.Picture->isNone());
    EXPECT_EQ(w.main1.Picture->width(), 618);
}

TEST(StartUp, BoardNameIsFoundWhateverItsCase) {
    MainScene scene;
    engine::state().BoardFile = "WOODY.bmp";
    window::MainWindow& w = window::main();
    EXPECT_EQ(w.main1.Picture->path(), "woody.bmp");
}

TEST(StartUp, DictionaryIsLoaded) {
    MainScene scene;
    window::main();
    EXPECT_EQ(engine::state().WordCount, 1);
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
}

TEST(StartUp, MissingFilesStillOpenTheWindow) {
    MainScene scene(false);
    scene.folder.write("Marble.bmp", "not a picture at all");
    window::MainWindow& w = window::main();
    w.Show();
    EXPECT_TRUE(w.loaded());
    EXPECT_TRUE(w.Visible);
    EXPECT_TRUE(w.main1.Picture->isNone());
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(scene.doubles.dialogs.last().prompt, "Error! Word List File Not Found.");
    EXPECT_EQ(scene.doubles.dialogs.last().title, "File Not Found");
    EXPECT_EQ(engine::state().WordCount, 0);
    EXPECT_EQ(w.StatusText.ListCount(), 2);
}

TEST(Activation, MenuButtonWorksOnlyWhileWindowIsActive) {
    MainScene scene;
    window::MainWindow& w = window::main();
    w.Show();
    EXPECT_TRUE(w.MenuButton.Enabled);
    ui::Form strip("menuform");
    strip.Show();
    EXPECT_FALSE(w.MenuButton.Enabled);
    ui::Desktop::instance().activate(w);
    EXPECT_TRUE(w.MenuButton.Enabled);
}

TEST(MenuButton, ClickTogglesTheStripAndPointingOpensIt) {
    MainScene scene;
    window::MainWindow& w = window::main();
    w.Show();
    bool visible = false;
    int shown = 0, closed = 0;
    window::shellHooks().menuVisible = [&] { return visible; };
    window::shellHooks().showMenu = [&] { ++shown; visible = true; };
    window::shellHooks().hideAndUnloadMenu = [&] { ++closed; visible = false; };
    const ui::Rect button = placeOf(w, w.MenuButton);
    w.drag().move(button.left + 100, button.top + 100);
    EXPECT_EQ(shown, 1);
    w.drag().press(button.left + 100, button.top + 100);
    w.drag().release(button.left + 100, button.top + 100);
    EXPECT_EQ(closed, 1);
    w.MenuButton.click();
    EXPECT_EQ(shown, 2);
}

TEST(MenuButton, OpensNothingWhileTheShellIsAbsent) {
    MainScene scene;
    window::MainWindow& w = window::main();
    w.MenuButton.click();
    w.Image9.click();
    EXPECT_EQ(ui::Desktop::instance().forms().size(), 1u);
}

TEST(MinButton, MinimisesTheWindow) {
    MainScene scene;
    window::MainWindow& w = window::main();
    const ui::Rect button = placeOf(w, w.MinButton);
    w.drag().press(button.left + 50, button.top + 50);
    w.drag().release(button.left + 50, button.top + 50);
    EXPECT_EQ(w.WindowState.get(), ui::vbMinimized);
}

TEST(Resize, BackgroundAndControlsFollowTheWindow) {
    MainScene scene;
    window::MainWindow& w = window::main();
    w.resizedByUser(9270 * 2, 6735 * 2);
    EXPECT_EQ(w.main1.Width.get(), 9270 * 2);
    EXPECT_EQ(w.main1.Height.get(), 6735 * 2);
    EXPECT_EQ(placeOf(w, w.Image1).left, 7470 * 2);
}

TEST(SoundToggle, FirstClickSwitchesOffSecondSwitchesOnWithSystemSound) {
    MainScene scene;
    window::MainWindow& w = window::main();
    w.soundbutton.click();
    EXPECT_EQ(w.StatusText.Text(), "System Message: Sound Off");
    EXPECT_EQ(engine::state().SoundOn, 0);
    EXPECT_TRUE(w.soundbutton.Picture == w.Pics.soundoff.Picture);
    EXPECT_TRUE(scene.doubles.sound.played.empty());
    w.soundbutton.click();
    EXPECT_EQ(w.StatusText.Text(), "System Message: Sound On");
    EXPECT_EQ(engine::state().SoundOn, 1);
    EXPECT_TRUE(w.soundbutton.Picture == w.Pics.soundon.Picture);
    EXPECT_EQ(scene.doubles.sound.played, std::vector<std::string>{"sysmess.wav"});
}

TEST(SoundToggle, StateIsReadFromThePictureNotFromSoundOn) {
    MainScene scene;
    window::MainWindow& w = window::main();
    // The design picture has the sound-on artwork but is not the store's picture.
    EXPECT_FALSE(w.soundbutton.Picture == w.Pics.soundon.Picture);
    engine::state().SoundOn = 0;
    w.soundbutton.click();
    EXPECT_EQ(w.StatusText.Text(), "System Message: Sound Off");
    w.soundbutton.Picture = w.Pics.soundoff.Picture;
    engine::state().SoundOn = 1;
    w.soundbutton.click();
    EXPECT_EQ(w.StatusText.Text(), "System Message: Sound On");
}

TEST(Drops, TilePassingOverTheBarLeavesItsSlot) {
    MainScene scene;
    window::MainWindow& w = window::main();
    const ui::Rect from = placeOf(w, w.Image3);
    w.drag().press(from.left + 240, from.top + 240);
    w.drag().move(7100, from.top + 240);
    EXPECT_FALSE(w.Image3.Visible);
    EXPECT_TRUE(w.Image4.Visible);
}

TEST(Drops, OnStatusListChatPanelOrBackgroundTheRackComesBackWithErrorSound) {
    MainScene scene;
    window::MainWindow& w = window::main();
    const std::vector<std::pair<ui::Control*, std::pair<int, int>>> targets = {
        {&w.StatusText, {2700, 5000}}, {&w.ChatText, {3000, 6100}}, {&w.Label9, {1500, 3350}},
        {&w.main1, {2300, 300}},       {&w.Picture1, {1000, 5500}}, {&w.Image6, {8200, 2900}},
        {&w.SendButton, {7700, 6100}}, {&w.soundbutton, {8200, 700}}};
    for (const auto& [target, at] : targets) {
        ASSERT_EQ(w.controlAt(at.first, at.second), target) << target->name();
        scene.doubles.sound.played.clear();
        dragTileTo(w, w.Image3, at.first, at.second);
        EXPECT_TRUE(rackShown(w)) << target->name();
        EXPECT_EQ(scene.doubles.sound.played, std::vector<std::string>{"missed.wav"}) << target->name();
    }
}

TEST(Drops, OnTheTiedCounterTheLightOrTheShownDownloadNoteTheRackComesBack) {
    MainScene scene;
    window::MainWindow& w = window::main();
    w.Label14.Visible = true;
    for (ui::Control* target : std::initializer_list<ui::Control*>{&w.Label12, &w.light, &w.Label14}) {
        const ui::Rect at = placeOf(w, *target);
        const int x = at.left + std::min(20, at.width / 2), y = at.top + std::min(20, at.height / 2);
        ASSERT_EQ(w.controlAt(x, y), target) << target->name();
        scene.doubles.sound.played.clear();
        dragTileTo(w, w.Image5, x, y);
        EXPECT_TRUE(rackShown(w)) << target->name();
        EXPECT_EQ(scene.doubles.sound.played, std::vector<std::string>{"missed.wav"}) << target->name();
    }
}

TEST(Drops, TheDownloadNoteLiesOnThePhotoAndHiddenLetsTheDropReachIt) {
    MainScene scene;
    window::MainWindow& w = window::main();
    const ui::Rect note = placeOf(w, w.Label14), photo = placeOf(w, w.Picture1);
    EXPECT_GE(note.left, photo.left);
    EXPECT_GE(note.top, photo.top);
    EXPECT_LE(note.left + note.width, photo.left + photo.width);
    EXPECT_LE(note.top + note.height, photo.top + photo.height);
    EXPECT_EQ(w.controlAt(note.left + 20, note.top + 20), &w.Picture1);
    dragTileTo(w, w.Image2, note.left + 20, note.top + 20);
    EXPECT_TRUE(rackShown(w));
}

TEST(Drops, WithSoundOffTheRackComesBackSilently) {
    MainScene scene;
    window::MainWindow& w = window::main();
    engine::state().SoundOn = 0;
    dragTileTo(w, w.Image8, 2700, 5000);
    EXPECT_TRUE(rackShown(w));
    EXPECT_TRUE(scene.doubles.sound.played.empty());
}

TEST(WordHit, StatusLineCaptionAndTimerShowTheWin) {
    MainScene scene;
    window::MainWindow& w = window::main();
    engine::state().TurnName = "Bob";
    w.lantimer.Enabled = true;
    engine::LookUpWord("word");
    EXPECT_EQ(w.StatusText.Text(), "Bob made word word. Game Over. Winner is Bob");
    EXPECT_EQ(w.Label13.Caption.get(), "Game Over");
    EXPECT_FALSE(w.lantimer.Enabled);
    EXPECT_EQ(engine::state().GameOver, 1);
}
