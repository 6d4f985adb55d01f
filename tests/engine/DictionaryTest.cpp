#include "engine/Board.h"
#include "engine/Dictionary.h"
#include "engine/GameControls.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDoubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

using namespace engine;
using testing_support::Doubles;
using testing_support::TempDir;

namespace {

// One 246-byte record: word and definition blank-padded (given as Windows-1252 bytes).
std::string record(const std::string& word, const std::string& definition = "a definition") {
    std::string r = word.substr(0, 6);
    r.resize(6, ' ');
    std::string d = definition.substr(0, 240);
    d.resize(240, ' ');
    return r + d;
}

class DictionaryTest : public ::testing::Test {
protected:
    Doubles doubles;
    TempDir dir{true};

    void SetUp() override {
        resetState();
        state().services = doubles.services();
        wordListChanged();
    }
    void TearDown() override {
        resetState();
        state().services = {};
        wordListChanged();
    }
    void loadFile(const std::string& bytes) {
        dir.write(WordListFile, bytes);
        LoadWordList();
    }
    bool found(const std::string& word) {
        IsInWordList(word);
        return state().WordFound == 1;
    }
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The look-up as a plain scan of Words[1..WordCount] in order, the answer the index must give.
int scanMatches(const std::string& word) {
    int matches = 0;
    const std::string key = vbUCase(word);
    for (int i = 1; i <= state().WordCount; ++i)
        if (vbUCase(state().Words[i]) == key) ++matches;
    return matches;
}

} // namespace

TEST_F(DictionaryTest, LoadKeepsEveryRecordTrimmedInFileOrder) {
    loadFile(record("able") + record(" bake ") + record("Cold"));
    EXPECT_EQ(state().WordCount, 3);
    EXPECT_EQ(state().Words[1], "able");
    EXPECT_EQ(state().Words[2], "bake");
    EXPECT_EQ(state().Words[3], "Cold");
    EXPECT_TRUE(doubles.dialogs.shown.empty());
    EXPECT_TRUE(found("cold"));   // the last record is found like any other
}

TEST_F(DictionaryTest, LoadLeavesTheLastRecordInTheBuffer) {
    loadFile(record("able", "fit") + record("zone", "an area"));
    EXPECT_EQ(trimBlanks(state().WordRec.Word), "zone");
    EXPECT_EQ(trimBlanks(state().WordRec.Definition), "an area");
    EXPECT_EQ(state().WordRec.Definition.size(), 240u);
}

TEST_F(DictionaryTest, CaseIsIgnoredOnBothSides) {
    loadFile(record("ABLE") + record("BaKe") + record("cold"));
    EXPECT_TRUE(found("able"));
    EXPECT_TRUE(found("bake"));
    EXPECT_TRUE(found("COLD"));
    EXPECT_FALSE(found("abl"));
}

TEST_F(DictionaryTest, TheTestedWordIsNotTrimmed) {
    loadFile(record("  able"));
    EXPECT_TRUE(found("able"));
    EXPECT_FALSE(found("able "));
    EXPECT_FALSE(found(" able"));
}

TEST_F(DictionaryTest, AccentedCapitalsMatchTheirSmallLetters) {
    // "ÉTÉ" and "ŒUF" in Windows-1252 bytes.
    loadFile(record("\xC9T\xC9") + record("\x8C" "UF"));
    EXPECT_EQ(state().Words[1], "\u00C9T\u00C9");
    EXPECT_TRUE(found("\u00E9t\u00E9"));
    EXPECT_TRUE(found("\u0153uf"));
    EXPECT_EQ(vbUCase("stra\u00DFe \u00FF \u0161 \u00F7"), "STRA\u00DFE \u0178 \u0160 \u00F7");
}

TEST_F(DictionaryTest, BlankRecordNeverMatchesTileLetters) {
    loadFile(record("") + record("able"));
    EXPECT_EQ(state().WordCount, 2);
    EXPECT_EQ(state().Words[1], "");
    EXPECT_FALSE(found("    "));
    EXPECT_TRUE(found("able"));
}

TEST_F(DictionaryTest, ADuplicatedWordIsFoundOnceButEndsTheGameOncePerEntryWithTheWordAsPassed) {
    GameControls controls{doubles.http};
    state().controls = &controls;
    loadFile(record("ABLE") + record("bake") + record("Able"));
    EXPECT_TRUE(found("able"));
    state().TurnName = "Ann";
    LookUpWord("able");
    state().controls = nullptr;
    EXPECT_EQ(lastLookUpHits(), 2);
    const std::string line = "Ann made word able. Game Over. Winner is Ann";
    EXPECT_EQ(controls.StatusText.items(), (std::vector<std::string>{line, line}));
    EXPECT_EQ(state().GameOver, 1);
    EXPECT_EQ(state().MoveEndedGame, 1);
    EXPECT_EQ(state().WinningWord, "able");
}

TEST_F(DictionaryTest, AWordNotListedChangesNothing) {
    loadFile(record("able"));
    state().WinningWord = "prev";
    LookUpWord("ablx");
    EXPECT_EQ(lastLookUpHits(), 0);
    EXPECT_EQ(state().GameOver, 0);
    EXPECT_EQ(state().MoveEndedGame, 0);
    EXPECT_EQ(state().WinningWord, "prev");
}

TEST_F(DictionaryTest, FileIsFoundWhateverTheCaseOfItsName) {
    dir.write("WordList.DIC", record("able") + record("bake"));
    LoadWordList();
    EXPECT_TRUE(doubles.dialogs.shown.empty());
    EXPECT_EQ(state().WordCount, 2);
    EXPECT_TRUE(found("bake"));
    EXPECT_EQ(wordRecordCount(), 2);
    ASSERT_TRUE(readWordRec(2));
    EXPECT_EQ(state().WordRec.Word, "bake  ");
}

TEST_F(DictionaryTest, MissingFileSaysSoAndKeepsTheList) {
    loadFile(record("able"));
    std::filesystem::remove(dir / WordListFile);
    LoadWordList();
    ASSERT_EQ(doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(doubles.dialogs.last().prompt, "Error! Word List File Not Found.");
    EXPECT_EQ(doubles.dialogs.last().style, 0);
    EXPECT_EQ(doubles.dialogs.last().title, "File Not Found");
    EXPECT_EQ(state().WordCount, 1);
    EXPECT_TRUE(found("able"));
}

TEST_F(DictionaryTest, MissingFileAtTheFirstLoadMeansNoWordEverEndsAGame) {
    std::filesystem::create_directory(dir / WordListFile);   // a folder of that name is no file
    LoadWordList();
    EXPECT_EQ(doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(state().WordCount, 0);
    EXPECT_FALSE(found("able"));
    LookUpWord("able");
    EXPECT_EQ(state().GameOver, 0);
}

TEST_F(DictionaryTest, AnEmptyFileOrATruncatedLastRecordGivesNoWordAndNoComplaint) {
    loadFile("");
    EXPECT_EQ(state().WordCount, 0);
    EXPECT_FALSE(found(""));
    loadFile(record("able") + record("bake") + record("cold").substr(0, 100));
    EXPECT_EQ(state().WordCount, 2);
    EXPECT_FALSE(found("cold"));
    loadFile(record("able").substr(0, 5));
    EXPECT_EQ(state().WordCount, 0);
    EXPECT_TRUE(doubles.dialogs.shown.empty());
}

TEST_F(DictionaryTest, NulBytesStayInTheirEntryAndMatchNoTiles) {
    loadFile(record(std::string("ab\0\0", 4)) + std::string(246, '\0') + record("able"));
    EXPECT_EQ(state().WordCount, 3);
    EXPECT_EQ(state().Words[1], std::string("ab\0\0", 4));
    EXPECT_EQ(state().Words[2], std::string(6, '\0'));
    EXPECT_FALSE(found("ab"));
    EXPECT_TRUE(found("able"));
}

TEST_F(DictionaryTest, AFileBeyondTheCapacityLoadsTheFirst4000) {
    std::string bytes;
    for (int i = 0; i < 4000; ++i) bytes += record("w" + std::to_string(i));
    bytes += record("last");
    loadFile(bytes);
    EXPECT_EQ(state().WordCount, 4000);
    EXPECT_TRUE(found("w3999"));
    EXPECT_FALSE(found("last"));
    EXPECT_EQ(trimBlanks(state().WordRec.Word), "w3999");
}

TEST_F(DictionaryTest, LookUpsFollowTheListWhenItIsChangedDirectly) {
    loadFile(record("able") + record("bake"));
    state().WordCount = 1;
    EXPECT_FALSE(found("bake"));
    state().WordCount = 0;
    EXPECT_FALSE(found("able"));
    state().Words = {"", "cold", "dart"};
    state().WordCount = 2;
    wordListChanged();
    EXPECT_TRUE(found("dart"));
    state().Words[1] = "east";   // rewritten in place
    EXPECT_FALSE(found("cold"));
}

TEST_F(DictionaryTest, RecordsReadBackWithTheirDefinitionAsText) {
    loadFile(record("able", "having the means (caf\xE9)") + record("bake", "cook"));
    EXPECT_EQ(wordRecordCount(), 2);
    ASSERT_TRUE(readWordRec(1));
    EXPECT_EQ(state().WordRec.Word, "able  ");
    EXPECT_EQ(trimBlanks(state().WordRec.Definition), "having the means (caf\u00E9)");
    EXPECT_FALSE(readWordRec(3));
    EXPECT_FALSE(readWordRec(0));
    EXPECT_EQ(trimBlanks(state().WordRec.Word), "able");
}

// The shipped dictionary: every record as the game expects it.
TEST(ShippedWordList, RecordsAreFourLowerCaseLettersSortedAndUnique) {
    const std::string bytes = readFile(TESSARINE_WORDLIST);
    ASSERT_FALSE(bytes.empty());
    ASSERT_EQ(bytes.size() % WordRecordLength, 0u);
    const std::size_t n = bytes.size() / WordRecordLength;
    EXPECT_GE(n, 1800u);
    EXPECT_LE(n, 2500u);
    std::string previous;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string_view rec = std::string_view(bytes).substr(i * WordRecordLength, WordRecordLength);
        const std::string_view word = rec.substr(0, 6);
        const std::string_view definition = rec.substr(6);
        EXPECT_EQ(word.substr(4), "  ") << i;
        for (char c : word.substr(0, 4)) EXPECT_TRUE(c >= 'a' && c <= 'z') << word;
        EXPECT_GT(std::string(word), previous) << word;
        previous = std::string(word);
        EXPECT_NE(definition[0], ' ') << word;
        for (char c : definition) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << word;
    }
}

TEST_F(DictionaryTest, IndexedLookUpsAnswerAsTheScanOverTheShippedList) {
    const std::string bytes = readFile(TESSARINE_WORDLIST);
    dir.write(WordListFile, bytes);
    LoadWordList();
    ASSERT_GE(state().WordCount, 1800);
    std::vector<std::string> probes;
    std::set<std::string> listed;
    for (int i = 1; i <= state().WordCount; ++i) {
        const std::string& w = state().Words[i];
        listed.insert(w);
        probes.push_back(w);
        probes.push_back(vbUCase(w));
        // A neighbour of the word: often a word too, mostly not.
        std::string other = w;
        other[i % 4] = static_cast<char>('a' + (other[i % 4] - 'a' + 1 + i % 7) % 26);
        probes.push_back(other);
    }
    for (int i = 0; i < 3000; ++i) {   // spread over all four-letter strings
        std::string w(4, 'a');
        for (int k = 0, v = i * 7919; k < 4; ++k, v /= 26) w[k] = static_cast<char>('a' + v % 26);
        probes.push_back(w);
    }
    probes.push_back("");
    probes.push_back("ab");
    int nonWords = 0;
    for (const std::string& probe : probes) {
        const int expected = scanMatches(probe);
        nonWords += expected == 0;
        EXPECT_EQ(found(probe), expected > 0) << probe;
        state().GameOver = 0;
        LookUpWord(probe);
        EXPECT_EQ(lastLookUpHits(), expected) << probe;
        EXPECT_EQ(state().GameOver, expected > 0 ? 1 : 0) << probe;
    }
    EXPECT_GT(nonWords, 2000);
}
