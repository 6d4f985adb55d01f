// The real program as a child process on 127.0.0.1 and a free port: killed without warning, it
// keeps every change it had acknowledged.
#include "ServerTestKit.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace netplay::wire;
using server_test::httpGet;

namespace {

class ServerProcess {
public:
    explicit ServerProcess(const std::string& dbPath, std::vector<std::string> extra = {}) {
        int fds[2];
        if (::pipe(fds) != 0) throw std::runtime_error("pipe");
        std::vector<std::string> args{TESSARINE_SERVER_BINARY, "--listen", "127.0.0.1:0", "--db", dbPath, "--threads", "2"};
        args.insert(args.end(), extra.begin(), extra.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        const int rc = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        m_err = fds[0];
        if (rc != 0) throw std::runtime_error("spawn");
        const std::string marker = "listening on 127.0.0.1:";
        while (port == 0) {
            const auto line = readLine();
            if (line.empty()) break;
            const auto at = line.find(marker);
            if (at != std::string::npos) port = static_cast<unsigned short>(std::stoi(line.substr(at + marker.size())));
        }
    }
    ~ServerProcess() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        ::close(m_err);
    }
    void killHard() {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    // Sends the signal and gives the exit status and what was logged up to the end.
    int stop(int signal, std::string& log) {
        ::kill(m_pid, signal);
        for (std::string line = readLine(); !line.empty(); line = readLine()) log += line;
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    unsigned short port = 0;

private:
    // One line of the child's standard error; empty at its end or after ten quiet seconds.
    std::string readLine() {
        std::string line;
        while (true) {
            pollfd p{m_err, POLLIN, 0};
            if (::poll(&p, 1, 10000) <= 0) return line;
            char c;
            if (::read(m_err, &c, 1) != 1) return line;
            line += c;
            if (c == '\n') return line;
        }
    }
    pid_t m_pid = -1;
    int m_err = -1;
};

} // namespace

TEST(ServerProcess, KilledServerKeepsEveryAcknowledgedChange) {
    testing_support::TempDir dir;
    const auto db = (dir / "server.db").string();
    std::string waiting, playing;
    {
        ServerProcess server(db);
        ASSERT_NE(server.port, 0);
        waiting = readEntryGameId(httpGet(server.port, "/Tessarine/joinwait.mv?t1+Ann+Paris+1+1+YES+pw+900").body).value_or("");
        playing = readEntryGameId(httpGet(server.port, "/Tessarine/joinwait.mv?t2+Bob+Rome+2+2+NO+none+900").body).value_or("");
        ASSERT_FALSE(waiting.empty());
        ASSERT_TRUE(hasMarker(httpGet(server.port, "/Tessarine/joingame.mv?" + playing + "+t3+").body, Marker::Joined));
        for (const auto& query : {"s" + playing + "+MOVE+e35", "s" + playing + "+CHAT+hello%20there",
                                  "c" + playing + "+MOVE+a0", "s" + playing + "+MOVE+f36"})
            ASSERT_TRUE(hasMarker(httpGet(server.port, "/Tessarine/postdata.mv?" + query).body, Marker::WriteOk));
        // One record is fetched before the crash: it must not come back.
        ASSERT_EQ(readMove(httpGet(server.port, "/Tessarine/getdata.mv?c" + playing).body)->cell, 0);
        server.killHard();
    }
    ServerProcess again(db);
    ASSERT_NE(again.port, 0);
    const auto entries = readWaitingList(httpGet(again.port, "/Tessarine/readwait.mv").body);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].gameId, waiting);
    const auto host = httpGet(again.port, "/Tessarine/getdata.mv?s" + playing).body;
    EXPECT_EQ(readMove(host)->cell, 35);
    EXPECT_EQ(readMailboxPayload(host, PostKind::Chat), "hello there");
    EXPECT_EQ(readMove(httpGet(again.port, "/Tessarine/getdata.mv?s" + playing).body)->cell, 36);
    EXPECT_TRUE(hasMarker(httpGet(again.port, "/Tessarine/getdata.mv?c" + playing).body, Marker::FileNotFound));
    EXPECT_FALSE(hasMarker(httpGet(again.port, "/Tessarine/joingame.mv?" + playing + "+t4+").body, Marker::Joined));
    const auto next = readEntryGameId(httpGet(again.port, "/Tessarine/joinwait.mv?t5+Cy+Oslo+0+0+NO+none+120").body);
    ASSERT_TRUE(next);
    EXPECT_GT(std::stoull(*next), std::stoull(playing));
}

TEST(ServerProcess, StopsCleanlyOnSigtermAndSigint) {
    testing_support::TempDir dir;
    for (const int signal : {SIGTERM, SIGINT}) {
        ServerProcess server((dir / "server.db").string());
        ASSERT_NE(server.port, 0);
        std::string log;
        EXPECT_EQ(server.stop(signal, log), 0);
        EXPECT_NE(log.find("stopped"), std::string::npos) << log;
    }
}

TEST(ServerProcess, RefusedRequestsAreLogged) {
    testing_support::TempDir dir;
    ServerProcess server((dir / "server.db").string());
    ASSERT_NE(server.port, 0);
    httpGet(server.port, "/Tessarine/postdata.mv?s1+JUMP+x");
    std::string log;
    server.stop(SIGTERM, log);
    EXPECT_NE(log.find("refused unknown kind of post"), std::string::npos) << log;
}

TEST(ServerProcess, HelpSucceedsAndUnknownOptionsFail) {
    const std::string program = TESSARINE_SERVER_BINARY;
    const auto exitCode = [](const std::string& command) {
        const int status = std::system((command + " >/dev/null 2>&1").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(exitCode(program + " --help"), 0);
    EXPECT_EQ(exitCode(program + " --bogus"), 2);
    EXPECT_EQ(exitCode(program + " --listen nowhere"), 2);
    EXPECT_EQ(exitCode(program + " --room-capacity 0"), 2);
}
