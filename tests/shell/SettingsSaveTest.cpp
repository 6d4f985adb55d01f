// Save and Delete of the profile editor: every check with its message, what the file holds
// afterwards, and what the running session takes over.
#include "tests/shell/ShellScene.h"

#include <gtest/gtest.h>

namespace {

using namespace shelltest;
namespace ui = platform::ui;

struct SettingsSaveTest : ::testing::Test {
    ShellScene scene;
    shell::Settings& open(const std::string& user) {
        engine::state().UserName = user;
        return shell::settings();
    }
    const testing_support::ScriptedDialogs::Shown& last() const { return scene.doubles.dialogs.last(); }
    std::string fileBytes() const { return scene.folder.read("players.dat"); }
};

TEST_F(SettingsSaveTest, FirstSaveCreatesTheFileWithThePlayerAndTheComputer) {
    shell::Settings& e = open("Newbie");
    e.Text2.Text = "  York ";
    e.Command2.click();
    const auto records = scene.players();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].trimmed(PlayerField::Name), "Newbie");
    EXPECT_EQ(records[0].trimmed(PlayerField::Location), "York");
    EXPECT_EQ(records[0].trimmed(PlayerField::BoardName), "Marble");
    EXPECT_EQ(records[0].number(PlayerField::PhotoMode), engine::PhotoHidden);
    EXPECT_EQ(records[0].trimmed(PlayerField::SysMsgWave), "sysmess.wav");
    EXPECT_EQ(records[0].number(PlayerField::Skill), 2);
    EXPECT_EQ(records[0].number(PlayerField::LanFixed), 0);
    EXPECT_EQ(records[0].number(PlayerField::Played), 0);
    EXPECT_EQ(records[1].trimmed(PlayerField::Name), "Computer");
    EXPECT_EQ(records[1].number(PlayerField::Won), 0);
    ASSERT_NE(window::mainIfLoaded(), nullptr);
    EXPECT_TRUE(window::main().Visible);
    EXPECT_EQ(shell::settingsIfLoaded(), nullptr);
    EXPECT_EQ(engine::state().UserLocation, "York");
    EXPECT_EQ(engine::state().BoardFile, "Marble.bmp");
}

TEST_F(SettingsSaveTest, NewProfileStartsFromAZeroedRecordNotTheLastSearch) {
    engine::PlayerRecord other = ShellScene::profile("Zed", "", 9, 5, 3, 1);
    other.setText(PlayerField::Spare1, "left over");
    scene.writePlayers({other, ShellScene::profile("Computer")});
    open("Newbie").Command2.click();
    const auto records = scene.players();
    ASSERT_EQ(records.size(), 3u);
    const engine::PlayerRecord& mine = records[2];
    EXPECT_EQ(mine.trimmed(PlayerField::Name), "Newbie");
    EXPECT_EQ(mine.number(PlayerField::Played), 0);
    EXPECT_EQ(mine.number(PlayerField::Won), 0);
    EXPECT_EQ(mine.value(PlayerField::Spare1), "");
}

TEST_F(SettingsSaveTest, SavingAStoredProfileKeepsItsCountersAndPlace) {
    scene.writePlayers({ShellScene::profile("Zed"), ShellScene::profile("Amy", "", 7, 3, 2, 2), ShellScene::profile("Computer")});
    shell::Settings& e = open("Amy");
    e.Text2.Text = "Bath";
    e.Command2.click();
    const auto records = scene.players();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].trimmed(PlayerField::Location), "Bath");
    EXPECT_EQ(records[1].number(PlayerField::Played), 7);
    EXPECT_EQ(records[1].number(PlayerField::Won), 3);
    EXPECT_EQ(records[1].number(PlayerField::Lost), 2);
    EXPECT_EQ(records[1].number(PlayerField::Tied), 2);
}

TEST_F(SettingsSaveTest, EmptyStoredLocationIsSavedAsUnknown) {
    engine::PlayerRecord r = ShellScene::profile("Amy");
    r.setText(PlayerField::Location, "");
    scene.writePlayers({r});
    open("Amy").Command2.click();
    EXPECT_EQ(scene.players()[0].trimmed(PlayerField::Location), "Unknown");
}

