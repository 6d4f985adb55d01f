#pragma once
// Fixed-width text is padded with blanks; every reader takes them off the same way: leading and
// trailing 0x20 only, so a tab or a non-breaking space stays part of the text.
#include <string_view>

namespace platform::text {

inline std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

} // namespace platform::text
