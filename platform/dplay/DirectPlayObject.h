#pragma once
// One session object: the IDirectPlay that DirectPlayCreate hands out. The caller's thread
// makes the calls; one background thread of its own runs the sockets, so the session keeps
// up with its peers while the game busy-waits, shows a modal box or stops receiving.
//
// The host is the session's name server: it numbers the players 1, 2, ... in the order they
// are made, and every joiner talks to the host only; the host passes on what others must see.
#include "platform/dplay/Connection.h"
#include "platform/dplay/DPlay.h"
#include "platform/dplay/Discovery.h"
#include "platform/dplay/Options.h"

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace platform::dplay {

// Limits of one session object, reported by GetCaps.
inline constexpr std::size_t kMaxQueuedMessages = 4096;
inline constexpr std::size_t kMaxQueuedBytes = 16u << 20;
inline constexpr std::size_t kMaxUnsentBytes = 8u << 20;
inline constexpr std::size_t kMaxLinks = 64;
inline constexpr DWORD kMaxPlayers = wire::kMaxPlayersInList;

class DirectPlayObject final : public IDirectPlay, private Connection::Owner {
public:
    // A new object with one reference.
    static DirectPlayObject* create(const Options& options);

    HRESULT QueryInterface(com::REFIID riid, void** ppvObject) override;
    com::ULONG AddRef() override;
    com::ULONG Release() override;

    HRESULT AddPlayerToGroup(DPID pidGroup, DPID pidPlayer) override;
    HRESULT Close() override;
    HRESULT CreatePlayer(LPDPID lppidID, LPSTR lpPlayerFriendlyName, LPSTR lpPlayerFormalName,
                         LPHANDLE lpEvent) override;
    HRESULT CreateGroup(LPDPID lppidID, LPSTR lpGroupFriendlyName, LPSTR lpGroupFormalName) override;
    HRESULT DeletePlayerFromGroup(DPID pidGroup, DPID pidPlayer) override;
    HRESULT DestroyPlayer(DPID pidID) override;
    HRESULT DestroyGroup(DPID pidID) override;
    HRESULT EnableNewPlayers(BOOL bEnable) override;
    HRESULT EnumGroupPlayers(DPID pidGroupPID, LPDPENUMPLAYERSCALLBACK lpEnumPlayersCallback, LPVOID lpContext,
                             DWORD dwFlags) override;
    HRESULT EnumGroups(DWORD dwSessionID, LPDPENUMPLAYERSCALLBACK lpEnumPlayersCallback, LPVOID lpContext,
                       DWORD dwFlags) override;
    HRESULT EnumPlayers(DWORD dwSessionID, LPDPENUMPLAYERSCALLBACK lpEnumPlayersCallback, LPVOID lpContext,
                        DWORD dwFlags) override;
    HRESULT EnumSessions(LPDPSESSIONDESC lpSDesc, DWORD dwTimeout, LPDPENUMSESSIONSCALLBACK lpEnumSessionsCallback,
                         LPVOID lpContext, DWORD dwFlags) override;
    HRESULT GetCaps(LPDPCAPS lpDPCaps) override;
    HRESULT GetMessageCount(DPID pidID, LPDWORD lpdwCount) override;
    HRESULT GetPlayerCaps(DPID pidID, LPDPCAPS lpDPPlayerCaps) override;
    HRESULT GetPlayerName(DPID pidID, LPSTR lpPlayerFriendlyName, LPDWORD lpdwFriendlyNameLength,
                          LPSTR lpPlayerFormalName, LPDWORD lpdwFormalNameLength) override;
    HRESULT Initialize(LPGUID lpGUID) override;
    HRESULT Open(LPDPSESSIONDESC lpSDesc) override;
    HRESULT Receive(LPDPID lppidFrom, LPDPID lppidTo, DWORD dwFlags, LPVOID lpvBuffer, LPDWORD lpdwSize) override;
    HRESULT SaveSession(LPSTR lpSessionName) override;
    HRESULT Send(DPID pidFrom, DPID pidTo, DWORD dwFlags, LPVOID lpvBuffer, DWORD dwBuffSize) override;
    HRESULT SetPlayerName(DPID pidID, LPSTR lpPlayerFriendlyName, LPSTR lpPlayerFormalName) override;

    // Waits until a message is waiting or the time is up; true when one is waiting.
    // Not part of the interface: tests and the benchmark use it instead of polling.
    bool waitForMessage(std::chrono::milliseconds limit);

private:
    enum class Role { None, Host, Joiner, Lost };
    enum class JoinState { Idle, Waiting, Welcomed, Failed };

    struct Player {
        std::optional<std::string> friendlyName;
        std::optional<std::string> formalName;
        bool local = false;
        std::uint64_t link = 0; // at the host: the link of a joiner's player; 0 for its own
    };
    struct Message {
        DPID from = 0;
        DPID to = 0;
        wire::Bytes bytes;
    };
    struct FoundSession {
        DPSESSIONDESC description{};
        boost::asio::ip::address_v4 address;
        std::uint16_t port = 0;
    };
    struct PendingCreate {
        wire::PlayerEntry entry;
        std::optional<wire::PlayerCreated> reply;
    };
    using Lock = std::unique_lock<std::mutex>;

    explicit DirectPlayObject(const Options& options);
    ~DirectPlayObject();

    // Runs `f` on the network thread and waits for it. Never call it holding m_mutex.
    template <class F>
    auto runOnIo(F&& f) -> decltype(f());
    void post(std::shared_ptr<Connection> link, wire::Bytes frame);

    // The addresses a search asks: those of the settings, else those the player names when
    // asked (the local networks' broadcasts for an empty answer). DPERR_USERCANCEL when he cancels.
    HRESULT searchAddresses(std::vector<boost::asio::ip::address_v4>& addresses);
    HRESULT openAsHost(const DPSESSIONDESC& description);
    HRESULT openAsJoiner(const DPSESSIONDESC& description);
    void closeLinks(bool quiet);
    std::uint32_t randomNonZero();

    // Connection::Owner, on the network thread.
    void onFrame(Connection& connection, wire::Frame&& frame) override;
    void onClosed(Connection& connection) override;
    bool canTakeMore() override;

    void accept(std::shared_ptr<boost::asio::ip::tcp::acceptor> acceptor);
    std::optional<wire::EnumReply> answer(const wire::EnumRequest& request);
    void onFound(const wire::EnumReply& reply, const boost::asio::ip::address_v4& from);
    // Each returns false when the frame breaks the rules; the link is then dropped.
    bool hostFrame(Connection& link, wire::Frame& frame);
    bool joinerFrame(Connection& link, wire::Frame& frame);
    bool hostHello(Connection& link, const wire::Hello& hello);
    void removeLinkPlayers(std::uint64_t link);

    // With m_mutex held.
    void queueMessage(DPID from, DPID to, wire::Bytes bytes);
    void queueAddPlayer(DPID id, const Player& player);
    void queueDeletePlayer(DPID id);
    void queueSessionLost();
    std::vector<std::shared_ptr<Connection>> joinedLinks(std::uint64_t except = 0) const;
    // The host tells every joined link; a joiner tells the host.
    void postToOthers(const wire::Bytes& frame);
    std::shared_ptr<Connection> link(std::uint64_t id) const;
    bool isLocal(DPID id) const;
    bool queueFull() const;
    bool acceptsJoiners() const;
    void updateCurrentPlayers();

    std::atomic<com::ULONG> m_refs{1};
    const Options m_options;
    std::string m_lastSearch; // offered in the question where to search; caller's thread only
    std::atomic<bool> m_shuttingDown{false};

    boost::asio::io_context m_io;
    boost::asio::executor_work_guard<boost::asio::io_context::executor_type> m_work;
    std::thread m_thread;

    // Network-thread objects.
    std::shared_ptr<boost::asio::ip::tcp::acceptor> m_acceptor;
    std::shared_ptr<Responder> m_responder;
    std::shared_ptr<Search> m_search;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::mt19937 m_random;
    Role m_role = Role::None;
    DPSESSIONDESC m_description{};
    std::uint16_t m_tcpPort = 0;
    bool m_newPlayersEnabled = true;
    std::map<DPID, Player> m_players;
    DPID m_nextId = 1;
    std::deque<Message> m_queue;
    std::size_t m_queuedBytes = 0;
    bool m_readingPaused = false;
    std::map<std::uint64_t, std::shared_ptr<Connection>> m_links;
    std::set<std::uint64_t> m_joined; // at the host: links that have been welcomed
    std::uint64_t m_nextLink = 1;
    std::uint64_t m_hostLink = 0; // at a joiner
    JoinState m_joinState = JoinState::Idle;
    HRESULT m_joinResult = DP_OK;
    std::uint64_t m_joinAttempt = 0;
    std::uint32_t m_nextRequest = 1;
    std::map<std::uint32_t, PendingCreate> m_creates;
    std::uint32_t m_searchNonce = 0;
    GUID m_searchApplication{};
    bool m_searchAll = false;
    std::vector<DPSESSIONDESC> m_searchResults;
    std::set<DWORD> m_searchSeen;
    std::map<DWORD, FoundSession> m_found;
};

template <class F>
auto DirectPlayObject::runOnIo(F&& f) -> decltype(f())
{
    std::packaged_task<decltype(f())()> task(std::forward<F>(f));
    auto result = task.get_future();
    boost::asio::post(m_io, [&task] { task(); });
    return result.get();
}

} // namespace platform::dplay
