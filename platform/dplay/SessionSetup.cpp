// Making, finding, joining and leaving a session: the calls that wait for the network.
#include "platform/dplay/DirectPlayObject.h"

#include "platform/dplay/LocalNetwork.h"
#include "platform/ui/LinePrompt.h"

#include <boost/asio/post.hpp>

namespace platform::dplay {

namespace asio = boost::asio;
using asio::ip::tcp;

namespace {

// How long a Close waits for its farewells to leave.
constexpr std::chrono::milliseconds kFlushLimit{1000};

constexpr char kSearchTitle[] = "Search for Games";
constexpr char kSearchPrompt[] = "Enter the address or host name of the computer to search for waiting games.\n"
                                 "Leave it empty to search your local network.";

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

// ---- Opening and closing -------------------------------------------------------------------

HRESULT DirectPlayObject::Open(LPDPSESSIONDESC lpSDesc)
{
    if (lpSDesc == nullptr || lpSDesc->dwSize != sizeof(DPSESSIONDESC))
        return DPERR_INVALIDPARAM;
    // Texts are read only inside their fields, whatever the caller left in them.
    DPSESSIONDESC description = *lpSDesc;
    description.szSessionName[DPSESSIONNAMELEN - 1] = '\0';
    description.szUserField[DPUSERRESERVED - 1] = '\0';
    description.szPassword[DPPASSWORDLEN - 1] = '\0';
    {
        std::lock_guard lock(m_mutex);
        if (m_role != Role::None || m_joinState == JoinState::Waiting)
            return DPERR_ALREADYINITIALIZED;
    }
    if (description.dwFlags == DPOPEN_CREATESESSION)
        return openAsHost(description);
    if (description.dwFlags == DPOPEN_OPENSESSION)
        return openAsJoiner(description);
    return DPERR_INVALIDFLAGS;
}

HRESULT DirectPlayObject::openAsHost(const DPSESSIONDESC& description)
{
    {
        std::lock_guard lock(m_mutex);
        m_description = description;
        m_description.dwSession = randomNonZero();
        if (m_description.dwMaxPlayers == 0 || m_description.dwMaxPlayers > kMaxPlayers)
            m_description.dwMaxPlayers = kMaxPlayers;
        m_description.dwCurrentPlayers = 0;
        m_players.clear();
        m_queue.clear();
        m_queuedBytes = 0;
        m_nextId = 1;
        m_newPlayersEnabled = true;
        m_role = Role::Host;
    }
    const bool listening = runOnIo([this] {
        boost::system::error_code error;
        const auto address = asio::ip::make_address_v4(m_options.listenAddress, error);
        if (error)
            return false;
        m_acceptor = std::make_shared<tcp::acceptor>(m_io);
        m_acceptor->open(tcp::v4(), error);
        if (!error)
            m_acceptor->bind(tcp::endpoint(address, 0), error);
        if (!error)
            m_acceptor->listen(asio::socket_base::max_listen_connections, error);
        if (error) {
            m_acceptor->close(error);
            return false;
        }
        m_responder = std::make_shared<Responder>(m_io, [this](const wire::EnumRequest& r) { return answer(r); });
        if (!m_responder->open(m_options)) {
            m_acceptor->close(error);
            return false;
        }
        {
            std::lock_guard lock(m_mutex);
            m_tcpPort = m_acceptor->local_endpoint().port();
        }
        m_responder->start();
        accept(m_acceptor);
        return true;
    });
    if (!listening) {
        std::lock_guard lock(m_mutex);
        m_role = Role::None;
        return DPERR_CANTCREATESESSION;
    }
    return DP_OK;
}

HRESULT DirectPlayObject::openAsJoiner(const DPSESSIONDESC& description)
{
    tcp::endpoint where;
    std::uint64_t attempt = 0;
    {
        std::lock_guard lock(m_mutex);
        const auto found = m_found.find(description.dwSession);
        if (description.dwSession == 0 || found == m_found.end()
            || found->second.description.guidSession != description.guidSession)
            return DPERR_NOSESSIONS;
        where = tcp::endpoint(found->second.address, found->second.port);
        attempt = ++m_joinAttempt;
        m_joinState = JoinState::Waiting;
        m_joinResult = DP_OK;
        m_players.clear();
        m_queue.clear();
        m_queuedBytes = 0;
    }
    wire::Hello hello;
    hello.application = description.guidSession;
    hello.session = description.dwSession;
    hello.password = description.szPassword;

    asio::post(m_io, [this, where, attempt, hello] {
        auto socket = std::make_shared<tcp::socket>(m_io);
        socket->async_connect(where, [this, socket, attempt, hello](const boost::system::error_code& error) {
            std::shared_ptr<Connection> link;
            {
                std::lock_guard lock(m_mutex);
                if (m_joinAttempt != attempt || m_joinState != JoinState::Waiting || m_shuttingDown) {
                    boost::system::error_code ignored;
                    socket->close(ignored);
                    return;
                }
                if (error) {
                    m_joinState = JoinState::Failed;
                    m_joinResult = DPERR_NOCONNECTION;
                    m_changed.notify_all();
                    return;
                }
                link = std::make_shared<Connection>(std::move(*socket), static_cast<Connection::Owner&>(*this),
                                                    Connection::Timing{m_options.keepAlive, m_options.lossAfter},
                                                    m_nextLink++);
                m_links[link->id()] = link;
                m_hostLink = link->id();
            }
            link->start();
            link->send(wire::encode(hello));
        });
    });

    Lock lock(m_mutex);
    const bool answered = m_changed.wait_for(lock, m_options.lossAfter,
                                             [&] { return m_joinState != JoinState::Waiting; });
    if (answered && m_joinState == JoinState::Welcomed) {
        m_joinState = JoinState::Idle;
        return DP_OK;
    }
    const HRESULT result = answered ? m_joinResult : DPERR_TIMEOUT;
    m_joinState = JoinState::Idle;
    m_role = Role::None;
    m_players.clear();
    m_hostLink = 0;
    lock.unlock();
    closeLinks(true);
    return result;
}

void DirectPlayObject::closeLinks(bool quiet)
{
    runOnIo([this, quiet] {
        std::vector<std::shared_ptr<Connection>> links;
        {
            std::lock_guard lock(m_mutex);
            for (auto& [id, link] : m_links)
                links.push_back(link);
            if (quiet) {
                m_links.clear();
                m_joined.clear();
            }
        }
        for (auto& link : links)
            quiet ? link->close(true) : link->closeAfterFlush();
    });
}

HRESULT DirectPlayObject::Close()
{
    std::vector<std::pair<std::shared_ptr<Connection>, std::vector<wire::Bytes>>> farewells;
    {
        std::lock_guard lock(m_mutex);
        if (m_role == Role::None)
            return DP_OK;
        std::vector<wire::Bytes> frames;
        if (m_role == Role::Host || m_role == Role::Joiner) {
            // Our own players leave first, so the others hear who has gone, then goodbye.
            for (const auto& [id, player] : m_players)
                if (player.local)
                    frames.push_back(wire::encode(wire::DeletePlayer{id}));
            frames.push_back(wire::encode(wire::Bye{}));
        }
        for (auto& [id, link] : m_links)
            farewells.emplace_back(link, frames);
        m_role = Role::None;
        m_players.clear();
        m_queue.clear();
        m_queuedBytes = 0;
        m_joined.clear();
        m_creates.clear();
        m_hostLink = 0;
        m_changed.notify_all();
    }
    runOnIo([this, &farewells] {
        if (m_acceptor) {
            boost::system::error_code ignored;
            m_acceptor->close(ignored);
        }
        if (m_responder)
            m_responder->close();
        for (auto& [link, frames] : farewells) {
            for (auto& frame : frames)
                link->send(std::move(frame));
            link->closeAfterFlush();
        }
    });
    Lock lock(m_mutex);
    const bool flushed = m_changed.wait_for(lock, kFlushLimit, [&] { return m_links.empty(); });
    lock.unlock();
    if (!flushed)
        closeLinks(true);
    return DP_OK;
}

// ---- Finding sessions ----------------------------------------------------------------------

HRESULT DirectPlayObject::searchAddresses(std::vector<asio::ip::address_v4>& addresses)
{
    addresses.clear();
    if (!m_options.searchAddresses.empty()) {
        for (const auto& text : m_options.searchAddresses)
            for (const auto& address : addressesNamed(text))
                addresses.push_back(address);
        return DP_OK;
    }
    // Nobody to ask is as good as a cancel: a search never waits for a dialog nobody answers.
    platform::ui::LinePrompt* prompt = platform::ui::linePrompt();
    const std::optional<std::string> answer = prompt ? prompt->ask(kSearchTitle, kSearchPrompt, m_lastSearch) : std::nullopt;
    if (!answer)
        return DPERR_USERCANCEL;
    m_lastSearch = trimmed(*answer);
    keepLastSearch(m_options.settingsFile, m_lastSearch);
    addresses = m_lastSearch.empty() ? directedBroadcasts(localInterfaces()) : addressesNamed(m_lastSearch);
    return DP_OK;
}

HRESULT DirectPlayObject::EnumSessions(LPDPSESSIONDESC lpSDesc, DWORD dwTimeout,
                                       LPDPENUMSESSIONSCALLBACK lpEnumSessionsCallback, LPVOID lpContext,
                                       DWORD dwFlags)
{
    if (lpSDesc == nullptr || lpSDesc->dwSize != sizeof(DPSESSIONDESC) || lpEnumSessionsCallback == nullptr)
        return DPERR_INVALIDPARAM;
    if ((dwFlags & ~(DPENUMSESSIONS_AVAILABLE | DPENUMSESSIONS_ALL | DPENUMSESSIONS_PREVIOUS)) != 0)
        return DPERR_INVALIDFLAGS;
    const GUID application = lpSDesc->guidSession;
    const bool all = (dwFlags & DPENUMSESSIONS_ALL) != 0;

    if ((dwFlags & DPENUMSESSIONS_PREVIOUS) != 0) {
        // Only what earlier searches found; nothing goes out.
        std::vector<DPSESSIONDESC> known;
        {
            std::lock_guard lock(m_mutex);
            for (const auto& [number, found] : m_found)
                if (found.description.guidSession == application)
                    known.push_back(found.description);
        }
        DWORD timeout = dwTimeout;
        for (auto& description : known)
            if (!lpEnumSessionsCallback(&description, lpContext, &timeout, 0))
                return DP_OK;
        lpEnumSessionsCallback(nullptr, lpContext, &timeout, DPESC_TIMEDOUT);
        return DP_OK;
    }

    std::vector<asio::ip::address_v4> addresses;
    if (const HRESULT asked = searchAddresses(addresses); asked != DP_OK)
        return asked;
    DWORD timeout = dwTimeout != 0 ? dwTimeout : static_cast<DWORD>(m_options.enumTimeout.count());
    {
        std::lock_guard lock(m_mutex);
        m_searchSeen.clear();
    }
    for (;;) {
        const std::uint32_t nonce = randomNonZero();
        {
            std::lock_guard lock(m_mutex);
            m_searchNonce = nonce;
            m_searchApplication = application;
            m_searchAll = all;
            m_searchResults.clear();
        }
        const bool asking = runOnIo([this, nonce, application, &addresses] {
            m_search = std::make_shared<Search>(
                m_io, [this](const wire::EnumReply& reply, const asio::ip::address_v4& from) { onFound(reply, from); });
            return m_search->start(m_options, addresses, wire::EnumRequest{nonce, application});
        });
        auto stopSearch = [this] {
            runOnIo([this] {
                if (m_search)
                    m_search->close();
                m_search.reset();
            });
            std::lock_guard lock(m_mutex);
            m_searchNonce = 0;
        };
        if (!asking) {
            stopSearch();
            return DPERR_UNAVAILABLE;
        }
        // Each session is handed to the caller as soon as its answer is in.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout);
        std::size_t delivered = 0;
        Lock lock(m_mutex);
        for (;;) {
            m_changed.wait_until(lock, deadline, [&] { return m_searchResults.size() > delivered; });
            if (m_searchResults.size() == delivered)
                break;
            DPSESSIONDESC description = m_searchResults[delivered++];
            lock.unlock();
            DWORD unused = timeout;
            const bool more = lpEnumSessionsCallback(&description, lpContext, &unused, 0) != 0;
            if (!more) {
                stopSearch();
                return DP_OK;
            }
            lock.lock();
        }
        lock.unlock();
        stopSearch();
        // Time is up; the caller may ask for another round with a new time-out.
        if (!lpEnumSessionsCallback(nullptr, lpContext, &timeout, DPESC_TIMEDOUT))
            return DP_OK;
        if (timeout == 0)
            timeout = static_cast<DWORD>(m_options.enumTimeout.count());
    }
}

} // namespace platform::dplay
