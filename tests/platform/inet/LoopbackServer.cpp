#include "tests/platform/inet/LoopbackServer.h"

namespace testing_support {

namespace asio = boost::asio;
using asio::ip::tcp;

LoopbackServer::LoopbackServer(Reply reply)
    : m_reply(std::move(reply)),
      m_acceptor(m_io, tcp::endpoint(asio::ip::make_address("127.0.0.1"), 0)) {
    m_port = m_acceptor.local_endpoint().port();
    acceptNext();
    m_thread = std::thread([this] { m_io.run(); });
}

LoopbackServer::~LoopbackServer() {
    m_io.stop();
    m_thread.join();
}

std::string LoopbackServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::string LoopbackServer::hostPort() const { return "127.0.0.1:" + std::to_string(m_port); }

std::vector<std::string> LoopbackServer::requestLines() const {
    std::lock_guard lock(m_mutex);
    return m_lines;
}

void LoopbackServer::acceptNext() {
    auto socket = std::make_shared<tcp::socket>(m_io);
    m_acceptor.async_accept(*socket, [this, socket](const boost::system::error_code& ec) {
        if (ec) return;
        serve(socket);
        acceptNext();
    });
}

void LoopbackServer::serve(std::shared_ptr<tcp::socket> socket) {
    auto buffer = std::make_shared<asio::streambuf>();
    asio::async_read_until(*socket, *buffer, "\r\n\r\n",
        [this, socket, buffer](const boost::system::error_code& ec, std::size_t) {
            if (ec) return;
            std::istream in(buffer.get());
            std::string line;
            std::getline(in, line);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            {
                std::lock_guard lock(m_mutex);
                m_lines.push_back(line);
                if (m_reply.silent) {
                    m_held.push_back(socket);
                    return;
                }
            }
            auto text = std::make_shared<std::string>(
                "HTTP/1.1 " + std::to_string(m_reply.status) + " Reply\r\nContent-Length: " +
                std::to_string(m_reply.body.size()) + "\r\nConnection: close\r\n\r\n" + m_reply.body);
            asio::async_write(*socket, asio::buffer(*text),
                [socket, text](const boost::system::error_code&, std::size_t) {
                    boost::system::error_code ignored;
                    socket->shutdown(tcp::socket::shutdown_both, ignored);
                });
        });
}

} // namespace testing_support
