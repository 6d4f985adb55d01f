#include "platform/dplay/Discovery.h"

namespace platform::dplay {

namespace asio = boost::asio;
using asio::ip::udp;

namespace {

// An unreachable port reported back is no reason to stop listening; anything else is.
bool stopsListening(const boost::system::error_code& error)
{
    return error && error != asio::error::connection_refused && error != asio::error::connection_reset;
}

} // namespace

Responder::Responder(asio::io_context& io, Answer answer) : m_socket(io), m_answer(std::move(answer)) {}

bool Responder::open(const Options& options)
{
    boost::system::error_code error;
    const auto address = asio::ip::make_address_v4(options.listenAddress, error);
    if (error)
        return false;
    for (std::uint16_t i = 0; i < options.discoveryPortCount; ++i) {
        const auto port = static_cast<std::uint16_t>(options.discoveryPort + i);
        m_socket.open(udp::v4(), error);
        if (error)
            return false;
        m_socket.bind(udp::endpoint(address, port), error);
        if (!error) {
            m_port = port;
            return true;
        }
        m_socket.close(error);
    }
    return false;
}

void Responder::start()
{
    receive();
}

void Responder::receive()
{
    m_socket.async_receive_from(
        asio::buffer(m_buffer), m_sender, [self = shared_from_this()](const boost::system::error_code& error, std::size_t n) {
            if (!self->m_socket.is_open() || stopsListening(error))
                return;
            if (!error) {
                if (auto request = wire::decodeRequest({self->m_buffer.data(), n})) {
                    if (auto reply = self->m_answer(*request)) {
                        auto bytes = std::make_shared<wire::Bytes>(wire::encodeReply(*reply));
                        self->m_socket.async_send_to(asio::buffer(*bytes), self->m_sender,
                                                     [bytes](const boost::system::error_code&, std::size_t) {});
                    }
                }
            }
            self->receive();
        });
}

void Responder::close()
{
    boost::system::error_code ignored;
    m_socket.close(ignored);
}

Search::Search(asio::io_context& io, Found found) : m_socket(io), m_found(std::move(found)) {}

bool Search::start(const Options& options, const std::vector<asio::ip::address_v4>& addresses,
                   const wire::EnumRequest& request)
{
    boost::system::error_code error;
    m_socket.open(udp::v4(), error);
    if (error)
        return false;
    // Only the addresses the settings or the player named are asked, or the broadcast
    // addresses of this machine's own networks when he named none.
    m_socket.set_option(udp::socket::broadcast(true), error);
    m_socket.bind(udp::endpoint(udp::v4(), 0), error);
    if (error)
        return false;
    m_nonce = request.nonce;
    auto bytes = std::make_shared<wire::Bytes>(wire::encodeRequest(request));
    for (const auto& address : addresses) {
        for (std::uint16_t i = 0; i < options.discoveryPortCount; ++i) {
            const udp::endpoint to(address, static_cast<std::uint16_t>(options.discoveryPort + i));
            m_socket.async_send_to(asio::buffer(*bytes), to, [bytes](const boost::system::error_code&, std::size_t) {});
        }
    }
    receive();
    return true;
}

void Search::receive()
{
    m_socket.async_receive_from(
        asio::buffer(m_buffer), m_sender, [self = shared_from_this()](const boost::system::error_code& error, std::size_t n) {
            if (!self->m_socket.is_open() || stopsListening(error))
                return;
            if (!error && self->m_sender.address().is_v4()) {
                auto reply = wire::decodeReply({self->m_buffer.data(), n});
                if (reply && reply->nonce == self->m_nonce)
                    self->m_found(*reply, self->m_sender.address().to_v4());
            }
            self->receive();
        });
}

void Search::close()
{
    boost::system::error_code ignored;
    m_socket.close(ignored);
}

} // namespace platform::dplay
