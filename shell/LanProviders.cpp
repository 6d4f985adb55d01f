#include "shell/LanProviders.h"

#include "platform/com/Activation.h"
#include "platform/com/Interfaces.h"
#include "platform/com/Text.h"
#include "platform/com/Variant.h"

#include <stdexcept>

namespace shell {

namespace {

namespace com = platform::com;

// Holds one reference and gives it back.
struct DispatchRef {
    com::IDispatch* p = nullptr;
    DispatchRef() = default;
    explicit DispatchRef(com::IDispatch* d) : p(d) {}
    DispatchRef(const DispatchRef&) = delete;
    DispatchRef& operator=(const DispatchRef&) = delete;
    ~DispatchRef() {
        if (p) p->Release();
    }
};

struct Variant {
    com::VARIANT v;
    Variant() { com::VariantInit(&v); }
    ~Variant() { com::VariantClear(&v); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
};

[[noreturn]] void fail(const char* what) {
    throw std::runtime_error(what);
}

// Calls a member by name with at most one 32-bit argument.
void call(com::IDispatch* object, const char16_t* name, com::WORD flags, com::VARIANT* result, const long* argument = nullptr) {
    com::DISPID id = com::DISPID_UNKNOWN;
    std::u16string text(name);
    com::LPOLESTR names[1] = {text.data()};
    if (com::FAILED(object->GetIDsOfNames(com::IID_NULL, names, 1, 0, &id))) fail("no such member");
    Variant arg;
    com::DISPPARAMS params{nullptr, nullptr, 0, 0};
    if (argument) {
        arg.v.vt = com::VT_I4;
        arg.v.lVal = static_cast<com::LONG>(*argument);
        params.rgvarg = &arg.v;
        params.cArgs = 1;
    }
    com::EXCEPINFO exception{};
    com::UINT argErr = 0;
    const com::HRESULT hr = object->Invoke(id, com::IID_NULL, 0, flags, &params, result, &exception, &argErr);
    com::SysFreeString(exception.bstrSource);
    com::SysFreeString(exception.bstrDescription);
    com::SysFreeString(exception.bstrHelpFile);
    if (com::FAILED(hr)) fail("call failed");
}

com::IDispatch* takeObject(Variant& result) {
    if (result.v.vt != com::VT_DISPATCH || !result.v.pdispVal) fail("not an object");
    com::IDispatch* object = result.v.pdispVal;
    result.v.vt = com::VT_EMPTY;   // the reference moves to the caller
    return object;
}

} // namespace

std::vector<std::string> networkLibraryProviders() {
    com::CLSID clsid{};
    if (com::FAILED(com::CLSIDFromProgID(GlobalProgId, &clsid))) fail("network library not registered");
    void* raw = nullptr;
    if (com::FAILED(com::CoCreateInstance(clsid, nullptr, com::CLSCTX_INPROC_SERVER, com::IID_IDispatch, &raw)) || !raw)
        fail("network library cannot be created");
    DispatchRef global(static_cast<com::IDispatch*>(raw));

    Variant collectionResult;
    call(global.p, u"DirectPlayEnumerate", com::DISPATCH_METHOD | com::DISPATCH_PROPERTYGET, &collectionResult.v);
    DispatchRef collection(takeObject(collectionResult));
    Variant countResult;
    call(collection.p, u"Count", com::DISPATCH_PROPERTYGET, &countResult.v);
    Variant count;
    if (com::FAILED(com::VariantChangeType(&count.v, &countResult.v, 0, com::VT_I4))) fail("bad count");

    std::vector<std::string> names;
    for (long i = 0; i < count.v.lVal; ++i) {
        Variant itemResult;
        call(collection.p, u"Item", com::DISPATCH_METHOD | com::DISPATCH_PROPERTYGET, &itemResult.v, &i);
        DispatchRef provider(takeObject(itemResult));
        Variant nameResult;
        call(provider.p, u"FriendlyName", com::DISPATCH_PROPERTYGET, &nameResult.v);
        Variant name;
        if (com::FAILED(com::VariantChangeType(&name.v, &nameResult.v, 0, com::VT_BSTR))) fail("bad name");
        names.push_back(com::utf8FromString(name.v.bstrVal).value_or(std::string()));
    }
    return names;
}

} // namespace shell
