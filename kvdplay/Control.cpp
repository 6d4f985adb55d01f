#include "kvdplay/Control.h"

#include "kvdplay/AboutBox.h"
#include "kvdplay/ControlUi.h"
#include "kvdplay/GuidText.h"

#include <algorithm>
#include <new>

namespace kvdplay {

namespace {

constexpr DISPID kGuidSessionId = 1;
constexpr char16_t kGuidSessionName[] = u"guidSession";

BSTR copyOf(BSTR text) { return SysAllocStringLen(text, SysStringLen(text)); }

} // namespace

// --- Connection points -------------------------------------------------------------------

ControlConnectionPoint::~ControlConnectionPoint()
{
    for (const Connection& c : m_connections)
        c.sink->Release();
}

HRESULT ControlConnectionPoint::QueryInterface(REFIID riid, void** out)
{
    if (!out)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

// The point lives inside the control and keeps it alive while handed out.
ULONG ControlConnectionPoint::AddRef() { return m_owner.AddRef(); }
ULONG ControlConnectionPoint::Release() { return m_owner.Release(); }

HRESULT ControlConnectionPoint::GetConnectionInterface(IID* iid)
{
    if (!iid)
        return E_POINTER;
    *iid = m_iid;
    return S_OK;
}

HRESULT ControlConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    if (!container)
        return E_POINTER;
    *container = static_cast<IConnectionPointContainer*>(&m_owner);
    (*container)->AddRef();
    return S_OK;
}

HRESULT ControlConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    *cookie = 0;
    IUnknown* typed = nullptr;
    if (FAILED(sink->QueryInterface(m_iid, reinterpret_cast<void**>(&typed))) || !typed)
        return CONNECT_E_CANNOTCONNECT;
    try {
        m_connections.push_back({m_nextCookie, typed});
    } catch (const std::bad_alloc&) {
        typed->Release();
        return E_OUTOFMEMORY;
    }
    *cookie = m_nextCookie++;
    return S_OK;
}

HRESULT ControlConnectionPoint::Unadvise(DWORD cookie)
{
    const auto it = std::find_if(m_connections.begin(), m_connections.end(),
                                 [cookie](const Connection& c) { return c.cookie == cookie; });
    if (it == m_connections.end())
        return CONNECT_E_NOCONNECTION;
    IUnknown* sink = it->sink;
    m_connections.erase(it);
    sink->Release();
    return S_OK;
}

HRESULT ControlConnectionPoint::EnumConnections(IEnumConnections** connections)
{
    if (connections)
        *connections = nullptr;
    return E_NOTIMPL;
}

void ControlConnectionPoint::notifyChanged(DISPID id)
{
    // A sink may unadvise while it is told; work from a copy that holds its own references.
    std::vector<Connection> sinks = m_connections;
    for (const Connection& c : sinks)
        c.sink->AddRef();
    for (const Connection& c : sinks) {
        static_cast<IPropertyNotifySink*>(c.sink)->OnChanged(id);
        c.sink->Release();
    }
}

// --- The control's identity ------------------------------------------------------------------

HRESULT PlayControl::create(IUnknown* outer, REFIID riid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    // An aggregating object must take the inner identity first.
    if (outer && riid != IID_IUnknown)
        return CLASS_E_NOAGGREGATION;
    auto* made = new (std::nothrow) PlayControl(outer);
    if (!made)
        return E_OUTOFMEMORY;
    const HRESULT hr = made->m_inner.QueryInterface(riid, out);
    made->m_inner.Release();
    return hr;
}

PlayControl::PlayControl(IUnknown* outer) : m_outer(outer ? outer : &m_inner) { lockModule(); }

PlayControl::~PlayControl()
{
    SysFreeString(m_guidSession);
    if (m_site)
        m_site->Release();
    unlockModule();
}

