// A host facing a peer that does not follow the rules: raw sockets on loopback play the peer.
#include "SessionHelpers.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ip/udp.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/write.hpp>

#include <gtest/gtest.h>

#include <poll.h>

#include <thread>

using namespace dplaytest;
namespace asio = boost::asio;
using asio::ip::tcp;
using asio::ip::udp;

namespace {

// Waits for bytes (or a hang-up) so that a host that misbehaves fails the test, not hangs it.
bool readable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 5000) == 1;
}

struct RawPeer {
    asio::io_context io;
    tcp::socket socket{io};
    DWORD session = 0;
    bool timedOut = false;

    // Finds the host the way a joiner does, then connects.
    void connect(const Options& options, const GUID& application)
    {
        udp::socket ask(io, udp::endpoint(udp::v4(), 0));
        const auto request = wire::encodeRequest({4242, application});
        for (std::uint16_t i = 0; i < options.discoveryPortCount; ++i)
            ask.send_to(asio::buffer(request),
                        udp::endpoint(asio::ip::make_address_v4("127.0.0.1"), static_cast<std::uint16_t>(options.discoveryPort + i)));
        std::array<std::uint8_t, 512> buffer{};
        udp::endpoint from;
        ASSERT_TRUE(readable(ask.native_handle())) << "the host never answered";
        const auto n = ask.receive_from(asio::buffer(buffer), from);
        const auto reply = wire::decodeReply({buffer.data(), n});
        ASSERT_TRUE(reply);
        session = reply->description.dwSession;
        socket.connect(tcp::endpoint(asio::ip::make_address_v4("127.0.0.1"), reply->tcpPort));
    }
    void write(const wire::Bytes& bytes) { asio::write(socket, asio::buffer(bytes)); }
    void write(const wire::Frame& frame) { write(wire::encode(frame)); }
    // The next frame from the host; nullopt when it has hung up.
    std::optional<wire::Frame> read()
    {
        std::array<std::uint8_t, 4> length{};
        boost::system::error_code error;
        if (!readable(socket.native_handle())) {
            timedOut = true;
            return std::nullopt;
        }
        asio::read(socket, asio::buffer(length), error);
        if (error)
            return std::nullopt;
        std::uint32_t n = 0;
        std::memcpy(&n, length.data(), 4);
        wire::Bytes body(n);
        asio::read(socket, asio::buffer(body), error);
        if (error)
            return std::nullopt;
        return wire::decodeBody(body);
    }
    // Reads until the host hangs up; true if it did.
    bool hungUp()
    {
        for (int i = 0; i < 1000; ++i)
            if (!read())
                return !timedOut;
        return false;
    }
    // Joins as a proper peer would and returns the new player's id.
    DPID joinAndCreatePlayer(const GUID& application)
    {
        write(wire::Hello{application, session, ""});
        auto welcome = read();
        EXPECT_TRUE(welcome && std::holds_alternative<wire::Welcome>(*welcome));
        write(wire::CreatePlayer{1, {0, "Mallory", "Mallory"}});
        auto created = read();
        EXPECT_TRUE(created && std::holds_alternative<wire::PlayerCreated>(*created));
        return created ? std::get<wire::PlayerCreated>(*created).id : 0;
    }
};

struct Host {
    Options options = fastOptions(portsForThisProcess());
    GUID application = randomGuid();
    Dp dp = makeDp(options);
    Host()
    {
        auto d = description(application, DPOPEN_CREATESESSION, "Alice");
        EXPECT_EQ(dp->Open(&d), DP_OK);
        DPID id = 0;
        char name[] = "Alice";
        EXPECT_EQ(dp->CreatePlayer(&id, name, name, nullptr), DP_OK);
    }
    // Every message the host holds: here only system messages may ever appear from id 0.
    std::vector<Received> drain(std::chrono::milliseconds limit)
    {
        std::vector<Received> all;
        while (auto r = receive(*dp, limit))
            all.push_back(*r);
        return all;
    }
};

} // namespace

TEST(HostilePeer, SendingAsTheSystemGetsThePeerCutOff)
{
    Host host;
    RawPeer peer;
    peer.connect(host.options, host.application);
    const DPID mallory = peer.joinAndCreatePlayer(host.application);
    ASSERT_EQ(mallory, 2u);
    DPMSG_GENERIC fake{DPSYS_SESSIONLOST};
    wire::Bytes payload(sizeof fake);
    std::memcpy(payload.data(), &fake, sizeof fake);
    peer.write(wire::Data{DPID_ALLPLAYERS, 1, payload});
    EXPECT_TRUE(peer.hungUp());
    auto got = host.drain(std::chrono::milliseconds(300));
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].type(), DPSYS_ADDPLAYER);
    EXPECT_EQ(got[1].type(), DPSYS_DELETEPLAYER);
    EXPECT_EQ(systemPlayerId(got[1]), mallory);
}

TEST(HostilePeer, SpeakingForAnotherPlayerGetsThePeerCutOff)
{
    Host host;
    RawPeer peer;
    peer.connect(host.options, host.application);
    peer.joinAndCreatePlayer(host.application);
    peer.write(wire::Data{1, 1, {'M', 'a', '1'}});
    EXPECT_TRUE(peer.hungUp());
    for (const auto& r : host.drain(std::chrono::milliseconds(300)))
        EXPECT_EQ(r.from, 0u) << "no player message gets through";
}

