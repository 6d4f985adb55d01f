// One program's side of a whole Internet game against the real game server, run as a child
// process on 127.0.0.1 with a free port and a scratch database. The program enters the waiting
// room through its windows and plays on its main window; the opponent is played by plain requests
// of the wire from this test. From the empty waiting room to a won game.
#include "engine/State.h"
#include "netplay/EnterWaitingRoom.h"
#include "netplay/InetReplies.h"
#include "netplay/InetRequests.h"
#include "netplay/WaitingRoomWindow.h"
#include "platform/inet/CurlHttpClient.h"
#include "platform/inet/Inet.h"
#include "tests/netplay/InetScene.h"
#include "tests/support/GameScene.h"
#include "tests/support/RecordingGameOver.h"
#include "tests/support/ServerChild.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace inet_scene;
using wire::PostKind;
using wire::Script;

namespace {

// The opponent: another copy of the game, reduced to its requests.
class RawOpponent {
public:
    RawOpponent(platform::HttpClient& http, std::string server) : m_inet(http), m_server(std::move(server)) {}

    std::string request(Script script, const std::vector<std::string>& fields) {
        return m_inet.OpenURL(wire::requestUrl(m_server, script, fields));
    }
    std::string post(PostKind kind, const std::string& payload = "") {
        return request(Script::PostData, wire::postFields(outbox, kind, payload));
    }
    netplay::MailboxRead fetch() { return netplay::readMailbox(request(Script::GetData, {inbox})); }

    std::string inbox;
    std::string outbox;

private:
    platform::inet::Inet m_inet;
    std::string m_server;
};

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd() {
        netplay::setServerAddress(server.address());
        netplay::setProgramToken("aliceprogram");
        engine::setGameOverDialog(&gameOver);
        engine::State& s = engine::state();
        s.UserLocation = "Lyon";
        addPlayer("Alice", "Lyon", 10, 6, 3, 1);
        w.Show();
    }

    ui::Image* rackTile(char letter) {
        for (ui::Image* tile : w.rack())
            if (tile->Visible && tile->Tag.get() == std::string(1, letter)) return tile;
        return nullptr;
    }
    // The program's player drags a tile of the rack onto a board cell.
    void play(char letter, int cell) {
        ui::Image* tile = rackTile(letter);
        ASSERT_NE(tile, nullptr) << letter;
        scene.dragTileTo(*tile, w.Hole(cell));
    }
    // The next poll of the program's main window.
    void nextPoll() { scene.timers.advance(w.inettimer.Interval); }

    testing_support::GameScene scene;
    testing_support::TempDir serverFolder;
    testing_support::ServerChild server{TESSARINE_SERVER_BINARY, (serverFolder / "server.db").string()};
    platform::inet::CurlHttpClient curl;
    testing_support::RecordingGameOver gameOver;
    window::MainWindow& w = [this]() -> window::MainWindow& {
        engine::state().services.http = &curl;   // before the window makes its transfer control
        return scene.main();
    }();
};

} // namespace

