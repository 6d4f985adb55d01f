// One copy of the game for the two-process tests: a headless main window with its own state and
// its own program folder and players.dat, driven as a player would (the menu's game commands,
// choosing the connection, hosting or joining a LAN game, entering or joining the Internet waiting
// room, dragging tiles, typing a chat line, answering the game-over dialog and the question
// boxes), over the real network library on loopback and the real game server.
//
//   tessarine-game-driver <name>
//
// The program folder is TESSARINE_PROGRAM_DIR when set (its settings file says where to search
// for LAN games), else the build's.
// Reads one command a line from its standard input and answers each with what it has to say and
// then "OK". The commands:
//   deal <letters>          the letters the next deal gives
//   computer                "Play Against Computer"
//   changeuser              "Change User"
//   lanhost                 the LAN command, the first connection, "start a new game"; HOSTING
//   lanjoin <host>          the LAN command, "join", the host's session, Join; JOINED or NOHOST
//   lancancel <step>        the LAN command, then Cancel in the provider window ("provider"),
//                           the host-or-join window ("select") or the session list ("list")
//   server <host:port>      the game server to use
//   inetwait                enters the own name in the Internet waiting room
//   inetjoin <name>         joins <name>'s listed game
//   poll                    the next tick of the Internet poll
//   failposts <n>           the next n requests fail as if the network were down
//   losereplies <n>         the next n requests reach the server but their replies are lost
//   pollwhileasking         the next question box lets the poll tick while it is open
//   answer <yes|no>         the answer to the next question box
//   prompt [text]           the answer typed when next asked where to search (blank: nothing)
//   move <letter> <cell>    waits for the own turn (LAN), then drags a rack tile onto the cell
//   chat <text>             sends a chat line
//   until <gameover|turn|exit>  runs the timers in step with real time until then
//   run <ms>                runs the timers in step with real time
//   again | stop            the game-over dialog's buttons
//   exit | close            the menu's Exit; the main window closed from its title bar
//   report                  what the window shows, and the own players.dat counters
// A question box says "ASKED <title>" when it opens, the question where to search
// "ASKED <title> [<what its edit box held>]".
#include "engine/GameOverSeam.h"
#include "engine/playerfile/PlayerFile.h"
#include "netplay/EnterWaitingRoom.h"
#include "netplay/InetRequests.h"
#include "netplay/LanProviderWindow.h"
#include "netplay/LanSelectPlay.h"
#include "netplay/WaitingRoomWindow.h"
#include "platform/inet/CurlHttpClient.h"
#include "platform/ui/LinePrompt.h"
#include "shell/GameStart.h"
#include "shell/MenuForm.h"
#include "shell/PlayMore.h"
#include "tests/support/GameScene.h"

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

using namespace testing_support;

namespace {

using Clock = std::chrono::steady_clock;

engine::State& st() { return engine::state(); }

// The real transfer underneath, failing the next requests while told to, as a network that is
// down for a moment would.
class FlakyHttp final : public platform::HttpClient {
public:
    int failures = 0;
    int lostReplies = 0;
    platform::HttpResult get(const std::string& url, const platform::HttpOptions& options) override {
        if (failures > 0) {
            --failures;
            return FakeHttp::failure(35761, "Request timed out");
        }
        if (lostReplies > 0) {
            --lostReplies;
            m_curl.get(url, options);
            return FakeHttp::failure(35761, "Request timed out");
        }
        return m_curl.get(url, options);
    }

private:
    platform::inet::CurlHttpClient m_curl;
};

// The question boxes, answered as told, with the poll free to tick while one is open.
class PlayerDialogs final : public platform::Dialogs, public platform::ui::LinePrompt {
public:
    PlayerDialogs(ScriptedDialogs& recorded, platform::ui::ManualTimers& timers) : m_recorded(recorded), m_timers(timers) {}
    bool pollWhileAsking = false;

    int msgBox(const std::string& prompt, int style, const std::string& title) override {
        if (style == platform::vbYesNo) {
            std::cout << "ASKED " << title << "\n";
            if (pollWhileAsking && st().controls) {
                // A modal box keeps the window's timers running; the poll's tick comes meanwhile.
                pollWhileAsking = false;
                m_timers.advance(st().controls->inettimer.Interval);
            }
        } else {
            std::cout << "BOX " << title << "\n";
        }
        return m_recorded.msgBox(prompt, style, title);
    }
    std::string inputBox(const std::string& prompt, const std::string& title, const std::string& text) override {
        return m_recorded.inputBox(prompt, title, text);
    }
    std::optional<std::string> ask(const std::string& title, const std::string& prompt,
                                   const std::string& text) override {
        std::cout << "ASKED " << title << " [" << text << "]\n";
        return m_recorded.ask(title, prompt, text);
    }

private:
    ScriptedDialogs& m_recorded;
    platform::ui::ManualTimers& m_timers;
};

struct Program {
    GameScene scene;
    FlakyHttp http;
    PlayerDialogs dialogs{scene.doubles.dialogs, scene.timers};

