#pragma once
// The type library kvDirectPlayLib: classes, dual interfaces with their members, and constant
// modules, compiled in. Late binding, the type information and registration all read these
// tables.
#include "kvdplay/Interfaces.h"
#include "platform/com/TypeLibrary.h"

namespace kvdplay {

const TypeLibraryInfo& typeLibrary();

// The dual interfaces whose members are built so far, by IID (null for the others).
const InterfaceInfo* interfaceInfo(REFIID iid);

} // namespace kvdplay
