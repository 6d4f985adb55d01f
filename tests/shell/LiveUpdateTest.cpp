// "Check For Updates": the request, the two markers and where they count, the time-out put back
// on every path, and what happens around the updater. The last tests ask a real game server on
// 127.0.0.1.
#include "engine/State.h"
#include "netplay/InetRequests.h"
#include "netplay/wire/Requests.h"
#include "platform/inet/CurlHttpClient.h"
#include "shell/LiveUpdate.h"
#include "tests/support/ServerChild.h"
#include "tests/support/UiScene.h"
#include "window/MainWindow.h"

#include <gtest/gtest.h>

namespace {

using testing_support::FakeHttp;

const std::string kChecking = "Checking server for updates...please wait.";
const std::string kFailed = "Update check failed. Please check your internet connection and try later.";
const std::string kNotCurrent = "Update check complete. Your version NOT current.";
const std::string kCurrent = "Update check complete. You are current.";

struct UpdateScene : testing_support::UiScene {
    std::size_t firstLine = 0;

    explicit UpdateScene(platform::HttpClient* http = nullptr) {
        if (http) engine::state().services.http = http;
        engine::state().AppVersion = "1.1";
        firstLine = static_cast<std::size_t>(window::main().StatusText.ListCount());
        doubles.dialogs.shown.clear();
    }
    ~UpdateScene() {
        if (window::MainWindow* m = window::mainIfLoaded()) m->Unload();
        netplay::setServerAddress(netplay::wire::defaultServerAddress());
    }
    void reply(const std::string& body) { doubles.http.handler = [body](const std::string&) { return FakeHttp::okBody(body); }; }
    void check() { shell::RunUpdateCheck(); }
    // The status lines the check added.
    std::vector<std::string> lines() const {
        const auto& all = window::main().StatusText.items();
        return {all.begin() + static_cast<std::ptrdiff_t>(firstLine), all.end()};
    }
    int timeout() const { return window::main().Inet1.RequestTimeout(); }
};

} // namespace

TEST(UpdateCheck, AsksTheUpdatesScriptWithTheVersionWithinFifteenSeconds) {
    UpdateScene scene;
    scene.reply("<p>*CURRENT*</p>");
    scene.check();
    ASSERT_EQ(scene.doubles.http.requests.size(), 1u);
    const auto& request = scene.doubles.http.requests[0];
    EXPECT_EQ(request.url, "http://" + netplay::wire::defaultServerAddress() + "/Tessarine/updates.mv?1.1");
    EXPECT_EQ(request.options.timeoutSeconds, 15);
    EXPECT_EQ(scene.timeout(), 60);
}

TEST(UpdateCheck, OnlyAMarkerAfterTheFirstCharacterAndInCapitalsCountsAndCurrentWins) {
    struct Row {
        const char* body;
        bool current;
    };
    for (const Row& row : {Row{" *CURRENT*", true}, Row{"x*UPDATED* *CURRENT*", true}, Row{"*CURRENT*", false},
                           Row{"*UPDATED*", false}, Row{"  *current*  *Updated*", false}, Row{"", false}}) {
        SCOPED_TRACE(row.body);
        UpdateScene scene;
        scene.reply(row.body);
        scene.check();
        if (row.current) {
            ASSERT_EQ(scene.doubles.dialogs.shown.size(), 1u);
            EXPECT_EQ(scene.doubles.dialogs.last().prompt, "This version is up-to-date!");
            EXPECT_EQ(scene.doubles.dialogs.last().title, "Update Check Complete.");
            EXPECT_EQ(scene.doubles.dialogs.last().style, platform::vbOKOnly);
        } else {
            EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
        }
        EXPECT_EQ(scene.lines(), (row.current ? std::vector<std::string>{" ", kChecking, kCurrent, " "}
                                              : std::vector<std::string>{" ", kChecking, kFailed, ""}));
        EXPECT_EQ(scene.timeout(), 60);
    }
}

TEST(UpdateCheck, NewerVersionAnsweredNoKeepsTheGameRunning) {
    UpdateScene scene;
    scene.reply("*CURRENT* *UPDATED*");   // a current marker opening the reply does not count
    scene.doubles.dialogs.buttons = {platform::vbNo};
    scene.check();
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Live Update");
    EXPECT_EQ(scene.doubles.dialogs.last().style, platform::vbYesNo);
    EXPECT_EQ(scene.doubles.dialogs.last().prompt,
              "Tessarine Live Update has detected a new version is available.\n\n"
              "Would you like Live Update to download and install the latest version now?");
    EXPECT_EQ(scene.lines(), (std::vector<std::string>{" ", kChecking, kNotCurrent, " "}));
    EXPECT_TRUE(scene.doubles.shell.started.empty());
    EXPECT_EQ(scene.doubles.exit.calls, 0);
    EXPECT_EQ(scene.timeout(), 60);
}

