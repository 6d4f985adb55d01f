#pragma once
// The dictionary viewer's list: every record of "wordlist.dic" wrapped into one to four lines of a
// fixed-pitch list, the note under it, and the jump to the first word that starts with what the
// player types.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

inline constexpr std::size_t kWordFieldLength = 6;
inline constexpr std::size_t kDefinitionLength = 240;
inline constexpr std::size_t kWordRecordLength = kWordFieldLength + kDefinitionLength;

// A definition shorter than this (blanks trimmed) stays on the word's line; a remainder this long
// or shorter is not split again.
inline constexpr std::size_t kWrapLimit = 76;
// A split happens at the first blank at or after this 1-based position of the piece.
inline constexpr std::size_t kSplitFrom = 65;
// Continuation lines start under the definition column.
inline constexpr std::string_view kContinuationIndent = "      ";

// The lines of one record, from its two fields as stored (single-byte text, blank-padded);
// the lines come back as UTF-8. A piece with no blank where a split belongs is cut after
// kWrapLimit characters, so no letter is lost and nothing is cut at a negative length.
std::vector<std::string> wrapWordRecord(std::string_view word, std::string_view definition);

struct DictionaryListing {
    std::vector<std::string> lines;  // every record's lines, in file order
    int wordCount = 0;               // whole records in the file; a shorter tail is ignored
};

// Lists a whole "wordlist.dic" given as its bytes.
DictionaryListing listDictionary(std::string_view fileBytes);

// The note under the list, naming where our words come from and how many there are.
std::string dictionaryNote(int wordCount);

// Index of the first line whose first characters equal the typed text, case ignored; only for
// one to four typed characters, otherwise (and when no line matches) nothing.
std::optional<std::size_t> findWordLine(const std::vector<std::string>& lines, std::string_view typed);

} // namespace shell
