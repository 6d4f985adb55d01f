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

TEST(HelpCommands, EachOpensTheGameHelpWithItsCommandAndTopic) {
    struct Row {
        void (*show)();
        int command;
        int context;   // 0: no topic named
        const char* title;
    };
    for (const Row& row : {Row{shell::ShowHelpContents, 3, 0, ""}, Row{shell::ShowHelpSearch, 261, 0, ""},
                           Row{shell::ShowHelpFaq, 1, 140, "Frequently Asked Questions"},
                           Row{shell::ShowTechnicalSupport, 1, 30, "Obtaining Technical Support"}}) {
        SCOPED_TRACE(row.command);
        Recorder help;
        row.show();
        EXPECT_EQ(help.only().file, "TESSARINE.HLP");
        EXPECT_EQ(help.only().command, row.command);
        if (row.context == 0) continue;
        EXPECT_EQ(help.only().context, row.context);
        EXPECT_EQ(titleOf(help.only().context), row.title);
    }
}
