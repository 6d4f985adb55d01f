#include "platform/dplay/Wire.h"

#include <cstring>

namespace platform::dplay::wire {
namespace {

class Writer {
public:
    explicit Writer(Bytes& out) : m_out(out) {}
    void u8(std::uint8_t v) { m_out.push_back(v); }
    void u16(std::uint16_t v)
    {
        u8(static_cast<std::uint8_t>(v));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v)
    {
        u16(static_cast<std::uint16_t>(v));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void raw(const void* p, std::size_t n)
    {
        const auto* b = static_cast<const std::uint8_t*>(p);
        m_out.insert(m_out.end(), b, b + n);
    }
    void guid(const GUID& g)
    {
        u32(g.Data1);
        u16(g.Data2);
        u16(g.Data3);
        raw(g.Data4, 8);
    }
    void name(const std::optional<std::string>& s)
    {
        if (!s) {
            u16(kAbsentName);
            return;
        }
        const std::size_t n = std::min(s->size(), kMaxNameBytes);
        u16(static_cast<std::uint16_t>(n));
        raw(s->data(), n);
    }
    void player(const PlayerEntry& p)
    {
        u32(p.id);
        name(p.friendlyName);
        name(p.formalName);
    }

private:
    Bytes& m_out;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> in) : m_in(in) {}
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_ok && m_pos == m_in.size(); }
    std::size_t left() const { return m_in.size() - m_pos; }
    const std::uint8_t* take(std::size_t n)
    {
        if (!m_ok || left() < n) {
            m_ok = false;
            return nullptr;
        }
        const std::uint8_t* p = m_in.data() + m_pos;
        m_pos += n;
        return p;
    }
    std::uint8_t u8()
    {
        const auto* p = take(1);
        return p ? p[0] : 0;
    }
    std::uint16_t u16()
    {
        const auto* p = take(2);
        return p ? static_cast<std::uint16_t>(p[0] | (p[1] << 8)) : 0;
    }
    std::uint32_t u32()
    {
        const auto* p = take(4);
        return p ? static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
                       | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24)
                 : 0;
    }
    GUID guid()
    {
        GUID g{};
        g.Data1 = u32();
        g.Data2 = u16();
        g.Data3 = u16();
        if (const auto* p = take(8))
            std::memcpy(g.Data4, p, 8);
        return g;
    }
    std::optional<std::string> name()
    {
        const std::uint16_t n = u16();
        if (n == kAbsentName)
            return std::nullopt;
        if (n > kMaxNameBytes) {
            m_ok = false;
            return std::nullopt;
        }
        const auto* p = take(n);
        if (!p)
            return std::nullopt;
        std::string s(reinterpret_cast<const char*>(p), n);
        // A name travels as C text on the other side; an embedded terminator would hide its tail.
        if (s.find('\0') != std::string::npos)
            m_ok = false;
        return s;
    }
    PlayerEntry player()
    {
        PlayerEntry p;
        p.id = u32();
        p.friendlyName = name();
        p.formalName = name();
        return p;
    }

private:
    std::span<const std::uint8_t> m_in;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

void putLe32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t getLe32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
           | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

} // namespace

void writeDescription(Bytes& out, const DPSESSIONDESC& d)
{
    Writer w(out);
    w.u32(d.dwSize);
    w.guid(d.guidSession);
    w.u32(d.dwSession);
    w.u32(d.dwMaxPlayers);
    w.u32(d.dwCurrentPlayers);
    w.u32(d.dwFlags);
    w.raw(d.szSessionName, sizeof d.szSessionName);
    w.raw(d.szUserField, sizeof d.szUserField);
    w.u32(d.dwReserved1);
    w.raw(d.szPassword, sizeof d.szPassword);
    w.u32(d.dwReserved2);
    w.u32(d.dwUser1);
    w.u32(d.dwUser2);
    w.u32(d.dwUser3);
    w.u32(d.dwUser4);
}

DPSESSIONDESC readDescription(const std::uint8_t* bytes)
{
    Reader r({bytes, sizeof(DPSESSIONDESC)});
    DPSESSIONDESC d{};
    r.u32(); // the size is ours to say, not the sender's
    d.dwSize = sizeof(DPSESSIONDESC);
    d.guidSession = r.guid();
    d.dwSession = r.u32();
    d.dwMaxPlayers = r.u32();
    d.dwCurrentPlayers = r.u32();
    d.dwFlags = r.u32();
    std::memcpy(d.szSessionName, r.take(sizeof d.szSessionName), sizeof d.szSessionName);
    std::memcpy(d.szUserField, r.take(sizeof d.szUserField), sizeof d.szUserField);
    d.dwReserved1 = r.u32();
    std::memcpy(d.szPassword, r.take(sizeof d.szPassword), sizeof d.szPassword);
    d.dwReserved2 = r.u32();
    d.dwUser1 = r.u32();
    d.dwUser2 = r.u32();
    d.dwUser3 = r.u32();
    d.dwUser4 = r.u32();
    // Texts from outside are always terminated inside their fields.
    d.szSessionName[sizeof d.szSessionName - 1] = '\0';
    d.szUserField[sizeof d.szUserField - 1] = '\0';
    d.szPassword[sizeof d.szPassword - 1] = '\0';
    return d;
}