HRESULT PlayControl::Inner::QueryInterface(REFIID riid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    PlayControl& c = m_owner;
    if (riid == IID_IUnknown)
        *out = static_cast<IUnknown*>(this);
    else if (riid == IID_IDispatch || riid == IID_IkvPlay)
        *out = static_cast<IkvPlay*>(&c);
    else if (riid == IID_ISupportErrorInfo)
        *out = static_cast<ISupportErrorInfo*>(&c);
    else if (riid == IID_IPersist || riid == IID_IPersistPropertyBag)
        *out = static_cast<IPersistPropertyBag*>(&c);
    else if (riid == IID_IPersistStreamInit)
        *out = static_cast<IPersistStreamInit*>(&c);
    else if (riid == IID_IConnectionPointContainer)
        *out = static_cast<IConnectionPointContainer*>(&c);
    else if (riid == IID_ISpecifyPropertyPages)
        *out = static_cast<ISpecifyPropertyPages*>(&c);
    else if (riid == IID_IObjectWithSite)
        *out = static_cast<IObjectWithSite*>(&c);
    else if (riid == IID_IViewObject)
        *out = static_cast<IViewObject*>(&c);
    if (!*out)
        return E_NOINTERFACE;
    static_cast<IUnknown*>(*out)->AddRef();
    return S_OK;
}

ULONG PlayControl::Inner::AddRef() { return ++m_owner.m_refs; }

ULONG PlayControl::Inner::Release()
{
    const ULONG left = --m_owner.m_refs;
    if (left == 0)
        delete &m_owner;
    return left;
}

// --- IDispatch, ISupportErrorInfo -------------------------------------------------------------

HRESULT PlayControl::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT PlayControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    return dispatchTypeInfo(typeLibrary(), dispatchInfo(), index, info);
}

HRESULT PlayControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    return dispatchGetIDsOfNames(dispatchInfo(), names, count, ids);
}

HRESULT PlayControl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                            EXCEPINFO* exception, UINT* argErr)
{
    return dispatchInvoke(dispatchInfo(), static_cast<IkvPlay*>(this), id, flags, params, result, exception, argErr);
}

HRESULT PlayControl::InterfaceSupportsErrorInfo(REFIID riid) { return riid == IID_IkvPlay ? S_OK : S_FALSE; }

// --- guidSession and the About box --------------------------------------------------------------

HRESULT PlayControl::get_guidSession(BSTR* value)
{
    if (!value)
        return E_POINTER;
    *value = m_guidSession ? copyOf(m_guidSession) : SysAllocStringLen(nullptr, 0);
    return *value ? S_OK : report(E_OUTOFMEMORY);
}

HRESULT PlayControl::put_guidSession(BSTR value)
{
    GUID checked{};
    HRESULT hr = GuidFromText(value, &checked);
    if (FAILED(hr))
        return report(hr);
    BSTR stored = nullptr;
    if (value) {
        stored = copyOf(value); // kept as written: upper-case digits stay upper case
        if (!stored)
            return report(E_OUTOFMEMORY);
    }
    SysFreeString(m_guidSession);
    m_guidSession = stored;
    m_needsSaving = true;
    m_propertyNotify.notifyChanged(kGuidSessionId);
    return S_OK;
}

HRESULT PlayControl::AboutBox()
{
    // In place on a form, the box holds back the container's modeless windows while it is up,
    // through the frame the site hands out. Only a frame the site really gave is touched.
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceSite* inPlace = nullptr;
    if (m_site && SUCCEEDED(m_site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace))) && inPlace) {
        IOleInPlaceFrame* given = nullptr;
        IOleInPlaceUIWindow* document = nullptr;
        RECT position{}, clip{};
        OLEINPLACEFRAMEINFO info{};
        info.cb = sizeof info;
        if (SUCCEEDED(inPlace->GetWindowContext(&given, &document, &position, &clip, &info))) {
            frame = given;
            if (document)
                document->Release();
        }
        inPlace->Release();
    }
    if (frame)
        frame->EnableModeless(FALSE_);
    if (const auto& show = controlUi().showAbout)
        show(aboutContent(libraryVersion()));
    if (frame) {
        frame->EnableModeless(TRUE_);
        frame->Release();
    }
    return S_OK;
}