TEST_F(SettingsSaveTest, PasswordThatCannotBeKeptAsTypedIsRefusedAtSave) {
    for (const char* typed : {"abc", "a", "abcdefghijkl"}) {
        shell::Settings& e = open("Newbie");
        e.Text4.Text = typed;
        e.Command2.click();
        EXPECT_EQ(last().title, "Settings Error") << typed;
        EXPECT_NE(last().prompt.find("A password must have 4 to 10 characters."), std::string::npos) << typed;
        EXPECT_FALSE(std::filesystem::exists(scene.folder / "players.dat")) << typed;
        EXPECT_NE(shell::settingsIfLoaded(), nullptr);
        e.Unload();
    }
    shell::Settings& e = open("Newbie");
    e.Text4.Text = " abcdefghij ";
    e.Command2.click();
    EXPECT_EQ(scene.players()[0].trimmed(PlayerField::Password), "abcdefghij");
}

TEST_F(SettingsSaveTest, StoredPasswordMustBeGivenToSave) {
    scene.writePlayers({ShellScene::profile("Amy", "secret")});
    shell::Settings& e = open("Amy");
    const std::string before = fileBytes();
    e.Text5.Text = "sec";
    e.Command2.click();
    EXPECT_EQ(last().prompt,
              "You have a previously selected password. This must be entered to alter your settings. Enter your current password.");
    EXPECT_EQ(last().title, "Need Password!");
    e.Text5.Text = "secrets";
    e.Command2.click();
    EXPECT_EQ(last().prompt, "The current password you entered is incorrect. Please try again.");
    EXPECT_EQ(last().title, "Password Incorrect");
    EXPECT_EQ(fileBytes(), before);
    e.Text5.Text = "secret";   // copied into the new-password box: the password is kept
    e.Command2.click();
    EXPECT_EQ(scene.players()[0].trimmed(PlayerField::Password), "secret");
}

TEST_F(SettingsSaveTest, ClearingTheNewPasswordAfterTheCurrentOneRemovesIt) {
    scene.writePlayers({ShellScene::profile("Amy", "secret")});
    shell::Settings& e = open("Amy");
    e.Text5.Text = "secret";
    e.Text4.Text = "";
    e.Command2.click();
    EXPECT_EQ(scene.players()[0].trimmed(PlayerField::Password), "");
}

TEST_F(SettingsSaveTest, EachRefusedCheckChangesNothing) {
    scene.writePlayers({ShellScene::profile("Amy")});
    engine::State& s = engine::state();
    s.PhotoUrl = "http://kept.example/p.gif";
    s.UseProxy = "0";
    s.BoardFile = "woody.bmp";
    shell::Settings& e = open("Amy");
    s.BoardFile = "woody.bmp";
    window::MainWindow& m = window::main();
    const ui::Picture board = m.main1.Picture;
    const std::string before = fileBytes();
    struct Case {
        std::function<void()> set;
        const char* text;
        const char* title;
    };
    const Case cases[] = {
        {[&] { e.Option1.Value = true; e.Text1.Text = "http://a.gi"; },
         "You selected to display your photo. You must enter the full URL of the photo to display", "Settings Error"},
        {[&] { e.Option2.Value = true; e.Option21.Value = ui::vbChecked; e.Text3.Text = "ab"; },
         "You selected to use a proxy server, but did not enter a proxy address!", "Settings Error!"},
        {[&] { e.Option21.Value = ui::vbUnchecked; e.Check1.Value = ui::vbUnchecked; e.List1.ListIndex = -1; },
         "You did not select a network protocal to use!", "Settings Error"},
    };
    for (const Case& c : cases) {
        c.set();
        e.List3.ListIndex = 1;
        e.Command2.click();
        EXPECT_EQ(last().prompt, c.text);
        EXPECT_EQ(last().title, c.title);
        EXPECT_EQ(fileBytes(), before);
        EXPECT_EQ(s.PhotoUrl, "http://kept.example/p.gif");
        EXPECT_EQ(s.UseProxy, "0");
        EXPECT_EQ(s.BoardFile, "woody.bmp");
        EXPECT_TRUE(m.main1.Picture.get() == board);
        EXPECT_NE(shell::settingsIfLoaded(), nullptr);
    }
}

