#pragma once
// Finding sessions: a host answers questions on the first free UDP port of a small fixed
// range; a joiner asks every port of that range on each address it searches. Both run on
// the library's network thread.
#include "platform/dplay/Options.h"
#include "platform/dplay/Wire.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace platform::dplay {

class Responder : public std::enable_shared_from_this<Responder> {
public:
    using Answer = std::function<std::optional<wire::EnumReply>(const wire::EnumRequest&)>;
    Responder(boost::asio::io_context& io, Answer answer);
    // Binds the first free port of the range; false when every port is taken.
    bool open(const Options& options);
    void start();
    void close();
    std::uint16_t port() const { return m_port; }

private:
    void receive();
    boost::asio::ip::udp::socket m_socket;
    Answer m_answer;
    std::array<std::uint8_t, 512> m_buffer{};
    boost::asio::ip::udp::endpoint m_sender;
    std::uint16_t m_port = 0;
};

class Search : public std::enable_shared_from_this<Search> {
public:
    // Each reply that answers this search, with the address it came from.
    using Found = std::function<void(const wire::EnumReply&, const boost::asio::ip::address_v4&)>;
    Search(boost::asio::io_context& io, Found found);
    // Asks every discovery port on each of the addresses.
    bool start(const Options& options, const std::vector<boost::asio::ip::address_v4>& addresses,
               const wire::EnumRequest& request);
    void close();

private:
    void receive();
    boost::asio::ip::udp::socket m_socket;
    Found m_found;
    std::uint32_t m_nonce = 0;
    std::array<std::uint8_t, 512> m_buffer{};
    boost::asio::ip::udp::endpoint m_sender;
};

} // namespace platform::dplay
