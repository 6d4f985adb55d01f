#pragma once
// Identity and reference counting for the runtime's own single-interface objects (type
// information, streams): the object answers for its interface and the ones it derives from, and
// its last Release destroys it.
#include "platform/com/Unknown.h"

#include <atomic>

namespace platform::com {

// Derived says which interface ids besides IID_IUnknown it answers to with
// `static bool answers(REFIID riid)`, and names this class its friend so it can be destroyed.
template <class Derived, class Interface>
class RefCounted : public Interface {
public:
    HRESULT QueryInterface(REFIID riid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (riid != IID_IUnknown && !Derived::answers(riid))
            return E_NOINTERFACE;
        *out = static_cast<Interface*>(this);
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

protected:
    RefCounted() = default;
    ~RefCounted() = default;

private:
    std::atomic<ULONG> m_refs{1};
};

} // namespace platform::com
