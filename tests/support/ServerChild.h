#pragma once
// The game-server stand-in "tessarine-server" as a child process on 127.0.0.1 and a free port,
// for tests that talk to a real server. Header only; killed when the object goes.
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace testing_support {

class ServerChild {
public:
    // binary: the server program; extra: further options (e.g. "--current-version", "2.0").
    ServerChild(const std::string& binary, const std::string& dbPath, std::vector<std::string> extra = {},
                int threads = 1) {
        int fds[2];
        if (::pipe(fds) != 0) throw std::runtime_error("pipe");
        std::vector<std::string> args{binary, "--listen", "127.0.0.1:0", "--db", dbPath, "--threads", std::to_string(threads)};
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
        if (rc != 0) {
            m_pid = -1;
            return;
        }
        // The server names its address once it listens.
        const std::string marker = "listening on 127.0.0.1:";
        while (m_port == 0) {
            const std::string line = readLine();
            if (line.empty()) break;
            const auto at = line.find(marker);
            if (at != std::string::npos) m_port = static_cast<unsigned short>(std::stoi(line.substr(at + marker.size())));
        }
    }
    ~ServerChild() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_err >= 0) ::close(m_err);
    }
    ServerChild(const ServerChild&) = delete;
    ServerChild& operator=(const ServerChild&) = delete;

    unsigned short port() const { return m_port; }
    std::string address() const { return "127.0.0.1:" + std::to_string(m_port); }

    // Kills the server without warning, as a power cut would.
    void killHard() {
        if (m_pid <= 0) return;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    // Sends the signal and gives the exit status (-1 when it did not exit) and what the server
    // logged up to its end.
    int stop(int signal, std::string& log) {
        if (m_pid <= 0) return -1;
        ::kill(m_pid, signal);
        for (std::string line = readLine(); !line.empty(); line = readLine()) log += line;
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

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
    unsigned short m_port = 0;
};

} // namespace testing_support