Bytes encode(const Frame& frame)
{
    Bytes out(4, 0);
    Writer w(out);
    w.u8(kVersion);
    std::visit(Overloaded{
                   [&](const Hello& f) {
                       w.u8(static_cast<std::uint8_t>(FrameType::Hello));
                       w.guid(f.application);
                       w.u32(f.session);
                       w.name(f.password);
                   },
                   [&](const Welcome& f) {
                       w.u8(static_cast<std::uint8_t>(FrameType::Welcome));
                       writeDescription(out, f.description);
                       const auto count = std::min<std::size_t>(f.players.size(), kMaxPlayersInList);
                       w.u32(static_cast<std::uint32_t>(count));
                       for (std::size_t i = 0; i < count; ++i)
                           w.player(f.players[i]);
                   },
                   [&](const Refuse& f) {
                       w.u8(static_cast<std::uint8_t>(FrameType::Refuse));
                       w.u32(static_cast<std::uint32_t>(f.result));
                   },
                   [&](const CreatePlayer& f) {
                       w.u8(static_cast<std::uint8_t>(FrameType::CreatePlayer));
                       w.u32(f.request);
                       w.player(f.player);
                   },
                   [&](const PlayerCreated& f) {
                       w.u8(static_cast<std::uint8_t>(FrameType::PlayerCreated));
                       w.u32(f.request);
                       w.u32(static_cast<std::uint32_t>(f.result));
                       w.u32(f.id);
                   },
                   [&](const AddPlayer& f) {
                       w.u8(static_cast<std::uint8_t>(FrameType::AddPlayer));
                       w.player(f.player);
                   },
                   [&](const DeletePlayer& f) {
                       w.u8(static_cast<std::uint8_t>(FrameType::DeletePlayer));
                       w.u32(f.id);
                   },
                   [&](const Data& f) {
                       w.u8(static_cast<std::uint8_t>(FrameType::Data));
                       w.u32(f.from);
                       w.u32(f.to);
                       w.raw(f.payload.data(), f.payload.size());
                   },
                   [&](const KeepAlive&) { w.u8(static_cast<std::uint8_t>(FrameType::KeepAlive)); },
                   [&](const Bye&) { w.u8(static_cast<std::uint8_t>(FrameType::Bye)); },
                   [&](const PlayerName& f) {
                       w.u8(static_cast<std::uint8_t>(FrameType::PlayerName));
                       w.player(f.player);
                   },
               },
               frame);
    putLe32(out.data(), static_cast<std::uint32_t>(out.size() - 4));
    return out;
}

std::optional<Frame> decodeBody(std::span<const std::uint8_t> body)
{
    Reader r(body);
    if (r.u8() != kVersion)
        return std::nullopt;
    const auto type = static_cast<FrameType>(r.u8());
    if (!r.ok())
        return std::nullopt;
    Frame frame;
    switch (type) {
    case FrameType::Hello: {
        Hello f;
        f.application = r.guid();
        f.session = r.u32();
        auto password = r.name();
        if (!password || password->size() >= DPPASSWORDLEN)
            return std::nullopt;
        f.password = *password;
        frame = f;
        break;
    }
    case FrameType::Welcome: {
        Welcome f;
        const auto* d = r.take(sizeof(DPSESSIONDESC));
        if (!d)
            return std::nullopt;
        f.description = readDescription(d);
        const std::uint32_t count = r.u32();
        if (count > kMaxPlayersInList)
            return std::nullopt;
        for (std::uint32_t i = 0; i < count && r.ok(); ++i)
            f.players.push_back(r.player());
        frame = std::move(f);
        break;
    }
    case FrameType::Refuse: {
        Refuse f;
        f.result = static_cast<HRESULT>(r.u32());
        frame = f;
        break;
    }
    case FrameType::CreatePlayer: {
        CreatePlayer f;
        f.request = r.u32();
        f.player = r.player();
        frame = std::move(f);
        break;
    }
    case FrameType::PlayerCreated: {
        PlayerCreated f;
        f.request = r.u32();
        f.result = static_cast<HRESULT>(r.u32());
        f.id = r.u32();
        frame = f;
        break;
    }
    case FrameType::AddPlayer:
        frame = AddPlayer{r.player()};
        break;
    case FrameType::DeletePlayer:
        frame = DeletePlayer{r.u32()};
        break;
    case FrameType::Data: {
        Data f;
        f.from = r.u32();
        f.to = r.u32();
        if (!r.ok() || r.left() > kMaxMessageSize)
            return std::nullopt;
        const std::size_t n = r.left();
        const auto* p = r.take(n);
        f.payload.assign(p, p + n);
        frame = std::move(f);
        break;
    }
    case FrameType::KeepAlive:
        frame = KeepAlive{};
        break;
    case FrameType::Bye:
        frame = Bye{};
        break;
    case FrameType::PlayerName:
        frame = PlayerName{r.player()};
        break;
    default:
        return std::nullopt;
    }
    // A frame says exactly what it holds: a short one or one with bytes left over is refused.
    if (!r.atEnd())
        return std::nullopt;
    return frame;
}

