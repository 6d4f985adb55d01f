// One copy of the game for the two-process LAN test: a headless main window with its own state,
// driven as a player would (choosing the connection, hosting or joining, dragging tiles, typing a
// chat line), over the real network library and networking on loopback.
//
//   tessarine-lan-driver host <name>                   hosts, plays w o r d along the bottom row
//   tessarine-lan-driver join <name> <host> [answer]   joins <host>'s session, answers in column 6;
//                                                      answer: what it types when asked where to search
//
// The program folder is TESSARINE_PROGRAM_DIR when set (its settings file says where to search),
// else the build's. The host says "HOSTING" once its session is open, and stays until its standard
// input closes so that its last move reaches the other side. Each ends by printing what its
// window shows.
#include "netplay/LanProviderWindow.h"
#include "netplay/LanSelectPlay.h"
#include "tests/support/GameScene.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <poll.h>
#include <string>
#include <thread>

using namespace testing_support;

namespace {

using Clock = std::chrono::steady_clock;

engine::State& st() { return engine::state(); }

void report(GameScene& scene) {
    window::MainWindow& w = scene.main();
    std::cout << "CAPTION " << w.Label13.Caption.get() << "\n";
    std::cout << "TURN " << st().TurnName << "\n";
    std::cout << "GAMEOVER " << st().GameOver << "\n";
    std::cout << "PANEL " << w.Label7.Caption.get() << "\n";
    for (const auto& box : scene.doubles.dialogs.shown)
        std::cout << (box.input ? "ASKED " + box.title + " [" + box.text + "]" : "BOX " + box.prompt) << "\n";
    for (const std::string& line : w.StatusText.items()) std::cout << "STATUS " << line << "\n";
    for (int cell = 0; cell < 42; ++cell)
        if (w.Hole(cell).Tag.get() != "xx") std::cout << "CELL " << cell << " " << w.Hole(cell).Tag.get() << "\n";
    std::cout.flush();
}

// Runs the window's timers in step with real time until done() or the time is up.
template <class Done>
bool runUntil(GameScene& scene, Done done, std::chrono::milliseconds limit) {
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
        if (done()) return true;
        scene.tick();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

void chooseConnection() {
    netplay::StartLanSetup();
    netplay::ProviderWindow& provider = netplay::Provider();
    provider.lstProviders.ListIndex = 0;
    provider.btnOK.click();
}

bool myTurn() { return st().TurnName == st().UserName && st().GameOver == 0 && st().Player2Name != "Waiting For Player"; }

int host(GameScene& scene) {
    chooseConnection();
    netplay::SelectPlayWindow& select = netplay::netSelectPlay();
    select.Option1.Value = true;
    scene.dealNext("wordzzzz");
    select.Command1.click();
    if (st().Player2Name != "Waiting For Player") return 2;
    std::cout << "HOSTING" << std::endl;

    window::MainWindow& w = scene.main();
    platform::ui::Image* tiles[] = {&w.Image1, &w.Image2, &w.Image3, &w.Image4};
    for (int move = 0; move < 4; ++move) {
        if (!runUntil(scene, myTurn, std::chrono::seconds(20))) break;
        scene.dragTileTo(*tiles[move], w.Hole(move));
    }
    // Stay in the session until told, so the last move is delivered.
    pollfd in{STDIN_FILENO, POLLIN, 0};
    ::poll(&in, 1, 20000);
    report(scene);
    return 0;
}

int join(GameScene& scene, const std::string& hostName) {
    chooseConnection();
    netplay::SelectPlayWindow& select = netplay::netSelectPlay();
    select.Option2.Value = true;
    select.Command1.click();
    netplay::SelectWaitingWindow& waiting = netplay::SelectWaiting();
    const auto& nodes = waiting.tvSessions.nodes();
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].Text == hostName) waiting.tvSessions.nodeClick(static_cast<int>(i));
    if (waiting.SelectedSessionId() == 0) {
        report(scene);
        return 3;
    }
    scene.dealNext("xxxxxxxx");
    waiting.Command1.click();

    window::MainWindow& w = scene.main();
    platform::ui::Image* tiles[] = {&w.Image1, &w.Image2, &w.Image3};
    for (int move = 0; move < 3; ++move) {
        if (!runUntil(scene, myTurn, std::chrono::seconds(20))) break;
        scene.dragTileTo(*tiles[move], w.Hole(48));   // the drop row above column 6
        if (move == 0) {
            w.ChatText.Text = " good luck ";
            w.SendButton_Click();
        }
    }
    runUntil(scene, [] { return st().GameOver == 1; }, std::chrono::seconds(20));
    report(scene);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 64;
    ::setenv("TESSARINE_PROGRAM_DIR", TESSARINE_PROGRAM_DIR, 0);
    const std::string role = argv[1];
    int rc = 64;
    {
        GameScene scene;
        st().UserName = argv[2];
        st().SoundGameReady = "begin.wav";
        scene.main();
        if (argc >= 5) scene.doubles.dialogs.lines.push_back(std::string(argv[4]));
        if (role == "host") rc = host(scene);
        else if (role == "join" && argc >= 4) rc = join(scene, argv[3]);
        st().DPlay.reset();
        st().DPGlobal.reset();
    }
    return rc;
}
