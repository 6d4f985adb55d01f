#pragma once
// The registry's GUID text: braces, upper-case hexadecimal, 8-4-4-4-12.
#include "platform/com/Types.h"

#include <optional>
#include <string>

namespace platform::com {

// Writes the 38-character braced form and its terminator; returns the characters written
// including the terminator, or 0 when the buffer is too small.
int StringFromGUID2(REFGUID guid, char16_t* buffer, int capacity);
// Reads the braced form (either case). CO_E_CLASSSTRING for anything else.
HRESULT CLSIDFromString(const char16_t* text, CLSID* clsid);

// The same in UTF-8 for the registry file.
std::string guidToRegistryText(REFGUID guid);
std::optional<GUID> guidFromRegistryText(const std::string& text);

// The 36 characters without braces (lower case when asked) and their strict reading.
std::string guidToPlainText(REFGUID guid, bool lowerCase);
std::optional<GUID> guidFromPlainText(std::u16string_view text);

} // namespace platform::com
