// The help commands hand the help file, the command and the topic to the help viewer, and the
// topics they name are in the shipped help file.
#include "platform/help/HelpFile.h"
#include "platform/ui/CommonDialog.h"
#include "shell/HelpCommands.h"

#include <gtest/gtest.h>

namespace {

struct HelpCall {
    std::string file;
    int command = 0;
    int context = 0;
};

struct Recorder {
    std::vector<HelpCall> calls;
    Recorder() {
        platform::ui::setHelpViewer([this](const std::string& f, int c, int x) { calls.push_back({f, c, x}); });
    }
    ~Recorder() { platform::ui::setHelpViewer({}); }
    const HelpCall& only() {
        EXPECT_EQ(calls.size(), 1u);
        return calls.back();
    }
};

const platform::help::HelpFile& shipped() {
    static const auto file = platform::help::HelpFile::load(TESSARINE_HELP_SOURCE);
    return file;
}

std::string titleOf(int context) {
    const auto* topic = shipped().topic(context);
    return topic ? topic->title : "(none)";
}

} // namespace

TEST(HelpCommands, ContentsOpensTheContentsOfTheGameHelp) {
    Recorder help;
    shell::ShowHelpContents();
    EXPECT_EQ(help.only().file, "TESSARINE.HLP");
    EXPECT_EQ(help.only().command, 3);
}

TEST(HelpCommands, SearchOpensTheKeywordSearch) {
    Recorder help;
    shell::ShowHelpSearch();
    EXPECT_EQ(help.only().file, "TESSARINE.HLP");
    EXPECT_EQ(help.only().command, 261);
}

TEST(HelpCommands, FrequentlyAskedQuestionsReachTheirTopic) {
    Recorder help;
    shell::ShowHelpFaq();
    EXPECT_EQ(help.only().command, 1);
    EXPECT_EQ(help.only().context, 140);
    EXPECT_EQ(titleOf(help.only().context), "Frequently Asked Questions");
}

TEST(HelpCommands, TechnicalSupportReachesItsTopic) {
    Recorder help;
    shell::ShowTechnicalSupport();
    EXPECT_EQ(help.only().command, 1);
    EXPECT_EQ(help.only().context, 30);
    EXPECT_EQ(titleOf(help.only().context), "Obtaining Technical Support");
}
