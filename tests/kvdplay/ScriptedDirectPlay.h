#pragma once
// A scriptable stand-in for the networking library's IDirectPlay: results by member name,
// queued messages, players, sessions and names to hand out, and a record of what it was given.
#include "platform/dplay/DPlay.h"

#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

namespace dp = platform::dplay;

class ScriptedDirectPlay final : public dp::IDirectPlay {
public:
    using HRESULT = dp::HRESULT;
    using DWORD = dp::DWORD;
    using DPID = dp::DPID;
    using BOOL = dp::BOOL;
    using ULONG = platform::com::ULONG;

    // --- The script.
    std::map<std::string, HRESULT> results; // a member's answer; absent: DP_OK
    struct Entry {
        DPID id;
        std::optional<std::string> friendly, formal;
        DWORD flags;
    };
    std::vector<Entry> players, groups;
    std::vector<dp::DPSESSIONDESC> sessions;
    bool signalTimeout = true; // ends a session enumeration with the time-out call
    std::function<void()> duringSearch; // runs inside every session enumeration
    dp::DPCAPS caps{};
    struct Queued {
        DPID from, to;
        std::vector<std::uint8_t> bytes;
    };
    std::deque<Queued> queue;
    int growHeadTimes = 0;       // the head grows by growBy bytes after each size query, this often
    std::size_t growBy = 1;
    std::string friendlyName = "Alice", formalName = "Alice Smith";
    bool namesFillBuffers = false; // names come without terminator, exactly as long as asked
    HRESULT secondNameResult = dp::DP_OK;
    HRESULT sendResult = dp::DP_OK;
    DPID newId = 7;

    // --- What it saw.
    std::vector<std::string> calls;
    struct Names {
        bool friendlyNull = true, formalNull = true;
        std::string friendly, formal;
    } names;
    dp::BOOL enabled = 12345;
    std::optional<dp::DPSESSIONDESC> description; // the record Open or EnumSessions got
    bool descriptionWasNull = false;
    DWORD timeout = 0, enumFlags = 0;
    BOOL timeoutAnswer = 1;
    struct Sent {
        DPID from, to;
        DWORD flags;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Sent> sent; // every message handed over, in order
    DWORD capsSizeSeen = 0;
    std::string savedName;
    int refs = 1;

    HRESULT QueryInterface(const dp::IID&, void** out) override
    {
        *out = nullptr;
        return platform::com::E_NOINTERFACE;
    }
    ULONG AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG Release() override { return static_cast<ULONG>(--refs); }

