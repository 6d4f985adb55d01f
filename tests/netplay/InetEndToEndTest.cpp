// Whole Internet games against the real game server, run as a child process on 127.0.0.1 with a
// free port and a scratch database. First one program's side: it enters the waiting room through
// its windows and plays on its main window, the opponent played by plain requests of the wire
// from this test, from the empty waiting room to a won game. Then two programs, each a process of
// its own, through the passage from one game to the next and the ways of leaving one.
#include "engine/State.h"
#include "netplay/EnterWaitingRoom.h"
#include "netplay/InetReplies.h"
#include "netplay/InetRequests.h"
#include "netplay/WaitingRoomWindow.h"
#include "platform/inet/CurlHttpClient.h"
#include "platform/inet/Inet.h"
#include "tests/netplay/DriverProcess.h"
#include "tests/netplay/InetScene.h"
#include "tests/support/GameScene.h"
#include "tests/support/RecordingGameOver.h"
#include "tests/support/ServerChild.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

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

// Two copies of the game, each a process of its own with its own players.dat, playing each other
// through the real server: Alice leaves a game against the computer for the waiting room, Bob
// joins her, and her next poll starts the game with Alice to move on both sides. Each copy prints its counters, which the tests show.
class TwoPrograms : public ::testing::Test {
protected:
    using Lines = std::vector<std::string>;
    struct Copy : testing_support::DriverProcess {
        explicit Copy(const std::string& name) : DriverProcess({GAME_DRIVER, name}) {}
    };

    void matchUp() {
        ASSERT_NE(server.port(), 0) << "tessarine-server did not start";
        alice.run("server " + server.address());
        bob.run("server " + server.address());
        // Alice comes from an unfinished game against the computer, in which she moved first.
        alice.run("deal abcdefgh");
        alice.run("computer");
        alice.run("move a 3");
        alice.run("inetwait");
        const Lines waiting = alice.run("report");
        EXPECT_TRUE(testing_support::after(waiting, "CELL ").empty()) << "no tile of the computer game stays";
        EXPECT_TRUE(testing_support::has(waiting, "PANEL |"));
        EXPECT_TRUE(testing_support::has(waiting, "PHOTO other"));
        bob.run("deal zzzzzzzz");
        bob.run("inetjoin Alice");
        alice.run("deal wordkkkk");
        alice.run("poll");
        bob.run("poll");   // Alice's details
        ASSERT_TRUE(testing_support::has(alice.run("report"), "CAPTION Your Turn!"));
        ASSERT_TRUE(testing_support::has(bob.run("report"), "CAPTION Opponents Turn!"));
    }
    // The players.dat counters a copy reports, shown in the test's output.
    std::string counters(Copy& copy, const std::string& name) {
        const std::string line = testing_support::after(copy.run("report"), "COUNTERS ");
        std::cout << name << "'s players.dat: " << line << std::endl;
        return line;
    }

    testing_support::TempDir serverFolder;
    testing_support::ServerChild server{TESSARINE_SERVER_BINARY, (serverFolder / "server.db").string()};
    Copy alice{"Alice"};
    Copy bob{"Bob"};
};

// Alice plays w o r d along the bottom row, Bob answers z in the last column; Alice wins.
void playToAlicesWin(testing_support::DriverProcess& alice, testing_support::DriverProcess& bob) {
    const char letters[] = {'w', 'o', 'r', 'd'};
    for (int move = 0; move < 4; ++move) {
        alice.run(std::string("move ") + letters[move] + " " + std::to_string(move));
        bob.run("poll");
        if (move == 3) break;
        bob.run("move z " + std::to_string(6 + 7 * move));
        alice.run("poll");
    }
    ASSERT_TRUE(testing_support::has(bob.run("report"), "GAMEOVER 1"));
}

