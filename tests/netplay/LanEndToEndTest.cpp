// Two or three copies of the game on one machine, each its own process with its own state, through
// the real network library and networking on 127.0.0.1: whole LAN games from set-up to the last
// notice, including the passage from one game to the next and the ways of leaving one.
#include "tests/netplay/DriverProcess.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

using testing_support::after;
using testing_support::has;

namespace {

using Lines = std::vector<std::string>;

struct Copy : testing_support::DriverProcess {
    explicit Copy(const std::string& name) : DriverProcess({GAME_DRIVER, name}) {}
};

// A host name no other test run on this machine uses at the same time.
std::string hostName() { return "Hugo" + std::to_string(::getpid() % 10000); }

bool boardBlank(const Lines& report) { return after(report, "CELL ").empty(); }

// The host plays w o r d along the bottom row, the joiner answers x in column 6, a chat line in
// between; the host wins.
void playToTheHostsWin(Copy& host, Copy& joiner) {
    const char letters[] = {'w', 'o', 'r', 'd'};
    for (int move = 0; move < 4; ++move) {
        EXPECT_EQ(host.run(std::string("move ") + letters[move] + " " + std::to_string(move)), Lines{}) << move;
        if (move == 3) break;
        EXPECT_EQ(joiner.run("move x 48"), Lines{}) << move;   // the drop row above column 6
        if (move == 0) joiner.run("chat  good luck ");
    }
    EXPECT_EQ(joiner.run("until gameover"), Lines{});
    EXPECT_EQ(host.run("until gameover"), Lines{});
}

} // namespace

TEST(LanEndToEnd, TwoProgramsHostJoinChatAndTheHostWins) {
    const std::string name = hostName();
    Copy host(name), joiner("Jade");
    host.run("deal wordzzzz");
    ASSERT_EQ(host.run("lanhost"), Lines{"HOSTING"});
    joiner.run("deal xxxxxxxx");
    ASSERT_EQ(joiner.run("lanjoin " + name), Lines{"JOINED"});
    playToTheHostsWin(host, joiner);
    const Lines joined = joiner.run("report");
    const Lines hosted = host.run("report");

    // The joiner found the host, saw its details, its moves and the winning word.
    EXPECT_TRUE(has(joined, "STATUS Game Ready! Waiting for " + name + " to move."));
    EXPECT_TRUE(has(joined, "PANEL " + name + "|Here"));
    EXPECT_TRUE(has(joined, "CAPTION Game Over"));
    EXPECT_TRUE(has(joined, "TURN " + name));
    EXPECT_TRUE(has(joined, "GAMEOVER 1"));
    EXPECT_TRUE(has(joined, "CELL 3 d"));
    EXPECT_TRUE(has(joined, "CELL 20 x"));

    // The host seated the joiner, heard the chat line as typed and won.
    EXPECT_TRUE(has(hosted, "STATUS Jade is ready to play. Your move!"));
    EXPECT_TRUE(has(hosted, "STATUS From Jade:  good luck "));
    EXPECT_TRUE(has(hosted, "PANEL Jade|Here"));
    EXPECT_TRUE(has(hosted, "CAPTION Game Over"));
    EXPECT_TRUE(has(hosted, "TURN " + name));
    EXPECT_TRUE(has(hosted, "CELL 0 w"));
    EXPECT_TRUE(has(hosted, "CELL 13 x"));
}

// A game against the computer first leaves the host as the last starter of the run; the LAN game
// that follows must still begin with the host to move on both sides, on a blank board without the
// computer's picture, and play-again hands the first move to the joiner on both sides.
TEST(LanEndToEnd, AfterAComputerGameBothSidesAgreeTheHostStartsAndPlayAgainAlternates) {
    const std::string name = hostName();
    Copy host(name), joiner("Jade");
    host.run("deal abcdefgh");
    host.run("computer");
    host.run("move a 3");
    EXPECT_TRUE(has(host.run("report"), "CELL 3 a"));

    host.run("deal wordzzzz");
    ASSERT_EQ(host.run("lanhost"), Lines{"HOSTING"});
    const Lines waiting = host.run("report");
    EXPECT_TRUE(boardBlank(waiting));
    EXPECT_TRUE(has(waiting, "PHOTO other"));
    EXPECT_TRUE(has(waiting, "PANEL |"));
    joiner.run("deal xxxxxxxx");
    ASSERT_EQ(joiner.run("lanjoin " + name), Lines{"JOINED"});
    EXPECT_TRUE(has(joiner.run("report"), "CAPTION Opponents Turn!"));
    ASSERT_EQ(host.run("until turn"), Lines{});
    EXPECT_TRUE(has(host.run("report"), "CAPTION Your Turn!"));
    playToTheHostsWin(host, joiner);

    host.run("deal abababab");
    host.run("again");
    joiner.run("deal yyyyyyyy");
    joiner.run("again");
    const Lines hostRound = host.run("report");
    const Lines joinerRound = joiner.run("report");
    EXPECT_TRUE(has(hostRound, "TURN Jade"));
    EXPECT_TRUE(has(joinerRound, "TURN Jade"));
    EXPECT_TRUE(has(hostRound, "CAPTION Opponents Turn!"));
    EXPECT_TRUE(has(joinerRound, "CAPTION Your Turn!"));
    EXPECT_TRUE(boardBlank(hostRound));
    EXPECT_TRUE(boardBlank(joinerRound));
    // The joiner's first move of the new round reaches the host's board.
    EXPECT_EQ(joiner.run("move y 38"), Lines{});
    EXPECT_EQ(host.run("until turn"), Lines{});
    EXPECT_TRUE(has(host.run("report"), "CELL 3 y"));
}

