// Giving up an Internet game, leaving the waiting room, and the steps the waiting room and the
// poll share: mailbox keys, the own entry, the own details and photo, the transfer light.
#include "netplay/InetGame.h"

#include "engine/playerfile/PlayerFile.h"
#include "tests/netplay/InetFixture.h"

#include <gtest/gtest.h>

using namespace inet_test;
using netplay::wire::PostKind;
using netplay::wire::Side;

namespace {

class QuitGame : public InetTest {
protected:
    void SetUp() override {
        InetTest::SetUp();
        engine::State& s = engine::state();
        s.InetState = engine::InetPlaying;
        s.InboxKey = "c17";
        s.OutboxKey = "s17";
        s.Player1Name = "Bob";
        s.Player2Name = "Ann";
        controls.inettimer.Enabled = true;
        controls.Label7.Caption = "Bob";
        controls.light.Picture = engine::Pics().onlight.Picture;
    }
};

using LeaveRoom = QuitGame;
using GameSetUp = InetTest;
using TransferLightShown = InetTest;

} // namespace

TEST_F(QuitGame, EndsTheLocalGameAndTellsTheOpponent) {
    controls.Inet1.setRequestTimeout(60);
    netplay::QuitInternetGame();
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
    EXPECT_FALSE(controls.inettimer.Enabled.get());
    EXPECT_TRUE(lightIs(engine::Pics().offlight));
    ASSERT_FALSE(statusLines().empty());
    EXPECT_EQ(statusLines().back(), "Internet game terminated.");
    ASSERT_EQ(doubles.http.requests.size(), 1u);
    EXPECT_EQ(lastUrl(), "http://127.0.0.1:8642/Tessarine/postdata.mv?s17+QUIT");
    EXPECT_EQ(doubles.http.requests.back().options.timeoutSeconds, 20);
    EXPECT_EQ(controls.Inet1.RequestTimeout(), 60);
}

TEST_F(QuitGame, StateIsResetBeforeThePostGoesOut) {
    doubles.http.handler = [&](const std::string&) {
        EXPECT_EQ(engine::state().InetState, engine::InetIdle);
        EXPECT_FALSE(controls.inettimer.Enabled.get());
        EXPECT_EQ(statusLines().back(), "Internet game terminated.");
        return testing_support::FakeHttp::okBody("WRITE*OK");
    };
    netplay::QuitInternetGame();
}

TEST_F(QuitGame, UnreachableServerIsNotReported) {
    failTransfers(35754, "Cannot connect to the server");
    netplay::QuitInternetGame();
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
    EXPECT_FALSE(controls.inettimer.Enabled.get());
    EXPECT_EQ(statusLines().size(), 1u);
    EXPECT_TRUE(doubles.dialogs.shown.empty());
    EXPECT_EQ(controls.Inet1.RequestTimeout(), 60);
}

TEST_F(QuitGame, TwiceInARowPostsTwiceUnderTheSameKey) {
    netplay::QuitInternetGame();
    netplay::QuitInternetGame();
    ASSERT_EQ(doubles.http.requests.size(), 2u);
    EXPECT_EQ(doubles.http.requests[0].url, doubles.http.requests[1].url);
    EXPECT_EQ(queryOf(doubles.http.requests[1].url), "s17+QUIT");
}

TEST_F(QuitGame, KeysPanelAndNamesStayForTheNextSetUp) {
    netplay::QuitInternetGame();
    const engine::State& s = engine::state();
    EXPECT_EQ(s.InboxKey, "c17");
    EXPECT_EQ(s.OutboxKey, "s17");
    EXPECT_EQ(s.Player1Name, "Bob");
    EXPECT_EQ(controls.Label7.Caption.get(), "Bob");
}

