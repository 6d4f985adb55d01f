#pragma once
// A reply put together from the server's own text and the players' free text (names, locations,
// chat lines, photo links). The game reads a reply by searching it for markers and delimiters, and
// only the first occurrence of each counts. Free text is changed only where one of those first
// occurrences would fall on it, and then by one zero-width space that splits the occurrence: the
// player sees the line as typed, and the game finds the server's own marker instead.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace server {

// What splits an occurrence: U+200B, three bytes that are part of no marker.
inline constexpr std::string_view kSplitter = "\xE2\x80\x8B";

class ReplyText {
public:
    // The index the next part will have.
    std::size_t nextPart() const { return m_parts.size(); }
    ReplyText& own(std::string_view text);
    ReplyText& free(std::string_view text);
    // The game searches `token` from the start of part `fromPart` (0: the whole reply).
    ReplyText& search(std::string_view token, std::size_t fromPart = 0);
    // The reply, with every first occurrence that touches free text split.
    std::string finish();

private:
    struct Part {
        std::string text;
        bool free;
    };
    struct Search {
        std::string_view token;
        std::size_t fromPart;
    };
    // Splits one first occurrence that touches free text; false when there is none.
    bool splitOne();

    std::vector<Part> m_parts;
    std::vector<Search> m_searches;
};

} // namespace server
