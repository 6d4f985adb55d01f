#pragma once
// Our peer-session networking library ("dplay"): the interface KVDPLAY drives for LAN games.
// It is a shared library of its own, loaded by name at run time; callers find its two entry
// points with dlsym and talk to a session through IDirectPlay, whose members keep one fixed
// order so the table of virtual functions is the same wherever it is built.
// Records are little-endian and packed exactly as their byte sizes say.
#include "platform/com/Types.h"
#include "platform/com/Unknown.h"

#include <cstddef>

namespace platform::dplay {

using com::BOOL;
using com::DWORD;
using com::GUID;
using com::HRESULT;
using com::IID;
using com::IUnknown;

using DPID = DWORD;
using LPDPID = DPID*;
using LPDWORD = DWORD*;
using LPSTR = char*;
using LPVOID = void*;
using LPGUID = GUID*;
using HANDLE = void*;
using LPHANDLE = HANDLE*;

// Identities of our own making.
// {abe6ec07-4d34-44da-8dc5-f80a55edf994}
inline constexpr IID IID_IDirectPlay = {0xabe6ec07, 0x4d34, 0x44da, {0x8d, 0xc5, 0xf8, 0x0a, 0x55, 0xed, 0xf9, 0x94}};
// The one service provider: {90890d72-6113-4359-9479-a00c64d00671}
inline constexpr GUID DPSPGUID_TCPIP = {0x90890d72, 0x6113, 0x4359, {0x94, 0x79, 0xa0, 0x0c, 0x64, 0xd0, 0x06, 0x71}};
inline constexpr char kProviderName[] = "TCP/IP Network";
inline constexpr DWORD kProviderMajorVersion = 1;
inline constexpr DWORD kProviderMinorVersion = 0;

// ---- Results -------------------------------------------------------------------------------
inline constexpr HRESULT DP_OK = 0;
inline constexpr HRESULT DPERR_ALREADYINITIALIZED = com::hr32(0x88770005u);
inline constexpr HRESULT DPERR_ACCESSDENIED = com::hr32(0x8877000Au);
inline constexpr HRESULT DPERR_OUTOFMEMORY = com::E_OUTOFMEMORY;
inline constexpr HRESULT DPERR_ACTIVEPLAYERS = com::hr32(0x88770014u);
inline constexpr HRESULT DPERR_BUFFERTOOSMALL = com::hr32(0x8877001Eu);
inline constexpr HRESULT DPERR_CANTADDPLAYER = com::hr32(0x88770028u);
inline constexpr HRESULT DPERR_CANTCREATEGROUP = com::hr32(0x88770032u);
inline constexpr HRESULT DPERR_CANTCREATEPLAYER = com::hr32(0x8877003Cu);
inline constexpr HRESULT DPERR_CANTCREATESESSION = com::hr32(0x88770046u);
inline constexpr HRESULT DPERR_CAPSNOTAVAILABLEYET = com::hr32(0x88770050u);
inline constexpr HRESULT DPERR_INVALIDPARAM = com::E_INVALIDARG;
inline constexpr HRESULT DPERR_EXCEPTION = com::hr32(0x8877005Au);
inline constexpr HRESULT DPERR_INVALIDFLAGS = com::hr32(0x88770078u);
inline constexpr HRESULT DPERR_INVALIDOBJECT = com::hr32(0x88770082u);
inline constexpr HRESULT DPERR_INVALIDPLAYER = com::hr32(0x88770096u);
inline constexpr HRESULT DPERR_NOCAPS = com::hr32(0x887700A0u);
inline constexpr HRESULT DPERR_NOCONNECTION = com::hr32(0x887700AAu);
inline constexpr HRESULT DPERR_NOMESSAGES = com::hr32(0x887700BEu);
inline constexpr HRESULT DPERR_NONAMESERVERFOUND = com::hr32(0x887700C8u);
inline constexpr HRESULT DPERR_NOPLAYERS = com::hr32(0x887700D2u);
inline constexpr HRESULT DPERR_NOSESSIONS = com::hr32(0x887700DCu);
inline constexpr HRESULT DPERR_SENDTOOBIG = com::hr32(0x887700E6u);
inline constexpr HRESULT DPERR_TIMEOUT = com::hr32(0x887700F0u);
inline constexpr HRESULT DPERR_UNAVAILABLE = com::hr32(0x887700FAu);
inline constexpr HRESULT DPERR_BUSY = com::hr32(0x8877010Eu);
inline constexpr HRESULT DPERR_USERCANCEL = com::hr32(0x88770118u);
inline constexpr HRESULT DPERR_UNSUPPORTED = com::E_NOTIMPL;
inline constexpr HRESULT DPERR_GENERIC = com::E_FAIL;

// ---- Flags ---------------------------------------------------------------------------------
inline constexpr DPID DPID_ALLPLAYERS = 0;  // as a receiver: every other player; as a sender: the system

inline constexpr DWORD DPCAPS_NAMESERVICE = 1;
inline constexpr DWORD DPCAPS_NAMESERVER = 2;
inline constexpr DWORD DPCAPS_GUARANTEED = 4;

inline constexpr DWORD DPENUMSESSIONS_AVAILABLE = 1;
inline constexpr DWORD DPENUMSESSIONS_ALL = 2;
inline constexpr DWORD DPENUMSESSIONS_PREVIOUS = 4;

inline constexpr DWORD DPENUMPLAYERS_ALL = 0;
inline constexpr DWORD DPENUMPLAYERS_PREVIOUS = 4;
inline constexpr DWORD DPENUMPLAYERS_LOCAL = 8;
inline constexpr DWORD DPENUMPLAYERS_REMOTE = 16;
inline constexpr DWORD DPENUMPLAYERS_GROUP = 32;
inline constexpr DWORD DPENUMPLAYERS_SESSION = 128;

inline constexpr DWORD DPOPEN_OPENSESSION = 1;
inline constexpr DWORD DPOPEN_CREATESESSION = 2;

inline constexpr DWORD DPRECEIVE_ALL = 1;
inline constexpr DWORD DPRECEIVE_TOPLAYER = 2;
inline constexpr DWORD DPRECEIVE_FROMPLAYER = 4;
inline constexpr DWORD DPRECEIVE_PEEK = 8;

inline constexpr DWORD DPSEND_GUARANTEE = 1;
inline constexpr DWORD DPSEND_HIGHPRIORITY = 2;
inline constexpr DWORD DPSEND_TRYONCE = 4;

inline constexpr DWORD DPPLAYERTYPE_GROUP = 0;
inline constexpr DWORD DPPLAYERTYPE_PLAYER = 1;

inline constexpr DWORD DPSYS_ADDPLAYER = 3;
inline constexpr DWORD DPSYS_DELETEPLAYER = 5;
inline constexpr DWORD DPSYS_ADDPLAYERTOGROUP = 7;
inline constexpr DWORD DPSYS_DELETEGROUP = 32;
inline constexpr DWORD DPSYS_DELETEPLAYERFROMGRP = 33;
inline constexpr DWORD DPSYS_SESSIONLOST = 49;
inline constexpr DWORD DPSYS_CONNECT = 18507;

// The last call of a session enumeration: the time-out has run out.
inline constexpr DWORD DPESC_TIMEDOUT = 1;

inline constexpr std::size_t DPSESSIONNAMELEN = 32;
inline constexpr std::size_t DPUSERRESERVED = 16;
inline constexpr std::size_t DPPASSWORDLEN = 16;
inline constexpr std::size_t DPLONGNAMELEN = 52;
inline constexpr std::size_t DPSHORTNAMELEN = 20;

// ---- Records -------------------------------------------------------------------------------
struct DPSESSIONDESC {
    DWORD dwSize;
    GUID guidSession;
    DWORD dwSession;
    DWORD dwMaxPlayers;
    DWORD dwCurrentPlayers;
    DWORD dwFlags;
    char szSessionName[DPSESSIONNAMELEN];
    char szUserField[DPUSERRESERVED];
    DWORD dwReserved1;
    char szPassword[DPPASSWORDLEN];
    DWORD dwReserved2;
    DWORD dwUser1;
    DWORD dwUser2;
    DWORD dwUser3;
    DWORD dwUser4;
};
using LPDPSESSIONDESC = DPSESSIONDESC*;
static_assert(sizeof(DPSESSIONDESC) == 124);
static_assert(offsetof(DPSESSIONDESC, dwMaxPlayers) == 24);
static_assert(offsetof(DPSESSIONDESC, dwFlags) == 32);
static_assert(offsetof(DPSESSIONDESC, szSessionName) == 36);
static_assert(offsetof(DPSESSIONDESC, szPassword) == 88);
static_assert(offsetof(DPSESSIONDESC, dwUser4) == 120);

struct DPCAPS {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwMaxBufferSize;
    DWORD dwMaxQueueSize;
    DWORD dwMaxPlayers;
    DWORD dwHundredBaud;
    DWORD dwLatency;
};
using LPDPCAPS = DPCAPS*;
static_assert(sizeof(DPCAPS) == 28);

// System messages: Receive hands them out with sender id 0.
struct DPMSG_GENERIC {
    DWORD dwType;
};
struct DPMSG_ADDPLAYER {
    DWORD dwType;
    DWORD dwPlayerType;
    DPID dpId;
    char szLongName[DPLONGNAMELEN];
    char szShortName[DPSHORTNAMELEN];
    DWORD dwCurrentPlayers;
};
struct DPMSG_DELETEPLAYER {
    DWORD dwType;
    DPID dpId;
};
struct DPMSG_GROUPADD {
    DWORD dwType;
    DPID dpIdGroup;
    DPID dpIdPlayer;
};
static_assert(sizeof(DPMSG_ADDPLAYER) == 88 && offsetof(DPMSG_ADDPLAYER, szShortName) == 64);
static_assert(sizeof(DPMSG_DELETEPLAYER) == 8);
static_assert(sizeof(DPMSG_GROUPADD) == 12);

// ---- Callbacks -----------------------------------------------------------------------------
// All of them run on the caller's thread, inside the call that takes them; true goes on.
using LPDPENUMDPCALLBACK = BOOL (*)(LPGUID lpSPGuid, LPSTR lpFriendlyName, DWORD dwMajorVersion,
                                    DWORD dwMinorVersion, LPVOID lpContext);
using LPDPENUMPLAYERSCALLBACK = BOOL (*)(DPID dpId, LPSTR lpFriendlyName, LPSTR lpFormalName,
                                         DWORD dwFlags, LPVOID lpContext);
using LPDPENUMSESSIONSCALLBACK = BOOL (*)(LPDPSESSIONDESC lpDPSessionDesc, LPVOID lpContext,
                                          LPDWORD lpdwTimeOut, DWORD dwFlags);

// ---- The session interface -----------------------------------------------------------------
#if defined(__clang__) || defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class IDirectPlay : public IUnknown {
public:
    virtual HRESULT AddPlayerToGroup(DPID pidGroup, DPID pidPlayer) = 0;
    virtual HRESULT Close() = 0;
    virtual HRESULT CreatePlayer(LPDPID lppidID, LPSTR lpPlayerFriendlyName, LPSTR lpPlayerFormalName,
                                 LPHANDLE lpEvent) = 0;
    virtual HRESULT CreateGroup(LPDPID lppidID, LPSTR lpGroupFriendlyName, LPSTR lpGroupFormalName) = 0;
    virtual HRESULT DeletePlayerFromGroup(DPID pidGroup, DPID pidPlayer) = 0;
    virtual HRESULT DestroyPlayer(DPID pidID) = 0;
    virtual HRESULT DestroyGroup(DPID pidID) = 0;
    virtual HRESULT EnableNewPlayers(BOOL bEnable) = 0;
    virtual HRESULT EnumGroupPlayers(DPID pidGroupPID, LPDPENUMPLAYERSCALLBACK lpEnumPlayersCallback,
                                     LPVOID lpContext, DWORD dwFlags) = 0;
    virtual HRESULT EnumGroups(DWORD dwSessionID, LPDPENUMPLAYERSCALLBACK lpEnumPlayersCallback,
                               LPVOID lpContext, DWORD dwFlags) = 0;
    virtual HRESULT EnumPlayers(DWORD dwSessionID, LPDPENUMPLAYERSCALLBACK lpEnumPlayersCallback,
                                LPVOID lpContext, DWORD dwFlags) = 0;
    virtual HRESULT EnumSessions(LPDPSESSIONDESC lpSDesc, DWORD dwTimeout,
                                 LPDPENUMSESSIONSCALLBACK lpEnumSessionsCallback, LPVOID lpContext,
                                 DWORD dwFlags) = 0;
    virtual HRESULT GetCaps(LPDPCAPS lpDPCaps) = 0;
    virtual HRESULT GetMessageCount(DPID pidID, LPDWORD lpdwCount) = 0;
    virtual HRESULT GetPlayerCaps(DPID pidID, LPDPCAPS lpDPPlayerCaps) = 0;
    virtual HRESULT GetPlayerName(DPID pidID, LPSTR lpPlayerFriendlyName, LPDWORD lpdwFriendlyNameLength,
                                  LPSTR lpPlayerFormalName, LPDWORD lpdwFormalNameLength) = 0;
    virtual HRESULT Initialize(LPGUID lpGUID) = 0;
    virtual HRESULT Open(LPDPSESSIONDESC lpSDesc) = 0;
    virtual HRESULT Receive(LPDPID lppidFrom, LPDPID lppidTo, DWORD dwFlags, LPVOID lpvBuffer,
                            LPDWORD lpdwSize) = 0;
    virtual HRESULT SaveSession(LPSTR lpSessionName) = 0;
    virtual HRESULT Send(DPID pidFrom, DPID pidTo, DWORD dwFlags, LPVOID lpvBuffer, DWORD dwBuffSize) = 0;
    virtual HRESULT SetPlayerName(DPID pidID, LPSTR lpPlayerFriendlyName, LPSTR lpPlayerFormalName) = 0;

protected:
    ~IDirectPlay() = default;
};
#if defined(__clang__) || defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
using LPDIRECTPLAY = IDirectPlay*;

// ---- Entry points, looked up by name -------------------------------------------------------
using DirectPlayCreateFn = HRESULT (*)(LPGUID lpGUID, IDirectPlay** lplpDP, IUnknown* pUnk);
using DirectPlayEnumerateFn = HRESULT (*)(LPDPENUMDPCALLBACK lpEnumCallback, LPVOID lpContext);
inline constexpr char kLibraryName[] = "libdplay.so";
inline constexpr char kCreateEntry[] = "DirectPlayCreate";
inline constexpr char kEnumerateEntry[] = "DirectPlayEnumerate";

} // namespace platform::dplay

extern "C" {
platform::dplay::HRESULT DirectPlayCreate(platform::dplay::LPGUID lpGUID, platform::dplay::IDirectPlay** lplpDP,
                                          platform::dplay::IUnknown* pUnk);
platform::dplay::HRESULT DirectPlayEnumerate(platform::dplay::LPDPENUMDPCALLBACK lpEnumCallback,
                                             platform::dplay::LPVOID lpContext);
}
