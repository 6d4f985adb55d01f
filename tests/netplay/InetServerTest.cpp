// The game's Internet module against the real game server, run as a child process on 127.0.0.1
// with a free port and a scratch database: a whole game from the waiting room to the forfeit.
#include "netplay/InetGame.h"
#include "netplay/InetReplies.h"
#include "netplay/InetRequests.h"
#include "netplay/PlayerInfo.h"
#include "platform/inet/CurlHttpClient.h"
#include "tests/netplay/InetFixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace inet_test;
using netplay::wire::PostKind;
using netplay::wire::Side;

namespace {

// tessarine-server from the program folder, listening on a port the system picks.
class ServerChild {
public:
    explicit ServerChild(const std::string& database) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        std::vector<std::string> args{std::string(TESSARINE_PROGRAM_DIR) + "/tessarine-server",
                                      "--listen", "127.0.0.1:0", "--db", database, "--threads", "2"};
        std::vector<char*> argv;
        for (auto& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        const int rc = ::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        m_log = fds[0];
        if (rc != 0) {
            m_pid = -1;
            return;
        }
        // The server names its port in its start line.
        const std::string marker = "listening on 127.0.0.1:";
        while (port == 0) {
            const std::string line = readLine();
            if (line.empty()) break;
            const auto at = line.find(marker);
            if (at != std::string::npos) port = static_cast<unsigned short>(std::stoi(line.substr(at + marker.size())));
        }
    }
    ~ServerChild() { stop(); }
    ServerChild(const ServerChild&) = delete;
    ServerChild& operator=(const ServerChild&) = delete;

    void stop() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
        if (m_log >= 0) ::close(m_log);
        m_log = -1;
    }

    unsigned short port = 0;

private:
    // One line of the server's log; empty at its end or when it stays silent too long.
    std::string readLine() {
        std::string line;
        while (true) {
            pollfd p{m_log, POLLIN, 0};
            if (::poll(&p, 1, 10000) <= 0) return line;
            char c;
            if (::read(m_log, &c, 1) != 1) return line;
            line += c;
            if (c == '\n') return line;
        }
    }

    pid_t m_pid = -1;
    int m_log = -1;
};

class AgainstServer : public InetTest {
protected:
    void SetUp() override {
        InetTest::SetUp();
        server = std::make_unique<ServerChild>((folder / "server.db").string());
        ASSERT_NE(server->port, 0) << "tessarine-server did not start";
        netplay::setServerAddress("127.0.0.1:" + std::to_string(server->port));
    }
    void TearDown() override {
        server.reset();
        InetTest::TearDown();
    }

    // The two programs: the joiner is this test's main window, the host has a transfer control
    // of its own.
    platform::inet::CurlHttpClient http;
    engine::GameControls joiner{http};
    platform::inet::Inet host{http};
    std::unique_ptr<ServerChild> server;
};

netplay::WaitingRoomEntry annsEntry(bool privateGame = false) {
    netplay::WaitingRoomEntry entry;
    entry.userName = "Ann Lee";
    entry.userLocation = "Paris, France";
    entry.played = 3;
    entry.won = 1;
    entry.privateGame = privateGame;
    entry.password = privateGame ? "open sesame" : "";
    entry.waitSeconds = 300;
    return entry;
}

} // namespace

