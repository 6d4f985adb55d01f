#include "platform/help/HelpWindow.h"

#include "platform/ui/Desktop.h"
#include "shell/HelpTopics.h"
#include "tests/support/QtApp.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

using platform::help::HelpWindow;
using platform::help::showHelp;

namespace {

const char* kSample =
    "@help Sample Help\n"
    "@topic 1 Contents\n"
    "Welcome. Read about [[80|waiting]].\n"
    "@topic 30 Technical Support\n"
    "@keywords support; contact\n"
    "Write to us.\n"
    "@topic 80 Internet Games\n"
    "@keywords waiting room; wait time\n"
    "Wait for an opponent.\n";

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::qtApp();
        m_dir.write("TESSARINE.HLP", kSample);
    }
    std::string file() const { return (m_dir / "TESSARINE.HLP").string(); }
    testing_support::TempDir m_dir;
};

} // namespace

TEST_F(HelpWindowTest, ContextCommandShowsThatTopic) {
    HelpWindow& w = showHelp(file(), platform::help::kShowTopic, 30);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), "Sample Help");
    EXPECT_EQ(w.shownContext(), 30);
    EXPECT_TRUE(w.topicText().startsWith("Technical Support"));
    EXPECT_TRUE(w.topicText().contains("Write to us."));
    EXPECT_EQ(w.contentsList()->currentItem()->text(), "Technical Support");
    EXPECT_TRUE(w.message().isEmpty());
}

TEST_F(HelpWindowTest, ContentsCommandListsTopicsAndShowsTheFirst) {
    HelpWindow& w = showHelp(file(), platform::help::kShowContents);
    EXPECT_EQ(w.tabs()->currentIndex(), 0);
    ASSERT_EQ(w.contentsList()->count(), 3);
    EXPECT_EQ(w.contentsList()->item(0)->text(), "Contents");
    EXPECT_EQ(w.contentsList()->item(2)->text(), "Internet Games");
    EXPECT_EQ(w.shownContext(), 1);
}

TEST_F(HelpWindowTest, PartialKeyCommandOpensTheIndexAndTypingNarrowsIt) {
    HelpWindow& w = showHelp(file(), platform::help::kSearchIndex);
    EXPECT_EQ(w.tabs()->currentIndex(), 1);
    EXPECT_TRUE(w.searchBox()->text().isEmpty());
    EXPECT_EQ(w.indexList()->count(), 7);  // four keywords and three titles
    w.searchBox()->setText("WAIT");
    ASSERT_EQ(w.indexList()->count(), 2);
    EXPECT_EQ(w.indexList()->item(0)->text(), "wait time  (Internet Games)");
    w.displayButton()->click();
    EXPECT_EQ(w.shownContext(), 80);
}

TEST_F(HelpWindowTest, IndexWithoutMatchSaysSo) {
    HelpWindow& w = showHelp(file(), platform::help::kSearchIndex);
    w.searchBox()->setText("zebra");
    EXPECT_EQ(w.indexList()->count(), 0);
    w.displayButton()->click();
    EXPECT_EQ(w.message(), "No index entry starts with \"zebra\".");
}

TEST_F(HelpWindowTest, ChoosingFromContentsShowsTheTopic) {
    HelpWindow& w = showHelp(file(), platform::help::kShowContents);
    w.contentsList()->setCurrentRow(2);
    EXPECT_EQ(w.shownContext(), 80);
    EXPECT_TRUE(w.topicText().contains("Wait for an opponent."));
}

TEST_F(HelpWindowTest, LinkInATopicOpensTheLinkedTopic) {
    HelpWindow& w = showHelp(file(), platform::help::kShowContents);
    emit w.view()->anchorClicked(QUrl("topic:80"));
    EXPECT_EQ(w.shownContext(), 80);
}

TEST_F(HelpWindowTest, MissingTopicShowsMessageAndContents) {
    HelpWindow& w = showHelp(file(), platform::help::kShowTopic, 555);
    EXPECT_EQ(w.shownContext(), 0);
    EXPECT_EQ(w.tabs()->currentIndex(), 0);
    EXPECT_EQ(w.contentsList()->count(), 3);
    EXPECT_EQ(w.message().toStdString(), platform::help::missingTopicMessage("TESSARINE.HLP", 555));
}

TEST_F(HelpWindowTest, MissingFileShowsMessageInTheWindow) {
    const std::string gone = (m_dir / "NOWHERE.HLP").string();
    for (int command : {1, 3, 261}) {
        HelpWindow& w = showHelp(gone, command, 30);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.shownContext(), 0);
        EXPECT_EQ(w.contentsList()->count(), 0);
        EXPECT_EQ(w.message().toStdString(), platform::help::missingFileMessage("NOWHERE.HLP"));
    }
}

TEST_F(HelpWindowTest, FileThatAppearsLaterIsRead) {
    const std::string later = (m_dir / "LATER.HLP").string();
    EXPECT_FALSE(showHelp(later, platform::help::kShowTopic, 30).message().isEmpty());
    m_dir.write("LATER.HLP", kSample);
    HelpWindow& w = showHelp(later, platform::help::kShowTopic, 30);
    EXPECT_TRUE(w.message().isEmpty());
    EXPECT_EQ(w.shownContext(), 30);
}

TEST_F(HelpWindowTest, UnknownCommandShowsContentsWithANote) {
    HelpWindow& w = showHelp(file(), 9, 0);
    EXPECT_EQ(w.shownContext(), 1);
    EXPECT_TRUE(w.message().contains("9"));
}

TEST_F(HelpWindowTest, EveryCommandUsesTheOneWindow) {
    HelpWindow* first = &showHelp(file(), platform::help::kShowContents);
    EXPECT_EQ(&showHelp(file(), platform::help::kShowTopic, 30), first);
}

TEST_F(HelpWindowTest, OpensWholeInsideTheFreePartOfTheScreen) {
    // A 1280 x 1024 screen with a panel along its top; frames with a title bar.
    namespace ui = platform::ui;
    ui::Desktop& desktop = ui::Desktop::instance();
    desktop.setScreenSize(1280 * 15, 1024 * 15);
    desktop.setFrameMargins({4 * 15, 28 * 15, 4 * 15, 4 * 15});
    const auto opened = [&](QRect free) {
        desktop.setWorkArea({free.x() * 15, free.y() * 15, free.width() * 15, free.height() * 15});
        showHelp(file(), platform::help::kShowContents).hide();
        const HelpWindow& w = showHelp(file(), platform::help::kShowContents);
        EXPECT_TRUE(free.contains(w.geometry().adjusted(-4, -28, 4, 4))) << w.x() << "," << w.y() << " " << w.width() << "x" << w.height();
    };
    opened(QRect(0, 32, 1280, 992));
    opened(QRect(100, 0, 700, 500));   // smaller than the window: it shrinks to fit
    desktop.reset();
}

TEST(HelpWindowShipped, GameHelpCommandsReachTheirTopics) {
    testing_support::qtApp();
    const std::string shipped = TESSARINE_HELP_SOURCE;
    EXPECT_EQ(showHelp(shipped, platform::help::kShowTopic, shell::help_topic::kFaq).windowTitle(), "Tessarine Help");
    for (int context : shell::kHelpContextsUsed) {
        HelpWindow& w = showHelp(shipped, platform::help::kShowTopic, context);
        EXPECT_EQ(w.shownContext(), context);
        EXPECT_TRUE(w.message().isEmpty()) << w.message().toStdString();
    }
    HelpWindow& w = showHelp(shipped, platform::help::kShowContents);
    EXPECT_TRUE(w.topicText().startsWith("Contents"));
}
