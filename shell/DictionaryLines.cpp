#include "shell/DictionaryLines.h"

#include "platform/text/Blanks.h"
#include "platform/text/Cp1252.h"

#include <algorithm>

namespace shell {
namespace {

using platform::text::trimBlanks;

// The characters from a 0-based position on; past the end there are none.
std::string_view from(std::string_view s, std::size_t pos) {
    return pos >= s.size() ? std::string_view{} : s.substr(pos);
}

// Where a piece is cut and where its remainder starts: at the first blank at or after
// kSplitFrom (the blank itself is dropped), or, with no blank there, after kWrapLimit characters.
struct Cut {
    std::size_t length;
    std::size_t rest;
};

Cut cutOf(std::string_view piece) {
    const std::size_t blank = piece.find(' ', kSplitFrom - 1);
    if (blank != std::string_view::npos) return {blank, blank + 1};
    return {kWrapLimit, kWrapLimit};
}

std::string line(std::string_view lead, std::string_view text) {
    std::string bytes(lead);
    bytes += text;
    return platform::text::cp1252ToUtf8(bytes);
}

// Upper case for the letters the single-byte text can hold; the rest is left alone.
char32_t upper(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c == 0x161 || c == 0x17E || c == 0x153) return c - 1;  // š ž œ
    return c;
}

std::u32string upperCodePoints(std::string_view utf8, std::size_t limit) {
    std::u32string out;
    const auto wide = platform::text::utf8ToUtf16(utf8);
    if (!wide) return out;
    for (char16_t c : *wide) {
        if (out.size() == limit) break;
        out += upper(c);
    }
    return out;
}

} // namespace

std::vector<std::string> wrapWordRecord(std::string_view word, std::string_view definition) {
    const std::string_view trimmed = trimBlanks(definition);
    if (trimmed.size() < kWrapLimit) return {line(word, definition)};

    std::vector<std::string> lines;
    const Cut first = cutOf(definition);
    lines.push_back(line(word, definition.substr(0, std::min(first.length, definition.size()))));
    std::string_view rest = from(trimmed, first.rest);

    // Up to two further splits; whatever is left after the third piece is the fourth line.
    for (int split = 0; split < 2 && rest.size() > kWrapLimit; ++split) {
        const Cut next = cutOf(rest);
        lines.push_back(line(kContinuationIndent, rest.substr(0, next.length)));
        rest = from(rest, next.rest);
    }
    if (!trimBlanks(rest).empty()) lines.push_back(line(kContinuationIndent, rest));
    return lines;
}

DictionaryListing listDictionary(std::string_view fileBytes) {
    DictionaryListing listing;
    const std::size_t records = fileBytes.size() / kWordRecordLength;
    listing.wordCount = static_cast<int>(records);
    for (std::size_t i = 0; i < records; ++i) {
        const std::string_view record = fileBytes.substr(i * kWordRecordLength, kWordRecordLength);
        for (auto& l : wrapWordRecord(record.substr(0, kWordFieldLength), record.substr(kWordFieldLength)))
            listing.lines.push_back(std::move(l));
    }
    return listing;
}

std::string dictionaryNote(int wordCount) {
    return "This dictionary is based on WordNet 3.0 of Princeton University and the SCOWL word list.\n\n"
           "To save space, only one definition per word is displayed. This dictionary contains " +
           std::to_string(wordCount) + " four letter words.";
}

std::optional<std::size_t> findWordLine(const std::vector<std::string>& lines, std::string_view typed) {
    const std::size_t k = platform::text::utf8Length(typed);
    if (k < 1 || k > 4) return std::nullopt;
    const std::u32string wanted = upperCodePoints(typed, k);
    if (wanted.size() != k) return std::nullopt;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (upperCodePoints(lines[i], k) == wanted) return i;
    return std::nullopt;
}

} // namespace shell