TEST(UpdateCheck, NewerVersionAnsweredYesStartsTheUpdaterAndEndsTheGame) {
    UpdateScene scene;
    scene.reply("x*UPDATED*");
    scene.check();
    EXPECT_EQ(scene.doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(scene.doubles.shell.started, std::vector<std::string>{"tsrupdate.exe"});
    EXPECT_EQ(scene.doubles.exit.calls, 1);
}

TEST(UpdateCheck, NoToTheInternetGameQuestionLeavesTheUpdaterUnstarted) {
    UpdateScene scene;
    scene.reply("x*UPDATED*");
    engine::state().InetState = engine::InetPlaying;
    scene.doubles.dialogs.buttons = {platform::vbYes, platform::vbNo};
    scene.check();
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 2u);
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Quit Game In Play!");
    EXPECT_TRUE(scene.doubles.shell.started.empty());
    EXPECT_EQ(scene.doubles.exit.calls, 0);
    EXPECT_EQ(engine::state().InetState, engine::InetPlaying);
    EXPECT_EQ(scene.lines(), (std::vector<std::string>{" ", kChecking, kNotCurrent, " "}));
}

TEST(UpdateCheck, WaitingEntryIsWithdrawnBeforeTheUpdaterStarts) {
    UpdateScene scene;
    scene.doubles.http.handler = [](const std::string& url) {
        return FakeHttp::okBody(url.find("updates.mv") != std::string::npos ? "x*UPDATED*" : "");
    };
    engine::state().InetState = engine::InetWaiting;
    engine::state().InboxKey = "s42";
    scene.check();
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 2u);
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Exit Waiting Room?");
    ASSERT_EQ(scene.doubles.http.requests.size(), 2u);
    EXPECT_NE(scene.doubles.http.requests[1].url.find("/Tessarine/exitwait.mv?42"), std::string::npos);
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
    EXPECT_EQ(scene.doubles.shell.started, std::vector<std::string>{"tsrupdate.exe"});
    EXPECT_EQ(scene.doubles.exit.calls, 1);
}

TEST(UpdateCheck, MissingUpdaterIsExplainedAndTheGameKeepsRunning) {
    UpdateScene scene;
    scene.reply("x*UPDATED*");
    scene.doubles.shell.result = false;
    scene.check();
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 2u);
    EXPECT_NE(scene.doubles.dialogs.last().prompt.find("\"tsrupdate.exe\""), std::string::npos);
    EXPECT_NE(scene.doubles.dialogs.last().prompt.find("keep playing"), std::string::npos);
    EXPECT_EQ(scene.doubles.exit.calls, 0);
    EXPECT_EQ(scene.lines(), (std::vector<std::string>{" ", kChecking, kNotCurrent, " "}));
}

TEST(UpdateCheck, TransferErrorShowsItsNumberAndTextThenTheFailure) {
    UpdateScene scene;
    scene.doubles.http.handler = [](const std::string&) { return FakeHttp::failure(35761, "Request timed out"); };
    scene.check();
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
    const auto lines = scene.lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2].rfind(" 35761: ", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3], kFailed);
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(scene.timeout(), 60);
}

// Against the real game-server stand-in.

TEST(UpdateCheckOnServer, SameVersionIsCurrentAndANewerOneOffersTheUpdater) {
    for (const bool newer : {false, true}) {
        SCOPED_TRACE(newer ? "newer on the server" : "same version");
        testing_support::TempDir scratch;
        testing_support::ServerChild server(TESSARINE_SERVER_BINARY, (scratch / "server.db").string(),
                                            newer ? std::vector<std::string>{"--current-version", "1.2"} : std::vector<std::string>{});
        ASSERT_NE(server.port(), 0);
        platform::inet::CurlHttpClient http;
        UpdateScene scene(&http);
        netplay::setServerAddress(server.address());
        scene.doubles.dialogs.buttons = {platform::vbNo};
        scene.check();
        ASSERT_EQ(scene.doubles.dialogs.shown.size(), 1u);
        if (newer)
            EXPECT_EQ(scene.doubles.dialogs.last().title, "Live Update");
        else
            EXPECT_EQ(scene.doubles.dialogs.last().prompt, "This version is up-to-date!");
        EXPECT_EQ(scene.lines().at(2), newer ? kNotCurrent : kCurrent);
        EXPECT_EQ(scene.timeout(), 60);
    }
}

TEST(UpdateCheckOnServer, NoServerListeningGivesTheErrorAndFailureLines) {
    unsigned short closedPort = 0;
    {
        testing_support::TempDir scratch;
        testing_support::ServerChild server(TESSARINE_SERVER_BINARY, (scratch / "server.db").string());
        closedPort = server.port();
    }
    ASSERT_NE(closedPort, 0);
    platform::inet::CurlHttpClient http;
    UpdateScene scene(&http);
    netplay::setServerAddress("127.0.0.1:" + std::to_string(closedPort));
    scene.check();
    const auto lines = scene.lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2].rfind(" 3575", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3], kFailed);
    EXPECT_EQ(scene.timeout(), 60);
}
