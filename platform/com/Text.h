#pragma once
// Strings of the automation side (UTF-16) to and from the program's UTF-8 and the 8-bit text
// (Windows-1252) of DirectPlay and the data files. Every such conversion goes through here, on
// top of the one character converter.
#include "platform/com/Variant.h"

#include <optional>
#include <string>

namespace platform::com {

// The 8-bit text up to its terminator, never past width bytes, as a new string (null when
// the string cannot be made). A null pointer gives empty text.
BSTR stringFromAnsi(const char* bytes, std::size_t width);
// The string as 8-bit text; an absent string is empty text. Empty when a character has no
// 8-bit form.
std::optional<std::string> ansiFromString(BSTR text);
// A new string from UTF-8 (null when the text is not UTF-8 or memory is short).
BSTR stringFromUtf8(std::string_view text);
// The string as UTF-8; an absent string is empty text. Empty when the string is not valid UTF-16.
std::optional<std::string> utf8FromString(BSTR text);

} // namespace platform::com
