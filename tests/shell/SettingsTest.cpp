// The profile editor: what it shows at load for a new and for a stored player, and what its
// controls do before Save.
#include "tests/shell/ShellScene.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace shelltest;
namespace ui = platform::ui;

struct SettingsTest : ::testing::Test {
    ShellScene scene;
    shell::Settings& open(const std::string& user) {
        engine::state().UserName = user;
        return shell::settings();
    }
};

TEST_F(SettingsTest, NewPlayerSeesTheDefaults) {
    shell::Settings& e = open("Newbie");
    const engine::State& s = engine::state();
    EXPECT_EQ(e.Caption.get(), "Tessarine - Settings");
    EXPECT_EQ(e.Label15.Caption.get(), "Newbie");
    EXPECT_FALSE(e.Command3.Enabled);
    EXPECT_FALSE(e.Text5.Visible);
    EXPECT_TRUE(e.Option4.Value);
    EXPECT_EQ(s.SkillLevel, 2);
    EXPECT_TRUE(e.Option2.Value);
    EXPECT_FALSE(e.Text1.Enabled);
    EXPECT_EQ(e.Check1.Value.get(), ui::vbChecked);
    EXPECT_FALSE(e.List1.Enabled);
    EXPECT_EQ(e.Text2.Text.get(), "");
    EXPECT_EQ(e.List2.ListIndex.get(), 0);
    EXPECT_EQ(e.Combo2.Text.get(), "sysmess.wav");
    EXPECT_EQ(e.Combo2.List(0), "None");
    EXPECT_EQ(e.Combo2.ListCount(), 9);
    EXPECT_EQ(s.SoundPlayError, "missed.wav");
}

TEST_F(SettingsTest, ConnectionsTabShowsNoEmptyDecorationBox) {
    shell::Settings& e = shell::settings();
    e.SSTab1.Tab = 2;
    EXPECT_TRUE(e.Option21.shownOnScreen());
    EXPECT_FALSE(e.Picture2.shownOnScreen());
}

TEST_F(SettingsTest, BoardsAreListedByNameWithMarblePreselected) {
    shell::Settings& e = open("Newbie");
    EXPECT_EQ(e.List3.items(), (std::vector<std::string>{"bricks", "flowers", "forest", "Marble", "steel", "sunset", "undersea", "woody"}));
    EXPECT_EQ(e.List3.Text(), "Marble");
    EXPECT_EQ(engine::state().BoardFile, "Marble.bmp");
}

TEST_F(SettingsTest, BoardRowPicksTheDeliveredBoardByPosition) {
    scene.writePicture("aaa.bmp");   // shifts every row down by one
    shell::Settings& e = open("Newbie");
    e.List3.ListIndex = 5;           // "steel" now, but row 5 shows the sunset board
    EXPECT_NE(e.Image1.Picture->path().find("sunset.bmp"), std::string::npos);
    const ui::Picture before = e.Image1.Picture;
    e.List3.ListIndex = 8;           // no delivered board at row 8: unchanged
    EXPECT_TRUE(e.Image1.Picture.get() == before);
}

TEST_F(SettingsTest, WithoutMarbleTheFirstBoardIsChosenAndWithoutBoardsNothing) {
    std::filesystem::remove(scene.folder / "Marble.bmp");
    EXPECT_EQ(open("Newbie").List3.Text(), "bricks");
    shell::settings().Unload();
    for (const auto& entry : std::filesystem::directory_iterator(scene.folder.path()))
        if (entry.path().extension() == ".bmp") std::filesystem::remove(entry.path());
    engine::state().BoardFile = "kept.bmp";
    shell::Settings& e = open("Newbie");
    EXPECT_EQ(e.List3.ListCount(), 0);
    EXPECT_EQ(engine::state().BoardFile, "kept.bmp");
}

