#include "shell/DictionaryLines.h"

#include <gtest/gtest.h>

using shell::findWordLine;
using shell::listDictionary;
using shell::wrapWordRecord;

namespace {

std::string pad(std::string s, std::size_t width) {
    s.resize(width, ' ');
    return s;
}

std::string word(const std::string& w) { return pad(w, 6); }
std::string definition(const std::string& d) { return pad(d, 240); }
std::string record(const std::string& w, const std::string& d) { return word(w) + definition(d); }

// n characters of words: "aaaa bbbb ..." so blanks fall every five characters.
std::string words(std::size_t n) {
    std::string s;
    for (std::size_t i = 0; s.size() < n; ++i) s += (i % 5 == 4) ? ' ' : static_cast<char>('a' + (i / 5) % 26);
    s.resize(n);
    if (s.back() == ' ') s.back() = 'z';
    return s;
}

} // namespace

TEST(DictionaryWrap, ShortDefinitionIsOneLineOfWordAndField) {
    const auto lines = wrapWordRecord(word("able"), definition("having the power to do"));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], word("able") + definition("having the power to do"));
    EXPECT_EQ(lines[0].size(), 246u);
}

TEST(DictionaryWrap, SeventyFiveCharactersStayOnOneLine) {
    EXPECT_EQ(wrapWordRecord(word("abet"), definition(words(75))).size(), 1u);
}

TEST(DictionaryWrap, SeventySixCharactersAreSplitAtFirstBlankFromSixtyFive) {
    const std::string d = std::string(66, 'x') + " " + std::string(9, 'y');  // blank at 67
    ASSERT_EQ(d.size(), 76u);
    const auto lines = wrapWordRecord(word("abut"), definition(d));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "abut  " + std::string(66, 'x'));
    EXPECT_EQ(lines[1], "      " + std::string(9, 'y'));
}

TEST(DictionaryWrap, BlankAtSixtyFiveItselfIsTheSplit) {
    const std::string d = std::string(64, 'x') + " " + std::string(20, 'y');
    const auto lines = wrapWordRecord(word("ache"), definition(d));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "ache  " + std::string(64, 'x'));
    EXPECT_EQ(lines[1], "      " + std::string(20, 'y'));
}

TEST(DictionaryWrap, RemainderOfSeventySixIsNotSplitAgain) {
    const std::string rest = words(76);
    const std::string d = std::string(70, 'x') + " " + rest;
    const auto lines = wrapWordRecord(word("acid"), definition(d));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "      " + rest);
}

TEST(DictionaryWrap, LongDefinitionMakesFourLinesWithContinuationIndent) {
    const std::string d = words(240);
    const auto lines = wrapWordRecord(word("acre"), d);
    ASSERT_EQ(lines.size(), 4u);
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(lines[i].substr(0, 6), "      ");
        EXPECT_NE(lines[i][6], ' ');
    }
    // Every letter is kept; only the blanks at the three split points are dropped.
    std::string joined = lines[0].substr(6);
    for (std::size_t i = 1; i < 4; ++i) joined += " " + lines[i].substr(6);
    EXPECT_EQ(joined, d);
}

TEST(DictionaryWrap, FourthLineTakesWhateverIsLeft) {
    // Three pieces with their blank right at 65, then a rest of 40 characters.
    const std::string piece = std::string(64, 'p') + " ";
    const std::string d = piece + piece + piece + std::string(40, 'r');
    const auto lines = wrapWordRecord(word("aged"), definition(d));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3], "      " + std::string(40, 'r'));
}

TEST(DictionaryWrap, RecordWithoutBlankIsCutAtLineWidthNotLost) {
    const std::string d(240, 'q');
    const auto lines = wrapWordRecord(word("aqua"), d);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "aqua  " + std::string(76, 'q'));
    EXPECT_EQ(lines[1], "      " + std::string(76, 'q'));
    EXPECT_EQ(lines[2], "      " + std::string(76, 'q'));
    EXPECT_EQ(lines[3], "      " + std::string(12, 'q'));
}

TEST(DictionaryWrap, RemainderWithoutBlankIsCutAtLineWidth) {
    const std::string d = std::string(70, 'x') + " " + std::string(100, 'z');
    const auto lines = wrapWordRecord(word("arch"), definition(d));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "      " + std::string(76, 'z'));
    EXPECT_EQ(lines[2], "      " + std::string(24, 'z'));
}

TEST(DictionaryWrap, SingleByteTextComesOutAsUtf8) {
    const auto lines = wrapWordRecord(word("cafe"), definition("a small caf\xe9"));
    EXPECT_EQ(lines[0].substr(0, 19), "cafe  a small caf\u00e9");
}

TEST(DictionaryListing, LastRecordIsListedAndCounted) {
    const std::string file = record("able", "one") + record("zany", "last of all");
    const auto listing = listDictionary(file);
    EXPECT_EQ(listing.wordCount, 2);
    ASSERT_EQ(listing.lines.size(), 2u);
    EXPECT_EQ(listing.lines[1].substr(0, 17), "zany  last of all");
}

TEST(DictionaryListing, ShortTailIsIgnored) {
    const auto listing = listDictionary(record("able", "one") + "tail");
    EXPECT_EQ(listing.wordCount, 1);
    EXPECT_EQ(listing.lines.size(), 1u);
}

TEST(DictionaryListing, NoteNamesOurSourcesAndTheCount) {
    const std::string note = shell::dictionaryNote(0);
    EXPECT_NE(note.find("WordNet 3.0 of Princeton University"), std::string::npos);
    EXPECT_NE(note.find("SCOWL"), std::string::npos);
    EXPECT_NE(note.find(".\n\nTo save space, only one definition per word is displayed. "
                        "This dictionary contains 0 four letter words."),
              std::string::npos);
    EXPECT_NE(shell::dictionaryNote(3127).find("contains 3127 four"), std::string::npos);
}

TEST(DictionarySearch, PrefixIgnoresCase) {
    const auto listing = listDictionary(record("able", "x") + record("abut", "y") + record("acid", "z"));
    EXPECT_EQ(findWordLine(listing.lines, "AB"), 0u);
    EXPECT_EQ(findWordLine(listing.lines, "ab"), 0u);
    EXPECT_EQ(findWordLine(listing.lines, "abu"), 1u);
    EXPECT_EQ(findWordLine(listing.lines, "AcId"), 2u);
}

TEST(DictionarySearch, FifthCharacterFindsNothingFourSearchesAgain) {
    const auto listing = listDictionary(record("able", "x") + record("acid", "z"));
    EXPECT_FALSE(findWordLine(listing.lines, "acidx").has_value());
    EXPECT_EQ(findWordLine(listing.lines, "acid"), 1u);
    EXPECT_FALSE(findWordLine(listing.lines, "").has_value());
}

TEST(DictionarySearch, NoMatchFindsNothing) {
    const auto listing = listDictionary(record("able", "x"));
    EXPECT_FALSE(findWordLine(listing.lines, "zz").has_value());
}

TEST(DictionarySearch, ContinuationLinesAreNeverFound) {
    const auto listing = listDictionary(record("able", words(200)) + record("bark", "tree skin"));
    ASSERT_GT(listing.lines.size(), 2u);
    EXPECT_EQ(findWordLine(listing.lines, "b"), listing.lines.size() - 1);
}

TEST(DictionarySearch, AccentedLettersMatchEitherCase) {
    const auto listing = listDictionary(record("\xe9t\xe9", "summer"));
    EXPECT_EQ(findWordLine(listing.lines, "\u00c9T"), 0u);
}
