#pragma once
// Late binding from compiled-in type tables. Each dual interface lists its members once
// (name, dispatch id, kind, help context, parameter names, and the member function itself);
// GetIDsOfNames and Invoke are answered from that table, and the same table is what the
// type-library registration writes and what the type-information objects describe. A member
// is called through its interface table, with every argument converted to the type the member
// declares; the argument and result types the type information shows come from the same
// declaration.
#include "platform/com/ErrorInfo.h"
#include "platform/com/Interfaces.h"

#include <span>
#include <tuple>
#include <type_traits>
#include <utility>

namespace platform::com {

enum class MemberKind : std::uint8_t { Method, PropertyGet, PropertyPut };

// Calls one member on the interface pointer self; arguments as Invoke received them.
using InvokeThunk = HRESULT (*)(void* self, const DISPPARAMS& params, VARIANT* result, UINT* argErr);

// One argument's or result's type: a VARIANT type, passed by reference (an out argument)
// or, for an object of a library, the interface it is (by its IID).
struct ArgType {
    VARTYPE vt;
    bool byRef = false;
    const IID* iid = nullptr;
};

struct MemberInfo {
    const char* name;
    DISPID dispid;
    MemberKind kind;
    DWORD helpContext;
    UINT argCount; // arguments the caller passes (for a put, the value included)
    const char* params[4];
    InvokeThunk invoke;
    const ArgType* types; // argCount argument types, then the result's type when hasResult
    bool hasResult;
};

enum InterfaceFlags : std::uint8_t { IfDual = 1, IfHidden = 2, IfDispatchOnly = 4, IfOleAutomation = 8 };

struct InterfaceInfo {
    const char* name;
    IID iid;
    DWORD helpContext;
    std::uint8_t flags;
    std::span<const MemberInfo> members;
    const char* helpString = nullptr;
};

// A name of the tables and a caller's name are the same, without regard to case.
bool sameName(const char* ours, const OLECHAR* theirs);

// GetIDsOfNames: the first name is a member, the others its parameters; case does not matter.
HRESULT dispatchGetIDsOfNames(const InterfaceInfo& info, LPOLESTR* names, UINT count, DISPID* ids);
// Invoke: finds the member by dispatch id and kind, converts the arguments and calls it; a
// failure of the member becomes DISP_E_EXCEPTION with EXCEPINFO filled from the error info.
HRESULT dispatchInvoke(const InterfaceInfo& info, void* self, DISPID id, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* exception, UINT* argErr);
// Fills EXCEPINFO from the thread's error information (taking it) for the failure hr.
void fillExceptionInfo(HRESULT hr, EXCEPINFO* exception);

namespace detail {

template <typename T> struct InArg;

template <VARTYPE Vt> struct VariantArg {
    VARIANT v;
    VariantArg() { VariantInit(&v); }
    ~VariantArg() { VariantClear(&v); }
    VariantArg(const VariantArg&) = delete;
    VariantArg& operator=(const VariantArg&) = delete;
    HRESULT from(const VARIANT& source) { return VariantChangeType(&v, &source, 0, Vt); }
};

template <> struct InArg<LONG> : VariantArg<VT_I4> {
    LONG get() const { return v.lVal; }
};
template <> struct InArg<BSTR> : VariantArg<VT_BSTR> {
    BSTR get() const { return v.bstrVal; }
};
template <> struct InArg<VARIANT_BOOL> : VariantArg<VT_BOOL> {
    VARIANT_BOOL get() const { return v.boolVal; }
};
template <> struct InArg<IDispatch*> : VariantArg<VT_DISPATCH> {
    IDispatch* get() const { return v.pdispVal; }
};
template <> struct InArg<IUnknown*> : VariantArg<VT_UNKNOWN> {
    IUnknown* get() const { return v.punkVal; }
};
// A VARIANT argument is passed as the value (a by-reference argument as what it points to);
// the member borrows it.
template <> struct InArg<VARIANT> {
    VARIANT v;
    InArg() { VariantInit(&v); }
    ~InArg() { VariantClear(&v); }
    InArg(const InArg&) = delete;
    InArg& operator=(const InArg&) = delete;
    HRESULT from(const VARIANT& source) { return VariantCopyInd(&v, &source); }
    VARIANT get() const { return v; }
};

template <typename T> struct OutArg;
template <> struct OutArg<LONG> {
    LONG value = 0;
    void moveTo(VARIANT* r) { r->vt = VT_I4; r->lVal = value; }
};
template <> struct OutArg<VARIANT_BOOL> {
    VARIANT_BOOL value = 0;
    void moveTo(VARIANT* r) { r->vt = VT_BOOL; r->boolVal = value; }
};
template <> struct OutArg<BSTR> {
    BSTR value = nullptr;
    ~OutArg() { SysFreeString(value); }
    void moveTo(VARIANT* r) { r->vt = VT_BSTR; r->bstrVal = std::exchange(value, nullptr); }
};
template <> struct OutArg<IDispatch*> {
    IDispatch* value = nullptr;
    ~OutArg();
    void moveTo(VARIANT* r) { r->vt = VT_DISPATCH; r->pdispVal = std::exchange(value, nullptr); }
};
template <> struct OutArg<IUnknown*> {
    IUnknown* value = nullptr;
    ~OutArg() { if (value) value->Release(); }
    void moveTo(VARIANT* r) { r->vt = VT_UNKNOWN; r->punkVal = std::exchange(value, nullptr); }
};
template <> struct OutArg<VARIANT> {
    VARIANT value;
    OutArg() { VariantInit(&value); }
    ~OutArg() { VariantClear(&value); }
    void moveTo(VARIANT* r) { *r = value; VariantInit(&value); }
};

inline OutArg<IDispatch*>::~OutArg()
{
    if (value)
        reinterpret_cast<IUnknown*>(value)->Release();
}

// The type information of an argument type; a library adds its own object types.
template <typename T> struct TypeOf;
template <> struct TypeOf<LONG> { static constexpr ArgType value{VT_I4}; };
template <> struct TypeOf<BSTR> { static constexpr ArgType value{VT_BSTR}; };
template <> struct TypeOf<VARIANT_BOOL> { static constexpr ArgType value{VT_BOOL}; };
template <> struct TypeOf<VARIANT> { static constexpr ArgType value{VT_VARIANT}; };
template <> struct TypeOf<IDispatch*> { static constexpr ArgType value{VT_DISPATCH}; };
template <> struct TypeOf<IUnknown*> { static constexpr ArgType value{VT_UNKNOWN}; };
template <typename T> struct TypeOf<T*> : TypeOf<T> {}; // an out result: what it points to

template <typename Sig> struct MemberTraits;
template <typename I, typename... A> struct MemberTraits<HRESULT (I::*)(A...)> {
    using Iface = I;
    using Args = std::tuple<A...>;
    static constexpr std::size_t count = sizeof...(A);
};

template <auto M, bool HasResult, std::size_t... Is>
HRESULT callMember(void* self, const DISPPARAMS& params, VARIANT* result, UINT* argErr, std::index_sequence<Is...>)
{
    using T = MemberTraits<decltype(M)>;
    std::tuple<InArg<std::remove_cv_t<std::tuple_element_t<Is, typename T::Args>>>...> ins;
    HRESULT hr = S_OK;
    // rgvarg holds the arguments last first.
    ((SUCCEEDED(hr) ? (hr = std::get<Is>(ins).from(params.rgvarg[params.cArgs - 1 - Is]),
                       (FAILED(hr) && argErr ? (*argErr = static_cast<UINT>(params.cArgs - 1 - Is)) : 0), 0)
                    : 0),
     ...);
    if (FAILED(hr))
        return hr;
    auto* object = static_cast<typename T::Iface*>(self);
    if constexpr (HasResult) {
        using Out = std::remove_pointer_t<std::tuple_element_t<T::count - 1, typename T::Args>>;
        OutArg<Out> out;
        hr = (object->*M)(std::get<Is>(ins).get()..., &out.value);
        if (SUCCEEDED(hr) && result)
            out.moveTo(result);
        return hr;
    } else {
        return (object->*M)(std::get<Is>(ins).get()...);
    }
}

template <auto M, bool HasResult>
HRESULT thunk(void* self, const DISPPARAMS& params, VARIANT* result, UINT* argErr)
{
    using T = MemberTraits<decltype(M)>;
    constexpr std::size_t inputs = HasResult ? T::count - 1 : T::count;
    return callMember<M, HasResult>(self, params, result, argErr, std::make_index_sequence<inputs>{});
}

template <auto M> constexpr UINT inputCount(bool hasResult)
{
    return static_cast<UINT>(MemberTraits<decltype(M)>::count - (hasResult ? 1 : 0));
}

// Every parameter's type in declaration order (the result, when there is one, is the last).
template <typename Args> struct SignatureTypes;
template <typename... A> struct SignatureTypes<std::tuple<A...>> {
    static constexpr ArgType value[sizeof...(A) + 1] = {TypeOf<std::remove_cv_t<A>>::value..., ArgType{VT_VOID}};
};
template <auto M> constexpr const ArgType* typesOf()
{
    return SignatureTypes<typename MemberTraits<decltype(M)>::Args>::value;
}

} // namespace detail

// Table entries. A property get or a method with a result returns it through its last parameter.
template <auto M>
constexpr MemberInfo propGet(const char* name, DISPID id, DWORD help, const char* p0 = nullptr)
{
    return {name, id, MemberKind::PropertyGet, help, detail::inputCount<M>(true), {p0, nullptr, nullptr, nullptr},
            &detail::thunk<M, true>, detail::typesOf<M>(), true};
}
template <auto M>
constexpr MemberInfo propPut(const char* name, DISPID id, DWORD help, const char* p0 = nullptr)
{
    return {name, id, MemberKind::PropertyPut, help, detail::inputCount<M>(false), {p0, nullptr, nullptr, nullptr},
            &detail::thunk<M, false>, detail::typesOf<M>(), false};
}
template <auto M>
constexpr MemberInfo methodWithResult(const char* name, DISPID id, DWORD help, const char* p0 = nullptr,
                                      const char* p1 = nullptr, const char* p2 = nullptr, const char* p3 = nullptr)
{
    return {name, id, MemberKind::Method, help, detail::inputCount<M>(true), {p0, p1, p2, p3}, &detail::thunk<M, true>,
            detail::typesOf<M>(), true};
}
template <auto M>
constexpr MemberInfo method(const char* name, DISPID id, DWORD help, const char* p0 = nullptr,
                            const char* p1 = nullptr, const char* p2 = nullptr, const char* p3 = nullptr)
{
    return {name, id, MemberKind::Method, help, detail::inputCount<M>(false), {p0, p1, p2, p3}, &detail::thunk<M, false>,
            detail::typesOf<M>(), false};
}

} // namespace platform::com
