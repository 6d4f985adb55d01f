#pragma once
// kvDirectPlay: the session object. It wraps one IDirectPlay of the networking library and
// turns each member into one call on it (two for Receive and GetPlayerName): automation text
// becomes 8-bit text, descriptions become their records, values become message bytes, and
// enumerations and messages come back as objects. It keeps no session state of its own.
#include "kvdplay/Object.h"
#include "platform/dplay/DPlay.h"

#include <optional>

namespace kvdplay {

// How often Receive asks again when the message at the head outgrew the buffer it was given.
inline constexpr int kReceiveAttempts = 4;

class Session final : public DualObject<Session, IkvDirectPlay> {
public:
    static const InterfaceInfo& dispatchInfo();
    static const CLSID& classId() { return CLSID_kvDirectPlay; }

    // Takes over the caller's one reference.
    void attach(platform::dplay::IDirectPlay* directPlay);

    HRESULT AddPlayerToGroup(LONG pidGroup, LONG pidPlayer) override;
    HRESULT Close() override;
    HRESULT CreateGroup(BSTR lpGroupFriendlyName, BSTR lpGroupFormalName, LONG* pidGroup) override;
    HRESULT CreatePlayer(BSTR lpPlayerFriendlyName, BSTR lpPlayerFormalName, LONG* pidPlayer) override;
    HRESULT DeletePlayerFromGroup(LONG pidGroup, LONG pidPlayer) override;
    HRESULT DestroyGroup(LONG pidID) override;
    HRESULT DestroyPlayer(LONG pidID) override;
    HRESULT EnableNewPlayers(VARIANT_BOOL bEnable) override;
    HRESULT EnumGroups(LONG dwSessionID, LONG dwFlags, IkvDirectPlayPlayers** groups) override;
    HRESULT EnumGroupPlayers(LONG pidGroupPID, LONG dwFlags, IkvDirectPlayPlayers** players) override;
    HRESULT EnumPlayers(LONG dwSessionID, LONG dwFlags, IkvDirectPlayPlayers** players) override;
    HRESULT EnumSessions(IkvDPSESSIONDESC* lpSDesc, LONG dwTimeout, LONG dwFlags,
                         IkvDirectPlaySessions** sessions) override;
    HRESULT GetCaps(IkvDPCAPS** caps) override;
    HRESULT GetMessageCount(LONG pidID, LONG* count) override;
    HRESULT GetPlayerCaps(LONG pidID, IkvDPCAPS** caps) override;
    HRESULT GetPlayerName(LONG pidID, BSTR* lpPlayerFriendlyName, BSTR* lpPlayerFormalName) override;
    HRESULT Open(IkvDPSESSIONDESC* lpSDesc) override;
    HRESULT Receive(LONG pidFrom, LONG pidTo, LONG dwFlags, IkvDirectPlayMessage** message) override;
    HRESULT SaveSession(BSTR lpSessionName) override;
    HRESULT Send(LONG pidFrom, LONG pidTo, LONG dwFlags, VARIANT lpvBuffer, LONG* result) override;
    HRESULT SetPlayerName(LONG pidID, BSTR lpPlayerFriendlyName, BSTR lpPlayerFormalName) override;
    HRESULT CloseSession() override;
    HRESULT OpenSession(IkvDPSESSIONDESC* lpSDesc) override;

private:
    friend class DualObject<Session, IkvDirectPlay>;
    Session() = default;
    ~Session();

    // Any non-zero result is reported; zero passes.
    HRESULT check(HRESULT hr) const { return hr == 0 ? S_OK : report(hr); }
    HRESULT enumPlayers(int which, LONG first, LONG dwFlags, IkvDirectPlayPlayers** out);
    // Creates a group (group true) or a player under its two names and hands out its id.
    HRESULT createNamed(bool group, BSTR friendlyName, BSTR formalName, LONG* id);
    // Capabilities of the session, or of one player when one is named.
    HRESULT capsOf(std::optional<LONG> player, IkvDPCAPS** caps);

    platform::dplay::IDirectPlay* m_dp = nullptr;
};

// The record behind a session-description argument: null for an absent object, E_INVALIDARG
// for an object of another kind.
HRESULT DescriptionOf(IUnknown* lpSDesc, platform::dplay::DPSESSIONDESC** record);

} // namespace kvdplay