void FrameReader::feed(std::span<const std::uint8_t> bytes)
{
    if (m_broken)
        return;
    // Drop what has been read before growing, so the buffer stays about one frame long.
    if (m_start > 0 && m_start >= m_buffer.size() / 2) {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_start));
        m_start = 0;
    }
    m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
}

FrameReader::Status FrameReader::next(Frame& out)
{
    if (m_broken)
        return Status::Broken;
    const std::size_t have = m_buffer.size() - m_start;
    if (have < 4)
        return Status::NeedMore;
    const std::uint32_t length = getLe32(m_buffer.data() + m_start);
    if (length < 2 || length > kMaxFrameBody) {
        m_broken = true;
        return Status::Broken;
    }
    if (have - 4 < length)
        return Status::NeedMore;
    auto frame = decodeBody({m_buffer.data() + m_start + 4, length});
    if (!frame) {
        m_broken = true;
        return Status::Broken;
    }
    m_start += 4 + length;
    if (m_start == m_buffer.size()) {
        m_buffer.clear();
        m_start = 0;
    }
    out = std::move(*frame);
    return Status::Ready;
}

// ---- Discovery -----------------------------------------------------------------------------

namespace {
enum : std::uint8_t { kRequestType = 1, kReplyType = 2 };

void header(Writer& w, std::uint8_t type, std::uint32_t nonce)
{
    w.raw(kMagic, sizeof kMagic);
    w.u8(kVersion);
    w.u8(type);
    w.u32(nonce);
}

bool readHeader(Reader& r, std::uint8_t type, std::uint32_t& nonce)
{
    const auto* magic = r.take(sizeof kMagic);
    if (!magic || std::memcmp(magic, kMagic, sizeof kMagic) != 0)
        return false;
    if (r.u8() != kVersion || r.u8() != type)
        return false;
    nonce = r.u32();
    return r.ok();
}
} // namespace

Bytes encodeRequest(const EnumRequest& request)
{
    Bytes out;
    Writer w(out);
    header(w, kRequestType, request.nonce);
    w.guid(request.application);
    out.resize(kDatagramSize, 0);
    return out;
}

Bytes encodeReply(const EnumReply& reply)
{
    Bytes out;
    Writer w(out);
    header(w, kReplyType, reply.nonce);
    w.u16(reply.tcpPort);
    w.u8(reply.acceptingPlayers ? 1 : 0);
    writeDescription(out, reply.description);
    return out;
}

std::optional<EnumRequest> decodeRequest(std::span<const std::uint8_t> datagram)
{
    if (datagram.size() != kDatagramSize)
        return std::nullopt;
    Reader r(datagram);
    EnumRequest request;
    if (!readHeader(r, kRequestType, request.nonce))
        return std::nullopt;
    request.application = r.guid();
    if (!r.ok())
        return std::nullopt;
    return request;
}

std::optional<EnumReply> decodeReply(std::span<const std::uint8_t> datagram)
{
    if (datagram.size() != kDatagramSize)
        return std::nullopt;
    Reader r(datagram);
    EnumReply reply;
    if (!readHeader(r, kReplyType, reply.nonce))
        return std::nullopt;
    reply.tcpPort = r.u16();
    const std::uint8_t accepting = r.u8();
    const auto* d = r.take(sizeof(DPSESSIONDESC));
    if (!d || accepting > 1 || reply.tcpPort == 0)
        return std::nullopt;
    reply.acceptingPlayers = accepting == 1;
    reply.description = readDescription(d);
    return reply;
}

} // namespace platform::dplay::wire
