#pragma once
// What every object of the library shares: reference counting that keeps the library loaded,
// identity (QueryInterface), late binding from the type tables and ISupportErrorInfo.
#include "kvdplay/Errors.h"
#include "kvdplay/Interfaces.h"
#include "kvdplay/TypeTables.h"
#include "platform/com/TypeInfo.h"

#include <atomic>
#include <new>

namespace kvdplay {

// Living objects and factory locks; the library cannot be unloaded while this is not zero.
void lockModule();
void unlockModule();
LONG moduleLockCount();

// Derived: the concrete class (final). Iface: its default dual interface. Derived provides
//   static const InterfaceInfo& dispatchInfo();  static const CLSID& classId();
// and may provide  void* extraInterface(REFIID)  for the Extra interfaces (IkvStructAccess).
template <typename Derived, typename Iface, typename... Extra>
class DualObject : public Iface, public ISupportErrorInfo, public Extra... {
public:
    HRESULT QueryInterface(REFIID riid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == Derived::dispatchInfo().iid)
            *out = static_cast<Iface*>(this);
        else if (riid == IID_ISupportErrorInfo)
            *out = static_cast<ISupportErrorInfo*>(this);
        else
            *out = static_cast<Derived*>(this)->extraInterface(riid);
        if (!*out)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete static_cast<Derived*>(this);
        return left;
    }

    HRESULT GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT index, LCID, ITypeInfo** info) override
    {
        return dispatchTypeInfo(typeLibrary(), Derived::dispatchInfo(), index, info);
    }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        return dispatchGetIDsOfNames(Derived::dispatchInfo(), names, count, ids);
    }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* exception, UINT* argErr) override
    {
        return dispatchInvoke(Derived::dispatchInfo(), static_cast<Iface*>(this), id, flags, params, result,
                              exception, argErr);
    }

    HRESULT InterfaceSupportsErrorInfo(REFIID riid) override
    {
        return riid == Derived::dispatchInfo().iid ? S_OK : S_FALSE;
    }

    void* extraInterface(REFIID) { return nullptr; }

    // A new object with one reference, or null when memory is short.
    template <typename... A>
    static Derived* create(A&&... args)
    {
        return new (std::nothrow) Derived(std::forward<A>(args)...);
    }

protected:
    DualObject() { lockModule(); }
    ~DualObject() { unlockModule(); }
    HRESULT report(HRESULT hr) const { return ReportError(hr, Derived::classId()); }

private:
    std::atomic<ULONG> m_refs{1};
};

} // namespace kvdplay
