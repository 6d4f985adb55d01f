#include "kvdplay/Session.h"

#include "kvdplay/Collections.h"
#include "kvdplay/Message.h"
#include "kvdplay/SessionDesc.h"
#include "kvdplay/VariantBuffer.h"
#include "platform/com/Text.h"

#include <algorithm>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace kvdplay {

namespace dp = platform::dplay;

namespace {

// An automation string on its way to DirectPlay: absent stays a null pointer, and a character
// that has no 8-bit form refuses the call rather than reaching the other side as something else.
class AnsiText {
public:
    HRESULT set(BSTR text)
    {
        if (!text)
            return S_OK;
        m_text = ansiFromString(text);
        return m_text ? S_OK : E_INVALIDARG;
    }
    char* get() { return m_text ? m_text->data() : nullptr; }

private:
    std::optional<std::string> m_text;
};

// A player's or a group's two names: both make it across, or the call is refused.
struct AnsiNames {
    AnsiText friendly;
    AnsiText formal;
    HRESULT set(BSTR friendlyName, BSTR formalName)
    {
        return FAILED(friendly.set(friendlyName)) || FAILED(formal.set(formalName)) ? E_INVALIDARG : S_OK;
    }
};

BOOL playersCallback(dp::DPID id, dp::LPSTR friendlyName, dp::LPSTR formalName, DWORD flags, dp::LPVOID context)
{
    auto* players = static_cast<PlayersCollection*>(context);
    Player* player = Player::create();
    if (!player)
        return TRUE_; // skipped; the enumeration goes on
    player->fill(static_cast<LONG>(id), friendlyName, formalName, static_cast<LONG>(flags));
    if (FAILED(players->append(player)))
        player->Release();
    return TRUE_;
}

BOOL sessionsCallback(dp::LPDPSESSIONDESC description, dp::LPVOID context, dp::LPDWORD, DWORD flags)
{
    if (flags == dp::DPESC_TIMEDOUT)
        return FALSE_; // the time-out has run out: the enumeration ends here
    auto* sessions = static_cast<SessionsCollection*>(context);
    SessionDesc* found = SessionDesc::create();
    if (!found)
        return TRUE_;
    if (description)
        found->copyRecord(description);
    if (FAILED(sessions->append(found)))
        found->Release();
    return TRUE_;
}

LONG countOf(IkvDirectPlayPlayers* c)
{
    LONG n = 0;
    c->get_Count(&n);
    return n;
}

LONG countOf(IkvDirectPlaySessions* c)
{
    LONG n = 0;
    c->get_Count(&n);
    return n;
}

} // namespace

HRESULT DescriptionOf(IUnknown* lpSDesc, dp::DPSESSIONDESC** record)
{
    *record = nullptr;
    if (!lpSDesc)
        return S_OK; // passed on as it is
    IUnknown* kind = nullptr;
    if (FAILED(lpSDesc->QueryInterface(IID_IkvDPSESSIONDESC, reinterpret_cast<void**>(&kind))) || !kind)
        return E_INVALIDARG;
    kind->Release();
    IkvStructAccess* access = nullptr;
    if (FAILED(lpSDesc->QueryInterface(IID_IkvStructAccess, reinterpret_cast<void**>(&access))) || !access)
        return E_INVALIDARG;
    void* address = nullptr;
    const HRESULT hr = access->GetStruct(&address);
    access->Release();
    if (FAILED(hr) || !address)
        return E_INVALIDARG;
    // The caller keeps the object, so the record outlives the one call it is used for.
    *record = static_cast<dp::DPSESSIONDESC*>(address);
    return S_OK;
}

Session::~Session()
{
    if (m_dp)
        m_dp->Release();
}

void Session::attach(dp::IDirectPlay* directPlay)
{
    if (m_dp)
        m_dp->Release();
    m_dp = directPlay;
}

#define KVDPLAY_NEED_SESSION()                  \
    do {                                        \
        if (!m_dp)                              \
            return report(CO_E_NOTINITIALIZED); \
    } while (false)

HRESULT Session::AddPlayerToGroup(LONG pidGroup, LONG pidPlayer)
{
    KVDPLAY_NEED_SESSION();
    return check(m_dp->AddPlayerToGroup(static_cast<dp::DPID>(pidGroup), static_cast<dp::DPID>(pidPlayer)));
}

