#pragma once
// The GUID text of the library: 36 characters, 8-4-4-4-12, no braces.
#include "platform/com/Variant.h"

namespace kvdplay {

using namespace platform::com;

// Lower-case text as a new string; E_OUTOFMEMORY when it cannot be made.
HRESULT GuidToText(REFGUID guid, BSTR* text);
// Empty or absent text gives the all-zero GUID; anything but the 36-character form
// (hexadecimal digits of either case) gives E_INVALIDARG.
HRESULT GuidFromText(BSTR text, GUID* guid);
// A string through GuidFromText, or a one-dimensional Byte array of exactly 16 elements as the
// GUID's bytes in memory order; anything else gives E_INVALIDARG.
HRESULT GuidFromVariant(const VARIANT& value, GUID* guid);

} // namespace kvdplay