TEST_F(SettingsSaveTest, ModemRowFailsTheProviderCheck) {
    scene.providers = {"Modem Connection"};
    shell::Settings& e = open("Newbie");
    e.Check1.Value = ui::vbUnchecked;
    e.List1.ListIndex = 0;
    e.Command2.click();
    EXPECT_EQ(last().prompt, "You did not select a network protocal to use!");
    EXPECT_FALSE(engine::PlayerFile().exists());
}

TEST_F(SettingsSaveTest, SavedSettingsReachTheSession) {
    scene.providers = {"TCP/IP Provider"};
    shell::Settings& e = open("Newbie");
    e.Option1.Value = true;
    e.Text1.Text = " http://x.example/me.gif ";
    e.Option21.Value = ui::vbChecked;
    e.Text3.Text = "proxy.local:3128";
    e.Check1.Value = ui::vbUnchecked;
    e.List1.ListIndex = 0;
    e.List3.ListIndex = 7;
    e.Command2.click();
    const engine::State& s = engine::state();
    EXPECT_EQ(s.PhotoUrl, "http://x.example/me.gif");
    EXPECT_EQ(s.UseProxy, "1");
    EXPECT_EQ(s.ProxyAddress, "proxy.local:3128");
    EXPECT_EQ(s.LanProtocol, "TCP/IP Provider");
    EXPECT_EQ(s.BoardFile, "woody.bmp");
    EXPECT_EQ(window::main().Inet1.AccessType(), platform::inet::AccessNamedProxy);
    const engine::PlayerRecord r = scene.players()[0];
    EXPECT_EQ(r.number(PlayerField::PhotoMode), engine::PhotoShown);
    EXPECT_EQ(r.number(PlayerField::ProxyOn), 1);
    EXPECT_EQ(r.number(PlayerField::LanFixed), 1);
    EXPECT_EQ(r.trimmed(PlayerField::LanProtocolName), "TCP/IP Provider");
}

TEST_F(SettingsSaveTest, HiddenPhotoEmptiesTheAddressInFileAndSession) {
    engine::PlayerRecord r = ShellScene::profile("Amy");
    r.setNumber(PlayerField::PhotoMode, engine::PhotoShown);
    r.setText(PlayerField::PhotoAddress, "http://x.example/me.gif");
    scene.writePlayers({r});
    engine::state().PhotoUrl = "http://x.example/me.gif";
    shell::Settings& e = open("Amy");
    e.Option2.Value = true;
    e.Command2.click();
    EXPECT_EQ(scene.players()[0].trimmed(PlayerField::PhotoAddress), "");
    EXPECT_EQ(engine::state().PhotoUrl, "");
}

TEST_F(SettingsSaveTest, UntickedProxyGoesBackToDirectAccess) {
    scene.writePlayers({ShellScene::profile("Amy")});
    window::main().Inet1.setAccessType(platform::inet::AccessNamedProxy);
    open("Amy").Command2.click();
    EXPECT_EQ(window::main().Inet1.AccessType(), platform::inet::AccessDirect);
    EXPECT_EQ(engine::state().UseProxy, "0");
}

TEST_F(SettingsSaveTest, BoardThatCannotBeLoadedFallsBackToMarble) {
    scene.folder.write("broken.bmp", "not a picture");
    shell::Settings& e = open("Newbie");
    const auto& rows = e.List3.items();
    e.List3.ListIndex = static_cast<int>(std::find(rows.begin(), rows.end(), "broken") - rows.begin());
    e.Command2.click();
    EXPECT_NE(window::main().main1.Picture->path().find("Marble.bmp"), std::string::npos);
    EXPECT_TRUE(window::main().Visible);
}

TEST_F(SettingsSaveTest, PlayerFileThatCannotBeReadIsNeitherReplacedNorMistakenForMissing) {
    // A players.dat that refers to itself: there, but never readable.
    std::filesystem::create_symlink("players.dat", scene.folder / "players.dat");
    shell::Settings& e = open("Newbie");
    EXPECT_EQ(last().title, "Player File Error");
    e.Command2.click();
    EXPECT_EQ(last().title, "Player File Error");
    EXPECT_EQ(last().prompt.rfind("Your profile could not be saved.\n\nplayers.dat cannot be read", 0), 0u);
    EXPECT_TRUE(std::filesystem::is_symlink(scene.folder / "players.dat"));
    EXPECT_NE(shell::settingsIfLoaded(), nullptr);
    EXPECT_EQ(window::mainIfLoaded(), nullptr);
}

