#pragma once
// A tiny HTTP server on 127.0.0.1 for the transfer tests: it answers every request with one fixed
// reply, or holds the connection without a word, and records each request's first line.
// Boost 1.74's Asio uses std::exchange without including <utility> itself.
#include <utility>

#include <boost/asio.hpp>

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class LoopbackServer {
public:
    struct Reply {
        int status = 200;
        std::string body;
        bool silent = false;   // read the request, never answer
    };

    explicit LoopbackServer(Reply reply);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    unsigned short port() const { return m_port; }
    std::string url(const std::string& path) const;
    // "host:port" of this server, for use as a proxy.
    std::string hostPort() const;
    // First lines of the requests received so far ("GET /x HTTP/1.1").
    std::vector<std::string> requestLines() const;

private:
    void acceptNext();
    void serve(std::shared_ptr<boost::asio::ip::tcp::socket> socket);

    Reply m_reply;
    boost::asio::io_context m_io;
    boost::asio::ip::tcp::acceptor m_acceptor;
    unsigned short m_port = 0;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
    std::vector<std::shared_ptr<boost::asio::ip::tcp::socket>> m_held;
    std::thread m_thread;
};

} // namespace testing_support
