// The waiting-room window: the list fetched once after it opens, its lines and messages, and
// joining a listed game, public or private.
#include "netplay/EnterWaitingRoom.h"
#include "netplay/WaitingRoomWindow.h"
#include "platform/ui/CommonDialog.h"
#include "tests/netplay/InetScene.h"

#include <gtest/gtest.h>

using namespace inet_scene;
using wire::PostKind;

namespace {

std::string entry(const std::string& id, const std::string& name, const std::string& location,
                  const std::string& privateFlag = "NO") {
    return wire::formatWaitingEntry({id, name, location, "12", "7", privateFlag});
}

class WaitingRoom : public InetSceneTest {
protected:
    // Opens the window and lets its one-shot timer fetch the list.
    netplay::WaitingRoomWindow& openWith(const std::string& listing) {
        replyAlways(serverSays(listing));
        netplay::inetstart().Show();
        scene.timers.advance(500);
        return *netplay::inetstartIfLoaded();
    }
    const std::vector<std::string>& log() { return netplay::inetstartIfLoaded()->List2.items(); }
};

} // namespace

TEST_F(WaitingRoom, FetchesTheListOnceHalfASecondAfterOpening) {
    replyAlways(serverSays(""));
    netplay::WaitingRoomWindow& room = netplay::inetstart();
    room.Show();
    EXPECT_EQ(room.Caption.get(), "Tessarine - Play an Internet Game");
    scene.timers.advance(400);
    EXPECT_TRUE(requests().empty());
    scene.timers.advance(100);
    EXPECT_EQ(requests(), std::vector<std::string>{"readwait.mv"});
    scene.timers.advance(10000);
    EXPECT_EQ(requests().size(), 1u);
    EXPECT_EQ(scene.doubles.http.requests.back().options.timeoutSeconds, 20);
    EXPECT_EQ(w.Inet1.RequestTimeout(), 60);
}

TEST_F(WaitingRoom, ListsEachEntryOnItsFixedPitchLine) {
    netplay::WaitingRoomWindow& room =
        openWith(entry("17", "Bob", "Rome") + entry("1234", "Carla Maria", "Madrid, Spain") + entry("9", "Dan", "Kyiv", "YES"));
    ASSERT_EQ(room.List1.ListCount(), 3);
    EXPECT_EQ(room.List1.List(0),
              "17         Bob                        Rome                         12        7        NO");
    EXPECT_EQ(room.List1.List(1).substr(0, 24), "1234       Carla Maria  ");
    EXPECT_EQ(room.List1.List(2).substr(85), " YES");   // the Wins column ends at 86
    EXPECT_TRUE(room.Command1.Enabled);
    EXPECT_EQ(log(), (std::vector<std::string>{"Connecting to game server...Please Wait!",
                                               "Finished. You may now select a player to join."}));
}

TEST_F(WaitingRoom, EmptyRoomSaysSoAndCannotBeJoined) {
    netplay::WaitingRoomWindow& room = openWith("");
    EXPECT_EQ(room.List1.items(), std::vector<std::string>{"No Players Currently Waiting To Play."});
    EXPECT_EQ(log().back(), "Finished. Waiting room empty.");
    EXPECT_FALSE(room.Command1.Enabled);
}

TEST_F(WaitingRoom, ServerTroubleShowsItsLine) {
    netplay::WaitingRoomWindow& room = openWith("Socket Error 10061");
    EXPECT_EQ(room.List1.items(), std::vector<std::string>{"Socket Error. Please check your internet connection"});
    EXPECT_FALSE(room.Command1.Enabled);
    replyAlways(serverSays("Unable to open the waiting list"));
    room.Command4_Click();
    EXPECT_EQ(room.List1.items(),
              std::vector<std::string>{"Unable to reach game server. Please check your internet connection, or try later."});
}

TEST_F(WaitingRoom, FailedTransferLogsTheErrorThenAnEmptyRoom) {
    failEveryRequest();
    netplay::inetstart().Show();
    scene.timers.advance(500);
    netplay::WaitingRoomWindow& room = *netplay::inetstartIfLoaded();
    EXPECT_EQ(log(), (std::vector<std::string>{"Connecting to game server...Please Wait!", " 35761: Request timed out",
                                               "Finished. Waiting room empty."}));
    EXPECT_EQ(room.List1.items(), std::vector<std::string>{"No Players Currently Waiting To Play."});
}

TEST_F(WaitingRoom, JoinWithoutASelectionSendsNothing) {
    netplay::WaitingRoomWindow& room = openWith(entry("17", "Bob", "Rome"));
    room.Command1_Click();
    EXPECT_EQ(log().back(), "Error: You must select a player to join first!");
    EXPECT_EQ(requests().size(), 1u);
}