// --- Persistence -----------------------------------------------------------------------------

HRESULT PlayControl::GetClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    *clsid = CLSID_kvPlay;
    return S_OK;
}

HRESULT PlayControl::InitNew()
{
    SysFreeString(m_guidSession);
    m_guidSession = nullptr;
    m_needsSaving = false;
    return S_OK;
}

HRESULT PlayControl::takeLoaded(BSTR text)
{
    GUID checked{};
    if (FAILED(GuidFromText(text, &checked))) {
        SysFreeString(text);
        return report(E_INVALIDARG);
    }
    SysFreeString(m_guidSession);
    m_guidSession = text;
    m_needsSaving = false;
    return S_OK;
}

HRESULT PlayControl::Load(IPropertyBag* bag, IErrorLog* log)
{
    if (!bag)
        return E_POINTER;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    const HRESULT read = bag->Read(kGuidSessionName, &value, log);
    VARIANT text;
    VariantInit(&text);
    HRESULT hr = S_OK;
    if (SUCCEEDED(read)) // a form that never saved the property loads with no GUID
        hr = VariantChangeType(&text, &value, 0, VT_BSTR);
    VariantClear(&value);
    if (SUCCEEDED(hr))
        hr = takeLoaded(std::exchange(text.bstrVal, nullptr));
    VariantClear(&text);
    if (FAILED(hr) && log) {
        EXCEPINFO problem{};
        problem.scode = hr;
        log->AddError(kGuidSessionName, &problem);
    }
    return hr;
}

HRESULT PlayControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL)
{
    if (!bag)
        return E_POINTER;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = m_guidSession ? copyOf(m_guidSession) : SysAllocStringLen(nullptr, 0);
    if (!value.bstrVal)
        return E_OUTOFMEMORY;
    const HRESULT hr = bag->Write(kGuidSessionName, &value);
    VariantClear(&value);
    if (FAILED(hr))
        return hr;
    if (clearDirty)
        m_needsSaving = false;
    return S_OK;
}

// The stream holds the text as its byte length (4 bytes) and its UTF-16LE characters.
HRESULT PlayControl::IsDirty() { return m_needsSaving ? S_OK : S_FALSE; }

HRESULT PlayControl::Load(IStream* stream)
{
    if (!stream)
        return E_POINTER;
    constexpr std::uint32_t kLongest = 1024; // far beyond any GUID text; anything longer is no save of ours
    BYTE head[4];
    ULONG read = 0;
    HRESULT hr = stream->Read(head, sizeof head, &read);
    if (FAILED(hr) || read != sizeof head)
        return report(FAILED(hr) ? hr : E_INVALIDARG);
    const std::uint32_t length = head[0] | head[1] << 8 | head[2] << 16 | static_cast<std::uint32_t>(head[3]) << 24;
    if (length % 2 || length > kLongest)
        return report(E_INVALIDARG);
    BYTE bytes[kLongest];
    hr = stream->Read(bytes, length, &read);
    if (FAILED(hr) || read != length)
        return report(FAILED(hr) ? hr : E_INVALIDARG);
    BSTR text = SysAllocStringLen(nullptr, length / 2);
    if (!text)
        return report(E_OUTOFMEMORY);
    for (std::uint32_t i = 0; i < length / 2; ++i)
        text[i] = static_cast<OLECHAR>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return takeLoaded(text);
}

HRESULT PlayControl::Save(IStream* stream, BOOL clearDirty)
{
    if (!stream)
        return E_POINTER;
    const std::uint32_t length = 2 * SysStringLen(m_guidSession);
    std::vector<BYTE> bytes{static_cast<BYTE>(length), static_cast<BYTE>(length >> 8), static_cast<BYTE>(length >> 16),
                            static_cast<BYTE>(length >> 24)};
    for (std::uint32_t i = 0; i < length / 2; ++i) {
        bytes.push_back(static_cast<BYTE>(m_guidSession[i]));
        bytes.push_back(static_cast<BYTE>(m_guidSession[i] >> 8));
    }
    ULONG written = 0;
    const HRESULT hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    if (FAILED(hr))
        return hr;
    if (written != bytes.size())
        return STG_E_MEDIUMFULL;
    if (clearDirty)
        m_needsSaving = false;
    return S_OK;
}

