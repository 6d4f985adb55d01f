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

// The type information names an object argument or result by its interface.
template <typename T> inline constexpr const IID* interfaceIdOf = nullptr;
template <> inline constexpr const IID* interfaceIdOf<kvdplay::IkvDirectPlay> = &kvdplay::IID_IkvDirectPlay;
template <> inline constexpr const IID* interfaceIdOf<kvdplay::IkvDPSESSIONDESC> = &kvdplay::IID_IkvDPSESSIONDESC;
template <> inline constexpr const IID* interfaceIdOf<kvdplay::IkvDirectPlaySessions> = &kvdplay::IID_IkvDirectPlaySessions;
template <> inline constexpr const IID* interfaceIdOf<kvdplay::IkvDirectPlayPlayers> = &kvdplay::IID_IkvDirectPlayPlayers;
template <> inline constexpr const IID* interfaceIdOf<kvdplay::IkvDirectPlayProviders> = &kvdplay::IID_IkvDirectPlayProviders;
template <> inline constexpr const IID* interfaceIdOf<kvdplay::IkvDPCAPS> = &kvdplay::IID_IkvDPCAPS;
template <> inline constexpr const IID* interfaceIdOf<kvdplay::IkvDirectPlayMessage> = &kvdplay::IID_IkvDirectPlayMessage;

template <LibraryObject T> struct TypeOf<T> {
    static_assert(interfaceIdOf<T> != nullptr, "an object type of the library needs its interface id here");
    static constexpr ArgType value{VT_USERDEFINED, false, interfaceIdOf<T>};
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
