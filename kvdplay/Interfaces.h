#pragma once
// KVDPLAY's identities and dual interfaces, as a client (the game) and the library itself see
// them. The GUIDs were chosen once and never change: the registry, the type library and the
// game all use these values.
#include "platform/com/Interfaces.h"

namespace kvdplay {

using namespace platform::com;

// {D47166DC-C606-4A6E-9A8A-D1499153666D}
inline constexpr GUID LIBID_kvDirectPlayLib = {0xD47166DC, 0xC606, 0x4A6E, {0x9A, 0x8A, 0xD1, 0x49, 0x91, 0x53, 0x66, 0x6D}};
// {574A05AC-3AE0-4D46-A140-3C5EBF5457B6}
inline constexpr GUID CLSID_kvDirectPlayGlobal = {0x574A05AC, 0x3AE0, 0x4D46, {0xA1, 0x40, 0x3C, 0x5E, 0xBF, 0x54, 0x57, 0xB6}};
// {821CE3D5-761D-44FB-A2DC-EA9F3D9F8C3F}
inline constexpr GUID CLSID_kvDirectPlay = {0x821CE3D5, 0x761D, 0x44FB, {0xA2, 0xDC, 0xEA, 0x9F, 0x3D, 0x9F, 0x8C, 0x3F}};
// {D784B2EE-ACEC-465B-9761-A11288713A1F}
inline constexpr GUID CLSID_kvDPSESSIONDESC = {0xD784B2EE, 0xACEC, 0x465B, {0x97, 0x61, 0xA1, 0x12, 0x88, 0x71, 0x3A, 0x1F}};
// {4087BD1A-3CF6-4ADB-B1A3-DFB0165DF175}
inline constexpr GUID CLSID_kvDirectPlaySessions = {0x4087BD1A, 0x3CF6, 0x4ADB, {0xB1, 0xA3, 0xDF, 0xB0, 0x16, 0x5D, 0xF1, 0x75}};
// {37D6AE99-6521-4EEA-BA64-2CA5DAB83F59}
inline constexpr GUID CLSID_kvDirectPlayPlayers = {0x37D6AE99, 0x6521, 0x4EEA, {0xBA, 0x64, 0x2C, 0xA5, 0xDA, 0xB8, 0x3F, 0x59}};
// {EB3E0CB0-DDA7-4EFB-B4FF-D3C370CF5BDC}
inline constexpr GUID CLSID_kvDirectPlayPlayer = {0xEB3E0CB0, 0xDDA7, 0x4EFB, {0xB4, 0xFF, 0xD3, 0xC3, 0x70, 0xCF, 0x5B, 0xDC}};
// {FA1F6DCA-5859-4CDD-9662-FC2B61920A57}
inline constexpr GUID CLSID_kvDirectPlayProviders = {0xFA1F6DCA, 0x5859, 0x4CDD, {0x96, 0x62, 0xFC, 0x2B, 0x61, 0x92, 0x0A, 0x57}};
// {C434D746-A327-4AA1-8737-9317FEDC3722}
inline constexpr GUID CLSID_kvDirectPlayProvider = {0xC434D746, 0xA327, 0x4AA1, {0x87, 0x37, 0x93, 0x17, 0xFE, 0xDC, 0x37, 0x22}};
// {AD412D0F-788A-463B-B638-2935E0A79204}
inline constexpr GUID CLSID_kvDPCAPS = {0xAD412D0F, 0x788A, 0x463B, {0xB6, 0x38, 0x29, 0x35, 0xE0, 0xA7, 0x92, 0x04}};
// {A3862494-2BB2-42A8-A378-3A21926DBF85}
inline constexpr GUID CLSID_kvDirectPlayMessage = {0xA3862494, 0x2BB2, 0x42A8, {0xA3, 0x78, 0x3A, 0x21, 0x92, 0x6D, 0xBF, 0x85}};
// {632B077C-DF63-48FB-BAF1-9D6136AEB38B}
inline constexpr GUID CLSID_kvDPMSG_ADDPLAYER = {0x632B077C, 0xDF63, 0x48FB, {0xBA, 0xF1, 0x9D, 0x61, 0x36, 0xAE, 0xB3, 0x8B}};
// {0A32A56E-73F4-46AA-B39C-DB8986A4B682}
inline constexpr GUID CLSID_kvDPMSG_DELETEPLAYER = {0x0A32A56E, 0x73F4, 0x46AA, {0xB3, 0x9C, 0xDB, 0x89, 0x86, 0xA4, 0xB6, 0x82}};
// {34AC9897-0E1F-48E8-A080-25A5EA337D64}
inline constexpr GUID CLSID_kvDPMSG_GENERIC = {0x34AC9897, 0x0E1F, 0x48E8, {0xA0, 0x80, 0x25, 0xA5, 0xEA, 0x33, 0x7D, 0x64}};
// {5F484404-B96E-4C1F-92FE-25139D97A584}
inline constexpr GUID CLSID_kvDPMSG_GROUPADD = {0x5F484404, 0xB96E, 0x4C1F, {0x92, 0xFE, 0x25, 0x13, 0x9D, 0x97, 0xA5, 0x84}};
// {D816D389-3D2A-40F5-B8E7-E853546E9A3D}
inline constexpr GUID CLSID_kvPlay = {0xD816D389, 0x3D2A, 0x40F5, {0xB8, 0xE7, 0xE8, 0x53, 0x54, 0x6E, 0x9A, 0x3D}};
// {1094B955-CD97-40D4-A909-FBAF0E0EC90A}
inline constexpr GUID CLSID_kvPlayPpg = {0x1094B955, 0xCD97, 0x40D4, {0xA9, 0x09, 0xFB, 0xAF, 0x0E, 0x0E, 0xC9, 0x0A}};
// {4F0E31E8-8F69-444B-8866-4227FAC6C89B}
inline constexpr GUID IID_IkvDirectPlayGlobal = {0x4F0E31E8, 0x8F69, 0x444B, {0x88, 0x66, 0x42, 0x27, 0xFA, 0xC6, 0xC8, 0x9B}};
// {1259DD15-4494-42E3-BB00-FD43BD88F0D0}
inline constexpr GUID IID_IkvDirectPlay = {0x1259DD15, 0x4494, 0x42E3, {0xBB, 0x00, 0xFD, 0x43, 0xBD, 0x88, 0xF0, 0xD0}};
// {8633C409-9377-4E1C-8BB6-D2856868C27E}
inline constexpr GUID IID_IkvDPSESSIONDESC = {0x8633C409, 0x9377, 0x4E1C, {0x8B, 0xB6, 0xD2, 0x85, 0x68, 0x68, 0xC2, 0x7E}};
// {63E60AAD-2B68-42E2-8F65-4EDA12BA0578}
inline constexpr GUID IID_IkvDirectPlaySessions = {0x63E60AAD, 0x2B68, 0x42E2, {0x8F, 0x65, 0x4E, 0xDA, 0x12, 0xBA, 0x05, 0x78}};
// {C7A67C17-5CA6-419C-86B2-3F40FDFCE80D}
inline constexpr GUID IID_IkvDirectPlayPlayers = {0xC7A67C17, 0x5CA6, 0x419C, {0x86, 0xB2, 0x3F, 0x40, 0xFD, 0xFC, 0xE8, 0x0D}};
// {CF30FBA5-51CC-4BC9-AC8C-5E8E0DC79F60}
inline constexpr GUID IID_IkvDirectPlayPlayer = {0xCF30FBA5, 0x51CC, 0x4BC9, {0xAC, 0x8C, 0x5E, 0x8E, 0x0D, 0xC7, 0x9F, 0x60}};
// {DDFDA4C8-A321-498F-A4A2-E044CBC8ED9E}
inline constexpr GUID IID_IkvDirectPlayProviders = {0xDDFDA4C8, 0xA321, 0x498F, {0xA4, 0xA2, 0xE0, 0x44, 0xCB, 0xC8, 0xED, 0x9E}};
// {241023CD-2AB2-4893-ACAC-D9FA899BD373}
inline constexpr GUID IID_IkvDirectPlayProvider = {0x241023CD, 0x2AB2, 0x4893, {0xAC, 0xAC, 0xD9, 0xFA, 0x89, 0x9B, 0xD3, 0x73}};
// {DF9943D6-682D-41C7-AB1F-DCF86AEF0919}
inline constexpr GUID IID_IkvDPCAPS = {0xDF9943D6, 0x682D, 0x41C7, {0xAB, 0x1F, 0xDC, 0xF8, 0x6A, 0xEF, 0x09, 0x19}};
// {0742DA5B-862C-4D8E-8D34-5FE4B3C8C25F}
inline constexpr GUID IID_IkvDirectPlayMessage = {0x0742DA5B, 0x862C, 0x4D8E, {0x8D, 0x34, 0x5F, 0xE4, 0xB3, 0xC8, 0xC2, 0x5F}};
// {BE3DEDE9-58F1-48C3-9B13-02F30DC62635}
inline constexpr GUID IID_IkvDPMSG_ADDPLAYER = {0xBE3DEDE9, 0x58F1, 0x48C3, {0x9B, 0x13, 0x02, 0xF3, 0x0D, 0xC6, 0x26, 0x35}};
// {26E19309-E7F0-4D41-9C2D-E1BCAE2BEA87}
inline constexpr GUID IID_IkvDPMSG_DELETEPLAYER = {0x26E19309, 0xE7F0, 0x4D41, {0x9C, 0x2D, 0xE1, 0xBC, 0xAE, 0x2B, 0xEA, 0x87}};
// {CF1813E9-9519-4E7D-8772-C0DCDD6F018A}
inline constexpr GUID IID_IkvDPMSG_GENERIC = {0xCF1813E9, 0x9519, 0x4E7D, {0x87, 0x72, 0xC0, 0xDC, 0xDD, 0x6F, 0x01, 0x8A}};
// {6E125625-3F33-46F6-95B1-3AA89E4A7D21}
inline constexpr GUID IID_IkvDPMSG_GROUPADD = {0x6E125625, 0x3F33, 0x46F6, {0x95, 0xB1, 0x3A, 0xA8, 0x9E, 0x4A, 0x7D, 0x21}};
// {C64E1614-8B2A-41CE-AB18-90A53B6F8B41}
inline constexpr GUID IID_IkvPlay = {0xC64E1614, 0x8B2A, 0x41CE, {0xAB, 0x18, 0x90, 0xA5, 0x3B, 0x6F, 0x8B, 0x41}};
// {62E80F5E-2ED4-4F08-AD37-1E8F8B7ED1C1}
inline constexpr GUID DIID__DkvPlayEvents = {0x62E80F5E, 0x2ED4, 0x4F08, {0xAD, 0x37, 0x1E, 0x8F, 0x8B, 0x7E, 0xD1, 0xC1}};
// {DA1F6AAD-B463-403A-9A97-5F4162563341}
inline constexpr GUID IID_IkvStructAccess = {0xDA1F6AAD, 0xB463, 0x403A, {0x9A, 0x97, 0x5F, 0x41, 0x62, 0x56, 0x33, 0x41}};

#if defined(__clang__) || defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

// Private: hands out the address of the DirectPlay record an object wraps. Not in the type library.
class IkvStructAccess : public IUnknown {
public:
    virtual HRESULT GetStruct(void** address) = 0;

protected:
    ~IkvStructAccess() = default;
};

class IkvDPSESSIONDESC : public IDispatch {
public:
    virtual HRESULT get_dwSize(LONG* value) = 0;
    virtual HRESULT get_guidSession(VARIANT* value) = 0;
    virtual HRESULT put_guidSession(VARIANT value) = 0;
    virtual HRESULT get_dwSession(LONG* value) = 0;
    virtual HRESULT put_dwSession(LONG value) = 0;
    virtual HRESULT get_dwMaxPlayers(LONG* value) = 0;
    virtual HRESULT put_dwMaxPlayers(LONG value) = 0;
    virtual HRESULT get_dwCurrentPlayers(LONG* value) = 0;
    virtual HRESULT put_dwCurrentPlayers(LONG value) = 0;
    virtual HRESULT get_dwFlags(LONG* value) = 0;
    virtual HRESULT put_dwFlags(LONG value) = 0;
    virtual HRESULT get_szSessionName(BSTR* value) = 0;
    virtual HRESULT put_szSessionName(BSTR value) = 0;
    virtual HRESULT get_szUserField(BSTR* value) = 0;
    virtual HRESULT put_szUserField(BSTR value) = 0;
    virtual HRESULT get_dwReserved1(LONG* value) = 0;
    virtual HRESULT put_dwReserved1(LONG value) = 0;
    virtual HRESULT get_szPassword(BSTR* value) = 0;
    virtual HRESULT put_szPassword(BSTR value) = 0;
    virtual HRESULT get_dwReserved2(LONG* value) = 0;
    virtual HRESULT put_dwReserved2(LONG value) = 0;
    virtual HRESULT get_dwUser1(LONG* value) = 0;
    virtual HRESULT put_dwUser1(LONG value) = 0;
    virtual HRESULT get_dwUser2(LONG* value) = 0;
    virtual HRESULT put_dwUser2(LONG value) = 0;
    virtual HRESULT get_dwUser3(LONG* value) = 0;
    virtual HRESULT put_dwUser3(LONG value) = 0;
    virtual HRESULT get_dwUser4(LONG* value) = 0;
    virtual HRESULT put_dwUser4(LONG value) = 0;

protected:
    ~IkvDPSESSIONDESC() = default;
};

// The three collections share one shape; each is its own interface.
#define KVDPLAY_COLLECTION_INTERFACE(Name)                              \
    class Name : public IDispatch {                                     \
    public:                                                             \
        virtual HRESULT get_Item(LONG Index, IDispatch** item) = 0;     \
        virtual HRESULT get_Count(LONG* count) = 0;                     \
        virtual HRESULT get__NewEnum(IUnknown** enumerator) = 0;        \
                                                                        \
    protected:                                                          \
        ~Name() = default;                                              \
    };
KVDPLAY_COLLECTION_INTERFACE(IkvDirectPlayProviders)
KVDPLAY_COLLECTION_INTERFACE(IkvDirectPlayPlayers)
KVDPLAY_COLLECTION_INTERFACE(IkvDirectPlaySessions)
#undef KVDPLAY_COLLECTION_INTERFACE

class IkvDirectPlayPlayer : public IDispatch {
public:
    virtual HRESULT get_PlayerId(LONG* value) = 0;
    virtual HRESULT get_FriendlyName(BSTR* value) = 0;
    virtual HRESULT get_FormalName(BSTR* value) = 0;
    virtual HRESULT get_dwFlags(LONG* value) = 0;

protected:
    ~IkvDirectPlayPlayer() = default;
};

class IkvDirectPlayProvider : public IDispatch {
public:
    virtual HRESULT get_ProviderId(VARIANT* value) = 0;
    virtual HRESULT get_FriendlyName(BSTR* value) = 0;
    virtual HRESULT get_MajorVersion(LONG* value) = 0;
    virtual HRESULT get_MinorVersion(LONG* value) = 0;

protected:
    ~IkvDirectPlayProvider() = default;
};

class IkvDPCAPS : public IDispatch {
public:
    virtual HRESULT get_dwSize(LONG* value) = 0;
    virtual HRESULT get_dwFlags(LONG* value) = 0;
    virtual HRESULT get_dwMaxBufferSize(LONG* value) = 0;
    virtual HRESULT get_dwMaxQueueSize(LONG* value) = 0;
    virtual HRESULT get_dwMaxPlayers(LONG* value) = 0;
    virtual HRESULT get_dwHundredBaud(LONG* value) = 0;
    virtual HRESULT get_dwLatency(LONG* value) = 0;

protected:
    ~IkvDPCAPS() = default;
};

class IkvDirectPlayMessage : public IDispatch {
public:
    virtual HRESULT get_dpidFrom(LONG* value) = 0;
    virtual HRESULT get_dpidTo(LONG* value) = 0;
    virtual HRESULT get_vBuffer(VARIANT* value) = 0;
    virtual HRESULT get_SystemMessage(IDispatch** value) = 0;

protected:
    ~IkvDirectPlayMessage() = default;
};

class IkvDPMSG_ADDPLAYER : public IDispatch {
public:
    virtual HRESULT get_dwType(LONG* value) = 0;
    virtual HRESULT get_dwPlayerType(LONG* value) = 0;
    virtual HRESULT get_dpId(LONG* value) = 0;
    virtual HRESULT get_szLongName(BSTR* value) = 0;
    virtual HRESULT get_szShortName(BSTR* value) = 0;
    virtual HRESULT get_dwCurrentPlayers(LONG* value) = 0;

protected:
    ~IkvDPMSG_ADDPLAYER() = default;
};

class IkvDPMSG_DELETEPLAYER : public IDispatch {
public:
    virtual HRESULT get_dwType(LONG* value) = 0;
    virtual HRESULT get_dpId(LONG* value) = 0;

protected:
    ~IkvDPMSG_DELETEPLAYER() = default;
};

class IkvDPMSG_GROUPADD : public IDispatch {
public:
    virtual HRESULT get_dwType(LONG* value) = 0;
    virtual HRESULT get_dpIdGroup(LONG* value) = 0;
    virtual HRESULT get_dpIdPlayer(LONG* value) = 0;

protected:
    ~IkvDPMSG_GROUPADD() = default;
};

class IkvDPMSG_GENERIC : public IDispatch {
public:
    virtual HRESULT get_dwType(LONG* value) = 0;

protected:
    ~IkvDPMSG_GENERIC() = default;
};

// The session object: one member per DirectPlay call (two for Receive and GetPlayerName).
class IkvDirectPlay : public IDispatch {
public:
    virtual HRESULT AddPlayerToGroup(LONG pidGroup, LONG pidPlayer) = 0;
    virtual HRESULT Close() = 0;
    virtual HRESULT CreateGroup(BSTR lpGroupFriendlyName, BSTR lpGroupFormalName, LONG* pidGroup) = 0;
    virtual HRESULT CreatePlayer(BSTR lpPlayerFriendlyName, BSTR lpPlayerFormalName, LONG* pidPlayer) = 0;
    virtual HRESULT DeletePlayerFromGroup(LONG pidGroup, LONG pidPlayer) = 0;
    virtual HRESULT DestroyGroup(LONG pidID) = 0;
    virtual HRESULT DestroyPlayer(LONG pidID) = 0;
    virtual HRESULT EnableNewPlayers(VARIANT_BOOL bEnable) = 0;
    virtual HRESULT EnumGroups(LONG dwSessionID, LONG dwFlags, IkvDirectPlayPlayers** groups) = 0;
    virtual HRESULT EnumGroupPlayers(LONG pidGroupPID, LONG dwFlags, IkvDirectPlayPlayers** players) = 0;
    virtual HRESULT EnumPlayers(LONG dwSessionID, LONG dwFlags, IkvDirectPlayPlayers** players) = 0;
    virtual HRESULT EnumSessions(IkvDPSESSIONDESC* lpSDesc, LONG dwTimeout, LONG dwFlags,
                                 IkvDirectPlaySessions** sessions) = 0;
    virtual HRESULT GetCaps(IkvDPCAPS** caps) = 0;
    virtual HRESULT GetMessageCount(LONG pidID, LONG* count) = 0;
    virtual HRESULT GetPlayerCaps(LONG pidID, IkvDPCAPS** caps) = 0;
    virtual HRESULT GetPlayerName(LONG pidID, BSTR* lpPlayerFriendlyName, BSTR* lpPlayerFormalName) = 0;
    virtual HRESULT Open(IkvDPSESSIONDESC* lpSDesc) = 0;
    virtual HRESULT Receive(LONG pidFrom, LONG pidTo, LONG dwFlags, IkvDirectPlayMessage** message) = 0;
    virtual HRESULT SaveSession(BSTR lpSessionName) = 0;
    virtual HRESULT Send(LONG pidFrom, LONG pidTo, LONG dwFlags, VARIANT lpvBuffer, LONG* result) = 0;
    virtual HRESULT SetPlayerName(LONG pidID, BSTR lpPlayerFriendlyName, BSTR lpPlayerFormalName) = 0;
    virtual HRESULT CloseSession() = 0;
    virtual HRESULT OpenSession(IkvDPSESSIONDESC* lpSDesc) = 0;

protected:
    ~IkvDirectPlay() = default;
};

// The entry object: providers, session objects and buffer lengths.
class IkvDirectPlayGlobal : public IDispatch {
public:
    virtual HRESULT DirectPlayCreate(VARIANT vProviderId, IkvDirectPlay** session) = 0;
    virtual HRESULT DirectPlayEnumerate(IkvDirectPlayProviders** providers) = 0;
    virtual HRESULT BufferLength(VARIANT vBuffer, LONG* length) = 0;

protected:
    ~IkvDirectPlayGlobal() = default;
};

// The control that carries the application's session GUID.
class IkvPlay : public IDispatch {
public:
    virtual HRESULT get_guidSession(BSTR* value) = 0;
    virtual HRESULT put_guidSession(BSTR value) = 0;
    virtual HRESULT AboutBox() = 0;

protected:
    ~IkvPlay() = default;
};

#if defined(__clang__) || defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

} // namespace kvdplay
