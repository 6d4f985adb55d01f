#include "platform/com/Text.h"

#include "platform/text/Cp1252.h"

#include <cstring>

namespace platform::com {

BSTR stringFromAnsi(const char* bytes, std::size_t width)
{
    std::size_t length = 0;
    if (bytes) {
        const void* end = std::memchr(bytes, 0, width);
        length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - bytes) : width;
    }
    const std::u16string wide = platform::text::cp1252ToUtf16(std::string_view(bytes ? bytes : "", length));
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::optional<std::string> ansiFromString(BSTR text)
{
    if (!text)
        return std::string();
    return platform::text::utf16ToCp1252(std::u16string_view(text, SysStringLen(text)));
}

BSTR stringFromUtf8(std::string_view text)
{
    const auto wide = platform::text::utf8ToUtf16(text);
    if (!wide)
        return nullptr;
    return SysAllocStringLen(wide->data(), static_cast<UINT>(wide->size()));
}

std::optional<std::string> utf8FromString(BSTR text)
{
    if (!text)
        return std::string();
    return platform::text::utf16ToUtf8(std::u16string_view(text, SysStringLen(text)));
}

} // namespace platform::com