TEST_F(SettingsTest, StoredProfileIsShownInExistingProfileMode) {
    engine::PlayerRecord r = ShellScene::profile("Amy", "secret");
    r.setText(PlayerField::Location, "");
    r.setNumber(PlayerField::PhotoMode, engine::PhotoShown);
    r.setText(PlayerField::PhotoAddress, "http://x.example/me.gif");
    r.setNumber(PlayerField::ProxyOn, 1);
    r.setText(PlayerField::ProxyName, "proxy.local");
    r.setNumber(PlayerField::LanFixed, 1);
    r.setText(PlayerField::LanProtocolName, "TCP/IP Provider");
    r.setNumber(PlayerField::Skill, 3);
    r.setText(PlayerField::GameOverWave, "fanfare.wav");
    scene.writePlayers({ShellScene::profile("Zed"), r});
    scene.providers = {"IPX Provider", "TCP/IP Provider", "Modem Connection"};
    shell::Settings& e = open("Amy");
    EXPECT_TRUE(e.Command3.Enabled);
    EXPECT_TRUE(e.Text5.Visible);
    EXPECT_TRUE(e.Label14.Visible);
    EXPECT_EQ(e.Text4.Text.get(), "");
    EXPECT_EQ(e.Text2.Text.get(), "Unknown");
    EXPECT_TRUE(e.Option1.Value);
    EXPECT_TRUE(e.Text1.Enabled);
    EXPECT_EQ(e.Text1.Text.get(), "http://x.example/me.gif");
    EXPECT_EQ(e.Option21.Value.get(), ui::vbChecked);
    EXPECT_EQ(e.Text3.Text.get(), "proxy.local");
    EXPECT_EQ(e.Check1.Value.get(), ui::vbUnchecked);
    EXPECT_TRUE(e.List1.Enabled);
    EXPECT_EQ(e.List1.items(), (std::vector<std::string>{"IPX Provider", "TCP/IP Provider", "     "}));
    EXPECT_EQ(e.List1.ListIndex.get(), 1);
    EXPECT_EQ(e.List3.Text(), "woody");
    EXPECT_TRUE(e.Option5.Value);
    EXPECT_EQ(engine::state().SkillLevel, 3);
    EXPECT_EQ(engine::state().SoundGameOver, "fanfare.wav");
    EXPECT_EQ(e.Combo2.List(7), "fanfare.wav");
}

TEST_F(SettingsTest, StoredBoardThatNoLongerExistsKeepsTheDefaultSelection) {
    engine::PlayerRecord r = ShellScene::profile("Amy");
    r.setText(PlayerField::BoardName, "gone");
    scene.writePlayers({r});
    EXPECT_EQ(open("Amy").List3.Text(), "Marble");
}

TEST_F(SettingsTest, ProviderListStaysEmptyWhenTheNetworkLibraryFails) {
    shell::setProviderSource([]() -> std::vector<std::string> { throw std::runtime_error("not registered"); });
    shell::Settings& e = open("Newbie");
    EXPECT_EQ(e.List1.ListCount(), 0);
    EXPECT_TRUE(e.Command2.Enabled);
}

TEST_F(SettingsTest, CurrentPasswordIsCopiedIntoTheNewPasswordBox) {
    shell::Settings& e = open("Newbie");
    e.Text5.Text = "s";
    e.Text5.Text = "se";
    EXPECT_EQ(e.Text4.Text.get(), "se");
}

TEST_F(SettingsTest, SkillOptionsTakeEffectAtOnce) {
    shell::Settings& e = open("Newbie");
    e.Option3.click();
    e.Option3.Value = true;
    EXPECT_EQ(engine::state().SkillLevel, 1);
    EXPECT_FALSE(e.Option4.Value);
    e.Option5.Value = true;
    EXPECT_EQ(engine::state().SkillLevel, 3);
}

TEST_F(SettingsTest, AcceptThisSoundChecksNameAndEvent) {
    shell::Settings& e = open("Newbie");
    e.Combo2.Text = "ab";
    e.Command6.click();
    EXPECT_EQ(scene.doubles.dialogs.last().prompt, "Please select a sound file.");
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Select a Sound");
    e.List2.ListIndex = -1;
    e.Combo2.Text = "None";
    e.Command6.click();
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Select Event");
    e.List2.ListIndex = 6;
    EXPECT_EQ(e.Combo2.Text.get(), "app.wav");
    e.Combo2.Text = "None";
    e.Command6.click();
    EXPECT_EQ(engine::state().SoundGameOver, "None");
}

TEST_F(SettingsTest, BrowseKeepsPathsInsideTheProgramFolderRelative) {
    shell::Settings& e = open("Newbie");
    const std::string folder = scene.folder.path().string();
    scene.picker.answers = {folder + "/ding.wav", folder + "/sounds/bell.wav", std::string("/elsewhere/x.wav"),
                            folder + "2/sibling.wav"};
    std::vector<std::string> kept;
    for (int i = 0; i < 4; ++i) {
        e.Command4.click();
        kept.push_back(e.Combo2.Text);
    }
    EXPECT_EQ(kept, (std::vector<std::string>{"ding.wav", "sounds/bell.wav", "/elsewhere/x.wav", folder + "2/sibling.wav"}));
    EXPECT_EQ(scene.picker.opened.front().filter, "Sound File (*.wav)|*.wav");
    EXPECT_EQ(scene.picker.opened.front().initialFolder, folder);
}

TEST_F(SettingsTest, BrowseCancelledOrWanderingLeavesTheProgramFolderCurrent) {
    shell::Settings& e = open("Newbie");
    const std::string before = e.Combo2.Text;
    scene.picker.whileOpen = [] { std::filesystem::current_path(std::filesystem::temp_directory_path()); };
    e.Command4.click();
    EXPECT_EQ(e.Combo2.Text.get(), before);
    EXPECT_EQ(std::filesystem::current_path(), scene.folder.path());
}

