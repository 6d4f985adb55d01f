#pragma once
// Late-bound arguments and results of the library's own object types: an object argument
// arrives as an IDispatch and is passed on as the member's declared type (the member proves
// its kind before it uses it); an object result leaves as an IDispatch.
#include "kvdplay/Interfaces.h"
#include "platform/com/Dispatch.h"

#include <type_traits>

namespace platform::com::detail {

template <typename T>
concept LibraryObject = std::is_base_of_v<IDispatch, T> && !std::is_same_v<T, IDispatch>;

template <LibraryObject T> struct InArg<T*> : VariantArg<VT_DISPATCH> {
    // Single inheritance from IDispatch: the same address, whatever the object really is.
    T* get() const { return reinterpret_cast<T*>(v.pdispVal); }
};

template <LibraryObject T> struct OutArg<T*> {
    T* value = nullptr;
    OutArg() = default;
    OutArg(const OutArg&) = delete;
    OutArg& operator=(const OutArg&) = delete;
    ~OutArg()
    {
        if (value)
            value->Release();
    }
    void moveTo(VARIANT* r)
    {
        r->vt = VT_DISPATCH;
        r->pdispVal = static_cast<IDispatch*>(std::exchange(value, nullptr));
    }
};

} // namespace platform::com::detail