TEST_F(EndToEnd, FromTheWaitingRoomToAWonGame) {
    ASSERT_NE(server.port(), 0) << "tessarine-server did not start";
    engine::State& s = engine::state();
    RawOpponent bob(curl, server.address());

    // The waiting room is empty; the program enters its own name for five minutes.
    netplay::inetstart().Show();
    scene.timers.advance(500);
    ASSERT_NE(netplay::inetstartIfLoaded(), nullptr);
    EXPECT_EQ(netplay::inetstartIfLoaded()->List1.items(),
              std::vector<std::string>{"No Players Currently Waiting To Play."});
    netplay::inetstartIfLoaded()->Command2.click();
    ASSERT_NE(netplay::joinwaitroomIfLoaded(), nullptr);
    netplay::joinwaitroomIfLoaded()->Command1.click();
    ASSERT_EQ(s.InetState, engine::InetWaiting);
    EXPECT_EQ(w.Label13.Caption.get(), "Waiting for Player");

    // Nobody yet: the poll finds an empty mailbox.
    nextPoll();
    EXPECT_EQ(s.InetState, engine::InetWaiting);

    // Bob lists the room, finds Alice and joins.
    const auto listing = netplay::readListing(bob.request(Script::ReadWait, {}));
    ASSERT_EQ(listing.entries.size(), 1u);
    const wire::WaitingEntry& entry = listing.entries[0];
    EXPECT_EQ(entry.playerId, "Alice");
    EXPECT_EQ(entry.location, "Lyon");
    EXPECT_EQ("s" + entry.gameId, s.InboxKey);
    ASSERT_EQ(netplay::readJoin(bob.request(Script::JoinGame, {entry.gameId, "bobprogram", ""})),
              netplay::JoinOutcome::Joined);
    bob.inbox = wire::inboxKey(wire::Side::Joiner, entry.gameId);
    bob.outbox = wire::outboxKey(wire::Side::Joiner, entry.gameId);
    bob.post(PostKind::Start, wire::formatPlayerInfoBlock({"Bob", "Rome", "12", "7", "4", "1"}));

    // The program's next poll starts the game: Alice is blue and moves first.
    scene.dealNext("wordkkkk");
    nextPoll();
    ASSERT_EQ(s.InetState, engine::InetPlaying);
    EXPECT_EQ(w.Label7.Caption.get(), "Bob");
    EXPECT_EQ(w.Label8.Caption.get(), "Rome");
    EXPECT_EQ(w.Label13.Caption.get(), "Your Turn!");
    EXPECT_EQ(w.StatusText.items().back(), "Bob has joined game. YOUR TURN!!");

    // Bob receives Alice's details.
    const auto details = bob.fetch();
    ASSERT_TRUE(details.playData);
    EXPECT_EQ(details.playData->name, "Alice");
    EXPECT_EQ(details.playData->played, "10");

    // Three rounds of moves: Alice along the bottom row, Bob up the last column; a chat between.
    const char aliceLetters[] = {'w', 'o', 'r'};
    for (int turn = 0; turn < 3; ++turn) {
        play(aliceLetters[turn], 35 + turn);   // dropped on the top row, the tile falls to the bottom
        EXPECT_EQ(w.Label13.Caption.get(), "Opponents Turn");
        const auto atBob = bob.fetch();
        ASSERT_TRUE(atBob.move) << turn;
        EXPECT_EQ(atBob.move->letter, aliceLetters[turn] - 'a');
        EXPECT_EQ(atBob.move->cell, turn);

        EXPECT_TRUE(netplay::postWritten(bob.post(PostKind::Move, wire::movePayload('z', 6 + 7 * turn))));
        if (turn == 1) bob.post(PostKind::Chat, "nice one");
        nextPoll();
        EXPECT_EQ(w.Hole(6 + 7 * turn).Tag.get(), "z");
        EXPECT_EQ(w.Label13.Caption.get(), "Your Turn");
        EXPECT_EQ(w.inettimer.Interval.get(), 30000);
    }
    EXPECT_NE(std::find(w.StatusText.items().begin(), w.StatusText.items().end(), "From Bob: nice one"),
              w.StatusText.items().end());

    // The longest line Alice's chat box takes, in characters of three bytes each, reaches Bob
    // whole; lines of Bob's that merely look like the protocol reach her as typed.
    std::string longest;
    for (int i = 0; i < w.ChatText.MaxLength.get(); ++i) longest += "\xE2\x82\xAC";
    w.ChatText.Text = longest;
    w.SendButton.click();
    EXPECT_EQ(bob.fetch().chat, longest);
    for (const std::string line : {"Yessss", "a*b", "5$ or 6#?", "100%", "#1!", "C++ & C#", "QUIT early?",
                                   "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e", "\xF0\x9F\x98\x80 gg"}) {
        bob.post(PostKind::Chat, line);
        nextPoll();
        EXPECT_EQ(w.StatusText.items().back(), "From Bob: " + line);
    }

    // "d" on the fourth cell of the bottom row makes "word": Alice wins.
    play('d', 3);
    EXPECT_EQ(s.GameOver, 1);
    EXPECT_EQ(s.TurnName, "Alice");
    EXPECT_EQ(gameOver.shown.size(), 1u);
    EXPECT_EQ(countersOf("Alice"), (std::vector<int>{11, 7, 3, 1}));
    EXPECT_TRUE(w.Hole(0).Picture == w.Pics.yel('w' - 'a').Picture);

    // Bob's copy receives the winning move and can check the same word.
    const auto last = bob.fetch();
    ASSERT_TRUE(last.move);
    EXPECT_EQ(last.move->letter, 'd' - 'a');
    EXPECT_EQ(last.move->cell, 3);
}
