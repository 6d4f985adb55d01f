#include "platform/dplay/Connection.h"

#include <boost/asio/write.hpp>

#include <vector>

namespace platform::dplay {

namespace asio = boost::asio;
using asio::ip::tcp;

Connection::Connection(tcp::socket socket, Owner& owner, Timing timing, std::uint64_t id)
    : m_socket(std::move(socket)), m_timer(m_socket.get_executor()), m_owner(owner), m_timing(timing), m_id(id)
{
}

void Connection::start()
{
    boost::system::error_code ignored;
    // Game messages are tiny; each should leave at once, not wait to be bundled.
    m_socket.set_option(tcp::no_delay(true), ignored);
    m_lastHeard = std::chrono::steady_clock::now();
    read();
    armTimer();
}

void Connection::read()
{
    if (m_closed || m_reading)
        return;
    if (!m_draining && !m_owner.canTakeMore()) {
        m_paused = true;
        return;
    }
    m_paused = false;
    m_reading = true;
    m_socket.async_read_some(asio::buffer(m_readBuffer),
                             [self = shared_from_this()](const boost::system::error_code& error, std::size_t n) {
                                 self->m_reading = false;
                                 if (self->m_closed)
                                     return;
                                 if (error) {
                                     self->close();
                                     return;
                                 }
                                 self->m_lastHeard = std::chrono::steady_clock::now();
                                 if (self->m_draining) {
                                     self->read();
                                     return;
                                 }
                                 self->m_reader.feed({self->m_readBuffer.data(), n});
                                 wire::Frame frame;
                                 for (;;) {
                                     const auto status = self->m_reader.next(frame);
                                     if (status == wire::FrameReader::Status::NeedMore)
                                         break;
                                     if (status == wire::FrameReader::Status::Broken) {
                                         self->close();
                                         return;
                                     }
                                     self->m_owner.onFrame(*self, std::move(frame));
                                     if (self->m_closed)
                                         return;
                                 }
                                 self->read();
                             });
}

void Connection::resumeReading()
{
    if (m_paused) {
        // Time spent paused is our doing, not the peer's silence.
        m_lastHeard = std::chrono::steady_clock::now();
        read();
    }
}

void Connection::send(wire::Bytes frame)
{
    if (m_closed || m_closeAfterFlush)
        return;
    m_unsent += frame.size();
    m_pending.push_back(std::move(frame));
    m_wroteSinceTick = true;
    if (m_writing.empty())
        writeNext();
}

void Connection::writeNext()
{
    if (m_closed)
        return;
    if (m_pending.empty()) {
        if (m_closeAfterFlush && !m_draining) {
            // Say we are done, then read until the peer hangs up too: closing with its bytes
            // unread would reset the line and could wipe our last frames on its side.
            boost::system::error_code ignored;
            m_socket.shutdown(tcp::socket::shutdown_send, ignored);
            m_draining = true;
            read();
        }
        return;
    }
    // Everything waiting goes out in one write.
    m_writing.swap(m_pending);
    std::vector<asio::const_buffer> buffers;
    buffers.reserve(m_writing.size());
    for (const auto& bytes : m_writing)
        buffers.emplace_back(asio::buffer(bytes));
    asio::async_write(m_socket, buffers,
                      [self = shared_from_this()](const boost::system::error_code& error, std::size_t n) {
                          self->m_writing.clear();
                          if (self->m_closed)
                              return;
                          self->m_unsent -= n;
                          if (error) {
                              self->close();
                              return;
                          }
                          self->writeNext();
                      });
}

void Connection::closeAfterFlush()
{
    if (m_closed)
        return;
    m_closeAfterFlush = true;
    if (m_writing.empty())
        writeNext();
}

void Connection::close(bool quiet)
{
    if (m_closed)
        return;
    m_closed = true;
    boost::system::error_code ignored;
    m_timer.cancel();
    m_socket.close(ignored);
    m_pending.clear();
    m_unsent = 0;
    if (!quiet)
        m_owner.onClosed(*this);
}

void Connection::armTimer()
{
    m_timer.expires_after(m_timing.keepAlive);
    m_timer.async_wait([self = shared_from_this()](const boost::system::error_code& error) {
        if (!error && !self->m_closed)
            self->tick();
    });
}

void Connection::tick()
{
    const auto now = std::chrono::steady_clock::now();
    if (m_paused)
        m_lastHeard = now;
    if (now - m_lastHeard > m_timing.lossAfter) {
        close();
        return;
    }
    if (!m_wroteSinceTick && !m_closeAfterFlush)
        send(wire::encode(wire::KeepAlive{}));
    m_wroteSinceTick = false;
    armTimer();
}

} // namespace platform::dplay
