#pragma once
// A copy of the game run as a process of its own (the driver program), spoken to through pipes:
// one command a line in, its answer lines out up to "OK". Header only; killed when it goes.
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace testing_support {

class DriverProcess {
public:
    explicit DriverProcess(std::vector<std::string> args) {
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
    ~DriverProcess() {
        if (m_in >= 0) ::close(m_in);
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0) ::close(m_out);
    }
    DriverProcess(const DriverProcess&) = delete;
    DriverProcess& operator=(const DriverProcess&) = delete;

    // Sends one command and gives the lines it answered before its "OK" (a lone "TIMEOUT" when
    // the program said nothing for a minute).
    std::vector<std::string> run(const std::string& command) {
        const std::string text = command + "\n";
        if (m_in < 0 || ::write(m_in, text.data(), text.size()) != static_cast<ssize_t>(text.size())) return {"NOPIPE"};
        std::vector<std::string> lines;
        for (std::string l = line(); l != "OK"; l = line()) {
            if (l == "\x04") return lines.push_back("TIMEOUT"), lines;
            lines.push_back(l);
        }
        return lines;
    }

private:
    // One line of output; "\x04" at the end or after a minute without a byte.
    std::string line() {
        std::string text;
        while (true) {
            pollfd p{m_out, POLLIN, 0};
            if (::poll(&p, 1, 60000) <= 0) return "\x04";
            char c;
            if (::read(m_out, &c, 1) != 1) return "\x04";
            if (c == '\n') return text;
            text += c;
        }
    }

    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
};

inline bool has(const std::vector<std::string>& lines, const std::string& wanted) {
    return std::find(lines.begin(), lines.end(), wanted) != lines.end();
}

// The first line that begins with the prefix, without it; "" when none.
inline std::string after(const std::vector<std::string>& lines, const std::string& prefix) {
    for (const std::string& l : lines)
        if (l.rfind(prefix, 0) == 0) return l.substr(prefix.size());
    return {};
}

// Prints what a copy reported, one "who | line" a line, for the test's output; only the lines
// that begin with one of the prefixes.
inline void print(const std::string& who, const std::vector<std::string>& lines, const std::vector<std::string>& prefixes) {
    for (const std::string& l : lines)
        for (const std::string& p : prefixes)
            if (l.rfind(p, 0) == 0) {
                std::printf("%s | %s\n", who.c_str(), l.c_str());
                break;
            }
    std::fflush(stdout);
}

} // namespace testing_support
