// A real second process on 127.0.0.1: the peer program, started by the test.
#include "SessionHelpers.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>

extern char** environ;

using namespace dplaytest;

namespace {

std::string hexOf(const GUID& g)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&g);
    for (std::size_t i = 0; i < sizeof g; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

class Peer {
public:
    Peer(const std::string& mode, const GUID& application, std::uint16_t port, const std::string& name)
    {
        int out[2];
        if (pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        const auto program = std::filesystem::canonical("/proc/self/exe").parent_path() / "dplay_peer";
        std::string portText = std::to_string(port), guidText = hexOf(application);
        std::vector<char*> args{const_cast<char*>(program.c_str()), const_cast<char*>(mode.c_str()),
                                guidText.data(), portText.data(), const_cast<char*>(name.c_str()), nullptr};
        posix_spawn(&m_pid, program.c_str(), &actions, nullptr, args.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        m_out = out[0];
    }
    ~Peer()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0)
            close(m_out);
    }
    // The peer's next line, or "" when it has said nothing for five seconds.
    std::string line()
    {
        for (;;) {
            if (auto end = m_buffer.find('\n'); end != std::string::npos) {
                std::string result = m_buffer.substr(0, end);
                m_buffer.erase(0, end + 1);
                return result;
            }
            pollfd p{m_out, POLLIN, 0};
            if (poll(&p, 1, 5000) != 1)
                return "";
            char chunk[4096];
            const auto n = read(m_out, chunk, sizeof chunk);
            if (n <= 0)
                return "";
            m_buffer.append(chunk, static_cast<std::size_t>(n));
        }
    }
    void killHard()
    {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
    int m_out = -1;
    std::string m_buffer;
};

struct Local {
    Options options = fastOptions(portsForThisProcess());
    GUID application = randomGuid();
    Dp dp = makeDp(options);
};

void joinAs(Local& s, const char* name, DPID& me)
{
    const auto started = std::chrono::steady_clock::now();
    auto found = findSessions(*s.dp, s.application, 1500, true);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1500));
    ASSERT_EQ(found.sessions.size(), 1u);
    EXPECT_NE(found.sessions[0].dwSession, 0u);
    auto d = description(s.application, DPOPEN_OPENSESSION);
    d.dwSession = found.sessions[0].dwSession;
    ASSERT_EQ(s.dp->Open(&d), DP_OK);
    const auto list = players(*s.dp);
    ASSERT_EQ(list.players.size(), 1u);
    EXPECT_EQ(list.players[0], std::make_pair(DPID{1}, std::string("Alice")));
    std::string own = name;
    ASSERT_EQ(s.dp->CreatePlayer(&me, own.data(), own.data(), nullptr), DP_OK);
}

} // namespace

TEST(TwoProcesses, JoinerFindsHostTalksInOrderAndLeaves)
{
    Local s;
    Peer host("host", s.application, s.options.discoveryPort, "Alice");
    ASSERT_EQ(host.line(), "READY 1");
    DPID me = 0;
    joinAs(s, "Bob", me);
    EXPECT_EQ(me, 2u);
    constexpr int count = 100;
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(sendText(*s.dp, me, 1, "m" + std::to_string(i)), DP_OK);
    // The host hears of Bob exactly once, then every message in order.
    EXPECT_EQ(host.line(), "SYS 3 2 Bob");
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(host.line(), "MSG m" + std::to_string(i));
    for (int i = 0; i < count; ++i) {
        auto echo = receive(*s.dp);
        ASSERT_TRUE(echo);
        EXPECT_EQ(echo->from, 1u);
        EXPECT_EQ(echo->text(), "m" + std::to_string(i));
    }
    ASSERT_EQ(s.dp->Close(), DP_OK);
    EXPECT_EQ(host.line(), "SYS 5 2 ");
}

TEST(TwoProcesses, KilledJoinerGivesTheHostDeletePlayer)
{
    Local s;
    auto d = description(s.application, DPOPEN_CREATESESSION, "Alice");
    ASSERT_EQ(s.dp->Open(&d), DP_OK);
    DPID me = 0;
    char name[] = "Alice";
    ASSERT_EQ(s.dp->CreatePlayer(&me, name, name, nullptr), DP_OK);
    Peer joiner("join", s.application, s.options.discoveryPort, "Bob");
    ASSERT_EQ(joiner.line(), "JOINED 2");
    auto added = receive(*s.dp);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->type(), DPSYS_ADDPLAYER);
    EXPECT_EQ(shortName(*added), "Bob");
    ASSERT_EQ(sendText(*s.dp, me, 2, "Mb40"), DP_OK);
    EXPECT_EQ(joiner.line(), "MSG Mb40");
    auto echo = receive(*s.dp);
    ASSERT_TRUE(echo);
    EXPECT_EQ(echo->text(), "Mb40");
    joiner.killHard();
    auto gone = receive(*s.dp);
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->type(), DPSYS_DELETEPLAYER);
    EXPECT_EQ(systemPlayerId(*gone), 2u);
}

TEST(TwoProcesses, KilledHostGivesTheJoinerSessionLost)
{
    Local s;
    Peer host("host", s.application, s.options.discoveryPort, "Alice");
    ASSERT_EQ(host.line(), "READY 1");
    DPID me = 0;
    joinAs(s, "Bob", me);
    EXPECT_EQ(host.line(), "SYS 3 2 Bob");
    host.killHard();
    auto lost = receive(*s.dp);
    ASSERT_TRUE(lost);
    EXPECT_EQ(lost->from, 0u);
    EXPECT_EQ(lost->type(), DPSYS_SESSIONLOST);
}

TEST(TwoProcesses, HostClosingGivesTheJoinerDeletePlayerAndSessionLost)
{
    Local s;
    Peer host("host", s.application, s.options.discoveryPort, "Alice");
    ASSERT_EQ(host.line(), "READY 1");
    DPID me = 0;
    joinAs(s, "Bob", me);
    ASSERT_EQ(sendText(*s.dp, me, 1, "quit"), DP_OK);
    EXPECT_EQ(host.line(), "SYS 3 2 Bob");
    EXPECT_EQ(host.line(), "MSG quit");
    EXPECT_EQ(host.line(), "CLOSED");
    auto first = receive(*s.dp);
    auto second = receive(*s.dp);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->type(), DPSYS_DELETEPLAYER);
    EXPECT_EQ(second->type(), DPSYS_SESSIONLOST);
}