TEST(HostilePeer, GarbageIsRefusedAndTheSessionGoesOn)
{
    Host host;
    {
        RawPeer peer;
        peer.connect(host.options, host.application);
        peer.write(wire::Bytes{0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3});
        EXPECT_TRUE(peer.hungUp());
    }
    {
        RawPeer peer;
        peer.connect(host.options, host.application);
        peer.write(wire::Data{2, 1, {'x'}}); // talking before saying hello
        EXPECT_TRUE(peer.hungUp());
    }
    RawPeer honest;
    honest.connect(host.options, host.application);
    EXPECT_EQ(honest.joinAndCreatePlayer(host.application), 2u);
}

TEST(HostilePeer, AWrongSessionNumberIsRefusedByName)
{
    Host host;
    RawPeer peer;
    peer.connect(host.options, host.application);
    peer.write(wire::Hello{host.application, peer.session + 1, ""});
    auto answer = peer.read();
    ASSERT_TRUE(answer && std::holds_alternative<wire::Refuse>(*answer));
    EXPECT_EQ(std::get<wire::Refuse>(*answer).result, DPERR_NOSESSIONS);
    EXPECT_TRUE(peer.hungUp());
}

TEST(HostilePeer, ASilentPeerIsFoundByKeepAlives)
{
    Host host;
    RawPeer peer;
    peer.connect(host.options, host.application);
    const DPID mallory = peer.joinAndCreatePlayer(host.application);
    auto added = receive(*host.dp);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->type(), DPSYS_ADDPLAYER);
    // The peer keeps its socket open but says nothing more.
    const auto started = std::chrono::steady_clock::now();
    auto gone = receive(*host.dp, std::chrono::seconds(5));
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->type(), DPSYS_DELETEPLAYER);
    EXPECT_EQ(systemPlayerId(*gone), mallory);
    EXPECT_GE(std::chrono::steady_clock::now() - started, host.options.lossAfter / 2);
}

TEST(HostilePeer, AHostSendingAsTheSystemLosesTheSession)
{
    const Options options = fastOptions(portsForThisProcess());
    const GUID application = randomGuid();
    asio::io_context io;
    tcp::acceptor acceptor(io, tcp::endpoint(asio::ip::make_address_v4("127.0.0.1"), 0));
    udp::socket answers(io);
    answers.open(udp::v4());
    boost::system::error_code bound = asio::error::address_in_use;
    for (std::uint16_t i = 0; bound && i < options.discoveryPortCount; ++i)
        answers.bind(udp::endpoint(asio::ip::make_address_v4("127.0.0.1"), static_cast<std::uint16_t>(options.discoveryPort + i)), bound);
    ASSERT_FALSE(bound);

    // A fake host on its own thread: answers one question, welcomes, then forges a system message.
    std::thread fake([&] {
        std::array<std::uint8_t, 512> buffer{};
        udp::endpoint asker;
        if (!readable(answers.native_handle()))
            return;
        const auto n = answers.receive_from(asio::buffer(buffer), asker);
        const auto request = wire::decodeRequest({buffer.data(), n});
        if (!request)
            return;
        wire::EnumReply reply;
        reply.nonce = request->nonce;
        reply.tcpPort = acceptor.local_endpoint().port();
        reply.acceptingPlayers = true;
        reply.description = description(application, 0, "Eve");
        reply.description.dwSession = 99;
        reply.description.dwCurrentPlayers = 1;
        answers.send_to(asio::buffer(wire::encodeReply(reply)), asker);
        if (!readable(acceptor.native_handle()))
            return;
        tcp::socket peer = acceptor.accept();
        wire::Welcome welcome;
        welcome.description = reply.description;
        welcome.players = {{1, "Eve", "Eve"}};
        asio::write(peer, asio::buffer(wire::encode(welcome)));
        DPMSG_GENERIC forged{DPSYS_DELETEPLAYER};
        wire::Bytes payload(sizeof forged);
        std::memcpy(payload.data(), &forged, sizeof forged);
        asio::write(peer, asio::buffer(wire::encode(wire::Data{DPID_ALLPLAYERS, DPID_ALLPLAYERS, payload})));
        readable(peer.native_handle()); // until the joiner hangs up
    });

    Dp joiner = makeDp(options);
    auto found = findSessions(*joiner, application, 1500, true);
    ASSERT_EQ(found.sessions.size(), 1u);
    auto d = description(application, DPOPEN_OPENSESSION);
    d.dwSession = 99;
    EXPECT_EQ(joiner->Open(&d), DP_OK);
    auto lost = receive(*joiner);
    ASSERT_TRUE(lost);
    EXPECT_EQ(lost->type(), DPSYS_SESSIONLOST) << "the forged message never arrives";
    EXPECT_EQ(lost->bytes.size(), sizeof(DPMSG_GENERIC));
    EXPECT_FALSE(receive(*joiner, std::chrono::milliseconds(50)));
    fake.join();
}
