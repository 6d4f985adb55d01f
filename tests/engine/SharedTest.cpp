// The shared procedures: sounds, the status list and waiting-room log, the rack put back, file
// tests and the picture download.
#include "engine/GameControls.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "platform/inet/Inet.h"
#include "tests/support/UiScene.h"

#include <gtest/gtest.h>

#include <filesystem>

using testing_support::FakeHttp;
using testing_support::UiScene;
namespace fs = std::filesystem;

namespace {

// The main window's shared controls without the window.
struct Controls : engine::GameControls {
    explicit Controls(platform::HttpClient& http) : engine::GameControls(http) { engine::state().controls = this; }
};

std::vector<std::string> shownRows(const platform::ui::ListBox& list) {
    std::vector<std::string> rows;
    for (int i = list.TopIndex; i < list.ListCount() && i < list.TopIndex + 4; ++i) rows.push_back(list.List(i));
    return rows;
}

const char* const DownloadError =
    "An error has occured in the internet file download.  Please check connection and try again later.";

} // namespace

TEST(StatusLine, FirstFourLinesLeaveTheListAtTheTop) {
    UiScene scene;
    Controls c(scene.doubles.http);
    for (const char* line : {"1", "2", "3", "4"}) engine::AddStatusLine(line);
    EXPECT_EQ(c.StatusText.TopIndex.get(), 0);
    EXPECT_EQ(c.StatusText.ListIndex.get(), 3);
}

TEST(StatusLine, FifthLineScrollsSoTheLastFourShow) {
    UiScene scene;
    Controls c(scene.doubles.http);
    for (const char* line : {"1", "2", "3", "4", "5"}) engine::AddStatusLine(line);
    EXPECT_EQ(c.StatusText.TopIndex.get(), 1);
    EXPECT_EQ(shownRows(c.StatusText), (std::vector<std::string>{"2", "3", "4", "5"}));
    EXPECT_EQ(c.StatusText.Text(), "5");
}

TEST(JoinLog, ScrollsFromTheFourthLineKeepingThreeInView) {
    UiScene scene;
    platform::ui::ListBox log{"List2"};
    engine::setJoinLog(&log);
    for (const char* line : {"a", "b", "c"}) engine::AddJoinLogLine(line);
    EXPECT_EQ(log.TopIndex.get(), 0);
    engine::AddJoinLogLine("d");
    EXPECT_EQ(log.TopIndex.get(), 1);
    EXPECT_EQ(log.ListIndex.get(), 3);
    engine::setJoinLog(nullptr);
    engine::AddJoinLogLine("e");   // no waiting room: nowhere to write, nothing happens
    EXPECT_EQ(log.ListCount(), 4);
}

TEST(Sounds, PlayOnlyWhileSoundIsOn) {
    UiScene scene;
    engine::state().SoundOn = 1;
    engine::PlaySoundEvent("sent.wav");
    engine::state().SoundOn = 0;
    engine::PlaySoundEvent("sent.wav");
    EXPECT_EQ(scene.doubles.sound.played, std::vector<std::string>{"sent.wav"});
}

TEST(Sounds, FileNameIsFoundWhateverItsCase) {
    UiScene scene;
    scene.folder.write("Sent.WAV", "RIFF");
    engine::state().SoundOn = 1;
    engine::PlaySoundEvent("sent.wav");
    engine::PlaySoundEvent("None");
    EXPECT_EQ(scene.doubles.sound.played, (std::vector<std::string>{"Sent.WAV", "None"}));
}

TEST(Sounds, TableHoldsTheEightEventsInOrder) {
    EXPECT_STREQ(engine::SoundEvents[0].displayText, "Incoming System Message");
    EXPECT_STREQ(engine::SoundEvents[7].defaultFile, "missed.wav");
    EXPECT_EQ(engine::SoundEvents[4].variable, &engine::State::SoundOpponentDrop);
}

TEST(RestoreTiles, ShowsTheRackAndPlaysTheErrorSound) {
    UiScene scene;
    Controls c(scene.doubles.http);
    engine::state().SoundOn = 1;
    engine::state().SoundPlayError = "missed.wav";
    c.Image3.Visible = false;
    engine::RestoreTiles();
    EXPECT_TRUE(c.Image3.Visible);
    EXPECT_EQ(scene.doubles.sound.played, std::vector<std::string>{"missed.wav"});
}

TEST(RestoreTiles, SilentWithSoundOff) {
    UiScene scene;
    Controls c(scene.doubles.http);
    engine::state().SoundOn = 0;
    c.Image1.Visible = false;
    engine::RestoreTiles();
    EXPECT_TRUE(c.Image1.Visible);
    EXPECT_TRUE(scene.doubles.sound.played.empty());
}

TEST(FileExists, TrueOnlyForARegularReadableFile) {
    UiScene scene;
    scene.folder.write("players.dat", "x");
    fs::create_directory(scene.folder / "pics");
    EXPECT_TRUE(engine::FileExists("players.dat"));
    EXPECT_FALSE(engine::FileExists("pics"));
    EXPECT_FALSE(engine::FileExists("absent.dat"));
}

TEST(SetCurrentDirToAppPath, MakesTheProgramFolderCurrent) {
    UiScene scene;
    fs::current_path(fs::temp_directory_path());
    engine::SetCurrentDirToAppPath();
    EXPECT_EQ(fs::current_path(), scene.folder.path());
}

