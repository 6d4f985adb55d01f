#pragma once
// Windows-1252 is the byte form of every text the data files and the automation library's
// 8-bit side hold; in memory the program keeps UTF-8 (and UTF-16 on the automation side).
// All conversions live here so no caller ever invents its own "?" for an unmappable character.
#include <optional>
#include <string>
#include <string_view>

namespace platform::text {

// Windows-1252 bytes to UTF-8. The five undefined bytes (0x81 0x8D 0x8F 0x90 0x9D) map to the
// C1 control characters of the same value, so every byte string round-trips.
std::string cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252; empty when the text holds a character that Windows-1252 cannot hold
// or is not valid UTF-8.
std::optional<std::string> utf8ToCp1252(std::string_view utf8);

// True when every character of the UTF-8 text has a Windows-1252 byte.
bool fitsCp1252(std::string_view utf8);

// The same pair for UTF-16.
std::u16string cp1252ToUtf16(std::string_view bytes);
std::optional<std::string> utf16ToCp1252(std::u16string_view text);

// UTF-8 <-> UTF-16; invalid input gives empty.
std::optional<std::u16string> utf8ToUtf16(std::string_view utf8);
std::optional<std::string> utf16ToUtf8(std::u16string_view text);

// Length in characters (code points) of valid UTF-8; invalid bytes count one each.
std::size_t utf8Length(std::string_view utf8);

} // namespace platform::text
