#include "platform/com/Activation.h"

#include "platform/com/ErrorInfo.h"
#include "platform/com/Guid.h"
#include "platform/com/Registry.h"
#include "platform/text/Cp1252.h"

#include <dlfcn.h>

namespace platform::com {

namespace {

void reportMissingLibrary(const std::string& path, const std::string& why)
{
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create)) || !create)
        return;
    std::string text = "the library " + path + " cannot be loaded";
    // The loader's own reason starts with the path again; only what follows it is new.
    const std::string prefix = path + ": ";
    if (!why.empty())
        text += ": " + (why.compare(0, prefix.size(), prefix) == 0 ? why.substr(prefix.size()) : why);
    if (const auto wide = platform::text::utf8ToUtf16(text)) {
        std::u16string description = *wide;
        create->SetGUID(GUID_NULL);
        create->SetDescription(description.data());
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info))) && info) {
            SetErrorInfo(0, info);
            info->Release();
        }
    }
    create->Release();
}

} // namespace

HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid)
{
    if (!progId || !clsid)
        return E_INVALIDARG;
    const auto name = platform::text::utf16ToUtf8(progId);
    if (!name || name->empty())
        return CO_E_CLASSSTRING;
    Registry registry;
    if (!registry.load(Registry::defaultPath()))
        return REGDB_E_READREGDB;
    auto text = registry.value(*name + "\\CLSID");
    if (!text) {
        // A version-independent ProgID may name its current version instead.
        if (const auto current = registry.value(*name + "\\CurVer"))
            text = registry.value(*current + "\\CLSID");
    }
    if (!text)
        return CO_E_CLASSSTRING;
    const auto guid = guidFromRegistryText(*text);
    if (!guid)
        return CO_E_CLASSSTRING;
    *clsid = *guid;
    return S_OK;
}

HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* progId)
{
    if (!progId)
        return E_INVALIDARG;
    *progId = nullptr;
    const auto text = readRegistryValue("CLSID\\" + guidToRegistryText(clsid) + "\\ProgID");
    if (!text)
        return REGDB_E_CLASSNOTREG;
    const auto wide = platform::text::utf8ToUtf16(*text);
    if (!wide)
        return REGDB_E_READREGDB;
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((wide->size() + 1) * sizeof(OLECHAR)));
    if (!copy)
        return E_OUTOFMEMORY;
    std::memcpy(copy, wide->c_str(), (wide->size() + 1) * sizeof(OLECHAR));
    *progId = copy;
    return S_OK;
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void*, REFIID riid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!(context & CLSCTX_INPROC_SERVER))
        return REGDB_E_CLASSNOTREG;
    const auto path = readRegistryValue("CLSID\\" + guidToRegistryText(clsid) + "\\InprocServer32");
    if (!path || path->empty())
        return REGDB_E_CLASSNOTREG;
    // The library stays loaded for the rest of the run, as its objects may live anywhere.
    void* library = ::dlopen(path->c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        // The caller's message names the library that is missing or broken.
        const char* why = ::dlerror();
        reportMissingLibrary(*path, why ? why : "");
        return CO_E_DLLNOTFOUND;
    }
    auto entry = reinterpret_cast<DllGetClassObjectFn>(::dlsym(library, "DllGetClassObject"));
    if (!entry)
        return CO_E_ERRORINDLL;
    return entry(clsid, riid, out);
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(clsid, context, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr))
        return hr;
    hr = factory->CreateInstance(outer, riid, out);
    factory->Release();
    return hr;
}

HRESULT registerServer(const std::string& path, bool unregister, std::string* message)
{
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        if (message)
            *message = ::dlerror();
        return CO_E_DLLNOTFOUND;
    }
    const char* name = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto entry = reinterpret_cast<DllRegisterServerFn>(::dlsym(library, name));
    HRESULT hr = CO_E_ERRORINDLL;
    if (!entry) {
        if (message)
            *message = std::string("the library has no ") + name;
    } else {
        hr = entry();
        if (FAILED(hr) && message)
            *message = std::string(name) + " failed";
    }
    ::dlclose(library);
    return hr;
}

} // namespace platform::com