TEST_F(WaitingRoom, JoiningAPublicGameMakesTheRedSecondPlayer) {
    engine::state().PhotoUrl = "http://pics.example/alice.jpg";
    engine::state().ComputerGame = 1;
    netplay::WaitingRoomWindow& room = openWith(entry("17", "Bob", "Rome"));
    room.List1.ListIndex = 0;
    scene.dealNext("abcdefgh");
    replyInTurn({serverSays("-JOINED-")});
    room.Command1_Click();

    const auto sent = requests();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[1], "joingame.mv?17+Tok1+");
    EXPECT_EQ("http://" + std::string(kServer) + "/Tessarine/" + sent[2],
              netplay::requestAddress(wire::Script::PostData,
                                      wire::postFields("s17", PostKind::Start,
                                                       wire::formatPlayerInfoBlock({"Alice", "Lyon", "10", "6", "3", "1"}))));
    EXPECT_EQ("http://" + std::string(kServer) + "/Tessarine/" + sent[3],
              netplay::requestAddress(wire::Script::PostData,
                                      wire::postFields("s17", PostKind::PicUrl, "http://pics.example/alice.jpg")));
    engine::State& s = engine::state();
    EXPECT_EQ(s.InetState, engine::InetPlaying);
    EXPECT_EQ(s.ComputerGame, 0);
    EXPECT_EQ(s.InboxKey, "c17");
    EXPECT_EQ(s.OutboxKey, "s17");
    EXPECT_EQ(s.Player1Name, "Bob");
    EXPECT_EQ(s.Player2Name, "Alice");
    EXPECT_EQ(s.MyColour, "red");
    EXPECT_EQ(s.PlayerNumber, 2);
    EXPECT_EQ(s.TurnName, "Bob");
    EXPECT_EQ(w.Label7.Caption.get(), "Bob");
    EXPECT_EQ(w.Label8.Caption.get(), "Rome");
    EXPECT_EQ(w.Label13.Caption.get(), "Opponents Turn!");
    EXPECT_TRUE(w.Image1.Picture == w.Pics.red(0).Picture);
    ASSERT_GE(status().size(), 4u);
    EXPECT_EQ(std::vector<std::string>(status().end() - 4, status().end()),
              (std::vector<std::string>{"", "", "Game: 17 ready for play. Waiting for Bob to move.", "PLEASE WAIT!!"}));
    EXPECT_EQ(sounds().back(), "sysmess.wav");
    EXPECT_TRUE(w.inettimer.Enabled);
    EXPECT_EQ(netplay::inetstartIfLoaded(), nullptr);
}

TEST_F(WaitingRoom, JoinerWaitsForTheHostEvenAfterStartingAnEarlierRound) {
    engine::state().LastStarter = "Bob";
    netplay::WaitingRoomWindow& room = openWith(entry("17", "Bob", "Rome"));
    room.List1.ListIndex = 0;
    replyInTurn({serverSays("-JOINED-")});
    room.Command1_Click();
    EXPECT_EQ(engine::state().TurnName, "Bob");
    EXPECT_EQ(w.Label13.Caption.get(), "Opponents Turn!");
}

TEST_F(WaitingRoom, PrivateGameAsksForThePasswordAndRefusesAWrongOne) {
    netplay::WaitingRoomWindow& room = openWith(entry("9", "Dan", "Kyiv", "YES"));
    room.List1.ListIndex = 0;
    scene.doubles.dialogs.inputs.push_back("guess");
    replyInTurn({serverSays("*BADPASSWORD*")});
    room.Command1_Click();
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Private Game");
    EXPECT_TRUE(scene.doubles.dialogs.last().input);
    EXPECT_EQ(lastRequest(), "joingame.mv?9+Tok1+guess");
    EXPECT_EQ(log().back(), "Invalid password to enter selected game!");
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
    EXPECT_NE(netplay::inetstartIfLoaded(), nullptr);

    scene.doubles.dialogs.inputs.push_back(" open sesame ");
    replyInTurn({serverSays("-JOINED-")});
    room.Command1_Click();
    EXPECT_EQ(requests()[2], "joingame.mv?9+Tok1+open%20sesame");
    EXPECT_EQ(engine::state().InetState, engine::InetPlaying);
}

TEST_F(WaitingRoom, PrivateGameWithoutAPasswordSendsNothing) {
    netplay::WaitingRoomWindow& room = openWith(entry("9", "Dan", "Kyiv", "YES"));
    room.List1.ListIndex = 0;
    const auto logged = log().size();
    room.Command1_Click();
    EXPECT_EQ(requests().size(), 1u);
    EXPECT_EQ(log().size(), logged);
    EXPECT_EQ(w.Label7.Caption.get(), "");
}

TEST_F(WaitingRoom, GameNoLongerOpenIsNotJoined) {
    netplay::WaitingRoomWindow& room = openWith(entry("17", "Bob", "Rome"));
    room.List1.ListIndex = 0;
    replyInTurn({serverSays("game is full")});
    room.Command1_Click();
    EXPECT_EQ(scene.doubles.dialogs.last().prompt,
              "Failed to join listed player. Refresh view to see if player is still waiting and try again");
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Tessarine");
    EXPECT_EQ(w.Label7.Caption.get(), "Bob");
    EXPECT_EQ(w.Label8.Caption.get(), "Rome");
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
}

TEST_F(WaitingRoom, FailedJoinShowsTheErrorThenTheFailure) {
    netplay::WaitingRoomWindow& room = openWith(entry("17", "Bob", "Rome"));
    room.List1.ListIndex = 0;
    failEveryRequest();
    room.Command1_Click();
    const auto& shown = scene.doubles.dialogs.shown;
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].prompt, " 35761: Request timed out");
    EXPECT_EQ(shown[1].prompt.substr(0, 31), "Failed to join listed player. R");
}

TEST_F(WaitingRoom, AddOpensTheEnterDialogAndCloses) {
    netplay::WaitingRoomWindow& room = openWith("");
    room.Command2_Click();
    EXPECT_EQ(netplay::inetstartIfLoaded(), nullptr);
    ASSERT_NE(netplay::joinwaitroomIfLoaded(), nullptr);
    EXPECT_TRUE(netplay::joinwaitroomIfLoaded()->Visible);
}

TEST_F(WaitingRoom, HelpOpensTheInternetGamePage) {
    std::vector<std::string> opened;
    ui::setHelpViewer([&](const std::string& file, int command, int context) {
        opened.push_back(file + " " + std::to_string(command) + " " + std::to_string(context));
    });
    openWith("").Command5_Click();
    ui::setHelpViewer({});
    EXPECT_EQ(opened, std::vector<std::string>{"TESSARINE.HLP 1 80"});
}
