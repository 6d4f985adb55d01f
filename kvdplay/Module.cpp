#include "kvdplay/Module.h"

#include "kvdplay/Control.h"
#include "kvdplay/Global.h"
#include "kvdplay/Object.h"
#include "kvdplay/PropertyPage.h"
#include "kvdplay/SessionDesc.h"

namespace kvdplay {

namespace {

std::atomic<LONG> g_locks{0};

using Creator = HRESULT (*)(IUnknown* outer, REFIID riid, void** out);

HRESULT createSessionDesc(IUnknown* outer, REFIID riid, void** out)
{
    if (outer)
        return CLASS_E_NOAGGREGATION;
    SessionDesc* made = SessionDesc::create();
    if (!made)
        return E_OUTOFMEMORY;
    const HRESULT hr = made->QueryInterface(riid, out);
    made->Release();
    return hr;
}

HRESULT createGlobal(IUnknown* outer, REFIID riid, void** out)
{
    if (outer)
        return CLASS_E_NOAGGREGATION;
    Global* made = Global::create();
    if (!made)
        return E_OUTOFMEMORY;
    const HRESULT hr = made->QueryInterface(riid, out);
    made->Release();
    return hr;
}

// The four classes with a factory.
struct FactoryEntry {
    const CLSID* clsid;
    Creator create;
};

const FactoryEntry kFactories[] = {
    {&CLSID_kvDirectPlayGlobal, &createGlobal},
    {&CLSID_kvDPSESSIONDESC, &createSessionDesc},
    {&CLSID_kvPlay, &PlayControl::create}, // the control alone can be aggregated
    {&CLSID_kvPlayPpg, &PropertyPage::create},
};

class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(Creator create) : m_create(create) { lockModule(); }

    HRESULT QueryInterface(REFIID riid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return m_create(outer, riid, out);
    }
    HRESULT LockServer(BOOL lock) override
    {
        if (lock)
            lockModule();
        else
            unlockModule();
        return S_OK;
    }

private:
    ~ClassFactory() { unlockModule(); }
    std::atomic<ULONG> m_refs{1};
    Creator m_create;
};

} // namespace

void lockModule() { ++g_locks; }
void unlockModule() { --g_locks; }
LONG moduleLockCount() { return g_locks; }

HRESULT getClassObject(REFCLSID clsid, REFIID riid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    for (const FactoryEntry& entry : kFactories) {
        if (*entry.clsid != clsid)
            continue;
        if (!entry.create)
            return CLASS_E_CLASSNOTAVAILABLE;
        auto* factory = new (std::nothrow) ClassFactory(entry.create);
        if (!factory)
            return E_OUTOFMEMORY;
        const HRESULT hr = factory->QueryInterface(riid, out);
        factory->Release();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

} // namespace kvdplay
