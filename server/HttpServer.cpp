#include "server/HttpServer.h"

#include "server/Log.h"

#include <boost/asio/dispatch.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/strand.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <memory>
#include <optional>

namespace server {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {

class Session : public std::enable_shared_from_this<Session> {
public:
    Session(tcp::socket socket, GameService& service, const HttpOptions& options)
        : m_stream(std::move(socket)), m_service(service), m_options(options) {}

    void start() {
        asio::dispatch(m_stream.get_executor(), [self = shared_from_this()] { self->read(); });
    }

private:
    void read() {
        m_parser.emplace();
        m_parser->header_limit(static_cast<std::uint32_t>(m_options.maxHeadBytes));
        m_parser->body_limit(0);
        m_stream.expires_after(m_options.idleTimeout);
        http::async_read(m_stream, m_buffer, *m_parser,
                         [self = shared_from_this()](beast::error_code ec, std::size_t) { self->onRead(ec); });
    }

    void onRead(beast::error_code ec) {
        if (ec == http::error::end_of_stream || ec == beast::error::timeout || ec == asio::error::operation_aborted ||
            ec == asio::error::connection_reset || ec == asio::error::eof) {
            close();
            return;
        }
        if (ec) {
            const bool tooLarge = ec == http::error::header_limit || ec == http::error::body_limit ||
                                  ec == http::error::buffer_overflow;
            logRefused(std::string(tooLarge ? "oversized" : "malformed") + " request: " + ec.message());
            Reply reply{tooLarge ? 431 : 400, replyBody(tooLarge ? "refused: request too large" : "refused: bad request"),
                        {}};
            write(std::move(reply), false);
            return;
        }
        const auto& request = m_parser->get();
        const bool keepAlive = request.keep_alive();
        m_version = request.version();
        if (request.method() != http::verb::get) {
            logRefused(std::string("method ") + std::string(request.method_string()));
            write(Reply{405, replyBody("refused: GET only"), {}}, false);
            return;
        }
        // The parser holds the target until the next request is read, which waits for this reply.
        const std::string_view target(request.target().data(), request.target().size());
        m_inHandler = true;
        m_service.handle(target, [self = shared_from_this(), keepAlive, target](Reply reply) {
            if (!reply.refusal.empty()) logRefused(reply.refusal + ": " + GameService::loggableTarget(target));
            // A request refused for its form ends its connection; an unknown path does not.
            const bool keep = keepAlive && (reply.status < 400 || reply.status == 404);
            if (self->m_inHandler) {
                self->write(std::move(reply), keep); // answered at once, on this connection's thread
                return;
            }
            // Answered after a commit, on the committing thread: back to the connection's thread.
            asio::post(self->m_stream.get_executor(), [self, reply = std::move(reply), keep]() mutable {
                self->write(std::move(reply), keep, true);
            });
        });
        m_inHandler = false;
    }

    // The reply's head is written by hand into a buffer the connection keeps, so once it has
    // served one request a reply costs it no allocation. The deadline set for the read covers the
    // write of a reply given at once; one that waited for a commit gets a fresh one.
    void write(Reply reply, bool keepAlive, bool renewDeadline = false) {
        m_out.clear();
        m_out += m_version == 10 ? "HTTP/1.0 " : "HTTP/1.1 ";
        m_out += std::to_string(reply.status);
        m_out += ' ';
        const auto reason = http::obsolete_reason(static_cast<http::status>(reply.status));
        m_out.append(reason.data(), reason.size());
        m_out += "\r\nServer: tessarine-server\r\nContent-Type: text/plain; charset=utf-8\r\n"
                 "Cache-Control: no-store\r\nContent-Length: ";
        m_out += std::to_string(reply.body.size());
        if (!keepAlive && m_version != 10) m_out += "\r\nConnection: close";
        if (keepAlive && m_version == 10) m_out += "\r\nConnection: keep-alive";
        m_out += "\r\n\r\n";
        m_out += reply.body;
        if (renewDeadline) m_stream.expires_after(m_options.idleTimeout);
        asio::async_write(m_stream, asio::buffer(m_out),
                          [self = shared_from_this(), keepAlive](beast::error_code ec, std::size_t) {
                              if (ec || !keepAlive) {
                                  self->close();
                                  return;
                              }
                              self->read();
                          });
    }

    void close() {
        beast::error_code ignored;
        m_stream.socket().shutdown(tcp::socket::shutdown_send, ignored);
        m_stream.socket().close(ignored);
    }

    beast::tcp_stream m_stream;
    beast::flat_buffer m_buffer{8192};
    std::optional<http::request_parser<http::empty_body>> m_parser;
    GameService& m_service;
    const HttpOptions& m_options;
    unsigned m_version = 11;
    std::string m_out; // the reply being written
    bool m_inHandler = false; // true while the service runs on this connection's thread
};

} // namespace

HttpServer::HttpServer(std::vector<asio::io_context*> workers, const tcp::endpoint& endpoint, GameService& service,
                       HttpOptions options)
    : m_workers(std::move(workers)), m_sweepTimer(*m_workers.at(0)), m_service(service), m_options(options) {
    using ReusePort = asio::detail::socket_option::boolean<SOL_SOCKET, SO_REUSEPORT>;
    auto where = endpoint;
    for (auto* worker : m_workers) {
        auto acceptor = std::make_unique<tcp::acceptor>(*worker);
        acceptor->open(where.protocol());
        acceptor->set_option(asio::socket_base::reuse_address(true));
        // The kernel spreads new connections over the listening sockets of the one port.
        acceptor->set_option(ReusePort(true));
        acceptor->bind(where);
        acceptor->listen(asio::socket_base::max_listen_connections);
        where.port(acceptor->local_endpoint().port()); // port 0 picked one: the others share it
        m_acceptors.push_back(std::move(acceptor));
    }
}

void HttpServer::start() {
    for (auto& acceptor : m_acceptors) accept(*acceptor);
    scheduleSweep();
}

void HttpServer::stop() {
    for (auto& acceptor : m_acceptors) {
        asio::post(acceptor->get_executor(), [acceptor = acceptor.get()] {
            beast::error_code ignored;
            acceptor->close(ignored);
        });
    }
    asio::post(m_sweepTimer.get_executor(), [this] { m_sweepTimer.cancel(); });
}

std::uint16_t HttpServer::port() const { return m_acceptors.front()->local_endpoint().port(); }

void HttpServer::accept(tcp::acceptor& acceptor) {
    acceptor.async_accept([this, &acceptor](beast::error_code ec, tcp::socket socket) {
        if (ec == asio::error::operation_aborted || !acceptor.is_open()) return;
        if (!ec) {
            // Served by the thread that accepted it, for good.
            beast::error_code ignored;
            socket.set_option(tcp::no_delay(true), ignored);
            std::make_shared<Session>(std::move(socket), m_service, m_options)->start();
        } else if (ec == asio::error::no_descriptors) {
            logLine("accept: " + ec.message());
        }
        accept(acceptor);
    });
}

void HttpServer::scheduleSweep() {
    m_sweepTimer.expires_after(m_options.sweepInterval);
    m_sweepTimer.async_wait([this](beast::error_code ec) {
        if (ec) return;
        m_service.sweep();
        scheduleSweep();
    });
}

} // namespace server
