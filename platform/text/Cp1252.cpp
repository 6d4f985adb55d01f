#include "platform/text/Cp1252.h"

#include <array>

namespace platform::text {
namespace {

// Code points of bytes 0x80..0x9F; the undefined ones keep their own value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t byteToCodePoint(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) return kHigh[b - 0x80];
    return b;
}

std::optional<char> codePointToByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one code point at pos; nullopt on malformed input (overlong, surrogate, truncated).
std::optional<char32_t> nextUtf8(std::string_view s, std::size_t& pos) {
    auto b0 = static_cast<unsigned char>(s[pos]);
    int extra;
    char32_t cp;
    if (b0 < 0x80) { ++pos; return b0; }
    if ((b0 & 0xE0) == 0xC0) { extra = 1; cp = b0 & 0x1F; }
    else if ((b0 & 0xF0) == 0xE0) { extra = 2; cp = b0 & 0x0F; }
    else if ((b0 & 0xF8) == 0xF0) { extra = 3; cp = b0 & 0x07; }
    else return std::nullopt;
    if (pos + static_cast<std::size_t>(extra) >= s.size()) return std::nullopt;
    for (int i = 1; i <= extra; ++i) {
        auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    pos += extra + 1;
    return cp;
}

} // namespace

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) appendUtf8(out, byteToCodePoint(b));
    return out;
}

std::optional<std::string> utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        auto cp = nextUtf8(utf8, pos);
        if (!cp) return std::nullopt;
        auto b = codePointToByte(*cp);
        if (!b) return std::nullopt;
        out += *b;
    }
    return out;
}

bool fitsCp1252(std::string_view utf8) { return utf8ToCp1252(utf8).has_value(); }

std::u16string cp1252ToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) out += static_cast<char16_t>(byteToCodePoint(b));
    return out;
}

std::optional<std::string> utf16ToCp1252(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c >= 0xD800 && c <= 0xDFFF) return std::nullopt;
        auto b = codePointToByte(c);
        if (!b) return std::nullopt;
        out += *b;
    }
    return out;
}

std::optional<std::u16string> utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        auto cp = nextUtf8(utf8, pos);
        if (!cp) return std::nullopt;
        if (*cp >= 0x10000) {
            char32_t v = *cp - 0x10000;
            out += static_cast<char16_t>(0xD800 + (v >> 10));
            out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        } else {
            out += static_cast<char16_t>(*cp);
        }
    }
    return out;
}

std::optional<std::string> utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return std::nullopt;
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return std::nullopt;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::size_t utf8Length(std::string_view utf8) {
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++n)
        if (!nextUtf8(utf8, pos)) ++pos;
    return n;
}

} // namespace platform::text
