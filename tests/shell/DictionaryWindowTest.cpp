// The dictionary viewer: every record of wordlist.dic wrapped into the list, the note under it,
// and the search box that jumps to a word.
#include "platform/ui/Desktop.h"
#include "shell/DictionaryWindow.h"
#include "tests/support/UiScene.h"

#include <gtest/gtest.h>

namespace ui = platform::ui;

namespace {

std::string record(const std::string& word, const std::string& definition) {
    std::string w = word.substr(0, 6);
    w.resize(6, ' ');
    std::string d = definition.substr(0, 240);
    d.resize(240, ' ');
    return w + d;
}

// "aaaa aaaa ..." of exactly n characters: four-letter runs between single blanks.
std::string words(std::size_t n) {
    std::string s;
    while (s.size() < n) s += s.size() % 5 == 4 ? ' ' : 'a';
    if (!s.empty() && s.back() == ' ') s.back() = 'b';
    return s;
}

struct DictionaryScene : testing_support::UiScene {
    ~DictionaryScene() {
        if (shell::DictionaryWindow* w = shell::wordlistIfLoaded()) w->Unload();
    }
    void write(const std::string& bytes) { folder.write("wordlist.dic", bytes); }
    std::vector<std::string> lines() { return shell::wordlist().List1.items(); }
};

const std::string indent(6, ' ');

} // namespace

TEST(DictionaryViewer, ListsEveryRecordInFileOrderAndCountsThem) {
    DictionaryScene scene;
    scene.write(record("able", "having the power to do something") + record("bold", "fearless") +
                record("cafe", "a small caf\xe9") + record("zone", "an area set apart"));
    const auto lines = scene.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "able  having the power to do something");
    EXPECT_EQ(lines[2], "cafe  a small caf\u00e9");   // the file's single-byte text, shown as typed
    EXPECT_EQ(lines[3].substr(0, 23), "zone  an area set apart");
    const std::string note = shell::wordlist().Label2.Caption;
    EXPECT_NE(note.find("WordNet 3.0 of Princeton University"), std::string::npos);
    EXPECT_NE(note.find("SCOWL"), std::string::npos);
    EXPECT_EQ(note.find("Webster"), std::string::npos);
    EXPECT_NE(note.find("\n\nTo save space, only one definition per word is displayed. This dictionary contains 4 four letter words."),
              std::string::npos);
}

TEST(DictionaryViewer, SeventyFiveCharactersStayOnOneLineSeventySixAreSplit) {
    DictionaryScene scene;
    const std::string late = std::string(66, 'x') + " " + std::string(9, 'y');   // its first blank is the 67th
    scene.write(record("fits", words(75)) + record("wrap", words(76)) + record("late", late));
    const auto lines = scene.lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "fits  " + words(75));
    // The first blank at or after the 65th character splits the line; the blank is dropped.
    EXPECT_EQ(lines[1], "wrap  " + words(76).substr(0, 64));
    EXPECT_EQ(lines[2], indent + words(76).substr(65));
    EXPECT_EQ(lines[3], "late  " + std::string(66, 'x'));
    EXPECT_EQ(lines[4], indent + std::string(9, 'y'));
}

TEST(DictionaryViewer, LongDefinitionRunsToFourLinesUnderTheDefinitionColumn) {
    DictionaryScene scene;
    const std::string d = words(240);
    scene.write(record("long", d));
    const auto lines = scene.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "long  " + d.substr(0, 64));
    EXPECT_EQ(lines[1], indent + d.substr(65, 64));
    EXPECT_EQ(lines[2], indent + d.substr(130, 64));
    EXPECT_EQ(lines[3], indent + d.substr(195));
}

TEST(DictionaryViewer, RemainderOfSeventySixIsNotSplitAgain) {
    DictionaryScene scene;
    const std::string d = words(64) + " " + std::string(76, 'x');
    scene.write(record("rest", d));
    const auto lines = scene.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], indent + std::string(76, 'x'));
}

TEST(DictionaryViewer, PieceWithoutABlankIsCutAtTheLineWidth) {
    DictionaryScene scene;
    scene.write(record("qqqq", std::string(240, 'q')) + record("rest", words(64) + " " + std::string(100, 'r')));
    const auto lines = scene.lines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "qqqq  " + std::string(76, 'q'));
    EXPECT_EQ(lines[1], indent + std::string(76, 'q'));
    EXPECT_EQ(lines[2], indent + std::string(76, 'q'));
    EXPECT_EQ(lines[3], indent + std::string(12, 'q'));
    EXPECT_EQ(lines[4], "rest  " + words(64));
    EXPECT_EQ(lines[5], indent + std::string(76, 'r'));
    EXPECT_EQ(lines[6], indent + std::string(24, 'r'));
}

