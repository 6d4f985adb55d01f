#pragma once
// One TCP link to a peer, driven only by the library's network thread: frames in, frames
// out in order, a keep-alive when the line has been quiet, and the verdict "gone" when the
// peer has been silent for too long.
#include "platform/dplay/Wire.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>

namespace platform::dplay {

class Connection : public std::enable_shared_from_this<Connection> {
public:
    class Owner {
    public:
        virtual void onFrame(Connection& connection, wire::Frame&& frame) = 0;
        // The link is gone: closed by either side, broken by a refused frame, or silent.
        virtual void onClosed(Connection& connection) = 0;
        // False while the owner's queue of received messages is full: reading waits.
        virtual bool canTakeMore() = 0;

    protected:
        ~Owner() = default;
    };

    struct Timing {
        std::chrono::milliseconds keepAlive;
        std::chrono::milliseconds lossAfter;
    };

    Connection(boost::asio::ip::tcp::socket socket, Owner& owner, Timing timing, std::uint64_t id);

    std::uint64_t id() const { return m_id; }
    void start();
    void send(wire::Bytes frame);
    // Hangs up once everything queued so far has been written.
    void closeAfterFlush();
    // Hangs up now; the owner hears onClosed once unless `quiet`.
    void close(bool quiet = false);
    void resumeReading();
    bool closed() const { return m_closed; }
    // Bytes queued but not yet written; read from any thread.
    std::size_t unsent() const { return m_unsent.load(std::memory_order_relaxed); }

private:
    void read();
    void writeNext();
    void armTimer();
    void tick();

    boost::asio::ip::tcp::socket m_socket;
    boost::asio::steady_timer m_timer;
    Owner& m_owner;
    Timing m_timing;
    std::uint64_t m_id;
    wire::FrameReader m_reader;
    std::array<std::uint8_t, 65536> m_readBuffer{};
    std::deque<wire::Bytes> m_pending;
    std::deque<wire::Bytes> m_writing;
    std::chrono::steady_clock::time_point m_lastHeard;
    std::atomic<std::size_t> m_unsent{0};
    bool m_wroteSinceTick = false;
    bool m_reading = false;
    bool m_paused = false;
    bool m_closeAfterFlush = false;
    bool m_draining = false;
    bool m_closed = false;
};

} // namespace platform::dplay
