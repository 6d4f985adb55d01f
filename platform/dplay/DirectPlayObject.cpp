#include "platform/dplay/DirectPlayObject.h"

#include <boost/asio/post.hpp>

#include <algorithm>
#include <cstring>
#include <new>

namespace platform::dplay {

namespace asio = boost::asio;

namespace {

std::optional<std::string> nameFrom(const char* text)
{
    if (text == nullptr)
        return std::nullopt;
    return std::string(text, strnlen(text, wire::kMaxNameBytes));
}

} // namespace

DirectPlayObject* DirectPlayObject::create(const Options& options)
{
    return new (std::nothrow) DirectPlayObject(options);
}

DirectPlayObject::DirectPlayObject(const Options& options)
    : m_options(options), m_lastSearch(options.lastSearch), m_work(asio::make_work_guard(m_io)), m_random(std::random_device{}())
{
    m_thread = std::thread([this] { m_io.run(); });
}

DirectPlayObject::~DirectPlayObject()
{
    Close();
    m_shuttingDown = true;
    runOnIo([this] {
        if (m_acceptor) {
            boost::system::error_code ignored;
            m_acceptor->close(ignored);
        }
        if (m_responder)
            m_responder->close();
        if (m_search)
            m_search->close();
        std::map<std::uint64_t, std::shared_ptr<Connection>> links;
        {
            std::lock_guard lock(m_mutex);
            links.swap(m_links);
        }
        for (auto& [id, link] : links)
            link->close(true);
    });
    m_work.reset();
    m_thread.join();
}

HRESULT DirectPlayObject::QueryInterface(com::REFIID riid, void** ppvObject)
{
    if (ppvObject == nullptr)
        return com::E_POINTER;
    if (riid == com::IID_IUnknown || riid == IID_IDirectPlay) {
        *ppvObject = static_cast<IDirectPlay*>(this);
        AddRef();
        return com::S_OK;
    }
    *ppvObject = nullptr;
    return com::E_NOINTERFACE;
}

com::ULONG DirectPlayObject::AddRef()
{
    return ++m_refs;
}

com::ULONG DirectPlayObject::Release()
{
    const com::ULONG left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

std::uint32_t DirectPlayObject::randomNonZero()
{
    std::uniform_int_distribution<std::uint32_t> pick(1, 0xFFFFFFFFu);
    return pick(m_random);
}

void DirectPlayObject::post(std::shared_ptr<Connection> link, wire::Bytes frame)
{
    asio::post(m_io, [link = std::move(link), frame = std::move(frame)]() mutable { link->send(std::move(frame)); });
}

void DirectPlayObject::postToOthers(const wire::Bytes& frame)
{
    if (m_role == Role::Host) {
        for (auto& link : joinedLinks())
            post(link, frame);
    } else if (auto host = link(m_hostLink)) {
        post(host, frame);
    }
}

// ---- Players -------------------------------------------------------------------------------

HRESULT DirectPlayObject::CreatePlayer(LPDPID lppidID, LPSTR lpPlayerFriendlyName, LPSTR lpPlayerFormalName,
                                       LPHANDLE)
{
    if (lppidID == nullptr)
        return DPERR_INVALIDPARAM;
    Player player{nameFrom(lpPlayerFriendlyName), nameFrom(lpPlayerFormalName), true, 0};
    Lock lock(m_mutex);
    if (m_role == Role::Host) {
        if (m_players.size() >= m_description.dwMaxPlayers)
            return DPERR_CANTADDPLAYER;
        const DPID id = m_nextId++;
        m_players[id] = player;
        updateCurrentPlayers();
        // Everyone else hears of the new player; its creator does not.
        const auto frame = wire::encode(wire::AddPlayer{{id, player.friendlyName, player.formalName}});
        for (auto& link : joinedLinks())
            post(link, frame);
        *lppidID = id;
        return DP_OK;
    }
    if (m_role != Role::Joiner)
        return DPERR_NOCONNECTION;
    const std::uint32_t request = m_nextRequest++;
    m_creates[request] = PendingCreate{{0, player.friendlyName, player.formalName}, std::nullopt};
    auto host = link(m_hostLink);
    if (!host) {
        m_creates.erase(request);
        return DPERR_NOCONNECTION;
    }
    post(host, wire::encode(wire::CreatePlayer{request, {0, player.friendlyName, player.formalName}}));
    m_changed.wait_for(lock, m_options.lossAfter, [&] {
        auto it = m_creates.find(request);
        return it == m_creates.end() || it->second.reply.has_value() || m_role != Role::Joiner;
    });
    auto it = m_creates.find(request);
    if (it == m_creates.end() || m_role != Role::Joiner) {
        m_creates.erase(request);
        return DPERR_NOCONNECTION;
    }
    if (!it->second.reply) {
        // A late answer finds no request and gives the player back.
        m_creates.erase(it);
        return DPERR_TIMEOUT;
    }
    const wire::PlayerCreated reply = *it->second.reply;
    m_creates.erase(it);
    if (reply.result != DP_OK)
        return reply.result;
    *lppidID = reply.id;
    return DP_OK;
}

HRESULT DirectPlayObject::DestroyPlayer(DPID pidID)
{
    std::lock_guard lock(m_mutex);
    if (m_role != Role::Host && m_role != Role::Joiner)
        return DPERR_NOCONNECTION;
    if (!isLocal(pidID))
        return DPERR_INVALIDPLAYER;
    m_players.erase(pidID);
    updateCurrentPlayers();
    const auto frame = wire::encode(wire::DeletePlayer{pidID});
    postToOthers(frame);
    return DP_OK;
}

HRESULT DirectPlayObject::SetPlayerName(DPID pidID, LPSTR lpPlayerFriendlyName, LPSTR lpPlayerFormalName)
{
    std::lock_guard lock(m_mutex);
    if (m_role != Role::Host && m_role != Role::Joiner)
        return DPERR_NOCONNECTION;
    if (!isLocal(pidID))
        return DPERR_INVALIDPLAYER;
    Player& player = m_players[pidID];
    player.friendlyName = nameFrom(lpPlayerFriendlyName);
    player.formalName = nameFrom(lpPlayerFormalName);
    const auto frame = wire::encode(wire::PlayerName{{pidID, player.friendlyName, player.formalName}});
    postToOthers(frame);
    return DP_OK;
}

HRESULT DirectPlayObject::EnableNewPlayers(BOOL bEnable)
{
    std::lock_guard lock(m_mutex);
    if (m_role == Role::Joiner)
        return DPERR_ACCESSDENIED; // only the name server decides who may join
    if (m_role != Role::Host)
        return DPERR_NOCONNECTION;
    m_newPlayersEnabled = bEnable != 0;
    return DP_OK;
}

HRESULT DirectPlayObject::EnumPlayers(DWORD, LPDPENUMPLAYERSCALLBACK lpEnumPlayersCallback, LPVOID lpContext,
                                      DWORD dwFlags)
{
    if (lpEnumPlayersCallback == nullptr)
        return DPERR_INVALIDPARAM;
    if ((dwFlags & DPENUMPLAYERS_SESSION) != 0)
        return DPERR_UNSUPPORTED; // players of a session not joined are not asked for
    std::vector<std::pair<DPID, Player>> players;
    {
        std::lock_guard lock(m_mutex);
        if (m_role == Role::None)
            return DPERR_NOCONNECTION;
        for (const auto& [id, player] : m_players) {
            if ((dwFlags & DPENUMPLAYERS_LOCAL) != 0 && !player.local)
                continue;
            if ((dwFlags & DPENUMPLAYERS_REMOTE) != 0 && player.local)
                continue;
            players.emplace_back(id, player);
        }
    }
    for (auto& [id, player] : players) {
        std::string friendly = player.friendlyName.value_or("");
        std::string formal = player.formalName.value_or("");
        if (!lpEnumPlayersCallback(id, player.friendlyName ? friendly.data() : nullptr,
                                   player.formalName ? formal.data() : nullptr,
                                   player.local ? DPENUMPLAYERS_LOCAL : DPENUMPLAYERS_REMOTE, lpContext))
            break;
    }
    return DP_OK;
}

HRESULT DirectPlayObject::GetPlayerName(DPID pidID, LPSTR lpPlayerFriendlyName, LPDWORD lpdwFriendlyNameLength,
                                        LPSTR lpPlayerFormalName, LPDWORD lpdwFormalNameLength)
{
    if (lpdwFriendlyNameLength == nullptr || lpdwFormalNameLength == nullptr)
        return DPERR_INVALIDPARAM;
    std::string friendly;
    std::string formal;
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_players.find(pidID);
        if (it == m_players.end())
            return DPERR_INVALIDPLAYER;
        friendly = it->second.friendlyName.value_or("");
        formal = it->second.formalName.value_or("");
    }
    const DWORD friendlyNeed = static_cast<DWORD>(friendly.size() + 1);
    const DWORD formalNeed = static_cast<DWORD>(formal.size() + 1);
    const bool fits = lpPlayerFriendlyName != nullptr && *lpdwFriendlyNameLength >= friendlyNeed
                      && lpPlayerFormalName != nullptr && *lpdwFormalNameLength >= formalNeed;
    *lpdwFriendlyNameLength = friendlyNeed;
    *lpdwFormalNameLength = formalNeed;
    if (!fits)
        return DPERR_BUFFERTOOSMALL;
    std::memcpy(lpPlayerFriendlyName, friendly.c_str(), friendlyNeed);
    std::memcpy(lpPlayerFormalName, formal.c_str(), formalNeed);
    return DP_OK;
}

// ---- Messages ------------------------------------------------------------------------------

HRESULT DirectPlayObject::Send(DPID pidFrom, DPID pidTo, DWORD, LPVOID lpvBuffer, DWORD dwBuffSize)
{
    if (lpvBuffer == nullptr && dwBuffSize > 0)
        return DPERR_INVALIDPARAM;
    if (dwBuffSize > wire::kMaxMessageSize)
        return DPERR_SENDTOOBIG;
    const auto* bytes = static_cast<const std::uint8_t*>(lpvBuffer);
    wire::Bytes payload(bytes, bytes + dwBuffSize);

    std::lock_guard lock(m_mutex);
    if (m_role != Role::Host && m_role != Role::Joiner)
        return DPERR_NOCONNECTION;
    if (!isLocal(pidFrom))
        return DPERR_INVALIDPLAYER;
    const auto to = m_players.find(pidTo);
    if (pidTo != DPID_ALLPLAYERS && to == m_players.end())
        return DPERR_INVALIDPLAYER;

    // Every message is delivered, in order, whatever the flags ask; where it goes depends
    // only on who holds the receiving player.
    bool queueHere = false;
    std::vector<std::shared_ptr<Connection>> targets;
    if (pidTo == DPID_ALLPLAYERS) {
        queueHere = std::any_of(m_players.begin(), m_players.end(),
                                [&](const auto& p) { return p.second.local && p.first != pidFrom; });
        if (m_role == Role::Host)
            targets = joinedLinks();
        else if (auto host = link(m_hostLink))
            targets.push_back(host);
    } else if (to->second.local) {
        queueHere = true;
    } else if (m_role == Role::Host) {
        if (auto owner = link(to->second.link))
            targets.push_back(owner);
    } else if (auto host = link(m_hostLink)) {
        targets.push_back(host);
    }
    for (const auto& target : targets)
        if (target->unsent() > kMaxUnsentBytes)
            return DPERR_BUSY;
    if (!targets.empty()) {
        const auto frame = wire::encode(wire::Data{pidFrom, pidTo, payload});
        for (auto& target : targets)
            post(target, frame);
    }
    if (queueHere)
        queueMessage(pidFrom, pidTo, std::move(payload));
    return DP_OK;
}

HRESULT DirectPlayObject::Receive(LPDPID lppidFrom, LPDPID lppidTo, DWORD dwFlags, LPVOID lpvBuffer,
                                  LPDWORD lpdwSize)
{
    if (lppidFrom == nullptr || lppidTo == nullptr || lpdwSize == nullptr)
        return DPERR_INVALIDPARAM;
    std::vector<std::shared_ptr<Connection>> resume;
    {
        std::lock_guard lock(m_mutex);
        const bool toPlayer = (dwFlags & DPRECEIVE_TOPLAYER) != 0;
        const bool fromPlayer = (dwFlags & DPRECEIVE_FROMPLAYER) != 0;
        const auto it = std::find_if(m_queue.begin(), m_queue.end(), [&](const Message& m) {
            if (toPlayer && m.to != *lppidTo && m.to != DPID_ALLPLAYERS)
                return false;
            if (fromPlayer && m.from != *lppidFrom)
                return false;
            return true;
        });
        if (it == m_queue.end())
            return DPERR_NOMESSAGES;
        const DWORD need = static_cast<DWORD>(it->bytes.size());
        *lppidFrom = it->from;
        *lppidTo = it->to;
        // A message that does not fit stays first in line; the caller learns the size it needs.
        if ((lpvBuffer == nullptr && need > 0) || *lpdwSize < need) {
            *lpdwSize = need;
            return DPERR_BUFFERTOOSMALL;
        }
        *lpdwSize = need;
        if (need > 0)
            std::memcpy(lpvBuffer, it->bytes.data(), need);
        if ((dwFlags & DPRECEIVE_PEEK) == 0) {
            m_queuedBytes -= it->bytes.size();
            m_queue.erase(it);
            if (m_readingPaused && !queueFull()) {
                m_readingPaused = false;
                for (auto& [id, link] : m_links)
                    resume.push_back(link);
            }
        }
    }
    for (auto& link : resume)
        asio::post(m_io, [link] { link->resumeReading(); });
    return DP_OK;
}

HRESULT DirectPlayObject::GetMessageCount(DPID pidID, LPDWORD lpdwCount)
{
    if (lpdwCount == nullptr)
        return DPERR_INVALIDPARAM;
    std::lock_guard lock(m_mutex);
    if (pidID != DPID_ALLPLAYERS && !isLocal(pidID))
        return DPERR_INVALIDPLAYER;
    *lpdwCount = static_cast<DWORD>(std::count_if(m_queue.begin(), m_queue.end(), [&](const Message& m) {
        return pidID == DPID_ALLPLAYERS || m.to == pidID || m.to == DPID_ALLPLAYERS;
    }));
    return DP_OK;
}

bool DirectPlayObject::waitForMessage(std::chrono::milliseconds limit)
{
    Lock lock(m_mutex);
    return m_changed.wait_for(lock, limit, [&] { return !m_queue.empty(); });
}

// ---- Capabilities --------------------------------------------------------------------------

HRESULT DirectPlayObject::GetCaps(LPDPCAPS lpDPCaps)
{
    if (lpDPCaps == nullptr || lpDPCaps->dwSize != sizeof(DPCAPS))
        return DPERR_INVALIDPARAM;
    std::lock_guard lock(m_mutex);
    lpDPCaps->dwFlags = DPCAPS_GUARANTEED | (m_role == Role::Host ? DPCAPS_NAMESERVER : 0);
    lpDPCaps->dwMaxBufferSize = wire::kMaxMessageSize;
    lpDPCaps->dwMaxQueueSize = static_cast<DWORD>(kMaxQueuedMessages);
    lpDPCaps->dwMaxPlayers = m_role == Role::None ? kMaxPlayers : m_description.dwMaxPlayers;
    lpDPCaps->dwHundredBaud = 1000000; // a 100 Mbit/s network
    lpDPCaps->dwLatency = 1;
    return DP_OK;
}

HRESULT DirectPlayObject::GetPlayerCaps(DPID pidID, LPDPCAPS lpDPPlayerCaps)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_players.find(pidID) == m_players.end())
            return DPERR_INVALIDPLAYER;
    }
    return GetCaps(lpDPPlayerCaps);
}