TEST(DictionaryViewer, TypingJumpsToTheFirstWordWithThatBeginningCaseIgnored) {
    DictionaryScene scene;
    scene.write(record("abed", words(100)) + record("able", "x") + record("bold", "y") + record("bolt", "z") +
                record("\xe9t\xe9", "summer"));
    shell::DictionaryWindow& w = shell::wordlist();
    w.Text1.Text = "bol";
    EXPECT_EQ(w.List1.ListIndex.get(), 3);
    EXPECT_EQ(w.List1.TopIndex.get(), 3);
    EXPECT_EQ(w.List1.Text().substr(0, 4), "bold");
    w.Text1.Text = "AB";
    EXPECT_EQ(w.List1.Text().substr(0, 4), "abed");
    w.Text1.Text = "ab";
    EXPECT_EQ(w.List1.ListIndex.get(), 0);
    w.Text1.Text = "ABL";
    EXPECT_EQ(w.List1.Text().substr(0, 4), "able");
    w.Text1.Text = "\u00c9T";
    EXPECT_EQ(w.List1.ListIndex.get(), 5);
}

TEST(DictionaryViewer, FifthCharacterLeavesTheListWhereItIsAndFourSearchAgain) {
    DictionaryScene scene;
    scene.write(record("abed", "x") + record("bolt", "y") + record("zone", "z"));
    shell::DictionaryWindow& w = shell::wordlist();
    w.Text1.Text = "bolt";
    ASSERT_EQ(w.List1.ListIndex.get(), 1);
    w.Text1.Text = "bolts";
    EXPECT_EQ(w.List1.ListIndex.get(), 1);
    w.List1.ListIndex = 2;
    w.Text1.Text = "boltz";
    EXPECT_EQ(w.List1.ListIndex.get(), 2);
    w.Text1.Text = "bolt";
    EXPECT_EQ(w.List1.ListIndex.get(), 1);
    w.Text1.Text = "q";
    EXPECT_EQ(w.List1.ListIndex.get(), 1);
    w.Text1.Text = "";
    EXPECT_EQ(w.List1.ListIndex.get(), 1);
}

TEST(DictionaryViewer, ContinuationLinesAreNeverFound) {
    DictionaryScene scene;
    scene.write(record("wide", words(150)) + record("apex", "z"));
    shell::DictionaryWindow& w = shell::wordlist();
    ASSERT_EQ(w.List1.ListCount(), 4);
    w.Text1.Text = "a";
    EXPECT_EQ(w.List1.ListIndex.get(), 3);
    EXPECT_EQ(w.List1.Text().substr(0, 4), "apex");
}

TEST(DictionaryViewer, LastRecordIsListedAndCountedAndACutTailIsNot) {
    DictionaryScene scene;
    scene.write(record("aaaa", "first") + record("zzzz", "last") + "stub");
    const auto lines = scene.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].substr(0, 10), "zzzz  last");
    EXPECT_NE(shell::wordlist().Label2.Caption->find("contains 2 four letter words."), std::string::npos);
}

TEST(DictionaryViewer, MissingFileSaysSoAndCountsNothing) {
    DictionaryScene scene;
    shell::DictionaryWindow& w = shell::wordlist();
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(scene.doubles.dialogs.last().prompt, "Error! Word List File Not Found.");
    EXPECT_EQ(scene.doubles.dialogs.last().title, "File Not Found");
    EXPECT_EQ(scene.doubles.dialogs.last().style, platform::vbOKOnly);
    EXPECT_EQ(w.List1.ListCount(), 0);
    EXPECT_NE(w.Label2.Caption->find("contains 0 four letter words."), std::string::npos);
}

TEST(DictionaryViewer, OpensCentredAcrossWithItsCaptionAndClosesFromItsButton) {
    DictionaryScene scene;
    shell::DictionaryWindow& w = shell::wordlist();
    EXPECT_EQ(w.Caption.get(), "Tessarine - Game Dictionary");
    EXPECT_EQ(w.Left.get(), (ui::Desktop::instance().screenWidth() - w.Width) / 2);
    EXPECT_EQ(w.Label1.Caption.get(), "Search for word:");
    EXPECT_EQ(w.wordviewclose.Caption.get(), "Close Window");
    EXPECT_EQ(w.List1.Font->name, "Courier New");
    w.wordviewclose.click();
    EXPECT_EQ(shell::wordlistIfLoaded(), nullptr);
}

TEST(DictionaryViewer, WideningTheWindowWidensTheList) {
    DictionaryScene scene;
    shell::DictionaryWindow& w = shell::wordlist();
    w.resizedByUser(12000, 8000);
    EXPECT_EQ(w.List1.Width.get(), 12000 - 240);
    EXPECT_EQ(w.List1.Left.get(), 120);
}