TEST_F(SettingsSaveTest, AfterADeleteTheNextPlayerMeetsAFreshMainWindow) {
    engine::PlayerRecord zed = ShellScene::profile("Zed");
    zed.setText(PlayerField::BoardName, "woody");
    scene.writePlayers({ShellScene::profile("Bob"), zed, ShellScene::profile("Computer", "", 5, 2, 2, 1)});
    shell::login().Combo1.Text = "Bob";
    shell::login().Command1.click();
    window::MainWindow& bobs = window::main();
    bobs.Label7.Caption = "Computer";
    engine::state().ComputerGame = 1;
    const ui::Picture bobsBoard = bobs.main1.Picture.get();
    open("Bob").Command3.click();
    ASSERT_NE(shell::loginIfLoaded(), nullptr);
    shell::login().Combo1.Text = "Zed";
    shell::login().Command1.click();
    window::MainWindow& m = window::main();
    EXPECT_EQ(m.Caption.get(), "Tessarine v1.1 - Zed Logged On");
    for (const std::string& line : m.StatusText.items()) EXPECT_EQ(line.find("Bob"), std::string::npos) << line;
    EXPECT_NE(m.StatusText.items().back().find("Welcome Zed"), std::string::npos);
    EXPECT_EQ(m.Label7.Caption.get(), "");
    EXPECT_FALSE(m.main1.Picture.get() == bobsBoard);
    EXPECT_EQ(engine::state().ComputerGame, 0);
}

TEST_F(SettingsSaveTest, DeleteAnsweredNoDoesNothing) {
    scene.writePlayers({ShellScene::profile("Amy")});
    shell::Settings& e = open("Amy");
    const std::string before = fileBytes();
    scene.doubles.dialogs.buttons = {platform::vbNo};
    e.Command3.click();
    EXPECT_EQ(last().prompt, "Are you sure you wish to delete user: Amy?");
    EXPECT_EQ(last().title, "Delete User?");
    EXPECT_EQ(fileBytes(), before);
    EXPECT_NE(shell::settingsIfLoaded(), nullptr);
}

TEST_F(SettingsSaveTest, DeleteNeedsTheStoredPassword) {
    scene.writePlayers({ShellScene::profile("Amy", "secret")});
    shell::Settings& e = open("Amy");
    const std::string before = fileBytes();
    e.Command3.click();
    EXPECT_EQ(last().prompt,
              "You have a previously selected password. This must be entered to delete your record. Enter your current password.");
    e.Text5.Text = "secrex";
    e.Command3.click();
    EXPECT_EQ(last().title, "Password Incorrect");
    EXPECT_EQ(fileBytes(), before);
}

TEST_F(SettingsSaveTest, DeleteRemovesTheRecordThroughTheTemporaryFileAndShowsLogin) {
    scene.writePlayers({ShellScene::profile("Amy", "secret"), ShellScene::profile("Zed"), ShellScene::profile("Computer")});
    shell::Settings& e = open("Amy");
    e.Text5.Text = "secret";
    e.Command3.click();
    const auto records = scene.players();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].trimmed(PlayerField::Name), "Zed");
    EXPECT_FALSE(std::filesystem::exists(scene.folder / "players.tmp"));
    EXPECT_EQ(shell::settingsIfLoaded(), nullptr);
    EXPECT_EQ(shell::login().Combo1.items(), (std::vector<std::string>{"Zed"}));
}

TEST_F(SettingsSaveTest, DeletedPlayersProxyIsNotLeftInForce) {
    engine::PlayerRecord r = ShellScene::profile("Amy");
    r.setNumber(PlayerField::ProxyOn, 1);
    r.setText(PlayerField::ProxyName, "proxy.local");
    scene.writePlayers({r});
    window::MainWindow& m = window::main();
    m.Inet1.setAccessType(platform::inet::AccessNamedProxy);
    m.Inet1.setProxy("proxy.local");
    engine::state().UseProxy = "1";
    open("Amy").Command3.click();
    EXPECT_EQ(m.Inet1.AccessType(), platform::inet::AccessDirect);
    EXPECT_EQ(m.Inet1.Proxy(), "");
    EXPECT_EQ(engine::state().UseProxy, "0");
    EXPECT_NE(window::mainIfLoaded(), nullptr);   // the main window stays as it is
}

} // namespace
