#pragma once
// Creating objects by class: the registry names the library of a class (InprocServer32), which
// is loaded with dlopen and asked for the class's factory through its DllGetClassObject.
#include "platform/com/Interfaces.h"

#include <string>

namespace platform::com {

enum : DWORD { CLSCTX_INPROC_SERVER = 0x1, CLSCTX_ALL = 0x17 };

// The entry points every in-process server exports (with C linkage).
using DllGetClassObjectFn = HRESULT (*)(REFCLSID, REFIID, void**);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();

HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid);
// The ProgID text comes in task memory; the caller frees it with CoTaskMemFree.
HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* progId);
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* reserved, REFIID riid, void** out);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** out);

// Loads the library at path and calls DllRegisterServer (or DllUnregisterServer).
// message receives a short explanation of a failure.
HRESULT registerServer(const std::string& path, bool unregister, std::string* message = nullptr);

} // namespace platform::com
