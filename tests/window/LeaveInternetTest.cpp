// Leaving the Internet before closing the main window or starting something else: the two
// questions, the forfeit on the player's own record, the withdrawn waiting entry.
#include "engine/State.h"
#include "engine/playerfile/PlayerFile.h"
#include "netplay/InetRequests.h"
#include "tests/support/UiScene.h"
#include "window/LeaveInternet.h"
#include "window/MainWindow.h"

#include <gtest/gtest.h>

namespace {

using engine::PlayerField;
using testing_support::UiScene;

engine::PlayerRecord named(const std::string& name, std::int16_t played, std::int16_t lost) {
    engine::PlayerRecord r;
    r.setText(PlayerField::Name, name);
    r.setNumber(PlayerField::Played, played);
    r.setNumber(PlayerField::Lost, lost);
    return r;
}

struct LeaveInternetTest : ::testing::Test {
    UiScene scene;
    int quits = 0;
    LeaveInternetTest() {
        engine::State& s = engine::state();
        s.AppVersion = "1.1";
        s.UserName = "Amy";
        s.InboxKey = "s42 ";
        window::setQuitInternetGame([this] {
            ++quits;
            engine::state().InetState = engine::InetIdle;
        });
        std::string bytes;
        for (const auto& r : {named("Zed", 4, 1), named("Amy", 10, 3), named("Computer", 0, 0)}) bytes.append(r.view());
        scene.folder.write("players.dat", bytes);
        scene.folder.write("wordlist.dic", "word  " + std::string(240, ' '));
    }
    ~LeaveInternetTest() override {
        if (window::MainWindow* m = window::mainIfLoaded()) m->Unload();
        window::setQuitInternetGame({});
    }
    const testing_support::ScriptedDialogs::Shown& last() const { return scene.doubles.dialogs.last(); }
    std::string players() const { return scene.folder.read("players.dat"); }
};

TEST_F(LeaveInternetTest, CloseWithoutInternetEndsAtOnceWithoutAQuestion) {
    window::main().CloseButton.click();
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
    EXPECT_EQ(scene.doubles.exit.calls, 1);
}

TEST_F(LeaveInternetTest, NoToThePlayingQuestionKeepsEverything) {
    window::MainWindow& m = window::main();
    engine::state().InetState = engine::InetPlaying;
    const std::string before = players();
    scene.doubles.dialogs.buttons = {platform::vbNo};
    m.CloseButton.click();
    EXPECT_EQ(last().title, "Quit Game In Play!");
    EXPECT_EQ(last().prompt, std::string(window::CurrentlyPlayingText) +
                                 "\n\nDo you wish to cancel current game and score a loss?");
    EXPECT_EQ(last().style, platform::vbYesNo);
    EXPECT_EQ(engine::state().InetState, engine::InetPlaying);
    EXPECT_EQ(players(), before);
    EXPECT_EQ(quits, 0);
    EXPECT_EQ(scene.doubles.exit.calls, 0);
}

TEST_F(LeaveInternetTest, YesCountsTheLossOnTheOwnRecordOnlyAndQuits) {
    window::MainWindow& m = window::main();
    engine::state().InetState = engine::InetPlaying;
    m.CloseButton.click();
    const auto records = engine::PlayerFile().readAll();
    EXPECT_EQ(records[1].number(PlayerField::Played), 11);
    EXPECT_EQ(records[1].number(PlayerField::Lost), 4);
    EXPECT_EQ(records[0].number(PlayerField::Played), 4);
    EXPECT_EQ(records[2].number(PlayerField::Played), 0);
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(scene.doubles.dialogs.shown.size(), 1u);   // no waiting question after the Yes
    EXPECT_EQ(scene.doubles.exit.calls, 1);
}

TEST_F(LeaveInternetTest, TitleBarCloseAsksTheSameAndNoKeepsTheWindow) {
    window::MainWindow& m = window::main();
    engine::state().InetState = engine::InetPlaying;
    scene.doubles.dialogs.buttons = {platform::vbNo};
    EXPECT_FALSE(m.closeByUser());
    EXPECT_EQ(last().title, "Quit Game In Play!");
    EXPECT_NE(window::mainIfLoaded(), nullptr);
    EXPECT_EQ(scene.doubles.exit.calls, 0);
}

TEST_F(LeaveInternetTest, ProgramUnloadAsksNothingAndDoesNotEnd) {
    window::MainWindow& m = window::main();
    engine::state().InetState = engine::InetPlaying;
    EXPECT_TRUE(m.Unload());
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
    EXPECT_EQ(scene.doubles.exit.calls, 0);
}

TEST_F(LeaveInternetTest, YesToTheWaitingQuestionWithdrawsTheEntry) {
    window::MainWindow& m = window::main();
    engine::state().InetState = engine::InetWaiting;
    m.inettimer.Enabled = true;
    m.CloseButton.click();
    EXPECT_EQ(last().title, "Exit Waiting Room?");
    EXPECT_EQ(last().prompt, "You are currently waiting for an internet opponent.\n\nDo you wish to exit the waiting room?");
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
    EXPECT_FALSE(m.inettimer.Enabled);
    const auto& lines = m.StatusText.items();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "You have exited the internet waiting room.");
    EXPECT_EQ(lines.back(), "Ready.");
    ASSERT_EQ(scene.doubles.http.requests.size(), 1u);
    const std::string& url = scene.doubles.http.requests[0].url;
    EXPECT_NE(url.find("/Tessarine/exitwait.mv?42"), std::string::npos) << url;
    EXPECT_EQ(scene.doubles.exit.calls, 1);
}

