// The login window: the list of stored names, the refusals, the password and what a log-on
// loads into the session.
#include "tests/shell/ShellScene.h"

#include <gtest/gtest.h>

namespace {

using namespace shelltest;
using platform::vbOKOnly;

struct LoginTest : ::testing::Test {
    ShellScene scene;
    void accept(const std::string& name, const std::string& password = "") {
        shell::Login& l = shell::login();
        l.Combo1.Text = name;
        l.Text1.Text = password;
        l.Command1.click();
    }
    std::string lastText() const { return scene.doubles.dialogs.last().prompt; }
};

TEST_F(LoginTest, CaptionAndInstructionsAtLoad) {
    shell::Login& l = shell::login();
    EXPECT_EQ(l.Caption.get(), "Tessarine v1.1 - Login");
    EXPECT_EQ(l.Label2.Caption.get(),
              "Enter or select your user name and enter your password if you have chosen to use one.\n\n"
              "New users, enter your name or a nick-name that you wish to be know as.");
    EXPECT_FALSE(l.Text1.Visible);
    EXPECT_FALSE(l.Label1.Visible);
}

TEST_F(LoginTest, ListsStoredNamesInFileOrderButNeverTheComputer) {
    scene.writePlayers({ShellScene::profile("Zed"), ShellScene::profile("Computer"), ShellScene::profile("Amy"),
                        ShellScene::profile("COMPUTER")});
    EXPECT_EQ(shell::login().Combo1.items(), (std::vector<std::string>{"Zed", "Amy"}));
}

TEST_F(LoginTest, WithoutPlayerFileTheListIsEmptyAndANameOpensTheEditorForANewPlayer) {
    accept("Newbie");
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
    ASSERT_NE(shell::settingsIfLoaded(), nullptr);
    EXPECT_FALSE(shell::settings().Command3.Enabled);   // new-player mode
    EXPECT_EQ(shell::loginIfLoaded(), nullptr);
    EXPECT_EQ(engine::state().UserName, "Newbie");
}

TEST_F(LoginTest, PlayerFileThatCannotBeReadIsShownAndNoNameCountsAsNew) {
    std::filesystem::create_symlink("players.dat", scene.folder / "players.dat");   // there, never readable
    shell::login();
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Player File Error");
    accept("Newbie");
    EXPECT_EQ(scene.doubles.dialogs.shown.size(), 2u);
    EXPECT_EQ(lastText().rfind("players.dat cannot be read", 0), 0u);
    EXPECT_EQ(shell::settingsIfLoaded(), nullptr);
    EXPECT_NE(shell::loginIfLoaded(), nullptr);
}

TEST_F(LoginTest, NameShorterThanTwoIsRefused) {
    accept(" x ");
    EXPECT_EQ(lastText(), shell::EnterNameText);
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Login Error");
    EXPECT_EQ(scene.doubles.dialogs.last().style, vbOKOnly);
    EXPECT_NE(shell::loginIfLoaded(), nullptr);
}

TEST_F(LoginTest, ComputerIsRefusedInAnyCase) {
    for (const char* name : {"computer", "Computer", "COMPUTER", "cOmPuTeR"}) {
        accept(name);
        EXPECT_EQ(lastText(), shell::ReservedNameText) << name;
    }
    EXPECT_EQ(shell::settingsIfLoaded(), nullptr);
}

TEST_F(LoginTest, NameLongerThanTheRecordHoldsIsRefused) {
    accept(std::string(26, 'a'));
    EXPECT_EQ(lastText(), shell::NameTooLongText);
    EXPECT_EQ(shell::settingsIfLoaded(), nullptr);
    accept(std::string(25, 'a'));
    EXPECT_NE(shell::settingsIfLoaded(), nullptr);
}

TEST_F(LoginTest, NameWithCharacterTheRecordCannotHoldIsRefused) {
    accept("Ivan \xD0\x98");   // Cyrillic capital I
    EXPECT_EQ(lastText(), shell::NameCharactersText);
    EXPECT_EQ(shell::settingsIfLoaded(), nullptr);
}

TEST_F(LoginTest, ChoosingANameWithPasswordShowsThePasswordBox) {
    scene.writePlayers({ShellScene::profile("Amy", "secret"), ShellScene::profile("Bob", "ab")});
    shell::Login& l = shell::login();
    l.Combo1.ListIndex = 0;
    EXPECT_TRUE(l.Text1.Visible);
    EXPECT_TRUE(l.Label1.Visible);
    l.Combo1.ListIndex = 1;   // two characters: no password in force
    EXPECT_FALSE(l.Text1.Visible);
}

TEST_F(LoginTest, WrongPasswordIsRefusedAndTheWindowStays) {
    scene.writePlayers({ShellScene::profile("Amy", "secret")});
    accept("Amy", "wrong");
    accept("Amy", "wrong");
    EXPECT_EQ(scene.doubles.dialogs.shown.size(), 2u);
    EXPECT_EQ(lastText(), shell::InvalidPasswordText);
    EXPECT_EQ(window::mainIfLoaded(), nullptr);
    accept("Amy", " secret ");
    EXPECT_NE(window::mainIfLoaded(), nullptr);
}

TEST_F(LoginTest, ShortStoredPasswordIsNotChecked) {
    scene.writePlayers({ShellScene::profile("Amy", "ab")});
    accept("Amy", "");
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
    EXPECT_NE(window::mainIfLoaded(), nullptr);
}

TEST_F(LoginTest, KnownNameLoadsTheProfileAndOpensTheMainWindow) {
    engine::PlayerRecord r = ShellScene::profile("Amy");
    r.setText(PlayerField::PhotoAddress, "http://x.example/me.gif");
    r.setNumber(PlayerField::ProxyOn, 1);
    r.setText(PlayerField::ProxyName, "proxy.local:3128");
    r.setText(PlayerField::LanProtocolName, "TCP/IP Provider");
    r.setText(PlayerField::ChatInWave, "chat\\ding.wav");
    scene.writePlayers({r});
    accept("  Amy ");
    const engine::State& s = engine::state();
    EXPECT_EQ(s.UserName, "Amy");
    EXPECT_EQ(s.BoardFile, "woody.bmp");
    EXPECT_EQ(s.UserLocation, "Leeds");
    EXPECT_EQ(s.PhotoUrl, "http://x.example/me.gif");
    EXPECT_EQ(s.UseProxy, "1");
    EXPECT_EQ(s.ProxyAddress, "proxy.local:3128");
    EXPECT_EQ(s.LanProtocol, "TCP/IP Provider");
    EXPECT_EQ(s.SoundChatIn, "chat\\ding.wav");
    EXPECT_EQ(s.SkillLevel, 2);
    window::MainWindow& m = window::main();
    EXPECT_EQ(m.Caption.get(), "Tessarine v1.1 - Amy Logged On");
    EXPECT_EQ(m.Inet1.AccessType(), platform::inet::AccessNamedProxy);
    EXPECT_EQ(m.Inet1.Proxy(), "proxy.local:3128");
    EXPECT_TRUE(m.Visible);
    EXPECT_EQ(shell::loginIfLoaded(), nullptr);
}

TEST_F(LoginTest, SkillOutsideOneToThreeLoadsNormal) {
    for (std::int16_t skill : {0, 4}) {
        engine::PlayerRecord r = ShellScene::profile("Amy");
        r.setNumber(PlayerField::Skill, skill);
        scene.writePlayers({r});
        engine::state().SkillLevel = 9;
        accept("Amy");
        EXPECT_EQ(engine::state().SkillLevel, 2) << skill;
        shell::login();
    }
}

TEST_F(LoginTest, PhotoAddressOfTwelveCharactersAndShortProviderLoadEmpty) {
    engine::PlayerRecord r = ShellScene::profile("Amy");
    r.setText(PlayerField::PhotoAddress, "http://a.gif");   // 12 characters
    r.setText(PlayerField::LanProtocolName, "IPX");
    scene.writePlayers({r});
    accept("Amy");
    EXPECT_EQ(engine::state().PhotoUrl, "");
    EXPECT_EQ(engine::state().LanProtocol, "");
}

TEST_F(LoginTest, ProfileWithoutProxyReachesTheInternetDirectly) {
    scene.writePlayers({ShellScene::profile("Amy")});
    window::main().Inet1.setAccessType(platform::inet::AccessNamedProxy);
    window::main().Inet1.setProxy("old:8080");
    accept("Amy");
    EXPECT_EQ(window::main().Inet1.AccessType(), platform::inet::AccessDirect);
    EXPECT_EQ(engine::state().UseProxy, "0");
}

TEST_F(LoginTest, StoredBoardThatCannotBeLoadedFallsBackToMarble) {
    engine::PlayerRecord r = ShellScene::profile("Amy");
    r.setText(PlayerField::BoardName, "vanished");
    scene.writePlayers({r});
    accept("Amy");
    window::MainWindow& m = window::main();
    EXPECT_TRUE(m.Visible);
    EXPECT_NE(m.main1.Picture->path().find("Marble.bmp"), std::string::npos);
}

TEST_F(LoginTest, ClosingByTheUserEndsTheProgram) {
    shell::login().closeByUser();
    EXPECT_EQ(scene.doubles.exit.calls, 1);
}

TEST_F(LoginTest, UnloadByTheProgramDoesNotEndIt) {
    shell::login().Unload();
    EXPECT_EQ(scene.doubles.exit.calls, 0);
}

} // namespace
