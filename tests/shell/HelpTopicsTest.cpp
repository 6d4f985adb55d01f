#include "shell/HelpTopics.h"

#include "platform/help/HelpFile.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const platform::help::HelpFile& shipped() {
    static const auto file = platform::help::HelpFile::load(TESSARINE_HELP_SOURCE);
    return file;
}

} // namespace

TEST(ShippedHelp, ReadsWithoutProblems) {
    ASSERT_TRUE(shipped().ok()) << shipped().error();
    EXPECT_TRUE(shipped().problems().empty()) << shipped().problems().front();
    EXPECT_EQ(shipped().title(), "Tessarine Help");
}

TEST(ShippedHelp, EveryTopicTheProgramOpensExists) {
    for (int context : shell::kHelpContextsUsed) {
        const auto* topic = shipped().topic(context);
        ASSERT_NE(topic, nullptr) << "topic " << context;
        EXPECT_FALSE(topic->body.empty()) << "topic " << context;
    }
}

TEST(ShippedHelp, NumberedTopicsAreTheOnesTheirWindowsMean) {
    EXPECT_EQ(shipped().topic(shell::help_topic::kTechnicalSupport)->title, "Obtaining Technical Support");
    EXPECT_EQ(shipped().topic(shell::help_topic::kFaq)->title, "Frequently Asked Questions");
    EXPECT_EQ(shipped().topic(shell::help_topic::kInternetGame)->title, "Playing on the Internet");
    EXPECT_EQ(shipped().topic(shell::help_topic::kLanGame)->title, "Playing on a Local Network (LAN)");
}

TEST(ShippedHelp, EveryLinkLeadsToATopic) {
    for (const auto& topic : shipped().topics())
        for (const auto& block : topic.body)
            for (const auto& span : block.spans)
                if (span.link != 0) {
                    EXPECT_NE(shipped().topic(span.link), nullptr) << topic.title << " -> " << span.link;
                }
}

TEST(ShippedHelp, ContentsCoverTheWholeGame) {
    std::set<std::string> titles;
    for (const auto& t : shipped().topics()) titles.insert(t.title);
    for (const char* wanted : {"Contents", "Object of the Game", "How to Play", "Word Directions",
                               "Playing Against the Computer", "The Dictionary", "Player Statistics",
                               "The Menu"})
        EXPECT_TRUE(titles.count(wanted)) << wanted;
    EXPECT_EQ(shipped().topics().front().title, "Contents");
}

TEST(ShippedHelp, IndexFindsTheWaitingRoomByPrefix) {
    const auto hits = shipped().search("wait");
    ASSERT_FALSE(hits.empty());
    bool internet = false;
    for (const auto& h : hits) internet = internet || h.context == shell::help_topic::kInternetGame;
    EXPECT_TRUE(internet);
}
