#include "platform/activex/HostedControl.h"

#include "platform/com/ControlSite.h"
#include "platform/com/Activation.h"

#include <atomic>

namespace platform::ui {


// The form's side, as one object: the site the control holds, the bag it loads from and saves
// into, and the sink it tells of changes. It lives as long as the hosted control.
class HostedControl::Container final : public com::IPropertyBag, public com::IPropertyNotifySink {
public:
    explicit Container(HostedControl& owner) : m_owner(owner) {}

    com::HRESULT QueryInterface(com::REFIID riid, void** out) override {
        if (!out) return com::E_POINTER;
        *out = nullptr;
        if (riid == com::IID_IUnknown || riid == com::IID_IPropertyBag)
            *out = static_cast<com::IPropertyBag*>(this);
        else if (riid == com::IID_IPropertyNotifySink)
            *out = static_cast<com::IPropertyNotifySink*>(this);
        else
            return com::E_NOINTERFACE;
        AddRef();
        return com::S_OK;
    }
    com::ULONG AddRef() override { return ++m_refs; }
    com::ULONG Release() override { return --m_refs; }   // the host owns it

    com::HRESULT Read(com::LPCOLESTR name, com::VARIANT* value, com::IErrorLog*) override {
        if (!name || !value) return com::E_POINTER;
        const auto it = m_owner.m_saved.find(name);
        if (it == m_owner.m_saved.end()) return com::E_INVALIDARG;
        com::VariantClear(value);
        value->vt = com::VT_BSTR;
        value->bstrVal = com::SysAllocStringLen(it->second.data(), static_cast<com::UINT>(it->second.size()));
        return value->bstrVal ? com::S_OK : com::E_OUTOFMEMORY;
    }
    com::HRESULT Write(com::LPCOLESTR name, com::VARIANT* value) override {
        if (!name || !value) return com::E_POINTER;
        com::VARIANT text;
        com::VariantInit(&text);
        const com::HRESULT hr = com::VariantChangeType(&text, value, 0, com::VT_BSTR);
        if (com::FAILED(hr)) return hr;
        m_owner.m_saved[name] = text.bstrVal ? std::u16string(text.bstrVal, com::SysStringLen(text.bstrVal)) : u"";
        com::VariantClear(&text);
        return com::S_OK;
    }

    com::HRESULT OnChanged(com::DISPID) override {
        ++m_owner.m_changes;
        m_owner.m_dirty = true;
        return com::S_OK;
    }
    // The form never refuses an edit.
    com::HRESULT OnRequestEdit(com::DISPID) override { return com::S_OK; }

private:
    HostedControl& m_owner;
    std::atomic<com::ULONG> m_refs{1};
};

HostedControl::HostedControl(std::string name, std::u16string progId, std::map<std::u16string, std::u16string> saved)
    : m_name(std::move(name)), m_progId(std::move(progId)), m_saved(std::move(saved)) {}

HostedControl::~HostedControl() {
    if (m_point) {
        m_point->Unadvise(m_cookie);
        m_point->Release();
    }
    if (m_object) {
        com::IObjectWithSite* withSite = nullptr;
        if (com::SUCCEEDED(m_object->QueryInterface(com::IID_IObjectWithSite, reinterpret_cast<void**>(&withSite))) && withSite) {
            withSite->SetSite(nullptr);
            withSite->Release();
        }
        m_object->Release();
    }
    delete m_container;
}

com::IUnknown* HostedControl::object() {
    if (m_object || m_tried) return m_object;
    m_tried = true;
    com::CLSID clsid{};
    if (com::FAILED(com::CLSIDFromProgID(m_progId.c_str(), &clsid))) return nullptr;
    com::IUnknown* object = nullptr;
    if (com::FAILED(com::CoCreateInstance(clsid, nullptr, com::CLSCTX_INPROC_SERVER, com::IID_IUnknown,
                                          reinterpret_cast<void**>(&object))) ||
        !object)
        return nullptr;
    m_object = object;
    m_container = new Container(*this);

    // The site first, then the saved values, then the sink: the control's own start order.
    com::IObjectWithSite* withSite = nullptr;
    if (com::SUCCEEDED(object->QueryInterface(com::IID_IObjectWithSite, reinterpret_cast<void**>(&withSite))) && withSite) {
        withSite->SetSite(static_cast<com::IPropertyBag*>(m_container));
        withSite->Release();
    }
    com::IPersistPropertyBag* persist = nullptr;
    if (com::SUCCEEDED(object->QueryInterface(com::IID_IPersistPropertyBag, reinterpret_cast<void**>(&persist))) &&
        persist) {
        persist->Load(m_container, nullptr);
        persist->Release();
    }
    com::IConnectionPointContainer* points = nullptr;
    if (com::SUCCEEDED(object->QueryInterface(com::IID_IConnectionPointContainer, reinterpret_cast<void**>(&points))) &&
        points) {
        if (com::SUCCEEDED(points->FindConnectionPoint(com::IID_IPropertyNotifySink, &m_point)) && m_point) {
            if (com::FAILED(m_point->Advise(static_cast<com::IPropertyNotifySink*>(m_container), &m_cookie))) {
                m_point->Release();
                m_point = nullptr;
            }
        }
        points->Release();
    }
    m_dirty = false;
    return m_object;
}

com::HRESULT HostedControl::query(const com::IID& iid, void** out) {
    if (!out) return com::E_POINTER;
    *out = nullptr;
    com::IUnknown* control = object();
    if (!control) return com::E_NOINTERFACE;
    return control->QueryInterface(iid, out);
}

bool HostedControl::save() {
    com::IPersistPropertyBag* persist = nullptr;
    if (com::FAILED(query(com::IID_IPersistPropertyBag, reinterpret_cast<void**>(&persist))) || !persist) return false;
    const com::HRESULT hr = persist->Save(m_container, 1, 1);
    persist->Release();
    if (com::FAILED(hr)) return false;
    m_dirty = false;
    return true;
}

} // namespace platform::ui
