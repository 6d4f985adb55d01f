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

// Bob presses "Play Again" first and, as the new round is his to start, moves at once while
// Alice's game-over dialog is still open. Her poll holds his move back from the ended board; her
// "Play Again" deals the new round and then shows it, and the round goes on both ways.
TEST_F(TwoPrograms, AMoveOfTheNextRoundWaitsForPlayAgain) {
    matchUp();
    playToAlicesWin(alice, bob);
    bob.run("deal zzzzzzzz");
    bob.run("again");
    EXPECT_TRUE(testing_support::has(bob.run("report"), "CAPTION Your Turn!"));
    EXPECT_EQ(bob.run("move z 0"), Lines{});
    alice.run("poll");
    const Lines behind = alice.run("report");
    const std::vector<std::string> shown{"CAPTION", "CELL", "DIALOG", "INTERVAL"};
    testing_support::print("Alice, dialog open, after her poll", behind, shown);
    EXPECT_TRUE(testing_support::has(behind, "DIALOG open"));
    EXPECT_TRUE(testing_support::has(behind, "CELL 0 w")) << "the ended board keeps its tiles";

    alice.run("deal abcdefgh");
    alice.run("again");
    const Lines started = alice.run("report");
    testing_support::print("Alice, after Play Again", started, shown);
    EXPECT_EQ(testing_support::after(started, "CELL "), "0 z");
    EXPECT_TRUE(testing_support::has(started, "CAPTION Your Turn"));
    EXPECT_TRUE(testing_support::has(started, "INTERVAL 30000"));
    EXPECT_EQ(alice.run("move a 1"), Lines{});
    bob.run("poll");
    const Lines atBob = bob.run("report");
    testing_support::print("Bob, after Alice's move", atBob, shown);
    EXPECT_TRUE(testing_support::has(atBob, "CELL 1 a"));
    EXPECT_TRUE(testing_support::has(atBob, "CAPTION Your Turn"));
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

// Every way of leaving around a game's end, each played by two copies from a fresh match-up. In
// each, one copy's win is the other's loss, or neither counts; the two marked exceptions are the
// paths no copy can tell apart without a record the wire does not have. The counters of both
// players.dat files are printed as a table row.
struct Leaving {
    const char* name;
    bool afterAlicesWin;               // the first game is played to Alice's win first
    std::vector<std::string> before;   // "a <command>" for Alice, "b <command>" for Bob
    char leaver;
    std::vector<std::string> leave;    // the leaver's commands
    bool asked;                        // the leaver was asked "Quit Game In Play!"
    const char* told;                  // the box the other copy shows
    const char* alice;                 // the counters of both players.dat files afterwards
    const char* bob;
    const char* exception = nullptr;   // why the two cannot agree
};

constexpr const char* Won1 = "played 1 won 1 lost 0 tied 0";
constexpr const char* Lost1 = "played 1 won 0 lost 1 tied 0";
constexpr const char* Split2 = "played 2 won 1 lost 1 tied 0";
constexpr const char* Left = "Opponent Left!";
constexpr const char* Quit = "Opponent Quit";

// Both pressed "Play Again"; the round is Bob's to start.
const std::vector<std::string> BothAgain{"b deal zzzzzzzz", "b again", "a deal wordkkkk", "a again", "b move z 0", "a poll"};
std::vector<std::string> bothAgainAnd(std::vector<std::string> more) {
    std::vector<std::string> steps = BothAgain;
    steps.insert(steps.end(), more.begin(), more.end());
    return steps;
}
const std::vector<std::string> AliceMoved{"a move w 1", "b poll", "b move z 7", "a poll"};

const Leaving Leavings[] = {
    {"StopWhileTheOthersDialogIsOpen", true, {}, 'a', {"stop"}, false, Quit, Won1, Lost1},
    {"StopAfterTheOtherPressedPlayAgain", true, {"b again"}, 'a', {"stop"}, false, Quit, Won1, Lost1},
    {"StopAfterTheOtherPressedPlayAgainAndMoved", true, {"b deal zzzzzzzz", "b again", "b move z 0", "a poll"}, 'a',
     {"stop"}, false, Quit, Won1, Lost1},
    {"ExitWithTheOwnDialogOpen", true, {}, 'a', {"exit"}, false, Quit, Won1, Lost1},
    {"ChangeUserWithTheOwnDialogOpenAfterTheOtherMoved", true, {"b deal zzzzzzzz", "b again", "b move z 0", "a poll"},
     'a', {"changeuser"}, false, Quit, Won1, Lost1},
    {"BothPlayAgainExitBeforeMoving", true, BothAgain, 'a', {"exit"}, false, Quit, Won1, Lost1},
    {"BothPlayAgainComputerGameBeforeMoving", true, BothAgain, 'a', {"computer"}, false, Quit, Won1, Lost1},
    {"BothPlayAgainChangeUserBeforeMoving", true, BothAgain, 'a', {"changeuser"}, false, Quit, Won1, Lost1},
    {"BothPlayAgainCloseTheWindowBeforeMoving", true, BothAgain, 'a', {"close"}, false, Quit, Won1, Lost1},
    {"BothPlayAgainNoToTransferFailedOnTheFirstMove", true, BothAgain, 'a', {"failposts 3", "answer no", "move w 1"},
     false, Quit, Won1, Lost1},
    {"BothPlayAgainExitAfterMoving", true, bothAgainAnd(AliceMoved), 'a', {"exit"}, true, Left, Split2, Split2},
    {"BothPlayAgainComputerGameAfterMoving", true, bothAgainAnd(AliceMoved), 'a', {"computer"}, true, Left, Split2, Split2},
    {"BothPlayAgainChangeUserAfterMoving", true, bothAgainAnd(AliceMoved), 'a', {"changeuser"}, true, Left, Split2, Split2},
    {"BothPlayAgainCloseTheWindowAfterMoving", true, bothAgainAnd(AliceMoved), 'a', {"close"}, true, Left, Split2, Split2},
    {"BothPlayAgainNoToTransferFailedOnTheSecondMove", true, bothAgainAnd(AliceMoved), 'a',
     {"failposts 3", "answer no", "move o 2"}, false, Left, Split2, Split2},
    {"BothPlayAgainExitRightAfterTheMoveGoesOut", true, bothAgainAnd({"a move w 1"}), 'a', {"exit"}, true, Left, Split2,
     Split2},
    {"FirstRoundTheJoinerLeavesBeforeMoving", false, {"a move w 0", "b poll"}, 'b', {"computer"}, true, Left, Won1, Lost1},
    {"FirstRoundNoToTransferFailed", false, {}, 'a', {"failposts 3", "answer no", "move w 0"}, false, Left, Lost1, Won1},
    {"ExceptionAMoveStoredWhoseReplyWasLost", true, BothAgain, 'a', {"losereplies 3", "answer no", "move w 1"}, false, Left,
     Won1, Split2, "the move reached the server, its reply did not: Alice believes it undelivered"},
};

void PrintTo(const Leaving& row, std::ostream* out) { *out << row.name; }

class LeavingAroundGameOver : public TwoPrograms, public ::testing::WithParamInterface<Leaving> {};

TEST_P(LeavingAroundGameOver, OneSidesWinIsTheOthersLossOrNeitherCounts) {
    const Leaving& row = GetParam();
    matchUp();
    if (row.afterAlicesWin) playToAlicesWin(alice, bob);
    for (const std::string& step : row.before) (step[0] == 'a' ? alice : bob).run(step.substr(2));
    Copy& leaver = row.leaver == 'a' ? alice : bob;
    Copy& other = row.leaver == 'a' ? bob : alice;
    Lines said;
    for (const std::string& command : row.leave)
        for (const std::string& line : leaver.run(command)) said.push_back(line);
    EXPECT_EQ(testing_support::has(said, "ASKED Quit Game In Play!"), row.asked) << ::testing::PrintToString(said);

    std::string told;
    for (int poll = 0; poll < 4 && told.empty(); ++poll) told = testing_support::after(other.run("poll"), "BOX ");
    EXPECT_EQ(told, row.told);
    const std::string a = testing_support::after(alice.run("report"), "COUNTERS ");
    const std::string b = testing_support::after(bob.run("report"), "COUNTERS ");
    std::cout << "| " << row.name << " | " << (row.asked ? "asked" : "not asked") << " | " << told << " | " << a << " | "
              << b << " | " << (row.exception ? row.exception : "") << " |" << std::endl;
    EXPECT_EQ(a, row.alice);
    EXPECT_EQ(b, row.bob);
}

INSTANTIATE_TEST_SUITE_P(TwoPrograms, LeavingAroundGameOver, ::testing::ValuesIn(Leavings),
                         [](const ::testing::TestParamInfo<Leaving>& info) { return std::string(info.param.name); });
