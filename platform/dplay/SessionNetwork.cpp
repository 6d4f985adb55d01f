// The network thread's half of a session object: links coming and going, frames arriving,
// questions from joiners looking for a session, and the messages queued for Receive.
#include "platform/dplay/DirectPlayObject.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <type_traits>

namespace platform::dplay {

namespace asio = boost::asio;
using asio::ip::tcp;

static_assert(std::endian::native == std::endian::little, "system messages are copied as they lie in memory");

namespace {

void copyName(char* field, std::size_t width, const std::optional<std::string>& name)
{
    std::memset(field, 0, width);
    if (name)
        std::memcpy(field, name->data(), std::min(name->size(), width - 1));
}

template <class Record>
wire::Bytes bytesOf(const Record& record)
{
    wire::Bytes bytes(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
    return bytes;
}

} // namespace

// ---- Accepting joiners and answering questions ---------------------------------------------

void DirectPlayObject::accept(std::shared_ptr<tcp::acceptor> acceptor)
{
    acceptor->async_accept([this, acceptor](const boost::system::error_code& error, tcp::socket socket) {
        if (!acceptor->is_open() || error == asio::error::operation_aborted)
            return;
        if (!error) {
            std::shared_ptr<Connection> link;
            {
                std::lock_guard lock(m_mutex);
                if (m_role == Role::Host && m_links.size() < kMaxLinks && !m_shuttingDown) {
                    link = std::make_shared<Connection>(std::move(socket), static_cast<Connection::Owner&>(*this),
                                                        Connection::Timing{m_options.keepAlive, m_options.lossAfter},
                                                        m_nextLink++);
                    m_links[link->id()] = link;
                }
            }
            if (link)
                link->start();
            else {
                boost::system::error_code ignored;
                socket.close(ignored);
            }
        }
        accept(acceptor);
    });
}

std::optional<wire::EnumReply> DirectPlayObject::answer(const wire::EnumRequest& request)
{
    std::lock_guard lock(m_mutex);
    // Only a joiner of the same application hears of this session.
    if (m_role != Role::Host || request.application != m_description.guidSession)
        return std::nullopt;
    wire::EnumReply reply;
    reply.nonce = request.nonce;
    reply.tcpPort = m_tcpPort;
    reply.description = m_description;
    std::memset(reply.description.szPassword, 0, DPPASSWORDLEN);
    reply.acceptingPlayers = acceptsJoiners();
    return reply;
}

void DirectPlayObject::onFound(const wire::EnumReply& reply, const asio::ip::address_v4& from)
{
    std::lock_guard lock(m_mutex);
    const DPSESSIONDESC& description = reply.description;
    if (m_searchNonce == 0 || reply.nonce != m_searchNonce || description.guidSession != m_searchApplication
        || description.dwSession == 0)
        return;
    const bool full = description.dwMaxPlayers != 0 && description.dwCurrentPlayers >= description.dwMaxPlayers;
    if (!m_searchAll && (full || !reply.acceptingPlayers))
        return;
    // A host asked on several addresses answers several times; the caller hears of it once.
    if (!m_searchSeen.insert(description.dwSession).second)
        return;
    m_found[description.dwSession] = FoundSession{description, from, reply.tcpPort};
    m_searchResults.push_back(description);
    m_changed.notify_all();
}

// ---- Frames --------------------------------------------------------------------------------

bool DirectPlayObject::canTakeMore()
{
    std::lock_guard lock(m_mutex);
    if (queueFull()) {
        m_readingPaused = true;
        return false;
    }
    return true;
}

void DirectPlayObject::onFrame(Connection& connection, wire::Frame&& frame)
{
    bool keep = true;
    {
        std::lock_guard lock(m_mutex);
        if (m_shuttingDown)
            return;
        if (m_role == Role::Host)
            keep = hostFrame(connection, frame);
        else if (connection.id() == m_hostLink && (m_role == Role::Joiner || m_joinState == JoinState::Waiting))
            keep = joinerFrame(connection, frame);
        // Otherwise the session is closing: whatever still arrives is of no interest.
    }
    if (!keep)
        connection.close();
}

bool DirectPlayObject::hostHello(Connection& link, const wire::Hello& hello)
{
    HRESULT refusal = DP_OK;
    if (hello.application != m_description.guidSession || hello.session != m_description.dwSession)
        refusal = DPERR_NOSESSIONS;
    else if (hello.password != std::string(m_description.szPassword, strnlen(m_description.szPassword, DPPASSWORDLEN)))
        refusal = DPERR_ACCESSDENIED;
    else if (!acceptsJoiners())
        refusal = DPERR_CANTADDPLAYER;
    if (refusal != DP_OK) {
        link.send(wire::encode(wire::Refuse{refusal}));
        link.closeAfterFlush();
        return true;
    }
    m_joined.insert(link.id());
    wire::Welcome welcome;
    welcome.description = m_description;
    std::memset(welcome.description.szPassword, 0, DPPASSWORDLEN);
    for (const auto& [id, player] : m_players)
        welcome.players.push_back({id, player.friendlyName, player.formalName});
    link.send(wire::encode(welcome));
    return true;
}

bool DirectPlayObject::hostFrame(Connection& link, wire::Frame& frame)
{
    if (m_joined.count(link.id()) == 0) {
        // Before the welcome a joiner may only say which session it wants.
        const auto* hello = std::get_if<wire::Hello>(&frame);
        return hello != nullptr && hostHello(link, *hello);
    }
    const auto owned = [&](DPID id) {
        const auto it = m_players.find(id);
        return it != m_players.end() && !it->second.local && it->second.link == link.id();
    };
    return std::visit(
        [&](auto& f) -> bool {
            using F = std::decay_t<decltype(f)>;
            if constexpr (std::is_same_v<F, wire::CreatePlayer>) {
                wire::PlayerCreated reply{f.request, DP_OK, 0};
                if (!m_newPlayersEnabled || m_players.size() >= m_description.dwMaxPlayers) {
                    reply.result = DPERR_CANTADDPLAYER;
                } else {
                    const DPID id = m_nextId++;
                    Player player{f.player.friendlyName, f.player.formalName, false, link.id()};
                    m_players[id] = player;
                    updateCurrentPlayers();
                    queueAddPlayer(id, player);
                    const auto added = wire::encode(wire::AddPlayer{{id, player.friendlyName, player.formalName}});
                    for (auto& other : joinedLinks(link.id()))
                        other->send(added);
                    reply.id = id;
                }
                link.send(wire::encode(reply));
                return true;
            } else if constexpr (std::is_same_v<F, wire::DeletePlayer>) {
                if (m_players.count(f.id) == 0)
                    return true; // gone already
                if (!owned(f.id))
                    return false; // nobody removes another's player
                m_players.erase(f.id);
                updateCurrentPlayers();
                queueDeletePlayer(f.id);
                const auto deleted = wire::encode(wire::DeletePlayer{f.id});
                for (auto& other : joinedLinks(link.id()))
                    other->send(deleted);
                return true;
            } else if constexpr (std::is_same_v<F, wire::Data>) {
                // A joiner speaks only for its own players, and never as the system.
                if (f.from == DPID_ALLPLAYERS || !owned(f.from))
                    return false;
                if (f.to == DPID_ALLPLAYERS) {
                    const auto relayed = wire::encode(f);
                    for (auto& other : joinedLinks(link.id()))
                        other->send(relayed);
                    queueMessage(f.from, f.to, std::move(f.payload));
                    return true;
                }
                const auto to = m_players.find(f.to);
                if (to == m_players.end())
                    return true; // left meanwhile
                if (to->second.local)
                    queueMessage(f.from, f.to, std::move(f.payload));
                else if (to->second.link != link.id())
                    if (auto owner = this->link(to->second.link))
                        owner->send(wire::encode(f));
                return true;
            } else if constexpr (std::is_same_v<F, wire::PlayerName>) {
                if (!owned(f.player.id))
                    return false;
                Player& player = m_players[f.player.id];
                player.friendlyName = f.player.friendlyName;
                player.formalName = f.player.formalName;
                const auto renamed = wire::encode(f);
                for (auto& other : joinedLinks(link.id()))
                    other->send(renamed);
                return true;
            } else if constexpr (std::is_same_v<F, wire::KeepAlive>) {
                return true;
            } else {
                // Bye, or something only a host may say: the link ends, its players leave.
                return false;
            }
        },
        frame);
}

bool DirectPlayObject::joinerFrame(Connection& link, wire::Frame& frame)
{
    (void)link;
    if (m_joinState == JoinState::Waiting) {
        if (auto* welcome = std::get_if<wire::Welcome>(&frame)) {
            if (welcome->description.dwSession == 0)
                return false;
            std::map<DPID, Player> players;
            for (const auto& entry : welcome->players) {
                if (entry.id == DPID_ALLPLAYERS || !players.emplace(entry.id, Player{entry.friendlyName, entry.formalName, false, 0}).second)
                    return false;
            }
            m_description = welcome->description;
            m_players = std::move(players);
            m_role = Role::Joiner;
            m_joinState = JoinState::Welcomed;
            m_changed.notify_all();
            return true;
        }
        if (auto* refuse = std::get_if<wire::Refuse>(&frame)) {
            m_joinState = JoinState::Failed;
            m_joinResult = refuse->result < 0 ? refuse->result : DPERR_GENERIC;
            m_changed.notify_all();
        }
        return false;
    }
    return std::visit(
        [&](auto& f) -> bool {
            using F = std::decay_t<decltype(f)>;
            if constexpr (std::is_same_v<F, wire::PlayerCreated>) {
                auto pending = m_creates.find(f.request);
                if (f.result == DP_OK) {
                    if (f.id == DPID_ALLPLAYERS || m_players.count(f.id) != 0)
                        return false;
                    if (pending == m_creates.end()) {
                        // Asked for, then given up on: hand the player back.
                        if (auto host = this->link(m_hostLink))
                            host->send(wire::encode(wire::DeletePlayer{f.id}));
                        return true;
                    }
                    // Known before CreatePlayer returns, so a message to it is never lost.
                    m_players[f.id] = Player{pending->second.entry.friendlyName, pending->second.entry.formalName, true, 0};
                    updateCurrentPlayers();
                }
                if (pending != m_creates.end()) {
                    pending->second.reply = f;
                    m_changed.notify_all();
                }
                return true;
            } else if constexpr (std::is_same_v<F, wire::AddPlayer>) {
                if (f.player.id == DPID_ALLPLAYERS || m_players.count(f.player.id) != 0)
                    return false;
                Player player{f.player.friendlyName, f.player.formalName, false, 0};
                m_players[f.player.id] = player;
                updateCurrentPlayers();
                queueAddPlayer(f.player.id, player);
                return true;
            } else if constexpr (std::is_same_v<F, wire::DeletePlayer>) {
                const auto it = m_players.find(f.id);
                if (it == m_players.end())
                    return true;
                if (it->second.local)
                    return false;
                m_players.erase(it);
                updateCurrentPlayers();
                queueDeletePlayer(f.id);
                return true;
            } else if constexpr (std::is_same_v<F, wire::Data>) {
                const auto from = m_players.find(f.from);
                if (f.from == DPID_ALLPLAYERS || from == m_players.end() || from->second.local)
                    return false;
                if (f.to != DPID_ALLPLAYERS && !isLocal(f.to))
                    return true; // destroyed meanwhile
                queueMessage(f.from, f.to, std::move(f.payload));
                return true;
            } else if constexpr (std::is_same_v<F, wire::PlayerName>) {
                const auto it = m_players.find(f.player.id);
                if (it == m_players.end())
                    return true;
                if (it->second.local)
                    return false;
                it->second.friendlyName = f.player.friendlyName;
                it->second.formalName = f.player.formalName;
                return true;
            } else if constexpr (std::is_same_v<F, wire::KeepAlive>) {
                return true;
            } else {
                return false; // Bye, or something a host never sends once joined
            }
        },
        frame);
}

void DirectPlayObject::onClosed(Connection& connection)
{
    std::lock_guard lock(m_mutex);
    const std::uint64_t id = connection.id();
    m_links.erase(id);
    const bool wasJoined = m_joined.erase(id) > 0;
    if (!m_shuttingDown) {
        if (m_role == Role::Host && wasJoined) {
            removeLinkPlayers(id);
        } else if (id == m_hostLink) {
            m_hostLink = 0;
            if (m_joinState == JoinState::Waiting) {
                m_joinState = JoinState::Failed;
                m_joinResult = DPERR_NOCONNECTION;
            } else if (m_role == Role::Joiner) {
                m_role = Role::Lost;
                std::erase_if(m_players, [](const auto& p) { return !p.second.local; });
                updateCurrentPlayers();
                queueSessionLost();
            }
        }
    }
    m_changed.notify_all();
}

void DirectPlayObject::removeLinkPlayers(std::uint64_t link)
{
    std::vector<DPID> gone;
    for (const auto& [id, player] : m_players)
        if (!player.local && player.link == link)
            gone.push_back(id);
    for (DPID id : gone) {
        m_players.erase(id);
        queueDeletePlayer(id);
        const auto deleted = wire::encode(wire::DeletePlayer{id});
        for (auto& other : joinedLinks())
            other->send(deleted);
    }
    updateCurrentPlayers();
}

// ---- Helpers, with m_mutex held ------------------------------------------------------------

void DirectPlayObject::queueMessage(DPID from, DPID to, wire::Bytes bytes)
{
    m_queuedBytes += bytes.size();
    m_queue.push_back(Message{from, to, std::move(bytes)});
    m_changed.notify_all();
}

void DirectPlayObject::queueAddPlayer(DPID id, const Player& player)
{
    DPMSG_ADDPLAYER record{};
    record.dwType = DPSYS_ADDPLAYER;
    record.dwPlayerType = DPPLAYERTYPE_PLAYER;
    record.dpId = id;
    copyName(record.szLongName, DPLONGNAMELEN, player.formalName);
    copyName(record.szShortName, DPSHORTNAMELEN, player.friendlyName);
    record.dwCurrentPlayers = static_cast<DWORD>(m_players.size());
    queueMessage(DPID_ALLPLAYERS, DPID_ALLPLAYERS, bytesOf(record));
}

void DirectPlayObject::queueDeletePlayer(DPID id)
{
    queueMessage(DPID_ALLPLAYERS, DPID_ALLPLAYERS, bytesOf(DPMSG_DELETEPLAYER{DPSYS_DELETEPLAYER, id}));
}

void DirectPlayObject::queueSessionLost()
{
    queueMessage(DPID_ALLPLAYERS, DPID_ALLPLAYERS, bytesOf(DPMSG_GENERIC{DPSYS_SESSIONLOST}));
}

std::vector<std::shared_ptr<Connection>> DirectPlayObject::joinedLinks(std::uint64_t except) const
{
    std::vector<std::shared_ptr<Connection>> links;
    for (std::uint64_t id : m_joined)
        if (id != except)
            if (auto found = link(id))
                links.push_back(found);
    return links;
}

std::shared_ptr<Connection> DirectPlayObject::link(std::uint64_t id) const
{
    const auto it = m_links.find(id);
    return it == m_links.end() ? nullptr : it->second;
}

bool DirectPlayObject::isLocal(DPID id) const
{
    const auto it = m_players.find(id);
    return it != m_players.end() && it->second.local;
}

bool DirectPlayObject::queueFull() const
{
    return m_queue.size() >= kMaxQueuedMessages || m_queuedBytes >= kMaxQueuedBytes;
}

bool DirectPlayObject::acceptsJoiners() const
{
    // Until the host has made its own player nobody may join: players are numbered in the
    // order they are made, and the host's player is always number 1.
    return m_newPlayersEnabled && !m_players.empty() && m_players.size() < m_description.dwMaxPlayers;
}

void DirectPlayObject::updateCurrentPlayers()
{
    m_description.dwCurrentPlayers = static_cast<DWORD>(m_players.size());
}

} // namespace platform::dplay