    HRESULT AddPlayerToGroup(DPID group, DPID player) override
    {
        return answer("AddPlayerToGroup", "group " + std::to_string(group) + ", player " + std::to_string(player));
    }
    HRESULT Close() override { return answer("Close"); }
    HRESULT CreatePlayer(dp::LPDPID id, dp::LPSTR friendly, dp::LPSTR formal, dp::LPHANDLE event) override
    {
        see(friendly, formal);
        if (event)
            calls.push_back("event handle given");
        *id = newId;
        return answer("CreatePlayer");
    }
    HRESULT CreateGroup(dp::LPDPID id, dp::LPSTR friendly, dp::LPSTR formal) override
    {
        see(friendly, formal);
        *id = newId;
        return answer("CreateGroup");
    }
    HRESULT DeletePlayerFromGroup(DPID group, DPID player) override
    {
        return answer("DeletePlayerFromGroup", "group " + std::to_string(group) + ", player " + std::to_string(player));
    }
    HRESULT DestroyPlayer(DPID) override { return answer("DestroyPlayer"); }
    HRESULT DestroyGroup(DPID group) override { return answer("DestroyGroup", "group " + std::to_string(group)); }
    HRESULT EnableNewPlayers(dp::BOOL enable) override
    {
        enabled = enable;
        return answer("EnableNewPlayers");
    }
    HRESULT EnumGroupPlayers(DPID group, dp::LPDPENUMPLAYERSCALLBACK callback, dp::LPVOID context,
                             DWORD flags) override
    {
        return list("EnumGroupPlayers", players, callback, context,
                    "group " + std::to_string(group) + ", flags " + std::to_string(flags));
    }
    HRESULT EnumGroups(DWORD, dp::LPDPENUMPLAYERSCALLBACK callback, dp::LPVOID context, DWORD) override
    {
        return list("EnumGroups", groups, callback, context);
    }
    HRESULT EnumPlayers(DWORD, dp::LPDPENUMPLAYERSCALLBACK callback, dp::LPVOID context, DWORD) override
    {
        return list("EnumPlayers", players, callback, context);
    }
    HRESULT EnumSessions(dp::LPDPSESSIONDESC desc, DWORD timeOut, dp::LPDPENUMSESSIONSCALLBACK callback,
                         dp::LPVOID context, DWORD flags) override
    {
        calls.push_back("EnumSessions");
        if (duringSearch)
            duringSearch();
        seeDescription(desc);
        timeout = timeOut;
        enumFlags = flags;
        if (const HRESULT hr = scripted("EnumSessions"))
            return hr;
        for (dp::DPSESSIONDESC& s : sessions)
            if (!callback(&s, context, &timeOut, 0))
                return dp::DP_OK;
        if (signalTimeout)
            timeoutAnswer = callback(nullptr, context, &timeOut, dp::DPESC_TIMEDOUT);
        return dp::DP_OK;
    }
    HRESULT GetCaps(dp::LPDPCAPS record) override
    {
        capsSizeSeen = record->dwSize;
        const HRESULT hr = answer("GetCaps");
        if (hr == dp::DP_OK)
            *record = caps;
        return hr;
    }
    HRESULT GetMessageCount(DPID, dp::LPDWORD count) override
    {
        *count = static_cast<DWORD>(queue.size());
        return answer("GetMessageCount");
    }
    HRESULT GetPlayerCaps(DPID, dp::LPDPCAPS record) override
    {
        capsSizeSeen = record->dwSize;
        const HRESULT hr = answer("GetPlayerCaps");
        if (hr == dp::DP_OK)
            *record = caps;
        return hr;
    }
    HRESULT GetPlayerName(DPID, dp::LPSTR friendly, dp::LPDWORD friendlySize, dp::LPSTR formal,
                          dp::LPDWORD formalSize) override
    {
        calls.push_back("GetPlayerName");
        if (const HRESULT hr = scripted("GetPlayerName"))
            return hr;
        const DWORD extra = namesFillBuffers ? 0 : 1;
        const auto needFriendly = static_cast<DWORD>(friendlyName.size()) + extra;
        const auto needFormal = static_cast<DWORD>(formalName.size()) + extra;
        if (!friendly || !formal || *friendlySize < needFriendly || *formalSize < needFormal) {
            *friendlySize = needFriendly;
            *formalSize = needFormal;
            return dp::DPERR_BUFFERTOOSMALL;
        }
        if (secondNameResult != dp::DP_OK)
            return secondNameResult;
        std::memcpy(friendly, friendlyName.c_str(), needFriendly);
        std::memcpy(formal, formalName.c_str(), needFormal);
        return dp::DP_OK;
    }
    HRESULT Initialize(dp::LPGUID) override { return answer("Initialize"); }
    HRESULT Open(dp::LPDPSESSIONDESC desc) override
    {
        seeDescription(desc);
        return answer("Open");
    }
    HRESULT Receive(dp::LPDPID from, dp::LPDPID to, DWORD, dp::LPVOID buffer, dp::LPDWORD size) override
    {
        calls.push_back("Receive");
        if (const HRESULT hr = scripted("Receive"))
            return hr;
        if (queue.empty())
            return dp::DPERR_NOMESSAGES;
        Queued& head = queue.front();
        const auto need = static_cast<DWORD>(head.bytes.size());
        if ((!buffer && need > 0) || *size < need) {
            *size = need;
            if (growHeadTimes > 0) { // the head grows before the caller comes back
                --growHeadTimes;
                head.bytes.insert(head.bytes.end(), growBy, 0xEE);
            }
            return dp::DPERR_BUFFERTOOSMALL;
        }
        if (need)
            std::memcpy(buffer, head.bytes.data(), need);
        *size = need;
        *from = head.from;
        *to = head.to;
        queue.pop_front();
        return dp::DP_OK;
    }
    HRESULT SaveSession(dp::LPSTR name) override
    {
        savedName = name ? name : "(null)";
        return answer("SaveSession");
    }
    HRESULT Send(DPID from, DPID to, DWORD flags, dp::LPVOID buffer, DWORD size) override
    {
        calls.push_back("Send");
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        sent.push_back({from, to, flags, std::vector<std::uint8_t>(bytes, bytes + size)});
        return sendResult;
    }
    HRESULT SetPlayerName(DPID player, dp::LPSTR friendly, dp::LPSTR formal) override
    {
        see(friendly, formal);
        return answer("SetPlayerName", "player " + std::to_string(player));
    }

private:
    HRESULT scripted(const std::string& member) const
    {
        const auto it = results.find(member);
        return it == results.end() ? dp::DP_OK : it->second;
    }
    // A call is seen as its member's name, and its ids in brackets where the call names some.
    HRESULT answer(const std::string& member, const std::string& ids = {})
    {
        calls.push_back(ids.empty() ? member : member + "(" + ids + ")");
        return scripted(member);
    }
    void see(const char* friendly, const char* formal)
    {
        names.friendlyNull = !friendly;
        names.formalNull = !formal;
        names.friendly = friendly ? friendly : "";
        names.formal = formal ? formal : "";
    }
    void seeDescription(const dp::DPSESSIONDESC* desc)
    {
        descriptionWasNull = !desc;
        if (desc)
            description = *desc;
    }
    HRESULT list(const char* member, const std::vector<Entry>& entries, dp::LPDPENUMPLAYERSCALLBACK callback,
                 dp::LPVOID context, const std::string& ids = {})
    {
        calls.push_back(ids.empty() ? member : std::string(member) + "(" + ids + ")");
        if (const HRESULT hr = scripted(member))
            return hr;
        for (const Entry& e : entries) {
            std::string friendly = e.friendly.value_or(""), formal = e.formal.value_or("");
            if (!callback(e.id, e.friendly ? friendly.data() : nullptr, e.formal ? formal.data() : nullptr, e.flags,
                          context))
                break;
        }
        return dp::DP_OK;
    }
};

} // namespace testing_support
