// The menu strip: where it opens, how it closes, its menu tree and the toolbar's dispatch.
#include "tests/shell/ShellScene.h"

#include "platform/ui/Desktop.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace shelltest;
namespace ui = platform::ui;

struct MenuFormTest : ::testing::Test {
    ShellScene scene;
    MenuFormTest() {
        scene.writePlayers({ShellScene::profile("Amy"), ShellScene::profile("Computer", "", 5, 2, 2, 1)});
        engine::state().UserName = "Amy";
        window::main().Show();
    }
    shell::MenuForm& strip() {
        window::main().MenuButton.click();
        return shell::menuform();
    }
};

TEST_F(MenuFormTest, OpensOverTheMainWindowWithTheUsersCaption) {
    window::MainWindow& m = window::main();
    shell::MenuForm& s = strip();
    EXPECT_TRUE(s.Visible);
    EXPECT_EQ(s.Caption.get(), "Tessarine v1.1 - Amy Logged On");
    EXPECT_EQ(s.Width.get(), m.Width.get());
    EXPECT_EQ(s.Height.get(), 1000);
    EXPECT_EQ(s.Left.get(), m.Left.get());
    EXPECT_EQ(s.Top.get(), m.Top.get());

    // Over a maximised main window (a 1280 x 1024 screen with a panel along its top): at the
    // corner of the free area, and inside it.
    s.Unload();
    ui::Desktop& desktop = ui::Desktop::instance();
    desktop.setScreenSize(1280 * 15, 1024 * 15);
    const ui::Rect free{0, 32 * 15, 1280 * 15, 992 * 15};
    desktop.setWorkArea(free);
    m.WindowState = ui::vbMaximized;
    m.resizedByUser(free.width, free.height);   // as the screen reports it
    shell::MenuForm& full = strip();
    EXPECT_EQ(full.Left.get(), free.left);
    EXPECT_EQ(full.Top.get(), free.top);
    EXPECT_LE(full.Left + full.Width, free.left + free.width);
    EXPECT_LE(full.Top + full.Height, free.top + free.height);
}

TEST_F(MenuFormTest, MouseOverTheMenuButtonOpensItToo) {
    window::main().MenuButton.mouseMove(0, 0, 10, 10);
    ASSERT_NE(shell::menuformIfLoaded(), nullptr);
    EXPECT_TRUE(shell::menuform().Visible);
}

TEST_F(MenuFormTest, LosingTheFocusClosesItAndTheMainWindowFollows) {
    shell::MenuForm& s = strip();
    s.Left = 300;
    s.Top = 450;
    ui::Desktop::instance().activate(window::main());
    EXPECT_EQ(shell::menuformIfLoaded(), nullptr);
    EXPECT_EQ(window::main().Left.get(), 300);
    EXPECT_EQ(window::main().Top.get(), 450);

    // A main window at the screen's top edge: the strip's title bar pushes it into view, and
    // closing it leaves the game window where it was.
    ui::Desktop::instance().setFrameMargins({4 * 15, 28 * 15, 4 * 15, 4 * 15});
    window::main().Top = 0;
    shell::MenuForm& pushed = strip();
    EXPECT_EQ(pushed.Top.get(), 28 * 15);
    ui::Desktop::instance().activate(window::main());
    EXPECT_EQ(window::main().Top.get(), 0);
    EXPECT_EQ(window::main().Left.get(), 300);
}

TEST_F(MenuFormTest, MaximisedMainWindowStaysWhereItIs) {
    window::MainWindow& m = window::main();
    shell::MenuForm& s = strip();
    m.WindowState = ui::vbMaximized;
    const int left = m.Left;
    s.Left = left + 600;
    s.Unload();
    EXPECT_EQ(m.Left.get(), left);
}

TEST_F(MenuFormTest, MenuTreeCaptionsAndShortcut) {
    shell::MenuForm& s = strip();
    EXPECT_EQ(s.mnugame.Caption.get(), "&Game");
    EXPECT_EQ(s.mnuplaycomputer.container(), &s.mnugame);
    EXPECT_EQ(s.mnuuser.Caption.get(), "Change &User");
    EXPECT_EQ(s.mnuexit.Caption.get(), "E&xit");
    EXPECT_EQ(s.mnucontents.Shortcut.get(), "F1");
    std::set<std::string> downloads;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s.mnudownload(i).container(), &s.mnudownlds);
        downloads.insert(s.mnudownload(i).Caption.get());
    }
    EXPECT_EQ(downloads.size(), 5u);   // five items, each with a caption of its own
    EXPECT_EQ(downloads.count(""), 0u);
    EXPECT_EQ(s.mnudownlds.container(), &s.mnuwebs);
    EXPECT_TRUE(s.mnusep1.separator());
}

