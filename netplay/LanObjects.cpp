#include "netplay/LanObjects.h"

#include "platform/com/Activation.h"
#include "platform/com/ErrorInfo.h"
#include "platform/com/Text.h"

#include <cstdio>

namespace netplay {

namespace {

std::string errorName(com::HRESULT hr) {
    std::string name;
    com::IErrorInfo* info = nullptr;
    if (com::GetErrorInfo(0, &info) == com::S_OK && info) {
        com::BSTR description = nullptr;
        if (com::SUCCEEDED(info->GetDescription(&description))) name = takeText(description);
        info->Release();
    }
    if (name.empty()) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
        name = code;
    }
    return name;
}

template <class T>
engine::ObjectRef<T> create(const char16_t* progId, const com::IID& iid) {
    com::CLSID clsid{};
    check(com::CLSIDFromProgID(progId, &clsid));
    engine::ObjectRef<T> object;
    check(com::CoCreateInstance(clsid, nullptr, com::CLSCTX_INPROC_SERVER, iid, reinterpret_cast<void**>(object.out())));
    if (!object) throw LanError(com::E_FAIL, "no object");
    return object;
}

} // namespace

LanError::LanError(com::HRESULT hr, const std::string& name) : std::runtime_error(name), m_result(hr) {}

void check(com::HRESULT hr) {
    if (com::FAILED(hr)) throw LanError(hr, errorName(hr));
}

engine::ObjectRef<kvdplay::IkvDirectPlayGlobal> createGlobal() {
    return create<kvdplay::IkvDirectPlayGlobal>(GlobalProgId, kvdplay::IID_IkvDirectPlayGlobal);
}

engine::ObjectRef<kvdplay::IkvDPSESSIONDESC> createSessionDesc() {
    return create<kvdplay::IkvDPSESSIONDESC>(SessionDescProgId, kvdplay::IID_IkvDPSESSIONDESC);
}

LanText::LanText(const std::string& utf8) : m_text(com::stringFromUtf8(utf8)) {
    if (!m_text) throw LanError(com::E_OUTOFMEMORY, "DPERR_OUTOFMEMORY");
}

LanText::~LanText() {
    com::SysFreeString(m_text);
}

std::string takeText(com::BSTR text) {
    std::string utf8 = com::utf8FromString(text).value_or(std::string());
    com::SysFreeString(text);
    return utf8;
}

void callByName(com::IDispatch* object, const char16_t* name, com::WORD flags, com::VARIANT* result,
                const com::LONG* argument) {
    if (!object) throw LanError(com::E_INVALIDARG, "no object");
    std::u16string text(name);
    com::LPOLESTR names[1] = {text.data()};
    com::DISPID id = com::DISPID_UNKNOWN;
    check(object->GetIDsOfNames(com::IID_NULL, names, 1, 0, &id));
    LanVariant arg;
    com::DISPPARAMS params{nullptr, nullptr, 0, 0};
    if (argument) {
        arg.v.vt = com::VT_I4;
        arg.v.lVal = *argument;
        params.rgvarg = &arg.v;
        params.cArgs = 1;
    }
    com::EXCEPINFO exception{};
    com::UINT argErr = 0;
    const com::HRESULT hr = object->Invoke(id, com::IID_NULL, 0, flags, &params, result, &exception, &argErr);
    com::SysFreeString(exception.bstrSource);
    com::SysFreeString(exception.bstrHelpFile);
    const std::string description = takeText(exception.bstrDescription);
    if (com::FAILED(hr)) throw LanError(hr, description);
}

std::int32_t readNumber(com::IDispatch* object, const char16_t* name) {
    LanVariant value;
    callByName(object, name, com::DISPATCH_PROPERTYGET, &value.v);
    LanVariant number;
    check(com::VariantChangeType(&number.v, &value.v, 0, com::VT_I4));
    return number.v.lVal;
}

std::string readText(com::IDispatch* object, const char16_t* name) {
    LanVariant value;
    callByName(object, name, com::DISPATCH_PROPERTYGET, &value.v);
    LanVariant text;
    check(com::VariantChangeType(&text.v, &value.v, 0, com::VT_BSTR));
    return com::utf8FromString(text.v.bstrVal).value_or(std::string());
}

engine::ObjectRef<com::IDispatch> readObject(com::IDispatch* object, const char16_t* name, const com::LONG* index) {
    LanVariant value;
    callByName(object, name, com::DISPATCH_METHOD | com::DISPATCH_PROPERTYGET, &value.v, index);
    if (value.v.vt != com::VT_DISPATCH || !value.v.pdispVal) throw LanError(com::E_FAIL, "not an object");
    // The reference moves to the caller.
    engine::ObjectRef<com::IDispatch> got(value.v.pdispVal);
    value.v.vt = com::VT_EMPTY;
    return got;
}

} // namespace netplay