// ---- What this library does not offer ------------------------------------------------------

HRESULT DirectPlayObject::AddPlayerToGroup(DPID, DPID)
{
    return DPERR_UNSUPPORTED;
}

HRESULT DirectPlayObject::CreateGroup(LPDPID, LPSTR, LPSTR)
{
    return DPERR_UNSUPPORTED;
}

HRESULT DirectPlayObject::DeletePlayerFromGroup(DPID, DPID)
{
    return DPERR_UNSUPPORTED;
}

HRESULT DirectPlayObject::DestroyGroup(DPID)
{
    return DPERR_UNSUPPORTED;
}

HRESULT DirectPlayObject::EnumGroups(DWORD, LPDPENUMPLAYERSCALLBACK lpEnumPlayersCallback, LPVOID, DWORD)
{
    if (lpEnumPlayersCallback == nullptr)
        return DPERR_INVALIDPARAM;
    std::lock_guard lock(m_mutex);
    // There are never any groups: the list is empty, which is no failure.
    return m_role == Role::None ? DPERR_NOCONNECTION : DP_OK;
}

HRESULT DirectPlayObject::EnumGroupPlayers(DPID, LPDPENUMPLAYERSCALLBACK lpEnumPlayersCallback, LPVOID, DWORD)
{
    if (lpEnumPlayersCallback == nullptr)
        return DPERR_INVALIDPARAM;
    std::lock_guard lock(m_mutex);
    return m_role == Role::None ? DPERR_NOCONNECTION : DPERR_INVALIDPLAYER;
}

HRESULT DirectPlayObject::Initialize(LPGUID)
{
    return DPERR_ALREADYINITIALIZED; // DirectPlayCreate has done it
}

HRESULT DirectPlayObject::SaveSession(LPSTR)
{
    return DPERR_UNSUPPORTED;
}

} // namespace platform::dplay
