#pragma once
// The listing of a type library: the library's attributes and documentation, then every class
// with its interfaces, every interface with its members (dispatch id, help context, invoke
// kind, argument and result types) and every module with its constants.
#include "platform/com/TypeInfo.h"

#include <ostream>
#include <string>

namespace typelib {

// Loads the library named by a ProgID, a library GUID (braced or not) or a library file.
// On failure the result is the runtime's error and message says what could not be found.
platform::com::HRESULT loadNamedTypeLib(const std::string& what, platform::com::ITypeLib** out, std::string& message);

// Writes the listing; false when the library cannot be read.
bool writeListing(platform::com::ITypeLib& library, std::ostream& out);

} // namespace typelib