TEST_F(MenuFormTest, ToolbarHasElevenCommandsAndTwelveSpacers) {
    shell::MenuForm& s = strip();
    ASSERT_EQ(s.Toolbar1.ButtonCount(), 23);
    int commands = 0;
    for (int i = 1; i <= 23; ++i) commands += s.Toolbar1.Button(i).style == ui::tbrDefault;
    EXPECT_EQ(commands, 11);
    EXPECT_EQ(s.Toolbar1.Button(21).caption, "Toggle Full Screen");
    EXPECT_EQ(s.Toolbar1.Button(19).style, ui::tbrPlaceholder);
    EXPECT_EQ(s.Toolbar1.Button(23).image, 11);   // the last picture of the image list
    EXPECT_EQ(s.Toolbar1.ImageList.size(), 11u);
}

// The toolbar's commands and the store pictures they show, in toolbar order.
const std::vector<std::pair<int, std::string>> ToolbarPictures = {
    {1, "tb_computer"}, {3, "tb_lan"},      {5, "tb_internet"}, {7, "tb_stats"},       {9, "tb_user"}, {11, "tb_settings"},
    {13, "tb_wordlist"}, {15, "tb_help"},   {17, "tb_about"},   {21, "tb_fullscreen"}, {23, "tb_exit"}};

const ui::Picture& pictureOf(const shell::MenuForm& s, int index) {
    static const ui::Picture none;
    const int image = s.Toolbar1.Button(index).image;
    if (image < 1 || image > static_cast<int>(s.Toolbar1.ImageList.size())) return none;
    return s.Toolbar1.ImageList[static_cast<std::size_t>(image - 1)];
}

TEST_F(MenuFormTest, EachToolbarCommandShowsItsOwnPicture) {
    for (const auto& [index, name] : ToolbarPictures) scene.writePicture("pics/" + name + ".bmp", 24, 24);
    shell::MenuForm& s = strip();
    for (const auto& [index, name] : ToolbarPictures) {
        const ui::Picture& picture = pictureOf(s, index);
        ASSERT_FALSE(picture.isNone()) << s.Toolbar1.Button(index).caption;
        EXPECT_EQ(std::filesystem::path(picture.path()).filename().string(), name + ".bmp") << index;
        EXPECT_EQ(picture.width(), 24);
        EXPECT_EQ(picture.height(), 24);
    }
}

TEST_F(MenuFormTest, AMissingToolbarPictureLeavesOnlyThatButtonBare) {
    for (const auto& [index, name] : ToolbarPictures)
        if (name != "tb_lan") scene.writePicture("pics/" + name + ".bmp", 24, 24);
    shell::MenuForm& s = strip();
    EXPECT_TRUE(pictureOf(s, 3).isNone());
    EXPECT_EQ(s.Toolbar1.Button(3).caption, "Lan Play");
    EXPECT_FALSE(pictureOf(s, 1).isNone());
    EXPECT_FALSE(pictureOf(s, 5).isNone());
    EXPECT_TRUE(s.Visible);
}

TEST_F(MenuFormTest, SpacersAndUnknownIndexesDoNothing) {
    shell::MenuForm& s = strip();
    for (int index : {0, 2, 18, 19, 20, 22, 24, 99}) s.Toolbar1_ButtonClick(index);
    EXPECT_NE(shell::menuformIfLoaded(), nullptr);
    EXPECT_EQ(engine::state().ComputerGame, 0);
    EXPECT_EQ(scene.doubles.exit.calls, 0);
}

TEST_F(MenuFormTest, ToolbarOneStartsAComputerGame) {
    strip().Toolbar1.buttonClick(1);
    EXPECT_EQ(engine::state().ComputerGame, 1);
    EXPECT_EQ(shell::menuformIfLoaded(), nullptr);
}

TEST_F(MenuFormTest, ToolbarElevenOpensTheEditorForTheLoggedOnPlayer) {
    strip().Toolbar1.buttonClick(11);
    ASSERT_NE(shell::settingsIfLoaded(), nullptr);
    EXPECT_TRUE(shell::settings().Command3.Enabled);
    EXPECT_EQ(shell::menuformIfLoaded(), nullptr);   // the editor took the focus
}

TEST_F(MenuFormTest, SettingsWithAPlayerFileThatCannotBeReadShowsTheLoginsBoxAndStaysClosed) {
    std::filesystem::remove(scene.folder / "players.dat");
    std::filesystem::create_symlink("players.dat", scene.folder / "players.dat");   // there, never readable
    strip().mnusettings.click();
    EXPECT_EQ(shell::settingsIfLoaded(), nullptr);   // not met as a new player
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 1u);
    const auto fromMenu = scene.doubles.dialogs.last();
    shell::login();
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 2u);
    EXPECT_EQ(fromMenu.prompt, scene.doubles.dialogs.last().prompt);
    EXPECT_EQ(fromMenu.title, scene.doubles.dialogs.last().title);
    EXPECT_EQ(fromMenu.style, scene.doubles.dialogs.last().style);
}

