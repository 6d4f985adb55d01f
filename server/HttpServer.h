#pragma once
// HTTP/1.1 over TCP for the game service: GET only, plain-text replies, keep-alive, bounded
// request heads and an idle time-out per connection. Connections are dealt in turn to a set of
// io_contexts, each run by exactly one thread, so no two threads share a queue or a connection.
#include "server/GameService.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>

#include <chrono>
#include <cstdint>
#include <vector>

namespace server {

struct HttpOptions {
    std::size_t maxHeadBytes = 8192;               // request line and headers together
    std::chrono::seconds idleTimeout{30};          // a connection that sends nothing for this long is closed
    std::chrono::milliseconds sweepInterval{5000}; // how often the clock is applied to every game
};

class HttpServer {
public:
    // `workers` must not be empty; each must be run by one thread only. The first one accepts.
    HttpServer(std::vector<boost::asio::io_context*> workers, const boost::asio::ip::tcp::endpoint& endpoint,
               GameService& service, HttpOptions options = {});
    // Starts accepting and the periodic sweep.
    void start();
    // Stops accepting and sweeping; open connections end with their current request.
    void stop();
    std::uint16_t port() const;

private:
    void accept();
    void scheduleSweep();

    std::vector<boost::asio::io_context*> m_workers;
    std::size_t m_nextWorker = 0;
    boost::asio::ip::tcp::acceptor m_acceptor;
    boost::asio::steady_timer m_sweepTimer;
    GameService& m_service;
    HttpOptions m_options;
};

} // namespace server
