// The two entry points a caller finds by name once it has loaded the library.
#include "platform/dplay/DPlay.h"
#include "platform/dplay/DirectPlayObject.h"
#include "platform/dplay/Options.h"

using namespace platform::dplay;

extern "C" __attribute__((visibility("default"))) HRESULT DirectPlayEnumerate(LPDPENUMDPCALLBACK lpEnumCallback,
                                                                              LPVOID lpContext)
{
    if (lpEnumCallback == nullptr)
        return DPERR_INVALIDPARAM;
    GUID provider = DPSPGUID_TCPIP;
    char name[sizeof kProviderName];
    std::copy(std::begin(kProviderName), std::end(kProviderName), name);
    lpEnumCallback(&provider, name, kProviderMajorVersion, kProviderMinorVersion, lpContext);
    return DP_OK;
}

extern "C" __attribute__((visibility("default"))) HRESULT DirectPlayCreate(LPGUID lpGUID, IDirectPlay** lplpDP,
                                                                           IUnknown* pUnk)
{
    if (lplpDP == nullptr)
        return DPERR_INVALIDPARAM;
    *lplpDP = nullptr;
    if (pUnk != nullptr)
        return platform::com::CLASS_E_NOAGGREGATION;
    if (lpGUID == nullptr)
        return DPERR_INVALIDPARAM;
    if (*lpGUID != DPSPGUID_TCPIP)
        return DPERR_UNAVAILABLE; // no such provider here
    DirectPlayObject* object = DirectPlayObject::create(currentOptions());
    if (object == nullptr)
        return DPERR_OUTOFMEMORY;
    *lplpDP = object;
    return DP_OK;
}
