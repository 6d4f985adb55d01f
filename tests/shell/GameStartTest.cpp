// Starting a game against the computer: seats, the opponent panel from the "Computer" record,
// the timer and the first round; and the Internet guard in front of every start.
#include "tests/shell/ShellScene.h"

#include "shell/GameStart.h"

#include <gtest/gtest.h>

namespace {

using namespace shelltest;

struct GameStartTest : ::testing::Test {
    ShellScene scene;
    GameStartTest() {
        engine::state().UserName = "Amy";
        window::main().Show();
    }
};

TEST_F(GameStartTest, ComputerGameSetsSeatsPanelTimerAndRound) {
    scene.writePlayers({ShellScene::profile("Amy"), ShellScene::profile("Computer", "", 12, 7, 4, 1)});
    window::MainWindow& m = window::main();
    engine::state().LanGame = 1;
    shell::mnuplaycomputer_Click();
    const engine::State& s = engine::state();
    EXPECT_EQ(s.Player1Name, "Amy");
    EXPECT_EQ(s.Player2Name, "Computer");
    EXPECT_EQ(s.MyColour, "blue");
    EXPECT_EQ(s.PlayerNumber, 1);
    EXPECT_EQ(s.ComputerGame, 1);
    EXPECT_EQ(s.LanGame, 0);
    EXPECT_EQ(m.Label7.Caption.get(), "Computer");
    EXPECT_EQ(m.Label8.Caption.get(), "Silicon Valley");
    EXPECT_EQ(m.Label9.Caption.get(), "12");
    EXPECT_EQ(m.Label10.Caption.get(), "7");
    EXPECT_EQ(m.Label11.Caption.get(), "4");
    EXPECT_EQ(m.Label12.Caption.get(), "1");
    EXPECT_TRUE(m.Picture1.Picture.get() == m.Pics.pcplayer.Picture.get());
    EXPECT_TRUE(m.lantimer.Enabled);
    EXPECT_EQ(s.TurnName, "Amy");
    EXPECT_EQ(m.Label13.Caption.get(), "Your Turn!");
    for (platform::ui::Image* tile : m.rack()) EXPECT_NE(tile->Tag.get(), "xx");
}

TEST_F(GameStartTest, WithoutComputerRecordThePanelCountersStay) {
    scene.writePlayers({ShellScene::profile("Amy")});
    window::MainWindow& m = window::main();
    m.Label9.Caption = "old";
    shell::mnuplaycomputer_Click();
    EXPECT_EQ(m.Label9.Caption.get(), "old");
    EXPECT_EQ(engine::state().ComputerGame, 1);
}

TEST_F(GameStartTest, SecondStartWhileAGameRunsKeepsTheBoardAndAsksNothing) {
    shell::mnuplaycomputer_Click();
    window::MainWindow& m = window::main();
    m.Hole(3).Tag = "q";
    shell::mnuplaycomputer_Click();
    EXPECT_EQ(m.Hole(3).Tag.get(), "q");
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
    EXPECT_EQ(engine::state().TurnName, "Computer");   // the other player starts the next round
}

TEST_F(GameStartTest, NoToTheGuardStartsNothing) {
    engine::state().InetState = engine::InetPlaying;
    scene.doubles.dialogs.buttons = {platform::vbNo};
    shell::mnuplaycomputer_Click();
    EXPECT_EQ(engine::state().ComputerGame, 0);
    EXPECT_FALSE(window::main().lantimer.Enabled);
}

TEST_F(GameStartTest, InternetStartAsksWithItsOwnTextAndWaitingQuestionFirst) {
    engine::state().InetState = engine::InetPlaying;
    scene.doubles.dialogs.buttons = {platform::vbNo};
    shell::mnuplayinet_Click();
    EXPECT_EQ(scene.doubles.dialogs.last().prompt,
              std::string(window::AlreadyPlayingText) + "\n\nDo you wish to cancel current game and score a loss?");
}

TEST_F(GameStartTest, ComputerStartAfterLeavingTheWaitingRoom) {
    engine::state().InetState = engine::InetWaiting;
    engine::state().InboxKey = "c99";
    shell::mnuplaycomputer_Click();
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
    EXPECT_EQ(engine::state().ComputerGame, 1);
    EXPECT_EQ(scene.doubles.http.requests.size(), 1u);
}

} // namespace
