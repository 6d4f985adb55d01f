#include "platform/com/Guid.h"

#include <cstdio>

namespace platform::com {

std::string guidToPlainText(REFGUID g, bool lowerCase)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer,
                  lowerCase ? "%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x"
                            : "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2],
                  g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return buffer;
}

namespace {

int hexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

} // namespace

std::optional<GUID> guidFromPlainText(std::u16string_view text)
{
    if (text.size() != 36)
        return std::nullopt;
    // Hexadecimal digits, with hyphens only at positions 8, 13, 18 and 23.
    std::uint8_t bytes[16];
    int nibble = 0;
    for (std::size_t i = 0; i < 36; ++i) {
        const bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        if (hyphen) {
            if (text[i] != u'-')
                return std::nullopt;
            continue;
        }
        const int v = hexValue(text[i]);
        if (v < 0)
            return std::nullopt;
        if (nibble % 2 == 0)
            bytes[nibble / 2] = static_cast<std::uint8_t>(v << 4);
        else
            bytes[nibble / 2] |= static_cast<std::uint8_t>(v);
        ++nibble;
    }
    // The first three groups are numbers, the last two are bytes in order.
    GUID g;
    g.Data1 = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) | bytes[3];
    g.Data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
    g.Data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
    for (int i = 0; i < 8; ++i)
        g.Data4[i] = bytes[8 + i];
    return g;
}

std::string guidToRegistryText(REFGUID guid) { return "{" + guidToPlainText(guid, false) + "}"; }

std::optional<GUID> guidFromRegistryText(const std::string& text)
{
    if (text.size() != 38 || text.front() != '{' || text.back() != '}')
        return std::nullopt;
    std::u16string wide(text.begin() + 1, text.end() - 1);
    return guidFromPlainText(wide);
}

int StringFromGUID2(REFGUID guid, char16_t* buffer, int capacity)
{
    const std::string text = guidToRegistryText(guid);
    if (!buffer || capacity < static_cast<int>(text.size()) + 1)
        return 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        buffer[i] = static_cast<char16_t>(text[i]);
    buffer[text.size()] = 0;
    return static_cast<int>(text.size()) + 1;
}

HRESULT CLSIDFromString(const char16_t* text, CLSID* clsid)
{
    if (!text || !clsid)
        return E_INVALIDARG;
    std::u16string_view view(text);
    if (view.size() != 38 || view.front() != u'{' || view.back() != u'}')
        return CO_E_CLASSSTRING;
    const auto g = guidFromPlainText(view.substr(1, 36));
    if (!g)
        return CO_E_CLASSSTRING;
    *clsid = *g;
    return S_OK;
}

} // namespace platform::com
