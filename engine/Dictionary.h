#pragma once
// The dictionary: "wordlist.dic" in the program folder, records of 246 bytes (a six-character word
// and a 240-character definition, both blank-padded Windows-1252), loaded into state().Words[1..]
// and state().WordCount. Both look-ups answer exactly as a scan of Words[1..WordCount] in order
// would, upper-casing both sides; a hash index only makes them cheap.
#include "engine/State.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace engine {

inline constexpr const char* WordListFile = "wordlist.dic";
inline constexpr int WordFieldWidth = 6;
inline constexpr int DefinitionFieldWidth = 240;
inline constexpr int WordRecordLength = WordFieldWidth + DefinitionFieldWidth;   // 246

// The main window's dictionary load: reads "wordlist.dic" from the current folder (the program
// folder) into Words and WordCount, at most WordCapacity records. A missing file shows
// "Error! Word List File Not Found." and leaves the list as it was.
void LoadWordList();
// The same from a given file (the dictionary viewer's and the tests' way in).
void LoadWordList(const std::filesystem::path& file);

// Membership: WordFound := 1 when some entry equals Word without regard to case, else 0.
void IsInWordList(const std::string& Word);

// The word check's look-up: every entry equal to Word (case ignored) ends the game once more, so a
// word listed twice does the win's actions twice. A word that matches nothing changes nothing.
void LookUpWord(const std::string& Word);

// How many times the last LookUpWord did the win's actions (0: no match).
int lastLookUpHits();

// Anyone who writes Words or WordCount other than through LoadWordList calls this afterwards.
// (A change of WordCount or of the list's size is noticed without it.)
void wordListChanged();

// Upper-casing as the game compares words: the lower-case letters that Windows-1252 holds become
// their capitals (a-z, à-þ but ÷, š, œ, ž, ÿ); everything else, ß included, is kept.
std::string vbUCase(std::string_view text);

// Leading and trailing blanks (spaces only) removed.
std::string trimBlanks(std::string_view text);

// Reading records for the dictionary viewer and the game-over dialog.
// One 246-byte record as text: both fields converted to UTF-8, padding kept.
WordRecord decodeWordRecord(std::string_view recordBytes);
// The number of whole records of a word-list file; 0 when it cannot be read.
std::int32_t wordRecordCount(const std::filesystem::path& file = WordListFile);
// Reads record n (1-based) into state().WordRec; false, WordRec untouched, when there is none.
bool readWordRec(std::int32_t recordNumber, const std::filesystem::path& file = WordListFile);

} // namespace engine
