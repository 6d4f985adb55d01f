#pragma once
// The library's class objects: which classes can be created by class, and their factories.
#include "kvdplay/Interfaces.h"

namespace kvdplay {

// A new factory for clsid: E_NOINTERFACE-style results as DllGetClassObject gives them
// (CLASS_E_CLASSNOTAVAILABLE for a class that cannot be created by class).
HRESULT getClassObject(REFCLSID clsid, REFIID riid, void** out);

} // namespace kvdplay