HRESULT PlayControl::GetSizeMax(ULARGE_INTEGER* size)
{
    if (!size)
        return E_POINTER;
    size->QuadPart = 4 + 2 * std::uint64_t{SysStringLen(m_guidSession)};
    return S_OK;
}

// --- Connection points, property pages, site ----------------------------------------------------

HRESULT PlayControl::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

HRESULT PlayControl::FindConnectionPoint(REFIID riid, IConnectionPoint** point)
{
    if (!point)
        return E_POINTER;
    *point = nullptr;
    ControlConnectionPoint* found = riid == IID_IPropertyNotifySink ? &m_propertyNotify
        : riid == DIID__DkvPlayEvents                               ? &m_events
                                                                    : nullptr;
    if (!found)
        return CONNECT_E_NOCONNECTION;
    found->AddRef();
    *point = found;
    return S_OK;
}

HRESULT PlayControl::GetPages(CAUUID* pages)
{
    if (!pages)
        return E_POINTER;
    pages->cElems = 0;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (!pages->pElems)
        return E_OUTOFMEMORY;
    pages->pElems[0] = CLSID_kvPlayPpg;
    pages->cElems = 1;
    return S_OK;
}

HRESULT PlayControl::SetSite(IUnknown* site)
{
    if (site)
        site->AddRef();
    if (m_site)
        m_site->Release();
    m_site = site;
    return S_OK;
}

HRESULT PlayControl::GetSite(REFIID riid, void** site)
{
    if (!site)
        return E_POINTER;
    *site = nullptr;
    if (!m_site)
        return E_FAIL;
    return m_site->QueryInterface(riid, site);
}

// --- Drawing ---------------------------------------------------------------------------------

bool PlayControl::designTime() const
{
    IDispatch* ambient = nullptr;
    if (!m_site || FAILED(m_site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient))) || !ambient)
        return false;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT userMode;
    VariantInit(&userMode);
    const HRESULT hr = ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0x0409, DISPATCH_PROPERTYGET, &none,
                                       &userMode, nullptr, nullptr);
    ambient->Release();
    VARIANT flag;
    VariantInit(&flag);
    const bool design = SUCCEEDED(hr) && SUCCEEDED(VariantChangeType(&flag, &userMode, 0, VT_BOOL))
        && flag.boolVal == VARIANT_FALSE;
    VariantClear(&userMode);
    VariantClear(&flag);
    return design;
}

HRESULT PlayControl::Draw(DWORD aspect, LONG, void*, void*, HDC, HDC dc, const RECTL* bounds, const RECTL*,
                          BOOL (*)(ULONG_PTR), ULONG_PTR)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!dc || !bounds)
        return E_INVALIDARG;
    if (!designTime())
        return S_OK; // invisible while the form runs
    RECT place{bounds->left, bounds->top, bounds->right, bounds->bottom};
    dc->drawRaisedEdge(place);
    if (!m_icon && controlUi().loadIcon)
        m_icon = controlUi().loadIcon(101);
    if (m_icon)
        dc->drawIcon(place.left + 1, place.top + 1, *m_icon);
    return S_OK;
}

HRESULT PlayControl::GetColorSet(DWORD, LONG, void*, void*, HDC, void** colors)
{
    if (colors)
        *colors = nullptr;
    return S_FALSE; // no palette of its own
}

HRESULT PlayControl::Freeze(DWORD, LONG, void*, DWORD* freeze)
{
    if (freeze)
        *freeze = 0;
    return E_NOTIMPL;
}

HRESULT PlayControl::GetAdvise(DWORD*, DWORD*, IUnknown** sink)
{
    if (sink)
        *sink = nullptr;
    return E_NOTIMPL;
}

} // namespace kvdplay
