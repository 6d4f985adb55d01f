#include "kvdplay/TypeTables.h"

#include "kvdplay/Collections.h"
#include "kvdplay/Control.h"
#include "kvdplay/DispatchArgs.h"
#include "kvdplay/Errors.h"
#include "kvdplay/Global.h"
#include "kvdplay/Message.h"
#include "kvdplay/Session.h"
#include "kvdplay/SessionDesc.h"

namespace kvdplay {

namespace {

constexpr std::uint8_t kDual = IfDual | IfHidden | IfOleAutomation;

using D = IkvDPSESSIONDESC;
const MemberInfo kSessionDescMembers[] = {
    propGet<&D::get_dwSize>("dwSize", 1, 495),
    propGet<&D::get_guidSession>("guidSession", 2, 585),
    propPut<&D::put_guidSession>("guidSession", 2, 585),
    propGet<&D::get_dwSession>("dwSession", 3, 583),
    propPut<&D::put_dwSession>("dwSession", 3, 583),
    propGet<&D::get_dwMaxPlayers>("dwMaxPlayers", 4, 582),
    propPut<&D::put_dwMaxPlayers>("dwMaxPlayers", 4, 582),
    propGet<&D::get_dwCurrentPlayers>("dwCurrentPlayers", 5, 580),
    propPut<&D::put_dwCurrentPlayers>("dwCurrentPlayers", 5, 580),
    propGet<&D::get_dwFlags>("dwFlags", 6, 581),
    propPut<&D::put_dwFlags>("dwFlags", 6, 581),
    propGet<&D::get_szSessionName>("szSessionName", 7, 587),
    propPut<&D::put_szSessionName>("szSessionName", 7, 587),
    propGet<&D::get_szUserField>("szUserField", 8, 588),
    propPut<&D::put_szUserField>("szUserField", 8, 588),
    propGet<&D::get_dwReserved1>("dwReserved1", 9, 816407),
    propPut<&D::put_dwReserved1>("dwReserved1", 9, 816407),
    propGet<&D::get_szPassword>("szPassword", 10, 586),
    propPut<&D::put_szPassword>("szPassword", 10, 586),
    propGet<&D::get_dwReserved2>("dwReserved2", 11, 816407),
    propPut<&D::put_dwReserved2>("dwReserved2", 11, 816407),
    propGet<&D::get_dwUser1>("dwUser1", 12, 584),
    propPut<&D::put_dwUser1>("dwUser1", 12, 584),
    propGet<&D::get_dwUser2>("dwUser2", 13, 584),
    propPut<&D::put_dwUser2>("dwUser2", 13, 584),
    propGet<&D::get_dwUser3>("dwUser3", 14, 584),
    propPut<&D::put_dwUser3>("dwUser3", 14, 584),
    propGet<&D::get_dwUser4>("dwUser4", 15, 584),
    propPut<&D::put_dwUser4>("dwUser4", 15, 584),
};

template <typename I>
constexpr MemberInfo collectionMembers(DWORD help, int which)
{
    return which == 0   ? propGet<&I::get_Item>("Item", DISPID_VALUE, help, "Index")
        : which == 1 ? propGet<&I::get_Count>("Count", 1, help)
                     : propGet<&I::get__NewEnum>("_NewEnum", DISPID_NEWENUM, help);
}

const MemberInfo kProvidersMembers[] = {
    collectionMembers<IkvDirectPlayProviders>(374, 0),
    collectionMembers<IkvDirectPlayProviders>(374, 1),
    collectionMembers<IkvDirectPlayProviders>(374, 2),
};
const MemberInfo kPlayersMembers[] = {
    collectionMembers<IkvDirectPlayPlayers>(346, 0),
    collectionMembers<IkvDirectPlayPlayers>(346, 1),
    collectionMembers<IkvDirectPlayPlayers>(346, 2),
};
const MemberInfo kSessionsMembers[] = {
    collectionMembers<IkvDirectPlaySessions>(378, 0),
    collectionMembers<IkvDirectPlaySessions>(378, 1),
    collectionMembers<IkvDirectPlaySessions>(378, 2),
};

const MemberInfo kPlayerMembers[] = {
    propGet<&IkvDirectPlayPlayer::get_PlayerId>("PlayerId", 0, 341),
    propGet<&IkvDirectPlayPlayer::get_FriendlyName>("FriendlyName", 1, 336),
    propGet<&IkvDirectPlayPlayer::get_FormalName>("FormalName", 2, 331),
    propGet<&IkvDirectPlayPlayer::get_dwFlags>("dwFlags", 3, 325),
};

const MemberInfo kProviderMembers[] = {
    propGet<&IkvDirectPlayProvider::get_ProviderId>("ProviderId", 0, 369),
    propGet<&IkvDirectPlayProvider::get_FriendlyName>("FriendlyName", 1, 354),
    propGet<&IkvDirectPlayProvider::get_MajorVersion>("MajorVersion", 2, 359),
    propGet<&IkvDirectPlayProvider::get_MinorVersion>("MinorVersion", 3, 364),
};

const MemberInfo kCapsMembers[] = {
    propGet<&IkvDPCAPS::get_dwSize>("dwSize", 1, 417),
    propGet<&IkvDPCAPS::get_dwFlags>("dwFlags", 2, 386),
    propGet<&IkvDPCAPS::get_dwMaxBufferSize>("dwMaxBufferSize", 3, 402),
    propGet<&IkvDPCAPS::get_dwMaxQueueSize>("dwMaxQueueSize", 4, 412),
    propGet<&IkvDPCAPS::get_dwMaxPlayers>("dwMaxPlayers", 5, 578),
    propGet<&IkvDPCAPS::get_dwHundredBaud>("dwHundredBaud", 6, 392),
    propGet<&IkvDPCAPS::get_dwLatency>("dwLatency", 7, 397),
};

const MemberInfo kMessageMembers[] = {
    propGet<&IkvDirectPlayMessage::get_dpidFrom>("dpidFrom", 1, 301),
    propGet<&IkvDirectPlayMessage::get_dpidTo>("dpidTo", 2, 306),
    propGet<&IkvDirectPlayMessage::get_vBuffer>("vBuffer", 3, 316),
    propGet<&IkvDirectPlayMessage::get_SystemMessage>("SystemMessage", 4, 311),
};

const MemberInfo kAddPlayerMembers[] = {
    propGet<&IkvDPMSG_ADDPLAYER::get_dwType>("dwType", 1, 439),
    propGet<&IkvDPMSG_ADDPLAYER::get_dwPlayerType>("dwPlayerType", 2, 434),
    propGet<&IkvDPMSG_ADDPLAYER::get_dpId>("dpId", 3, 426),
    propGet<&IkvDPMSG_ADDPLAYER::get_szLongName>("szLongName", 4, 444),
    propGet<&IkvDPMSG_ADDPLAYER::get_szShortName>("szShortName", 5, 448),
    propGet<&IkvDPMSG_ADDPLAYER::get_dwCurrentPlayers>("dwCurrentPlayers", 6, 579),
};
const MemberInfo kDeletePlayerMembers[] = {
    propGet<&IkvDPMSG_DELETEPLAYER::get_dwType>("dwType", 1, 460),
    propGet<&IkvDPMSG_DELETEPLAYER::get_dpId>("dpId", 2, 456),
};
const MemberInfo kGroupAddMembers[] = {
    propGet<&IkvDPMSG_GROUPADD::get_dwType>("dwType", 1, 486),
    propGet<&IkvDPMSG_GROUPADD::get_dpIdGroup>("dpIdGroup", 2, 478),
    propGet<&IkvDPMSG_GROUPADD::get_dpIdPlayer>("dpIdPlayer", 3, 482),
};
const MemberInfo kGenericMembers[] = {
    propGet<&IkvDPMSG_GENERIC::get_dwType>("dwType", 1, 469),
};

const MemberInfo kGlobalMembers[] = {
    methodWithResult<&IkvDirectPlayGlobal::DirectPlayCreate>("DirectPlayCreate", 1, 289, "vProviderId"),
    methodWithResult<&IkvDirectPlayGlobal::DirectPlayEnumerate>("DirectPlayEnumerate", 2, 293),
    methodWithResult<&IkvDirectPlayGlobal::BufferLength>("BufferLength", 3, 285, "vBuffer"),
};

// GetPlayerName hands back two names through by-reference arguments (strings, or VARIANTs
// that receive strings), which the generic table entries do not carry.
HRESULT storeName(VARIANT& target, BSTR name)
{
    if (target.vt == (VT_BYREF | VT_BSTR) && target.pbstrVal) {
        SysFreeString(*target.pbstrVal);
        *target.pbstrVal = name;
        return S_OK;
    }
    if (target.vt == (VT_BYREF | VT_VARIANT) && target.pvarVal) {
        VariantClear(target.pvarVal);
        target.pvarVal->vt = VT_BSTR;
        target.pvarVal->bstrVal = name;
        return S_OK;
    }
    SysFreeString(name);
    return DISP_E_TYPEMISMATCH;
}

bool canHoldName(const VARIANT& target)
{
    return (target.vt == (VT_BYREF | VT_BSTR) && target.pbstrVal)
        || (target.vt == (VT_BYREF | VT_VARIANT) && target.pvarVal);
}

HRESULT invokeGetPlayerName(void* self, const DISPPARAMS& params, VARIANT*, UINT* argErr)
{
    // Arguments arrive last first: [2] the id, [1] the friendly name, [0] the formal name.
    detail::InArg<LONG> id;
    HRESULT hr = id.from(params.rgvarg[2]);
    if (FAILED(hr)) {
        if (argErr)
            *argErr = 2;
        return hr;
    }
    for (UINT i = 0; i < 2; ++i)
        if (!canHoldName(params.rgvarg[i])) {
            if (argErr)
                *argErr = i;
            return DISP_E_TYPEMISMATCH;
        }
    BSTR friendly = nullptr, formal = nullptr;
    hr = static_cast<IkvDirectPlay*>(self)->GetPlayerName(id.get(), &friendly, &formal);
    if (FAILED(hr))
        return hr;
    storeName(params.rgvarg[1], friendly);
    storeName(params.rgvarg[0], formal);
    return hr;
}

// The id goes in; the two names come back through their by-reference arguments.
constexpr ArgType kGetPlayerNameTypes[] = {{VT_I4}, {VT_BSTR, true}, {VT_BSTR, true}, {VT_VOID}};

using S = IkvDirectPlay;
const MemberInfo kSessionMembers[] = {
    method<&S::AddPlayerToGroup>("AddPlayerToGroup", 1, 259, "pidGroup", "pidPlayer"),
    method<&S::Close>("Close", 2, 263),
    methodWithResult<&S::CreateGroup>("CreateGroup", 3, 273, "lpGroupFriendlyName", "lpGroupFormalName"),
    methodWithResult<&S::CreatePlayer>("CreatePlayer", 4, 560, "lpPlayerFriendlyName", "lpPlayerFormalName"),
    method<&S::DeletePlayerFromGroup>("DeletePlayerFromGroup", 5, 561, "pidGroup", "pidPlayer"),
    method<&S::DestroyGroup>("DestroyGroup", 6, 562, "pidID"),
    method<&S::DestroyPlayer>("DestroyPlayer", 7, 563, "pidID"),
    method<&S::EnableNewPlayers>("EnableNewPlayers", 8, 564, "bEnable"),
    methodWithResult<&S::EnumGroups>("EnumGroups", 9, 566, "dwSessionID", "dwFlags"),
    methodWithResult<&S::EnumGroupPlayers>("EnumGroupPlayers", 10, 565, "pidGroupPID", "dwFlags"),
    methodWithResult<&S::EnumPlayers>("EnumPlayers", 11, 567, "dwSessionID", "dwFlags"),
    methodWithResult<&S::EnumSessions>("EnumSessions", 12, 568, "lpSDesc", "dwTimeout", "dwFlags"),
    methodWithResult<&S::GetCaps>("GetCaps", 13, 816),
    methodWithResult<&S::GetMessageCount>("GetMessageCount", 14, 570, "pidID"),
    methodWithResult<&S::GetPlayerCaps>("GetPlayerCaps", 15, 571, "pidID"),
    {"GetPlayerName", 16, MemberKind::Method, 572, 3, {"pidID", "lpPlayerFriendlyName", "lpPlayerFormalName", nullptr},
     &invokeGetPlayerName, kGetPlayerNameTypes, false},
    method<&S::Open>("Open", 17, 573, "lpSDesc"),
    methodWithResult<&S::Receive>("Receive", 18, 277, "pidFrom", "pidTo", "dwFlags"),
    method<&S::SaveSession>("SaveSession", 19, 575, "lpSessionName"),
    methodWithResult<&S::Send>("Send", 20, 576, "pidFrom", "pidTo", "dwFlags", "lpvBuffer"),
    method<&S::SetPlayerName>("SetPlayerName", 21, 576, "pidID", "lpPlayerFriendlyName", "lpPlayerFormalName"),
    method<&S::CloseSession>("CloseSession", 22, 268),
    method<&S::OpenSession>("OpenSession", 23, 574, "lpSDesc"),
};

const MemberInfo kPlayMembers[] = {
    propGet<&IkvPlay::get_guidSession>("guidSession", 1, 819),
    propPut<&IkvPlay::put_guidSession>("guidSession", 1, 819),
    method<&IkvPlay::AboutBox>("AboutBox", DISPID_ABOUTBOX, 818),
};

} // namespace

// Interfaces.
const InterfaceInfo kIkvDirectPlayGlobal{"IkvDirectPlayGlobal", IID_IkvDirectPlayGlobal, 281, kDual, kGlobalMembers};
const InterfaceInfo kIkvDirectPlay{"IkvDirectPlay", IID_IkvDirectPlay, 255, kDual, kSessionMembers};
const InterfaceInfo kIkvDPSESSIONDESC{"IkvDPSESSIONDESC", IID_IkvDPSESSIONDESC, 491, kDual, kSessionDescMembers};
const InterfaceInfo kIkvDirectPlaySessions{"IkvDirectPlaySessions", IID_IkvDirectPlaySessions, 378, kDual, kSessionsMembers};
const InterfaceInfo kIkvDirectPlayPlayers{"IkvDirectPlayPlayers", IID_IkvDirectPlayPlayers, 346, kDual, kPlayersMembers};
const InterfaceInfo kIkvDirectPlayPlayer{"IkvDirectPlayPlayer", IID_IkvDirectPlayPlayer, 321, kDual, kPlayerMembers};
const InterfaceInfo kIkvDirectPlayProviders{"IkvDirectPlayProviders", IID_IkvDirectPlayProviders, 374, kDual, kProvidersMembers};
const InterfaceInfo kIkvDirectPlayProvider{"IkvDirectPlayProvider", IID_IkvDirectPlayProvider, 350, kDual, kProviderMembers};
const InterfaceInfo kIkvDPCAPS{"IkvDPCAPS", IID_IkvDPCAPS, 382, kDual, kCapsMembers};
const InterfaceInfo kIkvDirectPlayMessage{"IkvDirectPlayMessage", IID_IkvDirectPlayMessage, 297, kDual, kMessageMembers};
const InterfaceInfo kIkvDPMSG_ADDPLAYER{"IkvDPMSG_ADDPLAYER", IID_IkvDPMSG_ADDPLAYER, 422, kDual, kAddPlayerMembers};
const InterfaceInfo kIkvDPMSG_DELETEPLAYER{"IkvDPMSG_DELETEPLAYER", IID_IkvDPMSG_DELETEPLAYER, 452, kDual, kDeletePlayerMembers};
const InterfaceInfo kIkvDPMSG_GENERIC{"IkvDPMSG_GENERIC", IID_IkvDPMSG_GENERIC, 465, kDual, kGenericMembers};
// Declared as a plain interface derived from IDispatch, not dual; still answered through IDispatch.
const InterfaceInfo kIkvDPMSG_GROUPADD{"IkvDPMSG_GROUPADD", IID_IkvDPMSG_GROUPADD, 474, IfOleAutomation, kGroupAddMembers};
const InterfaceInfo kIkvPlay{"IkvPlay", IID_IkvPlay, 0, kDual, kPlayMembers, "IkvPlay Interface"};
const InterfaceInfo k_DkvPlayEvents{"_DkvPlayEvents", DIID__DkvPlayEvents, 0, IfDispatchOnly | IfHidden, {}};

namespace {

const InterfaceInfo* const kInterfaces[] = {
    &kIkvDirectPlayGlobal, &kIkvDirectPlay, &kIkvDPSESSIONDESC, &kIkvDirectPlaySessions,
    &kIkvDirectPlayPlayers, &kIkvDirectPlayPlayer, &kIkvDirectPlayProviders, &kIkvDirectPlayProvider,
    &kIkvDPCAPS, &kIkvDirectPlayMessage, &kIkvDPMSG_ADDPLAYER, &kIkvDPMSG_DELETEPLAYER,
    &kIkvDPMSG_GENERIC, &kIkvDPMSG_GROUPADD, &kIkvPlay, &k_DkvPlayEvents,
};

const ClassInfo kClasses[] = {
    {"kvDirectPlayGlobal", CLSID_kvDirectPlayGlobal, &kIkvDirectPlayGlobal, 281, ClsCreatable, "kvDPLAY.kvDirectPlayGlobal.1"},
    {"kvDirectPlay", CLSID_kvDirectPlay, &kIkvDirectPlay, 255, ClsCreatable, nullptr},
    {"kvDPSESSIONDESC", CLSID_kvDPSESSIONDESC, &kIkvDPSESSIONDESC, 491, ClsCreatable, "kvDPLAY.kvDPSESSIONDESC.1"},
    {"kvDirectPlaySessions", CLSID_kvDirectPlaySessions, &kIkvDirectPlaySessions, 378, ClsCreatable, nullptr},
    {"kvDirectPlayPlayers", CLSID_kvDirectPlayPlayers, &kIkvDirectPlayPlayers, 346, ClsCreatable, nullptr},
    {"kvDirectPlayPlayer", CLSID_kvDirectPlayPlayer, &kIkvDirectPlayPlayer, 321, ClsCreatable, nullptr},
    {"kvDirectPlayProviders", CLSID_kvDirectPlayProviders, &kIkvDirectPlayProviders, 374, ClsCreatable, nullptr},
    {"kvDirectPlayProvider", CLSID_kvDirectPlayProvider, &kIkvDirectPlayProvider, 350, ClsCreatable, nullptr},
    {"kvDPCAPS", CLSID_kvDPCAPS, &kIkvDPCAPS, 382, ClsCreatable, nullptr},
    {"kvDirectPlayMessage", CLSID_kvDirectPlayMessage, &kIkvDirectPlayMessage, 297, ClsCreatable, nullptr},
    {"kvDPMSG_ADDPLAYER", CLSID_kvDPMSG_ADDPLAYER, &kIkvDPMSG_ADDPLAYER, 422, ClsCreatable, nullptr},
    {"kvDPMSG_DELETEPLAYER", CLSID_kvDPMSG_DELETEPLAYER, &kIkvDPMSG_DELETEPLAYER, 452, ClsCreatable, nullptr},
    {"kvDPMSG_GENERIC", CLSID_kvDPMSG_GENERIC, &kIkvDPMSG_GENERIC, 465, ClsCreatable, nullptr},
    {"kvDPMSG_GROUPADD", CLSID_kvDPMSG_GROUPADD, &kIkvDPMSG_GROUPADD, 474, ClsCreatable, nullptr},
    {"kvPlay", CLSID_kvPlay, &kIkvPlay, 817, ClsCreatable | ClsControl, "kvPlay.kvPlay.1", "kvPlay Control",
     &k_DkvPlayEvents},
    {"kvPlayPpg", CLSID_kvPlayPpg, nullptr, 0, ClsCreatable | ClsHidden, "kvPlayPpg.kvPlayPpg.1", "kvPlayPpg Class"},
};

const ConstantInfo kErrorConstants[] = {
    {"S_OK", 0}, {"CLASS_E_NOAGGREGATION", 4272}, {"CO_E_NOTINITIALIZED", 4496}, {"E_OUTOFMEMORY", 7014},
    {"E_INVALIDARG", 7087}, {"E_NOTIMPL", 16385}, {"E_FAIL", 16389},
};
const ConstantInfo kCapsConstants[] = {
    {"DPCAPS_NAMESERVICE", 1}, {"DPCAPS_NAMESERVER", 2}, {"DPCAPS_GUARANTEED", 4},
};
const ConstantInfo kEnumSessionsConstants[] = {
    {"DPENUMSESSIONS_AVAILABLE", 1}, {"DPENUMSESSIONS_ALL", 2}, {"DPENUMSESSIONS_PREVIOUS", 4},
};
const ConstantInfo kEnumPlayersConstants[] = {
    {"DPENUMPLAYERS_ALL", 0}, {"DPENUMPLAYERS_PREVIOUS", 4}, {"DPENUMPLAYERS_LOCAL", 8},
    {"DPENUMPLAYERS_REMOTE", 16}, {"DPENUMPLAYERS_GROUP", 32}, {"DPENUMPLAYERS_SESSION", 128},
};
const ConstantInfo kErrConstants[] = {
    {"DP_OK", DP_OK},
    {"DPERR_ALREADYINITIALIZED", DPERR_ALREADYINITIALIZED},
    {"DPERR_ACCESSDENIED", DPERR_ACCESSDENIED},
    {"DPERR_ACTIVEPLAYERS", DPERR_ACTIVEPLAYERS},
    {"DPERR_BUFFERTOOSMALL", DPERR_BUFFERTOOSMALL},
    {"DPERR_CANTADDPLAYER", DPERR_CANTADDPLAYER},
    {"DPERR_CANTCREATEGROUP", DPERR_CANTCREATEGROUP},
    {"DPERR_CANTCREATEPLAYER", DPERR_CANTCREATEPLAYER},
    {"DPERR_CANTCREATESESSION", DPERR_CANTCREATESESSION},
    {"DPERR_CAPSNOTAVAILABLEYET", DPERR_CAPSNOTAVAILABLEYET},
    {"DPERR_EXCEPTION", DPERR_EXCEPTION},
    {"DPERR_GENERIC", DPERR_GENERIC},
    {"DPERR_INVALIDFLAGS", DPERR_INVALIDFLAGS},
    {"DPERR_INVALIDOBJECT", DPERR_INVALIDOBJECT},
    {"DPERR_INVALIDPARAM", DPERR_INVALIDPARAM},
    {"DPERR_INVALIDPLAYER", DPERR_INVALIDPLAYER},
    {"DPERR_NOCAPS", DPERR_NOCAPS},
    {"DPERR_NOCONNECTION", DPERR_NOCONNECTION},
    {"DPERR_OUTOFMEMORY", DPERR_OUTOFMEMORY},
    {"DPERR_NOMESSAGES", DPERR_NOMESSAGES},
    {"DPERR_NONAMESERVERFOUND", DPERR_NONAMESERVERFOUND},
    {"DPERR_NOPLAYERS", DPERR_NOPLAYERS},
    {"DPERR_NOSESSIONS", DPERR_NOSESSIONS},
    {"DPERR_SENDTOOBIG", DPERR_SENDTOOBIG},
    {"DPERR_TIMEOUT", DPERR_TIMEOUT},
    {"DPERR_UNAVAILABLE", DPERR_UNAVAILABLE},
    {"DPERR_UNSUPPORTED", DPERR_UNSUPPORTED},
    {"DPERR_BUSY", DPERR_BUSY},
    {"DPERR_USERCANCEL", DPERR_USERCANCEL},
};
const ConstantInfo kOpenConstants[] = {{"DPOPEN_OPENSESSION", 1}, {"DPOPEN_CREATESESSION", 2}};
const ConstantInfo kPlayerTypeConstants[] = {{"DPPLAYERTYPE_GROUP", 0}, {"DPPLAYERTYPE_PLAYER", 1}};
const ConstantInfo kReceiveConstants[] = {
    {"DPRECEIVE_ALL", 1}, {"DPRECEIVE_TOPLAYER", 2}, {"DPRECEIVE_FROMPLAYER", 4}, {"DPRECEIVE_PEEK", 8},
};
const ConstantInfo kSendConstants[] = {{"DPSEND_GUARANTEE", 1}, {"DPSEND_HIGHPRIORITY", 2}, {"DPSEND_TRYONCE", 4}};
const ConstantInfo kSysConstants[] = {
    {"DPSYS_ADDPLAYER", 3}, {"DPSYS_DELETEPLAYER", 5}, {"DPSYS_ADDPLAYERTOGROUP", 7}, {"DPSYS_DELETEGROUP", 32},
    {"DPSYS_DELETEPLAYERFROMGRP", 33}, {"DPSYS_SESSIONLOST", 49}, {"DPSYS_CONNECT", 18507},
};

const ModuleInfo kModules[] = {
    {"Error_Constants", "Generic error constants", 607, kErrorConstants},
    {"DPCAPS_Constants", "Constants for kvDPCAPS.dwFlags", 386, kCapsConstants},
    {"DPENUMSESSIONS_Constants", "Constants for kvDirectPlay.EnumSessions", 568, kEnumSessionsConstants},
    {"DPENUMPLAYERS_Constants", "Constants for kvDirectPlay.EnumPlayers", 567, kEnumPlayersConstants},
    {"DPERR_Constants", "Constants for kvDirectPlay errors", 591, kErrConstants},
    {"DPOPEN_Constants", "Constants for kvDirectPlay.Open", 573, kOpenConstants},
    {"DPPLAYERTYPE_Constants", "Constants for kvDPMSG_ADDPLAYER.dwPlayerType", 434, kPlayerTypeConstants},
    {"DPRECEIVE_Constants", "Constants for kvDirectPlay.Receive", 277, kReceiveConstants},
    {"DPSEND_Constants", "Constants for kvDirectPlay.Send", 576, kSendConstants},
    {"DPSYS_Constants", "Constants for kvDirectPlayMessage.SystemMessage", 311, kSysConstants},
};

const TypeLibraryInfo kLibrary{
    "kvDirectPlayLib", LIBID_kvDirectPlayLib, 1, 0, 0x0409, LIBFLAG_FCONTROL, "kvdirect.hlp", 254,
    ":-) Brantwick kvDirectPlay Controls", kClasses, kInterfaces, kModules,
};

} // namespace

const TypeLibraryInfo& typeLibrary() { return kLibrary; }

const InterfaceInfo* interfaceInfo(REFIID iid) { return findInterface(kLibrary, iid); }

// Each class answers late-bound calls from its default interface's table.
const InterfaceInfo& Global::dispatchInfo() { return kIkvDirectPlayGlobal; }
const InterfaceInfo& Session::dispatchInfo() { return kIkvDirectPlay; }
const InterfaceInfo& PlayControl::dispatchInfo() { return kIkvPlay; }
const InterfaceInfo& SessionDesc::dispatchInfo() { return kIkvDPSESSIONDESC; }
const InterfaceInfo& Player::dispatchInfo() { return kIkvDirectPlayPlayer; }
const InterfaceInfo& Provider::dispatchInfo() { return kIkvDirectPlayProvider; }
const InterfaceInfo& Caps::dispatchInfo() { return kIkvDPCAPS; }
const InterfaceInfo& Message::dispatchInfo() { return kIkvDirectPlayMessage; }
const InterfaceInfo& AddPlayerMessage::dispatchInfo() { return kIkvDPMSG_ADDPLAYER; }
const InterfaceInfo& DeletePlayerMessage::dispatchInfo() { return kIkvDPMSG_DELETEPLAYER; }
const InterfaceInfo& GroupAddMessage::dispatchInfo() { return kIkvDPMSG_GROUPADD; }
const InterfaceInfo& GenericMessage::dispatchInfo() { return kIkvDPMSG_GENERIC; }

const InterfaceInfo& CollectionTraits<IkvDirectPlayProviders>::info() { return kIkvDirectPlayProviders; }
const InterfaceInfo& CollectionTraits<IkvDirectPlayPlayers>::info() { return kIkvDirectPlayPlayers; }
const InterfaceInfo& CollectionTraits<IkvDirectPlaySessions>::info() { return kIkvDirectPlaySessions; }

} // namespace kvdplay
