// Entering the own name into the waiting room: the choices the dialog sends, and what each reply
// of the server leaves behind.
#include "netplay/EnterWaitingRoom.h"
#include "netplay/WaitingRoomWindow.h"
#include "tests/netplay/InetScene.h"

#include <gtest/gtest.h>

using namespace inet_scene;

namespace {

class EnterWaitingRoom : public InetSceneTest {
protected:
    netplay::EnterWaitingRoomDialog& dialog() {
        netplay::EnterWaitingRoomDialog& d = netplay::joinwaitroom();
        d.Show();
        return d;
    }
    static std::string entered(const std::string& gameId) {
        return serverSays("***--ENTRY--***tttt" + gameId + "ssss");
    }
};

} // namespace

TEST_F(EnterWaitingRoom, OpensForAPublicGameOfFiveMinutes) {
    netplay::EnterWaitingRoomDialog& d = dialog();
    EXPECT_EQ(d.Caption.get(), "Enter Waiting Room");
    EXPECT_TRUE(d.Option1.Value);
    EXPECT_TRUE(d.Option3.Value);
    EXPECT_FALSE(d.Label3.Enabled);
    EXPECT_FALSE(d.Text1.Enabled);
    d.Option2.Value = true;
    EXPECT_FALSE(d.Option1.Value);
    EXPECT_TRUE(d.Label3.Enabled);
    EXPECT_TRUE(d.Text1.Enabled);
    d.Option1.Value = true;
    EXPECT_FALSE(d.Text1.Enabled);
}

TEST_F(EnterWaitingRoom, EachWaitSendsItsSecondsAndSetsTheDeadline) {
    const std::pair<ui::OptionButton netplay::EnterWaitingRoomDialog::*, int> waits[] = {
        {&netplay::EnterWaitingRoomDialog::Option4, 120},
        {&netplay::EnterWaitingRoomDialog::Option3, 300},
        {&netplay::EnterWaitingRoomDialog::Option5, 600},
        {&netplay::EnterWaitingRoomDialog::Option6, 900}};
    replyAlways(serverSays("busy"));   // neither entered nor full: the dialog stays
    for (const auto& [option, seconds] : waits) {
        netplay::EnterWaitingRoomDialog& d = dialog();
        (d.*option).Value = true;
        scene.doubles.clock.seconds = 40000;
        d.Command1.click();
        EXPECT_EQ(lastRequest(), "joinwait.mv?Tok1+Alice+Lyon+10+6+NO+none+" + std::to_string(seconds));
        EXPECT_FLOAT_EQ(engine::state().WaitDeadline, 40000.0f + seconds);
        EXPECT_EQ(scene.doubles.http.requests.back().options.timeoutSeconds, 40);
        EXPECT_EQ(w.Inet1.RequestTimeout(), 60);
    }
    EXPECT_NE(netplay::joinwaitroomIfLoaded(), nullptr);
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
}

TEST_F(EnterWaitingRoom, PublicGameSendsNoAndNoneWhateverWasTyped) {
    netplay::EnterWaitingRoomDialog& d = dialog();
    d.Text1.Text = "secret";
    d.Command1.click();
    EXPECT_EQ(lastRequest(), "joinwait.mv?Tok1+Alice+Lyon+10+6+NO+none+300");
}

TEST_F(EnterWaitingRoom, PrivateGameSendsTheTrimmedPasswordOrAnEmptyField) {
    netplay::EnterWaitingRoomDialog& d = dialog();
    d.Option2.Value = true;
    d.Text1.Text = "  open ";
    d.Command1.click();
    EXPECT_EQ(lastRequest(), "joinwait.mv?Tok1+Alice+Lyon+10+6+YES+open+300");
    d.Text1.Text = "";
    d.Command1.click();
    EXPECT_EQ(lastRequest(), "joinwait.mv?Tok1+Alice+Lyon+10+6+YES++300");
}

TEST_F(EnterWaitingRoom, EntryMakesTheHostWaitForAnOpponent) {
    engine::state().ComputerGame = 1;
    w.Picture1.Picture = w.Pics.pcplayer.Picture;
    replyAlways(entered(" 17"));
    dialog().Command1.click();
    engine::State& s = engine::state();
    EXPECT_EQ(s.InetState, engine::InetWaiting);
    EXPECT_EQ(s.ComputerGame, 0);
    EXPECT_EQ(s.InboxKey, "s17");
    EXPECT_EQ(s.OutboxKey, "c17");
    EXPECT_EQ(w.Label13.Caption.get(), "Waiting for Player");
    ASSERT_GE(status().size(), 4u);
    EXPECT_EQ(std::vector<std::string>(status().end() - 4, status().end()),
              (std::vector<std::string>{" ", "Game #17 ready for play. Waiting for a player to join you.",
                                        "You will be notified when a player joins you.", "PLEASE WAIT!!"}));
    EXPECT_EQ(sounds().back(), "sysmess.wav");
    EXPECT_TRUE(w.Picture1.Picture == w.Pics.photona.Picture);
    EXPECT_TRUE(w.inettimer.Enabled);
    EXPECT_EQ(w.inettimer.Interval.get(), 10000);
    EXPECT_EQ(netplay::joinwaitroomIfLoaded(), nullptr);

    // The poll now waits on the host's own mailbox.
    replyAlways(serverSays("FILE*NOT*FOUND"));
    scene.timers.advance(10000);
    EXPECT_EQ(lastRequest(), "getdata.mv?s17");
}

TEST_F(EnterWaitingRoom, FullRoomShowsTheBoxAndCloses) {
    replyAlways(serverSays("***--FULL--***"));
    dialog().Command1.click();
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Waiting Room Full!");
    EXPECT_EQ(scene.doubles.dialogs.last().prompt,
              "Sorry, the waiting room is full. Either join a waiting player, or come back later.");
    EXPECT_EQ(netplay::joinwaitroomIfLoaded(), nullptr);
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
    EXPECT_FALSE(w.inettimer.Enabled);
}

TEST_F(EnterWaitingRoom, FailedTransferGoesBackToTheWaitingRoomWithTheError) {
    engine::state().WaitDeadline = 0;
    failEveryRequest();
    dialog().Command1.click();
    EXPECT_EQ(netplay::joinwaitroomIfLoaded(), nullptr);
    ASSERT_NE(netplay::inetstartIfLoaded(), nullptr);
    EXPECT_EQ(netplay::inetstartIfLoaded()->List2.items(), std::vector<std::string>{" 35761: Request timed out"});
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
    EXPECT_GT(engine::state().WaitDeadline, 0.0f);
}

TEST_F(EnterWaitingRoom, CancelClosesWithoutARequest) {
    dialog().Command2.click();
    EXPECT_EQ(netplay::joinwaitroomIfLoaded(), nullptr);
    EXPECT_TRUE(requests().empty());
}