// Alice stops at the game-over dialog while Bob asks for another round and moves: Bob's next poll
// tells him that Alice has left.
TEST_F(TwoPrograms, StoppingAtGameOverTellsTheInternetOpponentWhoPlaysAgain) {
    matchUp();
    playToAlicesWin(alice, bob);

    bob.run("deal zzzzzzzz");
    bob.run("again");
    EXPECT_EQ(bob.run("move z 0"), Lines{});
    alice.run("stop");
    const Lines told = bob.run("poll");
    EXPECT_TRUE(testing_support::has(told, "BOX Opponent Left!")) << ::testing::PrintToString(told);
    EXPECT_EQ(counters(alice, "Alice"), "played 1 won 1 lost 0 tied 0");
    // Bob lost the word game; Alice left the round he had started, which he wins by forfeit.
    EXPECT_EQ(counters(bob, "Bob"), "played 2 won 1 lost 1 tied 0");
}

// Bob gives up; his quit reaches Alice's poll while her own "Quit Game In Play!" question is open.
// The game is counted once on each side: a win for Alice, a loss for Bob, and Alice's Yes neither
// counts a loss nor posts a quit for a game that has already ended.
TEST_F(TwoPrograms, AQuitArrivingWhileTheQuitQuestionIsOpenCountsTheGameOnce) {
    matchUp();
    alice.run("move w 0");
    bob.run("poll");
    bob.run("computer");
    const Lines atBob = bob.run("report");
    EXPECT_TRUE(testing_support::after(atBob, "CELL ").empty()) << "the computer game starts on a blank board";
    EXPECT_TRUE(testing_support::has(atBob, "PHOTO computer"));

    alice.run("pollwhileasking");
    const Lines asked = alice.run("computer");
    EXPECT_EQ(asked, (Lines{"ASKED Quit Game In Play!", "BOX Opponent Left!"}));
    EXPECT_EQ(counters(alice, "Alice"), "played 1 won 1 lost 0 tied 0");
    EXPECT_EQ(counters(bob, "Bob"), "played 1 won 0 lost 1 tied 0");
}

// Alice's move cannot be posted and she answers No to "Transfer Failed": the program ends with
// the game counted as her loss, and Bob's next poll tells him that he wins by default.
TEST_F(TwoPrograms, NoToTransferFailedCountsALossAndTellsTheOpponent) {
    matchUp();
    alice.run("failposts 3");
    alice.run("answer no");
    EXPECT_EQ(alice.run("move w 0"), Lines{"ASKED Transfer Failed"});
    EXPECT_TRUE(testing_support::has(alice.run("report"), "EXITS 1"));
    const Lines told = bob.run("poll");
    EXPECT_TRUE(testing_support::has(told, "BOX Opponent Left!")) << ::testing::PrintToString(told);
    EXPECT_EQ(counters(alice, "Alice"), "played 1 won 0 lost 1 tied 0");
    EXPECT_EQ(counters(bob, "Bob"), "played 1 won 1 lost 0 tied 0");
}

// Alice stops while Bob's game-over dialog is still open: his poll tells him, the game he lost is
// not counted again, and his play-again then starts no round of a game that is gone.
TEST_F(TwoPrograms, AQuitArrivingWhileTheGameOverDialogIsOpenCountsTheGameOnce) {
    matchUp();
    playToAlicesWin(alice, bob);
    alice.run("stop");
    const Lines told = bob.run("poll");
    EXPECT_TRUE(testing_support::has(told, "BOX Opponent Left!")) << ::testing::PrintToString(told);
    bob.run("again");
    const Lines after = bob.run("report");
    EXPECT_TRUE(testing_support::has(after, "RACK xxxxxxxxxxxxxxxx"));
    EXPECT_TRUE(testing_support::has(after, "STATUS Ready"));
    EXPECT_EQ(counters(alice, "Alice"), "played 1 won 1 lost 0 tied 0");
    EXPECT_EQ(counters(bob, "Bob"), "played 1 won 0 lost 1 tied 0");
}
