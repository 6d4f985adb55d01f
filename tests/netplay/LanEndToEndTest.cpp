// Two or three copies of the game on one machine, each its own process with its own state, through
// the real network library and networking on 127.0.0.1: whole LAN games from set-up to the last
// notice, including the passage from one game to the next and the ways of leaving one. Each plays
// from a copy of the program folder, as a player who copied the game would. Out of the box, in two
// network namespaces of the test's own joined by a virtual cable, the joiner searches the local
// network.
#include "tests/netplay/DriverProcess.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using testing_support::after;
using testing_support::has;

namespace {

using Lines = std::vector<std::string>;

// A copy of the program folder's libraries and class registry, with its own settings file, made
// the program folder of the copies started while it lives.
class ProgramFolder {
public:
    explicit ProgramFolder(const std::string& settings) {
        for (const auto& entry : std::filesystem::directory_iterator(TESSARINE_PROGRAM_DIR)) {
            const std::string name = entry.path().filename().string();
            if (name == "registry.txt" || entry.path().extension() == ".so")
                std::filesystem::copy_file(entry.path(), m_dir / name);
        }
        m_dir.write("dplay.ini", settings);
    }
    void use() const { ::setenv("TESSARINE_PROGRAM_DIR", m_dir.path().c_str(), 1); }
    std::string read(const std::string& name) const { return m_dir.read(name); }

private:
    testing_support::TempDir m_dir;
};

// Sessions are looked for and answered on this machine only.
const ProgramFolder& loopbackFolder() {
    static const ProgramFolder folder("Search=127.0.0.1\nListen=127.0.0.1\n");
    return folder;
}

// One copy of the game playing from the folder, its command line started by the prefix (such as
// running it in a network namespace).
struct Copy : testing_support::DriverProcess {
    explicit Copy(const std::string& name, const ProgramFolder& folder = loopbackFolder(),
                  std::vector<std::string> prefix = {})
        : DriverProcess(command(name, folder, std::move(prefix))) {}

private:
    static std::vector<std::string> command(const std::string& name, const ProgramFolder& folder,
                                            std::vector<std::string> prefix) {
        folder.use();
        prefix.insert(prefix.end(), {GAME_DRIVER, name});
        return prefix;
    }
};

// A host name no other test run on this machine uses at the same time.
std::string hostName() { return "Hugo" + std::to_string(::getpid() % 10000); }

bool boardBlank(const Lines& report) { return after(report, "CELL ").empty(); }

// The host deals w o r d ... and waits; the joiner, dealt only x, joins him.
void hostAndJoin(Copy& host, Copy& joiner, const std::string& name) {
    host.run("deal wordzzzz");
    ASSERT_EQ(host.run("lanhost"), Lines{"HOSTING"});
    joiner.run("deal xxxxxxxx");
    ASSERT_EQ(joiner.run("lanjoin " + name), Lines{"JOINED"});
}

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
    ASSERT_NO_FATAL_FAILURE(hostAndJoin(host, joiner, name));
    playToTheHostsWin(host, joiner);
    const Lines joined = joiner.run("report");
    const Lines hosted = host.run("report");

    // The joiner found the host, saw its details, its moves and the winning word; with a Search
    // setting nobody was asked where to search (lanjoin answered only JOINED).
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

