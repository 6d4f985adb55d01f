#pragma once
// What a container offers a control it hosts: the site (handed over through IObjectWithSite)
// and, while the control sits in place on a form, the in-place window context whose frame
// lets a control's modal box hold back the container's own modeless windows. The members keep
// their standard order, so any container built on our runtime can serve them.
#include "platform/com/Interfaces.h"

#include <vector>

namespace platform::com {

// {FC4801A3-2BA9-11CF-A229-00AA003D7352}
inline constexpr IID IID_IObjectWithSite = {0xFC4801A3, 0x2BA9, 0x11CF, {0xA2, 0x29, 0x00, 0xAA, 0x00, 0x3D, 0x73, 0x52}};
inline constexpr IID IID_IOleWindow = {0x00000114, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IOleInPlaceUIWindow = {0x00000115, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IOleInPlaceFrame = {0x00000116, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IOleInPlaceSite = {0x00000119, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// {0000010D-0000-0000-C000-000000000046}
inline constexpr IID IID_IViewObject = {0x0000010D, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// Ambient properties a container answers through its site's IDispatch: user mode is true while
// the form runs and false while it is being designed.
inline constexpr DISPID DISPID_AMBIENT_USERMODE = -709;

enum : DWORD { DVASPECT_CONTENT = 1 };
inline constexpr HRESULT DV_E_DVASPECT = hr32(0x8004006Bu);

struct RECTL { LONG left; LONG top; LONG right; LONG bottom; };
using ULONG_PTR = std::uintptr_t;

// An icon's picture: width x height pixels, 32-bit ARGB, row after row.
struct IconPicture {
    LONG width = 0;
    LONG height = 0;
    std::vector<std::uint32_t> pixels;
};

// What a container lets a control draw on while it draws the control (the role of a device
// context). Coordinates are the container's.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;
    // A raised edge around rect with its middle filled; rect shrinks by the edge's width.
    virtual void drawRaisedEdge(RECT& rect) = 0;
    // The icon with its top left corner at (x, y).
    virtual void drawIcon(LONG x, LONG y, const IconPicture& icon) = 0;
};
using HDC = DrawingSurface*;

using HMENU = void*;
using HOLEMENU = void*;
using HACCEL = void*;
struct OLEMENUGROUPWIDTHS { LONG width[6]; };
struct OLEINPLACEFRAMEINFO {
    UINT cb;
    BOOL fMDIApp;
    HWND hwndFrame;
    HACCEL haccel;
    UINT cAccelEntries;
};

#if defined(__clang__) || defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

class IObjectWithSite : public IUnknown {
public:
    virtual HRESULT SetSite(IUnknown* site) = 0;
    virtual HRESULT GetSite(REFIID riid, void** site) = 0;

protected:
    ~IObjectWithSite() = default;
};

class IOleWindow : public IUnknown {
public:
    virtual HRESULT GetWindow(HWND* window) = 0;
    virtual HRESULT ContextSensitiveHelp(BOOL enterMode) = 0;

protected:
    ~IOleWindow() = default;
};

class IOleInPlaceUIWindow : public IOleWindow {
public:
    virtual HRESULT GetBorder(RECT* border) = 0;
    virtual HRESULT RequestBorderSpace(const RECT* widths) = 0;
    virtual HRESULT SetBorderSpace(const RECT* widths) = 0;
    virtual HRESULT SetActiveObject(IUnknown* activeObject, LPCOLESTR objectName) = 0;

protected:
    ~IOleInPlaceUIWindow() = default;
};

class IOleInPlaceFrame : public IOleInPlaceUIWindow {
public:
    virtual HRESULT InsertMenus(HMENU shared, OLEMENUGROUPWIDTHS* widths) = 0;
    virtual HRESULT SetMenu(HMENU shared, HOLEMENU descriptor, HWND activeObject) = 0;
    virtual HRESULT RemoveMenus(HMENU shared) = 0;
    virtual HRESULT SetStatusText(LPCOLESTR text) = 0;
    virtual HRESULT EnableModeless(BOOL enable) = 0;
    virtual HRESULT TranslateAccelerator(MSG* message, WORD id) = 0;

protected:
    ~IOleInPlaceFrame() = default;
};

class IOleInPlaceSite : public IOleWindow {
public:
    virtual HRESULT CanInPlaceActivate() = 0;
    virtual HRESULT OnInPlaceActivate() = 0;
    virtual HRESULT OnUIActivate() = 0;
    virtual HRESULT GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position,
                                     RECT* clip, OLEINPLACEFRAMEINFO* frameInfo) = 0;
    virtual HRESULT Scroll(SIZE extent) = 0;
    virtual HRESULT OnUIDeactivate(BOOL undoable) = 0;
    virtual HRESULT OnInPlaceDeactivate() = 0;
    virtual HRESULT DiscardUndoState() = 0;
    virtual HRESULT DeactivateAndUndo() = 0;
    virtual HRESULT OnPosRectChange(const RECT* position) = 0;

protected:
    ~IOleInPlaceSite() = default;
};

// How a container has an object draw itself into the bounds it gives.
class IViewObject : public IUnknown {
public:
    virtual HRESULT Draw(DWORD aspect, LONG index, void* aspectInfo, void* targetDevice, HDC targetDc, HDC dc,
                         const RECTL* bounds, const RECTL* windowBounds, BOOL (*keepGoing)(ULONG_PTR),
                         ULONG_PTR keepGoingValue) = 0;
    virtual HRESULT GetColorSet(DWORD aspect, LONG index, void* aspectInfo, void* targetDevice, HDC targetDc,
                                void** colors) = 0;
    virtual HRESULT Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) = 0;
    virtual HRESULT Unfreeze(DWORD freeze) = 0;
    virtual HRESULT SetAdvise(DWORD aspects, DWORD flags, IUnknown* sink) = 0;
    virtual HRESULT GetAdvise(DWORD* aspects, DWORD* flags, IUnknown** sink) = 0;

protected:
    ~IViewObject() = default;
};

#if defined(__clang__) || defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

} // namespace platform::com