HRESULT Session::Close()
{
    KVDPLAY_NEED_SESSION();
    return check(m_dp->Close());
}

HRESULT Session::CloseSession() { return Close(); }

HRESULT Session::createNamed(bool group, BSTR friendlyName, BSTR formalName, LONG* id)
{
    if (!id)
        return E_POINTER;
    KVDPLAY_NEED_SESSION();
    AnsiNames names;
    if (FAILED(names.set(friendlyName, formalName)))
        return report(E_INVALIDARG);
    dp::DPID made = 0;
    const HRESULT hr = group ? m_dp->CreateGroup(&made, names.friendly.get(), names.formal.get())
                             : m_dp->CreatePlayer(&made, names.friendly.get(), names.formal.get(), nullptr);
    *id = static_cast<LONG>(made);
    return check(hr);
}

HRESULT Session::CreateGroup(BSTR lpGroupFriendlyName, BSTR lpGroupFormalName, LONG* pidGroup)
{
    return createNamed(true, lpGroupFriendlyName, lpGroupFormalName, pidGroup);
}

HRESULT Session::CreatePlayer(BSTR lpPlayerFriendlyName, BSTR lpPlayerFormalName, LONG* pidPlayer)
{
    return createNamed(false, lpPlayerFriendlyName, lpPlayerFormalName, pidPlayer);
}

HRESULT Session::DeletePlayerFromGroup(LONG pidGroup, LONG pidPlayer)
{
    KVDPLAY_NEED_SESSION();
    return check(m_dp->DeletePlayerFromGroup(static_cast<dp::DPID>(pidGroup), static_cast<dp::DPID>(pidPlayer)));
}

HRESULT Session::DestroyGroup(LONG pidID)
{
    KVDPLAY_NEED_SESSION();
    return check(m_dp->DestroyGroup(static_cast<dp::DPID>(pidID)));
}

HRESULT Session::DestroyPlayer(LONG pidID)
{
    KVDPLAY_NEED_SESSION();
    return check(m_dp->DestroyPlayer(static_cast<dp::DPID>(pidID)));
}

HRESULT Session::EnableNewPlayers(VARIANT_BOOL bEnable)
{
    KVDPLAY_NEED_SESSION();
    // Widened with its sign: True (all bits set) stays all bits set.
    return check(m_dp->EnableNewPlayers(static_cast<BOOL>(bEnable)));
}

HRESULT Session::enumPlayers(int which, LONG first, LONG dwFlags, IkvDirectPlayPlayers** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    KVDPLAY_NEED_SESSION();
    PlayersCollection* players = PlayersCollection::create();
    if (!players)
        return report(E_OUTOFMEMORY);
    const auto id = static_cast<DWORD>(first);
    const auto flags = static_cast<DWORD>(dwFlags);
    const HRESULT hr = which == 0   ? m_dp->EnumPlayers(id, &playersCallback, players, flags)
        : which == 1 ? m_dp->EnumGroups(id, &playersCallback, players, flags)
                     : m_dp->EnumGroupPlayers(id, &playersCallback, players, flags);
    if (hr != 0) {
        players->Release();
        return report(hr);
    }
    if (which == 0 && countOf(players) == 0) {
        players->Release();
        return report(DPERR_NOPLAYERS);
    }
    *out = players;
    return S_OK;
}

HRESULT Session::EnumPlayers(LONG dwSessionID, LONG dwFlags, IkvDirectPlayPlayers** players)
{
    return enumPlayers(0, dwSessionID, dwFlags, players);
}

HRESULT Session::EnumGroups(LONG dwSessionID, LONG dwFlags, IkvDirectPlayPlayers** groups)
{
    return enumPlayers(1, dwSessionID, dwFlags, groups);
}

HRESULT Session::EnumGroupPlayers(LONG pidGroupPID, LONG dwFlags, IkvDirectPlayPlayers** players)
{
    return enumPlayers(2, pidGroupPID, dwFlags, players);
}