TEST_F(SettingsTest, PhotoPreviewRefusesAnAddressThatIsNotAPicture) {
    shell::Settings& e = open("Newbie");
    for (const char* address : {"http://a.b", "http://example.com/me.png", "ftp://example.com/me.gif"}) {
        e.Text1.Text = address;
        e.Command1.click();
        EXPECT_EQ(scene.doubles.dialogs.last().title, shell::InvalidPhotoTitle) << address;
        EXPECT_EQ(scene.doubles.dialogs.last().prompt, shell::invalidPhotoText());
    }
    EXPECT_TRUE(scene.doubles.http.requests.empty());
}

TEST_F(SettingsTest, PhotoPreviewShowsThePictureAndLeavesNoFileBehind) {
    // A query after the picture's name is part of the address, not of the file's name.
    scene.doubles.http.replies["http://example.com/pics/me.bmp?s=2"] =
        testing_support::FakeHttp::okBody(testing_support::tinyBmp(100, 85));
    shell::Settings& e = open("Newbie");
    e.Text1.Text = "http://example.com/pics/me.bmp?s=2";
    e.Command1.click();
    EXPECT_EQ(e.Picture1.Picture->width(), 100);
    EXPECT_FALSE(std::filesystem::exists(scene.folder / "me.bmp"));
    EXPECT_FALSE(std::filesystem::exists(e.Picture1.Picture->path()));
}

TEST_F(SettingsTest, PhotoPreviewWithoutATemporaryFolderShowsNothingAndKeepsRunning) {
    scene.doubles.http.replies["http://example.com/pics/me.bmp"] =
        testing_support::FakeHttp::okBody(testing_support::tinyBmp(100, 85));
    shell::Settings& e = open("Newbie");
    const char* previous = std::getenv("TMPDIR");
    const std::string saved = previous ? previous : "";
    ::setenv("TMPDIR", (scene.folder / "no-such-folder").c_str(), 1);
    e.Text1.Text = "http://example.com/pics/me.bmp";
    EXPECT_NO_THROW(e.Command1.click());
    if (previous) ::setenv("TMPDIR", saved.c_str(), 1);
    else ::unsetenv("TMPDIR");
    EXPECT_TRUE(e.Picture1.Picture->isNone());
    EXPECT_FALSE(std::filesystem::exists(scene.folder / "no-such-folder"));
}

TEST_F(SettingsTest, CancelOfANewPlayerAsksAndGoesBackToLogin) {
    shell::Settings& e = open("Newbie");
    scene.doubles.dialogs.buttons = {platform::vbNo};
    e.CancelSettings.click();
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Delete User?");
    EXPECT_EQ(scene.doubles.dialogs.last().prompt,
              "Are you sure you wish to Cancel without saving new user settings?\n\nNew user will not be saved. Cancel?");
    EXPECT_NE(shell::settingsIfLoaded(), nullptr);
    scene.doubles.dialogs.buttons = {platform::vbYes};
    e.CancelSettings.click();
    EXPECT_EQ(shell::settingsIfLoaded(), nullptr);
    EXPECT_NE(shell::loginIfLoaded(), nullptr);
}

TEST_F(SettingsTest, ClosingANewPlayerEditorAsksAndNoKeepsItOpen) {
    shell::Settings& e = open("Newbie");
    scene.doubles.dialogs.buttons = {platform::vbNo};
    EXPECT_FALSE(e.closeByUser());
    EXPECT_EQ(scene.doubles.dialogs.last().prompt,
              "Are you sure you wish to Exit without saving new user settings?\n\nNew user will not be saved. Exit Now?");
    scene.doubles.dialogs.buttons = {platform::vbYes};
    EXPECT_TRUE(e.closeByUser());
    EXPECT_NE(shell::loginIfLoaded(), nullptr);
}

TEST_F(SettingsTest, CancelOfAStoredProfileJustCloses) {
    scene.writePlayers({ShellScene::profile("Amy")});
    open("Amy").CancelSettings.click();
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
    EXPECT_EQ(shell::settingsIfLoaded(), nullptr);
    EXPECT_EQ(shell::loginIfLoaded(), nullptr);
}

TEST_F(SettingsTest, SettingAChoiceFromTheProgramRunsItsClick) {
    shell::Settings& e = open("Newbie");
    e.Check1.Value = ui::vbUnchecked;
    EXPECT_TRUE(e.List1.Enabled);
    EXPECT_TRUE(e.Label16.Enabled);
    e.Option1.Value = true;
    EXPECT_TRUE(e.Text1.Enabled);
    EXPECT_FALSE(e.Option2.Value);
}

} // namespace