TEST_F(LeaveInternetTest, WithdrawalGoesToTheServerThePlayerWaitsOn) {
    netplay::setServerAddress("127.0.0.1:8089");
    window::main();
    engine::state().InetState = engine::InetWaiting;
    const bool left = window::ConfirmLeaveInternet(window::CurrentlyPlayingText, false);
    netplay::setServerAddress(netplay::wire::defaultServerAddress());
    EXPECT_TRUE(left);
    ASSERT_EQ(scene.doubles.http.requests.size(), 1u);
    EXPECT_EQ(scene.doubles.http.requests[0].url, "http://127.0.0.1:8089/Tessarine/exitwait.mv?42");
}

TEST_F(LeaveInternetTest, NoToTheWaitingQuestionKeepsTheWait) {
    window::MainWindow& m = window::main();
    engine::state().InetState = engine::InetWaiting;
    m.inettimer.Enabled = true;
    scene.doubles.dialogs.buttons = {platform::vbNo};
    m.CloseButton.click();
    EXPECT_EQ(engine::state().InetState, engine::InetWaiting);
    EXPECT_TRUE(m.inettimer.Enabled);
    EXPECT_TRUE(scene.doubles.http.requests.empty());
    EXPECT_EQ(scene.doubles.exit.calls, 0);
}

TEST_F(LeaveInternetTest, FailedExitwaitStillEnds) {
    scene.doubles.http.handler = [](const std::string&) { return testing_support::FakeHttp::failure(12029, "down"); };
    window::main();
    engine::state().InetState = engine::InetWaiting;
    window::main().CloseButton.click();
    EXPECT_EQ(scene.doubles.exit.calls, 1);
}

TEST_F(LeaveInternetTest, ForfeitWithoutARecordWritesNothingButStillQuits) {
    window::main();
    engine::state().UserName = "Nobody";
    engine::state().InetState = engine::InetPlaying;
    const std::string before = players();
    EXPECT_TRUE(window::ConfirmLeaveInternet(window::CurrentlyPlayingText, false));
    EXPECT_EQ(players(), before);
    EXPECT_EQ(quits, 1);
}

TEST_F(LeaveInternetTest, WithNothingInstalledQuittingEndsTheGameAndTellsTheOpponent) {
    window::setQuitInternetGame({});
    window::MainWindow& m = window::main();
    engine::state().InetState = engine::InetPlaying;
    engine::state().OutboxKey = "c42 ";
    m.inettimer.Enabled = true;
    window::QuitInternetGameNow();
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
    EXPECT_FALSE(m.inettimer.Enabled);
    EXPECT_EQ(m.StatusText.items().back(), "Internet game terminated.");
    ASSERT_EQ(scene.doubles.http.requests.size(), 1u);
    const std::string& url = scene.doubles.http.requests[0].url;
    EXPECT_NE(url.find("/Tessarine/postdata.mv?c42+QUIT"), std::string::npos) << url;
}

} // namespace