HRESULT Session::EnumSessions(IkvDPSESSIONDESC* lpSDesc, LONG dwTimeout, LONG dwFlags, IkvDirectPlaySessions** sessions)
{
    if (!sessions)
        return E_POINTER;
    *sessions = nullptr;
    KVDPLAY_NEED_SESSION();
    dp::DPSESSIONDESC* record = nullptr;
    HRESULT hr = DescriptionOf(lpSDesc, &record);
    if (FAILED(hr))
        return report(hr);
    SessionsCollection* found = SessionsCollection::create();
    if (!found)
        return report(E_OUTOFMEMORY);
    hr = m_dp->EnumSessions(record, static_cast<DWORD>(dwTimeout), &sessionsCallback, found,
                            static_cast<DWORD>(dwFlags));
    if (hr != 0) {
        found->Release();
        return report(hr);
    }
    if (countOf(found) == 0) {
        found->Release();
        return report(DPERR_NOSESSIONS);
    }
    *sessions = found;
    return S_OK;
}

HRESULT Session::capsOf(std::optional<LONG> player, IkvDPCAPS** caps)
{
    if (!caps)
        return E_POINTER;
    *caps = nullptr;
    KVDPLAY_NEED_SESSION();
    Caps* record = Caps::create();
    if (!record)
        return report(E_OUTOFMEMORY);
    void* address = nullptr;
    record->GetStruct(&address);
    auto* filled = static_cast<dp::DPCAPS*>(address);
    const HRESULT hr = player ? m_dp->GetPlayerCaps(static_cast<dp::DPID>(*player), filled) : m_dp->GetCaps(filled);
    if (hr != 0) {
        record->Release();
        return report(hr);
    }
    *caps = record;
    return S_OK;
}

HRESULT Session::GetCaps(IkvDPCAPS** caps) { return capsOf(std::nullopt, caps); }

HRESULT Session::GetPlayerCaps(LONG pidID, IkvDPCAPS** caps) { return capsOf(pidID, caps); }

HRESULT Session::GetMessageCount(LONG pidID, LONG* count)
{
    if (!count)
        return E_POINTER;
    KVDPLAY_NEED_SESSION();
    DWORD waiting = 0;
    const HRESULT hr = m_dp->GetMessageCount(static_cast<dp::DPID>(pidID), &waiting);
    *count = static_cast<LONG>(waiting);
    return check(hr);
}

HRESULT Session::GetPlayerName(LONG pidID, BSTR* lpPlayerFriendlyName, BSTR* lpPlayerFormalName)
{
    if (!lpPlayerFriendlyName || !lpPlayerFormalName)
        return E_POINTER;
    *lpPlayerFriendlyName = nullptr;
    *lpPlayerFormalName = nullptr;
    KVDPLAY_NEED_SESSION();
    const auto id = static_cast<dp::DPID>(pidID);
    DWORD friendlySize = 0, formalSize = 0;
    HRESULT hr = m_dp->GetPlayerName(id, nullptr, &friendlySize, nullptr, &formalSize);
    if (hr != DP_OK && hr != DPERR_BUFFERTOOSMALL)
        return report(hr);

    // One byte more than asked for, always zero: a name that fills its buffer to the end
    // still ends there.
    std::vector<char> friendly, formal;
    try {
        friendly.assign(std::size_t{friendlySize} + 1, '\0');
        formal.assign(std::size_t{formalSize} + 1, '\0');
    } catch (const std::bad_alloc&) {
        return report(E_OUTOFMEMORY);
    }
    DWORD friendlyGiven = friendlySize, formalGiven = formalSize;
    hr = m_dp->GetPlayerName(id, friendly.data(), &friendlyGiven, formal.data(), &formalGiven);
    if (hr != DP_OK)
        return report(hr);
    friendly.back() = '\0';
    formal.back() = '\0';

    BSTR friendlyText = stringFromAnsi(friendly.data(), friendly.size());
    BSTR formalText = stringFromAnsi(formal.data(), formal.size());
    if (!friendlyText || !formalText) {
        SysFreeString(friendlyText);
        SysFreeString(formalText);
        return report(E_OUTOFMEMORY);
    }
    *lpPlayerFriendlyName = friendlyText;
    *lpPlayerFormalName = formalText;
    return S_OK;
}

HRESULT Session::Open(IkvDPSESSIONDESC* lpSDesc)
{
    KVDPLAY_NEED_SESSION();
    dp::DPSESSIONDESC* record = nullptr;
    const HRESULT hr = DescriptionOf(lpSDesc, &record);
    if (FAILED(hr))
        return report(hr);
    return check(m_dp->Open(record));
}

