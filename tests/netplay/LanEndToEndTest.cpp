// Two copies of the game on one machine, each its own process with its own state, through the
// real network library and networking on 127.0.0.1: one hosts, the other joins, they trade moves
// and a chat line, and the host wins with a word along the bottom row.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

// A driver process with a pipe to its standard input and one from its standard output.
class Driver {
public:
    explicit Driver(std::vector<std::string> args) {
        int in[2], out[2];
        if (::pipe(in) != 0 || ::pipe(out) != 0) return;
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, in[1]);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        ::close(out[1]);
        m_in = in[1];
        m_out = out[0];
    }
    ~Driver() {
        closeInput();
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0) ::close(m_out);
    }

    // One line of output; empty at the end or after limitMs without a byte.
    std::string line(int limitMs = 30000) {
        std::string text;
        while (true) {
            pollfd p{m_out, POLLIN, 0};
            if (::poll(&p, 1, limitMs) <= 0) return text;
            char c;
            if (::read(m_out, &c, 1) != 1) return text;
            if (c == '\n') return text;
            text += c;
        }
    }
    std::vector<std::string> rest() {
        std::vector<std::string> lines;
        for (std::string l = line(); !l.empty(); l = line()) lines.push_back(l);
        return lines;
    }
    void closeInput() {
        if (m_in >= 0) ::close(m_in);
        m_in = -1;
    }
    int exitCode() {
        int status = 0;
        if (m_pid <= 0 || ::waitpid(m_pid, &status, 0) != m_pid) return -1;
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
};

bool has(const std::vector<std::string>& lines, const std::string& wanted) {
    for (const std::string& l : lines)
        if (l == wanted) return true;
    return false;
}

} // namespace

TEST(LanEndToEnd, TwoProgramsHostJoinChatAndTheHostWins) {
    const std::string hostName = "Hugo" + std::to_string(::getpid() % 10000);
    Driver host({LAN_DRIVER, "host", hostName});
    ASSERT_EQ(host.line(), "HOSTING");
    Driver joiner({LAN_DRIVER, "join", "Jade", hostName});
    const std::vector<std::string> joined = joiner.rest();
    EXPECT_EQ(joiner.exitCode(), 0);
    host.closeInput();
    const std::vector<std::string> hosted = host.rest();
    EXPECT_EQ(host.exitCode(), 0);

    // The joiner found the host, saw its details, its moves and the winning word.
    EXPECT_TRUE(has(joined, "STATUS Game Ready! Waiting for " + hostName + " to move."));
    EXPECT_TRUE(has(joined, "PANEL " + hostName));
    EXPECT_TRUE(has(joined, "CAPTION Game Over"));
    EXPECT_TRUE(has(joined, "TURN " + hostName));
    EXPECT_TRUE(has(joined, "GAMEOVER 1"));
    EXPECT_TRUE(has(joined, "CELL 3 d"));
    EXPECT_TRUE(has(joined, "CELL 20 x"));

    // The host seated the joiner, heard the chat line as typed and won.
    EXPECT_TRUE(has(hosted, "STATUS Jade is ready to play. Your move!"));
    EXPECT_TRUE(has(hosted, "STATUS From Jade:  good luck "));
    EXPECT_TRUE(has(hosted, "PANEL Jade"));
    EXPECT_TRUE(has(hosted, "CAPTION Game Over"));
    EXPECT_TRUE(has(hosted, "TURN " + hostName));
    EXPECT_TRUE(has(hosted, "CELL 0 w"));
    EXPECT_TRUE(has(hosted, "CELL 13 x"));
}