TEST_F(LeaveRoom, WithdrawsTheEntryByItsGameNumber) {
    engine::state().InetState = engine::InetWaiting;
    engine::state().InboxKey = "s17";
    controls.Inet1.setRequestTimeout(45);
    netplay::LeaveWaitingRoom();
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
    EXPECT_FALSE(controls.inettimer.Enabled.get());
    EXPECT_EQ(statusLines(), (std::vector<std::string>{"You have exited the internet waiting room.", "Ready."}));
    ASSERT_EQ(doubles.http.requests.size(), 1u);
    EXPECT_EQ(lastUrl(), "http://127.0.0.1:8642/Tessarine/exitwait.mv?17");
    EXPECT_EQ(doubles.http.requests.back().options.timeoutSeconds, 45);
}

TEST_F(GameSetUp, HostAndJoinerReadEachOthersMailbox) {
    netplay::setMailboxKeys(Side::Host, "17");
    EXPECT_EQ(engine::state().InboxKey, "s17");
    EXPECT_EQ(engine::state().OutboxKey, "c17");
    netplay::setMailboxKeys(Side::Joiner, " 17");
    EXPECT_EQ(engine::state().InboxKey, "c17");
    EXPECT_EQ(engine::state().OutboxKey, "s17");
}

TEST_F(GameSetUp, OwnEntryTakesPlayedAndWonOfTheOwnRecord) {
    engine::PlayerRecord record;
    record.setText(engine::PlayerField::Name, "Ann");
    engine::PlayerFile file;
    const int position = file.create(record);
    record.setNumber(engine::PlayerField::Played, 12);
    record.setNumber(engine::PlayerField::Won, 7);
    ASSERT_TRUE(file.rewrite(position, record));
    engine::state().UserName = "Ann ";
    engine::state().UserLocation = " Paris";
    const auto entry = netplay::ownWaitingRoomEntry(true, "pw", 900);
    netplay::enterWaitingRoom(controls.Inet1, entry);
    EXPECT_EQ(netplay::wire::splitQuery(lastQuery()),
              (std::vector<std::string>{kToken, "Ann", "Paris", "12", "7", "YES", "pw", "900"}));
}

TEST_F(GameSetUp, JoinerSendsHisDetailsAsStart) {
    engine::state().UserName = "Ann";
    engine::state().UserLocation = "Paris";
    engine::state().OutboxKey = "s17";
    netplay::postOwnPlayerInfo(PostKind::Start);
    EXPECT_EQ(netplay::wire::splitQuery(lastQuery()),
              (std::vector<std::string>{"s17", "START", "xxxAnnjjjhh*Paris*qqcc*0*eerr*0*pptt*0*vvmm*0*aa"}));
}

TEST_F(GameSetUp, ShortPhotoLinkIsNotSent) {
    engine::state().PhotoUrl = "http://a.b/c";   // 12 characters
    netplay::postOwnPhotoLink();
    EXPECT_TRUE(doubles.http.requests.empty());
}

TEST_F(GameSetUp, PhotoLinkGoesOutWithTheLightOn) {
    engine::state().PhotoUrl = " http://x.org/me.jpg ";
    engine::state().OutboxKey = "c17";
    bool lightOnDuringPost = false;
    doubles.http.handler = [&](const std::string&) {
        lightOnDuringPost = lightIs(engine::Pics().onlight);
        return testing_support::FakeHttp::okBody("WRITE*OK");
    };
    netplay::postOwnPhotoLink();
    EXPECT_TRUE(lightOnDuringPost);
    EXPECT_TRUE(lightIs(engine::Pics().offlight));
    EXPECT_EQ(netplay::wire::splitQuery(lastQuery()),
              (std::vector<std::string>{"c17", "PICURL", "http://x.org/me.jpg"}));
}

TEST_F(TransferLightShown, EachStateShowsItsPicture) {
    netplay::showTransferLight(netplay::TransferLight::On);
    EXPECT_TRUE(lightIs(engine::Pics().onlight));
    netplay::showTransferLight(netplay::TransferLight::Failed);
    EXPECT_TRUE(lightIs(engine::Pics().redlight));
    netplay::showTransferLight(netplay::TransferLight::Off);
    EXPECT_TRUE(lightIs(engine::Pics().offlight));
}