HRESULT Session::OpenSession(IkvDPSESSIONDESC* lpSDesc) { return Open(lpSDesc); }

HRESULT Session::Receive(LONG pidFrom, LONG pidTo, LONG dwFlags, IkvDirectPlayMessage** message)
{
    if (!message)
        return E_POINTER;
    *message = nullptr;
    KVDPLAY_NEED_SESSION();
    const auto flags = static_cast<DWORD>(dwFlags);
    auto from = static_cast<dp::DPID>(pidFrom);
    auto to = static_cast<dp::DPID>(pidTo);
    DWORD size = 0;
    HRESULT hr = m_dp->Receive(&from, &to, flags, nullptr, &size);
    if (hr == DPERR_NOMESSAGES)
        return S_OK; // an empty queue: no object, and nothing to report
    if (hr == DP_OK) {
        // A message of no bytes fits the empty buffer; it has been taken, so it is handed out.
        Message* empty = Message::create();
        if (!empty)
            return report(E_OUTOFMEMORY);
        empty->setIds(static_cast<LONG>(from), static_cast<LONG>(to));
        *message = empty;
        return S_OK;
    }
    if (hr != DPERR_BUFFERTOOSMALL)
        return report(hr);

    Message* made = Message::create();
    if (!made)
        return report(E_OUTOFMEMORY);
    for (int attempt = 1;; ++attempt) {
        void* bytes = CoTaskMemAlloc(size);
        if (!bytes) {
            made->Release();
            return report(E_OUTOFMEMORY);
        }
        made->setIds(static_cast<LONG>(from), static_cast<LONG>(to));
        made->adoptBuffer(bytes, size); // from here on the message owns the buffer
        from = static_cast<dp::DPID>(pidFrom);
        to = static_cast<dp::DPID>(pidTo);
        DWORD given = size;
        hr = m_dp->Receive(&from, &to, flags, bytes, &given);
        if (hr == DP_OK) {
            made->setIds(static_cast<LONG>(from), static_cast<LONG>(to));
            made->adoptBuffer(bytes, std::min(given, size));
            *message = made;
            return S_OK;
        }
        // The message at the head grew since it was measured: measure again, a few times.
        if (hr == DPERR_BUFFERTOOSMALL && given > size && attempt < kReceiveAttempts) {
            size = given;
            continue;
        }
        made->Release();
        return hr == DPERR_NOMESSAGES ? S_OK : report(hr);
    }
}

HRESULT Session::SaveSession(BSTR lpSessionName)
{
    KVDPLAY_NEED_SESSION();
    AnsiText name;
    if (FAILED(name.set(lpSessionName)))
        return report(E_INVALIDARG);
    return check(m_dp->SaveSession(name.get()));
}

HRESULT Session::Send(LONG pidFrom, LONG pidTo, LONG dwFlags, VARIANT lpvBuffer, LONG* result)
{
    if (!result)
        return E_POINTER;
    *result = 0;
    KVDPLAY_NEED_SESSION();
    std::vector<BYTE> bytes;
    HRESULT hr = E_OUTOFMEMORY;
    try {
        hr = encodeVariantBuffer(lpvBuffer, bytes);
    } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY;
    }
    if (FAILED(hr))
        return report(hr);
    hr = m_dp->Send(static_cast<dp::DPID>(pidFrom), static_cast<dp::DPID>(pidTo), static_cast<DWORD>(dwFlags),
                    bytes.data(), static_cast<DWORD>(bytes.size()));
    if (hr < 0)
        return report(hr);
    *result = hr;
    return S_OK;
}

HRESULT Session::SetPlayerName(LONG pidID, BSTR lpPlayerFriendlyName, BSTR lpPlayerFormalName)
{
    KVDPLAY_NEED_SESSION();
    AnsiNames names;
    if (FAILED(names.set(lpPlayerFriendlyName, lpPlayerFormalName)))
        return report(E_INVALIDARG);
    return check(m_dp->SetPlayerName(static_cast<dp::DPID>(pidID), names.friendly.get(), names.formal.get()));
}

#undef KVDPLAY_NEED_SESSION

} // namespace kvdplay
