#pragma once
// HTTP/1.1 over TCP for the game service: GET only, plain-text replies, keep-alive, bounded
// request heads and an idle time-out per connection. Every io_context, each run by exactly one
// thread, accepts on its own listening socket on the shared port and serves what it accepted, so
// no thread waits for another to hand it a connection and no two threads share a queue.
#include "server/GameService.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

namespace server {

struct HttpOptions {
    std::size_t maxHeadBytes = 20 * 1024;          // request line and headers: the longest target and room to spare
    std::chrono::seconds idleTimeout{30};          // a connection that sends nothing for this long is closed
    std::chrono::milliseconds sweepInterval{5000}; // how often the clock is applied to every game
};

class HttpServer {
public:
    // `workers` must not be empty; each must be run by one thread only. The first one also sweeps.
    HttpServer(std::vector<boost::asio::io_context*> workers, const boost::asio::ip::tcp::endpoint& endpoint,
               GameService& service, HttpOptions options = {});
    // Starts accepting and the periodic sweep.
    void start();
    // Stops accepting and sweeping; open connections end with their current request.
    void stop();
    std::uint16_t port() const;

private:
    void accept(boost::asio::ip::tcp::acceptor& acceptor);
    void scheduleSweep();

    std::vector<boost::asio::io_context*> m_workers;
    std::vector<std::unique_ptr<boost::asio::ip::tcp::acceptor>> m_acceptors; // one per worker
    boost::asio::steady_timer m_sweepTimer;
    GameService& m_service;
    HttpOptions m_options;
};

} // namespace server