    // The joiner plays again first and, the new round being hers to start, moves at once; the
    // host, his dialog still open, keeps her move off his ended board until he plays again too.
    joiner.run("deal yyyyyyyy");
    joiner.run("again");
    const Lines joinerRound = joiner.run("report");
    EXPECT_TRUE(has(joinerRound, "TURN Jade"));
    EXPECT_TRUE(has(joinerRound, "CAPTION Your Turn!"));
    EXPECT_TRUE(boardBlank(joinerRound));
    EXPECT_EQ(joiner.run("move y 38"), Lines{});
    host.run("run 300");
    const Lines behind = host.run("report");
    testing_support::print("Host, dialog open", behind, {"CELL 3", "DIALOG"});
    EXPECT_TRUE(has(behind, "DIALOG open"));
    EXPECT_TRUE(has(behind, "CELL 3 d"));
    host.run("deal abababab");
    host.run("again");
    const Lines hostRound = host.run("report");
    testing_support::print("Host, after Play Again", hostRound, {"CELL", "CAPTION", "TURN"});
    EXPECT_EQ(after(hostRound, "CELL "), "3 y");
    EXPECT_TRUE(has(hostRound, "TURN " + name));
    EXPECT_TRUE(has(hostRound, "CAPTION Your Turn"));
    EXPECT_EQ(host.run("move a 4"), Lines{});
    EXPECT_EQ(joiner.run("until turn"), Lines{});
    EXPECT_TRUE(has(joiner.run("report"), "CELL 4 a"));
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

// While both game-over dialogs are open the two copies still hear each other: the host's "gg"
// shows on the joiner's side at once, and when the host stops, the joiner is told that he has
// left while her own dialog still asks, without having to agree to another round first.
TEST(LanEndToEnd, AtGameOverTheOtherSideHearsTheChatAndTheStopAtOnce) {
    const std::string name = hostName();
    Copy host(name), joiner("Jade");
    ASSERT_NO_FATAL_FAILURE(hostAndJoin(host, joiner, name));
    playToTheHostsWin(host, joiner);

    host.run("chat gg after game 1");
    joiner.run("run 300");
    const Lines heard = joiner.run("report");
    testing_support::print("Jade, both dialogs open", heard, {"STATUS From", "DIALOG"});
    EXPECT_TRUE(has(heard, "STATUS From " + name + ": gg after game 1"));
    EXPECT_TRUE(has(heard, "DIALOG open"));
    EXPECT_TRUE(has(host.run("report"), "DIALOG open"));

    host.run("stop");
    const Lines told = joiner.run("until exit");
    testing_support::print("Jade, after Hugo's No", told, {"BOX"});
    EXPECT_TRUE(has(told, "BOX Opponent Quit")) << ::testing::PrintToString(told);
    const Lines after = joiner.run("report");
    testing_support::print("Jade, after Hugo's No", after, {"EXITS", "DIALOG"});
    EXPECT_TRUE(has(after, "EXITS 1"));
    EXPECT_TRUE(has(after, "DIALOG open")) << "told before she answered";
}

// Looking at the LAN set-up during a LAN game and cancelling at any of its steps keeps the game:
// the next moves go both ways. Starting a game against the computer then leaves the LAN game: the
// opponent is told, and the computer gets a blank board.
TEST(LanEndToEnd, ACancelledLanSetUpKeepsTheRunningGame) {
    const std::string name = hostName();
    Copy host(name), joiner("Jade");
    ASSERT_NO_FATAL_FAILURE(hostAndJoin(host, joiner, name));
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

// The joiner plays again and drops a tile while the host's game-over dialog is still open; the
// host turns to the computer instead, plays that game to its end and plays again: the joiner's
// tile, held for the LAN round she made it for, never lands on the computer's board.
TEST(LanEndToEnd, AMoveHeldForTheNextLanRoundNeverLandsInAComputerGame) {
    const std::string name = hostName();
    Copy host(name), joiner("Jade");
    ASSERT_NO_FATAL_FAILURE(hostAndJoin(host, joiner, name));
    playToTheHostsWin(host, joiner);
    joiner.run("deal yyyyyyyy");
    joiner.run("again");
    EXPECT_EQ(joiner.run("move y 38"), Lines{});
    host.run("run 300");
    EXPECT_TRUE(has(host.run("report"), "DIALOG open"));

    // The computer opens (the host opened the LAN round); the host answers w o r d and wins.
    host.run("deal wordzzzz");
    host.run("computer");
    EXPECT_TRUE(has(joiner.run("until exit"), "BOX Opponent Quit"));
    for (int move = 0; move < 4; ++move) {
        EXPECT_EQ(host.run("until turn"), Lines{}) << move;
        EXPECT_EQ(host.run(std::string("move ") + "word"[move] + " " + std::to_string(move)), Lines{}) << move;
    }
    const Lines won = host.run("report");
    testing_support::print("Host, computer game won", won, {"CELL", "CAPTION", "DIALOG"});
    EXPECT_TRUE(has(won, "GAMEOVER 1"));
    EXPECT_TRUE(has(won, "TURN " + name));
    EXPECT_TRUE(has(won, "PHOTO computer"));

    host.run("deal abababab");
    host.run("again");
    const Lines again = host.run("report");
    testing_support::print("Host, after Play Again", again, {"CELL", "CAPTION", "TURN", "PANEL"});
    EXPECT_TRUE(boardBlank(again)) << "no tile of Jade's";
    EXPECT_TRUE(has(again, "PANEL Computer|Silicon Valley"));
    EXPECT_TRUE(has(again, "CAPTION Your Turn!"));
    EXPECT_TRUE(has(again, "RACK abababab"));
}

namespace {

// Runs a command to its end; true when it succeeded. Its output goes to the test's output.
bool run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Two network namespaces of this test's own, joined by a virtual cable on a private test subnet;
// both go (and the cable with them) when this does, however the test ends.
class TwoMachines {
public:
    TwoMachines() {
        const std::string tag = std::to_string(::getpid());
        m_a = "tessA" + tag;
        m_b = "tessB" + tag;
        const std::string cableA = "tsa" + tag, cableB = "tsb" + tag;
        m_made = run({"/usr/sbin/ip", "netns", "add", m_a}) && run({"/usr/sbin/ip", "netns", "add", m_b}) &&
                 run({"/usr/sbin/ip", "link", "add", cableA, "netns", m_a, "type", "veth", "peer", "name", cableB, "netns", m_b}) &&
                 run({"/usr/sbin/ip", "-n", m_a, "addr", "add", "10.213.0.1/24", "dev", cableA}) &&
                 run({"/usr/sbin/ip", "-n", m_b, "addr", "add", "10.213.0.2/24", "dev", cableB}) &&
                 run({"/usr/sbin/ip", "-n", m_a, "link", "set", cableA, "up"}) && run({"/usr/sbin/ip", "-n", m_b, "link", "set", cableB, "up"}) &&
                 run({"/usr/sbin/ip", "-n", m_a, "link", "set", "lo", "up"}) && run({"/usr/sbin/ip", "-n", m_b, "link", "set", "lo", "up"});
    }
    ~TwoMachines() {
        run({"/usr/sbin/ip", "netns", "del", m_a});
        run({"/usr/sbin/ip", "netns", "del", m_b});
    }
    bool made() const { return m_made; }
    std::vector<std::string> onA() const { return {"/usr/sbin/ip", "netns", "exec", m_a}; }
    std::vector<std::string> onB() const { return {"/usr/sbin/ip", "netns", "exec", m_b}; }

private:
    std::string m_a, m_b;
    bool m_made = false;
};

} // namespace

TEST(LanNamespaces, AJoinerWithNoSearchSettingAndABlankAnswerFindsTheHostOnTheLocalNetwork) {
    if (::geteuid() != 0) GTEST_SKIP() << "making network namespaces needs root";
    if (!std::filesystem::exists("/usr/sbin/ip")) GTEST_SKIP() << "the ip command is not installed";
    TwoMachines machines;
    if (!machines.made()) GTEST_SKIP() << "the network namespaces could not be made here";

    // Out of the box: no Search setting on either machine, the host answering on every network.
    const ProgramFolder hostFolder("; as installed\n");
    const ProgramFolder joinerFolder("; as installed\n");
    Copy host("Hugo", hostFolder, machines.onA()), joiner("Jade", joinerFolder, machines.onB());
    host.run("deal wordzzzz");
    ASSERT_EQ(host.run("lanhost"), Lines{"HOSTING"});
    // The joiner is asked where to search, leaves it blank and finds Hugo's session on the other
    // machine.
    joiner.run("deal xxxxxxxx");
    joiner.run("prompt");
    ASSERT_EQ(joiner.run("lanjoin Hugo"), (Lines{"ASKED Search for Games []", "JOINED"}));
    playToTheHostsWin(host, joiner);
    const Lines joined = joiner.run("report");
    const Lines hosted = host.run("report");
    testing_support::print("joiner", joined, {""});
    testing_support::print("host  ", hosted, {""});

    // The details, the moves and the chat line crossed the cable.
    EXPECT_TRUE(has(joined, "STATUS Game Ready! Waiting for Hugo to move."));
    EXPECT_TRUE(has(joined, "PANEL Hugo|Here"));
    EXPECT_TRUE(has(hosted, "STATUS Jade is ready to play. Your move!"));
    EXPECT_TRUE(has(hosted, "STATUS From Jade:  good luck "));
    EXPECT_TRUE(has(hosted, "PANEL Jade|Here"));
    EXPECT_TRUE(has(joined, "GAMEOVER 1"));
    // The blank answer is offered again next time, and is no standing setting.
    EXPECT_EQ(joinerFolder.read("dplay.ini"), "; as installed\nLastSearch=\n");
}
