#pragma once
// What travels between two copies of the library: framed, versioned records over TCP for a
// session, and fixed-size datagrams over UDP for finding sessions. Every decoder checks each
// length against what is left, so a hostile peer can only make a frame be refused.
#include "platform/dplay/DPlay.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace platform::dplay::wire {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kVersion = 1;
// The largest message a player can send; DPCAPS reports it as dwMaxBufferSize.
inline constexpr std::uint32_t kMaxMessageSize = 65536;
// A frame body is version, type and payload; nothing larger is ever read.
inline constexpr std::uint32_t kMaxFrameBody = 2 + 8 + kMaxMessageSize;
inline constexpr std::size_t kMaxNameBytes = 255;
inline constexpr std::uint32_t kMaxPlayersInList = 100;
inline constexpr std::uint16_t kAbsentName = 0xFFFF;
// A welcome with every player and the longest names still fits one frame.
static_assert(2 + sizeof(DPSESSIONDESC) + 4 + kMaxPlayersInList * (4 + 2 * (2 + kMaxNameBytes)) <= kMaxFrameBody);

enum class FrameType : std::uint8_t {
    Hello = 1,         // joiner -> host: which session, with which password
    Welcome = 2,       // host -> joiner: the session description and every player
    Refuse = 3,        // host -> joiner: why not, then the host hangs up
    CreatePlayer = 4,  // joiner -> host: please give my new player an id
    PlayerCreated = 5, // host -> joiner: the id, or why not
    AddPlayer = 6,     // host -> peers: a player arrived
    DeletePlayer = 7,  // either way: a player left
    Data = 8,          // either way: one player message
    KeepAlive = 9,     // either way: still here
    Bye = 10,          // either way: leaving on purpose
    PlayerName = 11,   // either way: a player's names changed
};

struct PlayerEntry {
    DPID id = 0;
    std::optional<std::string> friendlyName;
    std::optional<std::string> formalName;
    bool operator==(const PlayerEntry&) const = default;
};

struct Hello {
    GUID application{};
    DWORD session = 0;
    std::string password;
};
struct Welcome {
    DPSESSIONDESC description{};
    std::vector<PlayerEntry> players;
};
struct Refuse {
    HRESULT result = 0;
};
struct CreatePlayer {
    std::uint32_t request = 0;
    PlayerEntry player; // id unused
};
struct PlayerCreated {
    std::uint32_t request = 0;
    HRESULT result = 0;
    DPID id = 0;
};
struct AddPlayer {
    PlayerEntry player;
};
struct DeletePlayer {
    DPID id = 0;
};
struct Data {
    DPID from = 0;
    DPID to = 0;
    Bytes payload;
};
struct KeepAlive {};
struct Bye {};
struct PlayerName {
    PlayerEntry player;
};

using Frame = std::variant<Hello, Welcome, Refuse, CreatePlayer, PlayerCreated, AddPlayer, DeletePlayer, Data,
                           KeepAlive, Bye, PlayerName>;

// The whole frame with its length prefix, ready to write.
Bytes encode(const Frame& frame);
// One frame body (version, type, payload), without the length prefix. nullopt: refused.
std::optional<Frame> decodeBody(std::span<const std::uint8_t> body);

// Cuts a byte stream into frame bodies. Once it has refused something it stays broken.
class FrameReader {
public:
    enum class Status { NeedMore, Ready, Broken };
    void feed(std::span<const std::uint8_t> bytes);
    // Ready: `out` holds the next frame. NeedMore: wait for bytes. Broken: hang up.
    Status next(Frame& out);
    bool broken() const { return m_broken; }

private:
    Bytes m_buffer;
    std::size_t m_start = 0;
    bool m_broken = false;
};

// ---- Discovery datagrams -------------------------------------------------------------------
inline constexpr char kMagic[4] = {'T', 'D', 'P', 'E'};
inline constexpr std::size_t kDatagramSize = 4 + 1 + 1 + 4 + 2 + 1 + sizeof(DPSESSIONDESC);

struct EnumRequest {
    std::uint32_t nonce = 0;
    GUID application{};
};
struct EnumReply {
    std::uint32_t nonce = 0;
    std::uint16_t tcpPort = 0;
    bool acceptingPlayers = false;
    DPSESSIONDESC description{};
};

// A request is padded to the size of a reply, so an answer is never larger than the question.
Bytes encodeRequest(const EnumRequest& request);
Bytes encodeReply(const EnumReply& reply);
std::optional<EnumRequest> decodeRequest(std::span<const std::uint8_t> datagram);
std::optional<EnumReply> decodeReply(std::span<const std::uint8_t> datagram);

// Session descriptions as little-endian bytes, whatever the machine.
void writeDescription(Bytes& out, const DPSESSIONDESC& description);
DPSESSIONDESC readDescription(const std::uint8_t* bytes);

} // namespace platform::dplay::wire