TEST(DownloadFile, WritesTheLastSegmentIntoTheGivenFolderWithoutQueryOrFragment) {
    UiScene scene;
    platform::inet::Inet inet(scene.doubles.http);
    scene.doubles.http.replies["http://127.0.0.1/p/pic.gif"] = FakeHttp::okBody("GIF89a-bytes");
    scene.doubles.http.replies["http://127.0.0.1/p/me.JPG?s=2&v=/x#top"] = FakeHttp::okBody("JFIF-bytes");
    fs::create_directory(scene.folder / "dl");
    EXPECT_TRUE(engine::DownloadFile(inet, "http://127.0.0.1/p/pic.gif", (scene.folder / "dl").string()));
    EXPECT_TRUE(engine::DownloadFile(inet, "http://127.0.0.1/p/me.JPG?s=2&v=/x#top", (scene.folder / "dl").string()));
    EXPECT_EQ(scene.folder.read("dl/pic.gif"), "GIF89a-bytes");
    EXPECT_EQ(scene.folder.read("dl/me.JPG"), "JFIF-bytes");
    EXPECT_EQ(std::distance(fs::directory_iterator(scene.folder / "dl"), fs::directory_iterator()), 2);
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
}

TEST(DownloadFile, ReplacesAnOlderLongerFileWhole) {
    UiScene scene;
    platform::inet::Inet inet(scene.doubles.http);
    scene.folder.write("pic.jpg", std::string(100, 'o'));
    scene.doubles.http.replies["http://127.0.0.1/pic.jpg"] = FakeHttp::okBody("new");
    EXPECT_TRUE(engine::DownloadFile(inet, "http://127.0.0.1/pic.jpg", scene.folder.path().string()));
    EXPECT_EQ(scene.folder.read("pic.jpg"), "new");
}

TEST(DownloadFile, BusyTransferReturnsFalseWithoutRequestOrMessage) {
    UiScene scene;
    platform::inet::Inet inet(scene.doubles.http);
    inet.holdBusy(true);
    EXPECT_FALSE(engine::DownloadFile(inet, "http://127.0.0.1/pic.gif", scene.folder.path().string()));
    EXPECT_TRUE(scene.doubles.http.requests.empty());
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
}

TEST(DownloadFile, HttpErrorStatusIsAFailureNotASavedPage) {
    UiScene scene;
    platform::inet::Inet inet(scene.doubles.http);
    scene.doubles.http.replies["http://127.0.0.1/pic.gif"] = FakeHttp::failure(0, "", 404);
    scene.doubles.http.replies["http://127.0.0.1/pic.gif"].body = "<html>Not Found</html>";
    EXPECT_FALSE(engine::DownloadFile(inet, "http://127.0.0.1/pic.gif", scene.folder.path().string()));
    EXPECT_FALSE(fs::exists(scene.folder / "pic.gif"));
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(scene.doubles.dialogs.last().prompt, DownloadError);
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Preview Error");
    EXPECT_EQ(scene.doubles.dialogs.last().style, platform::vbInformation);
}

TEST(DownloadFile, NoConnectionShowsTheErrorBox) {
    UiScene scene;
    platform::inet::Inet inet(scene.doubles.http);   // unscripted addresses time out
    EXPECT_FALSE(engine::DownloadFile(inet, "http://127.0.0.1/pic.bmp", scene.folder.path().string()));
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Preview Error");
    EXPECT_FALSE(fs::exists(scene.folder / "pic.bmp"));
}

TEST(DownloadFile, AddressEndingInSlashShowsTheErrorBox) {
    UiScene scene;
    platform::inet::Inet inet(scene.doubles.http);
    EXPECT_FALSE(engine::DownloadFile(inet, "http://127.0.0.1/photos/", scene.folder.path().string()));
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Preview Error");
    EXPECT_TRUE(scene.doubles.http.requests.empty());
}

TEST(DownloadFile, UnsafeOrForeignNamesWriteNothing) {
    UiScene scene;
    platform::inet::Inet inet(scene.doubles.http);
    scene.doubles.http.handler = [](const std::string&) { return FakeHttp::okBody("bytes"); };
    fs::create_directory(scene.folder / "dl");
    const std::string folder = (scene.folder / "dl").string();
    for (const char* url : {"http://127.0.0.1/players.dat", "http://127.0.0.1/a/..", "http://127.0.0.1/x\\..\\..\\evil.gif",
                            "http://127.0.0.1/..gif", "http://127.0.0.1/tessarine", "nourl.gif", "http://127.0.0.1/pic.gif.exe",
                            "http://127.0.0.1/page?photo=me.jpg", "http://127.0.0.1/page#me.gif", "http://pic.gif"}) {
        EXPECT_FALSE(engine::DownloadFile(inet, url, folder)) << url;
    }
    EXPECT_TRUE(fs::is_empty(scene.folder / "dl"));
    EXPECT_TRUE(scene.doubles.http.requests.empty());
    EXPECT_EQ(scene.doubles.dialogs.shown.size(), 10u);
}

TEST(DownloadFile, PictureExtensionsInAnyCaseAreAccepted) {
    EXPECT_TRUE(engine::isDownloadablePictureName("Me.JPG"));
    EXPECT_TRUE(engine::isDownloadablePictureName("me.Bmp"));
    EXPECT_TRUE(engine::isDownloadablePictureName("me.gif"));
    EXPECT_FALSE(engine::isDownloadablePictureName("me.jpeg"));
    EXPECT_FALSE(engine::isDownloadablePictureName(".."));
}