// Hosting again while a game is unfinished: the first joiner is told at once that the host has
// gone, and the second game starts on blank boards on both sides with the host to move. A change
// of user on the second joiner's side is told to the host the same way.
TEST(LanEndToEnd, HostingAgainTellsTheFirstJoinerAndTheNextGameStartsClean) {
    const std::string name = hostName();
    Copy host(name), first("Jade"), second("Kurt");
    host.run("deal wordzzzz");
    ASSERT_EQ(host.run("lanhost"), Lines{"HOSTING"});
    first.run("deal xxxxxxxx");
    ASSERT_EQ(first.run("lanjoin " + name), Lines{"JOINED"});
    host.run("move w 0");
    first.run("move x 48");
    host.run("until turn");

    host.run("deal wordzzzz");
    ASSERT_EQ(host.run("lanhost"), Lines{"HOSTING"});
    const Lines told = first.run("until exit");
    EXPECT_TRUE(has(told, "BOX Opponent Quit")) << ::testing::PrintToString(told);

    second.run("deal kkkkkkkk");
    ASSERT_EQ(second.run("lanjoin " + name), Lines{"JOINED"});
    EXPECT_EQ(host.run("until turn"), Lines{});
    const Lines hosted = host.run("report");
    const Lines joined = second.run("report");
    EXPECT_TRUE(boardBlank(hosted));
    EXPECT_TRUE(boardBlank(joined));
    EXPECT_TRUE(has(hosted, "CAPTION Your Turn!"));
    EXPECT_TRUE(has(joined, "CAPTION Opponents Turn!"));
    EXPECT_TRUE(has(hosted, "RACK wordzzzz"));
    host.run("move o 5");
    EXPECT_EQ(second.run("move k 48"), Lines{});
    EXPECT_EQ(after(second.run("report"), "CELL "), "5 o");

    // The second joiner hands the computer to another player: the host is told at once.
    second.run("changeuser");
    const Lines toldAgain = host.run("until exit");
    EXPECT_TRUE(has(toldAgain, "BOX Opponent Quit")) << ::testing::PrintToString(toldAgain);
}

// One side stops at the game-over dialog while the other asks for another round: the one who
// plays on is told on the next receive tick that the opponent has left.
TEST(LanEndToEnd, StoppingAtGameOverTellsTheOpponentWhoPlaysAgain) {
    const std::string name = hostName();
    Copy host(name), joiner("Jade");
    host.run("deal wordzzzz");
    ASSERT_EQ(host.run("lanhost"), Lines{"HOSTING"});
    joiner.run("deal xxxxxxxx");
    ASSERT_EQ(joiner.run("lanjoin " + name), Lines{"JOINED"});
    playToTheHostsWin(host, joiner);

    joiner.run("again");
    host.run("stop");
    const Lines told = joiner.run("until exit");
    EXPECT_TRUE(has(told, "BOX Opponent Quit")) << ::testing::PrintToString(told);
    EXPECT_TRUE(has(joiner.run("report"), "EXITS 1"));
}

// Looking at the LAN set-up during a LAN game and cancelling at any of its steps keeps the game:
// the next moves go both ways. Starting a game against the computer then leaves the LAN game: the
// opponent is told, and the computer gets a blank board.
TEST(LanEndToEnd, ACancelledLanSetUpKeepsTheRunningGame) {
    const std::string name = hostName();
    Copy host(name), joiner("Jade");
    host.run("deal wordzzzz");
    ASSERT_EQ(host.run("lanhost"), Lines{"HOSTING"});
    joiner.run("deal xxxxxxxx");
    ASSERT_EQ(joiner.run("lanjoin " + name), Lines{"JOINED"});
    ASSERT_EQ(host.run("until turn"), Lines{});

    host.run("lancancel provider");
    host.run("lancancel select");
    joiner.run("lancancel list");
    EXPECT_EQ(host.run("move w 0"), Lines{});
    EXPECT_EQ(joiner.run("move x 48"), Lines{});
    EXPECT_EQ(host.run("until turn"), Lines{});
    const Lines hosted = host.run("report");
    const Lines joined = joiner.run("report");
    EXPECT_TRUE(has(hosted, "CELL 6 x"));
    EXPECT_TRUE(has(joined, "CELL 0 w"));
    for (const Lines* lines : {&hosted, &joined})
        for (const std::string& line : *lines) EXPECT_EQ(line.find("could not be sent"), std::string::npos) << line;

    joiner.run("deal abcdefgh");
    joiner.run("computer");
    const Lines told = host.run("until exit");
    EXPECT_TRUE(has(told, "BOX Opponent Quit")) << ::testing::PrintToString(told);
    const Lines computer = joiner.run("report");
    EXPECT_TRUE(boardBlank(computer));
    EXPECT_TRUE(has(computer, "PHOTO computer"));
    EXPECT_TRUE(has(computer, "CAPTION Your Turn!"));
}
