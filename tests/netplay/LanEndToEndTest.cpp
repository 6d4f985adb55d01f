// Two copies of the game, each its own process with its own state, through the real network
// library: one hosts, the other joins, they trade moves and a chat line, and the host wins with a
// word along the bottom row. Each plays from a copy of the program folder, as a player who copied
// the game would. On this machine they meet on 127.0.0.1; out of the box, in two network
// namespaces of the test's own joined by a virtual cable, the joiner searches the local network.
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
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

// A copy of the program folder's libraries and class registry, with its own settings file, made
// the program folder of the drivers started while it lives.
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

bool has(const std::vector<std::string>& lines, const std::string& wanted) {
    for (const std::string& l : lines)
        if (l == wanted) return true;
    return false;
}

} // namespace

TEST(LanEndToEnd, TwoProgramsHostJoinChatAndTheHostWins) {
    const std::string hostName = "Hugo" + std::to_string(::getpid() % 10000);
    // Sessions are looked for and answered on this machine only.
    const ProgramFolder folder("Search=127.0.0.1\nListen=127.0.0.1\n");
    folder.use();
    Driver host({LAN_DRIVER, "host", hostName});
    ASSERT_EQ(host.line(), "HOSTING");
    Driver joiner({LAN_DRIVER, "join", "Jade", hostName});
    const std::vector<std::string> joined = joiner.rest();
    EXPECT_EQ(joiner.exitCode(), 0);
    host.closeInput();
    const std::vector<std::string> hosted = host.rest();
    EXPECT_EQ(host.exitCode(), 0);

    // The joiner found the host, saw its details, its moves and the winning word; with a Search
    // setting nobody was asked where to search.
    for (const std::string& line : joined) EXPECT_NE(line.rfind("ASKED", 0), 0u) << line;
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
    std::vector<std::string> onA(std::vector<std::string> args) const { return in(m_a, std::move(args)); }
    std::vector<std::string> onB(std::vector<std::string> args) const { return in(m_b, std::move(args)); }

private:
    static std::vector<std::string> in(const std::string& space, std::vector<std::string> args) {
        std::vector<std::string> all{"/usr/sbin/ip", "netns", "exec", space};
        all.insert(all.end(), args.begin(), args.end());
        return all;
    }
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
    hostFolder.use();
    Driver host(machines.onA({LAN_DRIVER, "host", "Hugo"}));
    ASSERT_EQ(host.line(), "HOSTING");
    joinerFolder.use();
    Driver joiner(machines.onB({LAN_DRIVER, "join", "Jade", "Hugo", ""}));
    const std::vector<std::string> joined = joiner.rest();
    EXPECT_EQ(joiner.exitCode(), 0);
    host.closeInput();
    const std::vector<std::string> hosted = host.rest();
    EXPECT_EQ(host.exitCode(), 0);
    for (const std::string& line : joined) std::cout << "joiner | " << line << "\n";
    for (const std::string& line : hosted) std::cout << "host   | " << line << "\n";

    // The joiner was asked where to search, left it blank, found Hugo's session on the other
    // machine and played; the details and the chat line crossed the cable.
    EXPECT_TRUE(has(joined, "ASKED Search for Games []"));
    EXPECT_TRUE(has(joined, "STATUS Game Ready! Waiting for Hugo to move."));
    EXPECT_TRUE(has(joined, "PANEL Hugo"));
    EXPECT_TRUE(has(hosted, "STATUS Jade is ready to play. Your move!"));
    EXPECT_TRUE(has(hosted, "STATUS From Jade:  good luck "));
    EXPECT_TRUE(has(hosted, "PANEL Jade"));
    EXPECT_TRUE(has(joined, "GAMEOVER 1"));
    // The blank answer is offered again next time, and is no standing setting.
    EXPECT_EQ(joinerFolder.read("dplay.ini"), "; as installed\nLastSearch=\n");
}
