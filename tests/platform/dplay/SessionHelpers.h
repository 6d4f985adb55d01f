#pragma once
// Small helpers shared by the session tests and the peer program they start: fast timings,
// a fresh application GUID per test (so parallel tests never see each other's sessions),
// and reading whole messages out of a session object.
#include "platform/dplay/DirectPlayObject.h"

#include <unistd.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace dplaytest {

using namespace platform::dplay;

struct ReleaseDp {
    void operator()(DirectPlayObject* p) const
    {
        if (p)
            p->Release();
    }
};
using Dp = std::unique_ptr<DirectPlayObject, ReleaseDp>;

inline Options fastOptions(std::uint16_t discoveryPort)
{
    Options options;
    // Loopback only: a test never asks anybody where to search, and answers nobody outside.
    options.searchAddresses = {"127.0.0.1"};
    options.listenAddress = "127.0.0.1";
    options.discoveryPort = discoveryPort;
    options.keepAlive = std::chrono::milliseconds(30);
    options.lossAfter = std::chrono::milliseconds(600);
    return options;
}

// A discovery range of this process's own, most likely free of other tests' hosts.
inline std::uint16_t portsForThisProcess()
{
    return static_cast<std::uint16_t>(20000 + (getpid() % 2000) * 8);
}

inline Dp makeDp(const Options& options)
{
    return Dp(DirectPlayObject::create(options));
}

inline GUID randomGuid()
{
    std::random_device device;
    GUID g{};
    g.Data1 = device();
    g.Data2 = static_cast<std::uint16_t>(device());
    g.Data3 = static_cast<std::uint16_t>(device());
    for (auto& b : g.Data4)
        b = static_cast<std::uint8_t>(device());
    return g;
}

inline DPSESSIONDESC description(const GUID& application, DWORD flags, const char* name = "", DWORD maxPlayers = 2)
{
    DPSESSIONDESC d{};
    d.dwSize = sizeof d;
    d.guidSession = application;
    d.dwFlags = flags;
    d.dwMaxPlayers = maxPlayers;
    std::strncpy(d.szSessionName, name, sizeof d.szSessionName - 1);
    return d;
}

struct Search {
    std::vector<DPSESSIONDESC> sessions;
    bool stopAtFirst = false;
    int timeouts = 0;
};

inline BOOL collectSession(LPDPSESSIONDESC d, LPVOID context, LPDWORD, DWORD flags)
{
    auto* search = static_cast<Search*>(context);
    if (flags == DPESC_TIMEDOUT) {
        ++search->timeouts;
        return 0;
    }
    search->sessions.push_back(*d);
    return search->stopAtFirst ? 0 : 1;
}

inline Search findSessions(IDirectPlay& dp, const GUID& application, DWORD timeoutMs, bool stopAtFirst,
                           DWORD flags = 0)
{
    Search search;
    search.stopAtFirst = stopAtFirst;
    auto d = description(application, 0);
    dp.EnumSessions(&d, timeoutMs, collectSession, &search, flags);
    return search;
}

struct Received {
    DPID from = 0;
    DPID to = 0;
    std::vector<std::uint8_t> bytes;
    DWORD type() const
    {
        DWORD t = 0;
        if (bytes.size() >= 4)
            std::memcpy(&t, bytes.data(), 4);
        return t;
    }
    std::string text() const { return std::string(bytes.begin(), bytes.end()); }
};

// The next message, asked for the way KVDPLAY does: size first, then the bytes.
inline std::optional<Received> receive(DirectPlayObject& dp, std::chrono::milliseconds limit = std::chrono::seconds(5))
{
    if (!dp.waitForMessage(limit))
        return std::nullopt;
    Received r;
    DWORD size = 0;
    HRESULT hr = dp.Receive(&r.from, &r.to, DPRECEIVE_ALL, nullptr, &size);
    if (hr == DPERR_BUFFERTOOSMALL) {
        r.bytes.resize(size);
        hr = dp.Receive(&r.from, &r.to, DPRECEIVE_ALL, r.bytes.data(), &size);
    }
    if (hr != DP_OK)
        return std::nullopt;
    r.bytes.resize(size);
    return r;
}

inline HRESULT sendText(IDirectPlay& dp, DPID from, DPID to, const std::string& text)
{
    std::string copy = text;
    return dp.Send(from, to, 0, copy.data(), static_cast<DWORD>(copy.size()));
}

inline std::string shortName(const Received& r)
{
    DPMSG_ADDPLAYER record{};
    std::memcpy(&record, r.bytes.data(), std::min(r.bytes.size(), sizeof record));
    return std::string(record.szShortName, strnlen(record.szShortName, sizeof record.szShortName));
}

inline DPID systemPlayerId(const Received& r)
{
    DWORD id = 0;
    const std::size_t offset = r.type() == DPSYS_ADDPLAYER ? 8 : 4;
    if (r.bytes.size() >= offset + 4)
        std::memcpy(&id, r.bytes.data() + offset, 4);
    return id;
}

struct PlayerList {
    std::vector<std::pair<DPID, std::string>> players;
};

inline BOOL collectPlayer(DPID id, LPSTR friendly, LPSTR, DWORD, LPVOID context)
{
    static_cast<PlayerList*>(context)->players.emplace_back(id, friendly ? friendly : "");
    return 1;
}

inline PlayerList players(IDirectPlay& dp)
{
    PlayerList list;
    dp.EnumPlayers(0, collectPlayer, &list, DPENUMPLAYERS_ALL);
    return list;
}

} // namespace dplaytest
