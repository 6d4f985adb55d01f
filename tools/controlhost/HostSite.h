#pragma once
// The container side of the control host: the control's site with its in-place frame and its
// ambient properties, the property-change sink, the property bag the form is saved into, and the
// property-page site.
#include "platform/com/ControlSite.h"

#include <functional>
#include <map>
#include <string>

namespace controlhost {

using namespace platform::com;

// One object answers for the whole container; it lives as long as the program.
class HostSite final : public IOleInPlaceSite,
                       public IOleInPlaceFrame,
                       public IPropertyNotifySink,
                       public IPropertyBag,
                       public IPropertyPageSite,
                       public IDispatch {
public:
    std::map<std::u16string, std::u16string> bag;
    // The form is being designed (ambient user mode false) rather than run.
    bool designMode = false;
    std::function<void(bool dirty)> onPageStatus;

    HRESULT QueryInterface(REFIID riid, void** out) override;
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }

    // IOleWindow (both the site's and the frame's)
    HRESULT GetWindow(HWND* window) override;
    HRESULT ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    // IOleInPlaceSite
    HRESULT CanInPlaceActivate() override { return S_OK; }
    HRESULT OnInPlaceActivate() override { return S_OK; }
    HRESULT OnUIActivate() override { return S_OK; }
    HRESULT GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position, RECT* clip,
                             OLEINPLACEFRAMEINFO* info) override;
    HRESULT Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT OnInPlaceDeactivate() override { return S_OK; }
    HRESULT DiscardUndoState() override { return S_OK; }
    HRESULT DeactivateAndUndo() override { return S_OK; }
    HRESULT OnPosRectChange(const RECT*) override { return S_OK; }
    // IOleInPlaceUIWindow, IOleInPlaceFrame
    HRESULT GetBorder(RECT*) override { return E_NOTIMPL; }
    HRESULT RequestBorderSpace(const RECT*) override { return E_NOTIMPL; }
    HRESULT SetBorderSpace(const RECT*) override { return E_NOTIMPL; }
    HRESULT SetActiveObject(IUnknown*, LPCOLESTR) override { return S_OK; }
    HRESULT InsertMenus(HMENU, OLEMENUGROUPWIDTHS*) override { return E_NOTIMPL; }
    HRESULT SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT RemoveMenus(HMENU) override { return S_OK; }
    HRESULT SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT EnableModeless(BOOL enable) override;
    HRESULT TranslateAccelerator(MSG*, WORD) override { return S_FALSE; }
    // IPropertyNotifySink
    HRESULT OnChanged(DISPID id) override;
    HRESULT OnRequestEdit(DISPID) override { return S_OK; }
    // IPropertyBag
    HRESULT Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override;
    HRESULT Write(LPCOLESTR name, VARIANT* value) override;
    // IPropertyPageSite
    HRESULT OnStatusChange(DWORD flags) override;
    HRESULT GetLocaleID(LCID* id) override;
    HRESULT GetPageContainer(IUnknown** unknown) override;
    HRESULT TranslateAccelerator(MSG*) override { return S_FALSE; }
    // IDispatch: the ambient properties
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override;
};

std::string utf8(std::u16string_view text);

} // namespace controlhost