TEST_F(MenuFormTest, ToolbarTwentyOneTogglesFullScreen) {
    window::MainWindow& m = window::main();
    strip().Toolbar1.buttonClick(21);
    EXPECT_EQ(m.WindowState.get(), ui::vbMaximized);
    strip().Toolbar1.buttonClick(21);
    EXPECT_EQ(m.WindowState.get(), ui::vbNormal);
    const ui::Desktop& d = ui::Desktop::instance();
    EXPECT_EQ(m.Left.get(), (d.screenWidth() - m.Width) / 2);
    EXPECT_EQ(m.Top.get(), (d.screenHeight() - m.Height) / 2);
}

TEST_F(MenuFormTest, ExitWithoutInternetEndsAtOnce) {
    engine::state().ComputerGame = 1;
    strip().Toolbar1.buttonClick(23);
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
    EXPECT_EQ(scene.doubles.exit.calls, 1);
}

TEST_F(MenuFormTest, ExitAnsweredNoDuringAnInternetGameKeepsRunning) {
    engine::state().InetState = engine::InetPlaying;
    scene.doubles.dialogs.buttons = {platform::vbNo};
    strip().mnuexit.click();
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Quit Game In Play!");
    EXPECT_EQ(engine::state().InetState, engine::InetPlaying);
    EXPECT_EQ(scene.doubles.exit.calls, 0);
}

TEST_F(MenuFormTest, ChangeUserOpensLoginAndUnloadsTheMainWindowWithoutEnding) {
    strip().mnuuser.click();
    EXPECT_NE(shell::loginIfLoaded(), nullptr);
    EXPECT_EQ(window::mainIfLoaded(), nullptr);
    EXPECT_EQ(shell::menuformIfLoaded(), nullptr);
    EXPECT_EQ(scene.doubles.exit.calls, 0);
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
}

TEST_F(MenuFormTest, ChangeUserDuringAnInternetGameAsksFirstAndNoChangesNothing) {
    engine::state().InetState = engine::InetPlaying;
    scene.doubles.dialogs.buttons = {platform::vbNo};
    strip().mnuuser.click();
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Quit Game In Play!");
    EXPECT_EQ(shell::loginIfLoaded(), nullptr);
    EXPECT_NE(window::mainIfLoaded(), nullptr);
    EXPECT_EQ(engine::state().InetState, engine::InetPlaying);
}

TEST_F(MenuFormTest, ChangeUserDuringAnInternetGameAnsweredYesCountsTheLossThenLogsOut) {
    engine::state().InetState = engine::InetPlaying;
    int quits = 0;
    window::setQuitInternetGame([&] {
        ++quits;
        engine::state().InetState = engine::InetIdle;
    });
    strip().mnuuser.click();
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(scene.players()[0].number(PlayerField::Lost), 1);
    EXPECT_NE(shell::loginIfLoaded(), nullptr);
    EXPECT_EQ(window::mainIfLoaded(), nullptr);
}

TEST_F(MenuFormTest, ChangeUserFromTheWaitingRoomWithdrawsTheEntryFirst) {
    engine::state().InetState = engine::InetWaiting;
    engine::state().InboxKey = "s7";
    strip().mnuuser.click();
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Exit Waiting Room?");
    ASSERT_EQ(scene.doubles.http.requests.size(), 1u);
    EXPECT_NE(scene.doubles.http.requests[0].url.find("exitwait.mv?7"), std::string::npos);
    EXPECT_NE(shell::loginIfLoaded(), nullptr);
}

// Each web link leads to what its caption names: a web page for the site and the store, a page of
// downloads for the shareware, a mail for the mail; every file it names is delivered.
TEST_F(MenuFormTest, EachWebLinkLeadsToTheKindItsCaptionNames) {
    const auto kindOf = [](const std::string& target) {
        if (target.rfind("mailto:", 0) == 0) return std::string("mail");
        const bool page = target.rfind("http", 0) == 0 || (target.size() > 5 && target.substr(target.size() - 5) == ".html");
        return std::string(page ? "page" : "file");
    };
    shell::MenuForm& s = strip();
    const std::vector<std::pair<ui::MenuItem*, std::string>> items = {
        {&s.mnuemail, "mail"}, {&s.mnugoweb, "page"}, {&s.mnustore, "page"}, {&s.mnushareware, "page"}};
    for (const auto& [item, kind] : items) {
        scene.doubles.shell.opened.clear();
        item->click();
        ASSERT_EQ(scene.doubles.shell.opened.size(), 1u) << item->Caption.get();
        const std::string target = scene.doubles.shell.opened[0];
        EXPECT_EQ(kindOf(target), kind) << item->Caption.get() << ": " << target;
        if (kind == "page" && target.rfind("http", 0) != 0) {
            EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(TESSARINE_PROGRAM_DIR) / target)) << target;
        }
    }
}

} // namespace