    explicit Program(const std::string& name) {
        engine::State& s = st();
        s.UserName = name;
        s.UserLocation = "Here";
        s.SoundGameReady = "begin.wav";
        s.services.http = &http;   // before the window makes its transfer control
        s.services.dialogs = &dialogs;
        engine::PlayerRecord record;
        record.setText(engine::PlayerField::Name, name);
        record.setText(engine::PlayerField::Location, "Here");
        engine::PlayerFile().create(record);
        scene.main();
        platform::ui::setLinePrompt(&dialogs);
        engine::setGameOverDialog(&shell::playMoreDialog());
        netplay::setProgramToken(name + "program");
    }

    window::MainWindow& w() { return scene.main(); }

    // Runs the window's timers in step with real time until done() or the time is up.
    template <class Done>
    bool runUntil(Done done, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
        const auto end = Clock::now() + limit;
        while (Clock::now() < end) {
            if (done()) return true;
            scene.tick();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return done();
    }
    bool myTurn() const {
        return st().TurnName == st().UserName && st().GameOver == 0 && st().Player2Name != "Waiting For Player";
    }
    bool ended() const { return scene.doubles.exit.calls > 0; }

    void chooseConnection() {
        netplay::StartLanSetup();
        netplay::ProviderWindow& provider = netplay::Provider();
        provider.lstProviders.ListIndex = 0;
        provider.btnOK.click();
    }

    platform::ui::Image* rackTile(char letter) {
        for (platform::ui::Image* tile : w().rack())
            if (tile->Visible && tile->Tag.get() == std::string(1, letter)) return tile;
        return nullptr;
    }

    void report() {
        window::MainWindow& m = w();
        std::cout << "CAPTION " << m.Label13.Caption.get() << "\n";
        std::cout << "TURN " << st().TurnName << "\n";
        std::cout << "GAMEOVER " << st().GameOver << "\n";
        std::cout << "PANEL " << m.Label7.Caption.get() << "|" << m.Label8.Caption.get() << "\n";
        std::cout << "PHOTO " << (m.Picture1.Picture == m.Pics.pcplayer.Picture ? "computer" : "other") << "\n";
        std::cout << "RACK " << scene.rackLetters() << "\n";
        for (const std::string& line : m.StatusText.items()) std::cout << "STATUS " << line << "\n";
        for (int cell = 0; cell < engine::HoleCount; ++cell)
            if (m.Hole(cell).Tag.get() != "xx") std::cout << "CELL " << cell << " " << m.Hole(cell).Tag.get() << "\n";
        engine::PlayerRecord record;
        if (engine::PlayerFile().find(st().UserName, record) > 0) {
            using engine::PlayerField;
            std::cout << "COUNTERS played " << record.number(PlayerField::Played) << " won "
                      << record.number(PlayerField::Won) << " lost " << record.number(PlayerField::Lost) << " tied "
                      << record.number(PlayerField::Tied) << "\n";
        }
        std::cout << "EXITS " << scene.doubles.exit.calls << "\n";
        std::cout << "INTERVAL " << m.inettimer.Interval.get() << "\n";
        std::cout << "DIALOG " << (shell::playmoreIfLoaded() ? "open" : "none") << "\n";
    }

    void command(const std::string& verb, std::istringstream& args) {
        if (verb == "deal") {
            std::string letters;
            args >> letters;
            scene.dealNext(letters);
        } else if (verb == "computer") {
            shell::mnuplaycomputer_Click();
        } else if (verb == "changeuser") {
            shell::menuform().mnuuser.click();
        } else if (verb == "lanhost") {
            chooseConnection();
            netplay::SelectPlayWindow& select = netplay::netSelectPlay();
            select.Option1.Value = true;
            select.Command1.click();
            if (st().Player2Name == "Waiting For Player") std::cout << "HOSTING\n";
        } else if (verb == "lanjoin") {
            std::string hostName;
            args >> hostName;
            chooseConnection();
            netplay::SelectPlayWindow& select = netplay::netSelectPlay();
            select.Option2.Value = true;
            select.Command1.click();
            netplay::SelectWaitingWindow& waiting = netplay::SelectWaiting();
            const auto& nodes = waiting.tvSessions.nodes();
            for (std::size_t i = 0; i < nodes.size(); ++i)
                if (nodes[i].Text == hostName) waiting.tvSessions.nodeClick(static_cast<int>(i));
            if (waiting.SelectedSessionId() == 0) {
                std::cout << "NOHOST\n";
                return;
            }
            waiting.Command1.click();
            std::cout << "JOINED\n";
        } else if (verb == "lancancel") {
            std::string step;
            args >> step;
            if (step == "provider") {
                netplay::StartLanSetup();
                netplay::Provider().btnCancel.click();
                return;
            }
            chooseConnection();
            netplay::SelectPlayWindow& select = netplay::netSelectPlay();
            if (step == "select") {
                select.Command2.click();
                return;
            }
            select.Option2.Value = true;
            select.Command1.click();
            netplay::SelectWaiting().Command2.click();
        } else if (verb == "server") {
            std::string address;
            args >> address;
            netplay::setServerAddress(address);
        } else if (verb == "inetwait") {
            netplay::inetstart().Show();
            scene.timers.advance(500);
            netplay::inetstart().Command2.click();
            if (netplay::EnterWaitingRoomDialog* enter = netplay::joinwaitroomIfLoaded()) enter->Command1.click();
        } else if (verb == "inetjoin") {
            std::string name;
            args >> name;
            netplay::WaitingRoomWindow& room = netplay::inetstart();
            room.Show();
            scene.timers.advance(500);
            for (int row = 0; row < room.List1.ListCount(); ++row)
                if (room.List1.List(row).find(" " + name + " ") != std::string::npos) room.List1.ListIndex = row;
            room.Command1.click();
        } else if (verb == "poll") {
            scene.timers.advance(w().inettimer.Interval);
        } else if (verb == "failposts") {
            args >> http.failures;
        } else if (verb == "losereplies") {
            args >> http.lostReplies;
        } else if (verb == "pollwhileasking") {
            dialogs.pollWhileAsking = true;
        } else if (verb == "answer") {
            std::string answer;
            args >> answer;
            scene.doubles.dialogs.buttons.push_back(answer == "yes" ? platform::vbYes : platform::vbNo);
        } else if (verb == "prompt") {
            std::string text;
            std::getline(args, text);
            scene.doubles.dialogs.lines.push_back(text.empty() ? text : text.substr(1));
        } else if (verb == "move") {
            char letter = 0;
            int cell = 0;
            args >> letter >> cell;
            if (st().LanGame == 1 && !runUntil([this] { return myTurn() || ended(); })) std::cout << "NOTURN\n";
            platform::ui::Image* tile = rackTile(letter);
            if (!tile) {
                std::cout << "NOTILE " << scene.rackLetters() << "\n";
                return;
            }
            scene.dragTileTo(*tile, w().Hole(cell));
        } else if (verb == "chat") {
            std::string line;
            std::getline(args, line);
            w().ChatText.Text = line.empty() ? line : line.substr(1);
            w().SendButton_Click();
        } else if (verb == "until") {
            std::string what;
            args >> what;
            const bool reached = what == "gameover" ? runUntil([] { return st().GameOver == 1; })
                                 : what == "turn"   ? runUntil([this] { return myTurn(); })
                                                    : runUntil([this] { return ended(); });
            if (!reached) std::cout << "TIMEOUT " << what << "\n";
        } else if (verb == "run") {
            int ms = 0;
            args >> ms;
            runUntil([] { return false; }, std::chrono::milliseconds(ms));
        } else if (verb == "again") {
            if (shell::PlayMore* dialog = shell::playmoreIfLoaded()) dialog->Command1.click();
        } else if (verb == "stop") {
            if (shell::PlayMore* dialog = shell::playmoreIfLoaded()) dialog->Command2.click();
        } else if (verb == "exit") {
            shell::mnuexit_Click();
        } else if (verb == "close") {
            w().closeByUser();
        } else if (verb == "report") {
            report();
        } else {
            std::cout << "UNKNOWN " << verb << "\n";
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 64;
    ::setenv("TESSARINE_PROGRAM_DIR", TESSARINE_PROGRAM_DIR, 0);
    {
        Program program(argv[1]);
        for (std::string line; std::getline(std::cin, line);) {
            std::istringstream args(line);
            std::string verb;
            args >> verb;
            program.command(verb, args);
            std::cout << "OK" << std::endl;
        }
        st().DPlay.reset();
        st().DPGlobal.reset();
    }
    return 0;
}
