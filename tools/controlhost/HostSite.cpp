#include "tools/controlhost/HostSite.h"

#include "platform/text/Cp1252.h"

#include <iostream>

namespace controlhost {

std::string utf8(std::u16string_view text) { return platform::text::utf16ToUtf8(text).value_or("?"); }

HRESULT HostSite::QueryInterface(REFIID riid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        *out = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
        *out = static_cast<IOleInPlaceFrame*>(this);
    else if (riid == IID_IPropertyNotifySink)
        *out = static_cast<IPropertyNotifySink*>(this);
    else if (riid == IID_IPropertyBag)
        *out = static_cast<IPropertyBag*>(this);
    else if (riid == IID_IPropertyPageSite)
        *out = static_cast<IPropertyPageSite*>(this);
    else if (riid == IID_IDispatch)
        *out = static_cast<IDispatch*>(this);
    return *out ? S_OK : E_NOINTERFACE;
}

HRESULT HostSite::GetWindow(HWND* window)
{
    if (window)
        *window = nullptr;
    return E_NOTIMPL;
}

HRESULT HostSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                   RECT* clip, OLEINPLACEFRAMEINFO* info)
{
    *frame = static_cast<IOleInPlaceFrame*>(this);
    *document = nullptr;
    *position = {0, 0, 32, 32};
    *clip = *position;
    if (info) {
        info->fMDIApp = FALSE_;
        info->hwndFrame = nullptr;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT HostSite::EnableModeless(BOOL enable)
{
    std::cout << "frame: modeless windows " << (enable ? "enabled" : "held back") << std::endl;
    return S_OK;
}

HRESULT HostSite::OnChanged(DISPID id)
{
    std::cout << "control: property " << id << " changed" << std::endl;
    return S_OK;
}

HRESULT HostSite::Read(LPCOLESTR name, VARIANT* value, IErrorLog*)
{
    const auto it = bag.find(name);
    if (it == bag.end())
        return E_INVALIDARG;
    VariantClear(value);
    value->vt = VT_BSTR;
    value->bstrVal = SysAllocStringLen(it->second.data(), static_cast<UINT>(it->second.size()));
    return value->bstrVal ? S_OK : E_OUTOFMEMORY;
}

HRESULT HostSite::Write(LPCOLESTR name, VARIANT* value)
{
    VARIANT text;
    VariantInit(&text);
    const HRESULT hr = VariantChangeType(&text, value, 0, VT_BSTR);
    if (FAILED(hr))
        return hr;
    bag[name] = std::u16string(text.bstrVal, SysStringLen(text.bstrVal));
    VariantClear(&text);
    return S_OK;
}

HRESULT HostSite::OnStatusChange(DWORD flags)
{
    if (onPageStatus)
        onPageStatus((flags & PROPPAGESTATUS_DIRTY) != 0);
    return S_OK;
}

HRESULT HostSite::GetLocaleID(LCID* id)
{
    if (!id)
        return E_POINTER;
    *id = 0x0409;
    return S_OK;
}

HRESULT HostSite::GetPageContainer(IUnknown** unknown)
{
    if (unknown)
        *unknown = nullptr;
    return E_NOTIMPL;
}

HRESULT HostSite::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT HostSite::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT HostSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*)
{
    if (id != DISPID_AMBIENT_USERMODE || !(flags & DISPATCH_PROPERTYGET))
        return DISP_E_MEMBERNOTFOUND;
    if (result) {
        VariantClear(result);
        result->vt = VT_BOOL;
        result->boolVal = designMode ? VARIANT_FALSE : VARIANT_TRUE;
    }
    return S_OK;
}

} // namespace controlhost
