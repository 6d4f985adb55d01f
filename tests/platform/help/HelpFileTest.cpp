#include "platform/help/HelpFile.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using platform::help::BlockKind;
using platform::help::HelpFile;

namespace {

const char* kSample =
    "; a sample help file\n"
    "@help Sample Help\n"
    "@topic 1 Contents\n"
    "@keywords overview\n"
    "Start here. See [[30|support]] or\n"
    "the **rules** below.\n"
    "\n"
    "== Parts\n"
    "* first item\n"
    "  goes on\n"
    "* second item\n"
    "\n"
    "@topic 30 Technical Support\n"
    "@keywords support; Contact; e-mail\n"
    "\\* not a bullet\n"
    "@topic 80 Internet\r\n"
    "@keywords Waiting room; private game\r\n"
    "Wait for an opponent.\r\n";

} // namespace

TEST(HelpFile, TopicsAreFoundByContextNumber) {
    const auto file = HelpFile::parse(kSample, "SAMPLE.HLP");
    ASSERT_TRUE(file.ok());
    EXPECT_TRUE(file.problems().empty());
    EXPECT_EQ(file.title(), "Sample Help");
    ASSERT_NE(file.topic(30), nullptr);
    EXPECT_EQ(file.topic(30)->title, "Technical Support");
    EXPECT_EQ(file.topic(80)->title, "Internet");
    EXPECT_EQ(file.topic(31), nullptr);
}

TEST(HelpFile, ContentsKeepFileOrder) {
    const auto file = HelpFile::parse(kSample, "SAMPLE.HLP");
    ASSERT_EQ(file.topics().size(), 3u);
    EXPECT_EQ(file.topics()[0].context, 1);
    EXPECT_EQ(file.topics()[1].context, 30);
    EXPECT_EQ(file.topics()[2].context, 80);
}

TEST(HelpFile, BodyHoldsHeadingsParagraphsBulletsBoldAndLinks) {
    const auto file = HelpFile::parse(kSample, "SAMPLE.HLP");
    const auto& body = file.topic(1)->body;
    ASSERT_EQ(body.size(), 4u);
    EXPECT_EQ(body[0].kind, BlockKind::Paragraph);
    EXPECT_EQ(body[1].kind, BlockKind::Heading);
    EXPECT_EQ(body[2].kind, BlockKind::Bullet);
    EXPECT_EQ(body[3].kind, BlockKind::Bullet);
    EXPECT_EQ(platform::help::topicText(*file.topic(1)),
              "Contents\n\nStart here. See support or the rules below.\n\nParts\n- first item goes on\n"
              "- second item\n");
    const std::string html = platform::help::topicHtml(*file.topic(1));
    EXPECT_NE(html.find("<a href=\"topic:30\">support</a>"), std::string::npos);
    EXPECT_NE(html.find("<b>rules</b>"), std::string::npos);
    EXPECT_NE(html.find("<ul>\n<li>first item goes on</li>\n<li>second item</li>\n</ul>"), std::string::npos);
}

TEST(HelpFile, BackslashMakesALinePlainText) {
    const auto file = HelpFile::parse(kSample, "SAMPLE.HLP");
    ASSERT_EQ(file.topic(30)->body.size(), 1u);
    EXPECT_EQ(file.topic(30)->body[0].kind, BlockKind::Paragraph);
    EXPECT_EQ(file.topic(30)->body[0].spans[0].text, "* not a bullet");
}

TEST(HelpFile, HtmlEscapesTextFromTheFile) {
    const auto file = HelpFile::parse("@topic 5 A <b> & C\nx < y & \"z\"\n", "X");
    const std::string html = platform::help::topicHtml(*file.topic(5));
    EXPECT_EQ(html, "<h2>A &lt;b&gt; &amp; C</h2>\n<p>x &lt; y &amp; &quot;z&quot;</p>\n");
}

TEST(HelpFileSearch, PrefixIgnoresCase) {
    const auto file = HelpFile::parse(kSample, "SAMPLE.HLP");
    const auto hits = file.search("CON");
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].keyword, "Contact");
    EXPECT_EQ(hits[0].context, 30);
    EXPECT_EQ(hits[1].keyword, "Contents");  // a title is an index entry too
    EXPECT_EQ(hits[1].context, 1);
}

TEST(HelpFileSearch, EmptyPrefixListsWholeIndexSorted) {
    const auto file = HelpFile::parse(kSample, "SAMPLE.HLP");
    const auto hits = file.search("");
    ASSERT_EQ(hits.size(), 9u);
    EXPECT_EQ(hits.front().keyword, "Contact");
    EXPECT_EQ(hits.back().keyword, "Waiting room");
}

TEST(HelpFileSearch, UnknownPrefixFindsNothing) {
    EXPECT_TRUE(HelpFile::parse(kSample, "SAMPLE.HLP").search("zebra").empty());
}

TEST(HelpFileProblems, DuplicateAndBadTopicsAreSkippedAndNamed) {
    const auto file = HelpFile::parse("stray\n@topic 7 One\nkept\n@topic 7 Two\nlost\n@topic x Bad\n@color red\n"
                                      "@topic 8 Eight\nalso kept\n",
                                      "BAD.HLP");
    EXPECT_TRUE(file.ok());
    ASSERT_EQ(file.topics().size(), 2u);
    EXPECT_EQ(file.topic(7)->title, "One");
    EXPECT_EQ(file.topic(7)->body.size(), 1u);
    EXPECT_EQ(file.topic(8)->body.size(), 1u);
    ASSERT_EQ(file.problems().size(), 4u);
    EXPECT_EQ(file.problems()[0], "line 1: text before the first topic is ignored");
    EXPECT_EQ(file.problems()[1], "line 4: topic 7 is already defined; this one is ignored");
    EXPECT_EQ(file.problems()[2], "line 6: a topic needs a context number from 1 up");
    EXPECT_EQ(file.problems()[3], "line 7: unknown directive @color");
}

TEST(HelpFileProblems, UnclosedMarkupStaysAsTyped) {
    const auto file = HelpFile::parse("@topic 2 T\n**half and [[12 no link\n", "X");
    EXPECT_EQ(platform::help::topicText(*file.topic(2)), "T\n\n**half and [[12 no link\n");
}

TEST(HelpFileLoad, MissingFileGivesClearMessage) {
    testing_support::TempDir dir;
    const auto file = HelpFile::load(dir / "TESSARINE.HLP");
    EXPECT_FALSE(file.ok());
    EXPECT_TRUE(file.topics().empty());
    EXPECT_EQ(file.error(), "The help file \"TESSARINE.HLP\" could not be opened. It belongs in the Tessarine "
                            "program folder; installing the game again puts it back.");
}

TEST(HelpFileLoad, FileInWindows1252IsReadAsSuch) {
    testing_support::TempDir dir;
    dir.write("OLD.HLP", "@topic 3 Caf\xe9\ntext\n");
    const auto file = HelpFile::load(dir / "OLD.HLP");
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file.topic(3)->title, "Caf\u00e9");
}

TEST(HelpFileLoad, MissingTopicMessageNamesFileAndNumber) {
    EXPECT_EQ(platform::help::missingTopicMessage("TESSARINE.HLP", 999),
              "The help file \"TESSARINE.HLP\" has no topic number 999. Choose a topic from the contents or "
              "search the index.");
}
