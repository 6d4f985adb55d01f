#pragma once
// kvPlay: the small control a form carries to hold its network session's GUID text. The form
// saves the text with itself through the control's persistence (a property bag or a stream), is
// told when it changes, and edits it through the property page kvPlayPpg. It can be aggregated.
#include "platform/com/ControlSite.h"
#include "kvdplay/Object.h"
#include "platform/com/Stream.h"

#include <optional>
#include <vector>

namespace kvdplay {

class PlayControl;

// One connection point of the control: the property-change sinks, or the (silent) events.
class ControlConnectionPoint final : public IConnectionPoint {
public:
    ControlConnectionPoint(PlayControl& owner, const IID& iid) : m_owner(owner), m_iid(iid) {}
    ~ControlConnectionPoint();

    HRESULT QueryInterface(REFIID riid, void** out) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetConnectionInterface(IID* iid) override;
    HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT Unadvise(DWORD cookie) override;
    HRESULT EnumConnections(IEnumConnections** connections) override;

    const IID& iid() const { return m_iid; }
    // Tells every property-change sink that property id has changed.
    void notifyChanged(DISPID id);

private:
    struct Connection {
        DWORD cookie;
        IUnknown* sink;
    };
    PlayControl& m_owner;
    IID m_iid;
    std::vector<Connection> m_connections;
    DWORD m_nextCookie = 1;
};

class PlayControl final : public IkvPlay,
                          public ISupportErrorInfo,
                          public IPersistPropertyBag,
                          public IPersistStreamInit,
                          public IConnectionPointContainer,
                          public ISpecifyPropertyPages,
                          public IObjectWithSite,
                          public IViewObject {
public:
    static const InterfaceInfo& dispatchInfo();
    static const CLSID& classId() { return CLSID_kvPlay; }

    // A new control with one reference on its own identity (the inner one when aggregated).
    static HRESULT create(IUnknown* outer, REFIID riid, void** out);

    // Every interface's IUnknown goes to the outer object when aggregated.
    HRESULT QueryInterface(REFIID riid, void** out) override { return m_outer->QueryInterface(riid, out); }
    ULONG AddRef() override { return m_outer->AddRef(); }
    ULONG Release() override { return m_outer->Release(); }

    // IDispatch
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                   UINT* argErr) override;
    // IkvPlay
    HRESULT get_guidSession(BSTR* value) override;
    HRESULT put_guidSession(BSTR value) override;
    HRESULT AboutBox() override;
    // ISupportErrorInfo
    HRESULT InterfaceSupportsErrorInfo(REFIID riid) override;
    // IPersistPropertyBag and IPersistStreamInit
    HRESULT GetClassID(CLSID* clsid) override;
    HRESULT InitNew() override;
    HRESULT Load(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
    HRESULT IsDirty() override;
    HRESULT Load(IStream* stream) override;
    HRESULT Save(IStream* stream, BOOL clearDirty) override;
    HRESULT GetSizeMax(ULARGE_INTEGER* size) override;
    // IConnectionPointContainer
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;
    // ISpecifyPropertyPages
    HRESULT GetPages(CAUUID* pages) override;
    // IObjectWithSite
    HRESULT SetSite(IUnknown* site) override;
    HRESULT GetSite(REFIID riid, void** site) override;
    // IViewObject: the control shows only while its form is designed.
    HRESULT Draw(DWORD aspect, LONG index, void* aspectInfo, void* targetDevice, HDC targetDc, HDC dc,
                 const RECTL* bounds, const RECTL* windowBounds, BOOL (*keepGoing)(ULONG_PTR),
                 ULONG_PTR keepGoingValue) override;
    HRESULT GetColorSet(DWORD, LONG, void*, void*, HDC, void** colors) override;
    HRESULT Freeze(DWORD, LONG, void*, DWORD* freeze) override;
    HRESULT Unfreeze(DWORD) override { return E_NOTIMPL; }
    HRESULT SetAdvise(DWORD, DWORD, IUnknown*) override { return E_NOTIMPL; }
    HRESULT GetAdvise(DWORD*, DWORD*, IUnknown** sink) override;

    // The control's needs-saving flag: set by a change of guidSession, cleared by a save that
    // asks for it and by loading.
    bool needsSaving() const { return m_needsSaving; }

private:
    class Inner final : public IUnknown {
    public:
        explicit Inner(PlayControl& owner) : m_owner(owner) {}
        HRESULT QueryInterface(REFIID riid, void** out) override;
        ULONG AddRef() override;
        ULONG Release() override;

    private:
        PlayControl& m_owner;
    };

    explicit PlayControl(IUnknown* outer);
    ~PlayControl();
    HRESULT report(HRESULT hr) const { return ReportError(hr, CLSID_kvPlay); }
    // Takes a loaded text (ownership passes) once it proves to be GUID text; otherwise the
    // load fails with E_INVALIDARG, reported, and the control keeps what it held.
    HRESULT takeLoaded(BSTR text);
    // The container's ambient user mode says the form is being designed (no answer: it runs).
    bool designTime() const;

    Inner m_inner{*this};
    IUnknown* m_outer;
    std::atomic<ULONG> m_refs{1};
    BSTR m_guidSession = nullptr;
    bool m_needsSaving = false;
    IUnknown* m_site = nullptr;
    std::optional<IconPicture> m_icon; // icon 101, loaded on first drawing and kept
    ControlConnectionPoint m_propertyNotify{*this, IID_IPropertyNotifySink};
    ControlConnectionPoint m_events{*this, DIID__DkvPlayEvents};
};

} // namespace kvdplay