TEST_F(AgainstServer, WholeGameFromWaitingRoomToForfeit) {
    engine::state().controls = &joiner;
    engine::State& s = engine::state();

    // The host enters the waiting room.
    netplay::setProgramToken("hostrun");
    const auto entered = netplay::readEntry(netplay::enterWaitingRoom(host, annsEntry()).text);
    ASSERT_EQ(entered.outcome, netplay::EntryRead::Outcome::Entered);
    const std::string gameId = entered.gameId;

    // The joiner finds him in the listing, reads the line back and joins.
    netplay::setProgramToken("joinrun");
    const auto listed = netplay::readListing(netplay::fetchWaitingList(joiner.Inet1).text);
    ASSERT_EQ(listed.status, netplay::ListingRead::Status::Listed);
    ASSERT_EQ(listed.entries.size(), 1u);
    const auto line = netplay::readWaitingListLine(netplay::waitingListLine(listed.entries[0]));
    EXPECT_EQ(line.gameId, gameId);
    EXPECT_EQ(line.playerId, "Ann Lee");
    EXPECT_EQ(line.location, "Paris, France");
    EXPECT_EQ(line.privateFlag, "NO");
    ASSERT_EQ(netplay::readJoin(netplay::joinListedGame(joiner.Inet1, line.gameId, "").text),
              netplay::JoinOutcome::Joined);

    // The joiner sends his details and a chat line that holds the query's own characters.
    s.UserName = "Bob";
    s.UserLocation = "Rome";
    s.InetState = engine::InetPlaying;
    netplay::setMailboxKeys(Side::Joiner, gameId);
    netplay::postOwnPlayerInfo(PostKind::Start);
    netplay::postChat(joiner.Inet1, s.OutboxKey, " a+b c&e%\xC3\xBC? ");

    const auto atHost = netplay::readMailbox(netplay::fetchMailbox(host, "s" + gameId).text);
    ASSERT_TRUE(atHost.startGame);
    EXPECT_EQ(atHost.startGame->name, "Bob");
    EXPECT_EQ(atHost.startGame->location, "Rome");
    EXPECT_EQ(atHost.startGame->played, "0");
    EXPECT_EQ(atHost.chat, "a+b c&e%\xC3\xBC?");
    // The server's request-line parser refuses the control bytes, the blank and DEL in an address:
    // a line holding any of them, or every printable character (sent raw), comes back intact.
    std::vector<std::string> lines{"a\x7F" "b", ""};
    for (char c = '!'; c <= '~'; ++c) lines.back() += c;
    for (int c = 0; c <= 0x20; ++c) lines.push_back(std::string("a") + static_cast<char>(c) + "b");
    for (const auto& line : lines) {
        EXPECT_TRUE(netplay::postWritten(netplay::postChat(joiner.Inet1, s.OutboxKey, line).text)) << line;
        EXPECT_EQ(netplay::readMailbox(netplay::fetchMailbox(host, "s" + gameId).text).chat, line);
    }

    // The host answers with his details and a move.
    netplay::postPlayerInfo(host, "c" + gameId, PostKind::Data, {"Ann Lee", "Paris, France", "3", "1", "2", "0"});
    EXPECT_TRUE(netplay::postMove(host, "c" + gameId, 'e', 35));

    const auto atJoiner = netplay::readMailbox(netplay::fetchMailbox(joiner.Inet1, s.InboxKey).text);
    ASSERT_TRUE(atJoiner.move);
    EXPECT_EQ(atJoiner.move->letter, 'e' - 'a');
    EXPECT_EQ(atJoiner.move->cell, 35);
    ASSERT_TRUE(atJoiner.playData);
    netplay::showOpponentInfo(*atJoiner.playData);
    EXPECT_EQ(joiner.Label7.Caption.get(), "Ann Lee");
    EXPECT_EQ(joiner.Label8.Caption.get(), "Paris, France");
    EXPECT_EQ(joiner.Label11.Caption.get(), "2");
    EXPECT_TRUE(netplay::readMailbox(netplay::fetchMailbox(joiner.Inet1, s.InboxKey).text).nothingWaiting);

    // The joiner gives up; the host's next poll finds the forfeit.
    netplay::QuitInternetGame();
    EXPECT_EQ(s.InetState, engine::InetIdle);
    const auto forfeit = netplay::readMailbox(netplay::fetchMailbox(host, "s" + gameId).text);
    EXPECT_TRUE(forfeit.quit);
}

TEST_F(AgainstServer, PrivateGameRefusesTheWrongPassword) {
    netplay::setProgramToken("hostrun");
    const auto entered = netplay::readEntry(netplay::enterWaitingRoom(host, annsEntry(true)).text);
    ASSERT_EQ(entered.outcome, netplay::EntryRead::Outcome::Entered);
    netplay::setProgramToken("joinrun");
    EXPECT_EQ(netplay::readJoin(netplay::joinListedGame(joiner.Inet1, entered.gameId, "guess").text),
              netplay::JoinOutcome::BadPassword);
    EXPECT_EQ(netplay::readJoin(netplay::joinListedGame(joiner.Inet1, entered.gameId, " open sesame ").text),
              netplay::JoinOutcome::Joined);
}

TEST_F(AgainstServer, LeavingTheWaitingRoomTakesTheEntryOffTheList) {
    netplay::setProgramToken("hostrun");
    const auto entered = netplay::readEntry(netplay::enterWaitingRoom(joiner.Inet1, annsEntry()).text);
    ASSERT_EQ(entered.outcome, netplay::EntryRead::Outcome::Entered);
    engine::state().controls = &joiner;
    engine::state().InetState = engine::InetWaiting;
    netplay::setMailboxKeys(Side::Host, entered.gameId);
    netplay::LeaveWaitingRoom();
    EXPECT_TRUE(netplay::readListing(netplay::fetchWaitingList(host).text).entries.empty());
}

TEST_F(AgainstServer, StoppedServerGivesTheFailureText) {
    server->stop();
    const auto reply = netplay::fetchWaitingList(host);
    EXPECT_TRUE(reply.failed);
    EXPECT_EQ(reply.text, "");
    EXPECT_EQ(reply.failureText, " 35754: Cannot connect to the server");
}
